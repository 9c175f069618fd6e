// The attribute display on Timer1's tick, with the rest stopwatch on the
// test's clock: when it shows, which element and tag, the frame, the tip's
// place, the status label and the record, whole every time.

#include "tests/ui/OverDrawingTestSupport.h"

#include "elements/KCircle.h"
#include "elements/KSolid.h"
#include "ui/StatusButtons.h"
#include "ui/TipBox.h"

#include <QLabel>

#include <boost/make_shared.hpp>

namespace {

constexpr int attribute_mode = 3;

class AttributeDisplayTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        form.State().CommandMode = attribute_mode;
        Document().GetHeadPtr().SetGroupScale(0, 1);
        form.UpdateStatusButtons(1);
    }

    void Add(const TZhdElemPtr& elem) { Document().GetElemListPtr().Append(elem); }

    TZhdElemPtr Line(double x1, double y1, double x2, double y2)
    {
        auto line = boost::make_shared<TKLine>();
        line->SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
        Add(line);
        return line;
    }

    // One tick with the mouse resting at the drawing point.
    void TickAt(double x, double y, std::uint32_t rested_ms = 1000)
    {
        RestAt(PixelOf(x, y), rested_ms);
        form.Timer1Timer();
    }

    // Nothing shown: no tip, an empty label.
    void Clear()
    {
        form.ShowTip("", 0, 0, 0);
        form.Label4->clear();
    }

    bool Shown() const { return !form.Tips->text().isEmpty(); }
    QRgb Selection() const { return ScreenColour(test_selection_colour); }
};

} // namespace

TEST_F(AttributeDisplayTest, ShowsOnlyInsideTheRestWindowAndTheMode)
{
    UseView(1);
    Line(-40, 0, 40, 0);
    struct {
        std::uint32_t rested_ms;
        int mode;
        bool shown;
    } const cases[] = {
        { 900, attribute_mode, false },  { 901, attribute_mode, true }, { 1999, attribute_mode, true },
        { 2000, attribute_mode, false }, { 5000, attribute_mode, false }, { 1000, 0, false },
    };
    for (const auto& c : cases) {
        Clear();
        form.State().CommandMode = c.mode;
        TickAt(10, 0, c.rested_ms);
        EXPECT_EQ(Shown(), c.shown) << c.rested_ms << " ms in mode " << c.mode;
        EXPECT_EQ(!form.Label4->text().isEmpty(), c.shown) << c.rested_ms << " ms in mode " << c.mode;
    }
}

TEST_F(AttributeDisplayTest, CirclesAndSolidsShowFromInsideOtherElementsWithin20Pixels)
{
    UseView(1);
    auto circle = boost::make_shared<TKCircle>();
    circle->SetCircle(TBPoint(-60.0, 0.0), 30, TAngle(), Degrees(360), TAngle(), 1.0, 1);
    Add(circle);
    auto solid = boost::make_shared<TKSolid>();
    solid->SetSolid(TBPoint(20.0, 20.0), TBPoint(80.0, 20.0), TBPoint(80.0, 60.0), TBPoint(20.0, 60.0), 0);
    Add(solid);
    Line(60, -60, 60, -20);
    struct {
        const char* what;
        double x;
        double y;
        // Label4's end; nullptr when nothing is shown.
        const char8_t* shown;
    } const cases[] = {
        { "the circle's centre, 30 pixels from its outline", -60, 0, u8"円 | 内 n=0 w=-30.000000 d=30" },
        { "19 pixels outside the circle", -109, 0, u8"円 | 外 n=0 w=19.000000 d=19" },
        { "21 pixels outside the circle", -111, 0, nullptr },
        { "inside the solid, 30 pixels from its edges", 50, 40, u8"ソリッド | 内 n=1" },
        { "19 pixels beside the line", 41, -40, u8"線 | n=2 w=19.000000 d=19" },
        { "21 pixels beside the line", 39, -40, nullptr },
    };
    for (const auto& c : cases) {
        Clear();
        TickAt(c.x, c.y);
        EXPECT_EQ(Shown(), c.shown != nullptr) << c.what;
        if (c.shown) {
            EXPECT_TRUE(form.Label4->text().contains(QtText(c.shown))) << c.what << ": "
                                                                          << form.Label4->text().toStdString();
        }
    }
}

TEST_F(AttributeDisplayTest, FramesTheElementAndPinsItsRecordBesideTheMouse)
{
    UseView(1);
    Line(10, 10, 70, 50);
    TickAt(40, 30);
    ASSERT_TRUE(Shown());
    const QPoint mouse = PixelOf(40, 30);
    // The tip's left edge 10 pixels right of the mouse, its bottom level with
    // it.
    EXPECT_TRUE(form.TipBox().Pinned());
    EXPECT_EQ(form.TipBox().TipRect().left, mouse.x() + 10);
    EXPECT_EQ(form.TipBox().TipRect().bottom, mouse.y());
    // The frame: the extent's box, right and bottom edges outside.
    const QPoint lower_left = PixelOf(10, 10);
    const QPoint upper_right = PixelOf(70, 50);
    EXPECT_EQ(Front().pixel(lower_left.x() + 10, upper_right.y()) | 0xff000000u, Selection());
    EXPECT_EQ(Front().pixel(lower_left.x(), lower_left.y() - 1) | 0xff000000u, Selection());
    EXPECT_EQ(Front().pixel(upper_right.x() - 1, upper_right.y() + 5) | 0xff000000u, Selection());
    EXPECT_NE(Front().pixel(upper_right.x(), upper_right.y() + 5) | 0xff000000u, Selection());
    const QPoint pixel = PixelOf(40, 30);
    EXPECT_EQ(form.Label4->text(),
              QStringLiteral("X: 40.000000 , Y: 30.000000 [Pixel X: %1 , Y: %2] 0-0 ").arg(pixel.x()).arg(pixel.y())
                  + QtText(u8"線 | n=0 w=0.000000 d=0"));
}

TEST_F(AttributeDisplayTest, TheLabelShowsCoordinatesInTheDisplayUnit)
{
    // Ten millimetres a pixel; the display unit "実寸ｍ".
    UseView(0.1);
    Line(1500, -300, 1500, 300);
    form.StatusButtons().SetDisplayUnit(1);
    form.UpdateStatusButtons(1);
    TickAt(1500, 0);
    EXPECT_TRUE(form.Label4->text().startsWith(QStringLiteral("X: 1.500000 , Y: 0.000000 ")))
        << form.Label4->text().toStdString();
}

TEST_F(AttributeDisplayTest, TheSameRecordShownTwiceIsWholeBothTimes)
{
    UseView(1);
    const TZhdElemPtr line = Line(10, 10, 70, 50);
    line->SetGLayer(2);
    line->SetLayer(5);
    line->SetPenColor(3);
    Document().GetHeadPtr().SetGroupScale(2, 1);
    StringList record;
    Document().WriteFreshTextRecord(*line, record);
    ASSERT_GT(record.size(), 1u) << "attribute lines before the record";
    const QString whole = SjisText(record[0] + "\n" + record[1]);

    TickAt(40, 30);
    const QString first = form.Tips->text();
    EXPECT_TRUE(first.startsWith(whole)) << first.toStdString();
    const QPoint frame_pixel(PixelOf(10, 10).x() + 10, PixelOf(70, 50).y());
    ASSERT_EQ(Front().pixel(frame_pixel) | 0xff000000u, Selection());

    TickAt(40, 30);
    EXPECT_EQ(form.Tips->text(), first);
    // The pinned tip of the first display went with the view from the back
    // buffer, and the frame drawn just before with it.
    EXPECT_EQ(Front().pixel(frame_pixel), form.View().BackBuffer().pixel(frame_pixel));
}
