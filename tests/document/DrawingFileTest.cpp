// The drawing file as a whole: what a load takes, where it stops, and that a
// save loads back to the same drawing.

#include "document/ZhdData.h"

#include "document/SjFormat.h"
#include "elements/KBlock.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "platform/ShiftJis.h"
#include "tests/document/DrawingFixture.h"
#include "tests/document/HeadFixture.h"
#include "tests/elements/ElemTestSupport.h"
#include "tests/support/TempDir.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// A header of the version followed by hand-made sections.
std::string HeaderBytes(std::uint32_t version)
{
    TZhdHead head;
    head.SetVersion(version);
    return HeadBytes(head);
}

ByteBuilder& AddNewClassTag(ByteBuilder& bytes, const std::string& name)
{
    return bytes.U16(0xFFFF).U16(420).U16(static_cast<std::uint16_t>(name.size())).Text(name);
}

std::string EmptySections()
{
    return std::string(4, '\0');
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

class DrawingRoundTrip : public testing::TestWithParam<std::uint32_t> {};

INSTANTIATE_TEST_SUITE_P(Versions, DrawingRoundTrip, testing::Values(230u, 299u, 300u, 350u, 351u, 419u, 420u));

TEST_P(DrawingRoundTrip, SaveThenLoadGivesTheSameDrawing)
{
    TZhdData original = SampleDrawing(GetParam());
    const std::string saved = SavedBytes(original);

    TZhdData loaded;
    EXPECT_EQ(LoadBytes(loaded, saved), TLoadStatus::Loaded);
    EXPECT_EQ(HeadBytes(loaded.GetHeadPtr()), HeadBytes(original.GetHeadPtr()));
    EXPECT_EQ(BodiesOf(loaded.GetElemListPtr(), loaded), BodiesOf(original.GetElemListPtr(), original));
    EXPECT_EQ(DefinitionsOf(loaded), DefinitionsOf(original));
    EXPECT_EQ(loaded.GetElemListPtr().GetMaxBlockNumber(), 21u);
    EXPECT_EQ(SavedBytes(loaded), saved);
}

// Built by hand from the layouts: class tags number on from the element list
// into the definitions and their lists.
TEST(DrawingFile, HandMadeSections)
{
    StatusFields block_status;
    block_status.pen_style = 2;
    block_status.layer = 1;
    block_status.g_layer = 1;
    StatusFields shown_block = block_status;
    shown_block.pen_style = 1;
    StatusFields content;
    content.layer = 2;
    content.g_layer = 3;

    ByteBuilder sections;
    sections.U16(3);
    AddNewClassTag(sections, "CDataBlock");                      // class 1, object 2
    AddStatus(sections, 420, block_status).Point(1, 2).F64(1).F64(1).F64(0).U32(5);
    sections.U16(0x8001);                                          // object 3
    AddStatus(sections, 420, shown_block).Point(3, 4).F64(1).F64(1).F64(0).U32(5);
    AddNewClassTag(sections, "CDataMoji");                         // class 4, object 5
    AddStatus(sections, 420, content).Point(0, 0).Point(1, 0).U32(2).F64(1).F64(1).F64(0).F64(0);
    sections.ShortString("").ShortString("T");
    sections.U16(1);                                               // one definition
    AddNewClassTag(sections, "CDataList");                         // class 6, object 7
    AddStatus(sections, 420, StatusFields()).U32(5).U32(1).U32(2).ShortString("five");
    sections.U16(2);
    AddNewClassTag(sections, "CDataSen");                          // class 8, object 9
    AddStatus(sections, 420, content).Point(0, 0).Point(1, 1);
    sections.U16(0x8008);                                          // object 10
    AddStatus(sections, 420, content).Point(2, 2).Point(3, 3);

    TZhdData document;
    EXPECT_EQ(LoadBytes(document, HeaderBytes(420) + sections.Bytes()), TLoadStatus::Loaded);
    const TZhdElemList& elements = document.GetElemListPtr();
    ASSERT_EQ(elements.Size(), 3);
    EXPECT_EQ(static_cast<const TKMoji&>(*elements.Back()).GetTextString(), "T");
    ASSERT_EQ(document.GetBlockDefinesPtr().Count(), 1);
    const TKBlockDefine define = document.GetBlockDefine(5);
    EXPECT_EQ(define.GetName(), "five");
    EXPECT_EQ(define.GetStoredValue2(), 2u);
    ASSERT_EQ(define.GetElemList().Size(), 2);
    EXPECT_EQ(static_cast<const TKLine&>(*define.GetElemList().Back()).GetEnd(), TBPoint(3.0, 3.0));
    EXPECT_EQ(document.GetClassTable().GetCounter(), 10);

    // Counts: the line-type-1 reference is one block on its layer; the other
    // shows its definition's two lines on theirs.
    EXPECT_EQ(elements.CountOfKind("TKBlock"), 1u);
    EXPECT_EQ(elements.GetLayerElemCount(1, 1), 1u);
    EXPECT_EQ(elements.GetLayerElemCount(3, 2), 2u);
    EXPECT_EQ(elements.GetLayerTextCount(3, 2), 1u);
}

// Every reference of another line type adds its definition's counts once; a
// number no definition has falls back to the first definition; references
// inside definitions are not expanded.
TEST(DrawingFile, BlockContentsInTheCounts)
{
    TZhdData original = SampleDrawing(420);
    auto& elements = original.GetElemListPtr();
    elements.Append(boost::make_shared<TKBlock>(*static_cast<const TKBlock*>(elements.Back().get())));
    auto unknown = boost::make_shared<TKBlock>();
    unknown->SetBlockNumber(999);
    unknown->SetPenStyle(3);
    elements.Append(unknown);

    TZhdData loaded;
    ASSERT_EQ(LoadBytes(loaded, SavedBytes(original)), TLoadStatus::Loaded);
    const TZhdElemList& counted = loaded.GetElemListPtr();
    // "door" (number 20) holds a line on (1, 2) and a text on (1, 3), where
    // the drawing has a circle and a text of its own: three references show
    // it (two by number, one by fallback).
    EXPECT_EQ(counted.GetLayerElemCount(1, 2), 1u + 3u);
    EXPECT_EQ(counted.GetLayerTextCount(1, 3), 1u + 3u);
    // "frame"'s reference to "door" is not expanded.
    EXPECT_EQ(counted.GetLayerElemCount(3, 3), 0u);
    EXPECT_EQ(counted.GetLayerElemCount(2, 5), 1u);
}

TEST(DrawingFile, OldVersionStopsAfterTheHeader)
{
    TZhdData original = SampleDrawing(229);
    original.GetHeadPtr().SetMaxLineDrawWidth(0);
    const std::string bytes = SavedBytes(original);
    TZhdData loaded;
    const TStatusZHG state_before = loaded.GetKStatus();
    TMemoryStream stream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    std::vector<std::string> log =
        LogLinesOf([&] { EXPECT_EQ(loaded.LoadFromStream(stream).status, TLoadStatus::OldVersion); });
    // The writer wrote the element list; the reader stopped before it.
    EXPECT_EQ(stream.GetPosition(), HeadBytes(original.GetHeadPtr()).size());
    EXPECT_LT(stream.GetPosition(), bytes.size());
    EXPECT_EQ(loaded.GetVersion(), 229u);
    EXPECT_EQ(loaded.GetHeadPtr().GetMemo(), "sample drawing");
    EXPECT_EQ(loaded.GetElemListPtr().Size(), 0);
    EXPECT_EQ(loaded.GetBlockDefinesPtr().Count(), 0);
    EXPECT_EQ(loaded.GetInfoRegPtr().PenWidthUnit, 100);
    EXPECT_EQ(loaded.GetKStatus().GetFlg().GetValue(), state_before.GetFlg().GetValue());
    EXPECT_EQ(loaded.GetKStatus().GetPenColor(), state_before.GetPenColor());
    ASSERT_FALSE(log.empty());
    EXPECT_TRUE(log.back().starts_with(sj(u8"ヘッダ表示：")));
}

TEST(DrawingFile, PenMapsByVersion)
{
    for (const std::uint32_t version : { 419u, 420u }) {
        TZhdData original;
        original.SetVersion(version);
        TZhdHead& head = original.GetHeadPtr();
        TVect<TZhdPen> pens = head.GetPens();
        for (int i = 0; i < TZhdHead::PenCount; ++i)
            pens.Set(i, TZhdPen(1000 + i, i % 5));
        head.SetPens(pens);
        TZhdData loaded;
        ASSERT_EQ(LoadBytes(loaded, SavedBytes(original)), TLoadStatus::Loaded);
        const auto& map = loaded.GetPenMapPtr();
        EXPECT_EQ(map.at("1").GetColor(), 1001);
        EXPECT_EQ(map.at("8").GetColor(), 1008);
        EXPECT_EQ(map.at("G").GetColor(), 1009);
        EXPECT_EQ(map.at("B").GetColor(), 1000);
        EXPECT_EQ(map.at("9").GetColor(), TZhdData().GetPenMapPtr().at("H").GetColor());
        EXPECT_EQ(map.count("100"), version >= 420 ? 1u : 0u);
        EXPECT_EQ(loaded.GetPrtPenMapPtr().count("356"), version >= 420 ? 1u : 0u);
        if (version >= 420) {
            EXPECT_EQ(map.at("356").GetColor(), 1356);
        }
    }
}

TEST(DrawingFile, ViewAndPrintSettingsFromTheHeader)
{
    struct Case {
        const char* name;
        std::function<void(TZhdHead&)> set;
        std::function<void(const TInfoREG&)> check;
    };
    const auto jump = [](int code, double y) {
        return [code, y](TZhdHead& head) {
            TVect<TZhdZoomF> jumps = head.GetMarkJumps();
            TZhdZoomF entry;
            entry.SetXY(3.0, y);
            entry.SetScale(2.0);
            entry.SetCode(code);
            jumps.Set(10, entry);
            head.SetMarkJumps(jumps);
        };
    };
    const Case cases[] = {
        { "width 0", [](TZhdHead& h) { h.SetMaxLineDrawWidth(0); }, [](const TInfoREG& r) { EXPECT_EQ(r.PenWidthUnit, 100); } },
        { "width -3", [](TZhdHead& h) { h.SetMaxLineDrawWidth(-3); }, [](const TInfoREG& r) { EXPECT_EQ(r.PenWidthUnit, -3); } },
        { "mode 1", [](TZhdHead& h) { h.SetContinuousPrintMode(1); },
          [](const TInfoREG& r) { EXPECT_EQ(r.LayerContinuation, 1); EXPECT_EQ(r.GroupContinuation, 0); } },
        { "mode 2", [](TZhdHead& h) { h.SetContinuousPrintMode(2); },
          [](const TInfoREG& r) { EXPECT_EQ(r.LayerContinuation, 0); EXPECT_EQ(r.GroupContinuation, 1); } },
        { "mode 3", [](TZhdHead& h) { h.SetContinuousPrintMode(3); },
          [](const TInfoREG& r) { EXPECT_EQ(r.LayerContinuation + r.GroupContinuation, 0); } },
        { "layer order -1", [](TZhdHead& h) { h.SetPrintInLayerOrder(-1); }, [](const TInfoREG& r) { EXPECT_EQ(r.LayerOrder, 2); } },
        { "colour order -1", [](TZhdHead& h) { h.SetPrintInColorOrder(-1); }, [](const TInfoREG& r) { EXPECT_EQ(r.ColorOrder, 2); } },
        { "colour order 0 reversed", [](TZhdHead& h) { h.SetPrintInColorOrder(0); h.SetReverseDraw(1); },
          [](const TInfoREG& r) { EXPECT_EQ(r.ColorOrder, 3); } },
        { "colour order 0", [](TZhdHead& h) { h.SetPrintInColorOrder(0); h.SetReverseDraw(0); },
          [](const TInfoREG& r) { EXPECT_EQ(r.ColorOrder, 0); } },
        { "colour order 1 reversed", [](TZhdHead& h) { h.SetPrintInColorOrder(1); h.SetReverseDraw(1); },
          [](const TInfoREG& r) { EXPECT_EQ(r.ColorOrder, 1); } },
        { "flags", [](TZhdHead& h) { h.SetColorPrint(1); h.SetGreyDisplayOnlyPrint(1); h.SetBitmapFirst(12); },
          [](const TInfoREG& r) { EXPECT_EQ(r.ColorPrint, 1); EXPECT_EQ(r.GreyDisplayOnly, 1); EXPECT_EQ(r.DrawOrder, 12); } },
        { "code 23", jump(23, 7.5),
          [](const TInfoREG& r) { EXPECT_EQ(r.FinalMoji, 2); EXPECT_EQ(r.EdgeMoji, 2); EXPECT_EQ(r.EdgeMojiRange, 7.5); } },
        { "code 5", jump(5, 0.0), [](const TInfoREG& r) { EXPECT_EQ(r.FinalMoji, 0); EXPECT_EQ(r.EdgeMoji, 4); } },
        { "code 0", jump(0, 0.0), [](const TInfoREG& r) { EXPECT_EQ(r.FinalMoji, 0); EXPECT_EQ(r.EdgeMoji, 0); } },
        { "code 10", jump(10, 0.0), [](const TInfoREG& r) { EXPECT_EQ(r.FinalMoji, 1); EXPECT_EQ(r.EdgeMoji, 0); } },
        { "code -1", jump(-1, 0.0), [](const TInfoREG& r) { EXPECT_EQ(r.FinalMoji, 429496729); EXPECT_EQ(r.EdgeMoji, 4); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TZhdData original;
        c.set(original.GetHeadPtr());
        TZhdData loaded;
        ASSERT_EQ(LoadBytes(loaded, SavedBytes(original)), TLoadStatus::Loaded);
        c.check(loaded.GetInfoRegPtr());
    }

    // Below version 300 the file holds no mark-jump codes: a new document's
    // settings stay.
    TZhdData old_version;
    jump(23, 7.5)(old_version.GetHeadPtr());
    old_version.SetVersion(299);
    TZhdData loaded;
    ASSERT_EQ(LoadBytes(loaded, SavedBytes(old_version)), TLoadStatus::Loaded);
    EXPECT_EQ(loaded.GetInfoRegPtr().FinalMoji, 0);
    EXPECT_EQ(loaded.GetInfoRegPtr().EdgeMojiRange, 0.0);
}

// Users open old drawings one after another: an old drawing keeps the text
// display settings and the extended pens that the newer drawing before it
// brought, since its file holds none of its own.
TEST(DrawingFile, OldDrawingAfterANewOneKeepsWhatItsFileDoesNotHold)
{
    TZhdData newer = SampleDrawing(420);
    TVect<TZhdZoomF> jumps = newer.GetHeadPtr().GetMarkJumps();
    TZhdZoomF text_display;
    text_display.SetXY(3.0, 7.5);
    text_display.SetCode(23);
    jumps.Set(10, text_display);
    newer.GetHeadPtr().SetMarkJumps(jumps);
    TVect<TZhdPen> pens = newer.GetHeadPtr().GetPens();
    pens.Set(200, TZhdPen(0x123456, 4));
    newer.GetHeadPtr().SetPens(pens);

    TZhdData older = SampleDrawing(299);
    older.GetHeadPtr().SetMemo("older");
    TZhdData document;
    ASSERT_EQ(LoadBytes(document, SavedBytes(newer)), TLoadStatus::Loaded);
    ASSERT_EQ(LoadBytes(document, SavedBytes(older)), TLoadStatus::Loaded);

    EXPECT_EQ(document.GetVersion(), 299u);
    EXPECT_EQ(document.GetHeadPtr().GetMemo(), "older");
    EXPECT_EQ(document.GetElemListPtr().Size(), older.GetElemListPtr().Size());
    EXPECT_EQ(document.GetHeadPtr().GetMarkJumps().Get(10).GetCode(), 23);
    EXPECT_EQ(document.GetInfoRegPtr().FinalMoji, 2);
    EXPECT_EQ(document.GetInfoRegPtr().EdgeMoji, 2);
    EXPECT_EQ(document.GetInfoRegPtr().EdgeMojiRange, 7.5);
    EXPECT_EQ(document.GetHeadPtr().GetPen(200).GetColor(), 0x123456);
    EXPECT_EQ(document.GetPenMapPtr().at("200").GetColor(), 0x123456);

    // A cut-off old drawing takes nothing of the newer one.
    const std::string cut = SavedBytes(older).substr(0, 100);
    ASSERT_EQ(LoadBytes(document, cut), TLoadStatus::RanShort);
    EXPECT_EQ(document.GetHeadPtr().GetMarkJumps().Get(10).GetCode(), 0);
    EXPECT_EQ(document.GetInfoRegPtr().FinalMoji, 0);
    EXPECT_EQ(document.GetHeadPtr().GetPen(200).GetColor(), TZhdHead().GetPen(200).GetColor());
}

TEST(DrawingFile, AttributeStatesFromTheHeader)
{
    TZhdData loaded;
    loaded.GetKStatusPtr().SetPenColor(9);
    loaded.GetKStatusPtr().SetPenWidth(3);
    loaded.GetKStatusPtr().SetPlGroup(44);
    ASSERT_EQ(LoadBytes(loaded, HeadBytes(FilledHead(420)) + EmptySections()), TLoadStatus::Loaded);
    const TStatusZHG state = loaded.GetKStatus();
    EXPECT_EQ(state.GetGLayer(), 4);
    EXPECT_EQ(state.GetLayer(), 11);
    EXPECT_EQ(state.GetMoji().GetWidth(), 2.5);
    EXPECT_EQ(state.GetMojiShu(), 3u);
    EXPECT_EQ(state.GetSolidColor(), 1);
    EXPECT_EQ(state.GetScale(), 50.0);
    EXPECT_EQ(state.GetPenStyle(), 1);
    EXPECT_EQ(state.GetPenColor(), 2);
    EXPECT_EQ(state.GetPenWidth(), 0);
    EXPECT_EQ(state.GetTenColor(), 2);
    EXPECT_EQ(state.GetMojiFont(), sj(u8"ＭＳ ゴシック"));
    EXPECT_EQ(state.GetPlGroup(), 44u);
    EXPECT_EQ(loaded.GetGStatus().GetMojiFont(), state.GetMojiFont());
    EXPECT_EQ(loaded.GetGStatus().GetLayer(), 11);

    // A group scale of 0 would make every coordinate of the text form
    // infinite: the state takes 1.
    TZhdHead zero_scale = FilledHead(420);
    zero_scale.SetGroupScale(4, 0.0);
    ASSERT_EQ(LoadBytes(loaded, HeadBytes(zero_scale) + EmptySections()), TLoadStatus::Loaded);
    EXPECT_EQ(loaded.GetKStatusScale(), 1.0);
    EXPECT_EQ(loaded.GetGStatusScale(), 1.0);
}

// A foreign file is never read as elements, and the drawing held before is
// gone.
TEST(DrawingFile, WrongMagic)
{
    TZhdData document = SampleDrawing(420);
    std::string bytes = SavedBytes(document);
    bytes.replace(0, 8, "ZhdDatA.");
    EXPECT_EQ(LoadBytes(document, bytes), TLoadStatus::WrongMagic);
    EXPECT_EQ(document.GetElemListPtr().Size(), 0);
    EXPECT_EQ(document.GetBlockDefinesPtr().Count(), 0);
    EXPECT_EQ(document.GetHeadPtr().GetMagic(), "ZhdDatA.");
    EXPECT_EQ(LoadBytes(document, ""), TLoadStatus::WrongMagic);
    EXPECT_EQ(document.GetHeadPtr().GetMagic(), "");
}

// After a record of no known class the load stops: what follows is element
// data, not a block count.
TEST(DrawingFile, UnknownClassStopsTheLoad)
{
    ByteBuilder sections;
    sections.U16(2);
    AddNewClassTag(sections, "CDataSen");
    AddStatus(sections, 420, StatusFields()).Point(0, 0).Point(1, 1);
    AddNewClassTag(sections, "CDataCurve");
    // Bytes that would read as one definition named "x".
    sections.U16(1);
    AddNewClassTag(sections, "CDataList");
    AddStatus(sections, 420, StatusFields()).U32(1).U32(0).U32(0).ShortString("x").U16(0);

    TZhdData document;
    EXPECT_EQ(LoadBytes(document, HeaderBytes(420) + sections.Bytes()), TLoadStatus::UnknownClass);
    EXPECT_EQ(document.GetElemListPtr().Size(), 1);
    EXPECT_EQ(document.GetBlockDefinesPtr().Count(), 0);
    EXPECT_EQ(document.GetKStatus().GetMojiFont(), sj(u8"ＭＳ ゴシック"));
}

// Cut anywhere after the header, a drawing loads what it holds up to the cut
// and reports that it ran short; nothing is read past the end.
TEST(DrawingFile, EveryCutEndsCleanly)
{
    TZhdData original = SampleDrawing(420);
    const std::string bytes = SavedBytes(original);
    const std::size_t header_size = HeadBytes(original.GetHeadPtr()).size();
    const int total = original.GetElemListPtr().Size();
    for (std::size_t cut = header_size; cut < bytes.size(); ++cut) {
        TZhdData loaded;
        const TLoadStatus status = LoadBytes(loaded, bytes.substr(0, cut));
        ASSERT_EQ(status, TLoadStatus::RanShort) << cut;
        ASSERT_LE(loaded.GetElemListPtr().Size(), total) << cut;
    }
}

TEST(DrawingFile, CountsBeyondTheData)
{
    ByteBuilder elements;
    elements.U16(0xFFFF).U32(0xFFFFFFFF);
    TZhdData document;
    EXPECT_EQ(LoadBytes(document, HeaderBytes(420) + elements.Bytes()), TLoadStatus::RanShort);
    EXPECT_EQ(document.GetElemListPtr().Size(), 0);

    ByteBuilder definitions;
    definitions.U16(0).U16(0xFFFF).U32(0xFFFFFFFF);
    AddNewClassTag(definitions, "CDataList");
    AddStatus(definitions, 420, StatusFields()).U32(1).U32(0).U32(0).ShortString("x").U16(0);
    EXPECT_EQ(LoadBytes(document, HeaderBytes(420) + definitions.Bytes()), TLoadStatus::RanShort);
    EXPECT_EQ(document.GetBlockDefinesPtr().Count(), 1);
}

TEST(DrawingFile, TrailingBytesAreLeftAlone)
{
    TZhdData original = SampleDrawing(420);
    const std::string drawing = SavedBytes(original);
    const std::string bytes = drawing + "trailing";
    TMemoryStream stream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    TZhdData loaded;
    EXPECT_EQ(loaded.LoadFromStream(stream).status, TLoadStatus::Loaded);
    EXPECT_EQ(stream.GetPosition(), drawing.size());
    EXPECT_FALSE(stream.RanShort());
    EXPECT_EQ(loaded.GetElemListPtr().Size(), original.GetElemListPtr().Size());
}

TEST(DrawingFile, LoadReplacesTheDrawingAndEmptiesTheChangeMarks)
{
    TZhdData document = SampleDrawing(420);
    TZhdData smaller;
    smaller.GetElemListPtr().Append(boost::make_shared<TKLine>());
    ASSERT_EQ(LoadBytes(document, SavedBytes(smaller)), TLoadStatus::Loaded);
    EXPECT_EQ(document.GetElemListPtr().Size(), 1);
    EXPECT_EQ(document.GetElemListPtr().CountOfKind("TKBlock"), 0u);
    EXPECT_EQ(document.GetBlockDefinesPtr().Count(), 0);
    EXPECT_EQ(document.GetBlockNameByNumber(20), "");
    EXPECT_FALSE(document.GetGroupProtectMark(0));
    EXPECT_FALSE(document.GetLayerNameMark(0, 0));
}

TEST(DrawingFile, FilesAndTheirLogLines)
{
    const TempDir folder;
    const std::string path = folder.File("drawing.zhd").string();
    TZhdData original = SampleDrawing(420);
    const std::vector<std::string> save_log =
        LogLinesOf([&] { EXPECT_EQ(original.SaveToFile(path), TSaveStatus::Saved); });
    ASSERT_GE(save_log.size(), 3u);
    EXPECT_EQ(save_log[0], sj(u8"ZHD書込"));
    EXPECT_TRUE(save_log[1].starts_with("DataSize:"));
    EXPECT_EQ(save_log[2], "SetSize:" + std::to_string(original.GetDataByteSize()));
    EXPECT_TRUE(Contains(save_log, "BlockSize:2"));
    EXPECT_TRUE(save_log.back().starts_with(sj(u8"書き込み：")));

    TZhdData loaded;
    TLoadResult result;
    const std::vector<std::string> load_log = LogLinesOf([&] { result = loaded.LoadFromFile(path); });
    EXPECT_EQ(result.status, TLoadStatus::Loaded);
    EXPECT_EQ(loaded.GetHeadPtr().GetFileName(), path);
    EXPECT_EQ(BodiesOf(loaded.GetElemListPtr(), loaded), BodiesOf(original.GetElemListPtr(), original));

    // The stages in their order.
    const char8_t* stages[] = { u8"ZHD読込",   u8"pms:",      u8"ヘッダ処理：", u8"ヘッダ表示：", u8"DataSize:",
                                u8"データ処理：", u8"データ総数：", u8"BlockSize:",  u8"ブロック処理：", u8"position：",
                                u8"CDataBlock：", u8"読み込み：" };
    auto from = load_log.begin();
    for (const char8_t* stage : stages) {
        from = std::find_if(from, load_log.end(), [&](const std::string& line) { return line.starts_with(sj(stage)); });
        ASSERT_NE(from, load_log.end()) << SjisToUtf8(sj(stage));
    }
    EXPECT_EQ(load_log[1], path);
    EXPECT_EQ(load_log.back(), "");
}

TEST(DrawingFile, EmptyFileHasAWrongMagic)
{
    const TempDir folder;
    TZhdData document = SampleDrawing(420);
    const std::string empty = folder.Write("empty.zhd", "").string();
    const std::vector<std::string> log =
        LogLinesOf([&] { EXPECT_EQ(document.LoadFromFile(empty).status, TLoadStatus::WrongMagic); });
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) { return line.starts_with("pms:0byte"); }));
    EXPECT_EQ(document.GetElemListPtr().Size(), 0);
}
