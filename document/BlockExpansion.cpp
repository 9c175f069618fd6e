#include "document/BlockExpansion.h"

#include "document/ZhdData.h"

#include <algorithm>

TBlockExpansion::TBlockExpansion(const TZhdData& document, std::uint32_t number)
    : document_(document)
{
    std::vector<std::uint32_t>& expanding = document_.ExpandingBlocks();
    if (expanding.size() >= MaxDepth || std::find(expanding.begin(), expanding.end(), number) != expanding.end())
        return;
    expanding.push_back(number);
    entered_ = true;
}

TBlockExpansion::~TBlockExpansion()
{
    if (entered_)
        document_.ExpandingBlocks().pop_back();
}
