#pragma once

#include <numbers>

// The nearest double to pi, and degrees per radian computed from it; the
// angle and geometry code relies on these exact values.
inline constexpr double Pi = std::numbers::pi;
inline constexpr double DegreesPerRadian = 180.0 / Pi;
