#include "core/regex/Pattern.h"

#include "core/regex/IgnoreCase.h"
#include "core/regex/Parser.h"
#include "core/regex/Scanner.h"
#include "core/regex/Search.h"
#include "core/regex/Standardize.h"

#include <array>
#include <climits>
#include <memory>

namespace {

constexpr std::size_t kCharCodeCount = 5;

// The scratch objects of compiling and searching. One set per thread, made
// on first use: compiling fills and empties them, searching reuses the
// readers, so neither allocates per call beyond the automaton itself.
struct SharedObjects {
    TbmREScanner scanner { TbmCharCode::ShiftJis };
    TbmRETokens tokens;
    TbmRETokens filtered_tokens;
    TbmREWchRanges partition;
    TbmRETree tree;
    TbmREAsciiIgnoreCaseDic ignore_case;
    std::array<std::unique_ptr<TbmWchReader>, kCharCodeCount> search_readers;

    SharedObjects()
    {
        for (std::size_t i = 0; i < kCharCodeCount; ++i)
            search_readers[i] = CreateReader(static_cast<TbmCharCode>(i));
    }

    // Frees what one compilation left, also after a failed one.
    void ReleaseCompileData()
    {
        scanner.SetText({});
        tokens = {};
        filtered_tokens = {};
        partition.Clear();
        tree.Clear();
    }
};

SharedObjects& Shared()
{
    thread_local SharedObjects shared;
    return shared;
}

} // namespace

TbmRExp::TbmRExp()
    : char_code_(DefaultCharCode())
{
}

void TbmRExp::SetCharCode(TbmCharCode char_code)
{
    if (char_code == char_code_)
        return;
    char_code_ = char_code;
    compiled_ = false;
}

void TbmRExp::SetPattern(const std::string& pattern)
{
    if (pattern == pattern_)
        return;
    pattern_ = pattern;
    compiled_ = false;
}

void TbmRExp::SetOption(int index, bool value)
{
    bool* option = index == kUseMetaChars ? &use_meta_chars_ : index == kIgnoreCase ? &ignore_case_ : nullptr;
    if (option == nullptr || *option == value)
        return;
    *option = value;
    compiled_ = false;
}

bool TbmRExp::GetOption(int index) const
{
    return index == kUseMetaChars ? use_meta_chars_ : index == kIgnoreCase && ignore_case_;
}

TbmRETokens& TbmRExp::FilterTokens(TbmRETokens& tokens)
{
    if (!ignore_case_)
        return tokens;
    SharedObjects& shared = Shared();
    shared.ignore_case.Apply(tokens, shared.filtered_tokens);
    return shared.filtered_tokens;
}

const TbmREDFATable& TbmRExp::Compile()
{
    if (compiled_)
        return automaton_;
    SharedObjects& shared = Shared();
    try {
        shared.scanner.SetCharCode(char_code_);
        shared.scanner.SetText(pattern_);
        shared.scanner.SetUseMetaChars(use_meta_chars_);
        shared.tokens.Scan(shared.scanner);
        TbmRETokens& tokens = FilterTokens(shared.tokens);
        Standardize(tokens, shared.partition);
        shared.tree.Build(tokens, shared.partition);
        automaton_.Build(shared.tree, shared.partition);
    } catch (...) {
        automaton_.Clear();
        shared.ReleaseCompileData();
        throw;
    }
    shared.ReleaseCompileData();
    compiled_ = true;
    return automaton_;
}

int TbmRExp::Match(const std::string& text, int start, int& length, int& position)
{
    const auto char_code = static_cast<std::size_t>(GetCharCode());
    const TbmREDFATable& automaton = Compile();
    length = 0;
    position = 0;
    SharedObjects& shared = Shared();
    if (char_code >= kCharCodeCount || !shared.search_readers[char_code] || start < 1 || text.size() > INT_MAX)
        return 0;
    const int offset = RegexSearch(text.data(), static_cast<int>(text.size()), start - 1,
                                   *shared.search_readers[char_code], automaton, length);
    position = offset + 1;
    return position;
}
