#include "core/BitFlg.h"
#include "core/HexInt.h"
#include "core/RGB.h"
#include "core/StopWatch.h"
#include "core/WakeBit.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(RGB, PacksAndSplitsComponents)
{
    TRGB colour;
    EXPECT_EQ(colour.GetColor(), 0);
    EXPECT_EQ(colour.SetRGB(1, 2, 3).GetColor(), 197121);
    EXPECT_EQ(colour.GetRed(), 1);
    EXPECT_EQ(colour.GetGreen(), 2);
    EXPECT_EQ(colour.GetBlue(), 3);

    int red = -1, green = -1, blue = -1;
    TRGB(0xFFFFFF).GetRGB(red, green, blue);
    EXPECT_EQ(red, 255);
    EXPECT_EQ(green, 255);
    EXPECT_EQ(blue, 255);

    // PackRGB does not store; out-of-range components wrap in 32 bits.
    EXPECT_EQ(colour.PackRGB(0xFF, 0x80, 0x10), 0x1080FF);
    EXPECT_EQ(colour.PackRGB(0, 0, 0x10000), 0);
    EXPECT_EQ(colour.PackRGB(INT_MAX, INT_MAX, INT_MAX), 0x7FFEFEFF);
    EXPECT_EQ(colour.GetColor(), 197121);
}

TEST(RGB, SettersAndComparison)
{
    TRGB colour;
    EXPECT_EQ(colour.SetColor2(0x123456), 0x123456);
    EXPECT_EQ(colour.Set(0xABCDEF).GetColor2(), 0xABCDEF);
    TRGB other(0xABCDEF);
    EXPECT_FALSE(colour != other);
    other.Set2(0);
    EXPECT_TRUE(colour != other);
    EXPECT_FALSE(other.Assign(colour) != colour);
}

TEST(BitFlg, BitNumbersWrapAndMinusOneMeansAll)
{
    TBitFlg flags;
    flags.SetBit(33);
    EXPECT_EQ(flags.GetValue(), 2u);
    flags.SetBit(-2);
    EXPECT_EQ(flags.GetValue(), 0x40000002u);
    EXPECT_EQ(flags.TestBit(30), 1);
    EXPECT_EQ(flags.IsClear(0), 1);
    flags.ClearBit(-1);
    EXPECT_EQ(flags.GetValue(), 0u);
    EXPECT_EQ(flags.IsClear(-1), 1);

    EXPECT_EQ(flags.ToggleBit(-1).GetValue(), 0xFFFFFFFFu);
    EXPECT_EQ(flags.IsSet(-1), 1);
    EXPECT_EQ(flags.IsClear(-1), 0);
    EXPECT_EQ(flags.ToggleBit(31).GetValue(), 0x7FFFFFFFu);
    EXPECT_EQ(flags.IsSet(-1), 0);
    EXPECT_EQ(flags.TestBit(-1), 0);

    EXPECT_FALSE(flags.PutBit(false, 0));
    EXPECT_TRUE(flags.PutBit(true, 31));
    EXPECT_EQ(flags.GetValue(), 0xFFFFFFFEu);
}

TEST(BitFlg, BytesAndOverlappingWords)
{
    TBitFlg flags(0x00FFFF00u);
    EXPECT_EQ(flags.GetWord(1), 0xFFFFu);
    EXPECT_EQ(flags.GetWord(0), 0xFF00u);
    EXPECT_EQ(flags.GetWord(5), 0x00FFu);
    EXPECT_EQ(flags.GetByte(2), 0xFFu);
    EXPECT_EQ(flags.GetByte(-1), 0x00u);

    TBitFlg bytes;
    EXPECT_EQ(bytes.SetByte(0xFF, 5), 0xFFu);
    EXPECT_EQ(bytes.GetValue(), 0x0000FF00u);
    bytes.SetByte(0x12, 3);
    bytes.SetByte(0x00, 1);
    EXPECT_EQ(bytes.GetValue(), 0x12000000u);
    EXPECT_EQ(bytes.SetWord(0xABCD, 1), 0xABCDu);
    EXPECT_EQ(bytes.GetValue(), 0x12ABCD00u);
    EXPECT_EQ(bytes.ByteText(1), "11001101");
    EXPECT_EQ(bytes.WordText(2), "0001001010101011");
}

TEST(BitFlg, Texts)
{
    TBitFlg one(1);
    EXPECT_EQ(one.BitText(), std::string(31, '0') + "1");
    TBitFlg top(0x80000000u);
    EXPECT_EQ(top.MarkText(), "-" + std::string(31, ' '));
    EXPECT_EQ(TBitFlg(0xA5000000u).BitText().substr(0, 8), "10100101");
}

TEST(BitFlg, SetFromTextOrsRepeatedMarks)
{
    struct Case {
        std::string text;
        std::uint32_t before;
        std::uint32_t after;
    };
    const Case cases[] = {
        { "1", 0, 0xFFFFFFFFu },
        { "10", 0, 0xAAAAAAAAu },
        { "-  ", 0, 0x92492492u },
        { "0", 0x5u, 0x5u },
        { "", 0x5u, 0x5u },
        { std::string(31, ' ') + "x" + "ignored", 0, 1u },
        { "1" + std::string(31, '0'), 0x1u, 0x80000001u },
    };
    for (const auto& c : cases) {
        TBitFlg flags(c.before);
        EXPECT_EQ(flags.SetFromText(c.text), c.after) << '"' << c.text << '"';
        EXPECT_EQ(flags.GetValue(), c.after);
    }
    // The texts read back.
    TBitFlg marks;
    marks.SetFromText(TBitFlg(0x12345678u).MarkText());
    EXPECT_EQ(marks.GetValue(), 0x12345678u);
}

TEST(HexInt, ReadsBareHexDigitsOnly)
{
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        { "1F", 31 },
        { "0A", 10 },
        { "ffffffff", -1 },
        { "80000000", INT_MIN },
        { "7FFFFFFF", INT_MAX },
        { "100000000", 0 },
        { "", 0 },
        { "0x1F", 0 },
        { "-1", 0 },
        { "+1", 0 },
        { " 1", 0 },
        { "1 ", 0 },
        { "1g", 0 },
        { "$1", 0 },
    };
    for (const auto& c : cases) {
        THexInt hex;
        hex.SetDigit(7);
        EXPECT_EQ(hex.SetText(c.text), c.value) << '"' << c.text << '"';
        EXPECT_EQ(hex.GetValue(), c.value);
    }
}

TEST(HexInt, ShowsTheLowerCasePattern)
{
    THexInt hex;
    EXPECT_EQ(hex.GetText(), "0");
    EXPECT_EQ(hex.SetTextNormalized("0A"), "a");
    EXPECT_EQ(hex.AssignText("FF").GetText(), "ff");
    EXPECT_EQ(hex.SetAbs(-255).GetValue(), 255);
    EXPECT_EQ(hex.AssignText("ffffffff").GetText(), "ffffffff");
    EXPECT_EQ(hex.SetAbs(INT_MIN).GetText(), "80000000");
    THexInt copy;
    EXPECT_EQ(copy.Assign(hex).GetValue(), INT_MIN);
}

TEST(HexInt, DigitIsTheMagnitudeModulo16)
{
    EXPECT_EQ(THexInt::DigitOf(-17), 1);
    EXPECT_EQ(THexInt::DigitOf(INT_MIN), 0);
    EXPECT_EQ(THexInt::DigitOf(INT_MAX), 15);
    THexInt hex;
    EXPECT_EQ(hex.SetDigit(-17), 1);
    EXPECT_EQ(hex.SetDigitText(30), "e");
    EXPECT_EQ(hex.GetValue(), 14);
}

namespace {

std::uint32_t fake_tick = 0;

std::uint32_t FakeTick()
{
    return fake_tick;
}

} // namespace

TEST(StopWatch, CountsSecondsOnTheTickCounter)
{
    fake_tick = 1000;
    TStopWatch watch(FakeTick);
    EXPECT_EQ(watch.GetStartTick(), 1000u);
    fake_tick = 2500;
    EXPECT_DOUBLE_EQ(watch.Elapsed(), 1.5);
    EXPECT_DOUBLE_EQ(watch.Lap(), 1.5);
    fake_tick = 2750;
    EXPECT_DOUBLE_EQ(watch.Lap(), 0.25);
    EXPECT_DOUBLE_EQ(watch.Elapsed(), 1.75);

    EXPECT_DOUBLE_EQ(watch.Restart(), 1.75);
    EXPECT_EQ(watch.GetStartTick(), 2750u);
    EXPECT_DOUBLE_EQ(watch.Elapsed(), 0.0);
    fake_tick = 2760;
    EXPECT_DOUBLE_EQ(watch.Lap(), 0.01);
}

TEST(StopWatch, SurvivesTheCounterWrapping)
{
    fake_tick = 0xFFFFFF00u;
    TStopWatch watch(FakeTick);
    fake_tick = 0x100u;
    EXPECT_DOUBLE_EQ(watch.Elapsed(), 0.512);
    EXPECT_DOUBLE_EQ(watch.Lap(), 0.512);
}

TEST(StopWatch, RunsOnTheSystemCounterByDefault)
{
    const std::uint32_t before = GetTickCount();
    const TStopWatch watch;
    const std::uint32_t after = GetTickCount();
    // Started between the two readings of the system's counter.
    EXPECT_LE(static_cast<std::uint32_t>(watch.GetStartTick() - before), static_cast<std::uint32_t>(after - before));
    EXPECT_LT(watch.Elapsed(), 60.0);
}

TEST(WakeBit, DefaultMasks)
{
    const TWakeBit wake;
    EXPECT_EQ(wake.Count(), 17);
    EXPECT_EQ(wake.GetMask(0), 0u);
    EXPECT_EQ(wake.GetMask(3), 7u);
    EXPECT_EQ(wake.GetMask(16), 0xFFFFu);
    EXPECT_EQ(wake.MaskText(4), std::string(12, '0') + "1111");
    EXPECT_EQ(wake.MaskText(16), std::string(16, '1'));
}

TEST(WakeBit, AStateOutsideTheTableGivesMaskZero)
{
    const TWakeBit wake;
    for (int state : { -1, 17, 255, INT_MIN, INT_MAX }) {
        EXPECT_EQ(wake.GetMask(state), 0u) << state;
        EXPECT_EQ(wake.MaskText(state), std::string(16, '0')) << state;
    }
}

TEST(WakeBit, MasksAreReplacedAsCopies)
{
    TWakeBit wake;
    TWakeBit::Masks masks { 0x1u, 0x8000u };
    EXPECT_EQ(wake.SetMasks(masks), masks);
    masks[0] = 0xFFu;
    EXPECT_EQ(wake.GetMask(0), 0x1u);
    EXPECT_EQ(wake.MaskText(1), "1" + std::string(15, '0'));
    EXPECT_EQ(wake.Count(), 2);

    TWakeBit other;
    EXPECT_EQ(other.Assign(wake).GetMasks(), wake.GetMasks());
    EXPECT_EQ(other.AssignMasks({}).Count(), 0);
    EXPECT_EQ(other.GetMask(0), 0u);
    EXPECT_EQ(wake.Count(), 2);
}
