// The text's box points, widths, control-code stripping, special-text
// classes, extent, nearest points and transformations.

#include "core/Constants.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "platform/ShiftJis.h"
#include "tests/elements/GeometryTestSupport.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double tolerance = 1e-9;
const double not_a_number = std::numeric_limits<double>::quiet_NaN();
// 3 / tan 71°57′53″: how far an italic box of height 3 leans.
const double italic_lean_of_3 = 3 / std::tan((71 + 57 / 60.0 + 53 / 3600.0) * Pi / 180);

TKMoji TextOf(std::string characters, TBPoint start, TBPoint end, double width, double height, double spacing,
              double angle_degrees = 0)
{
    return TKMoji(start, end, TZhdaMoji(width, height, spacing, 1), 1, Degrees(angle_degrees), "Mincho",
                  std::move(characters));
}

// A text whose end lies where its width ends.
TKMoji FittedText(std::string characters, TBPoint start, double width, double height, double spacing,
                  double angle_degrees)
{
    TKMoji text = TextOf(std::move(characters), start, start, width, height, spacing, angle_degrees);
    TBPoint end;
    start.PolarOffset(text.GetTextWidth(), Degrees(angle_degrees), end);
    text.SetEnd(end);
    return text;
}

TKMoji Vertical(TKMoji text)
{
    TBitFlg flags = text.GetStatusFlg();
    flags.SetBit(TKMoji::VerticalFlag);
    text.SetStatusFlg(flags);
    return text;
}

} // namespace

TEST(TextGeometry, BoxPointsByCode)
{
    // Start (0, 0), end (4, 0), height 3: the box is 4 wide and 3 high.
    const TKMoji text = TextOf("AB", TBPoint(0.0, 0.0, 3), TBPoint(4.0, 0.0), 2, 3, 1);
    struct Row {
        int code;
        double x, y;
    };
    const Row rows[] = { { 0, 0, 0 },   { 1, 2, 0 },   { 2, 4, 0 },   { 3, 0, 1.5 }, { 4, 2, 1.5 },
                         { 5, 4, 1.5 }, { 6, 0, 3 },   { 7, 2, 3 },   { 8, 4, 3 },   { 9, 0, 0 },
                         { -1, 0, 0 } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        const TBPoint point = text.GetBoxPoint(row.code, 0, 0, 0);
        EXPECT_POINT_NEAR(point, row.x, row.y, tolerance);
        EXPECT_EQ(point.GetTag(), 0);
        EXPECT_POINT_NEAR(text.GetKeyPoint(row.code), row.x, row.y, tolerance);
    }
    // The default text: start and end at the origin, height 1.
    EXPECT_POINT_NEAR(TKMoji().GetBoxPoint(4, 0, 0, 0), 0.0, 0.5, tolerance);
}

TEST(TextGeometry, ItalicSlantLeansTheBoxOnlyWithTheSlantFlag)
{
    TKMoji italic = TextOf("AB", TBPoint(0.0, 0.0, TKMoji::ItalicStyle), TBPoint(4.0, 0.0), 2, 3, 1);
    EXPECT_NEAR(italic_lean_of_3, 0.9768, 1e-4);
    struct Row {
        int code, slant;
        double x, y;
    };
    const Row rows[] = {
        { 6, 1, italic_lean_of_3, 3 },     { 8, 1, 4 + italic_lean_of_3, 3 }, { 4, 1, 2 + italic_lean_of_3 / 2, 1.5 },
        { 3, 1, italic_lean_of_3 / 2, 1.5 }, { 2, 1, 4, 0 },                    { 6, 0, 0, 3 },
        { 8, 0, 4, 3 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.code << " slant " << row.slant);
        EXPECT_POINT_NEAR(italic.GetBoxPoint(row.code, 0, 0, row.slant), row.x, row.y, tolerance);
    }
    // Upright text: the slant flag changes nothing.
    const TKMoji upright = TextOf("AB", TBPoint(0.0, 0.0, TKMoji::BoldStyle), TBPoint(4.0, 0.0), 2, 3, 1);
    EXPECT_POINT_NEAR(upright.GetBoxPoint(6, 0, 0, 1), 0.0, 3.0, tolerance);
    // An image text's box never leans.
    italic.SetTextString("^@BMpicture.bmp,4,3");
    EXPECT_POINT_NEAR(italic.GetBoxPointWithImage(6, 0, 0, 1), 0.0, 3.0, tolerance);
    EXPECT_POINT_NEAR(italic.GetBoxPointWithImage(8, 0, 0, 1), 4.0, 3.0, tolerance);
}

TEST(TextGeometry, BoxPointOffsetsRunAlongAndAcrossTheBaseLine)
{
    // Written upwards: along is +y, across is -x.
    const TKMoji text = TextOf("AB", TBPoint(0.0, 0.0), TBPoint(0.0, 4.0), 2, 3, 1, 90);
    EXPECT_POINT_NEAR(text.GetBoxPoint(6, 0, 0, 0), -3.0, 0.0, tolerance);
    EXPECT_POINT_NEAR(text.GetBoxPoint(0, 1, 2, 0), -2.0, 1.0, tolerance);
    EXPECT_POINT_NEAR(text.GetBoxPoint(8, -1, 0.5, 0), -3.5, 3.0, tolerance);
}

TEST(TextGeometry, VerticalWritingSwapsCharacterHeightAndWidth)
{
    const TKMoji text = Vertical(TextOf("AB", TBPoint(0.0, 0.0), TBPoint(4.0, 0.0), 2, 3, 0));
    EXPECT_TRUE(text.IsVertical());
    EXPECT_EQ(text.GetCharHeight(), 2);
    EXPECT_EQ(text.GetCharWidth(), 3);
    EXPECT_POINT_NEAR(text.GetBoxPoint(6, 0, 0, 0), 0.0, 2.0, tolerance);
    EXPECT_DOUBLE_EQ(text.GetTextWidth(), 3);  // two half cells of 3

    const TKMoji horizontal = TextOf("AB", TBPoint(0.0, 0.0), TBPoint(4.0, 0.0), 2, 3, 0);
    EXPECT_EQ(horizontal.GetCharHeight(), 3);
    EXPECT_EQ(horizontal.GetCharWidth(), 2);
}

TEST(TextGeometry, ImageBoxTakesTheSizeFromTheImageReference)
{
    struct Row {
        const char* text;
        double width, height;
    };
    const Row rows[] = {
        { "^@BMpicture.bmp,10,5", 10, 5 },
        { "^$BMpicture.bmp, 4", 4, 4 },        // a width alone makes a square
        { "^@BMpicture.bmp,6mm,2.5e0", 6, 2.5 },  // read as far as a number goes
        { "^@BMpicture.bmp,x,2", 0, 2 },
        { "^@BMpicture.bmp", 0, 3 },           // no size: the text's own width and height
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        // A stored end far away: the image box does not use it.
        TKMoji text = TextOf(row.text, TBPoint(1.0, 1.0), TBPoint(100.0, 1.0), 2, 3, 0);
        const double width = std::string(row.text).find(',') == std::string::npos ? text.GetTextWidth() : row.width;
        EXPECT_POINT_NEAR(text.GetBoxPointWithImage(2, 0, 0, 0), 1 + width, 1.0, tolerance);
        EXPECT_POINT_NEAR(text.GetBoxPointWithImage(8, 0, 0, 0), 1 + width, 1 + row.height, tolerance);
        TBPoint min, max;
        text.GetExtent(min, max, TZhdData(), 0);
        EXPECT_POINT_NEAR(min, 1.0, 1.0, tolerance);
        EXPECT_POINT_NEAR(max, 1 + width, 1 + row.height, tolerance);
    }
}

TEST(TextGeometry, BasePointFromAnchorPutsTheBoxPointOnTheAnchor)
{
    // Oracle: for a text whose end lies at its width, the start found from
    // any box point is the start itself, leaning or not.
    for (int style : { 0, TKMoji::ItalicStyle }) {
        for (double angle : { 0.0, 30.0, -135.0 }) {
            TKMoji text = FittedText("ABCD" + sj(u8"あ"), TBPoint(1.0, 2.0, style), 2, 3, 1, angle);
            for (int slant : { 0, 1 }) {
                for (int code = 0; code <= 9; ++code) {
                    SCOPED_TRACE(testing::Message() << "style " << style << " angle " << angle << " slant " << slant
                                                    << " code " << code);
                    const TBPoint anchor = text.GetBoxPoint(code, 0, 0, slant);
                    const TBPoint start = text.BasePointFromAnchor(anchor, code, 0, 0, slant);
                    EXPECT_POINT_NEAR(start, 1.0, 2.0, 1e-9);
                    EXPECT_EQ(start.GetTag(), 0);
                    EXPECT_POINT_NEAR(text.BasePointFromAnchorAlt(anchor, code, 0, 0, slant), 1.0, 2.0, 1e-9);
                }
            }
        }
    }
    // An offset moves the start by itself, turned with the text.
    const TKMoji upwards = FittedText("AB", TBPoint(0.0, 0.0), 2, 3, 0, 90);
    EXPECT_POINT_NEAR(upwards.BasePointFromAnchor(TBPoint(10.0, 10.0), 0, 1, 2, 0), 8.0, 11.0, tolerance);
}

TEST(TextGeometry, SumCharWidths)
{
    struct Row {
        std::string text;
        double width, spacing, expected;
    };
    const std::string a = sj(u8"あ"), i = sj(u8"い");
    const Row rows[] = {
        { "ABC", 2, 1, 4.0 },     // 1 + 0.5 + 1 + 0.5 + 1
        { a + i, 2, 1, 5.0 },     // 2 + 1 + 2
        { "", 2, 1, 0.0 },        //
        { "A", 2, 1, 1.0 },       // the last character adds no spacing
        { "A" + a, 2, 1, 3.5 },   // 1 + 0.5 + 2
        { a + "A", 2, 1, 4.0 },   // 2 + 1 + 1
        { "\x82", 2, 1, 1.0 },    // a lead byte without its trail is one byte
        { "A\x82", 2, 0, 2.0 },   //
        { "AB", 0, 0, 0.0 },      //
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_DOUBLE_EQ(TKMoji::SumCharWidths(row.text, row.width, row.spacing), row.expected);
    }
    EXPECT_DOUBLE_EQ(TKMoji::MeasureStringWidth("A^!B^$3C", 2, 1), 4.0);
}

TEST(TextGeometry, TextWidthMeasuresWhatTheLayoutSpreadsOrCompresses)
{
    const std::string dot = sj(u8"・"), a = sj(u8"あ"), i = sj(u8"い"), small_e = sj(u8"ぇ"), slash = sj(u8"／");
    ASSERT_EQ(static_cast<unsigned char>(small_e[1]), 0xA5);
    ASSERT_EQ(slash[1], '^');
    struct Row {
        std::string text;
        double spacing;
        double width;
        std::string measured;
        double measured_width;
    };
    const Row rows[] = {
        // No ending: both results are the text.
        { "AB", 0, 2, "AB", 2 },
        { "AB", 1, 2.5, "AB", 2.5 },
        // Compressed: all of it fits the width without the last k bytes.
        { "ABCD^2", 0, 2, "ABCD", 4 },
        // Spread: the whole text's width, the part before the dots.
        { "ABCDE" + dot + dot + dot, 0, 11, "ABCDE", 5 },
        // The dots' walk stays clear of the first four bytes.
        { "ABC" + dot + dot + dot, 0, 9, "ABC" + dot, 5 },
        { "ABC\xA5", 0, 4, "ABC", 3 },
        // A trail byte 0xA5 or "^" is not an ending.
        { "AB" + small_e, 0, 4, "AB" + small_e, 4 },
        { "AB" + slash + "3", 0, 5, "AB" + slash + "3", 5 },
        // A fit that would leave less than two bytes is dropped.
        { "AB^9", 0, 2, "AB", 2 },
        // Size and position codes: their bytes are cut off the end.
        { "^uA", 0, 1, "^", 1 },
        { "^u" + a, 0, 1, "^", 1 },
        // The cut falls into a double-byte character: a half-width "n".
        { "A^oB" + i + a, 0, 5, "A^oBn", 5 },
        { "A^oB" + i + a, 1, 7, "A^oBn", 7 },
        // More code bytes than the text has: nothing is left to measure.
        { "A^w^w^w^wXY", 1, 0, "", 0 },
        { "A^w^w^w^wXY^2", 1, 0, "", 0 },
        { "", 1, 0, "", 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const TKMoji text = TextOf(row.text, TBPoint(), TBPoint(), 2, 3, row.spacing);
        std::string measured = "untouched";
        double measured_width = -1;
        EXPECT_DOUBLE_EQ(text.GetTextWidthEx(measured, measured_width), row.width);
        EXPECT_EQ(measured, row.measured);
        EXPECT_DOUBLE_EQ(measured_width, row.measured_width);
        EXPECT_DOUBLE_EQ(text.GetTextWidth(), row.width);
    }
}

TEST(TextGeometry, StripControlCodes)
{
    const std::string dot = sj(u8"・"), a = sj(u8"あ"), small_e = sj(u8"ぇ");
    struct Row {
        std::string text;
        std::string stripped;
        int characters;
    };
    const Row rows[] = {
        { "A^!B", "AB", 2 },
        { "A^!^/B", "AB", 2 },
        { "A^_^-^#^%^\\^&B", "AB", 2 },
        { "A^$3B", "AB", 2 },
        { "A^$0B", "A^$0B", 5 },
        { "^*^u^^", "^u", 2 },      // codes between "^*" and "^^" are characters
        { "^*^!^^^!", "^!", 2 },
        { "^u", "^u", 2 },          // the whole text is the code: kept
        { "^uA", "A", 1 },
        { "^bA", "^bA", 3 },        // at the first byte: kept
        { "A^bB", "AB", 2 },
        { "^!^bA", "^bA", 3 },      // first again once the code before is gone
        { "A^oB", "AB", 2 },
        { "A^wXY", "AXY", 3 },
        { "A^w" + a, "A^w" + a, 4 },  // before a double-byte character: kept
        { "ABC" + dot + dot + dot, "ABC", 3 },
        { "AB^3" + dot + dot, "AB  ", 4 },
        { "ABC\xA5", "ABC", 3 },
        { "A\xA5", "A\xA5", 2 },    // too short for an ending
        { "AB" + small_e, "AB" + small_e, 3 },
        { "AB^m", "AB", 2 },
        { "AB^3", "AB", 2 },
        { "A^3B", "A^3B", 4 },
        { a + "^!", a, 1 },
        { "A\x82", "A\x82", 2 },
        { "^!^\\^$3", "", 0 },
        { "", "", 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        std::string stripped = "untouched";
        EXPECT_EQ(TKMoji::StripControlCodes(row.text, stripped), row.characters);
        EXPECT_EQ(stripped, row.stripped);
        const TKMoji text = TextOf(row.text, TBPoint(), TBPoint(), 2, 3, 0);
        EXPECT_EQ(text.GetCharCount(), row.characters);
        std::string own;
        EXPECT_EQ(text.StripOwnControlCodes(own), row.characters);
        EXPECT_EQ(own, row.stripped);
    }
}

TEST(TextGeometry, ClassifySpecialText)
{
    struct Row {
        const char* text;
        int expected;
    };
    const Row rows[] = {
        { "$y", 1 },  { "&m2", 1 }, { "_fa", 1 },    { "=f9", 1 },  { "%mm", 1 }, { "$ma", 1 }, { "$SP", 1 },
        { "$ss", 1 }, { "$Y", 1 },  { "&w", 1 },     { "%%name", 2 }, { "%%a", 2 }, { "$x", 0 }, { "$mb", 0 },
        { "$fg", 0 }, { "$xa", 0 }, { "$yy", 0 },    { "Ay", 0 },   { "$", 0 },   { "y", 0 },  { "", 0 },
        { "%%", 0 },  { "$y ", 0 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(TextOf(row.text, TBPoint(), TBPoint(), 1, 1, 0).ClassifySpecialText(), row.expected);
    }
}

TEST(TextGeometry, ShapeInfoExtentAndCrossPoints)
{
    const TZhdData document;
    const TKMoji text = TextOf("AB", TBPoint(0.0, 0.0), TBPoint(0.0, 2.0), 2, 3, 0, 90);
    const TShapeInfo info = text.GetShapeInfo(TBPoint());
    ASSERT_EQ(info.Values.size(), 2u);
    ASSERT_EQ(info.Angles.size(), 1u);
    EXPECT_DOUBLE_EQ(info.Values[0], 2);
    EXPECT_DOUBLE_EQ(info.Values[1], 3);
    EXPECT_DOUBLE_EQ(info.Angles[0].GetDegrees(), 90);

    TBPoint min(0.0, 0.0, 5), max(0.0, 0.0, 6);
    text.GetExtent(min, max, document, 1);
    EXPECT_POINT_NEAR(min, -3.0, 0.0, tolerance);
    EXPECT_POINT_NEAR(max, 0.0, 2.0, tolerance);
    EXPECT_EQ(min.GetTag(), 5);

    std::vector<TBPoint> points { TBPoint(1.0, 1.0, 3) };
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(-10.0, 1.0), TBPoint(10.0, 1.0));
    EXPECT_EQ(text.CrossPoints(line, document, points), 0);
    EXPECT_EQ(points.size(), 1u);
}

TEST(TextGeometry, NearestPointOnTheBoxOutline)
{
    const TZhdData document;
    // Box (0, 0)-(4, 3).
    const TKMoji text = TextOf("AB", TBPoint(0.0, 0.0), TBPoint(4.0, 0.0), 2, 3, 0);
    struct Row {
        TBPoint query;
        double x, y, distance;
    };
    const Row rows[] = {
        { TBPoint(2.0, -1.0), 2, 0, -1 },    // below the base line: right of it
        { TBPoint(5.0, 1.5), 4, 1.5, -1 },   // off the end edge, on its right
        { TBPoint(1.0, 2.5), 1, 3, 0.5 },    // inside, nearest the top (left of 8 -> 6)
        { TBPoint(10.0, 0.5), 10, 0, 0.5 },  // beyond an edge's end: still its line
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.query.GetX() << ", " << row.query.GetY());
        TBPoint point;
        double distance = 42;
        EXPECT_EQ(text.NearestPoint(row.query, document, point, distance), 1);
        EXPECT_POINT_NEAR(point, row.x, row.y, tolerance);
        EXPECT_NEAR(distance, row.distance, tolerance);
    }

    // Start and end together: only the two upright edges count.
    TBPoint point;
    double distance = 42;
    EXPECT_EQ(TKMoji().NearestPoint(TBPoint(2.0, 0.5), document, point, distance), 1);
    EXPECT_POINT_NEAR(point, 0.0, 0.5, tolerance);
    EXPECT_NEAR(std::fabs(distance), 2, tolerance);

    // Nothing to measure: 0, the distance 0 and the point untouched.
    const TKMoji broken = TextOf("AB", TBPoint(not_a_number, 0.0), TBPoint(not_a_number, 0.0), 2, 3, 0);
    for (const auto& [elem, query] :
        { std::pair { text, TBPoint(not_a_number, 1.0) }, std::pair { broken, TBPoint(1.0, 1.0) } }) {
        TBPoint untouched(7.0, 8.0);
        distance = 42;
        EXPECT_EQ(elem.NearestPoint(query, document, untouched, distance), 0);
        EXPECT_EQ(distance, 0);
        EXPECT_POINT_NEAR(untouched, 7.0, 8.0, 0.0);
    }
}

TEST(TextGeometry, NearestEndPointAmongTheBoxPoints)
{
    const TZhdData document;
    TKMoji text = TextOf("AB", TBPoint(0.0, 0.0, TKMoji::ItalicStyle), TBPoint(4.0, 0.0), 2, 3, 0);
    struct Row {
        TBPoint query;
        double x, y;
    };
    const Row rows[] = {
        { TBPoint(-1.0, -1.0), 0, 0 },
        { TBPoint(2.1, -0.2), 2, 0 },
        { TBPoint(1.0, 3.2), italic_lean_of_3, 3 },  // the leaning corner
        { TBPoint(9.0, 9.0), 4 + italic_lean_of_3, 3 },
    };
    for (const Row& row : rows) {
        TBPoint point;
        double distance = -1;
        EXPECT_EQ(text.NearestEndPoint(row.query, document, point, distance), 1);
        EXPECT_POINT_NEAR(point, row.x, row.y, tolerance);
        EXPECT_NEAR(distance, row.query.DistanceTo(TBPoint(row.x, row.y)), tolerance);
    }
    // An image text offers its image box's points too.
    text.SetTextString("^@BMpicture.bmp,10,10");
    TBPoint point;
    double distance = -1;
    EXPECT_EQ(text.NearestEndPoint(TBPoint(11.0, 11.0), document, point, distance), 1);
    EXPECT_POINT_NEAR(point, 10.0, 10.0, tolerance);
}

TEST(TextGeometry, MoveAndRotate)
{
    const TZhdData document;
    TKMoji text = TextOf("AB", TBPoint(1.0, 2.0, 3), TBPoint(3.0, 2.0), 2, 3, 0, 10);
    text.Move(1, -1, document);
    EXPECT_POINT_NEAR(text.GetStart(), 2.0, 1.0, 0.0);
    EXPECT_POINT_NEAR(text.GetEnd(), 4.0, 1.0, 0.0);
    EXPECT_EQ(text.GetStart().GetTag(), 3);

    text.Rotate(Degrees(90), document);
    EXPECT_POINT_NEAR(text.GetStart(), -1.0, 2.0, tolerance);
    EXPECT_POINT_NEAR(text.GetEnd(), -1.0, 4.0, tolerance);
    EXPECT_EQ(text.GetAngle().GetKind(), TAngle::KindDegrees);
    EXPECT_DOUBLE_EQ(text.GetAngle().GetDegrees(), 100);
    EXPECT_EQ(text.GetStart().GetTag(), 3);
}

TEST(TextGeometry, ScaleKeepsTheCentreAndReadingDirection)
{
    const TZhdData document;
    // 'AB' with W 2, D 1 is 2.5 wide; from (1, 1) its centre is (2.25, 2.5).
    {
        TKMoji text = FittedText("AB", TBPoint(1.0, 1.0, 2), 2, 3, 1, 0);
        text.Scale(2, 1, document);
        EXPECT_EQ(text.GetSize().GetWidth(), 4);
        EXPECT_EQ(text.GetSize().GetHeight(), 3);
        EXPECT_EQ(text.GetSize().GetSpacing(), 2);
        EXPECT_NEAR(text.GetAngle().GetRadians(), 0, tolerance);
        EXPECT_POINT_NEAR(text.GetStart(), 2.0, 1.0, tolerance);
        EXPECT_POINT_NEAR(text.GetEnd(), 7.0, 1.0, tolerance);
        EXPECT_POINT_NEAR(text.GetBoxPoint(4, 0, 0, 0), 4.5, 2.5, tolerance);
        EXPECT_EQ(text.GetStart().GetTag(), 2);
    }
    {
        // Mirrored: the direction turns back to reading direction, the sizes
        // stay positive.
        TKMoji text = FittedText("AB", TBPoint(1.0, 1.0, 2), 2, 3, 1, 0);
        text.Scale(-1, 1, document);
        EXPECT_NEAR(std::cos(text.GetAngle().GetRadians()), 1, tolerance);
        EXPECT_EQ(text.GetSize().GetWidth(), 2);
        EXPECT_EQ(text.GetSize().GetSpacing(), 1);
        EXPECT_POINT_NEAR(text.GetStart(), -3.5, 1.0, tolerance);
        EXPECT_POINT_NEAR(text.GetEnd(), -1.0, 1.0, tolerance);
        EXPECT_POINT_NEAR(text.GetBoxPoint(4, 0, 0, 0), -2.25, 2.5, tolerance);
        EXPECT_EQ(text.GetStart().GetTag(), 2);
    }
    // Any scaling: the centre lands on the scaled centre, the text reads
    // left to right and its end lies at its width.
    const double factors[][2] = { { 2, 1 }, { -1, 1 }, { 1, -2 }, { 0.5, 3 }, { -2, -2 } };
    for (double angle : { 0.0, 30.0, 120.0, -100.0 }) {
        for (const auto& factor : factors) {
            SCOPED_TRACE(testing::Message() << "angle " << angle << " by " << factor[0] << ", " << factor[1]);
            TKMoji text = FittedText("AB" + sj(u8"あ"), TBPoint(1.0, -2.0), 2, 3, 1, angle);
            const TBPoint centre = text.GetBoxPoint(4, 0, 0, 0);
            text.Scale(factor[0], factor[1], document);
            EXPECT_POINT_NEAR(text.GetBoxPoint(4, 0, 0, 0), centre.GetX() * factor[0], centre.GetY() * factor[1],
                              1e-9);
            EXPECT_GE(std::cos(text.GetAngle().GetRadians()), -1e-9) << text.GetAngle().GetDegrees();
            EXPECT_NEAR(text.GetStart().DistanceTo(text.GetEnd()), text.GetTextWidth(), 1e-9);
            EXPECT_GT(text.GetSize().GetWidth(), 0);
            EXPECT_GT(text.GetSize().GetHeight(), 0);
        }
    }
}

TEST(TextGeometry, NonFiniteSizesGiveNonFiniteAnswersWithoutFailing)
{
    const TZhdData document;
    const double infinity = std::numeric_limits<double>::infinity();
    TKMoji text = TextOf("AB^2", TBPoint(0.0, 0.0), TBPoint(1.0, 0.0), not_a_number, infinity, 0);
    EXPECT_TRUE(std::isnan(text.GetTextWidth()));
    TBPoint min, max;
    text.GetExtent(min, max, document, 0);
    text.Scale(2, 2, document);
    text.Rotate(Degrees(30), document);
    TBPoint point;
    double distance = 0;
    EXPECT_EQ(text.NearestEndPoint(TBPoint(1.0, 1.0), document, point, distance), 1);
    EXPECT_LE(text.LayoutPieces().size(), 4u);
}
