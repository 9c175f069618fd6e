#pragma once

// The search bar's text comparison: whether one drawing text is a hit for the
// word the user typed, under the option bits of the search-option menu.
// TZhdData::SearchText builds one matcher per search and asks it about every
// text in scope.

#include "core/regex/Pattern.h"

#include <string>
#include <string_view>

// The option word of the search bar: bit n has the value 2^n. The menu items
// of the duplicate-character and ordering bits are hidden, and the search
// reads none of them; bits 0 and 11 to 31 mean nothing.
enum TTextSearchOption : int {
    SearchExactMatch = 0x2,         // "完全一致"
    SearchFoldWidth = 0x4,          // "全角半角同一視"
    SearchFoldCase = 0x8,           // "大文字小文字同一視"
    SearchDuplicateChars = 0x10,    // "重複文字同一視"
    SearchRegularExpression = 0x20, // "正規表現": the others but the ordering are ignored
    SearchDataOrder = 0x40,         // "並替無し（データ順）"
    SearchAscending = 0x80,         // "文字列昇順"
    SearchDescending = 0x100,       // "文字列降順"
    SearchIgnoreBlanks = 0x200,     // "スペースを無視"
    SearchIgnoreEqualSpacing = 0x400, // "均等割付を無視"
};

// Which elements a search or a candidate list looks at, in the order of the
// search bar's target box; any other value admits no element.
enum TTextSearchScope : int {
    SearchVisibleLayers = 0, // "表示レイヤ"
    SearchWriteGroup = 1,    // "書込グループ"
    SearchWriteLayer = 2,    // "書込レイヤ": the write layer of the write group
};

// The text as the search compares it, written over `normalised`: folded to
// half width, lower-cased, without blanks, without trailing middle dots,
// each step only when its option bit is set.
void NormaliseSearchText(std::string_view text, int options, std::string& normalised);

// Whether `word` occurs in `text` as whole characters: the occurrence begins
// and ends on character boundaries of the text. The empty word occurs nowhere.
bool ContainsWholeChars(std::string_view text, std::string_view word);

class TTextMatcher {
public:
    // Normalises the word once or, with SearchRegularExpression, compiles it,
    // so that a pattern error (EbmREToken) arises before any text is seen.
    TTextMatcher(const std::string& word, int options);

    // Reuses the matcher's buffers: one matcher serves one thread.
    bool IsHit(const std::string& text);

private:
    int options_;
    bool regular_expression_;
    bool exact_;
    // Whether any option changes texts before they are compared.
    bool normalises_;
    std::string word_;
    std::string normalised_text_;
    TbmRExp pattern_;
};
