// Box text to number: any bytes end in a number or the conversion error for them.
#include <cmath>
#include <string>

#include "calc/error.h"
#include "calc/ext.h"
#include "calc/setpoints.h"
#include "calc/text.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the decimal separator, as locales differ.
    static const char* const kSeparators[] = {".", ",", "\xc2\xb7", "\xd9\xab"};
    const std::string_view sep = kSeparators[data[0] % 4];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        const long double v = calc::TextToExtended(text, sep);
        if (std::isnan(v)) fuzz::Fail("NaN from", text);
        const float f = calc::RoundToSingle(v);
        // An accepted text holds a digit or the separator and no other letters than e/E.
        if (text.find_first_of("0123456789") == std::string::npos &&
            text.find(sep) == std::string::npos) {
            fuzz::Fail("accepted without digits", text);
        }
        (void)f;
    } catch (const calc::Error& e) {
        fuzz::ExpectNotAFloat(e.text(), text);
    }
    // The same text in all four boxes goes through the engine for every shape.
    try {
        const calc::Dimensions dims = calc::ConvertDimensions({text, text, text, text}, sep);
        for (int shape = 1; shape <= 11; ++shape) {
            if (const auto table = calc::ComputeTable(shape, dims)) {
                (void)calc::VolumeText(shape, table->volume, sep);
            }
        }
    } catch (const calc::Error& e) {
        const std::string_view m = e.text();
        if (m != "Floating point overflow") fuzz::ExpectNotAFloat(m, text);
    }
    return 0;
}
