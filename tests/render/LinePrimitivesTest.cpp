// Segments, line types (dashes and zig-zags), polylines and dots, on the
// recording canvas.

#include "tests/render/CommandSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TZhdLType Dashed(std::uint32_t pattern, int dots, int pitch = 1)
{
    TZhdLType type;
    type.SetPattern(static_cast<int>(pattern));
    type.SetDots(dots);
    type.SetPitch(pitch);
    return type;
}

class LinePrimitives : public ::testing::Test, protected MillimetreView {
protected:
    std::vector<Segment> Drawn(const TBPoint& a, const TBPoint& b, const TZhdLType& type)
    {
        canvas.Clear();
        Info().DrawLineWithType(canvas, a, b, type);
        return SegmentsOf(canvas.Commands());
    }
};

} // namespace

TEST_F(LinePrimitives, SegmentsTruncateTowardZero)
{
    Info().DrawSegment(canvas, TBPoint(10.7, 20.2), TBPoint(-0.5, 99.5));
    EXPECT_EQ(SegmentsOf(canvas.Commands()), (std::vector<Segment> { { { 10, 79 }, { 0, 0 } } }));
    canvas.Clear();
    Info().DrawSegmentRounded(canvas, TBPoint(10.7, 20.2), TBPoint(-2.7, 99.5));
    EXPECT_EQ(SegmentsOf(canvas.Commands()), (std::vector<Segment> { { { 11, 80 }, { -2, 1 } } }));
}

TEST_F(LinePrimitives, SolidPatternIsOneSegment)
{
    EXPECT_EQ(Drawn(TBPoint(0, 50), TBPoint(40, 50), Dashed(0xFFFFFFFF, 0, 0)),
              (std::vector<Segment> { { { 0, 50 }, { 40, 50 } } }));
}

TEST_F(LinePrimitives, DashesAndGapsOfTwicePitchPerBit)
{
    // Four bits down, four up: 8-pixel dashes starting at the start point.
    EXPECT_EQ(Drawn(TBPoint(0, 50), TBPoint(40, 50), Dashed(0xF0000000, 8)),
              (std::vector<Segment> { { { 0, 50 }, { 8, 50 } }, { { 16, 50 }, { 24, 50 } }, { { 32, 50 }, { 40, 50 } } }));
    // Inverted: a gap first (an empty pair at the start), the last dash closed
    // at 32, and the gap the line ends in left undrawn.
    EXPECT_EQ(Drawn(TBPoint(0, 50), TBPoint(40, 50), Dashed(0x0F000000, 8)),
              (std::vector<Segment> { { { 0, 50 }, { 0, 50 } }, { { 8, 50 }, { 16, 50 } }, { { 24, 50 }, { 32, 50 } } }));
    // A line ending inside a dash draws the dash up to its end.
    EXPECT_EQ(Drawn(TBPoint(0, 50), TBPoint(20, 50), Dashed(0xF0000000, 8)),
              (std::vector<Segment> { { { 0, 50 }, { 8, 50 } }, { { 16, 50 }, { 20, 50 } } }));
}

TEST_F(LinePrimitives, LineShorterThanAStep)
{
    EXPECT_EQ(Drawn(TBPoint(0, 50), TBPoint(1, 50), Dashed(0x80000000, 2)),
              (std::vector<Segment> { { { 0, 50 }, { 1, 50 } } }));
    EXPECT_EQ(Drawn(TBPoint(0, 50), TBPoint(1, 50), Dashed(0x40000000, 2)),
              (std::vector<Segment> { { { 0, 50 }, { 0, 50 } } })) << "nothing visible: an empty pair";
}

TEST_F(LinePrimitives, ZigZagAlternatesAroundTheLine)
{
    TZhdLType type = Dashed(0xAAAAAAAA, 32);
    type.SetAmplitude(3);
    // Right of the walking direction (downward on the output) for a set bit.
    EXPECT_EQ(Drawn(TBPoint(0, 50), TBPoint(10, 50), type),
              (std::vector<Segment> { { { 0, 50 }, { 2, 53 } },
                                      { { 2, 53 }, { 4, 47 } },
                                      { { 4, 47 }, { 6, 53 } },
                                      { { 6, 53 }, { 8, 47 } },
                                      { { 8, 47 }, { 10, 50 } } }));
}

TEST_F(LinePrimitives, PrintPitchWithWidePens)
{
    // Pens drawn with their widths and a 2-pixel pen: the print pitch, 10 / 20
    // = 0.5 mm per bit, so 2-pixel dashes.
    Info().LineWidthDisplay = 1;
    canvas.SetPenWidth(2);
    TZhdLType type = Dashed(0xF0000000, 8);
    type.SetPrintPitch(10);
    EXPECT_EQ(Drawn(TBPoint(0, 50), TBPoint(6, 50), type),
              (std::vector<Segment> { { { 0, 50 }, { 2, 50 } }, { { 4, 50 }, { 6, 50 } } }));
    Info().LineWidthDisplay = 0;
    EXPECT_EQ(Drawn(TBPoint(0, 50), TBPoint(6, 50), type).size(), 1u) << "widths off: the screen pitch";
}

// A line type that would never end its walk is drawn solid.
TEST_F(LinePrimitives, LineTypesWithoutAStepAreSolid)
{
    for (const TZhdLType& type : { Dashed(0xF0F0F0F0, 8, 0), Dashed(0xF0F0F0F0, 0), Dashed(0xF0F0F0F0, 33) }) {
        EXPECT_EQ(Drawn(TBPoint(0, 50), TBPoint(40, 50), type),
                  (std::vector<Segment> { { { 0, 50 }, { 40, 50 } } }));
    }
}

// Far-off and absurd coordinates cost only what can be seen and never reach
// the canvas as overflowing ints.
TEST_F(LinePrimitives, AbsurdCoordinatesAreClippedOrSkipped)
{
    const TZhdLType dashed = Dashed(0xF0F0F0F0, 8);
    const std::vector<Segment> long_line = Drawn(TBPoint(-1e9, 50.0), TBPoint(1e9, 50.0), dashed);
    EXPECT_LT(long_line.size(), 100u);
    EXPECT_GT(long_line.size(), 10u) << "the visible stretch is dashed";
    for (const std::vector<Segment>& drawn : { long_line, Drawn(TBPoint(-1e300, 50.0), TBPoint(1e300, 50.0), dashed) }) {
        ASSERT_FALSE(drawn.empty());
        for (const Segment& s : drawn) {
            EXPECT_GT(s.from.x, -(1 << 23));
            EXPECT_LT(s.to.x, 1 << 23);
        }
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(Drawn(TBPoint(nan, 0.0), TBPoint(10, 10), dashed).empty());
    EXPECT_TRUE(Drawn(TBPoint(inf, 0.0), TBPoint(10, 10), Dashed(0xFFFFFFFF, 32)).empty());
    const std::vector<Segment> solid = Drawn(TBPoint(-1e12, 50.0), TBPoint(1e12, 50.0), Dashed(0xFFFFFFFF, 32));
    ASSERT_EQ(solid.size(), 1u);
    EXPECT_LE(solid[0].from.x, 0);
    EXPECT_GE(solid[0].to.x, 200);
}

// Whatever the pattern, a line costs steps only along what can be seen: a
// line of 2 x 10^8 mm across (or from) the 200 mm wide area takes about as
// many steps as the area is wide, and a dashed pattern whose bits are all set
// (but which is not -1) is the one segment a solid line is.
TEST_F(LinePrimitives, WalksCoverOnlyTheVisibleStretch)
{
    TZhdLType zig_zag = Dashed(0xFFFF0000, 16);
    zig_zag.SetAmplitude(3);
    struct Case {
        const char* name;
        TZhdLType type;
        bool solid;
    };
    const Case cases[] = {
        { "16 bits, all set", Dashed(0xFFFF0000, 16), true },
        { "31 bits, all set", Dashed(0xFFFFFFFE, 31), true },
        { "1 bit, set", Dashed(0x80000000, 1), true },
        { "dashes", Dashed(0xF0F0F0F0, 8), false },
        { "gaps only", Dashed(0x00000000, 8), false },
        { "zig-zag", zig_zag, false },
    };
    const std::pair<TBPoint, TBPoint> lines[] = { { TBPoint(-1e8, 50.0), TBPoint(1e8, 50.0) },
                                                  { TBPoint(10, 50), TBPoint(2e8, 50.0) },
                                                  { TBPoint(-2e8, 50.0), TBPoint(190, 50) } };
    for (const Case& c : cases) {
        for (const auto& [a, b] : lines) {
            const std::uint64_t before = Info().PatternSteps();
            const std::vector<Segment> drawn = Drawn(a, b, c.type);
            EXPECT_LT(Info().PatternSteps() - before, 200u) << c.name << " from " << a.GetX();
            if (c.solid) {
                EXPECT_EQ(drawn, Drawn(a, b, Dashed(0xFFFFFFFF, 32))) << c.name << " from " << a.GetX();
            }
        }
    }
}

TEST_F(LinePrimitives, PolylinesAndDots)
{
    EXPECT_EQ(Info().DrawPolyline(canvas, {}), -1);
    EXPECT_TRUE(canvas.Commands().empty());
    EXPECT_EQ(Info().DrawPolyline(canvas, { TBPoint(1.9, 2.9) }), 0);
    EXPECT_EQ(Info().DrawPolyline(canvas, { TBPoint(1, 2), TBPoint(3, 4), TBPoint(-5.5, 6.0) }), 2);
    const auto polylines = CommandsOf<canvas_command::Polyline>(canvas.Commands());
    ASSERT_EQ(polylines.size(), 2u);
    EXPECT_EQ(polylines[0].points, (std::vector<TPointI> { { 1, 2 } }));
    EXPECT_EQ(polylines[1].points, (std::vector<TPointI> { { 1, 2 }, { 3, 4 }, { -5, 6 } }));

    canvas.Clear();
    const TPen pen = canvas.Pen();
    const TBrush brush = canvas.Brush();
    Info().DrawDot(canvas, TBPoint(10, 90), PackColor(1, 2, 3), 0);
    EXPECT_EQ(canvas.Commands(), (std::vector<TCanvasCommand> { canvas_command::SetPixel { { 10, 10 }, PackColor(1, 2, 3) } }));
    canvas.Clear();
    Info().DrawDot(canvas, TBPoint(10, 90), PackColor(1, 2, 3), 3);
    const auto ellipses = CommandsOf<canvas_command::Ellipse>(canvas.Commands());
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].box, (TRectI { 7, 7, 13, 13 }));
    EXPECT_EQ(canvas.Pen(), pen) << "pen and brush are put back";
    EXPECT_EQ(canvas.Brush(), brush);
}
