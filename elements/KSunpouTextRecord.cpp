// The dimension's record: a block of lines.
//
//   "lg", "ly"       the dimension's attribute lines, where they differ
//   "#", "pl"        its curve-group lines
//   "msg"            opens the block ("msz" is read as well)
//   line record      everything the dimension line writes, ending in its
//                    record line (the first line beginning with a blank)
//   text record      everything the dimension text writes, ending in its
//                    record line (the first line beginning "cs")
//   "#"              closes the block
//
// Reading applies every other line of the block to GStatus as a directive,
// so a colour written for the line also holds for the text and for what
// follows. The dimension gets flag bit 13 only, its line bit 13 and its text
// bits 14 and 4; the extended part is not part of the form.
//
// The search for either record ends at the closing "#" or at the end of the
// lines, so a block without one never swallows the records after it; a
// dimension whose record is missing keeps that part at its default. The
// writer makes sure every dimension it writes reads back: its parts are
// written in the dimension's curve group (so no "#" can come up inside the
// block) and the text with bit 4, which gives it the prefix "cs".

#include "document/ZhdData.h"
#include "elements/KSunpou.h"
#include "elements/TextRecordFrame.h"

#include <string_view>

namespace {

constexpr int dimension_flag = 13;
constexpr int dimension_text_flag = 4;

TBitFlg OnlyBit(int bit)
{
    TBitFlg flags;
    flags.SetBit(bit);
    return flags;
}

// Walks on from `from`, applying directives, to the first line the test
// accepts; leaves the line index on the line it stopped at. Returns false
// at the closing "#" (the index then stays on the line before it) or at the
// end of the lines (the index on the last line).
template <typename IsRecord>
bool FindRecord(const StringList& lines, int from, TZhdData& document, IsRecord is_record)
{
    const int count = static_cast<int>(lines.size());
    for (int i = from; i < count; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        if (line.starts_with("#")) {
            document.SetHeaderLineCount(i - 1);
            return false;
        }
        document.SetHeaderLineCount(i);
        if (is_record(line))
            return true;
        document.ParseDirective(line);
    }
    return false;
}

} // namespace

void TKSunpou::ReadTextRecord(const StringList& lines, TZhdData& document)
{
    const int block_start = document.GetHeaderLineCount();
    document.SetGStatusFlags(OnlyBit(dimension_flag));
    SetStatus(document.GetGStatusAttr());

    // The "msg" line itself is no directive; the search starts after it.
    auto is_line_record = [](const std::string& line) { return line.starts_with(" "); };
    if (FindRecord(lines, block_start + 1, document, is_line_record)) {
        document.SetGStatusFlags(OnlyBit(DimensionPartFlag));
        line_.ReadTextRecord(lines, document);
        auto is_text_record = [](const std::string& line) { return line.starts_with("cs"); };
        if (FindRecord(lines, document.GetHeaderLineCount() + 1, document, is_text_record)) {
            document.SetGStatusFlags(OnlyBit(DimensionPartFlag));
            moji_.ReadTextRecord(lines, document);
        }
    }
    if (document.GetHeaderLineCount() < block_start)
        document.SetHeaderLineCount(block_start);
    document.SetGStatusFlags(TBitFlg());
}

void TKSunpou::WriteTextRecord(StringList& lines, TZhdData& document) const
{
    const bool changed = AppendChangedAttributes(StateOfElement(*this), { "lg", "ly" }, document, lines);
    AppendCurveGroupLines(GetPlGroup(), changed, document, lines);
    document.SetGStatusFlags(OnlyBit(DimensionPartFlag));
    lines.push_back("msg");

    TKLine line = line_;
    line.SetPlGroup(GetPlGroup());
    line.WriteTextRecord(lines, document);
    TKMoji moji = moji_;
    moji.SetPlGroup(GetPlGroup());
    TBitFlg text_flags = moji.GetStatusFlg();
    text_flags.SetBit(dimension_text_flag);
    moji.SetStatusFlg(text_flags);
    moji.WriteTextRecord(lines, document);

    lines.push_back("#");
    document.SetGStatusFlags(TBitFlg());
}
