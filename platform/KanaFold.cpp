#include "platform/KanaFold.h"

#include "platform/ShiftJis.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

namespace {

struct FoldEntry {
    std::uint16_t code;
    std::string_view folded;
};

constexpr FoldEntry fold_table[] = {
#include "platform/KanaFoldTable.inc"
};

// The table's characters have few lead bytes (0x81 to 0x83 and two more).
// Each gets a row of 256 trail bytes holding 1 + the entry's position in the
// table (0: the character stays), so a look-up is two array reads; kanji,
// most of a Japanese text, find no row at all.
constexpr std::array<std::int8_t, 256> LeadRows()
{
    std::array<std::int8_t, 256> rows {};
    rows.fill(-1);
    std::int8_t next_row = 0;
    for (const FoldEntry& entry : fold_table) {
        std::int8_t& row = rows[entry.code >> 8];
        if (row < 0)
            row = next_row++;
    }
    return rows;
}

constexpr std::array<std::int8_t, 256> lead_rows = LeadRows();

constexpr std::size_t RowCount()
{
    return static_cast<std::size_t>(std::count_if(lead_rows.begin(), lead_rows.end(), [](std::int8_t row) {
        return row >= 0;
    }));
}

using TrailIndex = std::array<std::uint16_t, 256>;

constexpr std::array<TrailIndex, RowCount()> EntryIndex()
{
    std::array<TrailIndex, RowCount()> index {};
    for (std::size_t i = 0; i < std::size(fold_table); ++i) {
        const std::uint16_t code = fold_table[i].code;
        index[static_cast<std::size_t>(lead_rows[code >> 8])][code & 0xFF] = static_cast<std::uint16_t>(i + 1);
    }
    return index;
}

constexpr std::array<TrailIndex, RowCount()> entry_index = EntryIndex();

} // namespace

std::string_view FoldedDoubleByteCharacter(unsigned char lead, unsigned char trail)
{
    const std::int8_t row = lead_rows[lead];
    if (row < 0)
        return {};
    const std::uint16_t entry = entry_index[static_cast<std::size_t>(row)][trail];
    return entry != 0 ? fold_table[entry - 1].folded : std::string_view();
}

std::string FoldToHalfWidthKatakana(std::string_view sjis)
{
    std::string folded;
    folded.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size();) {
        if (CharLengthAt(sjis, i) == 1) {
            folded.push_back(sjis[i]);
            ++i;
            continue;
        }
        const std::string_view replacement = FoldedDoubleByteCharacter(static_cast<unsigned char>(sjis[i]),
                                                                       static_cast<unsigned char>(sjis[i + 1]));
        folded.append(replacement.empty() ? sjis.substr(i, 2) : replacement);
        i += 2;
    }
    return folded;
}
