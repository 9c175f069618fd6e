// The element records of the external-command text form, kind by kind: what
// a record line gives in the running state, and the lines an element writes.

#include "document/ZhdData.h"
#include "core/Constants.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"
#include "platform/Errors.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

namespace {

TBitFlg Bits(std::initializer_list<int> bits)
{
    TBitFlg flags;
    for (int bit : bits)
        flags.SetBit(bit);
    return flags;
}

// The state's flag word as the flag lines "z" + N before a record leave it.
void SetFlagLines(TZhdData& document, std::initializer_list<int> flag_lines)
{
    document.SetGStatusFlags(Bits(flag_lines));
}

template <typename Elem>
Elem Read(TZhdData& document, const StringList& lines, int index = 0)
{
    Elem elem;
    document.SetHeaderLineCount(index);
    elem.ReadTextRecord(lines, document);
    return elem;
}

StringList Written(const TZhdElem& elem, TZhdData& document)
{
    StringList lines;
    elem.WriteTextRecord(lines, document);
    return lines;
}

TZhdData DocumentAtScale(double scale)
{
    TZhdData document;
    document.SetGStatusScale(scale);
    return document;
}

} // namespace

TEST(TextFormRecords, LineReadsAndWritesItsScaledPoints)
{
    TZhdData document = DocumentAtScale(2);
    const TKLine line = Read<TKLine>(document, { " 10 20 30 40" });
    EXPECT_EQ(line.GetStart(), TBPoint(5.0, 10.0));
    EXPECT_EQ(line.GetEnd(), TBPoint(15.0, 20.0));
    EXPECT_EQ(Written(line, document), (StringList { " 10 20 30 40" }));

    EXPECT_EQ(Read<TKLine>(document, { " x 2 4 y" }).GetEnd(), TBPoint(2.0, 0.0));
}

// Four fields leave the line at its defaults; the flag lines are used up, a
// pending instruction mark is not.
TEST(TextFormRecords, ShortLineRecordKeepsDefaults)
{
    TZhdData document;
    document.GetGStatusPtr().SetPenColor(5);
    document.SetInfoFlag(1, true);
    SetFlagLines(document, { 1 });
    const TKLine line = Read<TKLine>(document, { "0 0 10 10" });
    EXPECT_EQ(line.GetEnd(), TBPoint(0.0, 0.0));
    EXPECT_EQ(line.GetPenColor(), 1);
    EXPECT_EQ(document.GetGStatusFlags().GetValue(), 0u);
    EXPECT_EQ(document.TestInfoFlag(1), 1);
}

TEST(TextFormRecords, FlagLinesOfLines)
{
    TZhdData document;
    SetFlagLines(document, { 4 });
    TKLine line = Read<TKLine>(document, { " 0 0 1 1" });
    EXPECT_EQ(line.GetStatusFlg().GetValue(), Bits({ 15, 12 }).GetValue());
    EXPECT_EQ(Written(line, document).front(), "z4");
    EXPECT_EQ(Written(line, document).size(), 2u);

    SetFlagLines(document, { 1, 2, 3, 5 });
    line = Read<TKLine>(document, { " 0 0 1 1" });
    EXPECT_EQ(line.GetStatusFlg().GetValue(), Bits({ 5, 11, 13, 12 }).GetValue());
    EXPECT_EQ(Written(line, document), (StringList { "z1", "z2", "z3", "z5", " 0 0 1 1" }));

    // As a dimension's part, bit 13 goes without "z3".
    SetFlagLines(document, { 3 });
    EXPECT_EQ(Written(line, document), (StringList { "z1", "z2", "z5", " 0 0 1 1" }));
}

TEST(TextFormRecords, AttributeAndCurveGroupLines)
{
    TZhdData document;
    TKLine line;
    line.SetPlGroup(5);
    line.SetPenColor(3);
    line.SetPenWidth(7);
    EXPECT_EQ(Written(line, document), (StringList { "lc3", "lw7", "pl", " 0 0 0 0" }));
    EXPECT_EQ(Written(line, document), (StringList { " 0 0 0 0" }));
    line.SetPlGroup(0);
    EXPECT_EQ(Written(line, document), (StringList { "#", " 0 0 0 0" }));

    // A directive ends the group by itself: no "#".
    document.GetGStatusPtr().SetPlGroup(5);
    line.SetPenColor(4);
    EXPECT_EQ(Written(line, document), (StringList { "lc4", " 0 0 0 0" }));

    line.GetElemFlgPtr().SetBit(TZhdElem::InstructionMark);
    document.SetHeaderLineCount(6);
    EXPECT_EQ(Written(line, document).front(), "hhp7ln");
    EXPECT_EQ(document.GetHeaderLineCount(), 7);
}

TEST(TextFormRecords, InstructionMarkGoesToLinesArcsAndTextsOnly)
{
    TZhdData document;
    document.SetInfoFlag(1, true);
    const TKPoint point = Read<TKPoint>(document, { "pt 1 2" });
    EXPECT_FALSE(point.GetElemFlg().IsSet(TZhdElem::InstructionMark));
    EXPECT_FALSE(Read<TKSolid>(document, { "sl 0 0 1 1" }).GetElemFlg().IsSet(TZhdElem::InstructionMark));
    EXPECT_FALSE(Read<TKBlock>(document, { "BL 0 0 \"b" }).GetElemFlg().IsSet(TZhdElem::InstructionMark));
    EXPECT_EQ(document.TestInfoFlag(1), 1) << "still waiting for a line, an arc or a text";

    const TKCircle circle = Read<TKCircle>(document, { "ci 0 0 1" });
    EXPECT_TRUE(circle.GetElemFlg().IsSet(TZhdElem::InstructionMark));
    EXPECT_EQ(document.TestInfoFlag(1), 0);
    EXPECT_EQ(Written(circle, document).front(), "hhp1ci");

    document.SetInfoFlag(1, true);
    const TKMoji text = Read<TKMoji>(document, { "ch 0 0 1 0 \"a" });
    EXPECT_TRUE(text.GetElemFlg().IsSet(TZhdElem::InstructionMark));
    EXPECT_EQ(Written(text, document).front(), "hhp1ch");
}

TEST(TextFormRecords, ArcShapes)
{
    TZhdData document;
    TKCircle circle = Read<TKCircle>(document, { "ci 10 20 5" });
    EXPECT_EQ(circle.GetCenter(), TBPoint(10.0, 20.0));
    EXPECT_EQ(circle.GetRadius(), 5);
    EXPECT_EQ(circle.GetFullCircle(), 1);
    EXPECT_DOUBLE_EQ(circle.GetArcAngle().GetRadians(), 2 * Pi);
    EXPECT_EQ(circle.GetFlatness(), 1);
    EXPECT_EQ(Written(circle, document), (StringList { "ci 10 20 5" }));

    const TKCircle arc = Read<TKCircle>(document, { "ci 0 0 1 350 10 1 0" });
    EXPECT_DOUBLE_EQ(arc.GetStartAngle().GetDegrees(), 350);
    EXPECT_NEAR(arc.GetArcAngle().GetDegrees(), 20, 1e-12);
    EXPECT_EQ(arc.GetFullCircle(), 0);
    EXPECT_EQ(Written(arc, document), (StringList { "ci 0 0 1 350 10 1 0" }));

    // An end equal to the start is a closed outline.
    const TKCircle closed = Read<TKCircle>(document, { "ci 0 0 1 30 30 1 0" });
    EXPECT_DOUBLE_EQ(closed.GetArcAngle().GetDegrees(), 360);
    EXPECT_EQ(closed.GetFullCircle(), 1);

    TKCircle ellipse(TBPoint(0.0, 0.0), 4, TAngle(), Degrees(360), Degrees(30), 0.5, 1);
    EXPECT_EQ(Written(ellipse, document), (StringList { "ci 0 0 4 0 360 0.5 30" }));
    const TKCircle read_back = Read<TKCircle>(document, Written(ellipse, document));
    EXPECT_EQ(read_back.GetFullCircle(), 1);
    EXPECT_EQ(read_back.GetFlatness(), 0.5);

    // Five to seven fields read the missing numbers as 0.
    const TKCircle short_arc = Read<TKCircle>(document, { "ci 0 0 1 30" });
    EXPECT_NEAR(short_arc.GetArcAngle().GetDegrees(), 330, 1e-12);
    EXPECT_EQ(short_arc.GetFlatness(), 0);
}

TEST(TextFormRecords, FlagLinesOfArcs)
{
    TZhdData document;
    SetFlagLines(document, { 4 });
    TKCircle circle = Read<TKCircle>(document, { "ci 0 0 1" });
    EXPECT_EQ(circle.GetStatusFlg().GetValue(), Bits({ 15, 7 }).GetValue());
    EXPECT_EQ(Written(circle, document), (StringList { "z4", "ci 0 0 1" }));
    circle.SetStatusFlg(Bits({ 5, 4, 6, 7 }));
    EXPECT_EQ(Written(circle, document), (StringList { "z1", "z2", "z3", "z5", "ci 0 0 1" }));
}

TEST(TextFormRecords, PointsTakeTheStateOnlyWhileTheyRead)
{
    TZhdData document = DocumentAtScale(2);
    TStatusZHG& state = document.GetGStatusPtr();
    state.SetPenStyle(4);
    state.SetPenColor(6);
    state.SetTenColor(3);
    const TKPoint plain = Read<TKPoint>(document, { "pt 2 4" });
    EXPECT_EQ(plain.GetPos(), TBPoint(1.0, 2.0));
    EXPECT_EQ(plain.GetPenStyle(), 4);
    EXPECT_EQ(plain.GetPenColor(), 3);

    const TKPoint marker = Read<TKPoint>(document, { "pt 2 4 1.5 90    -7 " });
    EXPECT_TRUE(marker.IsMarker());
    EXPECT_EQ(marker.GetMarkerScale(), 1.5);
    EXPECT_DOUBLE_EQ(marker.GetMarkerAngle().GetDegrees(), 90);
    EXPECT_EQ(marker.GetMarkerCode(), -7);
    EXPECT_EQ(state.GetPenStyle(), 4);
    EXPECT_EQ(state.GetPenColor(), 6);

    EXPECT_THROW(Read<TKPoint>(document, { "pt 2 4 1.5 90 x" }), ConvertError);
    EXPECT_EQ(Read<TKPoint>(document, { "pt 2" }).GetPos(), TBPoint(1.0, 0.0));
}

TEST(TextFormRecords, MarkerCodesAreRightAlignedAndAlwaysSeparated)
{
    TZhdData document;
    document.GetGStatusPtr().SetTenColor(1);
    TKPoint marker;
    marker.SetPenStyle(TKPoint::MarkerPenStyle);
    marker.SetPoint(TBPoint(1.0, 2.0), 0, 3, Degrees(45), 0);
    EXPECT_EQ(Written(marker, document), (StringList { "pt 1 2 0 45    3 " }));
    marker.SetMarkerCode(-7);
    EXPECT_EQ(Written(marker, document), (StringList { "pt 1 2 0 45   -7 " }));
    marker.SetMarkerCode(123456);
    const StringList lines = Written(marker, document);
    EXPECT_EQ(Read<TKPoint>(document, lines).GetMarkerCode(), 123456);

    // The point's colour travels as the point colour.
    TKPoint coloured;
    coloured.SetPenColor(4);
    EXPECT_EQ(Written(coloured, document), (StringList { "pn4", "pt 0 0" }));
}

TEST(TextFormRecords, TextRecord)
{
    TZhdData document;
    TStatusZHG& state = document.GetGStatusPtr();
    state.SetMojiShu(30003);
    state.SetMoji(TZhdaMoji(2, 3, 0.5, 7));
    state.SetMojiFont("F");
    state.SetPenStyle(5);
    TKMoji text = Read<TKMoji>(document, { "ch 10 20 30 0 \"A \"B\"" });
    EXPECT_EQ(text.GetStart(), TBPoint(10.0, 20.0));
    EXPECT_EQ(text.GetStart().GetTag(), 3);
    EXPECT_EQ(text.GetEnd(), TBPoint(40.0, 20.0));
    EXPECT_EQ(text.GetAngle().GetRadians(), 0);
    EXPECT_EQ(text.GetTextString(), "A \"B\"");
    EXPECT_EQ(text.GetKind(), 3);
    EXPECT_EQ(text.GetFontName(), "F");
    EXPECT_EQ(text.GetSize().GetHeight(), 3);
    EXPECT_EQ(text.GetPenColor(), 7);
    EXPECT_EQ(text.GetPenStyle(), 1);
    EXPECT_EQ(state.GetPenStyle(), 5);
    EXPECT_EQ(state.GetPenColor(), 1);

    document.SetGStatusScale(2);
    EXPECT_EQ(Written(text, document), (StringList { "ch 20 40 60 0 \"A \"B\"" }));

    // No double quote: the whole line is the text; missing numbers are 0.
    const TKMoji bare = Read<TKMoji>(document, { "ch 4" });
    EXPECT_EQ(bare.GetTextString(), "ch 4");
    EXPECT_EQ(bare.GetStart(), TBPoint(2.0, 0.0));
    EXPECT_EQ(bare.GetEnd(), TBPoint(2.0, 0.0));
}

TEST(TextFormRecords, TextPrefixesAndFlagLines)
{
    TZhdData document;
    SetFlagLines(document, { 1, 2, 3, 4, 5 });
    TKMoji text = Read<TKMoji>(document, { "cv 0 0 0 1 \"" + sj(u8"縦") });
    EXPECT_EQ(text.GetStatusFlg().GetValue(), Bits({ 5, 11, 14, 13 }).GetValue());
    EXPECT_DOUBLE_EQ(text.GetAngle().GetDegrees(), 90);
    EXPECT_EQ(text.GetTextString(), sj(u8"縦"));
    StringList lines = Written(text, document);
    EXPECT_EQ(StringList(lines.end() - 4, lines.end()),
              (StringList { "z2", "z3", "z5", "cv 0 0 0 1 \"" + sj(u8"縦") }));

    // The first prefix bit in order wins; with none the prefix is "ch".
    text.SetStatusFlg(Bits({ 15, 12, 4 }));
    EXPECT_EQ(Written(text, document).back().substr(0, 3), "cs ");
    text.SetStatusFlg(Bits({ 15, 12 }));
    EXPECT_EQ(Written(text, document).back().substr(0, 3), "ct ");
    text.SetStatusFlg(TBitFlg());
    EXPECT_EQ(Written(text, document).back().substr(0, 3), "ch ");
}

TEST(TextFormRecords, PlainSolids)
{
    TZhdData document;
    TKSolid solid = Read<TKSolid>(document, { "sl 0 0 10 0 10 10" });
    EXPECT_EQ(solid.GetPoint3(), TBPoint(10.0, 10.0));
    EXPECT_EQ(solid.GetPoint4(), TBPoint(10.0, 10.0));
    EXPECT_EQ(Written(solid, document), (StringList { "sl 0 0 10 0 10 10" }));

    solid = Read<TKSolid>(document, { "sl 0 0 10 0" });
    EXPECT_EQ(solid.GetPoint3(), TBPoint(10.0, 0.0));
    EXPECT_EQ(solid.GetPoint4(), TBPoint(10.0, 0.0));
    EXPECT_EQ(Written(solid, document), (StringList { "sl 0 0 10 0" }));

    // A third corner on the first is left out, so the fourth reads back in
    // its place.
    solid.SetSolid(TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(0.0, 0.0), TBPoint(5.0, 5.0), 0);
    EXPECT_EQ(Written(solid, document), (StringList { "sl 0 0 10 0 5 5" }));
    const TKSolid read_back = Read<TKSolid>(document, Written(solid, document));
    EXPECT_EQ(read_back.GetPoint3(), TBPoint(5.0, 5.0));
    EXPECT_EQ(read_back.GetPoint4(), TBPoint(5.0, 5.0));

    // Other short records read their missing numbers as 0.
    EXPECT_EQ(Read<TKSolid>(document, { "sl 1 2 3 4 5" }).GetPoint3(), TBPoint(5.0, 0.0));
    EXPECT_EQ(Read<TKSolid>(document, { "sl 1" }).GetPoint2(), TBPoint(0.0, 0.0));
}

TEST(TextFormRecords, ArcSolidsScaleOnlyTheirLengths)
{
    TZhdData document = DocumentAtScale(2);
    document.GetGStatusPtr().SetPenStyle(3);
    const TKSolid disc = Read<TKSolid>(document, { "sc 0 0 10 1 0 0 0 100" });
    EXPECT_EQ(disc.GetPenStyle(), 101);
    EXPECT_EQ(disc.GetPoint2(), TBPoint(5.0, 1.0));
    EXPECT_EQ(disc.GetPoint4(), TBPoint(0.0, 100.0));
    EXPECT_EQ(document.GetGStatusPtr().GetPenStyle(), 3);
    EXPECT_EQ(Written(disc, document), (StringList { "sc 0 0 10 1 0 0 0 100" }));

    const TKSolid ring = Read<TKSolid>(document, { "so 2 2 10 1 0.5 0 1 8" });
    EXPECT_EQ(ring.GetPenStyle(), 105);
    EXPECT_EQ(ring.GetPoint1(), TBPoint(1.0, 1.0));
    EXPECT_EQ(ring.GetPoint3(), TBPoint(0.5, 0.0));
    EXPECT_EQ(ring.GetPoint4(), TBPoint(1.0, 4.0));
    EXPECT_EQ(Written(ring, document), (StringList { "so 2 2 10 1 0.5 0 1 8" }));
    EXPECT_EQ(Read<TKSolid>(document, { "sg 0 0 2 1 0 0 0 2" }).GetPenStyle(), 106);
    EXPECT_EQ(Read<TKSolid>(document, { "se 0 0 2 1 0 0 0 2" }).GetPenStyle(), 111);
}

TEST(TextFormRecords, SolidColourAndFlagLine)
{
    TZhdData document;
    TStatusZHG& state = document.GetGStatusPtr();
    state.SetSolidColor(255);
    SetFlagLines(document, { 1, 2, 4 });
    const TKSolid plain = Read<TKSolid>(document, { "sl 0 0 1 1" });
    EXPECT_EQ(plain.GetColor(), 0);
    EXPECT_EQ(plain.GetStatusFlg().GetValue(), Bits({ 5 }).GetValue());

    state.SetPenColor(10);
    const TKSolid own = Read<TKSolid>(document, { "sl 0 0 1 1" });
    EXPECT_EQ(own.GetColor(), 255);

    TKSolid written = own;
    written.SetColor(0x00FF00);
    written.SetStatusFlg(Bits({ 5, 11, 15 }));
    EXPECT_EQ(Written(written, document), (StringList { "lc10 65280", "z1", "sl 0 0 1 1" }));
}

TEST(TextFormRecords, BlockReferences)
{
    TZhdData document = DocumentAtScale(2);
    SetFlagLines(document, { 1, 2, 3, 4, 5 });
    const TKBlock block = Read<TKBlock>(document, { "BL 10 20 \"Door A" });
    EXPECT_EQ(block.GetPos(), TBPoint(5.0, 10.0));
    EXPECT_EQ(block.GetStatusFlg().GetValue(), Bits({ 11, 13, 12 }).GetValue());
    EXPECT_EQ(document.GetBlockNameByNumber(static_cast<std::uint32_t>(block.GetBlockNumber())), "Door A");
    EXPECT_EQ(Read<TKBlock>(document, { "BL 0 0 \"Door A" }).GetBlockNumber(), block.GetBlockNumber());
    EXPECT_EQ(document.GetBlockDefinesPtr().Count(), 1);
    EXPECT_EQ(Written(block, document), (StringList { "z2", "z3", "z5", "BL 10 20 \"Door A", "#" }));

    TKBlock flagged = block;
    flagged.SetStatusFlg(Bits({ 15, 12, 5 }));
    EXPECT_EQ(Written(flagged, document), (StringList { "z4", "BL 10 20 \"Door A", "#" }));

    // Without a double quote the whole line names the definition.
    const TKBlock bare = Read<TKBlock>(document, { "BL 4" });
    EXPECT_EQ(bare.GetPos(), TBPoint(2.0, 0.0));
    EXPECT_EQ(document.GetBlockNameByNumber(static_cast<std::uint32_t>(bare.GetBlockNumber())), "BL 4");
}

TEST(TextFormRecords, DimensionBlock)
{
    TZhdData document;
    const StringList block { "msg", "lc2", " 0 0 10 0", "lc9", "cs 4 1 2 0 \"10", "#" };
    const TKSunpou dimension = Read<TKSunpou>(document, block);
    EXPECT_EQ(document.GetHeaderLineCount(), 4);
    EXPECT_EQ(dimension.GetStatusFlg().GetValue(), Bits({ 13 }).GetValue());
    EXPECT_EQ(dimension.GetLine().GetStatusFlg().GetValue(), Bits({ 13 }).GetValue());
    EXPECT_EQ(dimension.GetLine().GetPenColor(), 2);
    EXPECT_EQ(dimension.GetLine().GetEnd(), TBPoint(10.0, 0.0));
    EXPECT_EQ(dimension.GetMoji().GetStatusFlg().GetValue(), Bits({ 14, 4 }).GetValue());
    EXPECT_EQ(dimension.GetMoji().GetTextString(), "10");
    EXPECT_EQ(document.GetGStatusPtr().GetPenColor(), 9);
    EXPECT_EQ(document.GetGStatusFlags().GetValue(), 0u);

    // Written back in a fresh state: no "z3" for either part.
    TZhdData writer;
    const StringList lines = Written(dimension, writer);
    EXPECT_EQ(lines, (StringList { "msg", "lc2", " 0 0 10 0", "cs 4 1 2 0 \"10", "#" }));
}

// Every dimension the writer gives reads back whole: parts in another curve
// group, or a text without the dimension-text bit, would otherwise put a "#"
// into the block or a text the reader cannot find.
TEST(TextFormRecords, DimensionsAlwaysReadBack)
{
    TKSunpou dimension;
    dimension.SetPlGroup(3);
    TKLine line;
    line.SetLine(TBPoint(0.0, 0.0), TBPoint(5.0, 0.0));
    dimension.SetLine(line);
    TKMoji text;
    text.SetTextString("5");
    text.SetPlGroup(8);
    dimension.SetMoji(text);

    TZhdData writer;
    writer.GetGStatusPtr().SetPlGroup(3);
    const StringList lines = Written(dimension, writer);
    EXPECT_EQ(lines, (StringList { "msg", " 0 0 5 0", "cs 0 0 0 0 \"5", "#" }));

    TZhdData reader;
    const TKSunpou read_back = Read<TKSunpou>(reader, lines);
    EXPECT_EQ(read_back.GetMoji().GetTextString(), "5");
    EXPECT_EQ(read_back.GetLine().GetEnd(), TBPoint(5.0, 0.0));
}
