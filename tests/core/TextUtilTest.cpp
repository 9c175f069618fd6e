#include "core/TextUtil.h"
#include "platform/ShiftJis.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unreadable.h"

#include <gtest/gtest.h>

namespace {

StringList Fields(const std::string& text, const std::string& delimiter)
{
    StringList fields { "stale" };
    const int count = SplitText(text, fields, delimiter);
    EXPECT_EQ(count, static_cast<int>(fields.size()));
    return fields;
}

} // namespace

TEST(TextUtil, SplitTextAtADelimiter)
{
    EXPECT_EQ(Fields("a,,b", ","), (StringList { "a", "", "b" }));
    EXPECT_EQ(Fields(",a", ","), (StringList { "", "a" }));
    EXPECT_EQ(Fields("a,b,", ","), (StringList { "a", "b", "" }));
    EXPECT_EQ(Fields(",", ","), (StringList { "", "" }));
    EXPECT_EQ(Fields("abc", ","), (StringList { "abc" }));
    EXPECT_EQ(Fields("", ","), StringList {});
    EXPECT_EQ(Fields("x\ty", "\t"), (StringList { "x", "y" }));
}

TEST(TextUtil, SplitTextAtBlanksWithAnEmptyDelimiter)
{
    EXPECT_EQ(Fields("  a  b  ", ""), (StringList { "", "a", "b" }));
    EXPECT_EQ(Fields("a \t b", ""), (StringList { "a", "b" }));
    EXPECT_EQ(Fields("a\tb c", ""), (StringList { "a\tb", "c" }));
    EXPECT_EQ(Fields(" \r\n", ""), StringList {});
    EXPECT_EQ(Fields("", ""), StringList {});
}

TEST(TextUtil, SplitAtBlanks)
{
    StringList fields { "stale" };
    EXPECT_EQ(SplitAtBlanks(" a  b", fields), 3);
    EXPECT_EQ(fields, (StringList { "", "a", "b" }));
    EXPECT_EQ(SplitAtBlanks("l 1.5\t2 ", fields), 2);
    EXPECT_EQ(fields, (StringList { "l", "1.5\t2" }));
    EXPECT_EQ(SplitAtBlanks("", fields), 0);
}

TEST(TextUtil, ReadTextFileLines)
{
    TempDir dir;
    StringList lines { "kept" };
    EXPECT_EQ(ReadTextFileLines(SjisPath(dir.File("missing.txt")), lines), TLoadStatus::Missing);
    EXPECT_EQ(lines, StringList { "kept" });
    const auto locked = dir.Write("locked.txt", "x");
    TLoadStatus unreadable = TLoadStatus::Loaded;
    if (WithFileUnreadable(locked, [&] { unreadable = ReadTextFileLines(SjisPath(locked), lines); })) {
        EXPECT_EQ(unreadable, TLoadStatus::Unreadable);
        EXPECT_EQ(lines, StringList { "kept" });
    }

    dir.Write("a.txt", std::string("x\r\n\r\ny\n  \rz\0ignored", 20));
    EXPECT_EQ(ReadTextFileLines(SjisPath(dir.File("a.txt")), lines), TLoadStatus::Loaded);
    EXPECT_EQ(lines, (StringList { "x", "y", "  ", "z" }));

    dir.Write("empty.txt", "");
    EXPECT_EQ(ReadTextFileLines(SjisPath(dir.File("empty.txt")), lines), TLoadStatus::Loaded);
    EXPECT_TRUE(lines.empty());

    const auto japanese = dir.Write("\xE5\x9B\xB3.txt", "ok");  // a file name in UTF-8
    EXPECT_EQ(ReadTextFileLines(SjisPath(japanese), lines), TLoadStatus::Loaded);
    EXPECT_EQ(lines, StringList { "ok" });
}

TEST(TextUtil, FormatImageSize)
{
    EXPECT_EQ(FormatImageSize(25.4, 25.4, 100, 24), "29.3 KB");
    EXPECT_EQ(FormatImageSize(25.4, 25.4, 90, 1), "1.1 KB");
    EXPECT_EQ(FormatImageSize(25.4, 25.4, 100, 1), "1.2 KB");
    EXPECT_EQ(FormatImageSize(25.4, 25.4, 32, 8), "1024.0 Byte") << "exactly 1024 stays in the smaller unit";
    EXPECT_EQ(FormatImageSize(2540, 2540, 1000, 32), "37.3 GB") << "a third division is labelled GB";
}

TEST(TextUtil, TextToFloatGivesZeroOnFailure)
{
    EXPECT_EQ(TextToFloat(""), 0);
    EXPECT_EQ(TextToFloat("abc"), 0);
    EXPECT_EQ(TextToFloat("12.5"), 12.5);
    EXPECT_EQ(TextToFloat("-1e2"), -100);
}

TEST(TextUtil, FileFlagsAndFreeSpace)
{
    TempDir dir;
    const auto hidden = dir.Write(".cache", "x");
    std::filesystem::permissions(hidden, std::filesystem::perms::owner_read);
    EXPECT_EQ(GetFileFlags(SjisPath(hidden)), 3);
    EXPECT_EQ(GetFileFlags(SjisPath(dir.Write("plain", "x"))), 0);
    EXPECT_EQ(GetFileFlags(SjisPath(dir.File("missing"))), 0);
    EXPECT_GT(GetDiskFreeBytes(SjisPath(dir.Path())), 0u);
    EXPECT_EQ(GetDiskFreeBytes(SjisPath(dir.File("missing"))), 0u);
}

TEST(TextUtil, HalfWidthKatakana)
{
    EXPECT_EQ(ToHalfWidthKatakana(sj(u8"ドア１２")), sj(u8"ﾄﾞｱ12"));
}
