#pragma once

// The candidates of narrowing mode: the distinct texts of the drawing that
// begin with the typed word, each with the number of its occurrences.

#include "core/CountString.h"

#include <string>
#include <vector>

// Keeps in `texts` (Shift-JIS, as collected) those whose normalised form
// begins with the normalised word, sorts them by bytes and fills
// `candidates` with each distinct one once with its count. An empty word
// keeps every text.
// `options` are the search option bits; only the normalising ones (width,
// case, blanks, equal spacing) are used.
void NarrowTexts(std::vector<std::string>& texts, const std::string& word, int options,
                 std::vector<TCountString>& candidates);
