#pragma once

// Intersection points as the tables of the tests write them: rounded to a
// millionth, with their tags.

#include "core/BPoint.h"

#include <cmath>
#include <ostream>
#include <vector>

struct Tagged {
    double x, y;
    int tag;
    bool operator==(const Tagged&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Tagged& point)
{
    return out << "(" << point.x << ", " << point.y << " #" << point.tag << ")";
}

inline std::vector<Tagged> Rounded(const std::vector<TBPoint>& points)
{
    std::vector<Tagged> tagged;
    for (const TBPoint& point : points) {
        const auto round = [](double v) { return std::round(v * 1e6) / 1e6 + 0.0; };
        tagged.push_back({ round(point.GetX()), round(point.GetY()), point.GetTag() });
    }
    return tagged;
}
