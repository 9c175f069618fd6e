#pragma once

// A slow, obviously correct matcher for checking the regular-expression
// engine: its own parser over the same pattern syntax (Shift-JIS only), and
// a match that tries every candidate start in order and walks sets of text
// positions through the syntax tree, taking the largest end. It shares no
// code with the engine.

#include <string>

struct OracleResult {
    bool valid = false;  // false: the pattern has a syntax error
    int offset = -1;     // byte offset of the match, -1 for none
    int length = 0;
};

// Texts are limited to 60 characters (the position sets are bit masks).
OracleResult OracleMatch(const std::string& pattern, const std::string& text, int start_offset, bool use_meta_chars,
                         bool ignore_case);
