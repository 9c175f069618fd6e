#include "core/regex/Automaton.h"

#include <algorithm>
#include <utility>

namespace {

std::uint64_t HashLeaves(const TbmRELeafNodeSet& leaves)
{
    // FNV-1a over the leaf addresses.
    std::uint64_t hash = 14695981039346656037ull;
    for (const TbmRELeafNode* leaf : leaves) {
        hash ^= reinterpret_cast<std::uintptr_t>(leaf);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::vector<TbmRELeafNode*> LineHeadLeaves(const TbmRELeafNodeSet& leaves)
{
    std::vector<TbmRELeafNode*> heads;
    for (TbmRELeafNode* leaf : leaves) {
        if (leaf->Lo() == kLineHeadChar)
            heads.push_back(leaf);
    }
    return heads;
}

// Linear search is faster than a binary one for the few transitions most
// states have.
constexpr std::size_t kLinearSearchLimit = 8;

} // namespace

// --- TbmREState -------------------------------------------------------------

void TbmREState::AddTransition(int lo, int hi, TbmREState* target)
{
    if (!transitions_.empty() && transitions_.back().target == target && transitions_.back().hi + 1 == lo) {
        transitions_.back().hi = hi;
        return;
    }
    transitions_.push_back({ lo, hi, target });
}

TbmREState* TbmREState::NextState(int code) const
{
    if (transitions_.size() <= kLinearSearchLimit) {
        for (const Transition& transition : transitions_) {
            if (code < transition.lo)
                return nullptr;
            if (code <= transition.hi)
                return transition.target;
        }
        return nullptr;
    }
    auto after = std::upper_bound(transitions_.begin(), transitions_.end(), code,
                                  [](int c, const Transition& transition) { return c < transition.lo; });
    if (after == transitions_.begin())
        return nullptr;
    --after;
    return code <= after->hi ? after->target : nullptr;
}

void TbmREState::CheckAccepting()
{
    accepting_ = std::any_of(leaves_.begin(), leaves_.end(),
                             [](const TbmRELeafNode* leaf) { return leaf->Lo() == kEndMarker; });
}

// --- TbmREDFATable ----------------------------------------------------------

void TbmREDFATable::Clear()
{
    states_.clear();
    line_head_ = false;
    line_tail_ = false;
    start_bytes_.reset();
    states_by_hash_.clear();
    entry_of_leaf_.clear();
    leaf_marks_.clear();
    mark_ = 0;
    work_ = 0;
}

void TbmREDFATable::Build(const TbmRETree& tree, TbmREWchRanges& partition)
{
    Clear();
    if (tree.Root() == nullptr)
        return;
    line_head_ = tree.LineHeadAnchored();
    line_tail_ = tree.LineTailAnchored();
    if (line_head_)
        partition.Add(kLineHeadChar, kLineHeadChar);
    if (line_tail_)
        partition.Add(kLineTailChar, kLineTailChar);

    entry_of_leaf_.reserve(tree.Leaves().size());
    for (const std::unique_ptr<TbmRELeafNode>& leaf : tree.Leaves())
        entry_of_leaf_.push_back(partition.IndexOf(leaf->Lo(), leaf->Hi()));
    leaf_marks_.assign(tree.Leaves().size(), 0);

    try {
        AddState(tree.Root()->Firstpos().Clone());
        // The list grows while it is walked: every new state is expanded in
        // turn.
        for (std::size_t i = 0; i < states_.size(); ++i)
            ExpandState(*states_[i], partition);
    } catch (...) {
        Clear();
        throw;
    }

    CollectStartBytes();
    for (const std::unique_ptr<TbmREState>& state : states_)
        state->FreeLeaves();
    states_by_hash_.clear();
    entry_of_leaf_ = {};
    leaf_marks_ = {};
}

void TbmREDFATable::CollectStartBytes()
{
    for (const TbmREState::Transition& transition : states_.front()->Transitions()) {
        if (transition.lo == kLineTailChar) {
            // "$" may match right at the start: before a line break.
            start_bytes_.set('\n');
            start_bytes_.set('\r');
        }
        if (transition.hi < 0)
            continue;
        // Single bytes, and the lead bytes of double-byte codes.
        for (int code = std::max(transition.lo, 0); code <= std::min(transition.hi, 0xFF); ++code)
            start_bytes_.set(static_cast<std::size_t>(code));
        for (int lead = std::max(transition.lo, 0x100) >> 8; lead <= transition.hi >> 8; ++lead)
            start_bytes_.set(static_cast<std::size_t>(lead));
    }
}

TbmREState* TbmREDFATable::FindState(const TbmRELeafNodeSet& leaves) const
{
    const auto [first, last] = states_by_hash_.equal_range(HashLeaves(leaves));
    for (auto it = first; it != last; ++it) {
        if (it->second->Leaves() == leaves)
            return it->second;
    }
    return nullptr;
}

TbmREState* TbmREDFATable::FindOrAddState(TbmRELeafNodeSet leaves)
{
    TbmREState* state = FindState(leaves);
    return state != nullptr ? state : AddState(std::move(leaves));
}

TbmREState* TbmREDFATable::AddState(TbmRELeafNodeSet leaves)
{
    if (states_.size() == kMaxStates)
        EbmREToken::Raise(TbmREToken {}, TbmRETokenKind::TooComplex);
    ChargeWork(leaves.Size());
    const std::uint64_t hash = HashLeaves(leaves);
    states_.push_back(std::make_unique<TbmREState>(states_.size(), std::move(leaves)));
    TbmREState* state = states_.back().get();
    states_by_hash_.emplace(hash, state);
    return state;
}

void TbmREDFATable::ExpandState(TbmREState& state, const TbmREWchRanges& partition)
{
    // The state's leaves grouped by partition entry, in ascending entry order.
    std::vector<std::pair<int, TbmRELeafNode*>> by_entry;
    for (TbmRELeafNode* leaf : state.Leaves()) {
        const int entry = entry_of_leaf_[static_cast<std::size_t>(leaf->Id())];
        if (entry >= 0)
            by_entry.emplace_back(entry, leaf);
    }
    std::sort(by_entry.begin(), by_entry.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });

    std::vector<TbmRELeafNode*> group;
    for (std::size_t first = 0; first < by_entry.size();) {
        const int entry = by_entry[first].first;
        group.clear();
        for (; first < by_entry.size() && by_entry[first].first == entry; ++first)
            group.push_back(by_entry[first].second);

        TbmRELeafNodeSet next;
        if (!CollectFollowpos(group, next))
            continue;
        TbmREState* target = FindOrAddState(std::move(next));
        const TbmREWchRange& range = partition[static_cast<std::size_t>(entry)];
        state.AddTransition(range.lo, range.hi, target);
    }
    state.CheckAccepting();
    if (line_head_)
        LinkLineHeadState(state);
}

void TbmREDFATable::LinkLineHeadState(TbmREState& state)
{
    std::vector<TbmRELeafNode*> heads = LineHeadLeaves(state.Leaves());
    if (heads.empty())
        return;
    TbmRELeafNodeSet closed = state.Leaves().Clone();
    ChargeWork(closed.Size());
    // The set only grows, so a size that holds means that no "^" leaf adds
    // anything more.
    std::size_t size = 0;
    do {
        size = closed.Size();
        CollectFollowpos(heads, closed);
        heads = LineHeadLeaves(closed);
    } while (closed.Size() != size);
    if (size != state.Leaves().Size())
        state.SetLineHeadState(FindOrAddState(std::move(closed)));
}

bool TbmREDFATable::CollectFollowpos(const std::vector<TbmRELeafNode*>& leaves, TbmRELeafNodeSet& result)
{
    ++mark_;
    std::vector<TbmRELeafNode*> members(result.Members());
    for (const TbmRELeafNode* leaf : result)
        leaf_marks_[static_cast<std::size_t>(leaf->Id())] = mark_;
    for (const TbmRELeafNode* leaf : leaves) {
        ChargeWork(leaf->Followpos().Size());
        for (TbmRELeafNode* follower : leaf->Followpos()) {
            std::uint32_t& mark = leaf_marks_[static_cast<std::size_t>(follower->Id())];
            if (mark != mark_) {
                mark = mark_;
                members.push_back(follower);
            }
        }
    }
    ChargeWork(members.size());
    std::sort(members.begin(), members.end(), LeafBefore);
    result.AssignSorted(std::move(members));
    return !result.Empty();
}

void TbmREDFATable::ChargeWork(std::size_t units)
{
    work_ += units;
    if (work_ > kMaxBuildWork)
        EbmREToken::Raise(TbmREToken {}, TbmRETokenKind::TooComplex);
}
