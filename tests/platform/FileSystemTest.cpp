#include "platform/FileSystem.h"
#include "platform/Tick.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unreadable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(FileSystem, ExistenceAndFlags)
{
    TempDir dir;
    const auto plain = dir.Write("plain.zhd", "x");
    const auto hidden = dir.Write(".hidden", "x");
    std::filesystem::permissions(hidden, std::filesystem::perms::owner_read);

    EXPECT_TRUE(FileExists(plain));
    EXPECT_FALSE(FileExists(dir.Path())) << "a folder is not a file";
    EXPECT_FALSE(FileExists(dir.File("missing")));

    FileFlags flags;
    ASSERT_TRUE(QueryFileFlags(plain, flags));
    EXPECT_FALSE(flags.read_only);
    EXPECT_FALSE(flags.hidden);
    ASSERT_TRUE(QueryFileFlags(hidden, flags));
    EXPECT_TRUE(flags.read_only);
    EXPECT_TRUE(flags.hidden);
    EXPECT_FALSE(QueryFileFlags(dir.File("missing"), flags));
}

TEST(FileSystem, WholeFilesInAndOut)
{
    TempDir dir;
    const std::vector<std::uint8_t> bytes { 'Z', 0, 0xFF };
    EXPECT_EQ(WriteWholeFile(dir.File("a.bin"), bytes), TSaveStatus::Saved);
    const TFileBytes read = ReadWholeFile(dir.File("a.bin"));
    EXPECT_EQ(read.status, TLoadStatus::Loaded);
    EXPECT_EQ(read.bytes, bytes);
    EXPECT_EQ(read.Text(), std::string_view("Z\0\xFF", 3));

    EXPECT_EQ(WriteWholeFile(dir.File("a.bin"), "replaced"), TSaveStatus::Saved);
    EXPECT_EQ(ReadWholeFile(dir.File("a.bin")).Text(), "replaced");
    EXPECT_EQ(WriteWholeFile(dir.File("empty"), ""), TSaveStatus::Saved);
    const TFileBytes empty = ReadWholeFile(dir.File("empty"));
    EXPECT_EQ(empty.status, TLoadStatus::Loaded);
    EXPECT_TRUE(empty.bytes.empty());
}

TEST(FileSystem, WholeFilesThatCannotBeHad)
{
    TempDir dir;
    EXPECT_EQ(ReadWholeFile(dir.File("missing")).status, TLoadStatus::Missing);
    EXPECT_EQ(ReadWholeFile(dir.Path()).status, TLoadStatus::Missing) << "a folder is no file";
    EXPECT_EQ(WriteWholeFile(dir.File("no/such/folder/x"), "x"), TSaveStatus::CannotCreate);
    EXPECT_EQ(WriteWholeFile(dir.Path(), "x"), TSaveStatus::CannotCreate);
    const auto locked = dir.Write("locked", "secret");
    TFileBytes read;
    if (!WithFileUnreadable(locked, [&] { read = ReadWholeFile(locked); }))
        GTEST_SKIP() << "this user can read any file";
    EXPECT_EQ(read.status, TLoadStatus::Unreadable);
    EXPECT_TRUE(read.bytes.empty());
}

TEST(FileSystem, DiskSpace)
{
    TempDir dir;
    DiskSpace space;
    ASSERT_TRUE(QueryDiskSpace(dir.Path(), space));
    EXPECT_GT(space.free_total, 0u);
    EXPECT_LE(space.available_to_user, space.free_total);
    EXPECT_FALSE(QueryDiskSpace(dir.File("missing"), space));
}

TEST(Tick, CountsMilliseconds)
{
    const std::uint32_t first = GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const std::uint32_t second = GetTickCount();
    // Milliseconds: at least the 50 slept, far from a second.
    EXPECT_GE(static_cast<std::uint32_t>(second - first), 50u);
    EXPECT_LT(static_cast<std::uint32_t>(second - first), 1000u);
}
