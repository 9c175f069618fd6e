// The pens and point-marker shapes every new document starts with.
//
// Screen pens give the colour numbers "1" to "9", the background "B", the
// display-only colour "G", the selection "S" and the cross-hair "Z"; print
// pens the colour numbers, "G" and "B". A drawing file replaces some of them.
//
// Marker shapes are small element lists drawn around the origin at the base
// size s = 2.5 (h = s / 2); a marker point places the shape of its code.
// Polar points step one running angle from a start angle. A white solid is
// pen colour 10 (its own colour) with the colour white; an arc solid (line
// type 101) keeps its ellipse in its corners: centre, (radius, flatness),
// (tilt, start), (arc, 100 for a whole ellipse).

#include "document/ZhdData.h"

#include "core/Constants.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"

#include <boost/make_shared.hpp>

#include <cmath>
#include <vector>

namespace {

int Rgb(int red, int green, int blue)
{
    return red + green * 256 + blue * 65536;
}

struct ScreenPen {
    const char* name;
    int color;
};

struct PrintPen {
    const char* name;
    int color;
    int width;
    double point_radius;
};

constexpr double base_size = 2.5;
constexpr double half_size = base_size / 2;
constexpr int white = 0xFFFFFF;
constexpr std::uint8_t arc_solid_style = 101;

using Points = std::vector<TBPoint>;

Points PolarPoints(double radius, double start, double step, int count)
{
    Points points;
    double angle = start;
    for (int i = 0; i < count; ++i) {
        points.emplace_back(radius * std::cos(angle), radius * std::sin(angle));
        angle += step;
    }
    return points;
}

void AddLine(TZhdElemList& shape, const TBPoint& start, const TBPoint& end)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(start, end);
    shape.Append(line);
}

// Lines between the points of each pair of indexes.
void AddLines(TZhdElemList& shape, const Points& points, std::initializer_list<std::pair<int, int>> pairs)
{
    for (const auto& [from, to] : pairs)
        AddLine(shape, points[from], points[to]);
}

void AddPoint(TZhdElemList& shape)
{
    shape.Append(boost::make_shared<TKPoint>());
}

void AddCircle(TZhdElemList& shape, TBPoint center, double radius, double start, double arc, int full_circle)
{
    shape.Append(boost::make_shared<TKCircle>(center, radius, TAngle(start), TAngle(arc), TAngle(), 1.0,
                                              full_circle));
}

void AddSolid(TZhdElemList& shape, const Points& corners, bool own_white, std::uint8_t pen_style = 1)
{
    auto solid = boost::make_shared<TKSolid>();
    solid->SetSolid(corners[0], corners[1], corners[2], corners[3], own_white ? white : 0);
    if (own_white)
        solid->SetPenColor(TKSolid::OwnColorPen);
    solid->SetPenStyle(pen_style);
    shape.Append(solid);
}

const Points& SquareCorners()
{
    static const Points corners { { half_size, half_size }, { -half_size, half_size },
                                  { -half_size, -half_size }, { half_size, -half_size } };
    return corners;
}

// Tip at the origin, base 3s back on the negative x side; the last corner
// repeats the third so the arrowhead fills as a triangle.
const Points& ArrowCorners()
{
    static const Points corners { { 0.0, 0.0 }, { -3 * base_size, half_size },
                                  { -3 * base_size, -half_size }, { -3 * base_size, -half_size } };
    return corners;
}

const Points& ArcSolidCorners()
{
    static const Points corners { { 0.0, 0.0 }, { half_size, 1.0 }, { 0.0, 0.0 }, { 2 * Pi, 100.0 } };
    return corners;
}

void AddSquareLines(TZhdElemList& shape)
{
    AddLines(shape, SquareCorners(), { { 0, 1 }, { 1, 2 }, { 2, 3 }, { 3, 0 } });
}

void AddWholeCircle(TZhdElemList& shape)
{
    AddCircle(shape, TBPoint(), half_size, 0.0, 2 * Pi, 1);
}

void AddClosedArrow(TZhdElemList& shape)
{
    AddLines(shape, ArrowCorners(), { { 0, 1 }, { 1, 2 }, { 2, 0 } });
}

TZhdElemList MarkerShape(int code)
{
    TZhdElemList shape;
    switch (code) {
    case -7:
        AddLines(shape, PolarPoints(half_size, Pi / 4, Pi / 2, 4), { { 0, 2 }, { 1, 3 } });
        break;
    case -6:
        AddLines(shape, PolarPoints(2 * base_size / 3, Pi / 2, 2 * Pi / 3, 3), { { 0, 1 }, { 1, 2 }, { 2, 0 } });
        break;
    case -5:
        AddSquareLines(shape);
        break;
    case -4:
        AddLines(shape, { { 0.0, half_size }, { -half_size, 0.0 }, { 0.0, -half_size }, { half_size, 0.0 } },
                 { { 0, 2 }, { 1, 3 } });
        break;
    case -3:
    case 0:
        AddPoint(shape);
        break;
    case -2:
    case 4:
        AddWholeCircle(shape);
        break;
    case -1:
        AddLines(shape, PolarPoints(half_size, Pi / 6, Pi / 3, 6), { { 0, 3 }, { 1, 4 }, { 2, 5 } });
        break;
    case 1:
        AddSolid(shape, ArrowCorners(), true);
        AddClosedArrow(shape);
        break;
    case 2:
        AddSolid(shape, SquareCorners(), true);
        AddSquareLines(shape);
        break;
    case 3:
        AddSolid(shape, ArcSolidCorners(), true, arc_solid_style);
        AddWholeCircle(shape);
        break;
    case 5:
        AddSolid(shape, SquareCorners(), false);
        break;
    case 6:
        AddSolid(shape, ArrowCorners(), false);
        break;
    case 7:
        AddSolid(shape, ArcSolidCorners(), false, arc_solid_style);
        break;
    case 8: {
        const double k = half_size * std::cos(Pi / 4);
        AddCircle(shape, TBPoint(k, 0.0), k, Pi / 2, Pi / 2, 0);
        AddCircle(shape, TBPoint(-k, 0.0), k, 3 * Pi / 2, Pi / 2, 0);
        break;
    }
    case 9:
        AddLines(shape, ArrowCorners(), { { 0, 1 }, { 2, 0 } });
        break;
    case 10:
        AddLines(shape, PolarPoints(half_size, Pi / 4, Pi, 2), { { 0, 1 } });
        break;
    case 11:
        AddClosedArrow(shape);
        break;
    default:
        break;
    }
    return shape;
}

} // namespace

void TZhdData::FillDefaultPens()
{
    static const ScreenPen screen_pens[] = {
        { "1", Rgb(255, 255, 255) }, { "2", Rgb(255, 255, 0) }, { "3", Rgb(0, 255, 255) },
        { "4", Rgb(0, 255, 0) },     { "5", Rgb(0, 0, 255) },   { "6", Rgb(255, 0, 255) },
        { "7", Rgb(128, 64, 0) },    { "8", Rgb(0, 128, 0) },   { "G", Rgb(128, 128, 64) },
        { "H", Rgb(192, 192, 192) }, { "S", Rgb(255, 0, 0) },   { "K", Rgb(200, 0, 0) },
        { "B", Rgb(0, 0, 0) },       { "Z", Rgb(128, 128, 128) }, { "M", Rgb(200, 200, 200) },
    };
    static const PrintPen print_pens[] = {
        { "1", Rgb(0, 255, 0), 13, 0.2 },   { "2", Rgb(0, 0, 0), 18, 0.3 },
        { "3", Rgb(0, 0, 0), 25, 0.4 },     { "4", Rgb(0, 0, 0), 35, 0.5 },
        { "5", Rgb(0, 255, 0), 20, 0.4 },   { "6", Rgb(0, 0, 0), 40, 0.6 },
        { "7", Rgb(128, 64, 0), 13, 0.2 },  { "8", Rgb(255, 0, 0), 20, 0.3 },
        { "9", Rgb(255, 170, 170), 1, 0.2 }, { "G", Rgb(64, 64, 64), 1, 0.0 },
        { "B", Rgb(255, 255, 255), 1, 0.0 },
    };
    for (const ScreenPen& pen : screen_pens)
        pen_map_[pen.name].SetPen(pen.color, 1);
    // "9" is the pen of "H".
    pen_map_["9"] = pen_map_["H"];
    for (const PrintPen& pen : print_pens)
        prt_pen_map_[pen.name].SetAll(pen.color, pen.width, pen.point_radius, "");
}

void TZhdData::BuildMarkerShapes()
{
    for (int code = -7; code <= 11; ++code)
        marker_shapes_[code] = MarkerShape(code);
}
