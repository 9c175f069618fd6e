#pragma once

// The parser: standardised tokens to a syntax tree whose leaves are ranges of
// the alphabet partition, by recursive descent with one token of look-ahead.
//
//   union   := concat { "|" concat }
//   concat  := (empty before "|", ")" or the end) | postfix { postfix }
//   postfix := primary [ "*" | "+" | "?" ]        at most one operator
//   primary := character | "(" union ")" | "[" members "]" | "." | "^" | "$"
//
// Postfix operators bind tightest, then concatenation, then "|". The parsed
// expression is followed by the end marker. Then the anchors are settled: a
// "^" that can begin a match (it is in the root's firstpos) anchors to a line
// head and any other is the literal "^"; a "$" that only the end of the
// pattern can follow anchors to a line tail and any other is the literal "$".
//
// Untrusted patterns: the descent recurses once per level of parentheses and
// refuses more than kMaxNestingDepth levels, so the stack cannot run out. The
// position sets of the tree can grow with the square of the pattern (every
// leaf of "(a|b|...)*" follows every other), so the entries they hold are
// charged to a budget of kMaxPositionEntries; past either limit the pattern
// is refused with an EbmREToken. Long alternations and classes are joined as
// balanced trees of unions, so their position sets cost n log n, not n².

#include "core/regex/Scanner.h"
#include "core/regex/SyntaxTree.h"
#include "core/regex/WchRanges.h"

#include <cstddef>
#include <memory>
#include <vector>

constexpr int kMaxNestingDepth = 1000;
constexpr std::size_t kMaxPositionEntries = std::size_t { 1 } << 22;

class TbmRETree {
public:
    // Builds the tree of the tokens over the partition (which must hold every
    // range the tokens use, see Standardize). Raises EbmREToken for a
    // syntax error or a pattern past the limits.
    void Build(const TbmRETokens& tokens, const TbmREWchRanges& partition);
    // Frees every node and resets the anchor flags.
    void Clear();

    TbmRENode* Root() const { return root_; }
    const std::vector<std::unique_ptr<TbmRELeafNode>>& Leaves() const { return leaves_; }
    bool LineHeadAnchored() const { return line_head_; }
    bool LineTailAnchored() const { return line_tail_; }

private:
    TbmRENode* ParseUnion(int depth);
    TbmRENode* ParseConcat(int depth);
    TbmRENode* ParsePostfix(int depth);
    TbmRENode* ParsePrimary(int depth);
    TbmRENode* ParseClass();
    // The leaves of the partition entries that make up [lo, hi].
    void AppendRangeLeaves(int lo, int hi, std::vector<TbmRENode*>& nodes);
    TbmRENode* RangeNode(int lo, int hi);
    TbmRENode* DotNode();
    void SettleAnchors();

    TbmRECharNode* NewLeaf(int lo, int hi);
    TbmREEpsilonNode* NewEpsilon();
    TbmRENode* NewCat(TbmRENode* left, TbmRENode* right);
    TbmRENode* NewUnion(TbmRENode* left, TbmRENode* right);
    TbmRENode* NewClosure(TbmRENode* child);
    // Joins the nodes pairwise, level by level, into one balanced union.
    TbmRENode* JoinByUnions(std::vector<TbmRENode*> nodes);

    void Advance();
    bool AtConcatEnd() const;
    // Counts `entries` more position-set entries against the budget.
    void Charge(std::size_t entries);

    TbmRENode* root_ = nullptr;
    std::vector<std::unique_ptr<TbmREInternalNode>> inner_nodes_;
    std::vector<std::unique_ptr<TbmRELeafNode>> leaves_;
    bool line_head_ = false;
    bool line_tail_ = false;

    const TbmRETokens* tokens_ = nullptr;
    std::size_t cursor_ = 0;
    TbmREToken current_;
    const TbmREWchRanges* partition_ = nullptr;
    std::size_t charged_entries_ = 0;
};
