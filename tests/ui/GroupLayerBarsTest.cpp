// The group and layer bars: the pictures of their buttons, the shapes of
// their tool windows, and what clicks on them do to the displayed drawing.

#include "tests/ui/OverDrawingTestSupport.h"

#include "controls/ResizableToolWindow97.h"
#include "elements/KMoji.h"
#include "ui/GroupLayerBars.h"
#include "ui/MouseGestures.h"
#include "ui/StatusButtons.h"

#include <QToolButton>

#include <tuple>

namespace {


// A line of `length` mm along y = `y` in group g, layer l.
TZhdElemPtr LineIn(int g, int l, double y, double length = 80)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(-length / 2, y), TBPoint(length / 2, y));
    line->SetPenColor(2);
    line->SetPenStyle(1);
    line->SetGLayer(static_cast<std::uint16_t>(g));
    line->SetLayer(static_cast<std::uint16_t>(l));
    return line;
}

TZhdElemPtr TextIn(int g, int l)
{
    auto text = boost::make_shared<TKMoji>();
    text->SetTextString("A");
    text->SetGLayer(static_cast<std::uint16_t>(g));
    text->SetLayer(static_cast<std::uint16_t>(l));
    return text;
}

class GroupLayerBarsTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        UseView(1);
    }

    TZhdHead& Head() { return Document().GetHeadPtr(); }
    TGroupLayerBars& Bars() { return form.GroupLayerBars(); }
    QToolButton* Button(int kind, int index)
    {
        return (kind == GroupKind ? form.GroupButtons : form.LayerButtons)[static_cast<std::size_t>(index)];
    }
    void SetGroup(int g, int state, int protect = 0)
    {
        TZhdGrp group = Head().GetGroup(g);
        group.SetState(state);
        group.SetProtect(protect);
        Head().SetGroup(g, group);
    }
    void SetLayer(int g, int l, int state, int protect = 0)
    {
        TZhdLay layer = Head().GetLayer(g, l);
        layer.SetState(state);
        layer.SetProtect(protect);
        Head().SetLayer(g, l, layer);
    }
    void PaintBars()
    {
        for (const int kind : { GroupKind, LayerKind }) {
            for (int i = -1; i < 16; ++i)
                form.PaintGroupLayerButtons(Document(), kind, i);
        }
    }
    void Click(QToolButton* button, Qt::MouseButton mouse = Qt::LeftButton, Qt::KeyboardModifiers shift = {})
    {
        QTest::mouseClick(button, mouse, shift, QPoint(5, 5));
    }
    QRgb BarPixel(int kind, int x, int y) { return Bars().BarBitmap(kind).pixel(x, y) & 0xffffff; }
    QRgb Face() { return form.palette().color(QPalette::Button).rgb() & 0xffffff; }
    static constexpr QRgb red = 0xff0000;
    static constexpr QRgb black = 0x000000;
    static constexpr QRgb magenta = 0xff00ff;
    int SelectedCount()
    {
        int count = 0;
        for (const TZhdElemPtr& elem : Document().GetElemListPtr().GetItemsPtr())
            count += elem->GetElemFlg().TestBit(TZhdElem::SelectedMark) != 0;
        return count;
    }
};

TEST_F(GroupLayerBarsTest, ACellShowsFrameContentsAndProtectionInFixedColours)
{
    const TempDir folder;
    TZhdData drawing;
    TZhdHead& head = drawing.GetHeadPtr();
    head.SetPaperSize(3);
    head.SetWriteGroup(0);
    const auto group = [&](int g, int state, int protect) {
        TZhdGrp record = head.GetGroup(g);
        record.SetState(state);
        record.SetProtect(protect);
        head.SetGroup(g, record);
    };
    group(0, LayerWriteTarget, 0);
    group(1, LayerEditable, 0);
    group(2, LayerDisplayOnly, 0);
    group(3, LayerHidden, 0);
    group(4, LayerDisplayOnly, 0);
    group(5, LayerDisplayOnly, 0);
    group(6, LayerDisplayOnly, 0);
    group(7, LayerDisplayOnly, 1);
    group(8, LayerDisplayOnly, 2);
    TZhdLay layer = head.GetLayer(0, 1);
    layer.SetState(LayerEditable);
    head.SetLayer(0, 1, layer);
    layer.SetState(LayerHidden);
    head.SetLayer(0, 2, layer);
    for (const TZhdElemPtr& elem : { LineIn(0, 0, 0), LineIn(4, 0, 10), TextIn(5, 0), LineIn(6, 0, 20), TextIn(6, 0) })
        drawing.GetElemListPtr().Append(elem);
    const std::filesystem::path path = folder.File("cells.zhd");
    ASSERT_EQ(drawing.SaveToFile(SjisPath(path)), TSaveStatus::Saved);
    ASSERT_EQ(form.FileOpen(path), 1);

    EXPECT_TRUE(Button(GroupKind, 0)->isChecked()) << "the write group's button is down";
    // (cell, x in the cell, y, colour): frames at x 2, content rows at y 2,
    // the protection diagonals at y 6 (x 14 rising, x 4 falling).
    const std::vector<std::tuple<int, int, int, QRgb, const char*>> group_pixels = {
        { 0, 2, 10, red, "the write target's frame" },
        { 0, 3, 2, red, "the write target's graphics bar" },
        { 0, 12, 2, Face(), "no texts in the write group" },
        { 1, 2, 10, black, "an editable group's frame" },
        { 1, 16, 10, black, "its right side" },
        { 2, 2, 10, Face(), "display only: no frame" },
        { 3, 2, 10, Face(), "hidden: no frame" },
        { 4, 3, 2, magenta, "graphics: the left half" },
        { 4, 12, 2, Face(), "graphics only" },
        { 5, 3, 3, Face(), "texts only" },
        { 5, 12, 3, magenta, "texts: the right half" },
        { 6, 3, 2, magenta, "both kinds: the full bar" },
        { 6, 16, 2, magenta, "both kinds: the full bar" },
        { 7, 14, 6, red, "protected: the rising diagonal" },
        { 7, 4, 6, Face(), "protected: only one diagonal" },
        { 8, 14, 6, red, "fixed: an X" },
        { 8, 4, 6, red, "fixed: an X" },
    };
    for (const auto& [cell, x, y, colour, what] : group_pixels)
        EXPECT_EQ(BarPixel(GroupKind, 19 * cell + x, y), colour) << what << " (group " << cell << ")";

    const auto circle_has = [&](int cell, QRgb colour) {
        for (int y = 9; y <= 13; ++y) {
            if (BarPixel(LayerKind, 19 * cell + 2, y) == colour)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(circle_has(0, red)) << "the write layer's circle";
    EXPECT_TRUE(circle_has(1, black)) << "an editable layer's circle";
    EXPECT_FALSE(circle_has(2, black)) << "a hidden layer has none";
    EXPECT_EQ(BarPixel(LayerKind, 3, 2), red) << "the write layer holds the graphics";
}

// The shapes the tool windows snap to, from the size the user gave.
TEST_F(GroupLayerBarsTest, TheToolWindowsSnapToFiveShapes)
{
    struct TCase {
        QSize given;
        QSize client;
        QRect digits;
        QPoint second_button;
        QPoint special_button;
    };
    const TCase cases[] = {
        { { 20, 44 }, { 24, 386 }, { 2, 0, 19, 338 }, { 0, 21 }, { 0, 21 } },
        { { 100, 380 }, { 24, 386 }, { 2, 0, 19, 338 }, { 0, 21 }, { 0, 21 } },
        { { 40, 44 }, { 38, 218 }, { 0, 0, 38, 170 }, { 19, 0 }, { 0, 21 } },
        { { 60, 44 }, { 76, 113 }, { 0, 0, 76, 86 }, { 19, 0 }, { 24, 0 } },
        { { 250, 100 }, { 76, 113 }, { 0, 0, 76, 86 }, { 19, 0 }, { 24, 0 } },
        { { 100, 30 }, { 178, 44 }, { 0, 0, 152, 46 }, { 19, 0 }, { 0, 21 } },
        { { 250, 30 }, { 354, 24 }, { 0, 0, 304, 23 }, { 19, 0 }, { 24, 0 } },
    };
    // Floating: a docked window is as thick as its row.
    form.ToolWindowGroup->Float();
    form.ToolWindowLayer->Float();
    for (const TCase& c : cases) {
        for (const int kind : { GroupKind, LayerKind }) {
            TToolWindow97* window = kind == GroupKind ? form.ToolWindowGroup : form.ToolWindowLayer;
            window->SetClientAreaSize(c.given.width(), c.given.height());
            QCoreApplication::processEvents();
            EXPECT_EQ(QSize(window->ClientAreaWidth(), window->ClientAreaHeight()), c.client) << c.given.width()
                                                                                               << "x" << c.given.height();
            QWidget* digits = kind == GroupKind ? form.tbGroup1 : form.tbLayer1;
            EXPECT_EQ(digits->geometry(), c.digits);
            EXPECT_EQ(Button(kind, 1)->pos(), c.second_button);
            EXPECT_EQ((kind == GroupKind ? form.tbGSp : form.tbLSp)->pos(), c.special_button);
        }
    }
}

TEST_F(GroupLayerBarsTest, TheTwoColumnShapeShowsGroupsColumnByColumn)
{
    form.ToolWindowGroup->Float();
    form.ToolWindowGroup->SetClientAreaSize(40, 200);
    QCoreApplication::processEvents();
    ASSERT_EQ(form.ToolWindowGroup->ClientAreaWidth(), 38);
    EXPECT_EQ(form.GetButtonSlot(GroupKind, 1), 8) << "the first row's second button";
    EXPECT_EQ(form.GetButtonSlot(GroupKind, 14), 7);
    EXPECT_EQ(form.GetButtonSlot(GroupKind, 15), 15);
    EXPECT_EQ(form.GetButtonSlot(LayerKind, 1), 1) << "the layer window keeps its own shape";
    SetGroup(8, LayerDisplayOnly);
    Click(Button(GroupKind, 1));
    EXPECT_EQ(Head().GetGroupState(8), LayerEditable) << "the click acts on group 8";
    EXPECT_EQ(Head().GetGroupState(1), LayerEditable) << "group 1 is left alone";
    // The button shows group 8's cell.
    const QImage shown = Button(GroupKind, 1)->grab().toImage();
    const QImage cell = Bars().BarBitmap(GroupKind).copy(19 * 8 + 1, 1, 17, 19);
    EXPECT_EQ(shown.copy(1, 1, 17, 19).convertToFormat(QImage::Format_RGB32), cell.convertToFormat(QImage::Format_RGB32));
}

// Clicks on a button other than the write target, on the group and the
// layer bar.
TEST_F(GroupLayerBarsTest, ClicksCycleStatesToggleProtectionAndMoveTheWriteTarget)
{
    struct TCase {
        int kind;
        Qt::MouseButton mouse;
        Qt::KeyboardModifiers shift;
        int state;
        int protect;
        int want_state;
        int want_protect;
        bool becomes_target;
    };
    const Qt::KeyboardModifiers none {};
    const TCase cases[] = {
        { GroupKind, Qt::LeftButton, none, 0, 0, 1, 0, false },
        { GroupKind, Qt::LeftButton, none, 2, 1, 0, 1, false },
        { GroupKind, Qt::LeftButton, none, 1, 2, 1, 2, false },
        { GroupKind, Qt::LeftButton, Qt::ControlModifier, 1, 0, 1, 1, false },
        { GroupKind, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, 1, 0, 1, 2, false },
        { GroupKind, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, 1, 2, 1, 0, false },
        { GroupKind, Qt::RightButton, none, 1, 0, 3, 0, true },
        { GroupKind, Qt::RightButton, none, 1, 1, 1, 1, false },
        { GroupKind, Qt::MiddleButton, none, 1, 0, 1, 0, false },
        { LayerKind, Qt::LeftButton, none, 1, 0, 2, 0, false },
        { LayerKind, Qt::LeftButton, none, 2, 2, 2, 2, false },
        { LayerKind, Qt::LeftButton, Qt::ControlModifier, 2, 1, 2, 0, false },
        { LayerKind, Qt::RightButton, none, 0, 0, 3, 0, true },
        { LayerKind, Qt::RightButton, none, 0, 2, 0, 2, false },
    };
    for (const TCase& c : cases) {
        Document().SetHead(TZhdHead());
        Head().SetWriteGroup(2);
        SetGroup(2, LayerWriteTarget);
        const int i = 5;
        if (c.kind == GroupKind)
            SetGroup(i, c.state, c.protect);
        else
            SetLayer(2, i, c.state, c.protect);
        PaintBars();
        const int old_target = c.kind == GroupKind ? 2 : Head().GetGroup(2).GetWriteLayer();
        Click(Button(c.kind, i), c.mouse, c.shift);
        const std::string what = std::string(c.kind == GroupKind ? "group" : "layer") + " button "
                                 + std::to_string(static_cast<int>(c.mouse)) + " modifiers "
                                 + std::to_string(c.shift.toInt()) + " from " + std::to_string(c.state) + "/"
                                 + std::to_string(c.protect);
        const int state = c.kind == GroupKind ? Head().GetGroupState(i) : Head().GetLayerState(2, i);
        const int protect = c.kind == GroupKind ? Head().GetGroupProtect(i) : Head().GetLayerProtect(2, i);
        EXPECT_EQ(state, c.want_state) << what;
        EXPECT_EQ(protect, c.want_protect) << what;
        const int target = c.kind == GroupKind ? Head().GetWriteGroup() : Head().GetGroup(2).GetWriteLayer();
        EXPECT_EQ(target, c.becomes_target ? i : old_target) << what;
        if (c.becomes_target) {
            const int old_state = c.kind == GroupKind ? Head().GetGroupState(old_target)
                                                      : Head().GetLayerState(2, old_target);
            EXPECT_EQ(old_state, LayerEditable) << what << ": the old target";
            EXPECT_TRUE(Button(c.kind, i)->isChecked()) << what;
        } else {
            EXPECT_TRUE(Button(c.kind, old_target)->isChecked()) << what << ": the target's button stays down";
        }
        if (c.kind == GroupKind && c.becomes_target) {
            EXPECT_EQ(Bars().CurrentGroup(), i);
        }
    }
}

TEST_F(GroupLayerBarsTest, ANewWriteGroupBringsItsScaleAsTheUnitFactor)
{
    Head().SetGroupScale(4, 50);
    SetGroup(4, LayerDisplayOnly);
    for (const auto& [unit, factor] : { std::pair { 0, 50.0 }, std::pair { 1, 0.05 }, std::pair { 2, 1.0 } }) {
        Head().SetWriteGroup(0);
        SetGroup(0, LayerWriteTarget);
        SetGroup(4, LayerDisplayOnly);
        PaintBars();
        form.StatusButtons().SetDisplayUnit(unit);
        Click(Button(GroupKind, 4), Qt::RightButton);
        EXPECT_DOUBLE_EQ(form.StatusButtons().UnitFactor(), factor) << "unit " << unit;
    }
}

TEST_F(GroupLayerBarsTest, TheViewShowsAChangeAtTheNextMoveOverTheDrawing)
{
    Head().SetWriteGroup(0);
    SetGroup(1, LayerDisplayOnly);
    Document().GetElemListPtr().Append(LineIn(1, 0, 0, 200));
    PaintBars();
    Redraw();
    const QPoint on_line = PixelOf(0, 0);
    const QRgb line_colour = Front().pixel(on_line);
    const QRgb background = Front().pixel(PixelOf(0, 30));
    ASSERT_NE(line_colour, background);
    // Display only → editable → hidden.
    QTest::mousePress(Button(GroupKind, 1), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(form.State().GroupLayerRedrawPending);
    QTest::mouseRelease(Button(GroupKind, 1), Qt::LeftButton, {}, QPoint(5, 5));
    Click(Button(GroupKind, 1));
    ASSERT_EQ(Head().GetGroupState(1), LayerHidden);
    EXPECT_EQ(form.State().DoubleClickSuppression, 1);
    EXPECT_EQ(Front().pixel(on_line), line_colour) << "not redrawn at once";
    TRedrawTime time(form, 5000);
    time.Advance(100);
    QTest::mouseMove(form.windowHandle(), form.PaintBox1->mapTo(&form, on_line + QPoint(3, 3)));
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.State().GroupLayerRedrawPending);
    EXPECT_EQ(Front().pixel(on_line), background) << "the hidden group's line is gone";
}

TEST_F(GroupLayerBarsTest, ALeftClickOnTheWriteTargetSelectsItsContentsADoubleClickAdds)
{
    Head().SetWriteGroup(0);
    SetGroup(0, LayerWriteTarget);
    SetGroup(1, LayerEditable);
    for (const TZhdElemPtr& elem : { LineIn(0, 0, 0), LineIn(0, 0, 5), LineIn(1, 0, 10) })
        Document().GetElemListPtr().Append(elem);
    PaintBars();
    for (const auto& [double_click, want] : { std::pair { false, 2 }, std::pair { true, 3 } }) {
        Document().SelectGroup(1, 0);
        ASSERT_EQ(SelectedCount(), 1);
        form.State().WriteTargetSelection = false;
        const TZhdHead before = Head();
        // The second press of a double click comes while the release of the
        // first waits for it; its release goes to the hook.
        if (double_click)
            QTimer::singleShot(0, &form, [this] { QTest::mouseDClick(Button(GroupKind, 0), Qt::LeftButton, {}, QPoint(5, 5)); });
        Click(Button(GroupKind, 0));
        if (double_click)
            QTest::mouseRelease(Button(GroupKind, 0), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(SelectedCount(), want) << (double_click ? "a double click adds" : "a single click replaces");
        EXPECT_TRUE(form.State().WriteTargetSelection);
        EXPECT_EQ(Head().GetWriteGroup(), before.GetWriteGroup());
        EXPECT_EQ(Head().GetGroupState(0), LayerWriteTarget) << "the target's state stays";
    }
}

TEST_F(GroupLayerBarsTest, AllCyclesTheOtherGroupsAndItsRightClickMakesThemEditable)
{
    Head().SetWriteGroup(3);
    SetGroup(3, LayerWriteTarget);
    SetGroup(7, LayerDisplayOnly, 2);
    SetGroup(8, LayerEditable, 1);
    PaintBars();
    for (const int want : { LayerHidden, LayerDisplayOnly, LayerEditable, LayerHidden }) {
        Click(form.tbGAll);
        EXPECT_EQ(Head().GetGroupState(0), want);
        EXPECT_EQ(Head().GetGroupState(8), want) << "protected, not fixed";
        EXPECT_EQ(Head().GetGroupState(7), LayerDisplayOnly) << "fixed";
        EXPECT_EQ(Head().GetGroupState(3), LayerWriteTarget) << "the write target";
    }
    Click(form.tbGAll, Qt::RightButton);
    EXPECT_EQ(Head().GetGroupState(0), LayerEditable);
    EXPECT_EQ(Head().GetGroupState(3), LayerWriteTarget);
    EXPECT_EQ(Bars().AllState(GroupKind), 2);

    // The layers of the write group, its write layer kept.
    TZhdGrp group = Head().GetGroup(3);
    group.SetWriteLayer(4);
    Head().SetGroup(3, group);
    SetLayer(3, 4, LayerWriteTarget);
    SetLayer(3, 9, LayerHidden, 2);
    Click(form.tbLAll);
    EXPECT_EQ(Head().GetLayerState(3, 0), LayerHidden);
    EXPECT_EQ(Head().GetLayerState(3, 4), LayerWriteTarget);
    EXPECT_EQ(Head().GetLayerState(3, 9), LayerHidden);
    EXPECT_EQ(Head().GetLayerState(5, 0), LayerEditable) << "another group's layers are left alone";
    Click(form.tbLAll, Qt::RightButton);
    EXPECT_EQ(Head().GetLayerState(3, 0), LayerEditable);
}

TEST_F(GroupLayerBarsTest, TheFlippedViewShowsTheOtherLayersForTheMomentAndLeavesTheHeader)
{
    Head().SetWriteGroup(0);
    SetGroup(0, LayerWriteTarget);
    SetGroup(1, LayerHidden);
    Document().GetElemListPtr().Append(LineIn(0, 0, 0, 200));
    Document().GetElemListPtr().Append(LineIn(1, 0, 20, 200));
    Redraw();
    const QPoint shown = PixelOf(0, 0);
    const QPoint hidden = PixelOf(0, 20);
    const QRgb background = Front().pixel(hidden);
    ASSERT_NE(Front().pixel(shown), background);
    const TZhdHead before = Head();
    const auto same_states = [&] {
        for (int g = 0; g < 16; ++g) {
            if (Head().GetGroupState(g) != before.GetGroupState(g))
                return false;
            for (int l = 0; l < 16; ++l) {
                if (Head().GetLayerState(g, l) != before.GetLayerState(g, l))
                    return false;
            }
        }
        return true;
    };
    TRedrawTime time(form, 10000);
    time.Advance(100);
    Click(form.tbGSp);
    EXPECT_TRUE(form.State().TemporaryFullView);
    EXPECT_TRUE(same_states()) << "only the picture is flipped";
    EXPECT_EQ(Front().pixel(shown), background) << "the write group's editable layer goes";
    EXPECT_NE(Front().pixel(hidden), background) << "the hidden group comes";
    time.Advance(100);
    Click(form.tbGSp);
    EXPECT_FALSE(form.State().TemporaryFullView);
    EXPECT_TRUE(same_states());
    EXPECT_NE(Front().pixel(shown), background) << "back to the stored states";
    EXPECT_EQ(Front().pixel(hidden), background);
}

TEST_F(GroupLayerBarsTest, TheLayerBarsSpecialButtonShowsAndHidesTheGroupWindow)
{
    ASSERT_TRUE(form.ToolWindowGroup->Visible());
    Click(form.tbLSp);
    EXPECT_FALSE(form.ToolWindowGroup->Visible());
    Click(form.tbLSp);
    EXPECT_TRUE(form.ToolWindowGroup->Visible());
}

TEST_F(GroupLayerBarsTest, TheLayerBarFollowsTheWriteGroup)
{
    Head().SetWriteGroup(0);
    SetGroup(10, LayerDisplayOnly);
    TZhdGrp group = Head().GetGroup(10);
    group.SetWriteLayer(6);
    Head().SetGroup(10, group);
    SetLayer(10, 6, LayerWriteTarget);
    PaintBars();
    const QImage glyphs_before = Bars().GlyphStrip();
    Click(Button(GroupKind, 10), Qt::RightButton);
    EXPECT_EQ(Bars().CurrentGroup(), 10);
    EXPECT_TRUE(Button(LayerKind, 6)->isChecked()) << "the new write group's write layer";
    EXPECT_EQ(BarPixel(LayerKind, 19 * 6 + 2, 11) == red || BarPixel(LayerKind, 19 * 6 + 2, 10) == red
                  || BarPixel(LayerKind, 19 * 6 + 2, 12) == red,
              true);
    EXPECT_EQ(Bars().GlyphStrip().copy(0, 0, 34, 15), glyphs_before.copy(0, 0, 34, 15)) << "All and >< stay";
    EXPECT_NE(Bars().GlyphStrip().copy(34, 0, 17, 15), glyphs_before.copy(34, 0, 17, 15)) << "the digit is A now";
}

} // namespace
