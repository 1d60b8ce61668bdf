#pragma once
// A private working folder for the targets that read and write the state files,
// which the program names relative to its working directory.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace fuzz {

// In memory where the system offers it: every save syncs its file, which on a disk
// would take most of the fuzzer's time. Removed again when the fuzzer exits.
inline void EnterPrivateFolder() {
    static const bool done = [] {
        namespace fs = std::filesystem;
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0
                                  ? fs::path("/dev/shm")
                                  : fs::temp_directory_path();
        static const fs::path dir = base / ("ostrelix-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(dir / "INF");
        fs::current_path(dir);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        });
        return true;
    }();
    (void)done;
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

}  // namespace fuzz
