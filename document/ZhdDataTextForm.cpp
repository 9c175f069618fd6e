// Loading and saving the external-command text form ("zhc_temp.txt").
//
// A file as the writer produces it (bracketed sections are optional):
//
//   [hd]                          information flag 0
//   header lines ... "#"          ZhdHeadTextForm.cpp
//   element lines ... "#"         ZhdElemListTextForm.cpp
//   ["#" change-mark lines]       flag 2 and at least one mark set
//   ["#" 7 state lines "#"]       flag 3: KStatus once more
//   ["hr" | "h/" text]            reply flag, else a non-empty "h/" text
//   ["he " text " " | "h# " text " "]
//
// The reader takes everything after the header as element-section lines, so
// the trailing directives apply to the running state and the reply lines are
// skipped.
//
// A load reads into a working copy of the document and hands the result over
// only when the whole file was read: an integer field that does not convert
// ends the load with the failing line and leaves this document untouched.

#include "core/DebugLog.h"
#include "core/LayerState.h"
#include "core/StopWatch.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "elements/ZhdElem.h"
#include "platform/FileSystem.h"
#include "platform/Errors.h"

namespace {

constexpr int mark_flag_hd = 0;
constexpr int mark_flag_change_marks = 2;
constexpr int mark_flag_state_again = 3;

} // namespace

TLoadResult TZhdData::LoadZhcText(const std::string& path)
{
    TStopWatch watch;
    const TFileBytes file = ReadWholeFile(NativePath(path));
    if (file.status == TLoadStatus::Missing)
        return file.status;
    WriteDebugLog(sj(u8"ZHG読込"));
    if (file.status != TLoadStatus::Loaded)
        return file.status;
    WriteDebugLog(SjPrintf(u8"fread:%ubyte %.3f秒", static_cast<unsigned>(file.bytes.size()), watch.Lap()));
    return LoadZhcTextFromBytes(file.Text());
}

TLoadResult TZhdData::LoadZhcTextFromBytes(std::string_view bytes)
{
    TStopWatch watch;
    const TTextLines split(bytes);
    WriteDebugLog("free(zhc_temp.txt)");
    WriteDebugLog(SjPrintf(u8"切分処理：%.3f秒", watch.Lap()));

    // The form replaces the drawing: the working copy takes the document's
    // settings but not the elements it would empty at once.
    TZhdData loaded;
    loaded.CopyDrawingExceptElementsFrom(*this);
    try {
        loaded.ReadZhcLines(split.lines);
    } catch (const TLineConvertError& error) {
        return split.ConversionErrorAt(error.GetLineIndex());
    }
    CopyDrawingExceptElementsFrom(loaded);
    std::swap(elem_list_, loaded.elem_list_);
    return {};
}

void TZhdData::ReadZhcLines(const StringList& lines)
{
    TStopWatch watch;
    EmptyDrawing();
    head_.ReadZhcHeader(k_status_, info_zhg_, lines);
    g_status_ = k_status_;
    WriteDebugLog(SjPrintf(u8"ヘッダ処理：%.3f秒", watch.Lap()));
    WriteDebugLog(ConcatText("#:", std::to_string(GetHeaderLineCount())));

    elem_list_.ParseZhcLines(lines, *this);
    WriteDebugLog(SjPrintf(u8"データリスト処理：%.3f秒", watch.Lap()));
    elem_list_.LogStatistics();
    WriteDebugLog("");

    elem_list_.CollectInstructions(instruction_list_);
    WriteDebugLog(SjPrintf(u8"指示データ処理：%.3f秒", watch.Lap()));
    instruction_list_.LogStatistics();
    WriteDebugLog("");

    WriteDebugLog(SjPrintf(u8"ブロックリスト処理：%.3f秒", watch.Lap()));
    for (auto define = block_defines_.Begin(); define != block_defines_.End(); ++define)
        WriteDebugLog(StringPrintf("Number:%u Name:%s", define->GetNumber(), define->GetName().c_str()));
    WriteDebugLog("");

    MakeEditableLayersWritable();
    head_.MakeWriteTarget(k_status_.GetGLayer(), k_status_.GetLayer());

    WriteDebugLog("KStatus");
    k_status_.DumpToLog();
    WriteDebugLog("");
    WriteDebugLog("GStatus");
    g_status_.DumpToLog();
    WriteDebugLog("");
}

// Every editable layer becomes writable, and the highest of them in a group
// its write layer.
void TZhdData::MakeEditableLayersWritable()
{
    for (int g = 0; g < GroupCount; ++g) {
        TZhdGrp group = head_.GetGroup(g);
        bool changed = false;
        for (int l = 0; l < LayerCount; ++l) {
            TZhdLay layer = group.GetLayer(l);
            if (layer.GetState() == LayerEditable || layer.GetState() == LayerWriteTarget) {
                group.SetWriteLayer(l);
                layer.SetState(LayerWriteTarget);
                group.SetLayer(l, std::move(layer));
                changed = true;
            }
        }
        if (changed)
            head_.SetGroup(g, std::move(group));
    }
}

TSaveStatus TZhdData::SaveZhcText(const std::string& path)
{
    TStopWatch watch;
    StringList lines;
    WriteZhcText(lines);
    const TSaveStatus saved = WriteWholeFile(NativePath(path), JoinTextFormLines(lines));
    if (saved != TSaveStatus::Saved)
        return saved;
    WriteDebugLog(SjPrintf(u8"outdata:%ulines %.3f秒", static_cast<unsigned>(lines.size()), watch.Lap()));
    WriteDebugLog(SjPrintf(u8"書き込み：%.3f秒", watch.Restart()));
    WriteDebugLog("");
    return saved;
}

void TZhdData::WriteZhcText(StringList& lines)
{
    TStopWatch watch;
    WriteDebugLog(sj(u8"ZHG書込"));
    if (TestInfoFlag(mark_flag_hd))
        lines.push_back("hd");
    head_.WriteZhcHeader(k_status_, info_zhg_, lines);
    WriteDebugLog(SjPrintf(u8"ヘッダ処理：%.3f秒", watch.Lap()));

    g_status_ = k_status_;
    elem_list_.WriteZhcLines(lines, *this);
    WriteDebugLog(SjPrintf(u8"データ処理：%.3f秒", watch.Lap()));

    if (TestInfoFlag(mark_flag_change_marks))
        AppendChangeMarkLines(lines);
    if (TestInfoFlag(mark_flag_state_again)) {
        lines.push_back("#");
        for (const char* key : { "lg", "ly", "lc", "lt", "lw", "cn", "cn$" })
            lines.push_back(head_.FormatAttributeDirective(key, k_status_));
        lines.push_back("#");
    }
    AppendReplyLines(lines);
    WriteDebugLog(SjPrintf(u8"その他処理：%.3f秒", watch.Lap()));
}

void TZhdData::WriteFreshTextRecord(const TZhdElem& elem, StringList& lines)
{
    // The running state of the document's own walks is put aside for this
    // one record and comes back whatever the writing does.
    struct TRunningStateKept {
        TZhdData& document;
        TStatusZHG state = document.g_status_;
        int line_index = document.GetHeaderLineCount();
        ~TRunningStateKept()
        {
            document.g_status_ = state;
            document.SetHeaderLineCount(line_index);
        }
    } kept { *this };
    g_status_ = k_status_;
    SetHeaderLineCount(0);
    elem.WriteTextRecord(lines, *this);
}

// Per group its protection and name marks, then per layer the same; each
// written in GStatus's group and layer, which keep the last ones written.
void TZhdData::AppendChangeMarkLines(StringList& lines)
{
    StringList marks;
    auto append = [&](const char* key, int g, int l) {
        g_status_.SetGLayer(static_cast<std::uint16_t>(g));
        if (l >= 0)
            g_status_.SetLayer(static_cast<std::uint16_t>(l));
        marks.push_back(FormatDirective(key));
    };
    for (int g = 0; g < GroupCount; ++g) {
        if (GetGroupProtectMark(g))
            append("lgp", g, -1);
        if (GetGroupNameMark(g))
            append("lgn", g, -1);
        for (int l = 0; l < LayerCount; ++l) {
            if (GetLayerProtectMark(g, l))
                append("lyp", g, l);
            if (GetLayerNameMark(g, l))
                append("lyn", g, l);
        }
    }
    if (marks.empty())
        return;
    lines.push_back("#");
    lines.insert(lines.end(), marks.begin(), marks.end());
}

void TZhdData::AppendReplyLines(StringList& lines) const
{
    if (info_zhg_.GetHrFlag() != 0)
        lines.push_back("hr");
    else if (!info_zhg_.GetHSlashText().empty())
        lines.push_back(ConcatText("h/", info_zhg_.GetHSlashText()));
    if (!info_zhg_.GetHeText().empty())
        lines.push_back(ConcatText("he ", info_zhg_.GetHeText(), " "));
    else if (!info_zhg_.GetHHashText().empty())
        lines.push_back(ConcatText("h# ", info_zhg_.GetHHashText(), " "));
}
