#pragma once
// The formulas of the eleven shapes.
#include <array>

#include "calc/ext.h"
#include "calc/setpoints.h"

namespace calc {

// The four converted boxes of a computation, in box order.
using Inputs = std::array<Single, 4>;

// The circle steps of a lying cylinder of radius R at depth x from the bottom: the
// chord c and, through an angle A in degrees, the arc of the wetted circumference.
// At x == R exactly the angle is 180 and t and alpha are not formed (left 0).
struct CircleStepValues {
    Single c, t, alpha, A, arc;
};
CircleStepValues CircleSteps(Single R, Ext x);

// The filled share of the circle at depth x in percent, not rounded: the sector
// less the triangle over the circle area.
Ext SegmentPercent(Single R, Ext x);

// The share of a horizontal cylinder filled to its radius (shape 9's "half").
Single HalfCircleShare(Single R);

// The filled percentage of a horizontal cylinder with hemispherical ends at depth x,
// with its parts: cap percentage, cap volume x percent, segment percentage, cylinder
// volume x percent.
struct CapAndSegment {
    Single Cp, Cv, Sp, Yv, P;
};
CapAndSegment HemisphericalEndsFilled(Single L, Single D, Single R, Single V, Single x);

// The full level height of shape n: one input, or the sum of two rounded to single.
Single FullHeight(int shape, const Inputs& in);

// Computes V and the twenty percentages of shape 1 to 11 into the table. Faults are
// not reported here: they set the flag that the caller's FaultScope reads.
void EvaluateShape(int shape, const Inputs& in, SetPointTable& table);

}  // namespace calc
