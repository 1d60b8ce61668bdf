#pragma once
#include <stdexcept>
#include <string>

namespace calc {

// An error with the text the user is shown. Every failure the program reports
// (a text that is no number, a missing file, a missing line, ...) is one of these.
// text() is the whole text, also where it holds a NUL byte (a text typed or loaded
// may), which what() would cut short.
class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& text) : std::runtime_error(text), text_(text) {}
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

}  // namespace calc
