#include "core/KDefine.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

TEST(KDefine, Papers)
{
    const TKDefine define;
    EXPECT_EQ(LookUp(define.PaperNames, 3), "\x82\x60\x81\x7C\x82\x52") << "full-width A, minus, 3";
    EXPECT_EQ(LookUp(define.PaperWidths, 3), 420);
    EXPECT_EQ(LookUp(define.PaperHeights, 3), 297);
    EXPECT_EQ(LookUp(define.PaperNames, 14), "100\x82\x8D") << "half-width digits, full-width m";
    EXPECT_EQ(LookUp(define.PaperHeights, 14), 70732);
    EXPECT_EQ(define.PaperNames.size(), 12u);
}

TEST(KDefine, AbsentKeysReadEmptyAndAddNothing)
{
    const TKDefine& define = SharedDefine();
    EXPECT_EQ(LookUp(define.PaperNames, 5), "");
    EXPECT_EQ(LookUp(define.PaperWidths, 5), 0);
    EXPECT_EQ(LookUp(define.PaperHeights, 15), 0);
    EXPECT_EQ(LookUp(define.LayerStateNames, -1), "");
    EXPECT_EQ(LookUp(define.TextZBits, 1), 0);
    EXPECT_EQ(LookUp(define.PrefixBits, "zz"), 0);
    EXPECT_EQ(define.PaperNames.size(), 12u);
    EXPECT_EQ(define.PaperWidths.count(5), 0u);
    EXPECT_EQ(define.LayerStateNames.size(), 4u);
    EXPECT_EQ(define.TextZBits.size(), 3u);
    EXPECT_EQ(define.PrefixBits.size(), 9u);
}

TEST(KDefine, Names)
{
    const TKDefine define;
    EXPECT_EQ(LookUp(define.LayerStateNames, 1), sj(u8"表示のみ"));
    EXPECT_EQ(LookUp(define.LayerStateNames, 3), sj(u8"書込"));
    EXPECT_EQ(LookUp(define.ProtectNames, 2), sj(u8"表示状態固定プロテクト指定"));
    EXPECT_EQ(LookUp(define.BasePointNames, 0), sj(u8"左・下"));
    EXPECT_EQ(LookUp(define.BasePointNames, 5), sj(u8"右・中"));
    EXPECT_EQ(LookUp(define.BasePointNames, 8), sj(u8"右・上"));
    EXPECT_EQ(LookUp(define.NoYesNames, 0), sj(u8"なし"));
    EXPECT_EQ(LookUp(define.NoYesNames, 1), sj(u8"あり"));
}

TEST(KDefine, FlagNumbersAndPrefixes)
{
    const TKDefine define;
    EXPECT_EQ(define.TextZBits.count(1), 0u);
    EXPECT_EQ(define.TextZBits.count(4), 0u);
    EXPECT_EQ(LookUp(define.TextZBits, 3), 14);
    EXPECT_EQ(LookUp(define.LineZBits, 4), 15);
    EXPECT_EQ(LookUp(define.ArcPointZBits, 4), 15);
    EXPECT_EQ(LookUp(define.ArcPointZBits, 2), 4);
    EXPECT_EQ(LookUp(define.LineZBits, 5), 12);
    EXPECT_EQ(define.PrefixBits.size(), 9u);
    EXPECT_EQ(define.BitPrefixes.size(), 9u);
    for (const auto& [prefix, bit] : define.PrefixBits)
        EXPECT_EQ(LookUp(define.BitPrefixes, bit), prefix);
    EXPECT_EQ(LookUp(define.PrefixBits, "c2"), 15);
}
