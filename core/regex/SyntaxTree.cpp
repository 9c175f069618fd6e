#include "core/regex/SyntaxTree.h"

#include "platform/Errors.h"

#include <algorithm>
#include <iterator>

std::size_t TbmRELeafNodeSet::Add(TbmRELeafNode* leaf)
{
    const auto place = std::lower_bound(members_.begin(), members_.end(), leaf, LeafBefore);
    const auto index = static_cast<std::size_t>(place - members_.begin());
    if (place == members_.end() || *place != leaf)
        members_.insert(place, leaf);
    return index;
}

void TbmRELeafNodeSet::AddSet(const TbmRELeafNodeSet& other)
{
    if (&other == this)
        throw ZuviewError("TbmRELeafNodeSet.AddSet: Internal Error");
    if (other.members_.empty())
        return;
    if (members_.empty() || LeafBefore(members_.back(), other.members_.front())) {
        members_.insert(members_.end(), other.members_.begin(), other.members_.end());
        return;
    }
    std::vector<TbmRELeafNode*> merged;
    merged.reserve(members_.size() + other.members_.size());
    std::set_union(members_.begin(), members_.end(), other.members_.begin(), other.members_.end(),
                   std::back_inserter(merged), LeafBefore);
    members_ = std::move(merged);
}

bool TbmRELeafNodeSet::Contains(const TbmRELeafNode* leaf) const
{
    return std::binary_search(members_.begin(), members_.end(), leaf, LeafBefore);
}

void TbmRELeafNode::SetRange(int lo, int hi)
{
    lo_ = lo;
    hi_ = hi;
}

TbmRECharNode::TbmRECharNode(int id, int lo, int hi)
    : TbmRELeafNode(id, lo, hi)
{
    firstpos_.Add(this);
    lastpos_.Add(this);
}

TbmREEpsilonNode::TbmREEpsilonNode(int id)
    : TbmRELeafNode(id, 0, 0)
{
    nullable_ = true;
}

TbmRECatNode::TbmRECatNode(TbmRENode& left, TbmRENode& right)
{
    nullable_ = left.Nullable() && right.Nullable();
    firstpos_ = left.Firstpos();
    if (left.Nullable())
        firstpos_.AddSet(right.Firstpos());
    lastpos_ = right.Lastpos();
    if (right.Nullable())
        lastpos_.AddSet(left.Lastpos());
    for (TbmRELeafNode* leaf : left.Lastpos())
        leaf->AddFollowpos(right.Firstpos());
}

TbmREUnionNode::TbmREUnionNode(const TbmRENode& left, const TbmRENode& right)
{
    nullable_ = left.Nullable() || right.Nullable();
    firstpos_ = left.Firstpos();
    firstpos_.AddSet(right.Firstpos());
    lastpos_ = left.Lastpos();
    lastpos_.AddSet(right.Lastpos());
}

TbmREClosureNode::TbmREClosureNode(TbmRENode& child)
{
    nullable_ = true;
    firstpos_ = child.Firstpos();
    lastpos_ = child.Lastpos();
    for (TbmRELeafNode* leaf : child.Lastpos())
        leaf->AddFollowpos(child.Firstpos());
}
