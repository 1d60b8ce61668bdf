#pragma once
// Shared checks of the fuzz targets: every failure must carry one of the program's
// own error texts, nothing else may escape.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

[[noreturn]] inline void Fail(const char* what, std::string_view detail) {
    std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline bool Quoted(std::string_view message, std::string_view text, std::string_view tail) {
    return message.size() == text.size() + tail.size() + 2 && message.front() == '\'' &&
           message.substr(1, text.size()) == text && message.substr(1 + text.size(), 1) == "'" &&
           message.substr(2 + text.size()) == tail;
}

// "'<text>' is not a valid floating point value" for exactly this text.
inline void ExpectNotAFloat(std::string_view message, std::string_view text) {
    if (!Quoted(message, text, " is not a valid floating point value")) {
        Fail("unexpected conversion error", message);
    }
}

inline void ExpectNotAnInteger(std::string_view message, std::string_view text) {
    if (!Quoted(message, text, " is not a valid integer value")) {
        Fail("unexpected integer error", message);
    }
}

// One of the texts the state files and the computation may fail with.
inline void ExpectKnownError(std::string_view m) {
    auto starts = [&](std::string_view p) { return m.substr(0, p.size()) == p; };
    auto ends = [&](std::string_view s) {
        return m.size() >= s.size() && m.substr(m.size() - s.size()) == s;
    };
    if (starts("Cannot open file ") || starts("Cannot create file ") || m == "Stream write error" ||
        m == "Floating point overflow" || (starts("List index out of bounds (") && ends(")")) ||
        (starts("'") && (ends("' is not a valid integer value") ||
                         ends("' is not a valid floating point value")))) {
        return;
    }
    Fail("unexpected error text", m);
}

}  // namespace fuzz
