#pragma once

// How a drawing element describes its shape: lengths and angles whose meaning
// belongs to each element kind.

#include "core/Angle.h"

#include <vector>

struct TShapeInfo {
    std::vector<double> Values;
    std::vector<TAngle> Angles;
};
