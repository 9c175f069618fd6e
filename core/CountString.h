#pragma once

// A text with the number of its occurrences: the entries of the text-search
// candidate list, one per distinct text.

#include <string>

class TCountString {
public:
    TCountString() = default;
    explicit TCountString(std::string text)
        : text_(std::move(text))
        , count_(1)
    {
    }

    std::string GetText() const { return text_; }
    // A new text starts counting from 1.
    std::string SetText(std::string text);
    int GetCount() const { return count_; }
    TCountString& AsCountString() { return *this; }
    TCountString& Assign(const TCountString& other);
    void Clear();
    // One more occurrence; a cleared entry stays at 0.
    int AddRef();
    // One occurrence less; the last one empties the text. Returns the count.
    int Release();

private:
    std::string text_;
    int count_ = 0;
};
