#include "calc/text.h"

#include <locale.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "calc/error.h"

namespace calc {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// strtold in the "C" locale, whatever locale the application has set.
long double CLocaleStrtold(const std::string& text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return strtold_l(text.c_str(), nullptr, cLocale);
}

// "d.ddd...e+XX" with the given number of digits after the point, correctly rounded
// (ties to even on the exact binary value), NUL-terminated.
// Both conversions are exact, so a value that a double holds exactly (every stored
// single does) takes the much faster double conversion with the same digits.
void ScientificDigits(char (&buf)[64], long double v, int precision) {
    const double d = static_cast<double>(v);
    const auto r =
        static_cast<long double>(d) == v
            ? std::to_chars(buf, buf + sizeof buf - 1, d, std::chars_format::scientific, precision)
            : std::to_chars(buf, buf + sizeof buf - 1, v, std::chars_format::scientific, precision);
    *r.ptr = '\0';
}

[[noreturn]] void NotAFloat(std::string_view text) {
    throw Error("'" + std::string(text) + "' is not a valid floating point value");
}

[[noreturn]] void NotAnInteger(std::string_view text) {
    throw Error("'" + std::string(text) + "' is not a valid integer value");
}

}  // namespace

long double TextToExtended(std::string_view text, std::string_view separator) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == ' ') ++i;

    // The number is rewritten in the C locale's form "-digits.digitsE+digits" and
    // handed to strtold, which rounds the exact decimal value to extended precision.
    std::string plain;
    plain.reserve(n + 4);
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') plain += '-';
        ++i;
    }
    bool digits = false;
    bool separatorSeen = false;
    std::string integerPart, fraction;
    while (i < n) {
        if (IsDigit(text[i])) {
            (separatorSeen ? fraction : integerPart) += text[i];
            digits = true;
            ++i;
        } else if (!separatorSeen && !separator.empty() && text.substr(i).starts_with(separator)) {
            separatorSeen = true;
            i += separator.size();
        } else {
            break;
        }
    }
    if (!digits && !separatorSeen) NotAFloat(text);
    plain += integerPart.empty() ? "0" : integerPart;
    plain += '.';
    plain += fraction;

    long exponent = 0;  // saturates far beyond any range that matters
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        plain += 'e';
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            plain += text[i++];
        }
        const std::size_t start = i;
        while (i < n && IsDigit(text[i])) {
            if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
            plain += text[i++];
        }
        if (i == start) NotAFloat(text);
        if (negativeExponent) exponent = -exponent;
    }
    while (i < n && text[i] == ' ') ++i;
    if (i != n) NotAFloat(text);

    // Most texts are short: up to 19 significant digits and a small power of ten are
    // exact in the extended type, and one multiplication or division of two exact
    // values rounds correctly, just as strtold does.
    const std::string all = integerPart + fraction;
    const std::size_t first = all.find_first_not_of('0');
    const std::size_t significant = first == std::string::npos ? 0 : all.size() - first;
    const long scale = exponent - static_cast<long>(fraction.size());
    if (significant <= 19 && scale >= -27 && scale <= 27) {
        std::uint64_t m = 0;
        for (std::size_t k = first == std::string::npos ? all.size() : first; k < all.size(); ++k) {
            m = m * 10 + static_cast<unsigned>(all[k] - '0');
        }
        long double power = 1.0L;
        for (long k = 0; k < (scale < 0 ? -scale : scale); ++k) power *= 10.0L;
        const long double magnitude = static_cast<long double>(m);
        const long double value = scale < 0 ? magnitude / power : magnitude * power;
        return plain[0] == '-' ? -value : value;
    }
    return CLocaleStrtold(plain);
}

std::string FormatNumber(long double value, std::string_view pattern, std::string_view separator) {
    // The pattern: zeros before the point give the minimum integer digits, zeros after
    // it the decimals; whatever follows the zeros is copied literally.
    std::size_t p = 0;
    int integerDigits = 0, decimals = 0;
    while (p < pattern.size() && pattern[p] == '0') ++integerDigits, ++p;
    if (p < pattern.size() && pattern[p] == '.') {
        ++p;
        while (p < pattern.size() && pattern[p] == '0') ++decimals, ++p;
    }
    const std::string_view suffix = pattern.substr(p);

    const bool negative = std::signbit(value);
    if (!std::isfinite(value)) {
        if (std::isnan(value)) return "NAN";
        return negative ? "-INF" : "INF";
    }
    const long double magnitude = std::fabs(value);

    // The first 18 significant digits decide everything.
    char buf[64];
    ScientificDigits(buf, magnitude, 17);
    std::string digits;
    for (const char* c = buf; *c && *c != 'e'; ++c) {
        if (IsDigit(*c)) digits += *c;
    }
    int exponent = std::atoi(std::strchr(buf, 'e') + 1);

    if (magnitude != 0.0L && exponent >= 18) {
        // General format: up to 15 significant digits, no trailing zeros, "E18".
        ScientificDigits(buf, magnitude, 14);
        std::string mantissa(buf, std::strchr(buf, 'e'));
        exponent = std::atoi(std::strchr(buf, 'e') + 1);
        std::string out = negative ? "-" : "";
        out += mantissa[0];
        std::string rest = mantissa.substr(2);
        while (!rest.empty() && rest.back() == '0') rest.pop_back();
        if (!rest.empty()) {
            out += separator;
            out += rest;
        }
        return out + "E" + std::to_string(exponent);
    }
    if (magnitude == 0.0L) exponent = 0;

    // value * 10^decimals as a whole number, rounded half away from zero on the digits.
    const int keep = exponent + 1 + decimals;
    std::string whole;
    if (magnitude == 0.0L || keep < 0) {
        whole = "0";
    } else if (keep >= static_cast<int>(digits.size())) {
        whole = digits + std::string(keep - digits.size(), '0');
    } else {
        whole = digits.substr(0, keep);
        if (digits[keep] >= '5') {
            int k = keep - 1;
            while (k >= 0 && whole[k] == '9') whole[k--] = '0';
            if (k >= 0) {
                ++whole[k];
            } else {
                whole.insert(whole.begin(), '1');
            }
        }
        if (whole.empty()) whole = "0";
    }
    const std::size_t firstNonZero = whole.find_first_not_of('0');
    const bool zero = firstNonZero == std::string::npos;
    whole = zero ? "" : whole.substr(firstNonZero);
    const std::size_t minimum = static_cast<std::size_t>(integerDigits + decimals);
    if (whole.size() < minimum) whole.insert(0, minimum - whole.size(), '0');

    std::string out = (negative && !zero) ? "-" : "";
    out += whole.substr(0, whole.size() - decimals);
    if (decimals > 0) {
        out += separator;
        out += whole.substr(whole.size() - decimals);
    }
    out += suffix;
    return out;
}

std::int32_t TextToInteger(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == ' ') ++i;

    std::size_t hexStart = std::string_view::npos;
    if (i < n && text[i] == '$') {
        hexStart = i + 1;
    } else if (i < n && (text[i] == 'x' || text[i] == 'X')) {
        hexStart = i + 1;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hexStart = i + 2;
    }

    if (hexStart != std::string_view::npos) {
        if (hexStart >= n) NotAnInteger(text);
        std::uint64_t v = 0;
        for (std::size_t k = hexStart; k < n; ++k) {
            const int d = HexDigit(text[k]);
            if (d < 0) NotAnInteger(text);
            v = v * 16 + static_cast<unsigned>(d);
            if (v > 0xFFFFFFFFull) NotAnInteger(text);
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    }

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= n) NotAnInteger(text);
    const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
    std::uint64_t v = 0;
    for (; i < n; ++i) {
        if (!IsDigit(text[i])) NotAnInteger(text);
        v = v * 10 + static_cast<unsigned>(text[i] - '0');
        if (v > limit) NotAnInteger(text);
    }
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(v))
                    : static_cast<std::int32_t>(v);
}

}  // namespace calc
