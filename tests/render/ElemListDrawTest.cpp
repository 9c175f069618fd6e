// Drawing an element list: the preamble, culling by layer and view, the
// buckets and the order of their passes, colours, the selection overlay,
// progress, abort and the log.

#include "tests/render/CommandSupport.h"
#include "tests/support/StandInElem.h"

#include "core/Constants.h"
#include "core/DebugLog.h"
#include "document/SjFormat.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"
#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

// What a stand-in element saw when it was drawn.
struct DrawCall {
    std::string name;
    TColor color;
    int force;
    int pen_width;
};

// An element of any kind that draws nothing but notes its drawing; it lies
// at the origin unless placed elsewhere.
class SpyElem final : public StandInElem {
public:
    SpyElem(std::string name, int code, std::vector<DrawCall>& calls)
        : StandInElem(code), name_(std::move(name)), calls_(calls)
    {
    }

    std::string GetText(int index) const override { return index == 2 ? image_ : std::string(); }
    void GetExtent(TBPoint& min, TBPoint& max, const TZhdData&, int) const override
    {
        min = at_;
        max = at_;
    }
    int Draw(TCanvas& canvas, TZhdData& document) override
    {
        calls_.push_back({ name_, document.GetDrawColor(), document.GetDrawColorMode(), canvas.Pen().width });
        if (white_solid_)
            document.SetWhiteSolidFlag(1);
        if (abort_)
            document.GetInfoRegPtr().AbortFlag = 1;
        return 1;
    }

    std::string image_;
    TBPoint at_;
    bool white_solid_ = false;
    bool abort_ = false;

private:
    std::string name_;
    std::vector<DrawCall>& calls_;
};

constexpr TColor white = PackColor(255, 255, 255);

class ElemListDraw : public ::testing::Test, protected MillimetreView {
protected:
    ElemListDraw()
    {
        // A view around the origin, where the stand-ins lie.
        TZhdZoom view(Info().GetMMPerPixelX());
        Info().SetView(view);
        document.GetPenMapPtr()["B"].SetColor(white);
        for (int n = 1; n <= 9; ++n) {
            document.GetPenMapPtr()[std::to_string(n)].SetColor(PackColor(n, 0, 0));
            document.GetPrtPenMapPtr()[std::to_string(n)].SetWidth(1);
        }
        document.GetPenMapPtr()["G"].SetColor(PackColor(128, 128, 128));
        document.GetPenMapPtr()["S"].SetColor(PackColor(0, 0, 200));
    }

    boost::shared_ptr<SpyElem> Add(const std::string& name, int code = TZhdElem::LineCode, int color = 1,
                                   int group = 0, int layer = 0)
    {
        auto elem = boost::make_shared<SpyElem>(name, code, calls);
        elem->SetPenColor(static_cast<std::uint16_t>(color));
        elem->SetGLayer(static_cast<std::uint16_t>(group));
        elem->SetLayer(static_cast<std::uint16_t>(layer));
        document.GetElemListPtr().Append(elem);
        return elem;
    }

    int DrawList()
    {
        document.RefreshLayerStates();
        calls.clear();
        canvas.Clear();
        return document.GetElemListPtr().Draw(canvas, document);
    }

    std::string Order() const
    {
        std::string names;
        for (const DrawCall& call : calls)
            names += call.name;
        return names;
    }

    void SetLayerState(int group, int layer, int state)
    {
        TZhdLay lay = document.GetHeadPtr().GetLayer(group, layer);
        lay.SetState(state);
        document.GetHeadPtr().SetLayer(group, layer, lay);
    }

    std::vector<DrawCall> calls;
};

} // namespace

TEST_F(ElemListDraw, EmptyListStillDrawsItsFrame)
{
    canvas.SetBrush(TBrush { PackColor(9, 9, 9), TBrushStyle::Clear });
    EXPECT_EQ(DrawList(), 0);
    const auto& commands = canvas.Commands();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], TCanvasCommand(canvas_command::SetBrush { TBrush { white, TBrushStyle::Solid } }));
    EXPECT_EQ(commands[1], TCanvasCommand(canvas_command::FillRect { TRectI { 0, 0, 200, 100 } }));
    // The dotted magenta paper outline and the two lines of the cross-hair.
    EXPECT_EQ(SegmentsOf(commands).size(), 6u);
    bool dotted_magenta = false;
    for (const auto& pen : CommandsOf<canvas_command::SetPen>(commands))
        dotted_magenta |= pen.pen.color == PackColor(255, 0, 255) && pen.pen.style == TPenStyle::Dot;
    EXPECT_TRUE(dotted_magenta);
}

TEST_F(ElemListDraw, NoPixelsAndNoScale)
{
    Info().SetPixelWidth(0);
    Info().SetPixelHeight(0);
    Info().SetView(TZhdZoom(0.0));
    DrawList();
    EXPECT_EQ(CommandsOf<canvas_command::FillRect>(canvas.Commands())[0].rect, (TRectI { 0, 0, 0, 0 }));
    EXPECT_EQ(Info().GetPixelWidth(), 100);
    EXPECT_EQ(Info().GetPixelHeight(), 100);
    EXPECT_GT(Info().GetView().GetScale(), 0) << "fitted to the paper";
}

TEST_F(ElemListDraw, HiddenLayersAndOutOfViewElementsAreLeftOut)
{
    SetLayerState(0, 3, 0);
    Add("a");
    Add("h", TZhdElem::LineCode, 1, 0, 3);
    Add("x", TZhdElem::LineCode, 1, 16, 0);  // no such group: hidden
    Add("y", TZhdElem::LineCode, 1, 0, 400); // no such layer: hidden
    Add("far")->at_ = TBPoint(1000, 1000);
    Add("b", TZhdElem::BlockCode, 1, 0, 3); // a block reference shows whatever its layer
    Info().ElementTotal = 5;
    EXPECT_EQ(DrawList(), 2);
    EXPECT_EQ(Order(), "ab");
    EXPECT_EQ(Info().ElementTotal, 7);
    EXPECT_EQ(Info().ElementsDrawn, 2);
}

// An ellipse's extent is its radius box; culling takes its long axis too.
TEST_F(ElemListDraw, EllipseWhoseLongAxisCrossesTheViewIsDrawn)
{
    auto ellipse = boost::make_shared<TKCircle>(TBPoint(0.0, 300.0), 100, TAngle(), TAngle(2 * Pi), TAngle(), 4.0, 1);
    document.GetElemListPtr().Append(ellipse);
    DrawList();
    EXPECT_FALSE(CommandsOf<canvas_command::Polyline>(canvas.Commands()).empty());
}

// A marker point just outside the view whose shape reaches into it.
TEST_F(ElemListDraw, MarkerReachingIntoTheViewIsDrawn)
{
    auto marker = boost::make_shared<TKPoint>();
    marker->SetPenStyle(TKPoint::MarkerPenStyle);
    marker->SetPoint(TBPoint(104.0, 0.0), 0, -5, TAngle(), 4.0); // a square of half side 5
    document.GetElemListPtr().Append(marker);
    DrawList();
    EXPECT_EQ(Info().ElementTotal, 1);
    EXPECT_GE(SegmentsOf(canvas.Commands()).size(), 4u + 4u + 2u) << "outline, square, cross-hair";

    marker->SetPos(TBPoint(110.0, 0.0));
    Info().ElementTotal = 0;
    DrawList();
    EXPECT_EQ(Info().ElementTotal, 0) << "wholly outside";
}

// A dimension whose line and text lie above the view and whose first
// extension line reaches down into it: the part in view is drawn.
TEST_F(ElemListDraw, DimensionSeenOnlyThroughAnExtensionLineIsDrawn)
{
    const auto line = [](double x1, double y1, double x2, double y2) {
        TKLine made;
        made.SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
        return made;
    };
    auto dimension = boost::make_shared<TKSunpou>();
    dimension->SetLine(line(-20, 80, 20, 80));
    dimension->SetMoji(TKMoji(TBPoint(-5.0, 82.0), TBPoint(5.0, 82.0), TZhdaMoji(5, 5, 0, 1), 1, TAngle(), "", "40"));
    TSXFSunpou sxf;
    sxf.SetMode(1);
    sxf.SetLine1(line(-20, 30, -20, 80));
    sxf.SetLine2(line(20, 70, 20, 80));
    dimension->SetSXF(sxf);
    document.GetElemListPtr().Append(dimension);
    Info().MouseWorld = TBPoint(0.0, 0.0); // the cross-hair's upright at pixel x 100

    DrawList();
    EXPECT_EQ(Info().ElementTotal, 1);
    // The extension line from (-20, 30) upward: pixel x 80, its lower end at y 20.
    const auto extension = [](const Segment& s) {
        return s.from.x == 80 && s.to.x == 80 && std::max(s.from.y, s.to.y) == 20;
    };
    const std::vector<Segment> segments = SegmentsOf(canvas.Commands());
    EXPECT_EQ(std::count_if(segments.begin(), segments.end(), extension), 1);

    sxf.SetMode(0);
    dimension->SetSXF(sxf);
    Info().ElementTotal = 0;
    DrawList();
    EXPECT_EQ(Info().ElementTotal, 0) << "without its extension lines nothing of it is in view";
}

// A display-only pass sets its brush once. An arc or a text drawn before a
// plain solid in that pass leaves the brush clear; the solid still fills,
// on the recording canvas and in pixels.
TEST_F(ElemListDraw, DisplayOnlySolidAfterAnArcOrATextIsFilled)
{
    constexpr TColor grey = PackColor(128, 128, 128);
    SetLayerState(0, 1, 1);
    const auto on_display_only_layer = [](TZhdElemPtr elem) {
        elem->SetLayer(1);
        return elem;
    };
    struct Row {
        const char* name;
        TZhdElemPtr before;
    };
    const Row rows[] = {
        { "arc", boost::make_shared<TKCircle>(TBPoint(-50.0, 0.0), 20, TAngle(), TAngle(2 * Pi), TAngle(), 1.0, 1) },
        { "text", boost::make_shared<TKMoji>(TBPoint(-80.0, -40.0), TBPoint(-40.0, -40.0), TZhdaMoji(8, 8, 0, 1), 1,
                                             TAngle(), "", "AB") },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TZhdElemList& list = document.GetElemListPtr();
        list.Clear();
        list.Append(on_display_only_layer(row.before));
        auto solid = boost::make_shared<TKSolid>();
        solid->SetSolid(TBPoint(10.0, -30.0), TBPoint(60.0, -30.0), TBPoint(35.0, 20.0), TBPoint(35.0, 20.0), 0);
        list.Append(on_display_only_layer(solid));

        DrawList();
        TBrush brush;
        int polygons = 0;
        for (const TCanvasCommand& command : canvas.Commands()) {
            if (const auto* set = std::get_if<canvas_command::SetBrush>(&command))
                brush = set->brush;
            if (std::holds_alternative<canvas_command::Polygon>(command)) {
                ++polygons;
                EXPECT_EQ(brush, (TBrush { grey, TBrushStyle::Solid }));
            }
        }
        EXPECT_EQ(polygons, 1);

        TImageCanvas image(200, 100);
        list.Draw(image, document);
        EXPECT_EQ(image.GetPixel(135, 63), grey) << "inside the triangle";
    }
}

TEST_F(ElemListDraw, ColoursOfPassesAndTheSelection)
{
    Add("o", TZhdElem::LineCode, 3);
    Add("w", TZhdElem::LineCode, 4);
    document.GetPenMapPtr()["4"].SetColor(white);
    SetLayerState(0, 1, 1);
    Add("g", TZhdElem::LineCode, 3, 0, 1)->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    Add("s", TZhdElem::LineCode, 3)->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    Add("f", TZhdElem::LineCode, 3)->at_ = TBPoint(5000, 0);
    document.GetElemListPtr().Back()->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    DrawList();
    // Display-only first (grey, forced), then the normal pass, then the
    // selection overlay: s again, and f though it lies outside the view.
    EXPECT_EQ(Order(), "gowssf");
    EXPECT_EQ(calls[0].color, PackColor(128, 128, 128));
    EXPECT_EQ(calls[0].force, 1);
    EXPECT_EQ(calls[1].color, PackColor(3, 0, 0));
    EXPECT_EQ(calls[1].force, 0);
    EXPECT_EQ(calls[2].color, 0) << "white on white becomes black";
    EXPECT_EQ(calls[4].color, PackColor(0, 0, 200));
    EXPECT_EQ(calls[4].force, 1);
}

// Pens of small numbers are kept apart from the others while a drawing
// looks them up; every number gets its own pen's colour.
TEST_F(ElemListDraw, EveryPenNumberHasItsOwnColour)
{
    const int numbers[] = { 0, 15, 16, 17, 300, 9, 65535 };
    for (const int number : numbers) {
        document.GetPenMapPtr()[std::to_string(number)].SetColor(PackColor(number % 251, number / 256, 7));
        Add(std::to_string(number), TZhdElem::LineCode, number);
    }
    DrawList();
    ASSERT_EQ(calls.size(), std::size(numbers));
    for (std::size_t i = 0; i < calls.size(); ++i)
        EXPECT_EQ(calls[i].color, PackColor(numbers[i] % 251, numbers[i] / 256, 7)) << numbers[i];
}

// A text whose start lies in the view is drawn without being measured; the
// culling must still keep exactly the texts whose extent meets the view.
TEST_F(ElemListDraw, TextsAreCulledByTheirExtent)
{
    // The view is x -100..100, y -50..50; the texts are 25 mm long, 5 high.
    struct Case {
        TBPoint start;
        double degrees;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        { TBPoint(0.0, 0.0), 0 },      { TBPoint(-110.0, 0.0), 0 },  { TBPoint(-130.0, 0.0), 0 },
        { TBPoint(0.0, 55.0), 0 },     { TBPoint(0.0, -53.0), 0 },   { TBPoint(100.0, 50.0), 0 },
        { TBPoint(-101.0, 0.0), 180 }, { TBPoint(120.0, 0.0), 180 }, { TBPoint(nan, 0.0), 0 },
        { TBPoint(0.0, 52.0), 270 },
    };
    const TBPoint lower_left = Info().GetViewCorner(0);
    const TBPoint upper_right = Info().GetViewCorner(2);
    int meeting = 0;
    for (const Case& c : cases) {
        auto text = boost::make_shared<TKMoji>(c.start, c.start, TZhdaMoji(5, 5, 0, 1), 1, TAngle(c.degrees * Pi / 180),
                                               "", "ABCDEFGHIJ");
        document.GetElemListPtr().Append(text);
        meeting += text->ExtentOverlapsRect(lower_left, upper_right, document, 0);
    }
    EXPECT_EQ(meeting, 6) << "the table has texts of both kinds";
    DrawList();
    EXPECT_EQ(Info().ElementTotal, meeting);
}

TEST_F(ElemListDraw, MonochromeJobDrawsEverythingBlack)
{
    Info().OutputJob = 1;
    document.GetPrtPenMapPtr()["B"].SetColor(white);
    SetLayerState(0, 1, 1);
    Add("n", TZhdElem::LineCode, 3);
    Add("d", TZhdElem::LineCode, 3, 0, 1);
    Add("s", TZhdElem::LineCode, 3)->GetElemFlgPtr().SetBit(TZhdElem::SelectedMark);
    DrawList();
    EXPECT_EQ(Order(), "dns") << "no selection overlay in a job";
    for (const DrawCall& call : calls) {
        EXPECT_EQ(call.color, 0) << call.name;
        EXPECT_EQ(call.force, 1) << call.name;
    }
    EXPECT_TRUE(CommandsOf<canvas_command::FillRect>(canvas.Commands()).size() == 1u);
    EXPECT_EQ(SegmentsOf(canvas.Commands()).size(), 0u) << "no paper outline, no cross-hair";
}

TEST_F(ElemListDraw, LayerAndColourOrders)
{
    // (group, layer, colour) of A (0, 1, 5), B (0, 0, 7), C (0, 1, 2), D (0, 0, 3).
    Add("A", TZhdElem::LineCode, 5, 0, 1);
    Add("B", TZhdElem::LineCode, 7, 0, 0);
    Add("C", TZhdElem::LineCode, 2, 0, 1);
    Add("D", TZhdElem::LineCode, 3, 0, 0);
    struct Case {
        int layer_order, color_order;
        const char* order;
    };
    const Case cases[] = {
        { 0, 0, "ABCD" }, { 1, 0, "BDAC" }, { 1, 1, "DBCA" }, { 1, 2, "BDAC" }, { 1, 3, "DBCA" },
        { 2, 1, "CADB" }, { 2, 2, "ACBD" }, { 2, 3, "CADB" }, { 0, 1, "CDAB" }, { 0, 2, "BADC" },
        { 0, 3, "DCBA" },
    };
    for (const Case& c : cases) {
        Info().LayerOrder = c.layer_order;
        Info().ColorOrder = c.color_order;
        DrawList();
        EXPECT_EQ(Order(), c.order) << c.layer_order << " " << c.color_order;
    }
    // The passes order their own copies: the list keeps its order.
    Info().LayerOrder = 0;
    Info().ColorOrder = 0;
    DrawList();
    EXPECT_EQ(Order(), "ABCD");
}

TEST_F(ElemListDraw, BucketsByKind)
{
    Add("l1");
    Add("t", TZhdElem::MojiCode);
    Add("i", TZhdElem::MojiCode)->image_ = "plan.bmp";
    Add("s", TZhdElem::SolidCode)->white_solid_ = true;
    Add("w")->SetPenWidth(5);
    Add("m", TZhdElem::SunpouCode);
    Add("l2");
    Info().TraceWidth = 3;
    Info().Transparent = 1;

    Info().DrawOrder = 0;
    DrawList();
    EXPECT_EQ(Order(), "l1tiswml2") << "no buckets by kind, no white redraw";

    Info().DrawOrder = 1; // images, solids, wide lines, white solids again, the rest
    DrawList();
    EXPECT_EQ(Order(), "iswsl1tml2");
    Info().DrawOrder = 2; // solids and wide lines before images
    DrawList();
    EXPECT_EQ(Order(), "swisl1tml2");
    Info().FinalMoji = 1;
    DrawList();
    EXPECT_EQ(Order(), "swisl1l2tm");
}

TEST_F(ElemListDraw, AbortEndsTheDrawingAfterTheElementThatSawIt)
{
    Info().DrawOrder = 1;
    Add("s1", TZhdElem::SolidCode)->abort_ = true;
    Add("s2", TZhdElem::SolidCode);
    Add("n1");
    Add("n2");
    DrawList();
    EXPECT_EQ(Order(), "s1") << "neither the rest of its pass nor the later passes";
}

TEST_F(ElemListDraw, WritesItsTimingsToTheLogAndTheStatus)
{
    std::ostringstream log;
    RedirectDebugLog(&log);
    DrawList();
    RedirectDebugLog(nullptr);
    const std::string text = log.str();
    for (const char8_t* line : { u8"<TZhdElemList::Draw>", u8"#draw0  ：", u8"#divide ：", u8"#draw   ：", u8"#total  ：",
                                 u8"</TZhdElemList::Draw>" })
        EXPECT_NE(text.find(sj(line)), std::string::npos) << SjisToUtf8(sj(line));
    // The status is the timing line: the seconds with eight decimals.
    const std::string status = Info().StatusText;
    const std::string before = sj(u8"#draw   ："), after = sj(u8"秒");
    ASSERT_EQ(status.rfind(before, 0), 0u);
    ASSERT_GE(status.size(), before.size() + after.size());
    EXPECT_EQ(status.substr(status.size() - after.size()), after);
    const std::string number = status.substr(before.size(), status.size() - before.size() - after.size());
    double seconds = -1;
    std::from_chars(number.data(), number.data() + number.size(), seconds);
    EXPECT_GE(seconds, 0) << number;
    EXPECT_EQ(SjPrintf(u8"%.8f", seconds), number);
}
