// Line files: any bytes load; what loads saves and loads again to the same lines.
#include <string>

#include "calc/error.h"
#include "fuzz_dir.h"
#include "fuzz_support.h"
#include "store/statefiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::EnterPrivateFolder();
    const std::string path = store::TankDataPath();
    fuzz::WriteFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        store::LineBuffer first;
        first.LoadFromFile(path);
        first.SaveToFile(path);
        store::LineBuffer second;
        second.LoadFromFile(path);
        if (first.Lines() != second.Lines()) fuzz::Fail("lines changed on a round trip", path);
        for (const std::string& line : second.Lines()) {
            if (line.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
                fuzz::Fail("a line holds a line end or NUL", line);
            }
        }
    } catch (const calc::Error& e) {
        fuzz::Fail("error on a readable file", e.text());
    }
    return 0;
}
