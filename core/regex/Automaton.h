#pragma once

// The deterministic automaton of a pattern, built from its syntax tree by the
// followpos subset construction.
//
// Every state stands for a set of leaves (positions) of the tree: the
// positions that may match the next character. The start state is the
// root's firstpos. For a state S and a partition entry E, the successor is
// the union of the followpos of the leaves of S whose range is E; equal leaf
// sets are the same state. A state is accepting when its set holds the end
// marker. Because the partition entries are the alphabet, each character
// code falls into exactly one entry, and a transition is a range of codes.
//
// States are found by hashing their leaf sets, and a state's successors are
// computed from its leaves grouped by partition entry, so the cost of the
// construction is the total size of the followpos sets visited, not the
// number of states times the size of the partition.
//
// The subset construction can need exponentially many states: "(a|b)*a(a|b)
// (a|b)..." needs 2^n for n copies of "(a|b)". The construction therefore
// stops with the pattern error "pattern too complex" when it would make more
// than kMaxStates states, or when the followpos entries it visits and the
// leaf sets it builds pass kMaxBuildWork. Search patterns stay far below both
// (a list of 2000 words needs 7000 states and 50000 units of work), and a
// refused pattern is refused within a few tens of milliseconds.
//
// Line-head and line-tail anchors are the pseudo-characters -2 and -3. The
// search asks for a transition on -3 where a line ends. The end of the text
// (-1) never has a transition.
//
// A "^" holds at every line head a run reaches, at its start or after a line
// break the match has consumed ("(^a\n)+" repeats at each line). At a line
// head the run may take the -2 transition and may also ignore it, so it
// really stands in the union of the state and its -2 successor. A
// deterministic run holds one state, so every state whose leaves include a
// "^" gets a line-head state: the state of its leaves together with the
// followpos of its "^" leaves, repeated until no further "^" leaf adds
// anything. The search switches a run to it at line heads. Forking a second
// run instead would need room for two runs per state and a fork inside the
// step; the union is found once here, it is a state like any other (it
// accepts and moves on when either half would), and the search pays one
// pointer load per line head.

#include "core/regex/Parser.h"
#include "core/regex/SyntaxTree.h"
#include "core/regex/WchRanges.h"

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

constexpr std::size_t kMaxStates = 10000;
constexpr std::size_t kMaxBuildWork = std::size_t { 1 } << 21;

class TbmREState {
public:
    struct Transition {
        int lo;
        int hi;
        TbmREState* target;
    };

    TbmREState(std::size_t index, TbmRELeafNodeSet leaves) : leaves_(std::move(leaves)), index_(index) { }
    // A state refers to itself (its line-head state), so it is never copied.
    TbmREState(const TbmREState&) = delete;
    TbmREState& operator=(const TbmREState&) = delete;

    // Ranges arrive in ascending order; a range that continues the last one
    // to the same target extends it.
    void AddTransition(int lo, int hi, TbmREState* target);
    // The state after `code`, or null.
    TbmREState* NextState(int code) const;
    // Marks the state accepting when its leaves hold the end marker.
    void CheckAccepting();
    bool Accepting() const { return accepting_; }
    // The state a run continues in when it stands at a line head: the state
    // itself unless its leaves hold a "^".
    const TbmREState* LineHeadState() const { return line_head_state_; }
    void SetLineHeadState(const TbmREState* state) { line_head_state_ = state; }
    // The state's place in its table, from 0 for the start state.
    std::size_t Index() const { return index_; }

    const std::vector<Transition>& Transitions() const { return transitions_; }
    // Only while the table is being built.
    const TbmRELeafNodeSet& Leaves() const { return leaves_; }
    void FreeLeaves() { leaves_ = TbmRELeafNodeSet {}; }

private:
    std::vector<Transition> transitions_;  // ascending, disjoint, merged
    TbmRELeafNodeSet leaves_;
    bool accepting_ = false;
    std::size_t index_;
    const TbmREState* line_head_state_ = this;
};

class TbmREDFATable {
public:
    // Builds the automaton of the tree; adds the anchors' pseudo-characters
    // to the partition. The table keeps no reference to either. Raises
    // EbmREToken "pattern too complex" past the limits, leaving the table
    // empty.
    void Build(const TbmRETree& tree, TbmREWchRanges& partition);
    void Clear();

    // The start state, or null before a successful build.
    const TbmREState* StartState() const { return states_.empty() ? nullptr : states_.front().get(); }
    std::size_t StateCount() const { return states_.size(); }
    bool LineHeadAnchored() const { return line_head_; }
    bool LineTailAnchored() const { return line_tail_; }
    // False when no match can begin with a character whose first byte is
    // `byte` (in any of the byte-oriented char codes: the byte alone, or a
    // lead byte with any trail). The search starts no run at such
    // candidates.
    bool MayStartWith(unsigned char byte) const { return start_bytes_[byte]; }

private:
    // The state whose leaf set equals `leaves`, or null.
    TbmREState* FindState(const TbmRELeafNodeSet& leaves) const;
    TbmREState* AddState(TbmRELeafNodeSet leaves);
    TbmREState* FindOrAddState(TbmRELeafNodeSet leaves);
    void CollectStartBytes();
    void ExpandState(TbmREState& state, const TbmREWchRanges& partition);
    // Finds or adds the state of `state`'s leaves closed under the followpos
    // of their "^" leaves, and makes it `state`'s line-head state.
    void LinkLineHeadState(TbmREState& state);
    // Adds the followpos of `leaves` (all of one partition entry) to
    // `result`; true when the result is not empty.
    bool CollectFollowpos(const std::vector<TbmRELeafNode*>& leaves, TbmRELeafNodeSet& result);
    void ChargeWork(std::size_t units);

    std::vector<std::unique_ptr<TbmREState>> states_;
    bool line_head_ = false;
    bool line_tail_ = false;
    std::bitset<256> start_bytes_;

    // Working data of Build, emptied when it ends.
    std::unordered_multimap<std::uint64_t, TbmREState*> states_by_hash_;
    std::vector<int> entry_of_leaf_;           // partition entry of each leaf id, or -1
    std::vector<std::uint32_t> leaf_marks_;    // de-duplicates CollectFollowpos
    std::uint32_t mark_ = 0;
    std::size_t work_ = 0;
};
