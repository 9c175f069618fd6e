// The drawing file (.zhd) as a whole:
//
//   struct Drawing {
//       Header   header;             "ZhdData.", version, then the settings
//       ElemList elements;           from version 230 on
//       archive_count n;
//       BlockDefinition definitions[n];
//   };
//
// The header's version governs every record after it. The class-tag
// numbering starts afresh before the element list and runs on through the
// block definitions and their lists. Reader and writer work on the whole file
// in memory; the writer touches the file only once the drawing is built.
//
// The reader trusts no count and goes no further than the data: it stops
// after the header when the magic is wrong or the version is below 230, stops
// at a record of no known class (what follows is not a count it could trust),
// and ends cleanly where the data ends. Every stage is timed into the debug
// log.

#include "document/ZhdData.h"

#include "core/Archive.h"
#include "core/DebugLog.h"
#include "core/StopWatch.h"
#include "document/SjFormat.h"
#include "elements/KBlock.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"

#include <algorithm>
#include <unordered_map>

namespace {

constexpr std::uint32_t first_extended_pen = 100;
constexpr std::uint32_t extended_pens_version = 420;
constexpr int mark_jump_of_text_display = 10;

void LogPosition(const TStream& stream)
{
    const auto position = static_cast<unsigned>(stream.GetPosition());
    WriteDebugLog(SjPrintf(u8"position：%u[%x]", position, position));
}

} // namespace

TLoadResult TZhdData::LoadFromFile(const std::string& path)
{
    TStopWatch watch;
    TFileBytes file = ReadWholeFile(NativePath(path));
    if (file.status == TLoadStatus::Missing)
        return file.status;
    WriteDebugLog(sj(u8"ZHD読込"));
    WriteDebugLog(path);
    EmptyDrawing();
    if (file.status != TLoadStatus::Loaded)
        return file.status;
    TMemoryStream stream(std::move(file.bytes));
    WriteDebugLog(SjPrintf(u8"pms:%ubyte %.3f秒", static_cast<unsigned>(stream.GetSize()), watch.Lap()));
    WriteDebugLog("");
    head_.SetFileName(path);
    return ReadDrawing(stream, watch);
}

TLoadResult TZhdData::LoadFromStream(TStream& stream)
{
    TStopWatch watch;
    EmptyDrawing();
    return ReadDrawing(stream, watch);
}

void TZhdData::EmptyDrawing()
{
    elem_list_.Clear();
    ClearBlockDefines();
    group_protect_marks_.Clear();
    group_name_marks_.Clear();
    layer_protect_marks_.Clear();
    layer_name_marks_.Clear();
}

TLoadResult TZhdData::ReadDrawing(TStream& stream, TStopWatch& watch)
{
    stream.ClearRanShort();
    const THeadReadResult header = head_.ReadFromStream(stream);
    TakePensFromHeader();
    TakeViewSettingsFromHeader();
    WriteDebugLog(SjPrintf(u8"ヘッダ処理：%.3f秒", watch.Lap()));
    if (DebugLogEnabled()) {
        StringList report;
        head_.AppendInformation(report);
        for (const std::string& line : report)
            WriteDebugLog(line);
    }
    WriteDebugLog(SjPrintf(u8"ヘッダ表示：%.3f秒", watch.Lap()));

    // A foreign file is not read as elements from byte 8 on.
    if (header == THeadReadResult::WrongMagic)
        return TLoadStatus::WrongMagic;
    if (GetVersion() <= LastHeaderOnlyVersion)
        return header == THeadReadResult::RanShort ? TLoadStatus::RanShort : TLoadStatus::OldVersion;

    class_table_.Reset();
    const TListReadResult elements = elem_list_.ReadArchive(stream, *this);
    WriteDebugLog(SjPrintf(u8"データ処理：%.3f秒", watch.Lap()));
    elem_list_.LogStatistics();
    // After a record of no known class the stream stands inside element data:
    // a block count read there would be meaningless.
    const TListReadResult defines =
        elements == TListReadResult::UnknownClass ? elements : ReadBlockDefines(stream);
    WriteDebugLog(SjPrintf(u8"ブロック処理：%.3f秒", watch.Lap()));
    LogPosition(stream);
    for (const auto& [name, index] : class_table_.GetMap())
        WriteDebugLog(SjPrintf(u8"%s：%u", name.c_str(), static_cast<unsigned>(index)));

    CountBlockContents();
    SetStatesFromHeader();
    WriteDebugLog(SjPrintf(u8"読み込み：%.3f秒", watch.Elapsed()));
    WriteDebugLog("");

    if (stream.RanShort())
        return TLoadStatus::RanShort;
    if (defines == TListReadResult::UnknownClass)
        return TLoadStatus::UnknownClass;
    return TLoadStatus::Loaded;
}

void TZhdData::TakePensFromHeader()
{
    for (int i = 1; i <= 8; ++i) {
        pen_map_[std::to_string(i)] = head_.GetPen(i);
        prt_pen_map_[std::to_string(i)] = head_.GetPrtPen(i);
    }
    pen_map_["G"] = head_.GetPen(9);
    prt_pen_map_["G"] = head_.GetPrtPen(9);
    pen_map_["B"] = head_.GetPen(0);
    prt_pen_map_["B"] = head_.GetPrtPen(0);
    if (GetVersion() < extended_pens_version)
        return;
    for (int i = first_extended_pen; i < TZhdHead::PenCount; ++i) {
        const std::string name = std::to_string(i);
        pen_map_[name] = head_.GetPen(i);
        prt_pen_map_[name] = head_.GetPrtPen(i);
    }
}

void TZhdData::TakeViewSettingsFromHeader()
{
    info_reg_.ColorPrint = head_.GetColorPrint();
    info_reg_.PenWidthUnit = head_.GetMaxLineDrawWidth();
    info_reg_.GroupContinuation = 0;
    info_reg_.LayerContinuation = 0;
    const int continuous_mode = head_.GetContinuousPrintMode();
    if (continuous_mode == 1)
        info_reg_.LayerContinuation = 1;
    else if (continuous_mode == 2)
        info_reg_.GroupContinuation = 1;
    info_reg_.GreyDisplayOnly = head_.GetGreyDisplayOnlyPrint();
    if (info_reg_.PenWidthUnit == 0)
        info_reg_.PenWidthUnit = 100;
    info_reg_.DrawOrder = head_.GetBitmapFirst();
    info_reg_.LayerOrder = head_.GetPrintInLayerOrder();
    if (info_reg_.LayerOrder == -1)
        info_reg_.LayerOrder = 2;
    info_reg_.ColorOrder = head_.GetPrintInColorOrder();
    if (info_reg_.ColorOrder == -1)
        info_reg_.ColorOrder = 2;
    else if (info_reg_.ColorOrder == 0 && head_.GetReverseDraw() == 1)
        info_reg_.ColorOrder = 3;
    // The last mark jump carries the text display settings: its code the
    // texts-last setting (tens) and the edge-text mode plus one (units), its
    // y coordinate the edge-text range.
    const TZhdZoomF jump = head_.GetMarkJumps().Get(mark_jump_of_text_display);
    const auto code = static_cast<unsigned>(jump.GetCode());
    info_reg_.FinalMoji = static_cast<int>(code / 10);
    info_reg_.EdgeMoji = std::max(static_cast<int>(code % 10) - 1, 0);
    info_reg_.EdgeMojiRange = jump.GetY();
}

TListReadResult TZhdData::ReadBlockDefines(TStream& stream)
{
    const std::uint32_t count = ReadArchiveCount(stream);
    WriteDebugLog("BlockSize:" + std::to_string(count));
    const std::uint64_t smallest_record = TKBlockDefine::SmallestRecordSize(GetVersion());
    for (std::uint32_t i = 0; i < count; ++i) {
        if (stream.Remaining() < smallest_record) {
            stream.MarkRanShort();
            break;
        }
        TKBlockDefine define;
        const TListReadResult contents = define.ReadArchive(stream, *this);
        AppendBlockDefine(std::move(define));
        if (contents != TListReadResult::Complete)
            return contents;
    }
    return stream.RanShort() ? TListReadResult::RanShort : TListReadResult::Complete;
}

// References with line type 1 count as one element of their own layer (the
// list counted them); the others show their definition's contents, whose
// counts are added once per reference. Nested references are not expanded.
// References are tallied per number first, so each definition is looked up
// and added once.
void TZhdData::CountBlockContents()
{
    std::unordered_map<std::uint32_t, std::uint32_t> references;
    for (const TZhdElemPtr& elem : elem_list_.GetItemsPtr()) {
        if (elem->GetTypeCode() == TZhdElem::BlockCode && elem->GetPenStyle() != 1)
            ++references[static_cast<std::uint32_t>(static_cast<const TKBlock&>(*elem).GetBlockNumber())];
    }
    for (const auto& [number, times] : references) {
        if (const TKBlockDefine* define = FindBlockDefine(number))
            elem_list_.AddLayerCounts(define->GetElemListRef(), times);
    }
}

void TZhdData::SetStatesFromHeader()
{
    const int write_group = head_.GetWriteGroup();
    k_status_.SetGLayer(static_cast<std::uint16_t>(write_group));
    k_status_.SetLayer(static_cast<std::uint16_t>(head_.GetGroup(write_group).GetWriteLayer()));
    k_status_.SetMoji(head_.GetFreeTextKind());
    k_status_.SetMojiShu(static_cast<std::uint32_t>(head_.GetWriteTextKind()));
    k_status_.SetSolidColor(head_.GetSolidAnyColor());
    k_status_.SetScale(head_.GetGroupScale(write_group));
    k_status_.SetPenStyle(1);
    k_status_.SetPenColor(2);
    k_status_.SetPenWidth(0);
    k_status_.SetTenColor(2);
    k_status_.SetMojiFont(sj(u8"ＭＳ ゴシック"));
    g_status_ = k_status_;
}

TSaveStatus TZhdData::SaveToFile(const std::string& path)
{
    TStopWatch watch;
    WriteDebugLog(sj(u8"ZHD書込"));
    TMemoryStream stream;
    WriteDrawing(stream, watch);
    const TSaveStatus saved = WriteWholeFile(NativePath(path), stream.Bytes());
    if (saved != TSaveStatus::Saved)
        return saved;
    WriteDebugLog(SjPrintf(u8"pms:%ubyte %.3f秒", static_cast<unsigned>(stream.GetSize()), watch.Lap()));
    WriteDebugLog(SjPrintf(u8"書き込み：%.3f秒", watch.Elapsed()));
    return saved;
}

void TZhdData::SaveToStream(TMemoryStream& stream)
{
    TStopWatch watch;
    WriteDebugLog(sj(u8"ZHD書込"));
    WriteDrawing(stream, watch);
}

void TZhdData::WriteDrawing(TMemoryStream& stream, TStopWatch& watch)
{
    stream.SetPosition(0);
    // The element bodies alone: the stream grows past it as it is written.
    const int reserved = GetDataByteSize();
    stream.SetSize(static_cast<std::uint64_t>(reserved));
    WriteDebugLog("SetSize:" + std::to_string(reserved));
    head_.WriteToStream(stream);
    WriteDebugLog(SjPrintf(u8"ヘッダ処理：%.3f秒", watch.Lap()));

    class_table_.Reset();
    elem_list_.WriteArchive(stream, *this);
    WriteDebugLog(SjPrintf(u8"データ処理：%.3f秒", watch.Lap()));
    elem_list_.LogStatistics();

    WriteArchiveCount(stream, static_cast<std::uint32_t>(block_defines_.Count()));
    WriteDebugLog("BlockSize:" + std::to_string(block_defines_.Count()));
    for (auto define = block_defines_.Begin(); define != block_defines_.End(); ++define)
        define->WriteArchive(stream, *this);
    WriteDebugLog(SjPrintf(u8"ブロック処理：%.3f秒", watch.Lap()));
    LogPosition(stream);
}

int TZhdData::GetDataByteSize() const
{
    return elem_list_.GetArchiveSize(*this);
}
