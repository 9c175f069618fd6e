#include "document/BlockExpansion.h"

#include "document/ZhdData.h"

#include <algorithm>

TBlockExpansion::TBlockExpansion(const TZhdData& document, std::uint32_t number)
    : document_(document)
{
    std::vector<std::uint32_t>& expanding = document_.ExpandingBlocks();
    if (expanding.size() >= MaxDepth || std::find(expanding.begin(), expanding.end(), number) != expanding.end()) {
        ++document_.block_expansion_refusals_;
        return;
    }
    expanding.push_back(number);
    number_ = number;
    entered_ = true;
}

TBlockExpansion::~TBlockExpansion()
{
    if (!entered_)
        return;
    // Normally the last entry; searched for all the same, so that guards
    // that go out of order cannot remove each other's numbers.
    std::vector<std::uint32_t>& expanding = document_.ExpandingBlocks();
    const auto found = std::find(expanding.rbegin(), expanding.rend(), number_);
    if (found != expanding.rend())
        expanding.erase(std::next(found).base());
}
