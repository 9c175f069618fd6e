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
// The steps are applied in one walk over the text's characters: a step
// changes a character (or drops it) without looking at its neighbours, and
// the fold gives whole characters, so each character can go through all
// steps before the next is read; the writer follows the run of dots at the
// end as it goes and cuts it off at the end. The search bar reaches every
// text of a drawing, and one walk takes half the time of four.
//
// Cost: the word is normalised or compiled once per search. Each text costs
// one walk into the matcher's buffer (no allocation once the buffer has grown
// to the longest text; the fold is two table reads per double-byte
// character) and a byte search (std::string_view::find) with a boundary walk
// that only moves forward. A pattern is matched by the engine's automaton in
// time linear in the text.

#include "document/TextMatcher.h"

#include "platform/KanaFold.h"
#include "platform/ShiftJis.h"

namespace {

constexpr char half_width_dot = '\xA5';
constexpr std::string_view full_width_dot = "\x81\x45";

constexpr int normalising_options = SearchFoldWidth | SearchFoldCase | SearchIgnoreBlanks | SearchIgnoreEqualSpacing;

bool HasOption(int options, int option)
{
    return (options & option) != 0;
}

enum class DotKind { None, FullWidth, HalfWidth };

// Writes the normalised characters one by one: the steps of one character
// never depend on its neighbours, except the dots at the end, whose run the
// writer follows as it goes.
class TNormalisedWriter {
public:
    TNormalisedWriter(int options, std::string& out)
        : fold_case_(HasOption(options, SearchFoldCase))
        , drop_blanks_(HasOption(options, SearchIgnoreBlanks))
        , out_(out)
    {
    }

    void PutSingle(char c)
    {
        if (drop_blanks_ && c == ' ')
            return;
        if (fold_case_ && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        Follow(c == half_width_dot ? DotKind::HalfWidth : DotKind::None);
        out_.push_back(c);
    }

    void PutDouble(std::string_view character)
    {
        Follow(character == full_width_dot ? DotKind::FullWidth : DotKind::None);
        out_.append(character);
    }

    // What the fold gave: whole characters, so walked as a text of its own.
    void PutFolded(std::string_view characters)
    {
        for (std::size_t i = 0; i < characters.size();) {
            const std::size_t length = CharLengthAt(characters, i);
            if (length == 1)
                PutSingle(characters[i]);
            else
                PutDouble(characters.substr(i, 2));
            i += length;
        }
    }

    // Drops the run of dots of one kind the text ends with, if it ends in one.
    void DropTrailingDots()
    {
        if (run_kind_ != DotKind::None)
            out_.resize(run_start_);
    }

private:
    void Follow(DotKind kind)
    {
        if (kind != run_kind_)
            run_start_ = out_.size();
        run_kind_ = kind;
    }

    bool fold_case_;
    bool drop_blanks_;
    std::string& out_;
    DotKind run_kind_ = DotKind::None;
    std::size_t run_start_ = 0;
};

} // namespace

void NormaliseSearchText(std::string_view text, int options, std::string& normalised)
{
    if (!HasOption(options, normalising_options)) {
        normalised.assign(text);
        return;
    }
    const bool fold_width = HasOption(options, SearchFoldWidth);
    normalised.clear();
    normalised.reserve(text.size());
    TNormalisedWriter writer(options, normalised);
    for (std::size_t i = 0; i < text.size();) {
        if (CharLengthAt(text, i) == 1) {
            writer.PutSingle(text[i]);
            ++i;
            continue;
        }
        const std::string_view character = text.substr(i, 2);
        const std::string_view folded = fold_width
            ? FoldedDoubleByteCharacter(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1]))
            : std::string_view();
        if (folded.empty())
            writer.PutDouble(character);
        else
            writer.PutFolded(folded);
        i += 2;
    }
    if (HasOption(options, SearchIgnoreEqualSpacing))
        writer.DropTrailingDots();
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
    , normalises_(HasOption(options, normalising_options))
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
    std::string_view compared = text;
    if (normalises_) {
        NormaliseSearchText(text, options_, normalised_text_);
        compared = normalised_text_;
    }
    return exact_ ? compared == word_ : ContainsWholeChars(compared, word_);
}
