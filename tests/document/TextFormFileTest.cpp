// The external-command text file as a whole: a golden file written by hand
// for the writer and the round trip, line ends, the load's steps, failures
// that leave the document as it was, and the writer's trailing sections.

#include "document/ZhdData.h"

#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"
#include "platform/Errors.h"
#include "platform/ShiftJis.h"
#include "tests/document/DrawingFixture.h"
#include "tests/document/TextFormFixture.h"
#include "tests/support/TempDir.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

template <typename Elem>
boost::shared_ptr<Elem> MakeElem(int group, int layer, int color, int style = 1)
{
    auto elem = boost::make_shared<Elem>();
    elem->SetGLayer(static_cast<std::uint16_t>(group));
    elem->SetLayer(static_cast<std::uint16_t>(layer));
    elem->SetPenColor(static_cast<std::uint16_t>(color));
    elem->SetPenStyle(static_cast<std::uint8_t>(style));
    return elem;
}

TBitFlg Bits(std::initializer_list<int> bits)
{
    TBitFlg flags;
    for (int bit : bits)
        flags.SetBit(bit);
    return flags;
}

void MarkAsInstruction(TZhdElem& elem)
{
    elem.GetElemFlgPtr().SetBit(TZhdElem::InstructionMark);
}

TKMoji Text(TBPoint start, TBPoint end, TZhdaMoji size, int kind, const std::string& font, const std::string& text)
{
    return TKMoji(start, end, size, kind, TAngle(), font, text);
}

void SetUpGoldenHeader(TZhdData& document)
{
    TZhdHead& head = document.GetHeadPtr();
    head.SetFileName("C:\\dwg\\plan a.zhd");
    head.SetGroupScale(1, 100);
    TVect<TZhdaMoji> kinds = head.GetTextKinds();
    kinds.Set(1, TZhdaMoji(2.5, 2.5, 0, 1));
    kinds.Set(2, TZhdaMoji(3, 3, 0.5, 2));
    head.SetTextKinds(kinds);
    head.SetLatitude(35.5);
    head.SetShadowSurfaceHeight(1.5);
    head.SetShadow9To15(1);

    TInfoZHG& info = document.GetInfoZhgPtr();
    info.SetAngle(Degrees(90));
    info.SetHnPoint2(TBPoint(1000.0, 0.0));
    TVect<TBPoint> points = info.GetPoints();
    TVect<std::string> names = info.GetPointNames();
    points.Append(TBPoint(10.0, 20.0));
    names.Append("hpA");
    info.SetPoints(points);
    info.SetPointNames(names);
    info.SetFlag(0, true);
    info.SetFlag(3, true);
    info.SetHeText("OK");

    // As a loaded header leaves it: kind 1's style and no point colour.
    TStatusZHG& state = document.GetKStatusPtr();
    state.SetMojiShu(1);
    state.SetMoji(TZhdaMoji(2.5, 2.5, 0, 1));
    state.SetMojiFont(sj(u8"ＭＳ ゴシック"));
    state.SetTenColor(0);
}

void AddGoldenLinesAndArcs(TZhdElemList& list)
{
    auto first = MakeElem<TKLine>(0, 0, 1);
    first->SetLine(TBPoint(0.0, 0.0), TBPoint(1000.0, 2.5));
    MarkAsInstruction(*first);
    list.Append(first);
    auto second = MakeElem<TKLine>(0, 0, 2);
    second->SetPlGroup(5);
    second->SetStatusFlg(Bits({ 15, 12 }));
    second->SetLine(TBPoint(10.0, 10.0), TBPoint(20.0, 10.0));
    list.Append(second);
    auto third = MakeElem<TKLine>(0, 0, 2);
    third->SetPlGroup(5);
    third->SetStatusFlg(Bits({ 12 }));
    third->SetLine(TBPoint(20.0, 10.0), TBPoint(20.0, 20.0));
    list.Append(third);

    auto circle = MakeElem<TKCircle>(0, 0, 3);
    circle->SetCenter(TBPoint(50.0, 50.0));
    circle->SetRadius(10);
    MarkAsInstruction(*circle);
    list.Append(circle);
    auto arc = MakeElem<TKCircle>(0, 2, 3);
    arc->SetCircle(TBPoint(0.0, 0.0), 5, Degrees(30), Degrees(90), TAngle(), 1.0, 0);
    arc->SetStatusFlg(Bits({ 5 }));
    list.Append(arc);
    auto ellipse = MakeElem<TKCircle>(0, 2, 3);
    ellipse->SetCircle(TBPoint(100.0, 0.0), 20, TAngle(), Degrees(360), Degrees(45), 0.5, 1);
    list.Append(ellipse);
}

void AddGoldenPointsAndTexts(TZhdElemList& list)
{
    auto point = MakeElem<TKPoint>(0, 2, 4);
    point->SetPos(TBPoint(5.0, 5.0));
    list.Append(point);
    auto marker = MakeElem<TKPoint>(0, 2, 4, TKPoint::MarkerPenStyle);
    marker->SetPoint(TBPoint(6.0, 6.0), 0, 3, Degrees(45), 2.0);
    list.Append(marker);

    auto room = MakeElem<TKMoji>(0, 2, 1);
    room->AssignMoji(Text(TBPoint(0.0, 100.0), TBPoint(30.0, 100.0), TZhdaMoji(2.5, 2.5, 0, 1), 1,
                          sj(u8"ＭＳ ゴシック"), sj(u8"部屋Ａ")));
    MarkAsInstruction(*room);
    list.Append(room);
    auto vertical = MakeElem<TKMoji>(0, 2, 2);
    vertical->AssignMoji(
        Text(TBPoint(0.0, 0.0, 1), TBPoint(0.0, 40.0), TZhdaMoji(4, 5, 0.5, 2), 0, "Arial", "ABC"));
    vertical->SetStatusFlg(Bits({ 5 }));
    list.Append(vertical);
}

void AddGoldenSolidsBlockAndDimension(TZhdData& document)
{
    TZhdElemList& list = document.GetElemListPtr();
    auto solid = MakeElem<TKSolid>(0, 3, 10);
    solid->SetSolid(TBPoint(0.0, 0.0), TBPoint(10.0, 0.0), TBPoint(10.0, 10.0), TBPoint(10.0, 10.0), 255);
    solid->SetStatusFlg(Bits({ 5 }));
    list.Append(solid);
    auto disc = MakeElem<TKSolid>(0, 3, 10, 101);
    disc->SetSolid(TBPoint(0.0, 0.0), TBPoint(5.0, 1.0), TBPoint(0.0, 0.0), TBPoint(0.0, 100.0), 255);
    list.Append(disc);

    auto block = MakeElem<TKBlock>(1, 0, 1);
    block->SetPos(TBPoint(1.0, 2.0));
    block->SetStatusFlg(Bits({ 11 }));
    block->SetBlockNumber(static_cast<int>(document.GetBlockNumberByName("door")));
    list.Append(block);

    auto dimension = MakeElem<TKSunpou>(1, 0, 1);
    TKLine line(*MakeElem<TKLine>(1, 0, 2), TBPoint(0.0, 0.0), TBPoint(1.0, 0.0));
    dimension->SetLine(line);
    TKMoji text = Text(TBPoint(0.0, 0.02), TBPoint(0.1, 0.02), TZhdaMoji(2.5, 2.5, 0, 1), 1,
                       sj(u8"ＭＳ ゴシック"), "100");
    text.SetGLayer(1);
    dimension->SetMoji(text);
    list.Append(dimension);
}

// The drawing the golden file describes, element by element.
TZhdData GoldenDocument()
{
    TZhdData document;
    SetUpGoldenHeader(document);
    AddGoldenLinesAndArcs(document.GetElemListPtr());
    AddGoldenPointsAndTexts(document.GetElemListPtr());
    AddGoldenSolidsBlockAndDimension(document);
    return document;
}

std::string GoldenBytes()
{
    return ReadFileBytes(TestDataPath("text_form_golden.txt"));
}

const TZhdElem& ElemAt(TZhdData& document, int index)
{
    return *document.GetElemListPtr().GetAt(index);
}

} // namespace

TEST(TextFormFile, WriterGivesTheGoldenFile)
{
    TZhdData document = GoldenDocument();
    const TempDir folder;
    const std::string path = folder.File("zhc_temp.txt").string();
    ASSERT_EQ(document.SaveZhcText(path), TSaveStatus::Saved);
    EXPECT_EQ(ReadFileBytes(path), GoldenBytes());
}

TEST(TextFormFile, GoldenFileLoadsAndSavesToTheSameBytes)
{
    TZhdData document;
    const TLoadResult result = document.LoadZhcText(TestDataPath("text_form_golden.txt").string());
    ASSERT_EQ(result.status, TLoadStatus::Loaded);

    EXPECT_EQ(document.GetHeadPtr().GetFileName(), "C:\\dwg\\plan a.zhd");
    ASSERT_EQ(document.GetElemListPtr().Size(), 14);
    EXPECT_EQ(ElemAt(document, 1).GetPlGroup(), ElemAt(document, 2).GetPlGroup());
    EXPECT_NE(ElemAt(document, 1).GetPlGroup(), 0u);
    EXPECT_EQ(document.GetInstructionList().Size(), 3);
    const auto& block = static_cast<const TKBlock&>(ElemAt(document, 12));
    EXPECT_EQ(block.GetPos(), TBPoint(1.0, 2.0));
    EXPECT_EQ(document.GetBlockNameByNumber(static_cast<std::uint32_t>(block.GetBlockNumber())), "door");

    // Reading never sets the writer's switches or the reply.
    document.SetInfoFlag(0, true);
    document.SetInfoFlag(3, true);
    document.SetHeText("OK");
    const TempDir folder;
    const std::string path = folder.File("zhc_temp.txt").string();
    ASSERT_EQ(document.SaveZhcText(path), TSaveStatus::Saved);
    EXPECT_EQ(ReadFileBytes(path), GoldenBytes());
}

TEST(TextFormFile, AnyRunOfLineEndsEndsALine)
{
    for (const std::string& bytes : { std::string("a\r\nb\r\n"), std::string("a\nb"), std::string("a\r\r\nb\n\n"),
                                      std::string("\r\na\rb\r\n") }) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(TTextLines(bytes).lines, (StringList { "a", "b" }));
    }
    // Line numbers count the file's lines, blank ones included.
    const TTextLines split("a\r\n\r\nb\n\rc\r\r\n");
    EXPECT_EQ(split.line_numbers, (std::vector<int> { 1, 3, 5 }));
    EXPECT_EQ(split.ConversionErrorAt(2), TLoadResult(TLoadStatus::ConversionError, 5, "c"));
    // The text ends at the first zero byte.
    EXPECT_EQ(TTextLines(std::string("a\r\nb\0c\r\nd", 9)).lines, (StringList { "a", "b" }));
}

TEST(TextFormFile, SmallestFileGivesAFileNameAndOneLine)
{
    TZhdData document;
    ASSERT_EQ(LoadTextLines(document, { "file=a.zhd", "#", " 0 0 10 10" }).status, TLoadStatus::Loaded);
    EXPECT_EQ(document.GetHeadPtr().GetFileName(), "a.zhd");
    EXPECT_EQ(document.GetHeaderLineCount(), 2);
    ASSERT_EQ(document.GetElemListPtr().Size(), 1);
    const auto& line = static_cast<const TKLine&>(ElemAt(document, 0));
    EXPECT_EQ(line.GetEnd(), TBPoint(10.0, 10.0));
}

TEST(TextFormFile, InstructionElementsAreSharedWithTheInstructionList)
{
    const StringList file { "hpA 1 2", "#", "hhp1ln", " 0 0 1 1", " 1 1 2 2" };
    TZhdData document;
    ASSERT_EQ(LoadTextLines(document, file).status, TLoadStatus::Loaded);
    ASSERT_EQ(document.GetInstructionList().Size(), 1);
    EXPECT_EQ(document.GetInstructionList().GetAt(0), document.GetElemListPtr().GetAt(0));
    EXPECT_TRUE(ElemAt(document, 0).GetElemFlg().IsSet(TZhdElem::InstructionMark));
    EXPECT_FALSE(ElemAt(document, 1).GetElemFlg().IsSet(TZhdElem::InstructionMark));
    EXPECT_EQ(document.TestInfoFlag(1), 0);

    // A second load appends instructions and named points, but replaces the
    // elements.
    ASSERT_EQ(LoadTextLines(document, file).status, TLoadStatus::Loaded);
    EXPECT_EQ(document.GetElemListPtr().Size(), 2);
    EXPECT_EQ(document.GetInstructionList().Size(), 2);
    EXPECT_EQ(document.GetInfoZhgPtr().GetPointNames().Count(), 3);
}

TEST(TextFormFile, CurveGroupsRunUntilADirective)
{
    TZhdData document;
    ASSERT_EQ(LoadTextLines(document, { "#", "pl", " 0 0 1 1", " 1 1 2 2", "lc2", " 2 2 3 3", "pl", " 3 3 4 4",
                                        "#", " 4 4 5 5" })
                  .status,
              TLoadStatus::Loaded);
    ASSERT_EQ(document.GetElemListPtr().Size(), 5);
    const std::uint32_t first = ElemAt(document, 0).GetPlGroup();
    EXPECT_NE(first, 0u);
    EXPECT_EQ(ElemAt(document, 1).GetPlGroup(), first);
    EXPECT_EQ(ElemAt(document, 2).GetPlGroup(), 0u);
    EXPECT_NE(ElemAt(document, 3).GetPlGroup(), 0u);
    EXPECT_NE(ElemAt(document, 3).GetPlGroup(), first);
    EXPECT_EQ(ElemAt(document, 4).GetPlGroup(), 0u);
}

TEST(TextFormFile, WithoutAHashLineTheHeaderLinesAreReadAgainAsElements)
{
    TZhdData document;
    ASSERT_EQ(LoadTextLines(document, { "lc3", " 0 0 1 1" }).status, TLoadStatus::Loaded);
    ASSERT_EQ(document.GetElemListPtr().Size(), 1);
    EXPECT_EQ(ElemAt(document, 0).GetPenColor(), 3);
}

TEST(TextFormFile, EditableLayersBecomeWritable)
{
    TZhdData document;
    TZhdHead& head = document.GetHeadPtr();
    for (int g = 0; g < TZhdHead::GroupCount; ++g) {
        TZhdGrp group = head.GetGroup(g);
        for (int l = 0; l < TZhdGrp::LayerCount; ++l) {
            TZhdLay layer = group.GetLayer(l);
            layer.SetState(g == 1 && (l == 2 || l == 5) ? 2 : 1);
            group.SetLayer(l, layer);
        }
        head.SetGroup(g, group);
    }
    ASSERT_EQ(LoadTextLines(document, { "lg0", "ly3", "#" }).status, TLoadStatus::Loaded);
    EXPECT_EQ(head.GetGroup(1).GetWriteLayer(), 5);
    EXPECT_EQ(head.GetLayerState(1, 2), 3);
    EXPECT_EQ(head.GetLayerState(1, 5), 3);
    EXPECT_EQ(head.GetLayerState(1, 4), 1);
    EXPECT_EQ(head.GetGroupState(0), 3);
    EXPECT_EQ(head.GetGroup(0).GetWriteLayer(), 3);
    EXPECT_EQ(head.GetLayerState(0, 3), 3);
}

// A state whose group or layer lies outside the tables makes no write target.
TEST(TextFormFile, StateOutsideTheTablesTouchesNoGroup)
{
    TZhdData document;
    document.GetKStatusPtr().SetGLayer(20);
    document.GetKStatusPtr().SetLayer(3);
    const TZhdHead before = document.GetHeadPtr();
    ASSERT_EQ(LoadTextLines(document, { "#" }).status, TLoadStatus::Loaded);
    for (int g = 0; g < TZhdHead::GroupCount; ++g)
        EXPECT_EQ(document.GetHeadPtr().GetGroupState(g), before.GetGroupState(g));
}

// A conversion error names the failing line of the file and changes nothing.
TEST(TextFormFile, ConversionErrorLeavesTheDocumentAsItWas)
{
    struct Case {
        StringList lines;
        int line_number;
    };
    const Case cases[] = {
        { { "file=b.zhd", "lcx", "#" }, 2 },
        { { "hcc 1 a", "#" }, 1 },
        { { "hzk 35 -23 0 x", "#" }, 1 },
        { { "#", " 0 0 1 1", "z" }, 3 },
        { { "#", "zx", " 0 0 1 1" }, 2 },
        { { "#", "lt" }, 2 },
        { { "#", "pt 1 2 1 0 x" }, 2 },
        { { "#", "cn" }, 2 },
        { { "#", "ly1 3" }, 2 },
        // Inside a dimension's block the directive's own line is named.
        { { "#", "msg", "lc2", "lwx", " 0 0 1 0", "cs 0 0 1 0 \"1", "#" }, 4 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(JoinTextFormLines(c.lines));
        TZhdData document;
        ASSERT_EQ(LoadTextLines(document, { "file=a.zhd", "#", " 0 0 5 5" }).status, TLoadStatus::Loaded);
        // A blank line before the file's lines shifts the numbers by one.
        const std::string bytes = "\r\n" + JoinTextFormLines(c.lines);
        const TLoadResult result = document.LoadZhcTextFromBytes(bytes);
        EXPECT_EQ(result.status, TLoadStatus::ConversionError);
        EXPECT_EQ(result.line_number, c.line_number + 1);
        EXPECT_EQ(result.line_text, c.lines[static_cast<std::size_t>(c.line_number - 1)]);
        EXPECT_EQ(document.GetHeadPtr().GetFileName(), "a.zhd");
        ASSERT_EQ(document.GetElemListPtr().Size(), 1);
        EXPECT_EQ(static_cast<const TKLine&>(ElemAt(document, 0)).GetEnd(), TBPoint(5.0, 5.0));
        EXPECT_EQ(document.GetBlockDefinesPtr().Count(), 0);
        EXPECT_EQ(document.GetGStatusPtr().GetPenColor(), 1);
    }
}

// A dimension whose block lacks a record ends at its "#" or at the end of the
// lines; the records after it are read as elements of their own.
TEST(TextFormFile, IncompleteDimensionsEndAtTheirBlock)
{
    TZhdData document;
    ASSERT_EQ(LoadTextLines(document, { "#", "msg", " 0 0 1 0", "#", "ch 0 0 1 0 \"x", "msg", "lc2", "#",
                                        " 5 5 6 6", "msg" })
                  .status,
              TLoadStatus::Loaded);
    const TZhdElemList& list = document.GetElemListPtr();
    ASSERT_EQ(list.Size(), 5);
    EXPECT_EQ(list.GetAt(0)->GetTypeCode(), TZhdElem::SunpouCode);
    const auto& first = static_cast<const TKSunpou&>(*list.GetAt(0));
    EXPECT_EQ(first.GetLine().GetEnd(), TBPoint(1.0, 0.0));
    EXPECT_EQ(first.GetMoji().GetTextString(), "");
    EXPECT_EQ(list.GetAt(1)->GetTypeCode(), TZhdElem::MojiCode);
    EXPECT_EQ(list.GetAt(2)->GetTypeCode(), TZhdElem::SunpouCode);
    EXPECT_EQ(list.GetAt(3)->GetTypeCode(), TZhdElem::LineCode);
    // The colour set inside the block stays for what follows.
    EXPECT_EQ(list.GetAt(3)->GetPenColor(), 2);
    EXPECT_EQ(list.GetAt(4)->GetTypeCode(), TZhdElem::SunpouCode);
}

// Group scales that cannot divide coordinates read as 1.
TEST(TextFormFile, ScaleOfZeroOrBelowIsOne)
{
    TZhdData document;
    ASSERT_EQ(LoadTextLines(document, { "hs 0 -2 4", "#", "lg0", " 2 2 4 4", "lg1", " 2 2 4 4", "lg2", " 2 2 4 4" })
                  .status,
              TLoadStatus::Loaded);
    ASSERT_EQ(document.GetElemListPtr().Size(), 3);
    EXPECT_EQ(static_cast<const TKLine&>(ElemAt(document, 0)).GetEnd(), TBPoint(4.0, 4.0));
    EXPECT_EQ(static_cast<const TKLine&>(ElemAt(document, 1)).GetEnd(), TBPoint(4.0, 4.0));
    EXPECT_EQ(static_cast<const TKLine&>(ElemAt(document, 2)).GetEnd(), TBPoint(1.0, 1.0));
}

TEST(TextFormFile, StateSectionFollowsTheElementsAndNothingElse)
{
    TZhdData document;
    document.SetInfoFlag(0, true);
    document.SetInfoFlag(3, true);
    document.GetElemListPtr().Append(boost::make_shared<TKLine>());
    const StringList lines = WrittenTextLines(document);
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines.front(), "hd");
    const StringList tail(lines.end() - 12, lines.end());
    EXPECT_EQ(tail, (StringList { "#", " 0 0 0 0", "#", "#", "lg0", "ly0", "lc1", "lt1", "lw0", "cn1", "cn\"$<>",
                                  "#" }));
}

TEST(TextFormFile, ReplyLines)
{
    struct Case {
        int hr_flag;
        std::string slash, he, hash;
        StringList tail;
    };
    const Case cases[] = {
        { 0, "", "OK", "NG", { "#", "he OK " } },
        { 0, "", "", "NG", { "#", "h# NG " } },
        { 1, "x", "", "", { "#", "hr" } },
        { 0, "x", "", "", { "#", "h/x" } },
        { 0, "", "", "", { "#", "#" } },
    };
    for (const Case& c : cases) {
        TZhdData document;
        document.SetHrFlag(c.hr_flag);
        document.SetHSlashText(c.slash);
        document.SetHeText(c.he);
        document.SetHHashText(c.hash);
        const StringList lines = WrittenTextLines(document);
        EXPECT_EQ(StringList(lines.end() - 2, lines.end()), c.tail) << c.he << c.hash << c.slash;
    }
}

TEST(TextFormFile, ChangeMarkLinesFollowGroupsThenLayers)
{
    TZhdData document;
    // A load empties the marks.
    ASSERT_EQ(LoadTextLines(document, { "#" }).status, TLoadStatus::Loaded);
    document.SetInfoFlag(2, true);
    StringList lines = WrittenTextLines(document);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "#"), 2);

    TZhdHead& head = document.GetHeadPtr();
    TZhdLay layer = head.GetLayer(3, 0);
    layer.SetName("walls");
    head.SetLayer(3, 0, layer);
    document.SetLayerNameMark(3, 0, true);
    document.SetLayerNameMark(0, 2, true);
    document.SetLayerNameMark(0, 1, true);
    lines = WrittenTextLines(document);
    EXPECT_EQ(StringList(lines.end() - 4, lines.end()), (StringList { "#", "lyn", "lyn", "lynwalls" }));
    EXPECT_EQ(document.GetGStatusPtr().GetGLayer(), 3);
}

// A directive is a line whose second character is "n": with a double-byte
// first character that is the third byte, and an "n" trail byte is no "n".
TEST(TextFormFile, SecondCharacterCountsDoubleByteCharacters)
{
    const std::pair<std::string, bool> cases[] = { { sj(u8"Ａn"), true }, { "\x82nx", false }, { "xn", true } };
    for (const auto& [line, ends_group] : cases) {
        SCOPED_TRACE(line);
        TZhdData document;
        ASSERT_EQ(LoadTextLines(document, { "#", "pl", " 0 0 1 1", line, " 1 1 2 2" }).status,
                  TLoadStatus::Loaded);
        EXPECT_EQ(ElemAt(document, 1).GetPlGroup() == 0, ends_group);
    }
}
