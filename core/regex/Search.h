#pragma once

#include "core/regex/Automaton.h"
#include "core/regex/CharReader.h"

// Finds the leftmost-longest match of the automaton in the text from byte
// offset `start_offset` on. Returns the match's byte offset, or -1 when there
// is none; `match_length` receives its byte length (0 when there is none).
//
// Both readers must be of the automaton's char code: `position_reader` walks
// the candidate starts, `scanning_reader` scans forward from each. A missing
// text, a negative length, a start offset outside [0, byte_length], or a
// length or offset that splits a UTF-16 unit is no match.
int RegexSearch(const char* text, int byte_length, int start_offset, TbmWchReader& scanning_reader,
                TbmWchReader& position_reader, const TbmREDFATable& table, int& match_length);
