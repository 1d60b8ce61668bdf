// Each shape is a small class: its constructor computes the values fixed before
// step 1 (radii, V), Percent gives the filled percentage at a stored level h.
// Formulas are written exactly in the order the arithmetic must happen: left to
// right, every operand an extended value, Store() wherever a value is kept in single
// precision. The constants are the double values the program has always used; they
// are not exact geometry and must not be replaced by more precise ones (configured
// instruments rely on these curves).
#include "calc/formulas.h"

#include "calc/catalogue.h"

namespace calc {

namespace {

constexpr Ext kPi{3.141593};
constexpr Ext kFourPi{12.566372};          // 4 x 3.141593, sphere volumes
constexpr Ext kThird{0.3333333333333333};  // the double nearest one third
constexpr Ext kTwoPi{6.283186};            // segment denominators
constexpr Ext kTurnsPerRadian{0.1591549255425512};
constexpr Ext kRadiansPerDegree{0.01745};
constexpr Ext kHalfCircleArc{3.141};  // arc of half a circle of radius 1
constexpr Ext kEighth{0.125};
constexpr Ext kQuarter{0.25};
constexpr Ext kHalf{0.5};
constexpr Ext k1{1};
constexpr Ext k2{2};
constexpr Ext k3{3};
constexpr Ext k4{4};
constexpr Ext k6{6};
constexpr Ext k100{100};
constexpr Ext k360{360};

// The lying cylinders' steps, inlined into the formulas: every step passes through
// them, and extended values handed through memory would cost more than the arithmetic.
[[gnu::always_inline]] inline CircleStepValues CircleStepsInline(Single R, Ext x) {
    CircleStepValues s;
    s.c = Store(k2 * Sqrt((k2 * R - x) * x));
    if (x == Ext(R)) {
        s.A = Single(180.0f);
    } else {
        s.t = Store(s.c / ((R - x) * k2));
        s.alpha = Store(ArcTan(s.t) * k2);
        s.A = Store(kTurnsPerRadian * s.alpha * k360);
    }
    s.arc = Store(kRadiansPerDegree * s.A * R);
    return s;
}

[[gnu::always_inline]] inline Ext SegmentInline(Single R, Ext x) {
    const CircleStepValues s = CircleStepsInline(R, x);
    return (R * s.arc - (R - x) * s.c) / (kTwoPi * R * R) * k100;
}

Single HalfCircleShareInline(Single R) {
    return Store(R * Store(kHalfCircleArc * R) / (kTwoPi * R * R) * k100);
}

[[gnu::always_inline]] inline CapAndSegment FilledInline(Single L, Single D, Single R, Single V,
                                                         Single x) {
    CapAndSegment f;
    f.Cp = Store(x * x * (k3 * R - x) / (k4 * R * R * R) * k100);
    f.Cv = Store(kFourPi * R * R * R * kThird * f.Cp);
    f.Sp = Store(SegmentInline(R, x));
    f.Yv = Store(D * D * kQuarter * kPi * L * f.Sp);
    f.P = Store((f.Cv + f.Yv) / V);
    return f;
}

}  // namespace

CircleStepValues CircleSteps(Single R, Ext x) { return CircleStepsInline(R, x); }
Ext SegmentPercent(Single R, Ext x) { return SegmentInline(R, x); }
Single HalfCircleShare(Single R) { return HalfCircleShareInline(R); }
CapAndSegment HemisphericalEndsFilled(Single L, Single D, Single R, Single V, Single x) {
    return FilledInline(L, D, R, V, x);
}

namespace {

// Shape 1: rectangular tank L x W x H.
struct RectangularTank {
    Single H, V;
    explicit RectangularTank(const Inputs& in) : H(in[2]), V(Store(in[0] * in[1] * H)) {}
    Single Percent(Single h) const { return Store(h / H * k100); }
};

// Shape 2: vertical cylinder of diameter D and height H.
struct VerticalCylinder {
    Single H, r, V;
    explicit VerticalCylinder(const Inputs& in)
        : H(in[1]), r(Store(in[0] * kHalf)), V(Store(kPi * r * r * H)) {}
    Single Percent(Single h) const { return Store(h / H * k100); }
};

// Shape 3: rectangular tank, straight part H1 over a sloped bottom H2 holding half
// the content of a box of the same plan.
struct SlopedBottomTank {
    Single H1, H2, V;
    explicit SlopedBottomTank(const Inputs& in)
        : H1(in[2]), H2(in[3]), V(Store(in[0] * in[1] * (H2 * kHalf + H1))) {}
    Single Percent(Single h) const {
        if (h > H2) return Store((k2 * h - H2) / (k2 * H1 + H2) * k100);
        return Store(h * kHalf / (H2 * kHalf + H1) * k100);
    }
};

// Shape 4: rectangular tank, straight part H1 over a hopper H2 holding a third of
// L x W x H2.
struct HopperBottomTank {
    Single H1, H2, V;
    explicit HopperBottomTank(const Inputs& in)
        : H1(in[2]), H2(in[3]), V(Store((kThird * H2 + H1) * (in[0] * in[1]))) {}
    Single Percent(Single h) const {
        if (h > H2) return Store((k3 * h - k2 * H2) / (k3 * H1 + H2) * k100);
        return Store(h * h / H2 / (k3 * H1 + H2) * k100);
    }
};

// Shape 5: vertical cylinder D x H1 on a cone of height H2, levels from the apex.
struct ConicalBottomCylinder {
    Single D, H1, H2, V;
    explicit ConicalBottomCylinder(const Inputs& in)
        : D(in[0]), H1(in[1]), H2(in[2]), V(Store(D * D * kQuarter * kPi * (H2 * kThird + H1))) {}
    Single Percent(Single h) const {
        if (h > H2) return Store((k3 * h - k2 * H2) / (k3 * H1 + H2) * k100);
        return Store(h * h * h / (H2 * H2) / (k3 * H1 + H2) * k100);
    }
};

// Shape 6: vertical cylinder whose bottom slopes from the deep wall H1 to the
// shallow wall H2; the slope spans the lowest H1 - H2 of the level.
struct SlopedBottomCylinder {
    Single D, H1, H2, V;
    explicit SlopedBottomCylinder(const Inputs& in)
        : D(in[0]), H1(in[1]), H2(in[2]), V(Store(D * D * kEighth * kPi * (H2 + H1))) {}
    Single Percent(Single h) const {
        if (H1 - H2 >= h) return Store(h / (H1 + H2) * k100);
        return Store((k2 * h + H2 - H1) / (H1 + H2) * k100);
    }
};

// Shape 7: vertical cylinder D x H1 on a dished bottom of depth H2.
struct DishedBottomCylinder {
    Single D, H1, H2, R, V;
    explicit DishedBottomCylinder(const Inputs& in)
        : D(in[0]),
          H1(in[1]),
          H2(in[2]),
          R(Store(D * kHalf)),
          V(Store(kPi * R * R * H1 +
                  H2 * (kPi * kThird) * ((k3 * D * D + k4 * H2 * H2) * kEighth))) {}
    // The dish denominator is evaluated afresh at every step.
    Ext K() const { return (k3 * D * D + k4 * H2 * H2) * H2 + k6 * D * D * H1; }
    Single Percent(Single h) const {
        if (h > H2) return Store((k1 - k6 * D * D * ((H1 - h) + H2) / K()) * k100);
        return Store((k3 * D * D + k4 * h * h) * h / K() * k100);
    }
};

// Shape 8: sphere of diameter D.
struct Sphere {
    Single D, R, V;
    explicit Sphere(const Inputs& in)
        : D(in[0]), R(Store(D * kHalf)), V(Store(kFourPi * R * R * R * kThird)) {}
    Single Percent(Single h) const {
        if (h > R) {
            return Store((D * D * D - (D - h) * (D - h) * (k2 * h + D)) / (D * D * D) * k100);
        }
        return Store(h * h * (k3 * R - h) / (k4 * R * R * R) * k100);
    }
};

// Shape 9: horizontal cylinder of length L and diameter D.
struct HorizontalCylinder {
    Single D, R, V, half;
    explicit HorizontalCylinder(const Inputs& in)
        : D(in[1]),
          R(Store(D * kHalf)),
          V(Store(D * D * kQuarter * kPi * in[0])),
          half(HalfCircleShareInline(R)) {}
    Single Percent(Single h) const {
        if (h > R) {
            const Ext e = D - h;  // empty depth above the liquid, not rounded
            return Store(half + half - SegmentInline(R, e));
        }
        return Store(SegmentInline(R, h));
    }
};

// Shape 10: horizontal cylinder of length L with an elliptical section W x H. The
// curve is the piecewise-quadratic one the program has always used.
struct HorizontalEllipticalCylinder {
    Single H, a, b, V;
    explicit HorizontalEllipticalCylinder(const Inputs& in)
        : H(in[2]), a(Store(in[1] * kHalf)), b(Store(H * kHalf)), V(Store(kPi * in[0] * a * b)) {}
    Single Percent(Single h) const {
        if (h > b) {
            const Single q = Store(b * b / (k2 * b * b));
            return Store((q + q - (H - h) * (H - h) / (k2 * b * b)) * k100);
        }
        return Store(h * h / (k2 * b * b) * k100);
    }
};

// Shape 11: horizontal cylinder with hemispherical ends; L is the straight part.
// Above the radius the curve mirrors the lower half: twice the share at the radius
// less the share of the empty depth above the liquid.
struct HemisphericalEndsCylinder {
    Single L, D, R, V, half;
    explicit HemisphericalEndsCylinder(const Inputs& in)
        : L(in[0]),
          D(in[1]),
          R(Store(D * kHalf)),
          V(Store(kPi * R * R * L + kFourPi * R * R * R * kThird)),
          half(Filled(R)) {}
    Single Filled(Single x) const { return FilledInline(L, D, R, V, x).P; }
    Single Percent(Single h) const {
        if (h > R) {
            const Single e = Store(D - h);
            return Store(half + half - Filled(e));
        }
        return Filled(h);
    }
};

template <class Formula>
void Fill(const Inputs& in, Single fullHeight, SetPointTable& table) {
    const Formula f(in);
    table.volume = f.V.value();
    for (int i = 1; i <= kSteps; ++i) {
        table.percent[i - 1] = f.Percent(StepLevel(i, fullHeight)).value();
    }
}

}  // namespace

Single FullHeight(int shape, const Inputs& in) {
    const auto [first, second] = Shape(shape).fullHeight;
    if (second < 0) return in[first];
    return Store(in[first] + in[second]);
}

void EvaluateShape(int shape, const Inputs& in, SetPointTable& table) {
    const Single hfull = FullHeight(shape, in);
    switch (shape) {
        case 1:
            return Fill<RectangularTank>(in, hfull, table);
        case 2:
            return Fill<VerticalCylinder>(in, hfull, table);
        case 3:
            return Fill<SlopedBottomTank>(in, hfull, table);
        case 4:
            return Fill<HopperBottomTank>(in, hfull, table);
        case 5:
            return Fill<ConicalBottomCylinder>(in, hfull, table);
        case 6:
            return Fill<SlopedBottomCylinder>(in, hfull, table);
        case 7:
            return Fill<DishedBottomCylinder>(in, hfull, table);
        case 8:
            return Fill<Sphere>(in, hfull, table);
        case 9:
            return Fill<HorizontalCylinder>(in, hfull, table);
        case 10:
            return Fill<HorizontalEllipticalCylinder>(in, hfull, table);
        case 11:
            return Fill<HemisphericalEndsCylinder>(in, hfull, table);
        default:
            return;
    }
}

}  // namespace calc
