// The group and layer overview: its labels and protection marks, its
// clicks, and that its thumbnails leave the displayed drawing alone.

#include "tests/support/WidgetShot.h"
#include "tests/ui/OverDrawingTestSupport.h"

#include "ui/GroupLayer.h"
#include "ui/GroupLayerBars.h"

#include <QLabel>
#include <QTimer>
#include <QToolButton>

namespace {

TZhdElemPtr LineIn(int g, int l, double y)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(-50.0, y), TBPoint(50.0, y));
    line->SetPenColor(2);
    line->SetPenStyle(1);
    line->SetGLayer(static_cast<std::uint16_t>(g));
    line->SetLayer(static_cast<std::uint16_t>(l));
    return line;
}

bool HasRed(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) == 0xff0000)
                return true;
        }
    }
    return false;
}

class GroupLayerTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        UseView(1);
        TZhdHead& head = Document().GetHeadPtr();
        head.SetWriteGroup(0);
        SetGroup(0, LayerWriteTarget, 0, "main");
        SetGroup(1, LayerEditable, 0, "walls");
        SetGroup(2, LayerDisplayOnly, 1, "doors");
        SetGroup(3, LayerHidden, 2, "notes");
        for (int g = 0; g < 4; ++g)
            Document().GetElemListPtr().Append(LineIn(g, 0, g * 10.0));
        PaintBars();
    }
    void TearDown() override { Dialog().hide(); }

    void SetGroup(int g, int state, int protect, const char* name)
    {
        TZhdGrp group = Document().GetHeadPtr().GetGroup(g);
        group.SetState(state);
        group.SetProtect(protect);
        group.SetName(name);
        Document().GetHeadPtr().SetGroup(g, group);
    }
    void PaintBars()
    {
        for (const int kind : { GroupKind, LayerKind }) {
            for (int i = -1; i < 16; ++i)
                form.PaintGroupLayerButtons(Document(), kind, i);
        }
    }
    TfmGroupLayer& Dialog() { return form.GroupLayerDialog(); }
    // Opened without a modal loop, its thumbnails painted.
    void Open(int p)
    {
        form.PrepareGroupLayerDialog(p, Document().GetHeadPtr());
        Dialog().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog()));
        QCoreApplication::processEvents();
    }
    QWidget* Thumbnail(int i) { return Dialog().Panel(i)->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly); }
    void ClickThumbnail(int i, Qt::MouseButton button, Qt::KeyboardModifiers shift = {})
    {
        QTest::mouseClick(Thumbnail(i), button, shift, QPoint(20, 30));
    }
    int Beeps() { return dialogs.script->beeps; }
};

TEST_F(GroupLayerTest, TheLabelsShowStateTargetAndProtection)
{
    Open(-1);
    EXPECT_EQ(Dialog().windowTitle(), QtText(u8"グループ一覧"));
    EXPECT_EQ(Dialog().Label1()->text(), QStringLiteral("[0]main"));
    struct TCase {
        int group;
        const char* caption;
        const char* hint;
    };
    for (const TCase& c : { TCase { 0, "[0]main", "Group : 0" }, TCase { 1, "[1]walls", "Group : 1" },
                            TCase { 2, " 2 doors", "Group : 2" }, TCase { 3, "   notes", "Group : 3" } }) {
        EXPECT_EQ(Dialog().Label(c.group)->text(), QString::fromLatin1(c.caption));
        EXPECT_EQ(Dialog().Label(c.group)->toolTip(), QString::fromLatin1(c.hint));
    }
    const QPalette target = Dialog().Label(0)->palette();
    EXPECT_EQ(target.color(QPalette::Window), form.palette().color(QPalette::Dark));
    EXPECT_EQ(target.color(QPalette::WindowText), QColor(Qt::white));
    const QPalette other = Dialog().Label(1)->palette();
    EXPECT_EQ(other.color(QPalette::Window), form.palette().color(QPalette::Button));
    EXPECT_EQ(other.color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(GroupLayerTest, ProtectionMarksComeAfterThePaintsAndGoWithAResize)
{
    Open(-1);
    EXPECT_FALSE(Dialog().MarksShown(2));
    ASSERT_TRUE(Dialog().Timer1()->isActive()) << "the paints started the timer";
    EXPECT_EQ(Dialog().Timer1()->interval(), 200);
    EXPECT_TRUE(QTest::qWaitFor([this] { return Dialog().MarksShown(2); }, 1000));
    EXPECT_TRUE(Dialog().MarksShown(3));
    EXPECT_FALSE(Dialog().MarksShown(1)) << "no protection, no marks";
    EXPECT_TRUE(HasRed(Dialog().Label(2)->grab().toImage()));
    EXPECT_TRUE(HasRed(Dialog().Label(3)->grab().toImage()));
    EXPECT_FALSE(HasRed(Dialog().Label(1)->grab().toImage()));

    Dialog().resize(Dialog().width() - 40, Dialog().height() - 40);
    EXPECT_FALSE(Dialog().MarksShown(2)) << "a resize relabels";
    EXPECT_TRUE(QTest::qWaitFor([this] { return Dialog().MarksShown(2); }, 1000)) << "until the next paint and 200 ms";
}

TEST_F(GroupLayerTest, ThumbnailsAreDrawnOncePerOpeningAndLeaveTheDisplayedDocumentAlone)
{
    Document().RefreshLayerStates();
    const TZhdHead head = Document().GetHeadPtr();
    const TInfoREG info = Document().GetInfoRegPtr();
    const TZhdData::LayerStateTable states = Document().GetLayerStatesPtr();
    const int drawn = Dialog().ThumbnailsDrawn();
    Open(-1);
    EXPECT_EQ(Dialog().ThumbnailsDrawn() - drawn, 16);
    for (int i = 0; i < 16; ++i)
        Thumbnail(i)->repaint();
    Dialog().Label(5)->setText(QStringLiteral("relabelled"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Dialog().ThumbnailsDrawn() - drawn, 16) << "paints copy the pictures";

    EXPECT_EQ(Document().GetHeadPtr().GetWriteGroup(), head.GetWriteGroup());
    for (int g = 0; g < 16; ++g) {
        EXPECT_EQ(Document().GetHeadPtr().GetGroupState(g), head.GetGroupState(g)) << g;
        for (int l = 0; l < 16; ++l)
            EXPECT_EQ(Document().GetHeadPtr().GetLayerState(g, l), head.GetLayerState(g, l));
    }
    EXPECT_EQ(Document().GetInfoRegPtr().GetView(), info.GetView());
    EXPECT_EQ(Document().GetInfoRegPtr().PixelWidth, info.PixelWidth);
    EXPECT_EQ(Document().GetInfoRegPtr().PixelHeight, info.PixelHeight);
    EXPECT_EQ(Document().GetLayerStatesPtr(), states);

    // Each thumbnail shows its group alone: group 1's line is in thumbnail
    // 1, not in thumbnail 2.
    const QImage one = Thumbnail(1)->grab().toImage();
    const QImage two = Thumbnail(2)->grab().toImage();
    EXPECT_NE(one, two);

    Dialog().resize(Dialog().width() - 40, Dialog().height() - 40);
    QCoreApplication::processEvents();
    EXPECT_EQ(Dialog().ThumbnailsDrawn() - drawn, 32) << "a new size draws them anew";
}

TEST_F(GroupLayerTest, ClicksChangeTheWorkingHeaderAndBothBarsButNotTheThumbnails)
{
    Open(-1);
    const QImage before = Thumbnail(1)->grab().toImage();
    const int drawn = Dialog().ThumbnailsDrawn();
    ClickThumbnail(1, Qt::RightButton);
    EXPECT_EQ(Dialog().ResultHeader().GetWriteGroup(), 1);
    EXPECT_EQ(Dialog().ResultHeader().GetGroupState(1), LayerWriteTarget);
    EXPECT_EQ(Dialog().ResultHeader().GetGroupState(0), LayerEditable);
    EXPECT_EQ(Document().GetHeadPtr().GetWriteGroup(), 1) << "the displayed document's header follows";
    EXPECT_EQ(form.State().DoubleClickSuppression, 1);
    EXPECT_TRUE(form.GroupButtons[1]->isChecked());
    EXPECT_EQ(form.GroupLayerBars().CurrentGroup(), 1) << "the layer bar shows group 1's layers";
    EXPECT_EQ(Dialog().Label(1)->text(), QStringLiteral("[1]walls"));
    EXPECT_EQ(Dialog().Label(1)->palette().color(QPalette::Window), form.palette().color(QPalette::Dark));
    QCoreApplication::processEvents();
    EXPECT_EQ(Dialog().ThumbnailsDrawn(), drawn);
    EXPECT_EQ(Thumbnail(1)->grab().toImage(), before) << "the thumbnails keep the headers of the opening";

    ClickThumbnail(2, Qt::RightButton);
    EXPECT_EQ(Dialog().ResultHeader().GetWriteGroup(), 1) << "group 2 is protected";
    ClickThumbnail(3, Qt::LeftButton);
    EXPECT_EQ(Dialog().ResultHeader().GetGroupState(3), LayerHidden) << "group 3 is fixed";
    ClickThumbnail(4, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Dialog().ResultHeader().GetGroupProtect(4), 2);
    ClickThumbnail(5, Qt::LeftButton);
    EXPECT_EQ(Dialog().ResultHeader().GetGroupState(5), (LayerEditable + 1) % 3);
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(GroupLayerTest, ClicksOnTheWriteTargetBeepAndChangeNothing)
{
    Open(-1);
    for (const Qt::MouseButton button : { Qt::LeftButton, Qt::RightButton })
        ClickThumbnail(0, button);
    EXPECT_EQ(Beeps(), 2);
    EXPECT_EQ(Dialog().ResultHeader().GetWriteGroup(), 0);
    EXPECT_EQ(Dialog().ResultHeader().GetGroupState(0), LayerWriteTarget);
}

TEST_F(GroupLayerTest, TheLayerBarsWriteTargetOpensTheLayerOverviewOfItsGroup)
{
    TZhdGrp group = Document().GetHeadPtr().GetGroup(10);
    group.SetWriteLayer(3);
    Document().GetHeadPtr().SetGroup(10, group);
    SetGroup(10, LayerEditable, 0, "ten");
    QTest::mouseClick(form.GroupButtons[10], Qt::RightButton, {}, QPoint(5, 5));
    ASSERT_EQ(form.GroupLayerBars().CurrentGroup(), 10);
    QString caption;
    int mode = 0;
    QTimer::singleShot(0, &form, [&] {
        caption = Dialog().windowTitle();
        mode = Dialog().Mode();
        // A right click in the window makes layer 6 the write layer.
        (void)QTest::qWaitForWindowExposed(&Dialog());
        ClickThumbnail(6, Qt::RightButton);
        QTest::keyClick(&Dialog(), Qt::Key_Escape);
    });
    QTest::mouseClick(form.LayerButtons[3], Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(caption, QtText(u8"レイヤ一覧　　（[A] グループ）"));
    EXPECT_EQ(Document().GetHeadPtr().GetGroup(10).GetWriteLayer(), 6) << "the window's header is taken back";
    EXPECT_TRUE(form.LayerButtons[6]->isChecked());
}

TEST_F(GroupLayerTest, Screenshot)
{
    form.PrepareGroupLayerDialog(-1, Document().GetHeadPtr());
    CheckScreenshot(Dialog(), "GroupLayerOverview", { QtText(u8"グループ一覧"), QStringLiteral("[0]main") });
}

} // namespace
