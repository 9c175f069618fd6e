#include "core/regex/IgnoreCase.h"

namespace {

bool IsClassStart(TbmRETokenKind kind)
{
    return kind == TbmRETokenKind::LeftBracket || kind == TbmRETokenKind::NegateLeftBracket;
}

bool IsAsciiLetter(int code)
{
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

// The end of the block that starts at `first`.
std::size_t BlockEnd(const TbmRETokens& tokens, std::size_t first)
{
    std::size_t last = first;
    if (tokens[first].kind == TbmRETokenKind::Character) {
        while (last < tokens.size() && tokens[last].kind == TbmRETokenKind::Character)
            ++last;
        return last;
    }
    while (last < tokens.size() && tokens[last].kind != TbmRETokenKind::RightBracket)
        ++last;
    return last < tokens.size() ? last + 1 : last;
}

} // namespace

void TbmREDicFrame::Apply(TbmRETokens& source, TbmRETokens& destination)
{
    destination.clear();
    destination.reserve(source.size());
    std::size_t index = 0;
    while (index < source.size()) {
        const TbmRETokenKind kind = source[index].kind;
        if (kind != TbmRETokenKind::Character && !IsClassStart(kind)) {
            destination.push_back(source[index++]);
            continue;
        }
        const std::size_t end = BlockEnd(source, index);
        CopyTokens(std::span<const TbmREToken>(source).subspan(index, end - index), destination);
        index = end;
    }
    source.clear();
}

void TbmREDicFrame::CopyTokens(std::span<const TbmREToken> block, TbmRETokens& destination)
{
    destination.insert(destination.end(), block.begin(), block.end());
}

void TbmREAsciiIgnoreCaseDic::CopyTokens(std::span<const TbmREToken> block, TbmRETokens& destination)
{
    if (IsClassStart(block.front().kind)) {
        TbmREDicFrame::CopyTokens(block, destination);
        return;
    }
    for (const TbmREToken& token : block) {
        if (!IsAsciiLetter(token.lo)) {
            destination.push_back(token);
            continue;
        }
        // "(", the letter, "|", the other case, ")", all spanning the letter.
        TbmREToken part = token;
        const auto append = [&](TbmRETokenKind kind, int code) {
            part.kind = kind;
            part.lo = part.hi = code;
            destination.push_back(part);
        };
        append(TbmRETokenKind::LeftParenthesis, '(');
        append(TbmRETokenKind::Character, token.lo);
        append(TbmRETokenKind::Union, '|');
        append(TbmRETokenKind::Character, token.lo ^ 0x20);
        append(TbmRETokenKind::RightParenthesis, ')');
    }
}
