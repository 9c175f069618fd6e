#include "core/Constants.h"
#include "core/DebugLog.h"
#include "tests/support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

TEST(DebugLog, OneLinePerCallWithLeadingTabs)
{
    std::ostringstream log;
    RedirectDebugLog(&log);
    WriteDebugLog("", 0);
    WriteDebugLog("abc", 2);
    WriteDebugLog("x", -3);
    WriteDebugLog("two\nlines");
    RedirectDebugLog(nullptr);
    WriteDebugLog("dropped");
    EXPECT_EQ(log.str(), "\n\t\tabc\nx\ntwo\nlines\n");
}

TEST(DebugLog, OpeningEmptiesTheFileAndEveryLineIsOnDiskAtOnce)
{
    TempDir dir;
    const auto path = dir.Write("debug.log", "previous run\n");
    ASSERT_TRUE(OpenDebugLog(path));
    WriteDebugLog("<FormCreate>");
    EXPECT_EQ(ReadFileBytes(path), "<FormCreate>\n");
    CloseDebugLog();
    EXPECT_FALSE(OpenDebugLog(dir.File("no/such/folder/debug.log")));
    EXPECT_FALSE(DebugLogEnabled());
    WriteDebugLog("nowhere");
    EXPECT_EQ(ReadFileBytes(path), "<FormCreate>\n") << "the closed log takes nothing more";
}

TEST(Constants, PiAndDegreesPerRadian)
{
    EXPECT_EQ(Pi, std::atan2(0.0, -1.0));
    EXPECT_LE(std::abs(DegreesPerRadian * Pi - 180.0), std::nextafter(180.0, 200.0) - 180.0);
}
