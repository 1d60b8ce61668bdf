#pragma once
#include <stdexcept>
#include <string>

namespace calc {

// An error with the text the user is shown. Every failure the program reports
// (a text that is no number, a missing file, a missing line, ...) is one of these.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace calc
