#pragma once
// A private working folder for the targets that read and write the state files,
// which the program names relative to its working directory.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fuzz {

inline void EnterPrivateFolder() {
    static const bool done = [] {
        const auto dir = std::filesystem::temp_directory_path() /
                         ("ostrelix-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "INF");
        std::filesystem::current_path(dir);
        return true;
    }();
    (void)done;
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

}  // namespace fuzz
