// The clock menu: which command each menu offers in each command mode,
// the names, the dial's pixels with and without a face, the faces built
// from their pictures, and the menu on the main window's view.

#include "tests/ui/MainFormTestSupport.h"

#include "platform/BmpFile.h"
#include "platform/ImageCanvas.h"
#include "tests/support/ScopedConfigFolder.h"
#include "ui/ClockDial.h"
#include "ui/ClockMenu.h"
#include "ui/PaintBox.h"

#include <QPalette>

#include <cmath>
#include <numbers>

namespace {

constexpr int left_button = 0;
constexpr int right_button = 1;
constexpr int am = 0;
constexpr int pm = 1;

TEST(ClockMenuTest, CommandModesDecideWhichMenusOfferTheirEntries)
{
    struct TCase {
        int mode;
        int sub_mode;
        int button;
        int face;
        int position;
        bool selection;
        int id;
    };
    const TCase cases[] = {
        // No mode: the right button's PM menu only.
        { 0, 0, right_button, pm, 1, false, 88 },
        { 0, 0, right_button, pm, 4, false, 87 },
        { 0, 0, right_button, pm, 11, false, 92 },
        { 0, 3, right_button, pm, 11, true, 92 },
        { 0, 0, right_button, pm, 0, false, 0 },
        { 0, 0, right_button, pm, 3, false, 0 },
        { 0, 0, right_button, am, 3, false, 0 },
        { 0, 0, left_button, pm, 0, false, 0 },
        { 0, 0, left_button, am, 4, true, 0 },
        // Frame mode: sub-mode 0 the PM menus of both buttons, 1 the right
        // button's menus of both faces, 2 and more nothing.
        { 1, 0, left_button, pm, 0, false, 290 },
        { 1, 0, right_button, pm, 1, false, 88 },
        { 1, 0, left_button, am, 4, false, 0 },
        { 1, 0, right_button, am, 3, false, 0 },
        { 1, 1, right_button, am, 3, false, 63 },
        { 1, 1, right_button, pm, 4, false, 87 },
        { 1, 1, left_button, pm, 0, false, 0 },
        { 1, 1, left_button, am, 4, false, 0 },
        { 1, 2, right_button, pm, 1, false, 0 },
        { 1, 2, right_button, am, 3, false, 0 },
        { 1, 3, left_button, pm, 0, false, 0 },
        // Raster mode, sub-mode 1: the left AM menu, its range commands
        // beyond the first only while elements are selected.
        { 4, 1, left_button, am, 4, false, 33 },
        { 4, 1, left_button, am, 4, true, 33 },
        { 4, 1, left_button, am, 5, false, 0 },
        { 4, 1, left_button, am, 5, true, 234 },
        { 4, 1, left_button, am, 6, false, 0 },
        { 4, 1, left_button, am, 6, true, 235 },
        { 4, 1, left_button, pm, 0, true, 0 },
        { 4, 1, right_button, pm, 1, true, 0 },
        { 4, 0, left_button, am, 4, true, 0 },
        { 4, 2, left_button, am, 4, true, 0 },
        // End-point mode: the right AM menu.
        { 5, 0, right_button, am, 3, false, 63 },
        { 5, 2, right_button, am, 3, false, 63 },
        { 5, 0, right_button, pm, 1, false, 0 },
        { 5, 0, left_button, am, 4, false, 0 },
        // The other modes offer nothing.
        { 2, 0, right_button, am, 3, false, 0 },
        { 3, 0, right_button, pm, 1, false, 0 },
        { 6, 0, right_button, pm, 1, false, 0 },
        { 7, 1, left_button, am, 4, true, 0 },
        { -1, 0, right_button, pm, 1, false, 0 },
        // Inside the radius, or a place that is no hour, a button or face
        // that does not exist: nothing.
        { 0, 0, right_button, pm, -1, false, 0 },
        { 0, 0, right_button, pm, 12, false, 0 },
        { 5, 0, right_button, am, -1, false, 0 },
        { 0, 0, 2, pm, 1, false, 0 },
        { 0, 0, right_button, 2, 1, false, 0 },
    };
    const TClockMenuTable table = BuildClockMenu();
    for (const TCase& c : cases) {
        EXPECT_EQ(LookUpClockCommand(table, c.mode, c.sub_mode, c.button, c.face, c.position, c.selection), c.id)
            << "mode " << c.mode << "-" << c.sub_mode << " button " << c.button << " face " << c.face << " at "
            << c.position << (c.selection ? " with" : " without") << " a selection";
    }
}

TEST(ClockMenuTest, TheTableHoldsItsEightCommandsAndNothingElse)
{
    const TClockMenuTable table = BuildClockMenu();
    int commands = 0;
    for (const auto& faces : table[0])
        for (const auto& positions : faces)
            for (const int id : positions)
                commands += id != 0;
    EXPECT_EQ(commands, 8);
    EXPECT_EQ(table[0][left_button][am][4], 33);
    EXPECT_EQ(table[0][left_button][am][5], 234);
    EXPECT_EQ(table[0][left_button][am][6], 235);
    EXPECT_EQ(table[0][left_button][pm][0], 290);
    EXPECT_EQ(table[0][right_button][am][3], 63);
    EXPECT_EQ(table[0][right_button][pm][1], 88);
    EXPECT_EQ(table[0][right_button][pm][4], 87);
    EXPECT_EQ(table[0][right_button][pm][11], 92);
}

TEST(ClockMenuTest, EveryCommandHasItsName)
{
    const std::pair<int, const char8_t*> names[] = {
        { 0, u8"キャンセル" },
        { 1, u8"AUTO" },
        { 33, u8"範囲選択" },
        { 43, u8"ソリッド" },
        { 62, u8"鉛直・円周1/8点" },
        { 63, u8"中心点・Ａ点" },
        { 64, u8"２点間中心　Ｂ点指示" },
        { 67, u8"線上点指示　交点（他の線円指示）" },
        { 84, u8"軸角･目盛" },
        { 87, u8"線角度" },
        { 88, u8"鉛直角" },
        { 92, u8"線長 取得" },
        { 97, u8"ZHCを開く" },
        { 101, u8"マークジャンプ登録１" },
        { 108, u8"マークジャンプ登録８" },
        { 121, u8"マークジャンプ表示１" },
        { 128, u8"マークジャンプ表示８" },
        { 234, u8"追加範囲" },
        { 235, u8"除外範囲" },
        { 283, u8"(-)軸角" },
        { 290, u8"角度±反転" },
        { 300, u8" ●円接線角● 円上点を指示してください． (L)free (R)Read " },
        { 301, u8" ●円接線角● 円上点を指示してください． (L)free (R)Read " },
    };
    for (const auto& [id, name] : names)
        EXPECT_EQ(ClockCommandName(id), sj(name)) << id;

    // 111 ids have a name, each of which survives the way to Shift-JIS;
    // every other id has none.
    int named = 0;
    for (int id = -10; id < 1000; ++id) {
        const std::string& name = ClockCommandName(id);
        if (name.empty())
            continue;
        ++named;
        EXPECT_EQ(Utf8ToSjis(SjisToUtf8(name)), name) << id;
        EXPECT_EQ(name.find('?'), std::string::npos) << id;
    }
    EXPECT_EQ(named, 111);
    for (const int id : { -1, 44, 50, 79, 109, 113, 302 })
        EXPECT_EQ(ClockCommandName(id), "") << id;
}

// --- The dial's pixels ---

constexpr TColor background = PackColor(64, 64, 64);
constexpr TColor rim = PackColor(255, 0, 0);
constexpr TColor inside = PackColor(240, 240, 240);
constexpr TColor blue = PackColor(0, 0, 255);
constexpr TColor white = PackColor(255, 255, 255);

TClockDial SmallDial(int position)
{
    TClockDial dial;
    dial.cx = 40;
    dial.cy = 40;
    dial.radius = 30;
    dial.position = position;
    dial.pen = rim;
    dial.fill = inside;
    return dial;
}

QImage DrawnDial(const TClockDial& dial)
{
    TImageCanvas canvas(80, 80, background);
    DrawClockDial(canvas, dial);
    return canvas.Image();
}

TColor PixelOf(const QImage& image, int x, int y)
{
    const QRgb pixel = image.pixel(x, y);
    return PackColor(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

// The point half-way from the centre to the rim towards an hour.
QPoint HalfWayTo(int hour)
{
    const double radians = hour * std::numbers::pi / 6;
    return QPoint(40 + static_cast<int>(std::lround(15 * std::sin(radians))),
                  40 - static_cast<int>(std::lround(15 * std::cos(radians))));
}

// Whether a pixel next to the point or the point itself has the pen's
// colour; the hand is 2 pixels wide, the other hours' half-way points lie
// 7 pixels from any line.
bool PenNear(const QImage& image, QPoint at)
{
    for (int y = at.y() - 1; y <= at.y() + 1; ++y) {
        for (int x = at.x() - 1; x <= at.x() + 1; ++x) {
            if (PixelOf(image, x, y) == rim)
                return true;
        }
    }
    return false;
}

TEST(ClockMenuTest, TheDialIsADiscWithTicksAndTheHandAtThePosition)
{
    for (int position = -1; position < 12; ++position) {
        const QImage image = DrawnDial(SmallDial(position));
        for (int hour = 0; hour < 12; ++hour)
            EXPECT_EQ(PenNear(image, HalfWayTo(hour)), hour == position) << "hand at " << position << ", hour " << hour;
        // Outside the rim the picture is untouched.
        EXPECT_EQ(PixelOf(image, 2, 2), background);
        EXPECT_EQ(PixelOf(image, 77, 77), background);
    }

    const QImage image = DrawnDial(SmallDial(-1));
    image.save(PathText(TestArtefactPath("clock-dial.png")));
    struct TPixel {
        QPoint at;
        TColor colour;
    };
    const TPixel pixels[] = {
        // The rim, 2 pixels wide, on the circle.
        { { 40, 10 }, rim },
        { { 40, 70 }, rim },
        { { 10, 40 }, rim },
        { { 70, 40 }, rim },
        { { 40, 7 }, background },
        { { 36, 13 }, inside },
        // The quarters' ticks run from 0.8 radii (24 pixels) to the rim,
        // the hours' from 24 to 26 pixels.
        { { 66, 40 }, rim },
        { { 62, 40 }, inside },
        { { 40, 66 }, rim },
        // Tick ends are truncated after the centre is added: one o'clock
        // from (52, 19) towards (53, 17), ten o'clock from (19, 28), not
        // (20, 28), towards (17, 26).
        { { 52, 19 }, rim },
        { { 51, 21 }, inside },
        { { 19, 28 }, rim },
        { { 18, 27 }, rim },
        { { 20, 28 }, inside },
        { { 17, 26 }, inside },
        // The centre, with no hand and no face.
        { { 40, 40 }, inside },
    };
    for (const TPixel& pixel : pixels)
        EXPECT_EQ(PixelOf(image, pixel.at.x(), pixel.at.y()), pixel.colour) << pixel.at.x() << "," << pixel.at.y();
}

TBitmap SolidPicture(int width, int height, TColor colour)
{
    TBitmap picture(width, height, TPixelFormat::Rgb24);
    picture.Fill(colour);
    return picture;
}

TEST(ClockMenuTest, AFaceIsCutToTheDiscInTheSixteenColours)
{
    const TBitmap face = BuildClockFace(SolidPicture(7, 5, PackColor(20, 10, 230)), 30);
    ASSERT_EQ(face.Width(), 58);
    ASSERT_EQ(face.Height(), 58);
    EXPECT_EQ(face.Format(), TPixelFormat::Indexed4);
    EXPECT_EQ(face.GetPixel(29, 29), blue);
    EXPECT_EQ(face.GetPixel(29, 1), blue);
    EXPECT_EQ(face.GetPixel(0, 0), white);
    EXPECT_EQ(face.GetPixel(57, 57), white);
    EXPECT_EQ(face.GetPixel(5, 5), white);

    // Colours go to the nearest of the 16.
    EXPECT_EQ(BuildClockFace(SolidPicture(3, 3, PackColor(200, 190, 185)), 30).GetPixel(29, 29),
              PackColor(192, 192, 192));
    EXPECT_EQ(BuildClockFace(SolidPicture(3, 3, PackColor(120, 10, 0)), 30).GetPixel(29, 29), PackColor(128, 0, 0));
    EXPECT_TRUE(BuildClockFace(TBitmap(), 30).IsEmpty());
}

TEST(ClockMenuTest, TheFaceShowsInsideTheDialWhiteLeftOut)
{
    TClockDial dial = SmallDial(-1);
    // Blue with a white stripe across the middle.
    TBitmap picture = SolidPicture(58, 58, blue);
    for (int x = 0; x < 58; ++x)
        picture.SetPixel(x, 29, white);
    dial.face = BuildClockFace(picture, 30);
    const QImage image = DrawnDial(dial);
    // The face's left edge is at 40 - 29.
    EXPECT_EQ(PixelOf(image, 40, 30), blue);
    EXPECT_EQ(PixelOf(image, 40, 40), inside);
    EXPECT_EQ(PixelOf(image, 12 + 5, 40 - 10), blue);
    // The ticks are drawn over it; the corners of the face are left out.
    EXPECT_EQ(PixelOf(image, 40, 66), rim);
    EXPECT_EQ(PixelOf(image, 13, 13), background);
}

TEST(ClockMenuTest, ALabelHoldsItsWholeText)
{
    TFont font;
    font.height = 12;
    font.face = sj(u8"ＭＳ Ｐゴシック");
    const std::string text = sj(u8"線長 取得");
    const TBitmap label = TextLabel(text, font, white);
    ASSERT_EQ(label.Height(), 12);
    ASSERT_GT(label.Width(), 30);
    // The same text on a wide canvas: no ink beyond the label, and the
    // label is that canvas's corner.
    TImageCanvas wide(label.Width() + 20, 12, white);
    wide.SetFont(font);
    wide.TextOut(0, 0, text);
    const QImage drawn = wide.Image();
    for (int y = 0; y < 12; ++y) {
        for (int x = label.Width(); x < drawn.width(); ++x)
            EXPECT_EQ(PixelOf(drawn, x, y), white) << x << "," << y;
    }
    EXPECT_EQ(drawn.copy(0, 0, label.Width(), 12), label.ToImage());
    EXPECT_TRUE(TextLabel("", font, white).IsEmpty());
}

// --- The menu on the main window ---

class ClockMenuFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm1>(std::vector<std::string> { WriteCrossDrawing(folder, "cross.zhd").string() });
        form->resize(640, 480);
        form->show();
        SettleView(*form);
    }

    QImage Picture() const { return form->PaintBox1->Front(); }

    QImage Label(const char8_t* name) const
    {
        TFont font;
        font.height = 12;
        font.face = sj(u8"ＭＳ Ｐゴシック");
        font.color = Colour(QPalette::WindowText);
        return TextLabel(sj(name), font, Colour(QPalette::Button)).ToImage();
    }

    TColor Colour(QPalette::ColorRole role) const
    {
        const QColor colour = form->PaintBox1->palette().color(role);
        return PackColor(colour.red(), colour.green(), colour.blue());
    }

    ScopedConfigFolder config;
    TScriptedDialogsInstalled dialogs;
    TempDir folder;
    std::unique_ptr<TForm1> form;
};

constexpr int cx = 200;
constexpr int cy = 150;
// The name's top-left corner.
const QPoint name_at(cx + 5, cy + TClockMenu::ClockRadius + 5);

TEST_F(ClockMenuFormTest, TheNameOfTheCommandUnderTheCursorShowsBelowTheDial)
{
    form->DrawClockMenu(1, 1, right_button, pm, cx, cy);
    EXPECT_EQ(form->ClockMenu().CurrentClockCommand(), 88);
    const QImage vertical = Label(u8"鉛直角");
    EXPECT_EQ(Picture().copy(QRect(name_at, vertical.size())), vertical);

    // Back inside the radius: no command; the longer name covers the
    // shorter.
    form->DrawClockMenu(1, -1, right_button, pm, cx, cy);
    EXPECT_EQ(form->ClockMenu().CurrentClockCommand(), 0);
    const QImage cancel = Label(u8"キャンセル");
    ASSERT_GT(cancel.width(), vertical.width());
    EXPECT_EQ(Picture().copy(QRect(name_at, cancel.size())), cancel);

    // A shorter name again: what the longer one covered beyond it is the
    // view's picture again.
    form->DrawClockMenu(1, 11, right_button, pm, cx, cy);
    EXPECT_EQ(form->ClockMenu().CurrentClockCommand(), 92);
    const QImage length = Label(u8"線長 取得");
    ASSERT_LT(length.width(), cancel.width());
    EXPECT_EQ(Picture().copy(QRect(name_at, length.size())), length);
    const QRect beyond(name_at.x() + length.width(), name_at.y(), cancel.width() - length.width(), cancel.height());
    EXPECT_EQ(Picture().copy(beyond), form->View().BackBuffer().copy(beyond));
    Picture().save(PathText(TestArtefactPath("clock-menu.png")));
}

TEST_F(ClockMenuFormTest, TheLeftMenuDrawsWithPenZeroAndTheRightWithPenTwo)
{
    // The drawing's screen pens: 0 dark blue, 2 red.
    const QPoint rim_at(cx, cy - TClockMenu::ClockRadius);
    const QPoint inside_at(cx + 5, cy - 10);
    form->DrawClockMenu(1, -1, left_button, am, cx, cy);
    EXPECT_EQ(Picture().pixel(rim_at) & 0xffffff, 0x000040u);
    EXPECT_EQ(PixelOf(Picture(), inside_at.x(), inside_at.y()), Colour(QPalette::Button));
    form->DrawClockMenu(1, -1, right_button, pm, cx, cy);
    EXPECT_EQ(Picture().pixel(rim_at) & 0xffffff, 0xff0000u);
    EXPECT_EQ(PixelOf(Picture(), inside_at.x(), inside_at.y()), Colour(QPalette::Light));
}

TEST_F(ClockMenuFormTest, TakingTheMenuAwayShowsTheViewAndItsOverlaysAgain)
{
    int frames = 0;
    int cross_hairs = 0;
    form->ClockMenu().SetViewOverlays({ [&frames](TCanvas&) { ++frames; },
                                        [&cross_hairs](TCanvas&) { ++cross_hairs; } });
    form->DrawClockMenu(1, 3, right_button, am, cx, cy);
    ASSERT_NE(Picture(), form->View().BackBuffer());

    // The command is recorded for the arguments of the removal too.
    form->State().CommandMode = 5;
    form->DrawClockMenu(0, 3, right_button, am, 0, 0);
    EXPECT_EQ(form->ClockMenu().CurrentClockCommand(), 63);
    form->DrawClockMenu(0, 0, left_button, am, 0, 0);
    EXPECT_EQ(form->ClockMenu().CurrentClockCommand(), 0);
    EXPECT_EQ(Picture(), form->View().BackBuffer());
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(cross_hairs, 2);

    // In print or output mode the frame comes back first; while a job or a
    // nested drawing runs, neither.
    TInfoREG& info = form->Document()->GetInfoRegPtr();
    info.PrintPreview = 1;
    form->DrawClockMenu(0, 0, 0, 0, 0, 0);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(cross_hairs, 3);
    info.NestedDraw = 1;
    form->DrawClockMenu(0, 0, 0, 0, 0, 0);
    info.NestedDraw = 0;
    info.OutputJob = 1;
    form->DrawClockMenu(0, 0, 0, 0, 0, 0);
    info.OutputJob = 0;
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(cross_hairs, 3);

    // Drawn again after a removal, the name does not put back what lay
    // under the removed one.
    form->DrawClockMenu(1, 3, right_button, am, cx, cy);
    form->DrawClockMenu(0, 0, 0, 0, 0, 0);
    const QImage before = Picture();
    form->DrawClockMenu(1, -1, right_button, am, cx + 100, cy);
    form->DrawClockMenu(0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Picture(), before);
}

TEST_F(ClockMenuFormTest, TheFacesComeFromTheirPicturesWhenPresent)
{
    TempDir faces;
    ASSERT_EQ(WriteBmpFile(faces.File("am.bmp"), SolidPicture(20, 20, blue)), TSaveStatus::Saved);
    form->ClockMenu().LoadClockFaces(faces.Path());
    EXPECT_EQ(form->ClockMenu().AmFace().Width(), 58);
    EXPECT_TRUE(form->ClockMenu().PmFace().IsEmpty());

    form->DrawClockMenu(1, -1, left_button, am, cx, cy);
    EXPECT_EQ(PixelOf(Picture(), cx + 10, cy - 10), blue);
    form->DrawClockMenu(1, -1, left_button, pm, cx, cy);
    EXPECT_EQ(PixelOf(Picture(), cx + 10, cy - 10), Colour(QPalette::Light));
}

} // namespace
