// Integer text of the settings file: any bytes end in a value or the error for them.
#include <string>

#include "calc/error.h"
#include "calc/text.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const std::int32_t v = calc::TextToInteger(text);
        // Its plain decimal text reads back to the same value.
        if (calc::TextToInteger(std::to_string(v)) != v) fuzz::Fail("no round trip", text);
    } catch (const calc::Error& e) {
        fuzz::ExpectNotAnInteger(e.text(), text);
    }
    return 0;
}
