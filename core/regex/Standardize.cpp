#include "core/regex/Standardize.h"

#include "core/regex/CharCode.h"

namespace {

// Replaces the members of the negated class whose "[^" is at `open` by the
// members of its complement and returns the index of its "]".
std::size_t RewriteNegatedClass(TbmRETokens& tokens, std::size_t open, TbmREWchRanges& partition)
{
    if (open + 1 >= tokens.size())
        throw ZuviewError("TbmRETokens.Standardize Internal Error(2)");
    std::size_t close = open + 1;
    while (close < tokens.size() && tokens[close].kind != TbmRETokenKind::RightBracket)
        ++close;
    if (close == tokens.size())
        throw ZuviewError("TbmRETokens.Standardize Internal Error(3)");

    TbmREWchRanges excluded;
    excluded.AddLineBreaks();
    for (std::size_t i = open + 1; i < close; ++i)
        excluded.Add(tokens[i].lo, tokens[i].hi);
    excluded.Invert(0, kMaxCharCode);
    partition.AddRanges(excluded);

    const int start = open + 1 < close ? tokens[open + 1].start : tokens[close].start;
    const int end = tokens[close].start;
    std::vector<TbmREToken> members;
    members.reserve(excluded.Count());
    for (const TbmREWchRange& range : excluded.Entries()) {
        const TbmRETokenKind kind = range.lo == range.hi ? TbmRETokenKind::Character : TbmRETokenKind::CharacterClass;
        members.push_back({ kind, range.lo, range.hi, start, end });
    }
    tokens[open].kind = TbmRETokenKind::LeftBracket;
    tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(open) + 1, tokens.begin() + static_cast<std::ptrdiff_t>(close));
    tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(open) + 1, members.begin(), members.end());
    return open + 1 + members.size();
}

} // namespace

void Standardize(TbmRETokens& tokens, TbmREWchRanges& partition)
{
    partition.Clear();
    if (tokens.empty())
        throw ZuviewError("TbmRETokens.Standardize Internal Error(1)");
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const TbmREToken& token = tokens[i];
        switch (token.kind) {
        case TbmRETokenKind::Character:
        case TbmRETokenKind::CharacterClass: partition.Add(token.lo, token.hi); break;
        case TbmRETokenKind::Dot: partition.AddAnyChar(); break;
        case TbmRETokenKind::LineHead: partition.Add('^', '^'); break;
        case TbmRETokenKind::LineTail: partition.Add('$', '$'); break;
        case TbmRETokenKind::NegateLeftBracket: i = RewriteNegatedClass(tokens, i, partition); break;
        default: break;
        }
    }
}
