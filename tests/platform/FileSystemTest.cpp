#include "platform/FileSystem.h"
#include "platform/Tick.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

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
    const std::uint32_t second = GetTickCount();
    EXPECT_LT(static_cast<std::uint32_t>(second - first), 1000u);
}
