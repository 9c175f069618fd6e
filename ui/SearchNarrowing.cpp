#include "ui/SearchNarrowing.h"

#include "document/TextMatcher.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr int narrowing_options = SearchFoldWidth | SearchFoldCase | SearchIgnoreBlanks | SearchIgnoreEqualSpacing;

// Collects candidates from sorted texts: equal neighbours raise the last
// candidate's count. A candidate keeps the text as collected, not its
// normalised form.
class TCandidateCollector {
public:
    explicit TCandidateCollector(std::vector<TCountString>& candidates)
        : candidates_(candidates)
    {
    }

    void Add(const std::string& text)
    {
        if (last_ != nullptr && *last_ == text) {
            candidates_.back().AddRef();
            return;
        }
        candidates_.emplace_back(text);
        last_ = &text;
    }

private:
    std::vector<TCountString>& candidates_;
    const std::string* last_ = nullptr;
};

} // namespace

void NarrowTexts(std::vector<std::string>& texts, const std::string& word, int options,
                 std::vector<TCountString>& candidates)
{
    candidates.clear();
    if (!word.empty()) {
        // The texts that do not begin with the word go before the sort: a
        // keystroke sorts only what it keeps.
        options &= narrowing_options;
        std::string normalised_word;
        NormaliseSearchText(word, options, normalised_word);
        std::string normalised_text;
        std::erase_if(texts, [&](const std::string& text) {
            NormaliseSearchText(text, options, normalised_text);
            return !std::string_view(normalised_text).starts_with(normalised_word);
        });
    }
    std::sort(texts.begin(), texts.end());
    TCandidateCollector collector(candidates);
    for (const std::string& text : texts)
        collector.Add(text);
}
