// The set-point tables of the eleven shapes, compared as stored single-precision
// values: a percentage a transmitter is configured with is either the right float or
// wrong.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "calc/catalogue.h"
#include "calc/error.h"
#include "calc/formulas.h"
#include "calc/setpoints.h"
#include "error_text.h"

namespace {

using calc::Single;
using Texts = std::array<const char*, 4>;

std::optional<calc::SetPointTable> Compute(int shape, const Texts& t) {
    return calc::ComputeTable(shape, calc::ConvertDimensions({t[0], t[1], t[2], t[3]}, "."));
}

calc::SetPointTable Table(int shape, const Texts& t) {
    const auto table = Compute(shape, t);
    EXPECT_TRUE(table.has_value()) << "shape " << shape << " faulted";
    return table.value_or(calc::SetPointTable{});
}

float Step(const calc::SetPointTable& t, int i) { return t.percent[i - 1]; }

// One checked value of a table. tolerance 0: the exact float. Otherwise the value as
// printed with few digits, and the float pinned beside it.
struct Point {
    int step;  // 0: the volume
    float exact;
    double printed = 0;
    double tolerance = 0;
};

struct Example {
    int shape;
    Texts texts;
    const char* volumeText;
    std::vector<Point> points;
};

TEST(SetPointTable, WorkedExamplesAreBitExact) {
    const Example examples[] = {
        {1,
         {"2.5", "1.2", "3", "0"},
         "Volume=9.00",
         {{0, 9.0f}, {1, 5.0f}, {2, 10.0f}, {10, 50.0f}, {20, 100.0f}}},
        {1,
         {"2", "3", "9.9", "0"},
         "Volume=59.40",
         {{0, 59.399998f}, {1, 5.0f}, {3, 14.999999f}, {6, 29.999998f}, {10, 50.0f}, {20, 100.0f}}},
        {1, {"1", "1", "7.3", "0"}, "Volume=7.30", {{11, 55.000004f}, {20, 100.0f}}},
        // The level of step 17 is 0.25500003, not 0.255: 0.05 is the double, kept at
        // extended precision.
        {1, {"1", "1", "0.3", "0"}, "Volume=0.30", {{17, 85.00001f}}},
        {2,
         {"3", "4", "0", "0"},
         "Volume=28.27",
         {{0, 28.274338f}, {1, 5.0f}, {10, 50.0f}, {20, 100.0f}}},
        {3,
         {"2", "1.5", "3", "1"},
         "Volume=010.50",
         {{0, 10.5f},
          {1, 2.8571429f},
          {5, 14.285714f},
          {6, 20.000002f},
          {10, 42.857143f},
          {20, 100.0f}}},
        {4,
         {"2", "1.5", "3", "1.5"},
         "Volume=010.50",
         {{0, 10.5f},
          {1, 0.32142857f},
          {6, 11.571429f},
          {7, 16.428574f},
          {10, 35.714287f},
          {20, 100.0f}}},
        {5,
         {"3", "5", "1.5", "0"},
         "Volume=038.88",
         {{0, 38.877213f},
          {2, 0.73973054f, 0.739731, 5e-7},
          {10, 40.909092f, 40.9091, 5e-5},
          {20, 100.0f}}},
        {6,
         {"3", "4", "1", "0"},
         "Volume=017.67",
         {{0, 17.671461f}, {5, 20.0f}, {15, 60.0f}, {19, 92.0f}}},
        {7,
         {"3", "5", "1", "0"},
         "Volume=039.40",
         {{0, 39.400814f},
          {3, 9.041861f, 9.04186, 5e-6},
          {10, 46.1794f, 46.1794, 5e-5},
          {20, 100.0f}}},
        {8,
         {"4", "0", "0", "0"},
         "Volume=033.51",
         {{0, 33.510326f}, {4, 10.400001f}, {10, 50.0f}, {12, 64.8f}}},
        {9,
         {"10", "2", "0", "0"},
         "Volume=031.42",
         {{0, 31.41593f},
          {1, 1.8665926f, 1.86659, 5e-6},
          {5, 19.54382f, 19.5438, 5e-5},
          {10, 49.990562f, 49.9906, 5e-5},
          {15, 80.43731f, 80.4373, 5e-5},
          {20, 99.981125f, 99.9811, 5e-5}}},
        {10,
         {"10", "2", "3", "0"},
         "Volume=047.12",
         {{0, 47.123894f},
          {1, 0.50000006f},
          {5, 12.5f},
          {7, 24.499998f},
          {8, 32.000004f},
          {10, 50.0f},
          {15, 87.5f},
          {20, 100.0f}}},
        {11,
         {"10", "2", "0", "0"},
         "Volume=035.60",
         {{0, 35.604721f},
          {1, 1.7322876f, 1.73229, 5e-6},
          {5, 19.08278f, 19.0828, 5e-5},
          {10, 49.991673f},
          {15, 80.900566f, 80.9006, 5e-5},
          {20, 99.983345f, 99.9833, 5e-5}}},
        // A sphere: shape 11 without a straight part.
        {11,
         {"0", "2", "0", "0"},
         "Volume=004.19",
         {{0, 4.188791f},
          {5, 15.624999f, 15.6250, 5e-5},
          {10, 49.999996f, 50.0000, 5e-5},
          {20, 99.99999f, 100.0000, 5e-5}}},
    };
    for (const auto& ex : examples) {
        SCOPED_TRACE("shape " + std::to_string(ex.shape) + " " + ex.texts[0] + " " + ex.texts[1] +
                     " " + ex.texts[2]);
        const auto t = Table(ex.shape, ex.texts);
        EXPECT_EQ(calc::VolumeText(ex.shape, t.volume, "."), ex.volumeText);
        for (const auto& p : ex.points) {
            const float got = p.step == 0 ? t.volume : Step(t, p.step);
            EXPECT_EQ(got, p.exact) << "step " << p.step;
            if (p.tolerance > 0) EXPECT_NEAR(got, p.printed, p.tolerance) << "step " << p.step;
        }
    }
}

TEST(SetPointTable, IntermediatesOfTheLyingCylinders) {
    const Single R(1.0f);
    const calc::CircleStepValues s = calc::CircleSteps(R, R * calc::Ext(0.5));
    EXPECT_EQ(s.c.value(), 1.7320508f);
    EXPECT_EQ(s.t.value(), 1.7320508f);
    EXPECT_EQ(s.alpha.value(), 2.0943952f);
    EXPECT_EQ(s.A.value(), 119.99999f);
    EXPECT_EQ(s.arc.value(), 2.0939999f);
    EXPECT_EQ(calc::Store(calc::SegmentPercent(R, calc::Ext(0.5))).value(), 19.543819f);

    // At the radius the angle is 180 and the arc 3.141 x R.
    const calc::CircleStepValues atRadius = calc::CircleSteps(R, R);
    EXPECT_EQ(atRadius.A.value(), 180.0f);
    EXPECT_EQ(atRadius.arc.value(), static_cast<float>(0.01745L * 180 * 1));
    EXPECT_EQ(calc::HalfCircleShare(R).value(), 49.990562f);

    const Single L(10.0f), D(2.0f), V(35.604721f);
    const calc::CapAndSegment f = calc::HemisphericalEndsFilled(L, D, R, V, Single(0.5f));
    EXPECT_EQ(f.Cp.value(), 15.625f);
    EXPECT_EQ(f.Cv.value(), 65.44985f);
    EXPECT_EQ(f.Sp.value(), 19.543819f);
    EXPECT_EQ(f.Yv.value(), 613.98724f);
    EXPECT_NEAR(f.P.value(), 19.0828, 5e-5);
    const calc::CapAndSegment half = calc::HemisphericalEndsFilled(L, D, R, V, R);
    EXPECT_EQ(half.Cp.value(), 50.0f);
    EXPECT_EQ(half.Sp.value(), 49.990562f);
    EXPECT_EQ(half.P.value(), 49.991673f);
}

TEST(ExtendedArithmetic, ArcTanIsTheLibraryArcTangentOfTheDoubleArgument) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> mantissa(-2.0, 2.0);
    std::uniform_int_distribution<int> exponent(-40, 40);
    for (int n = 0; n < 20000; ++n) {
        const double d = std::ldexp(mantissa(rng), exponent(rng));
        ASSERT_EQ(calc::ArcTan(calc::Ext(d)).raw(), std::atan(static_cast<long double>(d))) << d;
    }
    // The argument is rounded to double first.
    const long double x = 1.0L + 0x1p-60L;
    EXPECT_EQ(calc::ArcTan(calc::Ext::Raw(x)).raw(), std::atan(1.0L));
    EXPECT_EQ(calc::Sqrt(calc::Ext::Raw(x)).raw(), 1.0L);
}

TEST(SetPointTable, LevelsOfStepTenAndTwentyAreExact) {
    // The double 0.05 exceeds 1/20 by far less than half a unit of single precision.
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> mantissa(1.0f, 2.0f);
    std::uniform_int_distribution<int> exponent(-60, 60);
    for (int n = 0; n < 20000; ++n) {
        const float h = std::ldexp(mantissa(rng), exponent(rng));
        ASSERT_EQ(calc::StepLevel(20, Single(h)).value(), h) << h;
        ASSERT_EQ(calc::StepLevel(10, Single(h)).value(), h * 0.5f) << h;
    }
}

TEST(SetPointTable, CurvesThatDependOnTheHeightOnly) {
    // Shapes 1 and 2: 5 x i up to one unit in the last place; 100 at step 20.
    // Shape 8: exactly 50 at its radius. Shape 10: the same curve for every height.
    const calc::SetPointTable ten = Table(10, {"10", "2", "3", "0"});
    for (const char* h : {"0.1", "0.3", "1", "2.5", "7.3", "9.9", "1234.5", "1e-30", "3e30"}) {
        SCOPED_TRACE(h);
        for (const auto& [shape, texts] :
             {std::pair{1, Texts{"2", "1", h, "0"}}, std::pair{2, Texts{"2", h, "0", "0"}}}) {
            const auto t = Table(shape, texts);
            for (int i = 1; i <= 20; ++i) {
                const float five = 5.0f * i;
                EXPECT_LE(std::fabs(Step(t, i) - five), std::nextafter(five, 200.0f) - five);
            }
            EXPECT_EQ(Step(t, 20), 100.0f);
        }
        if (std::stof(h) < 1e12f) EXPECT_EQ(Step(Table(8, {h, "0", "0", "0"}), 10), 50.0f);
        const auto other = Table(10, {"7", "9", h, "0"});
        for (int i = 1; i <= 20; ++i) EXPECT_NEAR(Step(other, i), Step(ten, i), 2e-5) << i;
        EXPECT_EQ(Step(other, 20), 100.0f);
    }
    for (int i = 1; i <= 20; ++i) {
        const double expected = i <= 10 ? i * i / 2.0 : 100 - (20 - i) * (20 - i) / 2.0;
        EXPECT_NEAR(Step(ten, i), expected, 1e-5) << i;
    }
}

TEST(SetPointTable, LyingCylindersAreSymmetricAboutTheRadius) {
    const Texts cases[] = {{"10", "2", "0", "0"},
                           {"3", "1.7", "0", "0"},
                           {"0.5", "12.5", "0", "0"},
                           {"0", "2", "0", "0"},
                           {"1000", "0.3", "0", "0"}};
    for (int shape : {9, 11}) {
        for (const auto& texts : cases) {
            const auto t = Table(shape, texts);
            for (int i = 1; i <= 9; ++i) {
                EXPECT_NEAR(Step(t, i) + Step(t, 20 - i), Step(t, 20), 2e-5)
                    << "shape " << shape << " L " << texts[0] << " D " << texts[1] << " i " << i;
            }
        }
    }
    // As the straight part grows against D, shape 11's full value falls towards 99.9811.
    EXPECT_GT(Step(Table(11, {"1", "2", "0", "0"}), 20),
              Step(Table(11, {"100", "2", "0", "0"}), 20));
    EXPECT_NEAR(Step(Table(11, {"1e6", "2", "0", "0"}), 20), 99.9811, 1e-4);
}

TEST(SetPointTable, ZeroAndNegativeDimensionsThatAreNoFault) {
    struct Row {
        int shape;
        Texts texts;
        int step;
        float expected;
        double tolerance;
    };
    const Row rows[] = {
        {1, {"0", "1", "2", "0"}, 7, 35.0f, 0},     // no length: V is 0, same curve
        {1, {"-2", "1", "2", "0"}, 7, 35.0f, 0},    // negative length: same curve
        {1, {"1", "1", "-2", "0"}, 7, 35.0f, 0},    // negative height
        {3, {"2", "1", "0", "1"}, 7, 35.0f, 1e-5},  // H1 0: all in the bottom band
        {3, {"2", "1", "3", "0"}, 7, 35.0f, 1e-5},  // H2 0: all in the straight band
        {4, {"2", "1", "0", "3"}, 10, 25.0f, 0},    // a bare hopper
        {4, {"2", "1", "0", "3"}, 5, 6.25f, 0},
        {4, {"2", "1", "3", "0"}, 7, 35.0f, 1e-5},       // no hopper
        {5, {"3", "0", "2", "0"}, 10, 12.5f, 0},         // a bare cone
        {5, {"3", "4", "0", "0"}, 7, 35.0f, 1e-5},       // a plain cylinder
        {6, {"3", "4", "4", "0"}, 7, 35.0f, 1e-5},       // no slope
        {6, {"3", "4", "0", "0"}, 7, 35.0f, 1e-5},       // slope over the whole height
        {6, {"2", "1", "3", "0"}, 1, 52.5f, 0},          // H2 above H1
        {7, {"0", "5", "1", "0"}, 1, 2.7f, 1e-6},        // no diameter: (h / H2)^3 in the dish
        {7, {"0", "5", "1", "0"}, 5, 100.0f, 0},         // and 100 above it
        {7, {"3", "4", "0", "0"}, 7, 35.0f, 1e-5},       // a plain cylinder
        {8, {"-4", "0", "0", "0"}, 4, 10.400001f, 0},    // negative D: the same curve
        {9, {"10", "-2", "0", "0"}, 1, 98.1145f, 5e-5},  // runs backwards
        {9, {"10", "-2", "0", "0"}, 20, 0.0f, 0},
        {9, {"0", "2", "0", "0"}, 10, 49.990562f, 0},   // no length
        {10, {"10", "2", "-3", "0"}, 1, -80.5f, 1e-4},  // steps 1 to 9 in the upper band
        {10, {"10", "2", "-3", "0"}, 10, 50.0f, 0},
        {10, {"10", "2", "-3", "0"}, 20, 200.0f, 0},
        {10, {"0", "0", "3", "0"}, 5, 12.5f, 0},
    };
    for (const auto& r : rows) {
        const auto t = Table(r.shape, r.texts);
        const std::string what = "shape " + std::to_string(r.shape) + " " + r.texts[0] + " " +
                                 r.texts[1] + " " + r.texts[2] + " step " + std::to_string(r.step);
        if (r.tolerance == 0) {
            EXPECT_EQ(Step(t, r.step), r.expected) << what;
        } else {
            EXPECT_NEAR(Step(t, r.step), r.expected, r.tolerance) << what;
        }
    }
    EXPECT_EQ(calc::VolumeText(1, Table(1, {"-2", "1", "2", "0"}).volume, "."), "Volume=-4.00");
    EXPECT_EQ(calc::VolumeText(3, Table(3, {"0", "1", "2", "1"}).volume, "."), "Volume=000.00");
    EXPECT_EQ(Table(8, {"-4", "0", "0", "0"}).volume, -33.510326f);
    EXPECT_EQ(Table(9, {"10", "-2", "0", "0"}).volume, 31.41593f);  // V keeps the sign of L
    EXPECT_EQ(Table(9, {"-10", "-2", "0", "0"}).volume, -31.41593f);
    EXPECT_EQ(Table(7, {"0", "5", "1", "0"}).volume, 0.52359885f);
    EXPECT_EQ(calc::VolumeText(7, 0.52359885f, "."), "Volume=000.52");
    EXPECT_EQ(Table(5, {"3", "4", "0", "0"}).volume, Table(7, {"3", "4", "0", "0"}).volume);
    // Hidden boxes play no part, whatever number they hold.
    EXPECT_EQ(Table(9, {"10", "2", "-7", "1e30"}).percent, Table(9, {"10", "2", "0", "0"}).percent);
}

TEST(SetPointTable, ArithmeticFaultsGiveNoTable) {
    struct Row {
        int shape;
        Texts texts;
        const char* why;
    };
    const Row rows[] = {
        {1, {"2", "1", "0", "0"}, "0 / 0 at step 1"},
        {2, {"2", "0", "0", "0"}, "0 / 0 at step 1"},
        {3, {"2", "1", "0", "0"}, "both heights 0"},
        {3, {"2", "1", "-2", "4"}, "straight-band divisor 2 H1 + H2 = 0"},
        {4, {"2", "1", "0", "0"}, "both heights 0"},
        {5, {"2", "0", "0", "0"}, "both heights 0"},
        {5, {"2", "-1", "0", "0"}, "no cone and H1 <= 0: divides by H2 x H2"},
        {6, {"2", "1", "-1", "0"}, "H1 + H2 = 0"},
        {6, {"2", "0", "0", "0"}, "both heights 0"},
        {7, {"2", "0", "0", "0"}, "K = 0: both heights 0"},
        {7, {"0", "5", "0", "0"}, "K = 0: D and H2 0"},
        {8, {"0", "0", "0", "0"}, "D = 0"},
        {9, {"10", "0", "0", "0"}, "D = 0"},
        {10, {"10", "2", "0", "0"}, "H = 0"},
        {11, {"10", "0", "0", "0"}, "D = 0"},
        {1, {"1e13", "1e13", "1e13", "0"}, "V beyond single range"},
        {2, {"1e20", "1e20", "0", "0"}, "V beyond single range"},
        {3, {"1", "1", "3e38", "3e38"}, "Hfull beyond single range"},
        {8, {"1e13", "0", "0", "0"}, "V beyond single range"},
        {9, {"1e30", "1e5", "0", "0"}, "V beyond single range"},
        {11, {"0", "3e12", "0", "0"}, "cap volume x percent overflows though V does not"},
        {11, {"1e37", "2", "0", "0"}, "cylinder volume x percent overflows though V does not"},
        {1, {"1", "1", "1", "1e39"}, "the last box overflowed when it was converted"},
    };
    for (const auto& r : rows) {
        EXPECT_FALSE(Compute(r.shape, r.texts).has_value()) << "shape " << r.shape << ": " << r.why;
    }
    // Large but in range: no fault.
    EXPECT_TRUE(Compute(11, {"0", "1e12", "0", "0"}).has_value());
    EXPECT_TRUE(Compute(1, {"1e12", "1e12", "1e12", "0"}).has_value());
}

TEST(ConvertDimensions, OverflowSurfacesWithTheNextBox) {
    auto error = [](std::array<std::string_view, 4> texts) {
        return testutil::ErrorText([&] { calc::ConvertDimensions(texts, "."); });
    };
    EXPECT_EQ(error({"1e39", "1", "1", "1"}), "Floating point overflow");
    EXPECT_EQ(error({"1", "1", "-1e39", "1"}), "Floating point overflow");
    EXPECT_EQ(error({"1e5000", "1", "1", "1"}), "Floating point overflow");
    EXPECT_EQ(error({"1e39", "abc", "1", "1"}), "Floating point overflow");
    EXPECT_EQ(error({"1", "", "1e39", "1"}), "'' is not a valid floating point value");
    EXPECT_EQ(error({"1", "1", "1", "1,5"}), "'1,5' is not a valid floating point value");
    const calc::Dimensions last = calc::ConvertDimensions({"1", "2", "3", "1e39"}, ".");
    EXPECT_TRUE(last.overflowPending);
    EXPECT_EQ(last.value[2], 3.0f);
    EXPECT_FALSE(calc::ConvertDimensions({"1", "2", "3", "1e-50"}, ".").overflowPending);
    // Halfway between the largest single and 2^128 is the edge: below it the value rounds
    // to the largest single, from it on it overflows.
    const auto edge = calc::ConvertDimensions({"1", "2", "3", "3.4028235677973366e38"}, ".");
    EXPECT_FALSE(edge.overflowPending);
    EXPECT_EQ(edge.value[3], std::numeric_limits<float>::max());
    EXPECT_TRUE(
        calc::ConvertDimensions({"1", "2", "3", "3.4028235677973367e38"}, ".").overflowPending);
    EXPECT_EQ(calc::RoundToDouble(0x1.fffffffffffff7p1023L), std::numeric_limits<double>::max());
    EXPECT_TRUE(std::isinf(calc::RoundToDouble(0x1.fffffffffffff8p1023L)));
}

TEST(ShapeCatalogue, LabelsHiddenBoxesAndPictures) {
    const struct {
        int shape;
        Texts labels;
        const char* pattern;
    } rows[] = {
        {1, {"Length", "Width", "Height", nullptr}, "0.00"},
        {2, {"Diameter", "Height", nullptr, nullptr}, "0.00"},
        {3, {"Length", "Width", "Height1", "Height2"}, "000.00"},
        {4, {"Length", "Width", "Height1", "Height2"}, "000.00"},
        {5, {"Diameter", "Height1", "Height2", nullptr}, "000.00"},
        {6, {"Diameter", "Height1", "Height2", nullptr}, "000.00"},
        {7, {"Diameter", "Height1", "Height2", nullptr}, "000.00"},
        {8, {"Diameter", nullptr, nullptr, nullptr}, "000.00"},
        {9, {"Length", "Diameter", nullptr, nullptr}, "000.00"},
        {10, {"Length", "Width", "Height", nullptr}, "000.00"},
        {11, {"Length", "Diameter", nullptr, nullptr}, "000.00"},
    };
    for (const auto& r : rows) {
        const calc::ShapeInfo& s = calc::Shape(r.shape);
        for (int k = 0; k < 4; ++k) {
            EXPECT_STREQ(s.labels[k] ? s.labels[k] : "-", r.labels[k] ? r.labels[k] : "-")
                << r.shape << " box " << k + 1;
        }
        EXPECT_STREQ(s.volumePattern, r.pattern);
    }
    EXPECT_EQ(calc::PicturePath(7), "TANK_GP/CASE7.BMP");
    EXPECT_EQ(calc::PicturePath(12), "TANK_GP/CASE12.BMP");
    EXPECT_EQ(calc::NativePath("INF", "TankData.txt"), "INF/TankData.txt");
    EXPECT_FALSE(calc::IsShape(0));
    EXPECT_FALSE(calc::IsShape(12));
    EXPECT_FALSE(calc::ComputeTable(12, {}).has_value());
}

TEST(SetPointTable, StepLabels) {
    EXPECT_EQ(calc::StepLabel(0), "0");
    EXPECT_EQ(calc::StepLabel(1), "LP[01]=");
    EXPECT_EQ(calc::StepLabel(20), "LP[20]=");
    EXPECT_EQ(calc::LegendValue(0.0, "."), "000.00%");
    EXPECT_EQ(calc::LegendValue(0.73973054f, "."), "000.74%");
    EXPECT_EQ(calc::LegendValue(100.0f, "."), "100.00%");
}

}  // namespace
