#include "elements/TextRecordFrame.h"

#include "document/ZhdData.h"

namespace {

constexpr int pending_instruction_flag = 1;

} // namespace

const std::string& CurrentRecordLine(const StringList& lines, const TZhdData& document)
{
    static const std::string empty;
    const int index = document.GetHeaderLineCount();
    if (index < 0 || static_cast<std::size_t>(index) >= lines.size())
        return empty;
    return lines[static_cast<std::size_t>(index)];
}

StringList CurrentRecordFields(const StringList& lines, const TZhdData& document)
{
    StringList fields;
    SplitAtBlanks(CurrentRecordLine(lines, document), fields);
    return fields;
}

double FieldNumber(const StringList& fields, std::size_t index)
{
    return index < fields.size() ? TextToFloat(fields[index]) : 0.0;
}

std::string TextAfterQuote(const std::string& line)
{
    const std::size_t quote = line.find('"');
    return quote == std::string::npos ? line : line.substr(quote + 1);
}

TBitFlg TranslateFlagLines(TBitFlg state_flags, const std::map<int, int>& flag_bits, unsigned flag_lines)
{
    TBitFlg flags;
    for (const auto& [flag_line, bit] : flag_bits) {
        if ((flag_lines & FlagLine(flag_line)) != 0 && state_flags.IsSet(flag_line))
            flags.SetBit(bit);
    }
    return flags;
}

TBitFlg TranslateAllFlagLines(TBitFlg state_flags, const std::map<int, int>& flag_bits)
{
    TBitFlg flags = TranslateFlagLines(state_flags, flag_bits, AllFlagLines);
    if (state_flags.IsSet(4))
        flags.SetBit(flag_bits.at(5));
    return flags;
}

void AppendFlagLines(TBitFlg flags, const std::map<int, int>& flag_bits, unsigned flag_lines, StringList& lines)
{
    const auto z4 = flag_bits.find(4);
    const bool z4_set = z4 != flag_bits.end() && flags.IsSet(z4->second);
    for (const auto& [flag_line, bit] : flag_bits) {
        if ((flag_lines & FlagLine(flag_line)) == 0 || !flags.IsSet(bit))
            continue;
        if (flag_line == 5 && z4_set)
            continue;
        lines.push_back(ConcatText("z", std::to_string(flag_line)));
    }
}

void TakeInstructionMark(TZhdElem& elem, TZhdData& document)
{
    if (!document.TestInfoFlag(pending_instruction_flag))
        return;
    elem.GetElemFlgPtr().SetBit(TZhdElem::InstructionMark);
    document.SetInfoFlag(pending_instruction_flag, false);
}

TStatusZHG StateOfElement(const TZhdElem& elem)
{
    TStatusZHG state;
    state.Assign(elem.GetStatusPtr());
    return state;
}

bool AppendChangedAttributes(const TStatusZHG& element_state, std::initializer_list<const char*> keys,
                             TZhdData& document, StringList& lines)
{
    bool written = false;
    for (const char* key : keys) {
        if (!document.FormatChangedDirectives(key, element_state, lines).empty())
            written = true;
    }
    return written;
}

void AppendCurveGroupLines(std::uint32_t pl_group, bool attributes_written, TZhdData& document, StringList& lines)
{
    TStatusZHG& state = document.GetGStatusPtr();
    if (pl_group == state.GetPlGroup())
        return;
    // A directive line ends a curve group by itself when read.
    if (state.GetPlGroup() != 0 && !attributes_written)
        lines.push_back("#");
    if (pl_group != 0)
        lines.push_back("pl");
    state.SetPlGroup(pl_group);
}

void AppendInstructionLine(const TZhdElem& elem, const char* suffix, TZhdData& document, StringList& lines)
{
    if (!elem.GetElemFlg().IsSet(TZhdElem::InstructionMark))
        return;
    const int number = document.SetHeaderLineCount(document.GetHeaderLineCount() + 1);
    lines.push_back(ConcatText("hhp", std::to_string(number), suffix));
}
