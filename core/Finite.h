#pragma once

// Geometry refuses non-finite input up front and checks its results before
// handing them out, so that an infinity or a NaN never reaches a drawing.

#include <cmath>
#include <initializer_list>

inline bool AllFinite(std::initializer_list<double> values)
{
    for (double value : values) {
        if (!std::isfinite(value))
            return false;
    }
    return true;
}
