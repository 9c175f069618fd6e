#pragma once

#include "core/regex/Scanner.h"
#include "core/regex/WchRanges.h"

// Fills the partition with every character range the tokens use and rewrites
// each negated class as a plain class of its complement (line feed and
// carriage return excluded), so the parser sees only plain classes. An
// anchor token adds the range of its literal character ("^" or "$") too, for
// the case that it turns out not to be an anchor.
void Standardize(TbmRETokens& tokens, TbmREWchRanges& partition);
