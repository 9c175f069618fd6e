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

static_assert(std::is_sorted(std::begin(fold_table), std::end(fold_table),
    [](const FoldEntry& a, const FoldEntry& b) { return a.code < b.code; }));

// The lead bytes of the table's characters: most of a Japanese text is kanji,
// whose lead bytes are not among them, so they skip the table search.
constexpr std::array<bool, 256> TableLeadBytes()
{
    std::array<bool, 256> leads {};
    for (const FoldEntry& entry : fold_table)
        leads[entry.code >> 8] = true;
    return leads;
}

constexpr std::array<bool, 256> table_lead_bytes = TableLeadBytes();

// The folded form of a double-byte character, or nullptr when it stays.
const std::string_view* FoldedCharacter(unsigned char lead, unsigned char trail)
{
    if (!table_lead_bytes[lead])
        return nullptr;
    const auto code = static_cast<std::uint16_t>(lead << 8 | trail);
    const auto* end = std::end(fold_table);
    const auto* entry = std::lower_bound(std::begin(fold_table), end, code,
        [](const FoldEntry& e, std::uint16_t c) { return e.code < c; });
    return entry != end && entry->code == code ? &entry->folded : nullptr;
}

} // namespace

std::string FoldToHalfWidthKatakana(std::string_view sjis)
{
    std::string folded;
    FoldToHalfWidthKatakana(sjis, folded);
    return folded;
}

void FoldToHalfWidthKatakana(std::string_view sjis, std::string& folded)
{
    folded.clear();
    folded.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size();) {
        if (CharLengthAt(sjis, i) == 1) {
            folded.push_back(sjis[i]);
            ++i;
            continue;
        }
        const auto lead = static_cast<unsigned char>(sjis[i]);
        const auto trail = static_cast<unsigned char>(sjis[i + 1]);
        if (const std::string_view* replacement = FoldedCharacter(lead, trail))
            folded.append(*replacement);
        else
            folded.append(sjis.substr(i, 2));
        i += 2;
    }
}
