#pragma once
// The set-point table: the total volume of a vessel and the filled percentage at
// 5 %, 10 %, ... 100 % of its full level height.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ext.h"

namespace calc {

inline constexpr int kSteps = 20;

// The four box values, converted in box order and rounded to single precision.
// overflowPending is set when the last box's value lay beyond the single range:
// that overflow shows itself only when the shape's computation starts.
struct Dimensions {
    std::array<float, 4> value{};
    bool overflowPending = false;
};

// Converts the four box texts in order. Throws Error with the conversion message of
// the first text that is no number, or Error("Floating point overflow") when the
// value of box k (k = 1 to 3) overflows single precision: that fault surfaces when
// box k + 1 is converted, before its text is looked at.
Dimensions ConvertDimensions(const std::array<std::string_view, 4>& texts,
                             std::string_view decimalSeparator);

struct SetPointTable {
    float volume = 0.0f;                  // V, single precision
    std::array<float, kSteps> percent{};  // p of step 1 to 20
};

// Computes shape 1 to 11 from the converted boxes. An arithmetic fault anywhere
// (a zero divisor, an invalid operation, a value beyond single range when stored,
// or an overflow pending from the last box) gives no table.
std::optional<SetPointTable> ComputeTable(int shape, const Dimensions& dims);

// The level of step i (1 to 20): (i x Hfull) x 0.05 rounded to single.
Single StepLevel(int i, Single fullHeight);

// "LP[01]=" ... "LP[20]="; point 0 has the label "0".
std::string StepLabel(int i);

// "Volume=" + V with the shape's volume pattern.
std::string VolumeText(int shape, float volume, std::string_view decimalSeparator);

// "000.00%" of a chart value (the stored percentage widened to double).
std::string LegendValue(double value, std::string_view decimalSeparator);

}  // namespace calc
