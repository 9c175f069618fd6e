// Filling arc solids (ellipse, sector, segment, the figure closed by the end
// tangents, rings) clipped to the output area.
//
// The figure is not handed to the canvas whole: a huge circle of which a
// corner shows would cost its whole outline. Instead the outline is clipped
// in drawing coordinates and only what can be seen is sampled.
//
// The outline is one closed path of elliptic arcs and segments, in order:
//   ellipse, segment, sector, tangent figure: the arc from its start J to its
//     end K, then back to J straight (chord), through the centre, or through
//     the corner T where the end tangents meet;
//   ring: the first ellipse from J1 to K1, the closing edge K1-K2, the second
//     ellipse backwards from K2 to J2, the closing edge J2-J1. This path goes
//     round exactly the area between the two ellipses within the sweep, so
//     filling it fills the ring, and its clipped loops are its visible
//     parts. The second ellipse is taken as the point set it is, laid over
//     the first (see SecondArcOf). A whole ring has no closing edges; it is
//     filled as two half rings, each such a path.
//
// Clipping. The path is cut where it crosses the border of the output area
// (the arc primitive's border crossings for the arcs, Liang-Barsky for the
// segments); a piece is kept when its middle lies inside. Consecutive kept
// pieces form runs, each entering the area at a border point and leaving it
// at another. From each exit the loop follows the border in the sense in
// which the outline goes round (counter-clockwise for a positive area) to
// the nearest entry: that stretch of border lies inside the figure, since the
// figure is on the outline's inner side (the outline never crosses itself:
// the ring's ellipses nest, the tangents' corner lies beyond the arc). Every
// exit is thus paired with one
// entry, so the loops close by construction: no containment test per border
// piece, no matching of end points by distance, and as many loops as the
// area cuts the figure into (a ring seen from inside its hole may show three
// or four parts). Each loop is filled as one polygon. When no piece is
// inside, the output area lies wholly inside or wholly outside the figure,
// and one containment test of its centre decides.
//
// Arcs are sampled one output pixel apart by parameter (the step is a pixel
// over the larger semi-axis), and only within runs; a budget per piece, well
// above what a visible piece needs, caps the points should absurd sizes ask
// for more. Cost: the crossings with the four sides plus the visible length.
//
// Drawn as nothing (result 0): corners that are not all finite, a radius of
// 0, a flat ellipse (flatness 0: the crossing solver has no circle frame for
// it), a ring whose ellipses cross each other, a figure of no area, a view
// without a usable scale or size.

#include "render/InfoReg.h"

#include "core/Constants.h"
#include "core/EllipseArc.h"
#include "core/Finite.h"
#include "elements/KCircle.h"
#include "elements/KSolid.h"
#include "platform/Canvas.h"
#include "render/DeviceClip.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr double full_turn = 2 * Pi;
// A piece whose middle lies this close to the border (output pixels) counts
// as outside. An edge lying along the border is then left to the border
// walk, which draws the same line; taken as inside it would pair its ends
// the wrong way round.
constexpr double border_margin_pixels = 1e-4;
// Output coordinates this close to a whole pixel are that pixel: a point
// on the right or bottom border must not truncate to the pixel before it.
constexpr double whole_pixel_snap = 1e-6;
// The outline's area relative to the square of its larger radius below
// which the figure has no area worth filling.
constexpr double least_relative_area = 1e-12;

enum class SolidFigure { Ellipse, Ring, ArcLine };

SolidFigure FigureOf(const TKSolid& solid)
{
    switch (solid.GetPenStyle()) {
    case TKSolid::SameFlatnessRingKind:
    case TKSolid::ConstantWidthRingKind:
        return SolidFigure::Ring;
    case TKSolid::ArcLineKind:
        return SolidFigure::ArcLine;
    default:
        return SolidFigure::Ellipse;
    }
}

bool HasFiniteCorners(const TKSolid& solid)
{
    const TBPoint corners[4] = { solid.GetPoint1(), solid.GetPoint2(), solid.GetPoint3(), solid.GetPoint4() };
    return std::all_of(std::begin(corners), std::end(corners),
                       [](const TBPoint& p) { return AllFinite({ p.GetX(), p.GetY() }); });
}

// Kind value 100 of the ellipse kinds: the whole ellipse, whatever the
// stored arc angle says (a whole ellipse is commonly stored with arc 0).
bool IsWholeEllipse(const TKSolid& solid, SolidFigure figure)
{
    return figure != SolidFigure::Ring && solid.GetPoint4().GetY() == TKSolid::WholeEllipseValue;
}

bool IsWholeRing(const TKCircle& first)
{
    return first.GetFullCircle() != 0 || std::fabs(first.GetArcAngle().GetRadians()) >= full_turn;
}

// The solid as its own containment test should see the figure drawn here:
// every kind that is neither ring nor arc line is an ellipse kind, and a
// kind value without a figure of its own is closed by its chord.
TKSolid ContainmentShape(const TKSolid& solid, SolidFigure figure)
{
    TKSolid shape = solid;
    if (figure != SolidFigure::Ellipse)
        return shape;
    shape.SetPenStyle(TKSolid::EllipseKind);
    const double value = solid.GetPoint4().GetY();
    if (value != TKSolid::WholeEllipseValue && value != TKSolid::SectorValue && value != TKSolid::TangentsValue)
        shape.SetPoint4(TBPoint(solid.GetPoint4().GetX(), TKSolid::SegmentValue));
    return shape;
}

// An ellipse of the solid with a positive radius and a sweep in [0, full
// turn]: the same points, in the form the crossing solver and the walk along
// the arc expect.
EllipseArcDescription ArcOf(const TKCircle& circle, bool whole)
{
    EllipseArcDescription arc { circle.GetCenter().GetX(),
                                circle.GetCenter().GetY(),
                                circle.GetRadius(),
                                TAngle(circle.GetStartAngle().GetRadians()),
                                TAngle(circle.GetArcAngle().GetRadians()),
                                circle.GetFlatness(),
                                TAngle(circle.GetTiltAngle().GetRadians()) };
    arc = arc.WithPositiveSweep();
    if (whole || arc.sweep.GetRadians() > full_turn)
        arc.sweep = TAngle(full_turn);
    // Radius -r along the tilt is radius r along the opposite direction.
    if (arc.r < 0) {
        arc.r = -arc.r;
        arc.tilt = TAngle(arc.tilt.GetRadians() + Pi);
    }
    return arc;
}

// The ring's second ellipse as the point set it is, laid over the first:
// same centre, tilt and sweep, semi-axes of the same signs as the first's.
// Taken as stored, a negative second radius (or, for the constant-width
// ring, a width beyond the first's minor semi-axis) would put its arc on
// the far side of the centre and the closing edges would cross the
// outline; laid over, the path goes round the area between the two
// ellipses. False when there is no such area to go round: a flat second
// ellipse (which the crossing solver cannot cut) or two ellipses that cross
// each other rather than one lying within the other.
bool SecondArcOf(const EllipseArcDescription& first, const TKCircle& second, EllipseArcDescription& arc)
{
    arc = first;
    arc.r = std::fabs(second.GetRadius());
    arc.ratio = std::copysign(std::fabs(second.GetFlatness()), first.ratio);
    if (arc.r == 0)
        return true;
    if (!std::isfinite(arc.r) || !std::isfinite(arc.ratio) || arc.ratio == 0)
        return false;
    const double minor = arc.r * std::fabs(arc.ratio), first_minor = first.r * std::fabs(first.ratio);
    const bool within = arc.r <= first.r && minor <= first_minor;
    const bool around = arc.r >= first.r && minor >= first_minor;
    return within || around;
}

// One curve of the outline: an arc, traced over the offsets from its start
// (0 to its sweep, or back), or a segment, traced over 0 to 1.
struct OutlineCurve {
    bool is_arc = false;
    EllipseArcDescription arc;
    bool backward = false;
    TBPoint from, to;

    TBPoint PointAt(double parameter) const
    {
        if (!is_arc)
            return TBPoint(from.GetX() + (to.GetX() - from.GetX()) * parameter,
                           from.GetY() + (to.GetY() - from.GetY()) * parameter);
        double x = 0, y = 0;
        arc.PointAtParameter(TAngle(arc.start.GetRadians() + parameter), x, y);
        return TBPoint(x, y);
    }
};

struct SolidOutline {
    // An arc and two segments, or two arcs and two segments (a ring).
    std::array<OutlineCurve, 4> curves;
    std::size_t count = 0;
    // Twice the area divided by the larger radius squared; positive when the
    // path goes round counter-clockwise (y up).
    double orientation = 0;

    void AddArc(const EllipseArcDescription& arc, bool backward)
    {
        OutlineCurve& curve = curves[count++];
        curve.is_arc = true;
        curve.arc = arc;
        curve.backward = backward;
    }
    void AddSegment(const TBPoint& from, const TBPoint& to)
    {
        OutlineCurve& curve = curves[count++];
        curve.from = from;
        curve.to = to;
    }
};

// The enclosed area by Green's theorem, about the common centre of the
// ellipses and in units of the larger radius, so that no square overflows:
// an elliptic arc adds r^2 f times its parameter range, a segment the cross
// product of its ends.
double OrientationOf(const SolidOutline& outline, const TBPoint& centre, double unit)
{
    double twice_area = 0;
    for (std::size_t i = 0; i < outline.count; ++i) {
        const OutlineCurve& curve = outline.curves[i];
        if (curve.is_arc) {
            const double r = curve.arc.r / unit;
            const double sweep = curve.arc.sweep.GetRadians();
            twice_area += r * r * curve.arc.ratio * (curve.backward ? -sweep : sweep);
        } else {
            const double x1 = (curve.from.GetX() - centre.GetX()) / unit, y1 = (curve.from.GetY() - centre.GetY()) / unit;
            const double x2 = (curve.to.GetX() - centre.GetX()) / unit, y2 = (curve.to.GetY() - centre.GetY()) / unit;
            twice_area += x1 * y2 - x2 * y1;
        }
    }
    return twice_area;
}

// The closed outline of the figure; false when it has nothing to fill.
bool BuildOutline(const TKSolid& solid, SolidFigure figure, const TKCircle& first, const TKCircle& second,
                  SolidOutline& outline)
{
    const bool whole = IsWholeEllipse(solid, figure);
    const EllipseArcDescription inner = ArcOf(first, whole);
    if (!inner.IsFinite() || inner.r == 0 || inner.ratio == 0)
        return false;
    double x = 0, y = 0;
    inner.PointAtParameter(inner.start, x, y);
    const TBPoint start(x, y);
    inner.PointAtParameter(inner.start + inner.sweep, x, y);
    const TBPoint end(x, y);
    const TBPoint centre(inner.cx, inner.cy);
    double unit = inner.r;

    outline.AddArc(inner, false);
    if (figure == SolidFigure::Ring) {
        EllipseArcDescription outer;
        if (!SecondArcOf(inner, second, outer))
            return false;
        outer.PointAtParameter(outer.start, x, y);
        const TBPoint outer_start(x, y);
        outer.PointAtParameter(outer.start + outer.sweep, x, y);
        const TBPoint outer_end(x, y);
        outline.AddSegment(end, outer_end);
        outline.AddArc(outer, true);
        outline.AddSegment(outer_start, start);
        unit = std::max(unit, outer.r);
    } else if (!whole) {
        const double value = solid.GetPoint4().GetY();
        TKSolid::FigureCorners corners;
        if (value == TKSolid::SectorValue) {
            outline.AddSegment(end, centre);
            outline.AddSegment(centre, start);
        } else if (value == TKSolid::TangentsValue && solid.GetFigureCorners(corners)
                   && corners.has_tangent_corner) {
            outline.AddSegment(end, corners.tangent_corner);
            outline.AddSegment(corners.tangent_corner, start);
        } else {
            outline.AddSegment(end, start);
        }
    }
    outline.orientation = OrientationOf(outline, centre, unit);
    return std::fabs(outline.orientation) > least_relative_area;
}

// A stretch of one curve of the outline between two cuts.
struct OutlinePiece {
    std::size_t curve = 0;
    double from = 0;
    double to = 0;
    bool inside = false;
};

bool IsWellInside(const TBPoint& point, const TClipBox& inner)
{
    return point.GetX() > inner.min_x && point.GetX() < inner.max_x && point.GetY() > inner.min_y
        && point.GetY() < inner.max_y;
}

// Cuts the outline where it crosses the border of `box`, in the outline's
// order; `crossings` gives an arc's ascending border offsets, its sweep last.
template <typename BorderCrossings>
void CutAtBorder(const SolidOutline& outline, const TClipBox& box, const TClipBox& inner,
                 BorderCrossings&& crossings, std::vector<OutlinePiece>& pieces)
{
    // The ends and at most two crossings with each of the four sides.
    std::array<double, 12> cuts {};
    for (std::size_t index = 0; index < outline.count; ++index) {
        const OutlineCurve& curve = outline.curves[index];
        std::size_t count = 0;
        cuts[count++] = 0;
        if (curve.is_arc) {
            const double sweep = curve.arc.sweep.GetRadians();
            for (const double offset : crossings(curve.arc)) {
                if (offset > cuts[count - 1] && offset < sweep && count + 1 < cuts.size())
                    cuts[count++] = offset;
            }
            cuts[count++] = sweep;
        } else {
            double t0 = 0, t1 = 1;
            if (ClipParameters(curve.from, curve.to, box, t0, t1)) {
                if (t0 > 0)
                    cuts[count++] = t0;
                if (t1 > t0 && t1 < 1)
                    cuts[count++] = t1;
            }
            cuts[count++] = 1;
        }
        const auto add = [&](double from, double to) {
            if (from != to)
                pieces.push_back({ index, from, to, IsWellInside(curve.PointAt((from + to) / 2), inner) });
        };
        if (curve.backward) {
            for (std::size_t i = count - 1; i > 0; --i)
                add(cuts[i], cuts[i - 1]);
        } else {
            for (std::size_t i = 0; i + 1 < count; ++i)
                add(cuts[i], cuts[i + 1]);
        }
    }
}

// The border of the output area as a counter-clockwise loop (y up) from
// its lower-left corner, points on it placed by their distance along it.
class OutputBorder {
public:
    explicit OutputBorder(const TClipBox& box)
        : box_(box), width_(box.max_x - box.min_x), height_(box.max_y - box.min_y)
    {
    }

    double Perimeter() const { return 2 * (width_ + height_); }
    // 0 lower left, 1 lower right, 2 upper right, 3 upper left.
    TBPoint Corner(int corner) const
    {
        return TBPoint(corner == 1 || corner == 2 ? box_.max_x : box_.min_x,
                       corner >= 2 ? box_.max_y : box_.min_y);
    }
    double CornerPosition(int corner) const
    {
        const double positions[4] = { 0, width_, width_ + height_, 2 * width_ + height_ };
        return positions[corner];
    }
    TBPoint Centre() const { return TBPoint((box_.min_x + box_.max_x) / 2, (box_.min_y + box_.max_y) / 2); }

    // The position of the border point nearest to the point.
    double PositionOf(const TBPoint& point) const
    {
        const double x = std::clamp(point.GetX(), box_.min_x, box_.max_x);
        const double y = std::clamp(point.GetY(), box_.min_y, box_.max_y);
        const double to_side[4] = { y - box_.min_y, box_.max_x - x, box_.max_y - y, x - box_.min_x };
        const int side = static_cast<int>(std::min_element(std::begin(to_side), std::end(to_side)) - to_side);
        switch (side) {
        case 0:
            return x - box_.min_x;
        case 1:
            return width_ + (y - box_.min_y);
        case 2:
            return width_ + height_ + (box_.max_x - x);
        default:
            return std::fmod(2 * width_ + height_ + (box_.max_y - y), Perimeter());
        }
    }

    // How far the position `to` lies beyond `from` going round in `sense`
    // (+1 counter-clockwise), in [0, perimeter).
    double Ahead(double from, double to, int sense) const
    {
        const double perimeter = Perimeter();
        double ahead = std::fmod(sense > 0 ? to - from : from - to, perimeter);
        if (ahead < 0)
            ahead += perimeter;
        return ahead;
    }

private:
    TClipBox box_;
    double width_;
    double height_;
};

// A run of consecutive pieces inside the output area.
struct BorderRun {
    std::size_t first = 0;
    std::size_t count = 0;
    double entry = 0; // border positions
    double exit = 0;
};

// One fill: turns the cut outline into loops of output pixels and fills
// each as a polygon.
class SolidFill {
public:
    // `pixel`: drawing millimetres per output pixel. A visible piece of an
    // ellipse is no longer than the border around it (the ellipse is
    // convex); the budget of points per piece is well above that.
    SolidFill(const TInfoREG& info, TCanvas& canvas, const SolidOutline& outline, const OutputBorder& border,
              double pixel, std::vector<TPointI>& points)
        : info_(info), canvas_(canvas), outline_(outline), border_(border), points_(points), pixel_(pixel),
          max_samples_(8.0 * (info.PixelWidth + info.PixelHeight) + 1024)
    {
    }

    // 1 when a polygon was filled.
    int Fill(const std::vector<OutlinePiece>& pieces, const TKSolid& shape)
    {
        const auto inside_count = std::count_if(pieces.begin(), pieces.end(), [](const auto& p) { return p.inside; });
        if (pieces.empty())
            return 0;
        if (static_cast<std::size_t>(inside_count) == pieces.size())
            return FillWholeOutline(pieces);
        if (inside_count == 0)
            return shape.ContainsPoint(border_.Centre()) != 0 ? FillOutputArea() : 0;
        return FillRuns(pieces);
    }

private:
    const OutlineCurve& CurveOf(const OutlinePiece& piece) const { return outline_.curves[piece.curve]; }

    // The outline lies wholly in the area: one loop from the arc's start.
    int FillWholeOutline(const std::vector<OutlinePiece>& pieces)
    {
        points_.clear();
        for (const OutlinePiece& piece : pieces)
            AddPiece(piece);
        return FillLoop();
    }

    // The area lies wholly in the figure.
    int FillOutputArea()
    {
        points_.clear();
        for (int corner = 0; corner < 4; ++corner)
            AddPoint(border_.Corner(corner));
        return FillLoop();
    }

    int FillRuns(const std::vector<OutlinePiece>& pieces)
    {
        const std::vector<BorderRun> runs = RunsOf(pieces);
        const int sense = outline_.orientation > 0 ? 1 : -1;
        std::vector<std::size_t> next(runs.size(), 0);
        for (std::size_t r = 0; r < runs.size(); ++r) {
            double nearest = border_.Perimeter();
            for (std::size_t q = 0; q < runs.size(); ++q) {
                const double ahead = border_.Ahead(runs[r].exit, runs[q].entry, sense);
                if (ahead < nearest) {
                    nearest = ahead;
                    next[r] = q;
                }
            }
        }
        std::vector<bool> used(runs.size(), false);
        int filled = 0;
        for (std::size_t first = 0; first < runs.size(); ++first) {
            if (used[first])
                continue;
            points_.clear();
            // Each turn takes a run not yet used or ends the loop.
            for (std::size_t run = first;;) {
                used[run] = true;
                AddRun(pieces, runs[run]);
                const std::size_t following = next[run];
                // Rounding paired two exits with one entry: the loop ends
                // here and is closed straight.
                if (following != first && used[following])
                    break;
                AddBorder(runs[run].exit, runs[following].entry, sense);
                if (following == first)
                    break;
                run = following;
            }
            filled |= FillLoop();
        }
        return filled;
    }

    // The runs, the first one being the run that holds (or follows) the
    // outline's first piece. Every run is bounded by outside pieces.
    std::vector<BorderRun> RunsOf(const std::vector<OutlinePiece>& pieces) const
    {
        const std::size_t n = pieces.size();
        std::size_t last_outside = n - 1;
        while (pieces[last_outside].inside)
            --last_outside;
        std::vector<BorderRun> runs;
        for (std::size_t step = 1; step <= n; ++step) {
            const std::size_t i = (last_outside + step) % n;
            if (!pieces[i].inside)
                continue;
            if (!pieces[(i + n - 1) % n].inside)
                runs.push_back({ i, 0, border_.PositionOf(CurveOf(pieces[i]).PointAt(pieces[i].from)), 0 });
            BorderRun& run = runs.back();
            ++run.count;
            run.exit = border_.PositionOf(CurveOf(pieces[i]).PointAt(pieces[i].to));
        }
        return runs;
    }

    void AddRun(const std::vector<OutlinePiece>& pieces, const BorderRun& run)
    {
        const std::size_t n = pieces.size();
        for (std::size_t k = 0; k < run.count; ++k)
            AddPiece(pieces[(run.first + k) % n]);
        const OutlinePiece& last = pieces[(run.first + run.count - 1) % n];
        AddPoint(CurveOf(last).PointAt(last.to));
    }

    // The corners passed going round from one border position to another,
    // the nearest first (in corner order when equally near). Each corner is
    // put in its place as it is found: four at most need no general sort.
    void AddBorder(double from, double to, int sense)
    {
        const double distance = border_.Ahead(from, to, sense);
        std::array<std::pair<double, int>, 4> passed;
        std::size_t count = 0;
        for (int corner = 0; corner < 4; ++corner) {
            const double ahead = border_.Ahead(from, border_.CornerPosition(corner), sense);
            if (!(ahead > 0 && ahead < distance))
                continue;
            std::size_t at = count++;
            for (; at > 0 && passed[at - 1].first > ahead; --at)
                passed[at] = passed[at - 1];
            passed[at] = { ahead, corner };
        }
        for (std::size_t i = 0; i < count; ++i)
            AddPoint(border_.Corner(passed[i].second));
    }

    // A piece's start and, along an arc, a point every output pixel up to
    // its end.
    void AddPiece(const OutlinePiece& piece)
    {
        const OutlineCurve& curve = CurveOf(piece);
        if (!curve.is_arc) {
            AddPoint(curve.PointAt(piece.from));
            return;
        }
        const double span = std::fabs(piece.to - piece.from);
        const double direction = piece.to < piece.from ? -1 : 1;
        const double longer_axis = curve.arc.r * std::max(1.0, std::fabs(curve.arc.ratio));
        double step = pixel_ / longer_axis;
        double samples = std::ceil(span / step);
        // A radius of 0 (the centre as a ring's second ellipse) or one so
        // small that a pixel covers the piece: its start alone.
        if (!(samples >= 1))
            samples = 1;
        if (samples > max_samples_) {
            samples = max_samples_;
            step = span / samples;
        }
        // Each offset is start + k steps, not a running sum, so a step
        // below the offsets' resolution cannot keep the walk in place.
        const auto count = static_cast<long>(samples);
        AddPoint(curve.PointAt(piece.from));
        for (long k = 1; k < count; ++k)
            AddPoint(curve.PointAt(piece.from + direction * static_cast<double>(k) * step));
    }

    void AddPoint(const TBPoint& point)
    {
        const TBPoint screen = info_.WorldToScreen(point);
        const TPointI pixel { ToPixel(screen.GetX(), info_.PixelWidth), ToPixel(screen.GetY(), info_.PixelHeight) };
        if (points_.empty() || !(points_.back() == pixel))
            points_.push_back(pixel);
    }

    // Truncated toward zero as every primitive does, after keeping the
    // coordinate on the output area (the loops lie on it but for rounding).
    static int ToPixel(double coordinate, int limit)
    {
        double value = std::isnan(coordinate) ? 0 : std::clamp(coordinate, 0.0, static_cast<double>(limit));
        const double nearest = std::round(value);
        if (std::fabs(value - nearest) < whole_pixel_snap)
            value = nearest;
        return static_cast<int>(value);
    }

    int FillLoop()
    {
        if (points_.size() > 1 && points_.back() == points_.front())
            points_.pop_back();
        if (points_.size() < 3)
            return 0;
        canvas_.Polygon(points_);
        return 1;
    }

    const TInfoREG& info_;
    TCanvas& canvas_;
    const SolidOutline& outline_;
    const OutputBorder& border_;
    std::vector<TPointI>& points_;
    // Drawing millimetres per output pixel.
    double pixel_;
    double max_samples_;
};

} // namespace

int TInfoREG::DrawSolid(TCanvas& canvas, TKSolid solid)
{
    if (!solid.IsArcSolid())
        return 0;
    const TPen saved_pen = canvas.Pen();
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetPenStyle(TPenStyle::Clear);

    TKCircle first, second;
    solid.GetAsCircle(first, second);
    const SolidFigure figure = FigureOf(solid);
    const bool whole = IsWholeEllipse(solid, figure);
    const auto draw_arc = [&](int fill) {
        return DrawArc(canvas, first.GetCenter(), first.GetRadius(), first.GetStartAngle(),
                       whole ? TAngle(full_turn) : first.GetArcAngle(), first.GetFlatness(), first.GetTiltAngle(),
                       TZhdLType(), fill);
    };
    const double pixel = GetMMPerPixelX() / View.GetScale();
    int result = 0;
    SolidOutline outline;
    if (!HasFiniteCorners(solid) || first.GetRadius() == 0) {
        // Nothing to draw, and the walk along the arc would divide by the
        // radius.
    } else if (figure == SolidFigure::Ellipse && whole && first.GetFlatness() == 1.0) {
        result = draw_arc(1);
    } else if (figure == SolidFigure::ArcLine) {
        canvas.SetPenStyle(TPenStyle::Solid);
        result = draw_arc(0);
    } else if (figure == SolidFigure::Ring && IsWholeRing(first)) {
        TKSolid half = solid;
        half.SetPoint4(TBPoint(Pi, solid.GetPoint4().GetY()));
        result = DrawSolid(canvas, half);
        half.SetPoint3(TBPoint(solid.GetPoint3().GetX(), solid.GetPoint3().GetY() + Pi));
        result |= DrawSolid(canvas, half);
    } else if (PixelWidth > 0 && PixelHeight > 0 && pixel > 0 && std::isfinite(pixel)
               && BuildOutline(solid, figure, first, second, outline)) {
        const TClipBox box = ViewBox(0);
        std::vector<OutlinePiece> pieces;
        pieces.reserve(32);
        CutAtBorder(outline, box, ViewBox(-border_margin_pixels * pixel),
                    [this](const EllipseArcDescription& arc) -> const std::vector<double>& {
                        return BorderCrossings(arc);
                    },
                    pieces);
        const OutputBorder border(box);
        SolidFill fill(*this, canvas, outline, border, pixel, scratch_.pixels);
        result = fill.Fill(pieces, ContainmentShape(solid, figure));
    }
    canvas.SetPen(saved_pen);
    return result;
}
