#pragma once
// The eleven vessel shapes, and the state the program keeps about them.
#include <array>
#include <cstdint>
#include <string>

namespace calc {

inline constexpr int kShapeCount = 11;

struct ShapeInfo {
    int number;                         // 1 to 11
    const char* descriptiveName;        // English name, also used for the shipped list
    std::array<const char*, 4> labels;  // label word per box, nullptr where the box is hidden
    // The full level height: the value of box fullHeight[0] (0-based), or, where
    // fullHeight[1] is not -1, the sum of the two boxes rounded to single.
    std::array<int, 2> fullHeight;
    const char* volumePattern;  // "0.00" or "000.00"
};

// The catalogue entry of shape n (1 to 11). Any other number is a programming error.
const ShapeInfo& Shape(int n);
bool IsShape(int n);

// "TANK_GP" + separator + "CASE" + n + ".BMP", with the native separator.
std::string PicturePath(int n);

// Native form of a path relative to the working directory, e.g. "INF/TankData.txt".
std::string NativePath(const char* folder, const char* file);

// The saved texts of one shape, byte strings exactly as they stood in the boxes.
struct Tank {
    std::string Input1;
    std::string Input2;
    std::string Input3;
    std::string Input4;
    std::string VolumeText;
};

using TankArray = std::array<Tank, kShapeCount>;

// Module-level state, alive from program load to exit: the saved texts of every
// shape (record n - 1 for shape n) and the selected shape (0: none).
inline TankArray Tanks;
inline std::uint16_t TankType = 0;

}  // namespace calc
