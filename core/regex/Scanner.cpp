#include "core/regex/Scanner.h"

#include <algorithm>
#include <climits>

namespace {

std::unique_ptr<TbmWchReader> CreateReaderOrRaise(TbmCharCode char_code)
{
    std::unique_ptr<TbmWchReader> reader = CreateReader(char_code);
    if (!reader)
        throw ZuviewError("TbmREScanner.SetCharCode: can't create reader");
    return reader;
}

} // namespace

TbmREScanner::TbmREScanner(TbmCharCode char_code)
    : char_code_(char_code)
    , reader_(CreateReaderOrRaise(char_code))
{
}

void TbmREScanner::SetCharCode(TbmCharCode char_code)
{
    if (char_code == char_code_)
        return;
    reader_ = CreateReaderOrRaise(char_code);
    char_code_ = char_code;
    pattern_length_ = 0;
    Reset();
}

void TbmREScanner::SetText(const std::string& pattern)
{
    reader_->SetText(pattern);
    pattern_length_ = static_cast<int>(std::min<std::size_t>(pattern.size(), INT_MAX));
    bracket_count_ = 0;
}

void TbmREScanner::Reset()
{
    reader_->Reset();
    bracket_count_ = 0;
}

int TbmREScanner::Offset() const
{
    return std::min(reader_->GetPosition(), pattern_length_);
}

int TbmREScanner::DecodeEscape(TbmREToken& token)
{
    const int code = reader_->ReadEscape();
    if (code == kEndOfText) {
        token.end = Offset();
        EbmREToken::Raise(token, TbmRETokenKind::InvalidEscapeSequence);
    }
    return code;
}

void TbmREScanner::NextToken(TbmREToken& token)
{
    token = TbmREToken {};
    token.start = Offset();
    const int code = reader_->ReadChar();
    token.lo = token.hi = code;
    token.end = Offset();
    if (bracket_count_ > 0) {
        ScanClassMember(token, code);
        return;
    }
    if (code == kEndOfText) {
        token.kind = TbmRETokenKind::End;
        return;
    }
    if (!use_meta_chars_)
        return;
    switch (code) {
    case '\\':
        token.lo = token.hi = DecodeEscape(token);
        token.end = Offset();
        return;
    case '$': token.kind = TbmRETokenKind::LineTail; return;
    case '(': token.kind = TbmRETokenKind::LeftParenthesis; return;
    case ')': token.kind = TbmRETokenKind::RightParenthesis; return;
    case '*': token.kind = TbmRETokenKind::Asterisk; return;
    case '+': token.kind = TbmRETokenKind::Plus; return;
    case '.': token.kind = TbmRETokenKind::Dot; return;
    case '?': token.kind = TbmRETokenKind::QuestionMark; return;
    case '^': token.kind = TbmRETokenKind::LineHead; return;
    case '|': token.kind = TbmRETokenKind::Union; return;
    case '[':
        bracket_count_ = 1;
        if (reader_->ReadChar() == '^') {
            token.kind = TbmRETokenKind::NegateLeftBracket;
            token.end = Offset();
        } else {
            reader_->StepBack();
            token.kind = TbmRETokenKind::LeftBracket;
        }
        return;
    default: return;
    }
}

void TbmREScanner::ScanClassMember(TbmREToken& token, int code)
{
    bracket_count_ = std::min(bracket_count_ + 1, 3);
    if (code == kEndOfText)
        EbmREToken::Raise(token, TbmRETokenKind::NeedRightBracket);
    if (code == ']' && bracket_count_ > 2) {
        token.kind = TbmRETokenKind::RightBracket;
        bracket_count_ = 0;
        return;
    }
    if (code == '\\')
        code = DecodeEscape(token);

    if (reader_->ReadChar() == '-') {
        int upper = reader_->ReadChar();
        if (upper != ']' && upper != kEndOfText) {
            if (upper == '\\')
                upper = DecodeEscape(token);
            token.kind = TbmRETokenKind::CharacterClass;
            token.lo = code;
            token.hi = upper;
            token.end = Offset();
            if (upper < code)
                EbmREToken::Raise(token, TbmRETokenKind::InvalidCharacterClass);
            return;
        }
        reader_->StepBack();  // the "]" or the end: "-" is a member of its own
    }
    reader_->StepBack();
    token.lo = token.hi = code;
    token.end = Offset();
}

void TbmRETokens::Scan(TbmREScanner& scanner)
{
    clear();
    TbmREToken token;
    do {
        scanner.NextToken(token);
        push_back(token);
    } while (token.kind != TbmRETokenKind::End);
}
