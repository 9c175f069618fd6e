// The image loading settings: filling from and reading back into TInfoREG,
// the enabling of the cache conditions, Enter moving on, the modal results.

#include "ui/RasSolid.h"

#include "controls/NumberEdit.h"
#include "render/InfoReg.h"
#include "tests/support/WidgetShot.h"
#include "tests/ui/DialogsTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <string>

namespace {

// The eleven fields the form edits, in the order of the form.
struct TCacheFields {
    int Release, UseCache, LoadTime, LoadTimeNum, SaveSize, SaveSizeNum, SaveSizeUnit, Rate, RateNum, Combine1,
        Combine2;
    bool operator==(const TCacheFields&) const = default;
};

void Put(const TCacheFields& f, TInfoREG& info)
{
    info.Release = f.Release;
    info.UseCache = f.UseCache;
    info.LoadTime = f.LoadTime;
    info.LoadTimeNum = f.LoadTimeNum;
    info.SaveSize = f.SaveSize;
    info.SaveSizeNum = f.SaveSizeNum;
    info.SaveSizeUnit = f.SaveSizeUnit;
    info.Rate = f.Rate;
    info.RateNum = f.RateNum;
    info.Combine1 = f.Combine1;
    info.Combine2 = f.Combine2;
}

TCacheFields Take(const TInfoREG& info)
{
    return { info.Release, info.UseCache, info.LoadTime, info.LoadTimeNum, info.SaveSize, info.SaveSizeNum,
             info.SaveSizeUnit, info.Rate, info.RateNum, info.Combine1, info.Combine2 };
}

std::string Describe(const TCacheFields& f)
{
    std::string text;
    for (int value : { f.Release, f.UseCache, f.LoadTime, f.LoadTimeNum, f.SaveSize, f.SaveSizeNum, f.SaveSizeUnit,
                       f.Rate, f.RateNum, f.Combine1, f.Combine2 })
        text += std::to_string(value) + " ";
    return text;
}

// Which controls the enabling rules switch on, written from the rules
// themselves, not from the form: the oracle the form is checked against.
std::map<std::string, bool> EnablingOracle(bool cache, bool load_time, bool save_size, bool rate)
{
    return {
        { "cbRasLoadTime", cache },
        { "cbRasSaveSize", cache },
        { "cbRasRate", cache },
        { "neRasLoadTime", cache && load_time },
        { "Label1", cache && load_time },
        { "neRasSaveSize", cache && save_size },
        { "cmbRasSaveSize", cache && save_size },
        { "Label2", cache && save_size },
        { "neRasRate", cache && rate },
        { "Label3", cache && rate },
        { "cmbCombine1", cache && load_time && (save_size || rate) },
        { "cmbCombine2", cache && save_size && rate },
        { "cbRasRelease", true },
        { "cbRasMonoCache", true },
    };
}

class RasSolidTest : public ::testing::Test {
protected:
    template <typename Control>
    Control* Find(const char* name)
    {
        return FindControl<Control>(form_, name);
    }
    QCheckBox* Box(const char* name) { return Find<QCheckBox>(name); }

    void Fill(const TCacheFields& fields)
    {
        TInfoREG info;
        Put(fields, info);
        form_.Fill(info);
    }
    TCacheFields Read()
    {
        TInfoREG info;
        form_.Read(info);
        return Take(info);
    }
    void ShowActive()
    {
        form_.show();
        form_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    }
    void ExpectEnabling(bool cache, bool load_time, bool save_size, bool rate)
    {
        for (const auto& [name, enabled] : EnablingOracle(cache, load_time, save_size, rate))
            EXPECT_EQ(Find<QWidget>(name.c_str())->isEnabled(), enabled)
                << name << " with cache " << cache << ", load time " << load_time << ", size " << save_size
                << ", rate " << rate;
    }

    TfmRasSolid form_;
};

TEST_F(RasSolidTest, FillAndReadGiveTheSameFields)
{
    const TCacheFields cases[] = {
        { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 },
        { 1, 1, 1, 3000, 1, 500, 2, 1, 80, 1, 1 },
        { 1, 0, 1, 123456789, 0, 1, 4, 1, 100, 0, 1 },
        { 0, 1, 0, 0, 1, INT_MAX, 3, 0, 7, 1, 0 },
    };
    for (const TCacheFields& fields : cases) {
        Fill(fields);
        EXPECT_EQ(Read(), fields) << Describe(fields);
    }
}

TEST_F(RasSolidTest, FillShowsTheValuesInTheirControls)
{
    Fill({ 1, 1, 1, 3000, 0, 1024, 2, 1, 80, 1, 0 });
    EXPECT_TRUE(Box("cbRasRelease")->isChecked());
    EXPECT_FALSE(Box("cbRasSaveSize")->isChecked());
    EXPECT_EQ(Find<TNumberEdit>("neRasLoadTime")->Value(), 3000);
    EXPECT_TRUE(Find<TNumberEdit>("neRasLoadTime")->Comma());
    EXPECT_TRUE(Find<TNumberEdit>("neRasLoadTime")->Abs());
    EXPECT_FALSE(Find<TNumberEdit>("neRasRate")->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(Find<QComboBox>("cmbRasSaveSize")->currentText(), "MB");
    EXPECT_EQ(Find<QComboBox>("cmbCombine1")->currentText(), "or");
    EXPECT_EQ(Find<QComboBox>("cmbCombine2")->currentText(), "and");
}

TEST_F(RasSolidTest, ValuesOutOfRangeAreBroughtIntoRange)
{
    struct Case {
        TCacheFields given;
        TCacheFields read;
    };
    const Case cases[] = {
        { { 7, -1, 2, -5, INT_MIN, INT_MIN, 9, 1, -100, 5, -1 }, { 1, 1, 1, 0, 1, 0, 4, 1, 0, 1, 0 } },
        { { 0, 0, 0, 0, 0, 0, -3, 0, 0, INT_MAX, INT_MIN }, { 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0 } },
    };
    for (const Case& c : cases) {
        Fill(c.given);
        EXPECT_EQ(Read(), c.read) << Describe(c.given);
    }
}

TEST_F(RasSolidTest, EnablingAfterFillAndShowFollowsTheRules)
{
    for (int bits = 0; bits < 16; ++bits) {
        const bool cache = bits & 1, load_time = bits & 2, save_size = bits & 4, rate = bits & 8;
        Fill({ 0, cache, load_time, 10, save_size, 20, 1, rate, 30, 0, 1 });
        form_.show();
        ExpectEnabling(cache, load_time, save_size, rate);
        form_.hide();
    }
}

TEST_F(RasSolidTest, ClickingTheCheckBoxesRecomputesTheEnabling)
{
    Fill({ 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 });
    form_.show();
    ExpectEnabling(false, false, false, false);
    // Every combination reached by clicks; the conditions can only be clicked
    // with the cache on, so the cache box goes last.
    for (int bits = 0; bits < 16; ++bits) {
        const bool cache = bits & 1, load_time = bits & 2, save_size = bits & 4, rate = bits & 8;
        const auto click_to = [&](const char* name, bool state) {
            if (Box(name)->isChecked() != state)
                QTest::mouseClick(Box(name), Qt::LeftButton);
            EXPECT_EQ(Box(name)->isChecked(), state) << name;
        };
        click_to("cbRasMonoCache", true);
        click_to("cbRasLoadTime", load_time);
        click_to("cbRasSaveSize", save_size);
        click_to("cbRasRate", rate);
        click_to("cbRasMonoCache", cache);
        ExpectEnabling(cache, load_time, save_size, rate);
    }
}

TEST_F(RasSolidTest, CacheOffDisablesEveryConditionEvenTicked)
{
    Fill({ 1, 0, 1, 10, 1, 20, 1, 1, 30, 1, 1 });
    form_.show();
    for (const char* name : { "cbRasLoadTime", "neRasLoadTime", "cbRasSaveSize", "neRasSaveSize", "cmbRasSaveSize",
                              "cbRasRate", "neRasRate", "cmbCombine1", "cmbCombine2" })
        EXPECT_FALSE(Find<QWidget>(name)->isEnabled()) << name;
    // Disabled controls keep their values and are read back.
    EXPECT_EQ(Read(), (TCacheFields { 1, 0, 1, 10, 1, 20, 1, 1, 30, 1, 1 }));
}

TEST_F(RasSolidTest, LoadTimeAndRateOnlyEnableTheFirstJoin)
{
    Fill({ 0, 1, 1, 10, 0, 20, 1, 1, 30, 0, 0 });
    form_.show();
    EXPECT_TRUE(Find<QComboBox>("cmbCombine1")->isEnabled());
    EXPECT_FALSE(Find<QComboBox>("cmbCombine2")->isEnabled());
}

TEST_F(RasSolidTest, EditedNumbersAndListsAreReadBack)
{
    Fill({ 0, 1, 1, 0, 1, 0, 0, 1, 0, 0, 0 });
    ShowActive();
    const auto type_into = [&](const char* name, const char* text) {
        auto* edit = Find<TNumberEdit>(name);
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    };
    type_into("neRasLoadTime", "2500");
    type_into("neRasSaveSize", "64");
    type_into("neRasRate", "75");
    QTest::keyClick(Find<QComboBox>("cmbRasSaveSize"), Qt::Key_Down);
    QTest::keyClick(Find<QComboBox>("cmbRasSaveSize"), Qt::Key_Down);
    QTest::keyClick(Find<QComboBox>("cmbCombine1"), Qt::Key_Down);
    QTest::keyClick(Find<QComboBox>("cmbCombine2"), Qt::Key_Down);
    QTest::mouseClick(Box("cbRasRelease"), Qt::LeftButton);
    EXPECT_EQ(Read(), (TCacheFields { 1, 1, 1, 2500, 1, 64, 2, 1, 75, 1, 1 }));
}

TEST_F(RasSolidTest, EnterMovesToTheNextControlAndNeverCloses)
{
    Fill({ 0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0 });
    form_.open();
    form_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    auto* edit = Find<TNumberEdit>("neRasLoadTime");
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, "750");
    QTest::keyClick(edit, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), Find<QComboBox>("cmbCombine1"));
    EXPECT_EQ(Read().LoadTimeNum, 750);

    // Nor on a check box or on the OK button.
    Box("cbRasRelease")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Box("cbRasRelease"), Qt::Key_Enter);
    EXPECT_FALSE(Box("cbRasRelease")->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), Box("cbRasMonoCache"));
    Find<QPushButton>("btnExec")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Find<QPushButton>("btnExec"), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form_.isVisible());
    EXPECT_EQ(form_.result(), 0);
    form_.reject();
}

TEST_F(RasSolidTest, ButtonsAndEscapeGiveTheModalResults)
{
    struct Case {
        const char* name;
        std::function<void()> act;
        int result;
    };
    const Case cases[] = {
        { "btnExec", [&] { QTest::mouseClick(Find<QPushButton>("btnExec"), Qt::LeftButton); }, QDialog::Accepted },
        { "btmCancel", [&] { QTest::mouseClick(Find<QPushButton>("btmCancel"), Qt::LeftButton); }, QDialog::Rejected },
        { "Escape", [&] { QTest::keyClick(&form_, Qt::Key_Escape); }, QDialog::Rejected },
    };
    for (const Case& c : cases) {
        QTimer::singleShot(0, c.act);
        EXPECT_EQ(form_.exec(), c.result) << c.name;
    }
}

TEST_F(RasSolidTest, Screenshot)
{
    Fill({ 1, 1, 1, 3000, 1, 100, 2, 1, 80, 0, 1 });
    CheckScreenshot(form_, "RasSolid",
                    { "画像データの読込設定", "レイヤを非表示にした時に，画像データをメモリから解放する．",
                      "モノクロ画像は，キャッシュファイルを使用する．", "画像データの読込時間が", "ミリ秒以上の時",
                      "キャッシュファイルのサイズが", "以下の時", "キャッシュファイルのサイズが画像データの",
                      "％以下の時", "決定", "取消" });
}

} // namespace
