#pragma once

#include <string>
#include <string_view>

// Folds a Shift-JIS text to half-width katakana: full-width ASCII and the
// ideographic space become ASCII, symbols with half-width forms take them,
// hiragana and katakana become half-width katakana (voiced marks as separate
// characters); kana without a half-width form become full-width katakana.
// Everything else, half-width katakana included, is kept.
std::string FoldToHalfWidthKatakana(std::string_view sjis);
// The same into a buffer the caller keeps, for loops over many texts: the
// buffer is overwritten and keeps its capacity. It must not be `sjis`'s own
// storage.
void FoldToHalfWidthKatakana(std::string_view sjis, std::string& folded);
