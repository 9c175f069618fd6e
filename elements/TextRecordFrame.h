#pragma once

// The frame every element record of the external-command text form follows.
//
// Reading: the record is the line at the document's line index, split at
// blanks (a record that begins with a blank has an empty field 0). Flag lines
// "z1" to "z5" met since the last record have set bits 1 to 5 of GStatus's
// flag word; each kind translates them into its own attribute flag bits, takes
// GStatus's attribute record with that word, and clears the word afterwards so
// the flag lines apply to one record only. Coordinates are divided by
// GStatus's scale. A missing or malformed number reads as 0.
//
// Writing: the attribute lines where the element differs from GStatus, the
// curve-group lines, the flag lines, for some kinds an instruction line, and
// the record, coordinates multiplied by GStatus's scale and written with up to
// 15 significant digits.

#include "core/BitFlg.h"
#include "core/TextUtil.h"
#include "document/StatusZHG.h"
#include "document/TextForm.h"
#include "elements/ZhdElem.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>

// The record line the parser pointed the document's line index at; the
// empty text when the index lies outside the list.
const std::string& CurrentRecordLine(const StringList& lines, const TZhdData& document);

// The fields of the current record line.
StringList CurrentRecordFields(const StringList& lines, const TZhdData& document);

// Field `index` as a number; 0 when the field is missing or not a number.
double FieldNumber(const StringList& fields, std::size_t index);

// The text after the first double quote of the line, or the whole line when
// it has none.
std::string TextAfterQuote(const std::string& line);

// Flag lines "z1" to "z5" as a set: bit N for line N.
constexpr unsigned FlagLine(int n)
{
    return 1u << n;
}
constexpr unsigned AllFlagLines = FlagLine(1) | FlagLine(2) | FlagLine(3) | FlagLine(4) | FlagLine(5);
// Bit 3 of GStatus's flag word while a dimension writes or reads its parts.
constexpr int DimensionPartFlag = 3;

// A new flag word: for each flag line N of the set whose bit N is set in the
// state's word, the attribute bit the kind's table gives for N.
TBitFlg TranslateFlagLines(TBitFlg state_flags, const std::map<int, int>& flag_bits, unsigned flag_lines);

// All five flag lines; a "z4" line carries the bit of "z5" as well (the
// writer leaves "z5" out after "z4").
TBitFlg TranslateAllFlagLines(TBitFlg state_flags, const std::map<int, int>& flag_bits);

// The lines of the set whose attribute bit (by the kind's table) is set in
// the element's flags, in order "z1" to "z5"; "z5" only while the "z4" bit
// is clear.
void AppendFlagLines(TBitFlg flags, const std::map<int, int>& flag_bits, unsigned flag_lines, StringList& lines);

// When an "hhp" line came before the record, the element becomes an
// instruction element and the pending mark is used up.
void TakeInstructionMark(TZhdElem& elem, TZhdData& document);

// A default state holding the element's attribute record: the values a
// writer compares with GStatus.
TStatusZHG StateOfElement(const TZhdElem& elem);

// The attribute lines for the keys, in order, where the element state
// differs from GStatus; true when any line was appended.
bool AppendChangedAttributes(const TStatusZHG& element_state, std::initializer_list<const char*> keys,
                             TZhdData& document, StringList& lines);

// "#" when a curve group ends without a directive having ended it, "pl" when
// a new one begins; GStatus then holds the element's curve group.
void AppendCurveGroupLines(std::uint32_t pl_group, bool attributes_written, TZhdData& document, StringList& lines);

// For an instruction element: "hhp" + the next running number + suffix.
void AppendInstructionLine(const TZhdElem& elem, const char* suffix, TZhdData& document, StringList& lines);
