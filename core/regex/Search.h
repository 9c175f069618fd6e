#pragma once

#include "core/regex/Automaton.h"
#include "core/regex/CharReader.h"

// Finds the leftmost-longest match of the automaton in the text from byte
// offset `start_offset` on. Returns the match's byte offset, or -1 when there
// is none; `match_length` receives its byte length (0 when there is none).
//
// The reader must be of the automaton's char code. A missing text, a
// negative length, a start offset outside [0, byte_length], or a length or
// offset that splits a UTF-16 unit is no match. The time is linear in the
// text for a given automaton.
int RegexSearch(const char* text, int byte_length, int start_offset, TbmWchReader& reader, const TbmREDFATable& table,
                int& match_length);
