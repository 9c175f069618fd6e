#include "document/InfoZHG.h"
#include "document/StatusZHG.h"

#include "core/DebugLog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

TEST(StatusZHG, DefaultsAndDump)
{
    const TStatusZHG state;
    EXPECT_EQ(state.GetMojiShu(), 1u);
    EXPECT_EQ(state.GetTenColor(), 2);
    EXPECT_EQ(state.GetSolidColor(), 0);
    EXPECT_EQ(state.GetScale(), 1.0);
    EXPECT_EQ(state.GetMoji().GetHeight(), 1.0);
    EXPECT_EQ(state.GetPenStyle(), 1);

    std::ostringstream log;
    RedirectDebugLog(&log);
    state.DumpToLog();
    RedirectDebugLog(nullptr);
    const std::string text = log.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 17);
    for (const char* line : { "\nTenColor:2\n", "\nFlg:0|0\n", "\nMojiShu:1\n", "\nScale:1.000000\n", "\nMojiFont:\n" })
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

// The scale divides every coordinate read: only a positive finite value is
// taken.
TEST(StatusZHG, ScaleIsAlwaysPositiveAndFinite)
{
    TStatusZHG state;
    EXPECT_EQ(state.SetScale(0.5), 0.5);
    for (const double bad : { 0.0, -2.0, std::nan(""), std::numeric_limits<double>::infinity() }) {
        EXPECT_EQ(state.SetScale(bad), 1.0) << bad;
        state.SetScale(0.5);
        state.SetStatusZHG(TZhdaMoji(), 1, "", 2, 0, bad);
        EXPECT_EQ(state.GetScale(), 1.0);
    }
}

TEST(StatusZHG, AssignStatusZHGLeavesTheAttributeRecord)
{
    TStatusZHG source;
    source.SetGLayer(3);
    source.SetTenColor(5);
    source.SetMojiFont("Mincho");
    TStatusZHG target;
    target.AssignStatusZHG(source);
    EXPECT_EQ(target.GetTenColor(), 5);
    EXPECT_EQ(target.GetMojiFont(), "Mincho");
    EXPECT_EQ(target.GetGLayer(), 0);
    target = source;
    EXPECT_EQ(target.GetGLayer(), 3);
}

TEST(InfoZHG, DefaultsAndScale)
{
    TInfoZHG info;
    ASSERT_EQ(info.GetPoints().Count(), 1);
    EXPECT_EQ(info.GetPoints().Get(0), TBPoint());
    EXPECT_EQ(info.GetPointNames().Get(0), "GENTEN");
    EXPECT_EQ(info.GetDeclination(), -23.45);
    EXPECT_EQ(info.GetScale(), 1.0);
    EXPECT_EQ(info.GetHeaderLineCount(), 0);

    EXPECT_EQ(info.SetScale(0.5), 0.5);
    EXPECT_EQ(info.SetScale(0), 1.0);
    EXPECT_EQ(info.SetScale(-2), 1.0);
    info.SetInfo(TAngle(), TBPoint(), TBPoint(), 0, TVect<TBPoint>(), TVect<std::string>(), TBitFlg(), "", "", 0, "",
                 0.0, 0, {});
    EXPECT_EQ(info.GetScale(), 0.0);
}

TEST(InfoZHG, CopiesAreDeepAndFlagsTakeAllBits)
{
    TInfoZHG source;
    const TInfoZHG copy = source;
    TVect<TBPoint> points = source.GetPoints();
    points.Append(TBPoint(1.0, 1.0));
    source.SetPoints(points);
    EXPECT_EQ(copy.GetPoints().Count(), 1);

    TInfoZHG flags;
    EXPECT_TRUE(flags.SetFlag(1, true));
    EXPECT_EQ(flags.TestFlag(-1), 0);
    flags.SetFlags(TBitFlg(0xFFFFFFFF));
    EXPECT_EQ(flags.TestFlag(-1), 1);
    EXPECT_FALSE(flags.SetFlag(-1, false));
    EXPECT_EQ(flags.GetFlags().GetValue(), 0u);
}
