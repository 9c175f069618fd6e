// The three file forms' loaders and savers on files that are missing, cannot
// be read or cannot be created: each says so in its result and leaves the
// document as its rule says.

#include "document/ZhdData.h"
#include "platform/ShiftJis.h"
#include "tests/document/DrawingFixture.h"
#include "tests/document/HeadFixture.h"
#include "tests/document/TextFormFixture.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unreadable.h"

#include <gtest/gtest.h>

namespace {

struct Loader {
    const char* name;
    TLoadResult (*load)(TZhdData& document, const std::string& path);
    // The log line an unreadable file leaves; nullptr when it leaves none.
    const char8_t* unreadable_log;
    // The drawing file's loader empties the drawing before it reads.
    bool unreadable_empties_the_drawing;
};

const Loader loaders[] = {
    { "drawing file", [](TZhdData& document, const std::string& path) { return document.LoadFromFile(path); },
      u8"ZHD読込", true },
    { "text form", [](TZhdData& document, const std::string& path) { return document.LoadZhcText(path); },
      u8"ZHG読込", false },
    { "settings file",
      [](TZhdData& document, const std::string& path) { return document.LoadCadSettingsFile(path); }, nullptr,
      false },
};

struct Saver {
    const char* name;
    TSaveStatus (*save)(TZhdData& document, const std::string& path);
};

const Saver savers[] = {
    { "drawing file", [](TZhdData& document, const std::string& path) { return document.SaveToFile(path); } },
    { "text form", [](TZhdData& document, const std::string& path) { return document.SaveZhcText(path); } },
};

// A document named "a.zhd" that holds one line.
TZhdData DocumentWithOneLine()
{
    TZhdData document;
    EXPECT_EQ(LoadTextLines(document, { "file=a.zhd", "#", " 0 0 5 5" }).status, TLoadStatus::Loaded);
    return document;
}

} // namespace

TEST(FileLoaders, MissingFileTouchesNothingAndLogsNothing)
{
    const TempDir folder;
    for (const Loader& loader : loaders) {
        for (const std::string& path : { folder.File("absent").string(), folder.Path().string() }) {
            SCOPED_TRACE(std::string(loader.name) + " " + path);
            TZhdData document = DocumentWithOneLine();
            const std::string head_before = HeadBytes(document.GetHeadPtr());
            TLoadResult result;
            const auto log = LogLinesOf([&] { result = loader.load(document, path); });
            EXPECT_EQ(result, TLoadResult(TLoadStatus::Missing));
            EXPECT_TRUE(log.empty());
            EXPECT_EQ(HeadBytes(document.GetHeadPtr()), head_before);
            EXPECT_EQ(document.GetHeadPtr().GetFileName(), "a.zhd");
            EXPECT_EQ(document.GetElemListPtr().Size(), 1);
        }
    }
}

TEST(FileLoaders, UnreadableFileIsToldApartFromAMissingOne)
{
    const TempDir folder;
    for (const Loader& loader : loaders) {
        SCOPED_TRACE(loader.name);
        const auto locked = folder.Write(std::string(loader.name) + ".locked", "ZhdData.");
        TZhdData document = DocumentWithOneLine();
        const std::string head_before = HeadBytes(document.GetHeadPtr());
        TLoadResult result;
        std::vector<std::string> log;
        if (!WithFileUnreadable(locked, [&] { log = LogLinesOf([&] { result = loader.load(document, locked); }); }))
            GTEST_SKIP() << "this user can read any file";
        EXPECT_EQ(result, TLoadResult(TLoadStatus::Unreadable));
        if (loader.unreadable_log) {
            ASSERT_FALSE(log.empty());
            EXPECT_EQ(log.front(), sj(loader.unreadable_log));
        } else {
            EXPECT_TRUE(log.empty());
        }
        EXPECT_EQ(HeadBytes(document.GetHeadPtr()), head_before);
        EXPECT_EQ(document.GetElemListPtr().Size(), loader.unreadable_empties_the_drawing ? 0 : 1);
    }
}

TEST(FileSavers, FileThatCannotBeCreatedIsReportedAndNothingIsWritten)
{
    const TempDir folder;
    for (const Saver& saver : savers) {
        for (const auto& path : { folder.File("no-such-folder/x"), folder.Path() }) {
            SCOPED_TRACE(std::string(saver.name) + " " + path.string());
            TZhdData document = DocumentWithOneLine();
            EXPECT_EQ(saver.save(document, path.string()), TSaveStatus::CannotCreate);
            EXPECT_FALSE(std::filesystem::is_regular_file(path));
        }
        SCOPED_TRACE(saver.name);
        TZhdData document = DocumentWithOneLine();
        EXPECT_EQ(saver.save(document, folder.File("saved").string()), TSaveStatus::Saved);
        EXPECT_FALSE(ReadFileBytes(folder.File("saved")).empty());
    }
}
