// A whole start-up state made from the fuzzer's bytes: the tank data file, the
// settings file and the two shape lists, read through the state files and computed
// for every shape. Everything ends in a result or one of the program's error texts.
#include <string>
#include <vector>

#include "calc/catalogue.h"
#include "calc/error.h"
#include "calc/setpoints.h"
#include "fuzz_dir.h"
#include "fuzz_support.h"
#include "store/statefiles.h"

namespace {

// Splits the input at the byte sequence "\x01\x02" into up to four file contents.
std::vector<std::string_view> Parts(std::string_view all) {
    std::vector<std::string_view> parts;
    while (parts.size() < 3) {
        const std::size_t cut = all.find("\x01\x02");
        if (cut == std::string_view::npos) break;
        parts.push_back(all.substr(0, cut));
        all.remove_prefix(cut + 2);
    }
    parts.push_back(all);
    return parts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::EnterPrivateFolder();
    const auto parts = Parts(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string files[] = {store::TankDataPath(), store::SettingsPath(),
                                 calc::NativePath("INF", "E_TANK.TXT"),
                                 calc::NativePath("INF", "C_TANK.TXT")};
    for (std::size_t k = 0; k < 4; ++k) {
        if (k < parts.size()) {
            fuzz::WriteFile(files[k], parts[k]);
        } else {
            std::remove(files[k].c_str());
        }
    }

    calc::TankArray tanks{};
    store::LineBuffer buffer;
    bool chinese = false;
    std::uint16_t shape = 0;
    try {
        store::LoadTankData(buffer, tanks);
    } catch (const calc::Error& e) {
        fuzz::ExpectKnownError(e.text());
    }
    try {
        store::ReadLanguageFlag(buffer, chinese);
        store::LineBuffer names;
        names.LoadFromFile(files[chinese ? 3 : 2]);
        store::ReadLastShape(buffer, shape);
    } catch (const calc::Error& e) {
        fuzz::ExpectKnownError(e.text());
    }
    for (int n = 1; n <= calc::kShapeCount; ++n) {
        const calc::Tank& t = tanks[n - 1];
        try {
            const auto dims =
                calc::ConvertDimensions({t.Input1, t.Input2, t.Input3, t.Input4}, ".");
            if (const auto table = calc::ComputeTable(n, dims)) {
                (void)calc::VolumeText(n, table->volume, ".");
            }
        } catch (const calc::Error& e) {
            fuzz::ExpectKnownError(e.text());
        }
    }
    try {
        store::SaveTankData(buffer, tanks);
        store::WriteLastShape(buffer, shape);
    } catch (const calc::Error& e) {
        fuzz::ExpectKnownError(e.text());
    }
    return 0;
}
