#include "platform/KanaFold.h"

#include "platform/ShiftJis.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace {

struct FoldEntry {
    std::uint16_t code;
    const char* folded;
};

constexpr FoldEntry fold_table[] = {
#include "platform/KanaFoldTable.inc"
};

static_assert(std::is_sorted(std::begin(fold_table), std::end(fold_table),
    [](const FoldEntry& a, const FoldEntry& b) { return a.code < b.code; }));

const char* FoldedCharacter(std::uint16_t code)
{
    const auto* end = std::end(fold_table);
    const auto* entry = std::lower_bound(std::begin(fold_table), end, code,
        [](const FoldEntry& e, std::uint16_t c) { return e.code < c; });
    return entry != end && entry->code == code ? entry->folded : nullptr;
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
        const std::size_t length = CharLengthAt(sjis, i);
        if (length == 2) {
            const auto code = static_cast<std::uint16_t>(static_cast<unsigned char>(sjis[i]) << 8
                | static_cast<unsigned char>(sjis[i + 1]));
            if (const char* replacement = FoldedCharacter(code)) {
                folded += replacement;
                i += 2;
                continue;
            }
        }
        folded.append(sjis, i, length);
        i += length;
    }
}
