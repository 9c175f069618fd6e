#pragma once

// The scanner cuts a pattern into tokens; the token list collects them.
//
// With the metacharacter switch on:
//   "\" escape           a literal character (see TbmWchReader::ReadEscape)
//   ( ) | * + ? . ^ $    operators and anchors
//   [ members ]          a class; "[^" negates it; a member is a character,
//                        an escape or a range x-y. A "]" right after "[" or
//                        "[^" is a member, and so is a "-" that comes first
//                        or last.
//   anything else        itself, also "]", "{", "}", "-" outside a class
// With it off every character, the backslash included, is literal.

#include "core/regex/CharReader.h"
#include "core/regex/Token.h"

#include <memory>
#include <string>
#include <vector>

class TbmREScanner {
public:
    // Raises ZuviewError when no reader exists for the char code.
    explicit TbmREScanner(TbmCharCode char_code);

    // Switches to another char code; raises ZuviewError "TbmREScanner.
    // SetCharCode: can't create reader" and keeps the old reader when no
    // reader exists for it.
    void SetCharCode(TbmCharCode char_code);
    void SetText(const std::string& pattern);
    void Reset();
    void SetUseMetaChars(bool use_meta_chars) { use_meta_chars_ = use_meta_chars; }

    // The next token; the last one of a pattern has kind End. Raises
    // EbmREToken for an unclosed class, a reversed range or a bad escape.
    void NextToken(TbmREToken& token);

private:
    void ScanClassMember(TbmREToken& token, int code);
    // The character after a backslash; raises for a backslash at the end or
    // "\x" without a digit.
    int DecodeEscape(TbmREToken& token);
    // The reader's position, never beyond the pattern.
    int Offset() const;

    TbmCharCode char_code_;
    std::unique_ptr<TbmWchReader> reader_;
    int pattern_length_ = 0;
    // 0 outside a class; 1 after "[" or "[^", then counts members up to 3
    // (only "more than two" matters: a "]" closes the class from then on).
    int bracket_count_ = 0;
    bool use_meta_chars_ = true;
};

// The tokens of one pattern, ending with the End token.
class TbmRETokens : public std::vector<TbmREToken> {
public:
    // Empties the list and fills it with the scanner's tokens.
    void Scan(TbmREScanner& scanner);
};
