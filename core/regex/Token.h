#pragma once

// Tokens of a regular-expression pattern and the pattern error that names
// one. The name of a token kind is also the message of a pattern error of
// that kind, so a caller can show it as it is.

#include "platform/Errors.h"

#include <cstdint>
#include <string>

enum class TbmRETokenKind : std::uint8_t {
    Character = 0,         // lo = hi = the code; after standardisation also a class member
    CharacterClass = 1,    // a range member x-y inside brackets
    Union = 2,             // |
    LeftParenthesis = 3,
    RightParenthesis = 4,
    Asterisk = 5,
    Plus = 6,
    QuestionMark = 7,
    LeftBracket = 8,       // [
    NegateLeftBracket = 9, // [^
    RightBracket = 10,     // the ] that closes a class
    Dot = 11,
    LineHead = 12,         // ^
    LineTail = 13,         // $
    End = 14,
    // 15 to 19 name operators the scanner never produces ("/", "&", "!", "{"
    // and "}" are ordinary characters).
    LogicalOr = 15,
    LogicalAnd = 16,
    LogicalNot = 17,
    LogicalLeftParenthesis = 18,
    LogicalRightParenthesis = 19,
    // Errors.
    NeedRightBracket = 20,
    InvalidCharacterClass = 21,
    InvalidEscapeSequence = 22,
    InvalidCharacter = 23,
    NeedRightParenthesis = 24,
    NeedOperand = 25,
    // Limits: a pattern that would exhaust the stack or memory.
    NestedTooDeeply = 26,
    TooComplex = 27,
};

// One token of a pattern. start and end are byte offsets in the pattern
// before the token's first and after its last character.
struct TbmREToken {
    TbmRETokenKind kind = TbmRETokenKind::Character;
    int lo = 0;
    int hi = 0;
    int start = 0;
    int end = 0;
};

// The exact name of a kind, such as "need right parenthesis".
const char* TokenKindName(TbmRETokenKind kind);

// A pattern error: the message is the name of the offending token's kind;
// the token says where in the pattern the error was found. For the
// "pattern too complex" limit of the automaton the token covers no text.
class EbmREToken : public ZuviewError {
public:
    explicit EbmREToken(const TbmREToken& token);
    // Raises `token` as an error of `kind`.
    [[noreturn]] static void Raise(TbmREToken token, TbmRETokenKind kind);

    const TbmREToken& Token() const { return token_; }

private:
    TbmREToken token_;
};
