#include "core/Angle.h"

#include "core/Constants.h"
#include "platform/Errors.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

TAngle Packed(double packed)
{
    TAngle angle;
    angle.SetPackedDMS(packed);
    return angle;
}

TAngle Dms(double degrees, double minutes, double seconds)
{
    TAngle angle;
    angle.SetDMS(degrees, minutes, seconds);
    return angle;
}

struct Parts {
    double d = -1, m = -1, s = -1;
};

Parts Split(const TAngle& angle)
{
    Parts parts;
    angle.GetDMS(parts.d, parts.m, parts.s);
    return parts;
}

Parts Parse(const std::string& text)
{
    Parts parts;
    TAngle::ParseDMSText(text, parts.d, parts.m, parts.s);
    return parts;
}

} // namespace

TEST(Angle, ConvertsBetweenUnits)
{
    EXPECT_DOUBLE_EQ(Degrees(12.5).GetPackedDMS(), 12.3);
    EXPECT_DOUBLE_EQ(Degrees(12.3).GetPackedDMS(), 12.18);
    EXPECT_DOUBLE_EQ(Packed(-0.30).GetDegrees(), -0.5);
    EXPECT_DOUBLE_EQ(TAngle(Pi).GetDegrees(), 180);
    EXPECT_EQ(TAngle(Pi).GetPackedDMS(), 180);
    EXPECT_DOUBLE_EQ(Packed(90).GetRadians(), Pi / 2);
    EXPECT_EQ(Degrees(45).GetKind(), TAngle::KindDegrees);
    EXPECT_EQ(Packed(1).GetKind(), TAngle::KindPackedDMS);
    // The setters of other units return radians.
    TAngle angle;
    EXPECT_DOUBLE_EQ(angle.SetDegrees(180), Pi);
    EXPECT_DOUBLE_EQ(angle.SetPackedDMS(-90), -Pi / 2);
    EXPECT_DOUBLE_EQ(angle.SetDMS(0, 30, 0), TAngle::DegToRad(0.5));
    EXPECT_DOUBLE_EQ(angle.SetRadians(2), 2);
}

TEST(Angle, SplitsIntoDegreesMinutesSeconds)
{
    struct Case {
        double packed;
        double d, m, s;
    };
    const Case cases[] = {
        { 12.3015, 12, 30, 15 },
        { 12.3060, 12, 31, 0 },  // seconds of 60 carry
        { 359.5960, 360, 0, 0 }, // 360 itself keeps its turn
        { 361.3, 1, 30, 0 },     // above 360 it loses one
        { -0.30, -0.0, 30, 0 },  // the sign is the degree part's alone
        { -12.3015, -12, 30, 15 },
    };
    for (const Case& c : cases) {
        const Parts parts = Split(Packed(c.packed));
        EXPECT_EQ(parts.d, c.d) << c.packed;
        EXPECT_EQ(std::signbit(parts.d), std::signbit(c.d)) << c.packed;
        EXPECT_EQ(parts.m, c.m) << c.packed;
        EXPECT_NEAR(parts.s, c.s, 1e-9) << c.packed;
    }
    double d = 0, m = 0, s = 0;
    TAngle::SplitDMS(12.5125, d, m, s, 0); // base 0 counts as 60
    EXPECT_EQ(d, 12);
    EXPECT_EQ(m, 30);
    EXPECT_NEAR(s, 45, 1e-9);
}

TEST(Angle, EqualityComparesSplitParts)
{
    // Seconds of exactly 1e-12 and 2e-12 after the 12-decimal rounding.
    EXPECT_TRUE(Dms(0, 0, 1e-12) == Dms(0, 0, 0));
    EXPECT_FALSE(Dms(0, 0, 2e-12) == Dms(0, 0, 0));
    EXPECT_TRUE(Dms(0, 0, 2e-12) != Dms(0, 0, 0));
    EXPECT_TRUE(TAngle(Pi / 4) == Degrees(45));
    EXPECT_TRUE(Packed(45) == Degrees(45));
    EXPECT_FALSE(Degrees(45) == Degrees(-45));
}

TEST(Angle, LessOrEqualOrdersSignedParts)
{
    EXPECT_TRUE(Packed(-0.40) <= Packed(0.30));
    EXPECT_FALSE(Packed(0.30) <= Packed(-0.40));
    EXPECT_FALSE(Dms(-10, 20, 0) <= Dms(-10, 30, 0));
    EXPECT_TRUE(Dms(-10, 30, 0) <= Dms(-10, 20, 0));
    EXPECT_TRUE(Dms(10, 20, 5) <= Dms(10, 20, 5));
    EXPECT_TRUE(Dms(10, 20, 4) <= Dms(10, 20, 5));
    EXPECT_FALSE(Dms(-10, 20, 4) <= Dms(-10, 20, 5));
    EXPECT_TRUE(Degrees(3) <= Degrees(4));
}

TEST(Angle, StrictComparisonsUseThisAnglesUnit)
{
    EXPECT_TRUE(Degrees(10) < TAngle(1));
    EXPECT_FALSE(TAngle(1) < Degrees(10));
    EXPECT_TRUE(TAngle(1) > Degrees(10));
    // No tolerance: a last-bit difference orders.
    EXPECT_TRUE(TAngle(1) < TAngle(std::nextafter(1.0, 2.0)));
    EXPECT_FALSE(Degrees(45) < Degrees(45));
}

TEST(Angle, Arithmetic)
{
    const TAngle sum = Degrees(30) + Packed(30);
    EXPECT_EQ(sum.GetKind(), TAngle::KindRadians);
    EXPECT_DOUBLE_EQ(sum.GetDegrees(), 60);
    EXPECT_DOUBLE_EQ((Degrees(30) - TAngle(Pi)).GetDegrees(), -150);
    EXPECT_DOUBLE_EQ((Degrees(90) / 2).GetRadians(), Pi / 4);
    EXPECT_DOUBLE_EQ(Degrees(90) / Degrees(45), 2);

    const TAngle negated = -Packed(12.3);
    EXPECT_EQ(negated.GetKind(), TAngle::KindPackedDMS);
    EXPECT_EQ(negated.GetPackedDMS(), -12.3);

    // Compound operators work in this angle's unit: packed numbers add as
    // numbers.
    TAngle packed = Packed(10.3015);
    packed += Degrees(180);
    EXPECT_EQ(packed.GetKind(), TAngle::KindPackedDMS);
    EXPECT_DOUBLE_EQ(packed.GetPackedDMS(), 190.3015);
    packed -= Degrees(360);
    EXPECT_DOUBLE_EQ(packed.GetPackedDMS(), -169.6985);
    TAngle degrees = Degrees(10);
    degrees *= 3;
    EXPECT_EQ(degrees.GetKind(), TAngle::KindDegrees);
    EXPECT_EQ(degrees.GetDegrees(), 30);

    EXPECT_EQ(AbsAngle(Degrees(-30)).GetDegrees(), 30);
    EXPECT_EQ(AbsAngle(Degrees(-30)).GetKind(), TAngle::KindDegrees);
    EXPECT_EQ(AbsAngle(Packed(12)).GetPackedDMS(), 12);

    TAngle assigned;
    assigned = 1.5;
    EXPECT_EQ(assigned.GetKind(), TAngle::KindRadians);
    EXPECT_EQ(assigned.GetRadians(), 1.5);
    EXPECT_EQ(assigned.Assign(Degrees(3)).GetKind(), TAngle::KindDegrees);
    EXPECT_EQ(assigned.Clone().GetDegrees(), 3);
}

TEST(Angle, NormalizeRemovesWholeTurns)
{
    TAngle angle = Degrees(-30);
    EXPECT_EQ(angle.Normalize(), -1);
    EXPECT_EQ(angle.GetDegrees(), 330);

    angle = TAngle(4 * Pi);
    EXPECT_EQ(angle.Normalize(), 2);
    EXPECT_EQ(angle.GetRadians(), 0);

    angle = Degrees(360);
    EXPECT_EQ(angle.Normalize(), 1);
    EXPECT_EQ(angle.GetDegrees(), 0);

    angle = Packed(-0.30);
    EXPECT_EQ(angle.Normalize(), -1);
    EXPECT_DOUBLE_EQ(angle.GetPackedDMS(), 359.7);
    EXPECT_EQ(angle.GetKind(), TAngle::KindPackedDMS);

    // Just below zero, adding a turn rounds to the turn itself, which is not
    // in [0, one turn): it is zero (arc membership at an arc's start relies
    // on it).
    angle = TAngle(-1e-17);
    EXPECT_EQ(angle.Normalize(), 0);
    EXPECT_EQ(angle.GetRadians(), 0);

    const TAngle copy = Degrees(725).Normalized();
    EXPECT_EQ(copy.GetKind(), TAngle::KindDegrees);
    EXPECT_EQ(copy.GetDegrees(), 5);
}

TEST(Angle, NormalizeFinishesForHugeAndNonFiniteValues)
{
    const double inf = std::numeric_limits<double>::infinity();
    for (double value : { inf, -inf, std::numeric_limits<double>::quiet_NaN() }) {
        TAngle angle(value);
        EXPECT_EQ(angle.Normalize(), 0);
        EXPECT_TRUE(std::isnan(value) ? std::isnan(angle.GetRadians()) : angle.GetRadians() == value);
    }

    TAngle huge = Degrees(1e300);
    EXPECT_EQ(huge.Normalize(), INT_MAX);
    EXPECT_GE(huge.GetDegrees(), 0);
    EXPECT_LT(huge.GetDegrees(), 360);

    TAngle far_negative = Degrees(-360e7 - 90);
    EXPECT_EQ(far_negative.Normalize(), -10000001);
    EXPECT_EQ(far_negative.GetDegrees(), 270);

    TAngle below_limit = Degrees(360e6 + 10); // still counted turn by turn
    EXPECT_EQ(below_limit.Normalize(), 1000000);
    EXPECT_NEAR(below_limit.GetDegrees(), 10, 1e-6);
}

TEST(Angle, Directions)
{
    const TAngle opposite = Degrees(30).Directed(0);
    EXPECT_EQ(opposite.GetKind(), TAngle::KindRadians);
    EXPECT_DOUBLE_EQ(opposite.GetDegrees(), 210);
    EXPECT_DOUBLE_EQ(Degrees(30).Directed(-1).GetDegrees(), 210);
    EXPECT_DOUBLE_EQ(Degrees(-30).Directed(1).GetDegrees(), 330);
    EXPECT_NEAR(Degrees(300).Perpendicular(0).GetDegrees(), 30, 1e-12);
    EXPECT_DOUBLE_EQ(Degrees(30).Perpendicular(-1).GetDegrees(), 300);
    EXPECT_NEAR(Degrees(350).AddNormalized(Degrees(20)).GetDegrees(), 10, 1e-12);
}

TEST(Angle, UprightCopy)
{
    struct Case {
        double degrees, upright;
        bool turned;
    };
    const Case cases[] = {
        { 90, 270, true }, { -90, -90, false }, { 100, 280, true },
        { 300, 120, true }, { -100, 80, true }, { 45, 45, false },
    };
    for (const Case& c : cases) {
        const TAngle upright = Degrees(c.degrees).UprightCopy();
        EXPECT_NEAR(upright.GetDegrees(), c.upright, 1e-12) << c.degrees;
        EXPECT_EQ(upright.GetKind(), c.turned ? TAngle::KindRadians : TAngle::KindDegrees) << c.degrees;
    }
}

TEST(Angle, FoldToRightHalf)
{
    struct Case {
        double degrees, folded;
    };
    const Case cases[] = {
        { 270, 90 }, { 100, -80 }, { -90, 90 }, { 90, 90 }, { 539, -1 }, { -269, -89 }, { 30, 30 },
    };
    for (const Case& c : cases) {
        const TAngle folded = Degrees(c.degrees).FoldToRightHalf();
        EXPECT_EQ(folded.GetDegrees(), c.folded) << c.degrees;
        EXPECT_EQ(folded.GetKind(), TAngle::KindDegrees);
    }
    const TAngle packed = Packed(270.3).FoldToRightHalf();
    EXPECT_EQ(packed.GetKind(), TAngle::KindPackedDMS);
    EXPECT_DOUBLE_EQ(packed.GetPackedDMS(), 90.3);
}

TEST(Angle, ParseDMSTextAcceptsAnySeparators)
{
    struct Case {
        std::string text;
        double d, m, s;
    };
    const Case cases[] = {
        { "12-30-15", 12, 30, 15 },
        { sj(u8"12度30分15秒"), 12, 30, 15 },
        { sj(u8"12 度 30 分 15 秒"), 12, 30, 15 },
        { sj(u8"12°30′15″"), 12, 30, 15 },
        { sj(u8"12度"), 12, 0, 0 },
        { "12--30", 12, 0, 30 },
        { "12 30 15", 123015, 0, 0 },
        { "-12-30-15.5", -12, 30, 15.5 },
        { "+12", 0, 12, 0 }, // "+" separates, it is no sign
        { "1-2-3-4.5", 1, 2, 3 }, // later parts are ignored
        { "", 0, 0, 0 },
        { "abc", 0, 0, 0 },
        // A double-byte separator counts once, whatever its trail byte.
        { std::string("5\x81\x2d" "7"), 5, 7, 0 },
    };
    for (const Case& c : cases) {
        const Parts parts = Parse(c.text);
        EXPECT_EQ(parts.d, c.d) << c.text;
        EXPECT_EQ(parts.m, c.m) << c.text;
        EXPECT_EQ(parts.s, c.s) << c.text;
    }
}

TEST(Angle, ParseDMSTextRaisesForAMalformedPart)
{
    EXPECT_THROW(Parse("1.2.3"), ConvertError);
    EXPECT_THROW(Parse("1-2-3-4.5.6-"), ConvertError);

    TAngle angle = Degrees(7);
    EXPECT_THROW(angle.SetFromText("10-1.2.3"), ConvertError);
    EXPECT_EQ(angle.GetKind(), TAngle::KindPackedDMS);
    EXPECT_EQ(angle.GetPackedDMS(), 7);
}

TEST(Angle, SetFromTextSignsAZeroDegreePartFromTheText)
{
    struct Case {
        std::string text;
        double packed;
    };
    const Case cases[] = {
        { "-0-30-00", -0.30 },
        { "0-30-00", -0.30 }, // its second character is a "-" too
        { "  0-30-00.00", 0.30 },
        { " -0-30-00.00", -0.30 },
        { "-12-30", -12.30 },
        { "12.5", 12.5 }, // a packed number: 12°50′
    };
    for (const Case& c : cases) {
        TAngle angle;
        const double radians = angle.SetFromText(c.text);
        EXPECT_EQ(angle.GetKind(), TAngle::KindPackedDMS) << c.text;
        EXPECT_DOUBLE_EQ(angle.GetPackedDMS(), c.packed) << c.text;
        EXPECT_DOUBLE_EQ(radians, TAngle::PackedDMSToRad(c.packed)) << c.text;
    }
}

TEST(Angle, FormatStyles)
{
    const TAngle angle = Dms(12, 34, 56.789);
    const std::string expected[] = {
        " 12-34-56.79",
        " 12 - 34 - 56.79",
        " 12\x81\x7c" "34\x81\x7c" "56.79",
        " 12 \x81\x7c 34 \x81\x7c 56.79",
        " 12\xdf" "34'56.79\"",
        " 12\xdf 34' 56.79\" ",
        " 12\x81\x8b" "34\x81\x66" "56.79\x81\x68",
        " 12\x81\x8b" "34\x81\x8c" "56.79\x81\x8d",
        " 12\x93\x78" "34\x95\xaa" "56.79\x95\x62",
        " 12 \x93\x78 34 \x95\xaa 56.79 \x95\x62",
        "12-34-56.79",
    };
    for (int style = 0; style <= 10; ++style)
        EXPECT_EQ(angle.Format(2, style), expected[style]) << style;
    EXPECT_EQ(angle.Format(2, 11), expected[0]);
    EXPECT_EQ(angle.Format(2, -1), expected[0]);
}

TEST(Angle, FormatWidthsAndSigns)
{
    EXPECT_EQ(Dms(12, 30, 15.4).Format(0, 0), " 12-30-15");
    EXPECT_EQ(Dms(12, 30, 15.4).Format(3, 1), " 12 - 30 - 15.400");
    EXPECT_EQ(Dms(12, 30, 5.4).Format(3, 1), " 12 - 30 - 05.400");
    EXPECT_EQ(TAngle().Text(), "  0-00-00.00");
    EXPECT_EQ(Packed(-0.30).Text(), " -0-30-00.00");
    EXPECT_EQ(Packed(-0.30).Format(1, 10), "-0-30-0.0");
    EXPECT_EQ(Dms(-123, 4, 5).Text(), "-123-04-05.00");
    // Seconds round only in the conversion: no carry into the minutes.
    EXPECT_EQ(Dms(1, 2, 59.996).Text(), "  1-02-60.00");
    // A negative count of decimals prints none.
    EXPECT_EQ(Dms(12, 30, 15.4).Format(-2, 0), " 12-30-15");
}

TEST(Angle, FormattedTextReadsBack)
{
    for (double packed : { 12.3015, -0.30, -45.0030, 359.5959 }) {
        TAngle angle;
        angle.SetFromText(Packed(packed).Text());
        EXPECT_DOUBLE_EQ(angle.GetPackedDMS(), packed) << packed;
    }
}

TEST(Angle, UnknownKindStaysUnconverted)
{
    TAngle angle;
    angle.SetValue(5, 7);
    EXPECT_EQ(angle.GetRadians(), 5);
    EXPECT_EQ(angle.GetDegrees(), 5);
    EXPECT_EQ(angle.GetPackedDMS(), 5);
    EXPECT_FALSE(angle < TAngle(10));
    EXPECT_FALSE(angle > TAngle(0));
    angle += TAngle(1);
    EXPECT_EQ(angle.GetRadians(), 5);
    EXPECT_EQ(angle.GetKind(), 7);
    angle -= TAngle(1);
    EXPECT_EQ(angle.GetRadians(), 5);
    // Outside every unit's turn, so a normalisation would show.
    TAngle outside;
    outside.SetValue(-5, 7);
    EXPECT_EQ(outside.Normalize(), 0);
    EXPECT_EQ(outside.GetRadians(), -5);
    EXPECT_EQ(outside.GetKind(), 7);
    Parts parts;
    angle.GetDMS(parts.d, parts.m, parts.s);
    EXPECT_EQ(parts.d, -1); // nothing written
    EXPECT_EQ(angle.Text(), "  0-00-00.00");
}
