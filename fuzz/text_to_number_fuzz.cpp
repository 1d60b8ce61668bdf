// Box text to number: any bytes end in a number or the conversion error for them.
// An accepted text must be exactly one of the box grammar's texts, and its value must
// be the text's decimal value correctly rounded to extended precision (the C
// library's strtold on the same number written in the C locale's form).
#include <locale.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "calc/error.h"
#include "calc/ext.h"
#include "calc/setpoints.h"
#include "calc/text.h"
#include "fuzz_support.h"

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }

// The box grammar read on its own: spaces, a sign, digits with at most one
// separator, an exponent with at least one digit, spaces. Gives the number in the
// C locale's form ("-12.5e+3"), or nothing when the text is not a number.
std::optional<std::string> Canonical(std::string_view t, std::string_view sep) {
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    std::string out;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) out += t[i++];
    bool digit = false, point = false;
    for (;;) {
        if (i < t.size() && Digit(t[i])) {
            out += t[i++];
            digit = true;
        } else if (!point && t.substr(i).starts_with(sep)) {
            out += '.';
            i += sep.size();
            point = true;
        } else {
            break;
        }
    }
    if (!digit && !point) return std::nullopt;
    if (!digit) out += '0';  // a lone separator is zero
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        out += t[i++];
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) out += t[i++];
        if (i >= t.size() || !Digit(t[i])) return std::nullopt;
        while (i < t.size() && Digit(t[i])) out += t[i++];
    }
    while (i < t.size() && t[i] == ' ') ++i;
    if (i != t.size()) return std::nullopt;
    return out;
}

bool SameExtended(long double a, long double b) {
    return std::memcmp(&a, &b, 10) == 0 || (a == b && std::signbit(a) == std::signbit(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the decimal separator, as locales differ.
    static const char* const kSeparators[] = {".", ",", "\xc2\xb7", "\xd9\xab"};
    const std::string_view sep = kSeparators[data[0] % 4];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::optional<std::string> canonical = Canonical(text, sep);
    try {
        const long double v = calc::TextToExtended(text, sep);
        if (!canonical) fuzz::Fail("accepted a text that is no number", text);
        if (std::isnan(v)) fuzz::Fail("NaN from", text);
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        const long double expected = strtold_l(canonical->c_str(), nullptr, cLocale);
        if (!SameExtended(v, expected)) fuzz::Fail("value differs from strtold for", text);
        (void)calc::RoundToSingle(v);
    } catch (const calc::Error& e) {
        if (canonical) fuzz::Fail("refused a number", text);
        fuzz::ExpectNotAFloat(e.text(), text);
    }
    // The same text in all four boxes goes through the engine for every shape.
    try {
        const calc::Dimensions dims = calc::ConvertDimensions({text, text, text, text}, sep);
        for (int shape = 1; shape <= 11; ++shape) {
            if (const auto table = calc::ComputeTable(shape, dims)) {
                if (!std::isfinite(table->volume)) fuzz::Fail("volume not finite for", text);
                for (const float p : table->percent) {
                    if (!std::isfinite(p)) fuzz::Fail("percentage not finite for", text);
                }
                (void)calc::VolumeText(shape, table->volume, sep);
            }
        }
    } catch (const calc::Error& e) {
        const std::string_view m = e.text();
        if (m != "Floating point overflow") fuzz::ExpectNotAFloat(m, text);
    }
    return 0;
}
