// The element section of the external-command text form.
//
// Every line is sorted by its first characters; "." below is any one
// character, a double-byte one included:
//
//   z<digit>      flag line: sets that bit of GStatus's flag word for the next
//                 record ("z" alone or "zx" does not convert)
//   l... | .n...  directive (lg, ly, lc, lt, lw, pn, cn, the font line ...):
//                 ends the curve group, then changes GStatus
//   pl            opens a new curve group
//   hhp...        the next line, arc or text read is an instruction element
//   #...          ends the curve group
//   " " ci pt     line, arc, point records
//   c[hvsroptkz2] text record
//   s[lceog]      solid record
//   BL            block reference record
//   ms[gz]        dimension: a block of lines read by the dimension itself
//
// Anything else is skipped. One pass, each line sorted by a few byte
// compares. The parser never moves backwards: after a dimension it goes on
// behind the last line the dimension read, or at the next line when the
// dimension read none.

#include "core/DebugLog.h"
#include "document/TextForm.h"
#include "document/ZhdData.h"
#include "elements/ElemFactory.h"
#include "elements/ZhdElem.h"
#include "platform/Errors.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// How a line was taken; KindOfLine gives Record for every line that is no
// attribute line, and the parser turns it into Skipped when no kind of
// element claims it.
enum class TLineKind {
    FlagLine,
    Directive,
    CurveGroup,
    Instruction,
    EndOfGroup,
    Record,
    Skipped,
};

// The seven tallies logged after a pass, one per kind of line.
constexpr std::size_t line_kind_count = 7;

// "^.n": the second character is "n", the first may be a double-byte one.
bool SecondCharacterIsN(std::string_view line)
{
    if (line.empty())
        return false;
    const std::size_t first = CharLengthAt(line, 0);
    return first < line.size() && line[first] == 'n';
}

bool SecondByteIsOneOf(std::string_view line, std::string_view set)
{
    return line.size() >= 2 && set.find(line[1]) != std::string_view::npos;
}

TLineKind KindOfLine(std::string_view line)
{
    if (line.starts_with("z"))
        return TLineKind::FlagLine;
    if (line.starts_with("l") || SecondCharacterIsN(line))
        return TLineKind::Directive;
    if (line.starts_with("pl"))
        return TLineKind::CurveGroup;
    if (line.starts_with("hhp"))
        return TLineKind::Instruction;
    if (line.starts_with("#"))
        return TLineKind::EndOfGroup;
    return TLineKind::Record;
}

// The kind of element a record line holds; 0 for a line that is no record.
int TypeCodeOfRecord(std::string_view line)
{
    if (line.starts_with(" "))
        return TZhdElem::LineCode;
    if (line.starts_with("ci"))
        return TZhdElem::CircleCode;
    if (line.starts_with("pt"))
        return TZhdElem::PointCode;
    if (line.starts_with("c") && SecondByteIsOneOf(line, "hvsroptkz2"))
        return TZhdElem::MojiCode;
    if (line.starts_with("s") && SecondByteIsOneOf(line, "lceog"))
        return TZhdElem::SolidCode;
    if (line.starts_with("BL"))
        return TZhdElem::BlockCode;
    if (line.starts_with("ms") && line.size() >= 3 && (line[2] == 'g' || line[2] == 'z'))
        return TZhdElem::SunpouCode;
    return 0;
}

// "z3" sets bit 3; the digit must convert.
void ApplyFlagLine(const std::string& line, TZhdData& document)
{
    const int bit = StrToInt(SubString1(line, 2, 1));
    TBitFlg flags = document.GetGStatusFlags();
    flags.SetBit(bit);
    document.SetGStatusFlags(flags);
}

} // namespace

void TZhdElemList::ParseZhcLines(const StringList& lines, TZhdData& document)
{
    std::array<unsigned, line_kind_count> tally {};
    TStatusZHG& state = document.GetGStatusPtr();
    const int count = static_cast<int>(lines.size());
    for (int i = std::max(document.GetHeaderLineCount(), 0); i < count; ++i) {
        const std::string& line = lines[i];
        TLineKind kind = KindOfLine(line);
        try {
            switch (kind) {
            case TLineKind::FlagLine:
                ApplyFlagLine(line, document);
                break;
            case TLineKind::Directive:
                state.SetPlGroup(0);
                document.ParseDirective(line);
                break;
            case TLineKind::CurveGroup: {
                std::uint32_t group = 0;
                NewPlGroup(group);
                state.SetPlGroup(group);
                break;
            }
            case TLineKind::Instruction:
                document.SetInfoFlag(1, true);
                break;
            case TLineKind::EndOfGroup:
                state.SetPlGroup(0);
                break;
            case TLineKind::Record: {
                TZhdElemPtr elem = CreateElemByTypeCode(TypeCodeOfRecord(line));
                if (!elem) {
                    kind = TLineKind::Skipped;
                    break;
                }
                document.SetHeaderLineCount(i);
                elem->ReadTextRecord(lines, document);
                // A dimension reads on over its block and leaves the index on
                // its last line.
                i = std::max(i, std::min(document.GetHeaderLineCount(), count - 1));
                Append(std::move(elem));
                break;
            }
            case TLineKind::Skipped:
                break;
            }
        } catch (const ConvertError& error) {
            // A dimension may have read on: the line index names the line.
            const int failing = kind == TLineKind::Record ? std::max(i, document.GetHeaderLineCount()) : i;
            throw TLineConvertError(failing, error.what());
        }
        ++tally[static_cast<std::size_t>(kind)];
    }
    for (std::size_t k = 0; k < tally.size(); ++k)
        WriteDebugLog(ConcatText(std::to_string(k), ":", std::to_string(tally[k])));
}

void TZhdElemList::WriteZhcLines(StringList& lines, TZhdData& document) const
{
    document.SetHeaderLineCount(0);
    const std::size_t elements = items_.size();
    if (lines.capacity() < 2 * elements)
        lines.reserve(lines.capacity() + 3 * elements);
    for (const TZhdElemPtr& elem : items_)
        elem->WriteTextRecord(lines, document);
    lines.push_back("#");
}

int TZhdElemList::CollectInstructions(TZhdElemList& target) const
{
    for (const TZhdElemPtr& elem : items_) {
        if (elem->GetElemFlgPtr().IsSet(TZhdElem::InstructionMark))
            target.Append(elem);
    }
    return Size();
}
