// The image colour pick on a small drawing opened from disk: which image
// text a click points at, the colour the box starts with for each click,
// what OK and cancel change, and the pick's care for the drawing when
// another one was opened while it waited. Clicks are real event sequences.

#include "tests/ui/OverDrawingTestSupport.h"

#include "core/DebugLog.h"
#include "core/LayerState.h"
#include "document/ZhdGrp.h"
#include "elements/KMoji.h"
#include "platform/Bitmap.h"
#include "platform/BmpFile.h"
#include "platform/CanvasTypes.h"
#include "render/RasterBase.h"
#include "ui/ColorBox.h"
#include "ui/ImageColourPick.h"
#include "ui/MouseGestures.h"
#include "ui/TipBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

namespace {

constexpr int image_mode = 4;
constexpr int ink = 0x008000;      // the monochrome image's colour file: green
constexpr int red = 0x0000FF;      // the colour image
constexpr int new_colour = 0x3060C0;
constexpr char8_t prompt[]
    = u8"画像を指示して下さい．マウス(L)　　　指示＆色取得．マウス(R)　　　指示＆未使用色取得．マウス(RR)";

// The drawing's elements, in list order.
enum TText { NoSize, Mono, Colour, DisplayOnly, Missing };

// What the colour box showed when it opened.
struct TBoxSeen {
    int shows = 0;
    QString caption;
    QString name;
    QString hint;
    int colour = -1;
};

class ImageColourPickTest : public OverDrawingTest {
protected:
    void SetUp() override
    {
        OverDrawingTest::SetUp();
        form.SetForms({ nullptr, nullptr, &box, nullptr, nullptr, nullptr });
        WriteFixture();
        ASSERT_EQ(form.FileOpen(drawing), 1);
        UseView(1);
        // Redraws after this run at once through the gate.
        time = std::make_unique<TRedrawTime>(form, 100000);
        form.State().CommandMode = image_mode;
        form.ImageColour().StartPick();
        RedirectDebugLog(&log);
    }
    void TearDown() override { RedirectDebugLog(nullptr); }

    // A monochrome image, all ink (black in the file), with its colour file; a red colour image;
    // the drawing, whose colour image is named by a Windows path in another
    // letter case.
    void WriteFixture()
    {
        TBitmap mono(16, 8, TPixelFormat::Indexed1);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x)
                mono.SetPixelIndex(x, y, 0);
        ASSERT_EQ(WriteBmpFile(folder.File("scan.bmp"), mono), TSaveStatus::Saved);
        std::ofstream(folder.File("scan.bmp.col")) << ink << "\n";
        TBitmap colour(8, 4, TPixelFormat::Rgb24);
        colour.Fill(PackColor(255, 0, 0));
        ASSERT_EQ(WriteBmpFile(folder.File("photo.bmp"), colour), TSaveStatus::Saved);

        TZhdData plan;
        TZhdLay layer = plan.GetHeadPtr().GetLayer(0, 1);
        layer.SetState(LayerDisplayOnly);
        plan.GetHeadPtr().SetLayer(0, 1, layer);
        TZhdElemList& list = plan.GetElemListPtr();
        // Boxes (mm): the text without a size from (30, 1), about 5 high;
        // mono [0, 40] x [0, 20]; colour [25, 65] x [12, 32]; display-only
        // [-10, 30] x [-5, 15]; the missing image [-60, -20] x [-40, -20].
        list.Append(Text(30, 1, "scan.bmp"));
        list.Append(Text(0, 0, "scan.bmp,40,20"));
        list.Append(Text(25, 12, "C:\\DATA\\Photo.BMP,40,20"));
        list.Append(Text(-10, -5, "scan.bmp,40,20"));
        list.Back()->SetLayer(1);
        list.Append(Text(-60, -40, "gone.bmp,40,20"));
        ASSERT_EQ(plan.SaveToFile(SjisPath(drawing)), TSaveStatus::Saved);
        on_disk = Files();
    }

    static boost::shared_ptr<TKMoji> Text(double x, double y, const std::string& reference)
    {
        return boost::make_shared<TKMoji>(TBPoint(x, y), TBPoint(x + 40, y), TZhdaMoji(5, 5, 0, 1), 1, TAngle(0.0),
                                          "", "^@BM" + reference);
    }

    // Every file of the folder with its bytes.
    std::map<std::string, std::string> Files() const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            files[entry.path().filename().string()] = ReadFileBytes(entry.path());
        return files;
    }

    TRasterBase& Raster(TText text)
    {
        const auto& moji = static_cast<const TKMoji&>(*Document().GetElemListPtr().GetAt(text));
        EXPECT_NE(moji.GetRaster(), nullptr);
        return *moji.GetRaster();
    }

    // Events as the window system delivers them, at the drawing point.
    QPoint InWindow(double x, double y) { return form.PaintBox1->mapTo(&form, PixelOf(x, y)); }
    void Press(Qt::MouseButton button, double x, double y)
    {
        QTest::mousePress(form.windowHandle(), button, {}, InWindow(x, y));
    }
    void Release(Qt::MouseButton button, double x, double y)
    {
        QTest::mouseRelease(form.windowHandle(), button, {}, InWindow(x, y));
    }
    void Click(Qt::MouseButton button, double x, double y)
    {
        Press(button, x, y);
        Release(button, x, y);
    }
    // A right double click: the second press comes while the first
    // release's handler waits (before the test library moves its clock past
    // the double-click time, which it does once the release returns).
    void RightDoubleClick(double x, double y)
    {
        Press(Qt::RightButton, x, y);
        QTimer::singleShot(0, &form, [this, x, y] { Click(Qt::RightButton, x, y); });
        Release(Qt::RightButton, x, y);
    }

    // When the colour box shows, what it shows is kept and `answer` acts on
    // it; without an answer it is cancelled.
    void WhenBoxShows(std::function<void()> answer = {})
    {
        auto* poll = new QTimer(&form);
        QObject::connect(poll, &QTimer::timeout, &form, [this, poll, answer] {
            if (!box.isVisible())
                return;
            poll->stop();
            poll->deleteLater();
            ++seen.shows;
            seen.caption = box.windowTitle();
            seen.name = box.findChild<QLineEdit*>("Edit1")->text();
            seen.hint = box.findChild<QLineEdit*>("Edit1")->toolTip();
            seen.colour = box.SwatchColor();
            if (answer)
                answer();
            else
                Button("Button2")->click();
        });
        poll->start(5);
    }
    QPushButton* Button(const char* name) { return box.findChild<QPushButton*>(name); }
    void Ok(std::optional<int> colour)
    {
        WhenBoxShows([this, colour] {
            if (colour)
                box.SetSwatchColor(*colour);
            Button("Button1")->click();
        });
    }

    int Count(const std::string& line) const { return LogLineCount(log.str(), line); }
    int Requests() const
    {
        const std::string text = log.str();
        int count = 0;
        for (auto at = text.find("CanvasDrawTime="); at != std::string::npos; at = text.find("CanvasDrawTime=", at + 1))
            ++count;
        return count;
    }
    QString Status() { return form.StatusBar1->currentMessage(); }
    int PackedPixel(const QImage& image, double x, double y)
    {
        const QRgb pixel = image.pixel(PixelOf(x, y));
        return TRGB().PackRGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
    }

    TempDir folder;
    std::filesystem::path drawing = folder.File("plan.zhd");
    std::map<std::string, std::string> on_disk;
    TfmColorBox box { &form };
    TBoxSeen seen;
    std::unique_ptr<TRedrawTime> time;
    std::ostringstream log;
};

} // namespace

TEST_F(ImageColourPickTest, TheNearestImageTextOnAnEditableLayerUnderTheClickIsChosen)
{
    struct {
        const char* what;
        TBPoint click;
        int chosen;
        const char* file;
    } const cases[] = {
        { "in the mono image alone", TBPoint(5, 2), Mono, "scan.bmp" },
        { "in both, near a corner of the mono image", TBPoint(38, 19), Mono, "scan.bmp" },
        { "in both, near a corner of the colour image", TBPoint(27, 13), Colour, "C:\\DATA\\Photo.BMP" },
        { "nearer the display-only text, inside the mono image", TBPoint(9, 6), Mono, "scan.bmp" },
        { "in the display-only text alone", TBPoint(-5, -3), -1, "" },
        { "at the start of the text without a size, inside the mono image", TBPoint(31, 2), -1, "" },
        { "outside every text", TBPoint(-50, 50), -1, "" },
        { "in the text whose image is missing", TBPoint(-40, -30), Missing, "gone.bmp" },
    };
    for (const auto& c : cases) {
        const std::optional<TImageTextChoice> choice = FindImageText(Document(), c.click);
        EXPECT_EQ(choice ? choice->index : -1, c.chosen) << c.what;
        EXPECT_EQ(choice ? choice->file : "", c.file) << c.what;
    }
}

TEST_F(ImageColourPickTest, NoImageUnderTheClickOrNoneLoadedShowsTheTipAndNoBox)
{
    WhenBoxShows();
    for (const TBPoint& at : { TBPoint(-5, -3), TBPoint(31, 2), TBPoint(-40, -30) }) {
        Click(Qt::LeftButton, at.GetX(), at.GetY());
        EXPECT_TRUE(form.TipBox().Pinned());
        EXPECT_EQ(form.Tips->text(), QtText(u8"　画像がありません！　"));
        EXPECT_EQ(form.State().CommandSubMode, 1) << "the next click points again";
    }
    QTest::qWait(20);
    EXPECT_EQ(seen.shows, 0);
}

TEST_F(ImageColourPickTest, TheBoxStartsWithThePresentColourTheColourUnderTheCursorOrAnUnusedOne)
{
    TRasterBase& photo = Raster(Colour);
    photo.GetInfoPtr()->SetColor(TRGB(0x345678));
    const int under_cursor = PackedPixel(form.View().BackBuffer(), 50, 25);
    ASSERT_EQ(under_cursor, red);
    const int unused = photo.GetUnusedColor().GetColor();
    ASSERT_NE(unused, red);
    ASSERT_NE(unused, 0x345678);
    struct {
        const char* what;
        std::function<void()> click;
        int colour;
        int right_double_logged;
    } const cases[] = {
        { "left", [this] { Click(Qt::LeftButton, 50, 25); }, 0x345678, 0 },
        { "right", [this] { Click(Qt::RightButton, 50, 25); }, under_cursor, 0 },
        { "right double", [this] { RightDoubleClick(50, 25); }, unused, 1 },
    };
    const QString photo_path = PathText(std::filesystem::absolute(folder.File("photo.bmp")));
    for (const auto& c : cases) {
        seen = {};
        log.str("");
        form.StatusBar1->showMessage("before");
        WhenBoxShows();
        c.click();
        EXPECT_EQ(seen.shows, 1) << c.what;
        EXPECT_EQ(seen.colour, c.colour) << c.what;
        EXPECT_EQ(seen.caption, QtText(u8"カラー画像の透過色")) << c.what;
        // The file the image was loaded from, not the name the drawing gives.
        EXPECT_EQ(seen.hint, photo_path) << c.what;
        EXPECT_TRUE(photo_path.endsWith(seen.name.section("...", -1))) << c.what;
        // Cancelled: the prompt again, and the next click points again.
        EXPECT_EQ(Status(), QtText(prompt)) << c.what;
        EXPECT_EQ(form.State().SavedStatusText, "before") << c.what;
        EXPECT_EQ(form.State().CommandSubMode, 1) << c.what;
        EXPECT_EQ(photo.GetInfoRef().GetColor().GetColor(), 0x345678) << c.what;
        EXPECT_EQ(Count("RDblClk"), c.right_double_logged) << c.what;
        EXPECT_EQ(form.Gestures().RightDoubleClick(), 0) << c.what;
    }
    EXPECT_EQ(Requests(), 0);
}

TEST_F(ImageColourPickTest, OkWithoutAChangeEndsThePickWithoutARedraw)
{
    Ok(std::nullopt);
    Click(Qt::LeftButton, 5, 2);
    EXPECT_EQ(seen.shows, 1);
    EXPECT_EQ(seen.colour, ink);
    EXPECT_EQ(seen.caption, QtText(u8"モノクロ画像の表示色"));
    EXPECT_EQ(form.State().CommandSubMode, 0);
    EXPECT_EQ(Status(), QtText(u8"画像編集？"));
    EXPECT_EQ(Requests(), 0);
    EXPECT_EQ(Raster(Mono).GetInfoRef().GetColor().GetColor(), ink);

    // With nothing asked, a right click does nothing and a left click asks
    // for an image again.
    Click(Qt::RightButton, 5, 2);
    EXPECT_EQ(form.State().CommandSubMode, 0);
    EXPECT_EQ(seen.shows, 1);
    Click(Qt::LeftButton, 5, 2);
    EXPECT_EQ(form.State().CommandSubMode, 1);
    EXPECT_EQ(Status(), QtText(prompt));
    EXPECT_EQ(seen.shows, 1);
}

TEST_F(ImageColourPickTest, OkWithANewColourDrawsTheImageInItAndWritesNoFile)
{
    ASSERT_EQ(PackedPixel(form.PaintBox1->Front(), 35, 8), ink);
    struct {
        TText text;
        TBPoint click;
        const char* label;
    } const cases[] = {
        { Mono, TBPoint(5, 2), "MouseUpRasMono() | " },
        { Colour, TBPoint(50, 25), "MouseUpRasColor() | " },
    };
    for (const auto& c : cases) {
        seen = {};
        log.str("");
        form.ImageColour().StartPick();
        Ok(new_colour);
        // Past the redraw gate.
        time->Advance(100);
        Click(Qt::LeftButton, c.click.GetX(), c.click.GetY());
        EXPECT_EQ(seen.shows, 1) << c.label;
        EXPECT_EQ(Raster(c.text).GetInfoRef().GetColor().GetColor(), new_colour) << c.label;
        EXPECT_EQ(Count("CanvasDraw()"), 1) << c.label;
        EXPECT_NE(log.str().find(c.label), std::string::npos) << c.label;
        EXPECT_EQ(form.State().CommandSubMode, 0) << c.label;
        EXPECT_EQ(Status(), QtText(u8"画像編集？")) << c.label;
    }
    // The monochrome image is drawn in its new colour; no file was written.
    EXPECT_EQ(PackedPixel(form.PaintBox1->Front(), 35, 8), new_colour);
    EXPECT_EQ(Files(), on_disk);
}

TEST_F(ImageColourPickTest, ADrawingOpenedWhileTheBoxWasOpenIsLeftAlone)
{
    WhenBoxShows([this] {
        form.FileOpen(drawing);
        box.SetSwatchColor(new_colour);
        Button("Button1")->click();
    });
    Click(Qt::LeftButton, 5, 2);
    EXPECT_EQ(seen.shows, 1);
    EXPECT_EQ(Count("<PaintBox1MouseUp> abandoned: another drawing was opened"), 1);
    // The drawing opened afresh has its image in the colour of its file.
    UseView(1);
    EXPECT_EQ(Raster(Mono).GetInfoRef().GetColor().GetColor(), ink);
    EXPECT_EQ(PackedPixel(form.PaintBox1->Front(), 35, 8), ink);
    EXPECT_EQ(form.State().CommandSubMode, 1);
    EXPECT_EQ(Files(), on_disk);
}
