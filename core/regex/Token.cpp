#include "core/regex/Token.h"

#include <array>

const char* TokenKindName(TbmRETokenKind kind)
{
    static constexpr std::array<const char*, 28> kNames {
        "character",
        "character class",
        "union",
        "left parenthesis",
        "right parenthesis",
        "asterisk",
        "plus",
        "question mark",
        "left bracket",
        "negate left bracket",
        "right bracket",
        "dot",
        "line head",
        "line tail",
        "end",
        "logical or",
        "logical and",
        "logical not",
        "logical left parenthis",
        "logical right parenthis",
        "need right bracket \"]\" ",
        "invalid character class",
        "invalid escape sequence",
        "invalid character",
        "need right parenthesis",
        "need normal char or left parenthesis",
        "pattern nested too deeply",
        "pattern too complex",
    };
    const auto index = static_cast<std::size_t>(kind);
    return index < kNames.size() ? kNames[index] : "unknown token";
}

EbmREToken::EbmREToken(const TbmREToken& token)
    : ZuviewError(TokenKindName(token.kind))
    , token_(token)
{
}

void EbmREToken::Raise(TbmREToken token, TbmRETokenKind kind)
{
    token.kind = kind;
    throw EbmREToken(token);
}
