#include "core/KDefine.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

TEST(KDefine, Papers)
{
    TKDefine define;
    EXPECT_EQ(define.PaperNames[3], "\x82\x60\x81\x7C\x82\x52") << "full-width A, minus, 3";
    EXPECT_EQ(define.PaperWidths[3], 420);
    EXPECT_EQ(define.PaperHeights[3], 297);
    EXPECT_EQ(define.PaperNames[14], "100\x82\x8D") << "half-width digits, full-width m";
    EXPECT_EQ(define.PaperHeights[14], 70732);
    EXPECT_EQ(define.PaperNames.size(), 12u);
    // A code without an entry reads as empty and is then held.
    EXPECT_EQ(define.PaperNames[5], "");
    EXPECT_EQ(define.PaperWidths[5], 0);
    EXPECT_EQ(define.PaperNames.size(), 13u);
}

TEST(KDefine, Names)
{
    TKDefine define;
    EXPECT_EQ(define.LayerStateNames[1], sj(u8"表示のみ"));
    EXPECT_EQ(define.LayerStateNames[3], sj(u8"書込"));
    EXPECT_EQ(define.ProtectNames[2], sj(u8"表示状態固定プロテクト指定"));
    EXPECT_EQ(define.BasePointNames[0], sj(u8"左・下"));
    EXPECT_EQ(define.BasePointNames[5], sj(u8"右・中"));
    EXPECT_EQ(define.BasePointNames[8], sj(u8"右・上"));
    EXPECT_EQ(define.NoYesNames[0], sj(u8"なし"));
    EXPECT_EQ(define.NoYesNames[1], sj(u8"あり"));
}

TEST(KDefine, FlagNumbersAndPrefixes)
{
    TKDefine define;
    EXPECT_EQ(define.TextZBits.count(1), 0u);
    EXPECT_EQ(define.TextZBits.count(4), 0u);
    EXPECT_EQ(define.TextZBits[3], 14);
    EXPECT_EQ(define.LineZBits[4], 15);
    EXPECT_EQ(define.ArcPointZBits[4], 15);
    EXPECT_EQ(define.ArcPointZBits[2], 4);
    EXPECT_EQ(define.LineZBits[5], 12);
    EXPECT_EQ(define.PrefixBits.size(), 9u);
    for (const auto& [prefix, bit] : define.PrefixBits)
        EXPECT_EQ(define.BitPrefixes[bit], prefix);
    EXPECT_EQ(define.PrefixBits["c2"], 15);
    EXPECT_EQ(&SharedDefine(), &SharedDefine());
}
