#include "calc/catalogue.h"

#include <cassert>
#include <filesystem>

namespace calc {

namespace {

// Box k's label word; nullptr hides the box and its label for the shape.
constexpr const char* kLength = "Length";
constexpr const char* kWidth = "Width";
constexpr const char* kHeight = "Height";
constexpr const char* kHeight1 = "Height1";
constexpr const char* kHeight2 = "Height2";
constexpr const char* kDiameter = "Diameter";

constexpr int kNone = -1;

constexpr ShapeInfo kShapes[kShapeCount] = {
    {1, "Rectangular tank", {kLength, kWidth, kHeight, nullptr}, {2, kNone}, "0.00"},
    {2, "Vertical cylinder", {kDiameter, kHeight, nullptr, nullptr}, {1, kNone}, "0.00"},
    {3,
     "Rectangular tank with sloped bottom",
     {kLength, kWidth, kHeight1, kHeight2},
     {2, 3},
     "000.00"},
    {4,
     "Rectangular tank with hopper bottom",
     {kLength, kWidth, kHeight1, kHeight2},
     {2, 3},
     "000.00"},
    {5,
     "Vertical cylinder with conical bottom",
     {kDiameter, kHeight1, kHeight2, nullptr},
     {1, 2},
     "000.00"},
    {6,
     "Vertical cylinder with sloped bottom",
     {kDiameter, kHeight1, kHeight2, nullptr},
     {1, kNone},
     "000.00"},
    {7,
     "Vertical cylinder with dished bottom",
     {kDiameter, kHeight1, kHeight2, nullptr},
     {1, 2},
     "000.00"},
    {8, "Sphere", {kDiameter, nullptr, nullptr, nullptr}, {0, kNone}, "000.00"},
    {9, "Horizontal cylinder", {kLength, kDiameter, nullptr, nullptr}, {1, kNone}, "000.00"},
    {10,
     "Horizontal elliptical cylinder",
     {kLength, kWidth, kHeight, nullptr},
     {2, kNone},
     "000.00"},
    {11,
     "Horizontal cylinder with hemispherical ends",
     {kLength, kDiameter, nullptr, nullptr},
     {1, kNone},
     "000.00"},
};

}  // namespace

bool IsShape(int n) { return n >= 1 && n <= kShapeCount; }

const ShapeInfo& Shape(int n) {
    assert(IsShape(n));
    return kShapes[n - 1];
}

std::string NativePath(const char* folder, const char* file) {
    return (std::filesystem::path(folder) / file).make_preferred().string();
}

std::string PicturePath(int n) {
    const std::string file = "CASE" + std::to_string(n) + ".BMP";
    return NativePath("TANK_GP", file.c_str());
}

}  // namespace calc
