#include "controls/HistoryComboBox.h"
#include "platform/ui/IniFile.h"
#include "tests/support/RecordingDialogs.h"
#include "tests/support/ScopedConfigFolder.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unreadable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

class HistoryComboBoxTest : public ::testing::Test {
protected:

    // A box as its form leaves it after setting the properties, not yet
    // Loaded().
    static std::unique_ptr<THistoryComboBox> MakeBox(const QString& file, THistoryMode mode = hsAuto)
    {
        auto box = std::make_unique<THistoryComboBox>();
        box->setObjectName("hcbTest");
        box->SetSaveMode(mode);
        box->SetSaveFileName(file);
        return box;
    }

    static QStringList Items(const THistoryComboBox& box)
    {
        QStringList items;
        for (int index = 0; index < box.count(); ++index)
            items << box.itemText(index);
        return items;
    }

    fs::path Write(const std::string& name, const std::string& contents) { return temp_.Write(name, contents); }

    // The settings folder of the test, and its files.
    ScopedConfigFolder config_;
    const TempDir& temp_ = config_.Folder();

private:
};

TEST_F(HistoryComboBoxTest, FileNamesResolve)
{
    const fs::path config = temp_.Path() / "zuview";
    EXPECT_EQ(HistoryFilePath("Zuview"), config / "Zuview.ini");
    EXPECT_EQ(HistoryFilePath("hist.txt"), config / "hist.txt");
    EXPECT_EQ(HistoryFilePath("/data/h"), fs::path("/data/h.ini"));
    EXPECT_EQ(HistoryFilePath("/data/h.ini"), fs::path("/data/h.ini"));
}

TEST_F(HistoryComboBoxTest, StartsEditableAndEmpty)
{
    THistoryComboBox box;
    EXPECT_TRUE(box.isEditable());
    EXPECT_EQ(box.SaveMode(), hsAuto);
    EXPECT_EQ(box.count(), 0);
    EXPECT_FALSE(box.LoadFromFile());
    EXPECT_FALSE(box.SaveToFile());
    EXPECT_FALSE(box.LoadFromRegistry());
    EXPECT_FALSE(box.SaveToRegistry());
}

TEST_F(HistoryComboBoxTest, AddTextMovesOrInserts)
{
    THistoryComboBox box;
    box.addItems({ "a", "b", "c", "abc" });
    box.setEditText("typed");

    EXPECT_EQ(box.AddText("ABC"), 0);
    EXPECT_EQ(Items(box), QStringList({ "abc", "a", "b", "c" }));
    EXPECT_EQ(box.currentText(), "ABC");

    EXPECT_EQ(box.AddText("new"), 1);
    EXPECT_EQ(Items(box), QStringList({ "new", "abc", "a", "b", "c" }));
    EXPECT_EQ(box.currentText(), "ABC");

    EXPECT_EQ(box.AddText(""), 0);
    EXPECT_EQ(box.count(), 5);

    box.setEditText("fresh");
    EXPECT_EQ(box.AddText(), 1);
    EXPECT_EQ(box.itemText(0), "fresh");
    EXPECT_EQ(box.currentText(), "fresh");
}

TEST_F(HistoryComboBoxTest, AddTextToAnEmptyListKeepsTheEditText)
{
    THistoryComboBox box;
    box.setEditText("typed");
    EXPECT_EQ(box.AddText("other"), 1);
    EXPECT_EQ(box.currentText(), "typed");
}

TEST_F(HistoryComboBoxTest, LoadAppendsCountedEntriesMissingOnesEmpty)
{
    const fs::path file = Write("h.ini", "[hcbTest]\nHistoryCount=3\nHistory0=first\nHistory2=third\n");
    auto box = MakeBox(QString::fromStdString(file.string()));
    box->addItem("kept");
    box->setEditText("as set");
    box->Loaded();
    EXPECT_EQ(Items(*box), QStringList({ "kept", "first", "", "third" }));

    auto fresh = MakeBox(QString::fromStdString(file.string()), hsManual);
    fresh->setEditText("as set");
    EXPECT_TRUE(fresh->LoadFromFile());
    EXPECT_EQ(fresh->count(), 3);
    EXPECT_EQ(fresh->currentText(), "as set");
}

TEST_F(HistoryComboBoxTest, DamagedCountsAreBounded)
{
    std::string many = "[hcbTest]\nHistoryCount=5000\n";
    for (int index = 0; index < 1005; ++index)
        many += "History" + std::to_string(index) + "=e" + std::to_string(index) + "\n";
    const struct {
        const char* name;
        std::string contents;
        int loaded;
    } cases[] = {
        { "word", "[hcbTest]\nHistoryCount=many\nHistory0=x\n", 0 },
        { "negative", "[hcbTest]\nHistoryCount=-5\nHistory0=x\n", 0 },
        { "hexadecimal", "[hcbTest]\nHistoryCount=0x2\nHistory0=x\nHistory1=y\n", 2 },
        { "missing", "[other]\nHistoryCount=2\n", 0 },
        { "huge", many, THistoryComboBox::max_history_loaded },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = Write(std::string(c.name) + ".ini", c.contents);
        auto box = MakeBox(QString::fromStdString(file.string()), hsManual);
        box->Loaded();
        EXPECT_EQ(box->count(), 0);
        EXPECT_NO_THROW(box->LoadFromFile());
        EXPECT_EQ(box->count(), c.loaded);
    }
}

TEST_F(HistoryComboBoxTest, ModesSayWhatHappensByItself)
{
    const struct {
        THistoryMode mode;
        bool loads;
        bool saves;
    } cases[] = {
        { hsAuto, true, true },
        { hsManual, false, false },
        { hsAutoSave, false, true },
        { hsAutoLoad, true, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const fs::path file = Write("modes.ini", "[hcbTest]\nHistoryCount=1\nHistory0=old\n");
        {
            auto box = MakeBox(QString::fromStdString(file.string()), c.mode);
            box->Loaded();
            EXPECT_EQ(box->count(), c.loads ? 1 : 0);
            box->AddText("new");
        }
        const TIniFile ini(file);
        EXPECT_EQ(ini.ReadInteger("hcbTest", "HistoryCount", -1), c.saves ? (c.loads ? 2 : 1) : 1);
        EXPECT_EQ(ini.ReadString("hcbTest", "History0", ""), c.saves ? "new" : "old");
    }
}

TEST_F(HistoryComboBoxTest, ABoxNeverShownKeepsItsHistory)
{
    const fs::path file = Write("kept.ini", "[hcbTest]\nHistoryCount=2\nHistory0=a\nHistory1=b\n");
    {
        auto box = MakeBox(QString::fromStdString(file.string()));
        box->Loaded();
    }
    const TIniFile ini(file);
    EXPECT_EQ(ini.ReadInteger("hcbTest", "HistoryCount", -1), 2);
    EXPECT_EQ(ini.ReadString("hcbTest", "History1", ""), "b");
}

TEST_F(HistoryComboBoxTest, SectionIsTheNameUnlessGiven)
{
    const fs::path file = temp_.File("sections.ini");
    auto box = MakeBox(QString::fromStdString(file.string()), hsManual);
    EXPECT_EQ(box->GetSectionString(), "hcbTest");
    box->addItem("x");
    EXPECT_TRUE(box->SaveToFile());
    box->SetSaveSectionName("PrintAngle");
    EXPECT_EQ(box->GetSectionString(), "PrintAngle");
    box->SaveToFile();
    const TIniFile ini(file);
    EXPECT_TRUE(ini.SectionExists("hcbTest"));
    EXPECT_TRUE(ini.SectionExists("PrintAngle"));
}

TEST_F(HistoryComboBoxTest, SavingReplacesTheWholeSection)
{
    const fs::path file = Write("replace.ini",
                                "[before]\nk=1\n[hcbTest]\nHistoryCount=5\nHistory0=a\nHistory1=b\nHistory2=c\n"
                                "History3=d\nHistory4=e\nOther=1\n[after]\nk=2\n");
    auto box = MakeBox(QString::fromStdString(file.string()), hsManual);
    box->addItems({ "x", "y" });
    box->SaveToFile(QString::fromStdString(file.string()));
    const TIniFile ini(file);
    EXPECT_EQ(ini.ReadSection("hcbTest"), (std::vector<std::string> { "HistoryCount", "History0", "History1" }));
    EXPECT_EQ(ini.ReadString("hcbTest", "History1", ""), "y");
    EXPECT_EQ(ini.ReadString("before", "k", ""), "1");
    EXPECT_EQ(ini.ReadString("after", "k", ""), "2");
}

TEST_F(HistoryComboBoxTest, NameWithoutFolderLivesInTheSettingsFolder)
{
    {
        auto box = MakeBox("Zuview");
        box->SetSaveSectionName("PrintAngle");
        box->Loaded();
        box->AddText("30");
    }
    const TIniFile ini(temp_.Path() / "zuview" / "Zuview.ini");
    EXPECT_EQ(ini.ReadString("PrintAngle", "History0", ""), "30");
}

TEST_F(HistoryComboBoxTest, RegistryKeyTakesPrecedenceAndIgnoresTrailingBackslashes)
{
    const fs::path file = temp_.File("unused.ini");
    {
        auto box = MakeBox(QString::fromStdString(file.string()));
        box->SetSaveKeyName("Software\\Zuview\\\\");
        box->Loaded();
        box->AddText("one");
    }
    EXPECT_FALSE(fs::exists(file));
    const TIniFile registry(RegistryIniPath());
    EXPECT_EQ(registry.ReadString("Software\\Zuview\\hcbTest", "History0", ""), "one");

    auto box = MakeBox("", hsManual);
    EXPECT_TRUE(box->LoadFromRegistry() == false);
    box->LoadFromRegistry("Software\\Zuview\\");
    EXPECT_EQ(Items(*box), QStringList { "one" });
    box->SetSaveKeyName("Software\\Zuview");
    box->AddText("two");
    EXPECT_TRUE(box->SaveToRegistry());
    auto reloaded = MakeBox("", hsAutoLoad);
    reloaded->SetSaveKeyName("Software\\Zuview");
    reloaded->Loaded();
    EXPECT_EQ(Items(*reloaded), QStringList({ "two", "one" }));
}

TEST_F(HistoryComboBoxTest, FailedSaveThrowsWhenAskedAndIsToldWhenDestroyed)
{
    TRecordedMessages messages;
    const fs::path folder = temp_.Path() / "locked";
    fs::create_directories(folder);
    const fs::path file = folder / "h.ini";
    bool ran = false;
    const bool unwritable = WithFolderUnwritable(folder, [&] {
        ran = true;
        auto box = MakeBox(QString::fromStdString(file.string()));
        box->Loaded();
        box->AddText("lost");
        EXPECT_THROW(box->SaveToFile(), TIniWriteError);
        EXPECT_NO_THROW(box.reset());
    });
    if (!unwritable)
        GTEST_SKIP() << "the folder stays writable here";
    ASSERT_TRUE(ran);
    EXPECT_EQ(messages.Texts(), QStringList { QString::fromStdString(file.string() + " に書き込めません") });
}

} // namespace
