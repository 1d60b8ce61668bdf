// Number formatting: any extended value with each pattern ends in a text, and a
// fixed-format text is the value rounded to the pattern's decimals.
#include <cmath>
#include <cstring>
#include <string>

#include "calc/text.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 11) return 0;
    long double v = 0;
    std::memcpy(&v, data, 10);  // any 80-bit pattern, unnormal and NaN encodings included
    static const char* const kPatterns[] = {"00", "0.00", "000.00", "000.00%"};
    const std::string pattern = kPatterns[data[10] % 4];
    const std::string text = calc::FormatNumber(v, pattern, ".");
    if (text.empty()) fuzz::Fail("empty text for", pattern);
    // Only values that survive arithmetic (no unnormal encodings) are checked further.
    if (!std::isfinite(v) || !(v * 1.0L == v) || std::fabs(v) >= 1e18L) return 0;

    // The first 18 digits decide: just under 1e18 may already take the general format.
    if (text.find('E') != std::string::npos) {
        if (std::fabs(v) < 999999999999999990.0L) fuzz::Fail("general format below 1e18", text);
        return 0;
    }
    const int decimals = pattern == "00" ? 0 : 2;
    std::string digits = text;
    if (pattern.back() == '%') {
        if (digits.back() != '%') fuzz::Fail("no percent sign", text);
        digits.pop_back();
    }
    const long double back = std::strtold(digits.c_str(), nullptr);
    const long double unit = decimals == 0 ? 1.0L : 0.01L;
    if (std::fabs(back - v) > unit / 2 * (1 + 1e-12L) + std::fabs(v) * 1e-17L) {
        fuzz::Fail("text is not the rounded value", text);
    }
    if (text[0] == '-' && back == 0) fuzz::Fail("minus sign on zero", text);
    return 0;
}
