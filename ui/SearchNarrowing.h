#pragma once

// The candidates of narrowing mode: the distinct texts of the drawing that
// begin with the typed word, each with the number of its occurrences.

#include "core/CountString.h"

#include <string>
#include <vector>

// Sorts `texts` (Shift-JIS, as collected) by bytes and fills `candidates`
// with those whose normalised form begins with the normalised word, each
// distinct text once with its count. An empty word takes every text.
// `options` are the search option bits; only the normalising ones (width,
// case, blanks, equal spacing) are used.
void NarrowTexts(std::vector<std::string>& texts, const std::string& word, int options,
                 std::vector<TCountString>& candidates);
