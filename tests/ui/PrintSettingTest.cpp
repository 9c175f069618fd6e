// The print settings dialog: the preset picked at opening, the rule lists
// and the name box following each other, the four list buttons (and their
// enabling, none of which acts without a selected preset), the continuation
// boxes per mode and colour print, "決定" and "取消", the run from the main
// window with the presets kept across a restart, and the screenshot.

#include "ui/PrintSetting.h"

#include "controls/Toolbar97.h"
#include "platform/ShiftJis.h"
#include "platform/ui/IniFile.h"
#include "render/InfoReg.h"
#include "tests/support/ScopedConfigFolder.h"
#include "tests/support/WidgetShot.h"
#include "tests/ui/DialogsTestSupport.h"
#include "tests/ui/MainFormTestSupport.h"
#include "ui/MainSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// The presets a settings file without any gives.
std::vector<TMojiInt4> DefaultPresets()
{
    std::vector<TMojiInt4> presets;
    for (const char8_t* text : { u8"0000倍率と同じ", u8"4444常に１倍", u8"3223拡大用", u8"1221縮小用" }) {
        TMojiInt4 preset;
        ParseMojiInt4Text(preset, Utf8ToSjis(reinterpret_cast<const char*>(text)));
        presets.push_back(preset);
    }
    return presets;
}

TMojiInt4 Preset(const char* text_utf8)
{
    TMojiInt4 preset;
    ParseMojiInt4Text(preset, Utf8ToSjis(text_utf8));
    return preset;
}

std::vector<std::string> TextForms(const std::vector<TMojiInt4>& presets)
{
    std::vector<std::string> texts;
    for (const TMojiInt4& preset : presets)
        texts.push_back(SjisToUtf8(MojiInt4ToText(preset)));
    return texts;
}

TInfoREG Rules(int width, int pitch, int radius, int edge)
{
    TInfoREG info;
    info.PenWidthFix = width;
    info.PenPitchFix = pitch;
    info.PenHankeiFix = radius;
    info.PenEdgeFix = edge;
    return info;
}

// What the name box and the preset buttons show.
struct TPresetView {
    int selected;
    std::string name;
    bool add, remove, up, down;
    bool operator==(const TPresetView&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TPresetView& view)
{
    return out << "selected " << view.selected << " \"" << view.name << "\" add " << view.add << " remove "
               << view.remove << " up " << view.up << " down " << view.down;
}

class PrintSettingTest : public ::testing::Test {
protected:
    template <typename Control>
    Control* Find(const char* name)
    {
        return FindControl<Control>(form_, name);
    }
    QCheckBox* Box(const char* name) { return Find<QCheckBox>(name); }
    QComboBox* List(const char* name) { return Find<QComboBox>(name); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }

    // Filled and shown as the caller does.
    void Open(const TInfoREG& info)
    {
        form_.Fill(info, presets_, [this] { return color_print_; });
        form_.FormShow();
    }

    // Picks a list's item as a user does: its click handler runs.
    void Choose(const char* name, int index)
    {
        QComboBox* list = List(name);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void TypeName(const QString& name) { List("cmbConfigName")->lineEdit()->setText(name); }

    std::array<int, 4> RuleLists()
    {
        return { List("cmbPrtWidth")->currentIndex(), List("cmbPrtPitch")->currentIndex(),
                 List("cmbPrtHankei")->currentIndex(), List("cmbPrtEdge")->currentIndex() };
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        QComboBox* box = List("cmbConfigName");
        for (int i = 0; i < box->count(); ++i)
            names.push_back(box->itemText(i).toStdString());
        return names;
    }
    TPresetView PresetView()
    {
        QComboBox* box = List("cmbConfigName");
        return { box->currentIndex(),           box->currentText().toStdString(), Button("btnAdd")->isEnabled(),
                 Button("btnRemove")->isEnabled(), Button("btnUp")->isEnabled(),    Button("btnDown")->isEnabled() };
    }

    std::vector<TMojiInt4> presets_ = DefaultPresets();
    bool color_print_ = false;
    TfmPrintSetting form_;
};

TEST_F(PrintSettingTest, TheRuleListsOfferTheFiveRules)
{
    Open(Rules(0, 0, 0, 0));
    const QStringList rules { QtText(u8"倍率と同じ（倍率^1）"), QtText(u8"倍率に近い（倍率^(1/2)）"),
                              QtText(u8"１倍よりは倍率に近い（倍率^(1/4)）"), QtText(u8"１倍に近い（倍率^(1/8)）"),
                              QtText(u8"常に１倍（倍率^0）") };
    for (const char* name : { "cmbPrtWidth", "cmbPrtPitch", "cmbPrtHankei", "cmbPrtEdge" }) {
        QStringList items;
        for (int i = 0; i < List(name)->count(); ++i)
            items.append(List(name)->itemText(i));
        EXPECT_EQ(items, rules) << name;
    }
    // Filled again, the copies do not pile up.
    Open(Rules(0, 0, 0, 0));
    EXPECT_EQ(List("cmbPrtEdge")->count(), 5);
}

TEST_F(PrintSettingTest, OpeningSelectsTheLastPresetWithTheRules)
{
    struct Case {
        const char* extra_preset;
        std::array<int, 4> rules;
        TPresetView view;
    };
    const Case cases[] = {
        { nullptr, { 3, 2, 2, 3 }, { 2, "拡大用", false, true, true, true } },
        { nullptr, { 0, 0, 0, 0 }, { 0, "倍率と同じ", false, true, false, true } },
        { nullptr, { 1, 2, 2, 1 }, { 3, "縮小用", false, true, true, false } },
        // No preset has the rules: an empty name box, and without a
        // selection nothing to remove or move down.
        { nullptr, { 2, 0, 0, 0 }, { -1, "", false, false, false, false } },
        // Two presets with the same rules: the later one.
        { "0000等倍", { 0, 0, 0, 0 }, { 4, "等倍", false, true, true, false } },
        // A rule out of range matches nothing.
        { nullptr, { 7, 2, 2, 3 }, { -1, "", false, false, false, false } },
    };
    for (const Case& c : cases) {
        presets_ = DefaultPresets();
        if (c.extra_preset)
            presets_.push_back(Preset(c.extra_preset));
        Open(Rules(c.rules[0], c.rules[1], c.rules[2], c.rules[3]));
        EXPECT_EQ(PresetView(), c.view) << c.rules[0] << c.rules[1] << c.rules[2] << c.rules[3];
        EXPECT_EQ(Names().size(), presets_.size());
    }
}

TEST_F(PrintSettingTest, ARuleChangeSelectsTheFirstPresetWithTheRules)
{
    presets_.push_back(Preset("0000等倍"));
    Open(Rules(2, 0, 0, 0));
    Choose("cmbPrtWidth", 0);
    EXPECT_EQ(PresetView(), (TPresetView { 0, "倍率と同じ", false, true, false, true }));
    EXPECT_EQ(SjisToUtf8(MojiInt4ToText(form_.CurrentConfig)), "0000倍率と同じ");

    // No preset has 2, 0, 0, 0: the name box empties and the buttons follow
    // at once, so no nameless preset can be added.
    Choose("cmbPrtWidth", 2);
    EXPECT_EQ(PresetView(), (TPresetView { -1, "", false, false, false, false }));
    form_.btnAddClick();
    EXPECT_EQ(presets_.size(), 5u);

    // Opened on the later of two, a change back finds the earlier one.
    Open(Rules(0, 0, 0, 0));
    EXPECT_EQ(PresetView().selected, 4);
    Choose("cmbPrtEdge", 0);
    EXPECT_EQ(PresetView().selected, 0);
}

TEST_F(PrintSettingTest, PickingANameSetsItsRules)
{
    Open(Rules(0, 0, 0, 0));
    Choose("cmbConfigName", 2);
    EXPECT_EQ(RuleLists(), (std::array { 3, 2, 2, 3 }));
    EXPECT_EQ(PresetView(), (TPresetView { 2, "拡大用", false, true, true, true }));
    EXPECT_EQ(SjisToUtf8(MojiInt4ToText(form_.CurrentConfig)), "3223拡大用");
}

TEST_F(PrintSettingTest, AddingAppendsANamedPresetWithTheRules)
{
    Open(Rules(1, 1, 1, 1));
    QPushButton* add = Button("btnAdd");
    EXPECT_FALSE(add->isEnabled());
    TypeName(QtText(u8"拡大用"));
    EXPECT_FALSE(add->isEnabled()) << "the name exists";
    TypeName(QtText(u8"細線"));
    ASSERT_TRUE(add->isEnabled());
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(TextForms(presets_),
              (std::vector<std::string> { "0000倍率と同じ", "4444常に１倍", "3223拡大用", "1221縮小用", "1111細線" }));
    EXPECT_EQ(Names().back(), "細線");
    EXPECT_EQ(PresetView(), (TPresetView { 4, "細線", false, true, true, false }));
}

TEST_F(PrintSettingTest, ListButtonsKeepPresetsAndNamesTogether)
{
    struct Case {
        const char* name;
        int selected;
        const char* button;
        std::vector<std::string> presets;
        TPresetView view;
        std::array<int, 4> rules;
    };
    const Case cases[] = {
        // The first removed: no selection, the rule lists as they were.
        { "remove first", 0, "btnRemove", { "4444常に１倍", "3223拡大用", "1221縮小用" },
          { -1, "", false, false, false, false }, { 0, 0, 0, 0 } },
        { "remove third", 2, "btnRemove", { "0000倍率と同じ", "4444常に１倍", "1221縮小用" },
          { 1, "常に１倍", false, true, true, true }, { 4, 4, 4, 4 } },
        { "second up", 1, "btnUp", { "4444常に１倍", "0000倍率と同じ", "3223拡大用", "1221縮小用" },
          { 0, "常に１倍", false, true, false, true }, { 4, 4, 4, 4 } },
        { "second down", 1, "btnDown", { "0000倍率と同じ", "3223拡大用", "4444常に１倍", "1221縮小用" },
          { 2, "常に１倍", false, true, true, true }, { 4, 4, 4, 4 } },
        { "last up", 3, "btnUp", { "0000倍率と同じ", "4444常に１倍", "1221縮小用", "3223拡大用" },
          { 2, "縮小用", false, true, true, true }, { 1, 2, 2, 1 } },
    };
    for (const Case& c : cases) {
        presets_ = DefaultPresets();
        Open(Rules(0, 0, 0, 0));
        List("cmbConfigName")->setCurrentIndex(c.selected);
        form_.UpdatePresetButtons();
        QTest::mouseClick(Button(c.button), Qt::LeftButton);
        EXPECT_EQ(TextForms(presets_), c.presets) << c.name;
        std::vector<std::string> names;
        for (const TMojiInt4& preset : presets_)
            names.push_back(SjisToUtf8(preset.Name));
        EXPECT_EQ(Names(), names) << c.name;
        EXPECT_EQ(PresetView(), c.view) << c.name;
        EXPECT_EQ(RuleLists(), c.rules) << c.name;
    }
}

TEST_F(PrintSettingTest, WithoutASelectionNoButtonChangesTheList)
{
    Open(Rules(2, 0, 0, 0));
    ASSERT_EQ(PresetView().selected, -1);
    for (void (TfmPrintSetting::*handler)() : { &TfmPrintSetting::btnRemoveClick, &TfmPrintSetting::btnDownClick,
                                                &TfmPrintSetting::btnUpClick })
        (form_.*handler)();
    EXPECT_EQ(TextForms(presets_), TextForms(DefaultPresets()));
    EXPECT_EQ(Names().size(), 4u);
    EXPECT_EQ(PresetView(), (TPresetView { -1, "", false, false, false, false }));
}

TEST_F(PrintSettingTest, ContinuationBoxesExcludeEachOtherAndEnableTheGreyBox)
{
    struct Case {
        bool print_mode, color_print, group, layer;
        bool grey_enabled;
    };
    const Case cases[] = {
        { true, true, true, false, true },    { true, true, false, true, true },
        { true, true, false, false, false },  { true, false, true, false, false },
        { false, true, true, false, false },  { false, true, false, false, false },
    };
    for (const Case& c : cases) {
        form_.Prepare(c.print_mode);
        color_print_ = c.color_print;
        TInfoREG info;
        info.GroupContinuation = c.group ? 1 : 0;
        info.LayerContinuation = c.layer ? 1 : 0;
        info.GreyDisplayOnly = 1;
        Open(info);
        EXPECT_EQ(Box("cbCommonContinuation")->isEnabled(), c.grey_enabled)
            << c.print_mode << c.color_print << c.group << c.layer;
        for (const char* name : { "cbSpecialMemory", "Label1", "cbGroupContinuation", "cbLayerContinuation" })
            EXPECT_EQ(Find<QWidget>(name)->isEnabled(), c.print_mode) << name;
    }

    form_.Prepare(true);
    color_print_ = true;
    TInfoREG info;
    info.LayerContinuation = 1;
    Open(info);
    QTest::mouseClick(Box("cbGroupContinuation"), Qt::LeftButton);
    EXPECT_FALSE(Box("cbLayerContinuation")->isChecked());
    EXPECT_TRUE(Box("cbCommonContinuation")->isEnabled());
    QTest::mouseClick(Box("cbGroupContinuation"), Qt::LeftButton);
    EXPECT_FALSE(Box("cbCommonContinuation")->isEnabled());
}

TEST_F(PrintSettingTest, OkCopiesBackAndCancelKeepsTheOptionsButNotThePresets)
{
    struct Case {
        const char* name;
        bool print_mode;
        const char* closer;
        bool copied;
    };
    const Case cases[] = {
        { "ok", true, "btnExec", true },
        // Disabled boxes are copied back all the same.
        { "ok in image output", false, "btnExec", true },
        { "cancel", true, "btnCancel", false },
        { "escape", true, nullptr, false },
    };
    for (const Case& c : cases) {
        presets_ = DefaultPresets();
        form_.Prepare(c.print_mode);
        TInfoREG info = Rules(3, 2, 2, 3);
        info.LayerContinuation = 1;
        QTimer::singleShot(0, &form_, [this, &c] {
            ASSERT_EQ(QApplication::activeModalWidget(), &form_);
            for (const char* box : { "cbSpecialMemory", "cbMonoThin", "cbGroupContinuation", "cbCommonContinuation",
                                     "cbPreviewFix" })
                Box(box)->setChecked(true);
            Choose("cmbPrtWidth", 1);
            TypeName(QtText(u8"新しい"));
            QTest::mouseClick(Button("btnAdd"), Qt::LeftButton);
            if (c.closer)
                QTest::mouseClick(Button(c.closer), Qt::LeftButton);
            else
                QTest::keyClick(&form_, Qt::Key_Escape);
        });
        const int result = form_.Run(info, presets_, [] { return true; }, nullptr);
        EXPECT_EQ(result, c.copied ? QDialog::Accepted : QDialog::Rejected) << c.name;
        const std::array got { info.SpecialMemory, info.MonoThin,        info.GroupContinuation,
                               info.LayerContinuation, info.GreyDisplayOnly, info.PenPreviewFix,
                               info.PenWidthFix,  info.PenPitchFix,      info.PenHankeiFix,
                               info.PenEdgeFix };
        const std::array copied { 1, 1, 1, 0, 1, 1, 1, 2, 2, 3 };
        const std::array kept { 0, 0, 0, 1, 0, 0, 3, 2, 2, 3 };
        EXPECT_EQ(got, c.copied ? copied : kept) << c.name;
        // The list buttons act at once, "取消" or not.
        EXPECT_EQ(TextForms(presets_).back(), "1223新しい") << c.name;
    }
}

TEST_F(PrintSettingTest, ARuleListWithoutASelectionKeepsItsValueOnOk)
{
    TInfoREG info = Rules(9, -1, 2, 3);
    QTimer::singleShot(0, &form_, [this] {
        EXPECT_EQ(RuleLists(), (std::array { -1, -1, 2, 3 }));
        EXPECT_FALSE(Button("btnAdd")->isEnabled());
        TypeName(QtText(u8"不完全"));
        EXPECT_FALSE(Button("btnAdd")->isEnabled()) << "a preset needs all four rules";
        Choose("cmbPrtEdge", 4);
        QTest::mouseClick(Button("btnExec"), Qt::LeftButton);
    });
    ASSERT_EQ(form_.Run(info, presets_, [] { return false; }, nullptr), QDialog::Accepted);
    EXPECT_EQ(info.PenWidthFix, 9);
    EXPECT_EQ(info.PenPitchFix, -1);
    EXPECT_EQ(info.PenHankeiFix, 2);
    EXPECT_EQ(info.PenEdgeFix, 4);
    EXPECT_EQ(presets_.size(), 4u);
}

TEST_F(PrintSettingTest, HiddenButtonsDoNothingButMoveTheFocus)
{
    Open(Rules(0, 0, 0, 0));
    ShowActive(form_);
    EXPECT_FALSE(Button("btnContPrt")->isVisible());
    EXPECT_FALSE(Button("btnFixConfig")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Button("btnExec"));
    EXPECT_TRUE(Button("btnExec")->isDefault());
    List("cmbPrtWidth")->setFocus();
    form_.btnContPrtClick();
    EXPECT_EQ(QApplication::focusWidget(), Button("btnExec"));
    form_.hide();
}

TEST_F(PrintSettingTest, Screenshot)
{
    Open(Rules(3, 2, 2, 3));
    CheckScreenshot(form_, "PrintSetting",
                    { "出力設定", "カラー画像透過は，メモリーを大量消費しても構わない．",
                      "（逆に，とても少ない可能性もある．画像枚数と密度による．）",
                      "モノクロ画像を薄くする．（水平方向の印刷を１ライン置きに出力する．）",
                      "（水平方向線の総数が300万本を越える毎に自動的にオンになる．）", "グループ毎の連続出力",
                      "レイヤ毎の連続出力", "共通連続出力レイヤ（表示のみレイヤ）をグレー色", "印刷倍率との関係",
                      "プレビューにも反映", "設定名", "設定に追加", "設定から削除", "上へ", "下へ", "線幅",
                      "線種ピッチ", "点半径", "文字輪郭・背景", "決定", "取消" });
}

// --- Run from the main window ---

class PrintSettingRunTest : public ::testing::Test {
protected:
    ScopedConfigFolder config;
    TScriptedDialogsInstalled dialogs;
};

TEST_F(PrintSettingRunTest, TheMainWindowRunsTheDialogAndKeepsItsChoicesAcrossARestart)
{
    {
        TForm1 form;
        form.show();
        SettleView(form);
        TRedrawTime time(form, 1000);
        time.Advance(100);
        form.cbColorPrint->setChecked(true);
        QTimer::singleShot(0, [&form] {
            auto* dialog = qobject_cast<TfmPrintSetting*>(QApplication::activeModalWidget());
            ASSERT_EQ(dialog, &form.PrintSettingDialog());
            auto* width = dialog->findChild<QComboBox*>("cmbPrtWidth");
            width->setCurrentIndex(2);
            emit width->activated(2);
            dialog->findChild<QComboBox*>("cmbConfigName")->lineEdit()->setText(QtText(u8"図面用"));
            QTest::mouseClick(dialog->findChild<QPushButton*>("btnAdd"), Qt::LeftButton);
            dialog->findChild<QCheckBox*>("cbMonoThin")->setChecked(true);
            dialog->findChild<QCheckBox*>("cbGroupContinuation")->setChecked(true);
            // The toolbar's colour print box enables the grey box.
            EXPECT_TRUE(dialog->findChild<QCheckBox*>("cbCommonContinuation")->isEnabled());
            QTest::mouseClick(dialog->findChild<QPushButton*>("btnExec"), Qt::LeftButton);
        });
        form.RunPrintSettingDialog();
        time.Advance(100);
        const TInfoREG& info = form.Document()->GetInfoRegPtr();
        EXPECT_EQ(info.PenWidthFix, 2);
        EXPECT_EQ(info.MonoThin, 1);
        EXPECT_EQ(info.GroupContinuation, 1);
        EXPECT_EQ(form.focusWidget(), static_cast<QWidget*>(form.ToolbarSubCommand));
        EXPECT_TRUE(form.Panel2->text().startsWith("PrintSet2()")) << form.Panel2->text().toStdString();
        ASSERT_EQ(form.Settings().PenScalingPresets().size(), 5u);
        form.close();
    }
    TForm1 form;
    form.show();
    SettleView(form);
    EXPECT_EQ(TextForms(form.Settings().PenScalingPresets()),
              (std::vector<std::string> { "0000倍率と同じ", "4444常に１倍", "3223拡大用", "1221縮小用", "2000図面用" }));
    const TInfoREG& info = form.Document()->GetInfoRegPtr();
    EXPECT_EQ(info.PenWidthFix, 2);
    EXPECT_EQ(info.MonoThin, 1);
    // The continuation flags belong to each drawing, not to the settings.
    EXPECT_EQ(info.GroupContinuation, 0);

    // Opened again, the new preset is the one with the rules.
    QTimer::singleShot(0, [] {
        auto* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->findChild<QComboBox*>("cmbConfigName")->currentText(), QtText(u8"図面用"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    form.RunPrintSettingDialog();
}

} // namespace
