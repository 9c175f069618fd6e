// The colour box of a monochrome image: the swatch and its two labels, the
// colour dialog behind the swatch, the colour file and the modal results.

#include "ui/ColorBox.h"

#include "platform/ui/DialogService.h"
#include "render/RasterMono.h"
#include "tests/support/TempDir.h"
#include "tests/support/WidgetShot.h"
#include "tests/ui/DialogsTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>

namespace {

// Answers the colour dialog with a set colour (or a cancel) and takes every
// message box without showing it.
struct TDialogLog {
    std::optional<QColor> colour_answer;
    int colour_asks = 0;
    QColor colour_offered;
    int messages = 0;
    QString last_message;
};

class TAnsweringDialogs : public TDialogService {
public:
    explicit TAnsweringDialogs(TDialogLog& log) : log_(log) {}

    bool ChooseColor(QWidget*, QColor& color) override
    {
        ++log_.colour_asks;
        log_.colour_offered = color;
        if (!log_.colour_answer)
            return false;
        color = *log_.colour_answer;
        return true;
    }
    QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon, const QString&, const QString& text,
                                        QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        ++log_.messages;
        log_.last_message = text;
        return QMessageBox::Ok;
    }

private:
    TDialogLog& log_;
};

constexpr int Red = 0x0000FF;
constexpr int Green = 0x00FF00;
constexpr int Blue = 0xFF0000;

class ColorBoxTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetDialogService(std::make_unique<TAnsweringDialogs>(log_)); }
    void TearDown() override { SetDialogService(std::move(previous_)); }

    template <typename Control>
    Control* Find(const char* name)
    {
        return FindControl<Control>(form_, name);
    }
    QString Number() { return Find<QLabel>("Label3")->text(); }
    QString Components() { return Find<QLabel>("Label4")->text(); }

    TDialogLog log_;
    std::unique_ptr<TDialogService> previous_;
    TfmColorBox form_;
};

TEST_F(ColorBoxTest, FillSetsNameHintAndSwatch)
{
    form_.Fill("…/images/plan.bmp", "/data/drawings/images/plan.bmp", 0x123456);
    EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "…/images/plan.bmp");
    EXPECT_TRUE(Find<QLineEdit>("Edit1")->isReadOnly());
    EXPECT_EQ(Find<QLineEdit>("Edit1")->toolTip(), "/data/drawings/images/plan.bmp");
    EXPECT_EQ(form_.SwatchColor(), 0x123456);
    EXPECT_EQ(Find<QLabel>("StaticText1")->palette().color(QPalette::Window), QColor(0x56, 0x34, 0x12));
    EXPECT_TRUE(Find<QPushButton>("Button3")->isEnabled());

    // Without a path there is no colour file to write.
    form_.Fill("", "", 0);
    EXPECT_FALSE(Find<QPushButton>("Button3")->isEnabled());
}

TEST_F(ColorBoxTest, ShowingRefreshesTheLabels)
{
    struct Case {
        int colour;
        const char* number;
        const char* components;
    };
    const Case cases[] = {
        { Red, "255", "R:255 G:  0 B:  0" },
        { 0, "0", "R:  0 G:  0 B:  0" },
        { 0xFFFFFF, "16777215", "R:255 G:255 B:255" },
        { 0x123456, "1193046", "R: 86 G: 52 B: 18" },
    };
    for (const Case& c : cases) {
        form_.Fill("a.bmp", "/tmp/a.bmp", c.colour);
        form_.show();
        EXPECT_EQ(Number(), c.number);
        EXPECT_EQ(Components(), c.components);
        form_.hide();
    }
}

TEST_F(ColorBoxTest, ColoursBeyondTheScreensAreCutToTheirLowBytes)
{
    struct Case {
        int given;
        int shown;
    };
    const Case cases[] = { { -1, 0xFFFFFF }, { 0x01000000 | Red, Red }, { INT_MIN, 0 }, { INT_MAX, 0xFFFFFF } };
    for (const Case& c : cases) {
        form_.Fill("a.bmp", "/tmp/a.bmp", c.given);
        form_.show();
        EXPECT_EQ(form_.SwatchColor(), c.shown) << c.given;
        EXPECT_EQ(Number(), QString::number(c.shown)) << c.given;
        form_.hide();
    }
}

TEST_F(ColorBoxTest, SwatchAndItsLabelAskForAColour)
{
    for (const char* clicked : { "StaticText1", "Label2" }) {
        form_.Fill("a.bmp", "/tmp/a.bmp", Red);
        form_.show();
        log_ = {};
        log_.colour_answer = QColor(0, 255, 0);
        QTest::mouseClick(Find<QLabel>(clicked), Qt::LeftButton);
        EXPECT_EQ(log_.colour_asks, 1) << clicked;
        EXPECT_EQ(log_.colour_offered, QColor(255, 0, 0)) << clicked;
        EXPECT_EQ(form_.SwatchColor(), Green) << clicked;
        EXPECT_EQ(Number(), "65280") << clicked;
        EXPECT_EQ(Components(), "R:  0 G:255 B:  0") << clicked;
        form_.hide();
    }
}

TEST_F(ColorBoxTest, SpaceOnTheSwatchAsksForAColour)
{
    form_.Fill("a.bmp", "/tmp/a.bmp", Red);
    form_.show();
    log_.colour_answer = QColor(0, 0, 255);
    QTest::keyClick(Find<QLabel>("StaticText1"), Qt::Key_Space);
    EXPECT_EQ(log_.colour_asks, 1);
    EXPECT_EQ(form_.SwatchColor(), Blue);
}

TEST_F(ColorBoxTest, CancellingTheColourDialogChangesNothing)
{
    form_.Fill("a.bmp", "/tmp/a.bmp", Red);
    form_.show();
    QTest::mouseClick(Find<QLabel>("StaticText1"), Qt::LeftButton);
    EXPECT_EQ(log_.colour_asks, 1);
    EXPECT_EQ(form_.SwatchColor(), Red);
    EXPECT_EQ(Number(), "255");
}

TEST_F(ColorBoxTest, SavingWritesTheColourFileBesideTheImage)
{
    TempDir folder;
    const std::filesystem::path image = folder.Write("plan.bmp", "BM");
    folder.Write("plan.bmp.col", "12345\r\n");
    form_.Fill("plan.bmp", QString::fromStdString(image.string()), Red);
    form_.show();
    log_.colour_answer = QColor(0, 0, 255);
    QTest::mouseClick(Find<QLabel>("StaticText1"), Qt::LeftButton);

    QTest::mouseClick(Find<QPushButton>("Button3"), Qt::LeftButton);
    QCoreApplication::processEvents();

    // ".col" goes after ".bmp"; the old file is replaced.
    EXPECT_EQ(ReadFileBytes(folder.File("plan.bmp.col")), "16711680\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.File("plan.col")));
    EXPECT_EQ(ParseColourFile(ReadFileBytes(folder.File("plan.bmp.col"))), Blue);
    EXPECT_EQ(log_.messages, 0);
    EXPECT_TRUE(form_.isVisible());
}

TEST_F(ColorBoxTest, AColourFileThatCannotBeWrittenIsReported)
{
    TempDir folder;
    const std::filesystem::path image = folder.File("missing-folder") / "plan.bmp";
    form_.Fill("plan.bmp", QString::fromStdString(image.string()), Red);
    form_.show();
    QTest::mouseClick(Find<QPushButton>("Button3"), Qt::LeftButton);
    EXPECT_EQ(log_.messages, 1);
    EXPECT_TRUE(log_.last_message.endsWith("plan.bmp.col に書き込めません")) << log_.last_message.toStdString();
    EXPECT_TRUE(form_.isVisible());
}

TEST_F(ColorBoxTest, ButtonsAndKeysGiveTheModalResults)
{
    // A fresh form each time: a button that took the focus stays the one
    // Enter presses.
    struct Case {
        const char* name;
        std::function<void(TfmColorBox&)> act;
        int result;
    };
    const auto click = [](const char* button) {
        return [button](TfmColorBox& form) {
            QTest::mouseClick(form.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        };
    };
    const Case cases[] = {
        { "Button1", click("Button1"), QDialog::Accepted },
        { "Button2", click("Button2"), QDialog::Rejected },
        { "Enter", [](TfmColorBox& form) { QTest::keyClick(&form, Qt::Key_Return); }, QDialog::Accepted },
        { "Escape", [](TfmColorBox& form) { QTest::keyClick(&form, Qt::Key_Escape); }, QDialog::Rejected },
    };
    for (const Case& c : cases) {
        TfmColorBox form;
        form.Fill("a.bmp", "/tmp/a.bmp", Red);
        QTimer::singleShot(0, [&] { c.act(form); });
        EXPECT_EQ(form.exec(), c.result) << c.name;
        EXPECT_EQ(form.SwatchColor(), Red) << c.name;
    }
}

TEST_F(ColorBoxTest, Screenshot)
{
    form_.setWindowTitle("モノクロ画像の表示色");
    form_.Fill("plan.bmp", "/data/drawings/plan.bmp", 0x3366CC);
    CheckScreenshot(form_, "ColorBox",
                    { "モノクロ画像の表示色", "画像ファイル名", "色の指定(&R)", "決定", "取消", "色の保存(&S)" });
}

} // namespace
