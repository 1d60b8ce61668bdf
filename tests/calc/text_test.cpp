// Text to number, number to text and integer text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "calc/error.h"
#include "calc/ext.h"
#include "calc/text.h"
#include "error_text.h"

namespace {

using calc::Error;

using testutil::ErrorText;

float ToSingle(std::string_view text, std::string_view sep = ".") {
    return static_cast<float>(calc::TextToExtended(text, sep));
}

// A long double literal or a double operand must not slip into the formulas.
static_assert(!std::is_constructible_v<calc::Ext, long double>);
static_assert(!std::is_convertible_v<double, calc::Ext>);
static_assert(!std::is_convertible_v<float, calc::Single>);

struct NumberCase {
    const char* text;
    const char* sep;
    float expected;
};

TEST(TextToNumber, AcceptsTheGrammar) {
    const NumberCase cases[] = {
        {"1", ".", 1.0f},
        {" 1 ", ".", 1.0f},
        {"+1.5", ".", 1.5f},
        {"-2", ".", -2.0f},
        {".", ".", 0.0f},
        {"1.", ".", 1.0f},
        {".5", ".", 0.5f},
        {"1e3", ".", 1000.0f},
        {"1E+3", ".", 1000.0f},
        {"1e-3", ".", 0.001f},
        {"  -.5e1  ", ".", -5.0f},
        {"0.1", ".", 0.1f},
        {"9.9", ".", 9.9f},
        {"1,5", ",", 1.5f},
        {"007", ".", 7.0f},
        {".e1", ".", 0.0f},
        {"1e-5000", ".", 0.0f},
        {"1e-45", ".", 1e-45f},
        {"3.4028235e38", ".", 3.4028235e38f},
        {"2\xc2\xb7"
         "5",
         "\xc2\xb7", 2.5f},  // a separator of more than one byte
        // Rounded first to extended, then to single: the decimal value lies just above
        // the midpoint 1 + 2^-24 but within half an extended unit of it, so it rounds to
        // the midpoint and then, ties to even, down to 1 (directly it would round up).
        {"1.0000000596046447753906258470329472543003390683225006796419620513916015625", ".", 1.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToSingle(c.text, c.sep), c.expected) << c.text;
    }
    EXPECT_TRUE(std::signbit(ToSingle("-0")));
}

TEST(TextToNumber, RejectsEverythingElseWithTheTextQuoted) {
    const char* rejected[] = {"",    " ",     "1,5",   "3 m", "1e",  "1e+",   "e5",   "+",
                              "-",   "1..2",  "1.2.3", "\t1", "1\t", "1 2",   "0x10", "inf",
                              "nan", "1_000", "1 000", "--1", "+-1", "1e5.0", "1\n"};
    for (const char* text : rejected) {
        EXPECT_EQ(ErrorText([&] { calc::TextToExtended(text, "."); }),
                  std::string("'") + text + "' is not a valid floating point value")
            << text;
    }
    EXPECT_EQ(ErrorText([] { calc::TextToExtended("1.5", ","); }),
              "'1.5' is not a valid floating point value");
    const std::string nul(
        "1\0"
        "2",
        3);
    EXPECT_THROW(calc::TextToExtended(nul, "."), Error);
}

TEST(TextToNumber, ValuesBeyondExtendedRangeAreInfinite) {
    EXPECT_TRUE(std::isinf(calc::TextToExtended("1e5000", ".")));
    EXPECT_TRUE(std::isinf(calc::TextToExtended("-1e5000", ".")));
    EXPECT_TRUE(std::isinf(ToSingle("1e39")));
}

TEST(TextToNumber, HugeTextsEndInANumberOrTheError) {
    const std::string digits(200000, '7');
    EXPECT_TRUE(std::isinf(calc::TextToExtended(digits, ".")));
    EXPECT_EQ(ToSingle("0." + digits + "e-3"), 0.000777777777f);
    EXPECT_THROW(calc::TextToExtended(digits + "x", "."), Error);
    EXPECT_EQ(ToSingle("1e" + std::string(5000, '0')), 1.0f);
}

struct FormatCase {
    long double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatNumber, PatternsRoundHalvesAwayFromZero) {
    const FormatCase cases[] = {
        {5, "00", "05"},
        {20, "00", "20"},
        {9, "0.00", "9.00"},
        {0.125L, "0.00", "0.13"},
        {10.5L, "000.00", "010.50"},
        {1234.5L, "000.00", "1234.50"},
        {-0.125L, "000.00", "-000.13"},
        {-0.001L, "0.00", "0.00"},
        {-0.0L, "0.00", "0.00"},
        {0.005L, "0.00", "0.01"},
        {0.0049L, "0.00", "0.00"},
        {9.995L, "0.00", "10.00"},
        {99.999L, "000.00", "100.00"},
        {0, "000.00%", "000.00%"},
        {5, "000.00%", "005.00%"},
        {100, "000.00%", "100.00%"},
        {-80.5L, "000.00%", "-080.50%"},
        {59.399998f, "0.00", "59.40"},
        {38.877213f, "000.00", "038.88"},
        // A float just under 2.675 prints as 2.67: the decision is on its digits.
        {2.675f, "0.00", "2.67"},
        // Only the first 18 significant digits count: ...4999999999999999 rounds up.
        {0.12499999999999999999L, "0.00", "0.13"},
        {999999984306749440.0L, "000.00", "999999984306749440.00"},
        // From 1e18 on, the general format: 15 digits, no trailing zeros, no "%".
        {1e18L, "000.00", "1E18"},
        {8e18f, "000.00%", "7.999999874454E18"},
        {-1e20L, "0.00", "-1E20"},
        {std::numeric_limits<float>::max(), "000.00", "3.40282346638529E38"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(calc::FormatNumber(c.value, c.pattern, "."), c.expected)
            << static_cast<double>(c.value) << " " << c.pattern;
    }
    EXPECT_EQ(calc::FormatNumber(10.5L, "000.00", ","), "010,50");
    EXPECT_EQ(calc::FormatNumber(1.5e19L, "000.00", ","), "1,5E19");
}

TEST(FormatNumber, AnyValueEndsInAText) {
    EXPECT_EQ(calc::FormatNumber(std::numeric_limits<long double>::infinity(), "0.00", "."), "INF");
    EXPECT_EQ(calc::FormatNumber(-std::numeric_limits<long double>::infinity(), "0.00", "."),
              "-INF");
    EXPECT_EQ(calc::FormatNumber(std::nanl(""), "0.00", "."), "NAN");
    EXPECT_EQ(calc::FormatNumber(std::numeric_limits<long double>::denorm_min(), "000.00", "."),
              "000.00");
    EXPECT_EQ(calc::FormatNumber(std::numeric_limits<long double>::max(), "00", "."),
              "1.18973149535723E4932");
}

TEST(IntegerText, SignedDecimalAndHexadecimal) {
    const struct {
        const char* text;
        std::int32_t value;
    } accepted[] = {
        {"0", 0},
        {" 1", 1},
        {"+2", 2},
        {"-1", -1},
        {"$B", 11},
        {"$b", 11},
        {"0x1f", 31},
        {"0X1F", 31},
        {"x1F", 31},
        {"X10", 16},
        {"65537", 65537},
        {"00012", 12},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$FFFFFFFF", -1},
        {"$7FFFFFFF", INT32_MAX},
        {"$0000000001", 1},
    };
    for (const auto& c : accepted) EXPECT_EQ(calc::TextToInteger(c.text), c.value) << c.text;

    const char* rejected[] = {
        "",    " ",    "1 ",  "1a",         "$",           "0x",         "x",
        "-$1", "+0x1", "1.0", "2147483648", "-2147483649", "$100000000", "99999999999999999999",
        "\t1", "$G",   "- 1", "1e3"};
    for (const char* text : rejected) {
        EXPECT_EQ(ErrorText([&] { calc::TextToInteger(text); }),
                  std::string("'") + text + "' is not a valid integer value")
            << text;
    }
}

}  // namespace
