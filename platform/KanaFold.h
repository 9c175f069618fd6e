#pragma once

#include <string>
#include <string_view>

// Folds a Shift-JIS text to half-width katakana: full-width ASCII and the
// ideographic space become ASCII, symbols with half-width forms take them,
// hiragana and katakana become half-width katakana (voiced marks as separate
// characters); kana without a half-width form become full-width katakana.
// Everything else, half-width katakana included, is kept.
std::string FoldToHalfWidthKatakana(std::string_view sjis);
// What the fold makes of one double-byte character: one or two half-width
// characters or another double-byte one; empty when the character stays. For
// loops that fold on the way (the text search).
std::string_view FoldedDoubleByteCharacter(unsigned char lead, unsigned char trail);
