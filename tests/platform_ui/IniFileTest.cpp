// Settings files with the rules of profile files, against hand-written
// texts.

#include "platform/ui/IniFile.h"

#include "tests/support/TempDir.h"
#include "tests/support/Unreadable.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char* const handwritten = "; settings by hand\n"
                                "[Window]\n"
                                "  Left = 120  \n"
                                "top=0x1F\n"
                                "Width=$FF\n"
                                "Height=12a\n"
                                "Big=99999999999\n"
                                "Name=\"  quoted  \"\n"
                                "Single='x'\n"
                                "Half=\"open\n"
                                "left=999\n"
                                "Scale= 2.5 \n"
                                "BadScale=2,5\n"
                                "\n"
                                "[window]\n"
                                "Left=777\n"
                                "[Other]\n"
                                "Key=last line without a line end";

} // namespace

TEST(IniFile, ReadsByTheProfileRules)
{
    TempDir folder;
    const TIniFile ini(folder.Write("a.ini", handwritten));
    struct Row {
        const char* key;
        int fallback;
        int expected;
    };
    const Row integers[] = {
        { "LEFT", 0, 120 },   // case and blanks; the first of duplicates
        { "Top", 0, 31 },     // 0x hexadecimal
        { "width", 0, 255 },  // $ hexadecimal
        { "Height", -1, -1 }, // not an integer
        { "Big", -2, -2 },    // beyond 32 bits
        { "Missing", 7, 7 },
    };
    for (const Row& row : integers)
        EXPECT_EQ(ini.ReadInteger("WINDOW", row.key, row.fallback), row.expected) << row.key;
    EXPECT_EQ(ini.ReadString("Window", "Name", ""), "  quoted  ");
    EXPECT_EQ(ini.ReadString("Window", "Single", ""), "x");
    EXPECT_EQ(ini.ReadString("Window", "Half", ""), "\"open");
    EXPECT_EQ(ini.ReadString("Other", "Key", ""), "last line without a line end");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Window", "Scale", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Window", "BadScale", 9), 9);
    EXPECT_TRUE(ini.ReadBool("Window", "Top", false));
    EXPECT_EQ(ini.ReadSection("window"),
              (std::vector<std::string> { "Left", "top", "Width", "Height", "Big", "Name", "Single", "Half", "Scale",
                                          "BadScale" }));
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string> { "Window", "Other" }));
}

TEST(IniFile, WritesInPlaceAppendsAndErases)
{
    TempDir folder;
    const auto path = folder.Write("b.ini", "; keep me\n[A]\nx=1\n\n[B]\ny=2\n");
    TIniFile ini(path);
    ini.WriteInteger("a", "X", 5);   // replaced in place, its own spelling
    ini.WriteString("A", "z", "new"); // appended to its section
    ini.WriteFloat("C", "f", 0.1);    // a new section at the end
    EXPECT_EQ(ReadFileBytes(path), "; keep me\n[A]\nX=5\nz=new\n\n[B]\ny=2\n[C]\nf=0.1\n");
    ini.EraseSection("b");
    ini.DeleteKey("A", "z");
    EXPECT_EQ(ReadFileBytes(path), "; keep me\n[A]\nX=5\n\n[C]\nf=0.1\n");
}

TEST(IniFile, OnePathIsSharedAndFollowsTheDisk)
{
    TempDir folder;
    const auto path = folder.File("c.ini");
    TIniFile first(path);
    TIniFile second(path);
    first.WriteInteger("S", "a", 1);
    second.WriteInteger("S", "b", 2);
    EXPECT_EQ(ReadFileBytes(path), "[S]\na=1\nb=2\n");

    // Changed by someone else: the next opening reads it again.
    folder.Write("c.ini", "[S]\na=10\n");
    const TIniFile third(path);
    EXPECT_EQ(third.ReadInteger("S", "a", 0), 10);
}

TEST(IniFile, FailedSaveIsReportedAndKeepsTheFile)
{
    TempDir folder;
    const auto path = folder.Write("d.ini", "[S]\na=1\n");
    TIniFile ini(path);
    const bool ran = WithFolderUnwritable(folder.Path(), [&] {
        try {
            ini.WriteInteger("S", "a", 2);
            ADD_FAILURE() << "the write was reported as done";
        } catch (const TIniWriteError& error) {
            EXPECT_EQ(std::string(error.what()), path.string() + " に書き込めません");
        }
    });
    if (!ran)
        GTEST_SKIP() << "the folder could not be made unwritable";
    EXPECT_EQ(ReadFileBytes(path), "[S]\na=1\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(IniFile, SettingsFolderFollowsTheEnvironment)
{
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string kept = saved != nullptr ? saved : "";
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(ConfigFolder(), std::filesystem::path("/tmp/cfg/zuview"));
    EXPECT_EQ(RegistryIniPath(), std::filesystem::path("/tmp/cfg/zuview/registry.ini"));
    setenv("XDG_CONFIG_HOME", "relative", 1); // not absolute: ignored
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(ConfigFolder(), std::filesystem::path("/home/u/.config/zuview"));
    setenv("HOME", home.c_str(), 1);
    if (saved != nullptr)
        setenv("XDG_CONFIG_HOME", kept.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegistryIniSection("Software\\Zuview", "PrintAngle"), "Software\\Zuview\\PrintAngle");
}

TEST(IniFile, UpdateSavesOnceAtItsEnd)
{
    TempDir folder;
    const auto path = folder.File("e.ini");
    {
        TIniFile ini(path);
        ini.BeginUpdate();
        ini.BeginUpdate();
        ini.WriteInteger("S", "a", 1);
        ini.EndUpdate();
        ini.WriteInteger("S", "b", 2);
        EXPECT_FALSE(std::filesystem::exists(path));
        ini.EndUpdate();
        EXPECT_EQ(ReadFileBytes(path), "[S]\na=1\nb=2\n");
        ini.EndUpdate(); // unpaired: nothing
        ini.BeginUpdate();
        ini.WriteInteger("S", "c", 3);
    } // an update left open is saved when its file object goes
    EXPECT_EQ(ReadFileBytes(path), "[S]\na=1\nb=2\nc=3\n");
}
