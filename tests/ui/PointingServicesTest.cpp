// The pointing services: the element under a pixel and the point a pixel
// snaps to, as tables on small drawings; the markers as exact pixels on a
// patch of the view.

#include "tests/ui/OverDrawingTestSupport.h"

#include "core/LayerState.h"
#include "elements/KCircle.h"
#include "ui/PointingServices.h"

#include <QEvent>

#include <boost/make_shared.hpp>

#include <vector>

namespace {

// --- Pick and snap on a drawing of its own ---

// A view of 200 x 100 pixels, one drawing millimetre a pixel, the origin on
// pixel (100, 50).
constexpr int origin_x = 100;
constexpr int origin_y = 50;

void UseSmallView(TZhdData& document)
{
    TInfoREG& info = document.GetInfoRegPtr();
    info.ScreenWidthMM = ScreenMetrics().width_pixels;
    info.SetPixelWidth(2 * origin_x);
    info.SetPixelHeight(2 * origin_y);
    info.SetView(TZhdZoom(1.0));
}

TZhdElemPtr Line(double x1, double y1, double x2, double y2, int group = 0)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
    line->SetGLayer(static_cast<std::uint16_t>(group));
    return line;
}

struct TPointingCase {
    const char* what;
    // Pixels from the origin's pixel.
    int dx;
    int dy;
    int result;
    // The point given back, drawing millimetres.
    double x;
    double y;
};

void ExpectCase(int (*service)(TZhdData&, int, int, TBPoint&, int), TZhdData& document, const TPointingCase& c)
{
    TBPoint point(7.0, 7.0);
    EXPECT_EQ(service(document, origin_x + c.dx, origin_y + c.dy, point, 10), c.result) << c.what;
    EXPECT_EQ(point, TBPoint(c.x, c.y)) << c.what;
}

} // namespace

TEST(PickNearestElement, TakesTheNearestOutlineWithinTheTolerance)
{
    TZhdData document;
    UseSmallView(document);
    TZhdElemList& list = document.GetElemListPtr();
    list.Append(Line(-50, 0, 50, 0));
    auto circle = boost::make_shared<TKCircle>();
    circle->SetCircle(TBPoint(0.0, 30.0), 10, TAngle(), Degrees(360), TAngle(), 1.0, 1);
    list.Append(circle);
    // On a hidden group: never picked.
    list.Append(Line(-50, -20, 50, -20, 1));
    TZhdGrp hidden = document.GetHeadPtr().GetGroup(1);
    hidden.SetState(LayerHidden);
    document.GetHeadPtr().SetGroup(1, hidden);

    const TPointingCase cases[] = {
        { "on the line", 20, 0, 0, 20, 0 },
        { "9 pixels off the line", 20, -9, 0, 20, 0 },
        { "10 pixels off the line", 20, -10, -1, 20, 0 },
        { "inside the circle, 8 pixels from its outline", 0, -28, 1, 0, 20 },
        { "on the hidden line, 20 pixels from the other", 0, 20, -1, 0, 0 },
    };
    for (const TPointingCase& c : cases)
        ExpectCase(PickNearestElement, document, c);
}

TEST(PickNearestElement, AnEmptyDrawingGivesNothing)
{
    TZhdData document;
    UseSmallView(document);
    ExpectCase(PickNearestElement, document, { "at the origin", 0, 0, -1, 0, 0 });
}

TEST(SnapToFramePoint, TakesTheNearestEndPointIntersectionOrPaperCorner)
{
    TZhdData document;
    UseSmallView(document);
    // A3: corners at (+-210, +-148.5).
    document.GetHeadPtr().SetPaperSize(3);
    TZhdElemList& list = document.GetElemListPtr();
    list.Append(Line(-50, 0, 50, 0));
    list.Append(Line(0, -40, 0, 40));

    const TPointingCase cases[] = {
        // The end-point search names the line whose end it is.
        { "beside the horizontal line's end", 52, -1, 0, 50, 0 },
        { "10 pixels beyond that end", 60, 0, -1, 50, 0 },
        // Near the crossing the nearest end point is the vertical line's
        // (element 1); the crossing of the nearest element, the horizontal
        // line, is nearer and the intersection search's answer (element 0,
        // the first of the two it met there) is given.
        { "beside the crossing", 3, 2, 0, 0, 0 },
        // Elements, but no end point near: the corner is refused.
        { "beside a paper corner", 211, -148, -1, 210, 148.5 },
    };
    for (const TPointingCase& c : cases)
        ExpectCase(SnapToFramePoint, document, c);
}

TEST(SnapToFramePoint, ADrawingWithoutElementsSnapsToThePaperCorners)
{
    TZhdData document;
    UseSmallView(document);
    document.GetHeadPtr().SetPaperSize(3);
    ExpectCase(SnapToFramePoint, document, { "beside the lower left corner", -212, 150, 0, -210, -148.5 });
    ExpectCase(SnapToFramePoint, document, { "far from every corner", 0, 0, -1, -210, -148.5 });
}

// --- Markers on the view ---

namespace {

constexpr QRgb marker_background = qRgb(0x20, 0x40, 0x60);

// The 6 x 6 pixels around the point, a row a line: '.' the background, 'S'
// the pen "S", 'x' the pen "S" drawn not-XOR over the background, '?'
// anything else.
std::string Patch(const QImage& image, QPoint at)
{
    const QRgb copy = ScreenColour(test_selection_colour);
    const QRgb not_xor = ~(copy ^ marker_background) | 0xff000000u;
    std::string text;
    for (int y = at.y() - 3; y < at.y() + 3; ++y) {
        for (int x = at.x() - 3; x < at.x() + 3; ++x) {
            const QRgb pixel = image.pixel(x, y) | 0xff000000u;
            text += pixel == marker_background ? '.' : pixel == copy ? 'S' : pixel == not_xor ? 'x' : '?';
        }
        text += '\n';
    }
    return text;
}

// A circle in the box of 2 pixels each way from its point, right and
// bottom edges outside.
const std::string circle_drawn = "......\n"
                                 "..SS..\n"
                                 ".S..S.\n"
                                 ".S..S.\n"
                                 "..SS..\n"
                                 "......\n";
const std::string blank = "......\n"
                          "......\n"
                          "......\n"
                          "......\n"
                          "......\n"
                          "......\n";

std::string NotXor(std::string patch)
{
    for (char& c : patch)
        c = c == 'S' ? 'x' : c;
    return patch;
}

class MarkerTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        Front().fill(marker_background);
    }
};

} // namespace

TEST_F(MarkerTest, IsASmallCircleInThePenS)
{
    form.DrawMarker(40, 30, 1, 0);
    EXPECT_EQ(Patch(Front(), QPoint(40, 30)), circle_drawn);
    EXPECT_EQ(Document().GetElemListPtr().GetMarkerShown(), 1);
}

TEST_F(MarkerTest, ANotXorMarkerTakenAwayLeavesThePictureAsItWas)
{
    const QImage before = Front().copy();
    form.DrawMarker(40, 30, 1, 1);
    EXPECT_EQ(Patch(Front(), QPoint(40, 30)), NotXor(circle_drawn));
    form.DrawMarker(0, 0, 0, 1);
    EXPECT_EQ(Front(), before);
    EXPECT_EQ(Document().GetElemListPtr().GetMarkerShown(), 0);
}

TEST_F(MarkerTest, OnlyTheLastMarkerCanBeTakenAway)
{
    form.DrawMarker(40, 30, 1, 1);
    form.DrawMarker(60, 30, 1, 1);
    form.DrawMarker(0, 0, 0, 1);
    EXPECT_EQ(Patch(Front(), QPoint(40, 30)), NotXor(circle_drawn));
    EXPECT_EQ(Patch(Front(), QPoint(60, 30)), blank);
    // Nothing is on the screen any more that could be taken away.
    const QImage after = Front().copy();
    form.DrawMarker(0, 0, 0, 1);
    EXPECT_EQ(Front(), after);
}

TEST_F(MarkerTest, PickedPointsAreMarkedInCopyModeAndCounted)
{
    UseView(1);
    Front().fill(marker_background);
    form.State().PickedPoints = { { TBPoint(-30.0, 10.0), TBPoint(0.0, 0.0) }, {}, { TBPoint(25.5, -10.5) } };
    EXPECT_EQ(form.DrawPickedPoints(), 3);
    for (const QPoint at : { PixelOf(-30, 10), PixelOf(0, 0) })
        EXPECT_EQ(Patch(Front(), at), circle_drawn);
    // Pixels are the view's points truncated.
    const TBPoint last = Document().GetInfoRegPtr().WorldToScreen(TBPoint(25.5, -10.5));
    const QPoint last_pixel(static_cast<int>(last.GetX()), static_cast<int>(last.GetY()));
    EXPECT_EQ(Patch(Front(), last_pixel), circle_drawn);
    EXPECT_EQ(form.Pointing().MarkerPoint(), last_pixel);
    EXPECT_EQ(Document().GetElemListPtr().GetMarkerShown(), 1);
}

namespace {

// The rectangles the widget is asked to paint.
class TPaintRegions : public QObject {
public:
    explicit TPaintRegions(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

TEST_F(MarkerTest, RepaintsOnlyItsOwnBox)
{
    QCoreApplication::processEvents();
    const TPaintRegions paints(form.PaintBox1);
    form.DrawMarker(40, 30, 1, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.painted, QRegion(38, 28, 4, 4));
}
