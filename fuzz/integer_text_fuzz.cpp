// Integer text of the settings file: any bytes end in a value or the error for them.
// The value is checked against a reading of its own: leading spaces, then a sign and
// decimal digits within the signed 32-bit range, or "$", "x" or "0x" and hexadecimal
// digits up to FFFFFFFF taken as two's complement.
#include <charconv>
#include <optional>
#include <string>

#include "calc/error.h"
#include "calc/text.h"
#include "fuzz_support.h"

namespace {

std::optional<std::int32_t> Expected(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    auto all = [](std::string_view digits, int base) {
        return !digits.empty() &&
               digits.find_first_not_of(base == 16 ? "0123456789abcdefABCDEF" : "0123456789") ==
                   std::string_view::npos;
    };
    std::string_view hex;
    if (t.starts_with('$') || t.starts_with('x') || t.starts_with('X')) {
        hex = t.substr(1);
    } else if (t.starts_with("0x") || t.starts_with("0X")) {
        hex = t.substr(2);
    } else {
        bool negative = false;
        if (t.starts_with('+') || t.starts_with('-')) {
            negative = t.front() == '-';
            t.remove_prefix(1);
        }
        if (!all(t, 10)) return std::nullopt;
        while (t.size() > 1 && t.front() == '0') t.remove_prefix(1);
        if (t.size() > 10) return std::nullopt;
        std::int64_t v = 0;
        std::from_chars(t.data(), t.data() + t.size(), v);
        if (negative) v = -v;
        if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
        return static_cast<std::int32_t>(v);
    }
    if (!all(hex, 16)) return std::nullopt;
    while (hex.size() > 1 && hex.front() == '0') hex.remove_prefix(1);
    if (hex.size() > 8) return std::nullopt;
    std::uint32_t v = 0;
    std::from_chars(hex.data(), hex.data() + hex.size(), v, 16);
    return static_cast<std::int32_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> expected = Expected(text);
    try {
        const std::int32_t v = calc::TextToInteger(text);
        if (!expected) fuzz::Fail("accepted a text that is no integer", text);
        if (v != *expected) fuzz::Fail("wrong value for", text);
    } catch (const calc::Error& e) {
        if (expected) fuzz::Fail("refused an integer", text);
        fuzz::ExpectNotAnInteger(e.text(), text);
    }
    return 0;
}
