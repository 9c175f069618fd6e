// The About box filled from the version texts and kept on the screen; the
// help file opened from beside the executable.

#include "ui/AboutBox.h"
#include "ui/HelpFile.h"

#include "tests/support/RecordingDialogs.h"
#include "tests/support/TempDir.h"
#include "tests/support/WidgetShot.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>

TEST(AboutBox, ShowsTheVersionTexts)
{
    TAboutBox box;
    box.show();
    EXPECT_EQ(box.findChild<QLabel*>("ProductName")->text(), "Zuview");
    EXPECT_EQ(box.findChild<QLabel*>("Version")->text(), "Version " + box.OtVersInfo1().GetWin32StringFileInfo(2));
    // The project's version, the one the caption shows as "1.00α4.36".
    EXPECT_EQ(box.OtVersInfo1().GetStringFileInfo("FileVersion"), "1.0.4.36");
    EXPECT_EQ(box.OtVersInfo1().GetStringFileInfo("ProductVersion"), "1.0.4.36");
    EXPECT_FALSE(box.findChild<QLabel*>("Comments")->text().isEmpty());
    EXPECT_EQ(box.OtVersInfo1().GetWin32StringFileInfo(8), "");
    CheckScreenshot(box, "AboutBox", { "バージョン情報", "OK" });

    // Partly beyond the right edge of the screen: moved left until it fits.
    const QRect area = box.screen()->geometry();
    box.move(area.right() - 100, area.top() + 10);
    EXPECT_LE(box.frameGeometry().right(), area.right());
}

TEST(AboutBox, OneTranslationServesEveryLanguage)
{
    TOtVersInfo versions;
    for (const int language : { 0x0411, 0x0409, 0 }) {
        versions.SetUserLanguage(language);
        EXPECT_EQ(versions.TranslationText(), "041103A4");
        EXPECT_EQ(versions.GetStringFileInfo("ProductName"), "Zuview");
    }
}

TEST(HelpFile, OpenedFromBesideTheProgramOrReportedMissing)
{
    TRecordedMessages messages;
    TempDir folder;
    std::vector<QUrl> opened;
    const auto opener = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    EXPECT_FALSE(OpenHelpFile(nullptr, folder.Path(), opener));
    EXPECT_EQ(messages.Texts(), QStringList { "Zuview.chm が見つかりません．" });
    EXPECT_TRUE(opened.empty());

    folder.Write("zuview.chm", "help");
    EXPECT_TRUE(OpenHelpFile(nullptr, folder.Path(), opener));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile().toStdString(), folder.File("zuview.chm").string());
    // Nothing to open it with: reported too.
    EXPECT_FALSE(OpenHelpFile(nullptr, folder.Path(), [](const QUrl&) { return false; }));
    EXPECT_EQ(messages.Texts().size(), 2);
}
