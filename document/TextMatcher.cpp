// Text comparison for the search bar.
//
// Without the regular-expression bit, word and text go through the same
// normalisation and are then compared as bytes: equal under exact match,
// otherwise the word must occur in the text. The normalisation steps run in a
// fixed order, each only when its bit is set:
//   1. fold width: full-width letters, digits, signs and blanks become
//      half-width, hiragana and katakana half-width katakana (our CP932 table);
//   2. fold case: ASCII capitals become small letters;
//   3. drop every half-width blank (a full-width blank only after step 1 has
//      made it half-width);
//   4. drop trailing middle dots, of the kind the last character shows: a
//      double-byte last character loses a run of "・", a single-byte one a run
//      of "･" (equal spacing pads names with either kind, never with both).
// With the regular-expression bit the word is a pattern, matched anywhere in
// the text as stored; the other bits are ignored.
//
// Shift-JIS is walked character by character wherever bytes are not enough:
// a trail byte may be any of 0x40 to 0xFC, ASCII capitals included, so case
// folding skips double-byte characters whole (lower-casing the trail byte of
// "陰", 0x89 0x41, would make it "餌"), and an occurrence of the word counts
// only when it covers whole characters of the text: "A" must not be found in
// the second half of "ア", nor a word cut after a lead byte in the first half
// of a character. Texts are not trusted to be well formed: a lead byte at the
// end is a character of one byte.
//
// Cost: the word is normalised or compiled once per search. Each text costs
// one copy into the matcher's buffer (the fold writes it there), one walk per
// step that needs characters, and a byte search (std::string_view::find) with
// a boundary walk that only moves forward; no allocation once the buffer has
// grown to the longest text. A pattern is matched by the engine's automaton in
// time linear in the text.

#include "document/TextMatcher.h"

#include "platform/KanaFold.h"
#include "platform/ShiftJis.h"

#include <algorithm>

namespace {

constexpr char half_width_dot = '\xA5';
constexpr std::string_view full_width_dot = "\x81\x45";

bool HasOption(int options, int option)
{
    return (options & option) != 0;
}

void LowerCaseAsciiLetters(std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLengthAt(text, i);
        if (length == 1 && text[i] >= 'A' && text[i] <= 'Z')
            text[i] = static_cast<char>(text[i] - 'A' + 'a');
        i += length;
    }
}

void DropBlanks(std::string& text)
{
    // A blank is never part of a double-byte character: trail bytes start at
    // 0x40.
    std::erase(text, ' ');
}

enum class DotKind { None, FullWidth, HalfWidth };

DotKind DotKindAt(std::string_view text, std::size_t i, std::size_t length)
{
    if (length == 2)
        return text.substr(i, 2) == full_width_dot ? DotKind::FullWidth : DotKind::None;
    return text[i] == half_width_dot ? DotKind::HalfWidth : DotKind::None;
}

void DropTrailingMiddleDots(std::string& text)
{
    // The run of dots of one kind that the text ends with, found in one walk.
    DotKind run_kind = DotKind::None;
    std::size_t run_start = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLengthAt(text, i);
        const DotKind kind = DotKindAt(text, i, length);
        if (kind != run_kind)
            run_start = i;
        run_kind = kind;
        i += length;
    }
    if (run_kind != DotKind::None)
        text.resize(run_start);
}

} // namespace

void NormaliseSearchText(std::string_view text, int options, std::string& normalised)
{
    if (HasOption(options, SearchFoldWidth))
        FoldToHalfWidthKatakana(text, normalised);
    else
        normalised.assign(text);
    if (HasOption(options, SearchFoldCase))
        LowerCaseAsciiLetters(normalised);
    if (HasOption(options, SearchIgnoreBlanks))
        DropBlanks(normalised);
    if (HasOption(options, SearchIgnoreEqualSpacing))
        DropTrailingMiddleDots(normalised);
}

bool ContainsWholeChars(std::string_view text, std::string_view word)
{
    if (word.empty())
        return false;
    std::size_t boundary = 0;
    for (std::size_t found = text.find(word); found != std::string_view::npos; found = text.find(word, found + 1)) {
        while (boundary < found)
            boundary += CharLengthAt(text, boundary);
        if (boundary != found)
            continue;
        std::size_t end = found;
        while (end < found + word.size())
            end += CharLengthAt(text, end);
        if (end == found + word.size())
            return true;
    }
    return false;
}

TTextMatcher::TTextMatcher(const std::string& word, int options)
    : options_(options)
    , regular_expression_(HasOption(options, SearchRegularExpression))
    , exact_(HasOption(options, SearchExactMatch))
{
    if (regular_expression_) {
        pattern_.SetPattern(word);
        pattern_.Compile();
    } else {
        NormaliseSearchText(word, options_, word_);
    }
}

bool TTextMatcher::IsHit(const std::string& text)
{
    if (regular_expression_) {
        int length = 0;
        int position = 0;
        return pattern_.Match(text, 1, length, position) != 0;
    }
    NormaliseSearchText(text, options_, normalised_text_);
    return exact_ ? normalised_text_ == word_ : ContainsWholeChars(normalised_text_, word_);
}
