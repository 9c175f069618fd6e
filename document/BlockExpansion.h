#pragma once

// The one guard of every walk into block contents (placing, measuring,
// drawing, counting nested references).
//
// Block definitions may contain references to other definitions, and a file
// may make them refer to themselves, directly or in a ring. A walker enters
// the guard with the definition number it is about to expand and goes on only
// when Entered() is true: the number is not already being expanded further up
// the same walk, and the nesting is less than MaxDepth deep. The document
// holds the numbers being expanded; the guard removes its number when it
// goes, so walks nest like the calls that make them.

#include <cstdint>

class TZhdData;

class TBlockExpansion {
public:
    // Deeper nesting than this is not expanded (real drawings nest a few
    // levels).
    static constexpr int MaxDepth = 32;

    TBlockExpansion(const TZhdData& document, std::uint32_t number);
    ~TBlockExpansion();
    TBlockExpansion(const TBlockExpansion&) = delete;
    TBlockExpansion& operator=(const TBlockExpansion&) = delete;

    bool Entered() const { return entered_; }

private:
    const TZhdData& document_;
    std::uint32_t number_ = 0;
    bool entered_ = false;
};
