#include "core/regex/Parser.h"

#include "core/regex/CharCode.h"

namespace {

std::size_t FollowposEntries(const TbmRELeafNodeSet& leaves)
{
    std::size_t entries = 0;
    for (const TbmRELeafNode* leaf : leaves)
        entries += leaf->Followpos().Size();
    return entries;
}

} // namespace

void TbmRETree::Clear()
{
    root_ = nullptr;
    inner_nodes_.clear();
    leaves_.clear();
    line_head_ = false;
    line_tail_ = false;
    tokens_ = nullptr;
    partition_ = nullptr;
    cursor_ = 0;
    charged_entries_ = 0;
}

void TbmRETree::Build(const TbmRETokens& tokens, const TbmREWchRanges& partition)
{
    Clear();
    if (tokens.empty())
        throw ZuviewError("TbmRETree.Build: no tokens");
    tokens_ = &tokens;
    partition_ = &partition;
    current_ = tokens.front();

    TbmRENode* expression = ParseUnion(0);
    if (current_.kind != TbmRETokenKind::End)
        EbmREToken::Raise(current_, TbmRETokenKind::InvalidCharacter);
    root_ = NewCat(expression, NewLeaf(kEndMarker, kEndMarker));
    SettleAnchors();
    tokens_ = nullptr;
    partition_ = nullptr;
}

void TbmRETree::Advance()
{
    if (cursor_ + 1 < tokens_->size())
        current_ = (*tokens_)[++cursor_];
}

bool TbmRETree::AtConcatEnd() const
{
    return current_.kind == TbmRETokenKind::Union || current_.kind == TbmRETokenKind::RightParenthesis
        || current_.kind == TbmRETokenKind::End;
}

TbmRENode* TbmRETree::ParseUnion(int depth)
{
    std::vector<TbmRENode*> alternatives { ParseConcat(depth) };
    while (current_.kind == TbmRETokenKind::Union) {
        Advance();
        alternatives.push_back(ParseConcat(depth));
    }
    return JoinByUnions(std::move(alternatives));
}

TbmRENode* TbmRETree::ParseConcat(int depth)
{
    if (AtConcatEnd())
        return NewEpsilon();
    TbmRENode* node = ParsePostfix(depth);
    while (!AtConcatEnd())
        node = NewCat(node, ParsePostfix(depth));
    return node;
}

TbmRENode* TbmRETree::ParsePostfix(int depth)
{
    TbmRENode* operand = ParsePrimary(depth);
    switch (current_.kind) {
    case TbmRETokenKind::Asterisk:
        Advance();
        return NewClosure(operand);
    case TbmRETokenKind::Plus:
        Advance();
        return NewCat(operand, NewClosure(operand));
    case TbmRETokenKind::QuestionMark:
        Advance();
        return NewUnion(operand, NewEpsilon());
    default:
        return operand;
    }
}

TbmRENode* TbmRETree::ParsePrimary(int depth)
{
    TbmRENode* node = nullptr;
    switch (current_.kind) {
    case TbmRETokenKind::Character:
        node = RangeNode(current_.lo, current_.hi);
        break;
    case TbmRETokenKind::LeftParenthesis:
        if (depth >= kMaxNestingDepth)
            EbmREToken::Raise(current_, TbmRETokenKind::NestedTooDeeply);
        Advance();
        node = ParseUnion(depth + 1);
        if (current_.kind != TbmRETokenKind::RightParenthesis)
            EbmREToken::Raise(current_, TbmRETokenKind::NeedRightParenthesis);
        break;
    case TbmRETokenKind::LeftBracket:
        node = ParseClass();
        break;
    case TbmRETokenKind::Dot:
        node = DotNode();
        break;
    case TbmRETokenKind::LineHead:
        node = NewLeaf(kLineHeadChar, kLineHeadChar);
        break;
    case TbmRETokenKind::LineTail:
        node = NewLeaf(kLineTailChar, kLineTailChar);
        break;
    default:
        EbmREToken::Raise(current_, TbmRETokenKind::NeedOperand);
    }
    Advance();
    return node;
}

TbmRENode* TbmRETree::ParseClass()
{
    Advance();
    std::vector<TbmRENode*> members;
    while (current_.kind == TbmRETokenKind::Character || current_.kind == TbmRETokenKind::CharacterClass) {
        AppendRangeLeaves(current_.lo, current_.hi, members);
        Advance();
    }
    if (current_.kind != TbmRETokenKind::RightBracket)
        EbmREToken::Raise(current_, TbmRETokenKind::NeedRightBracket);
    // A negated class of every character has no members left: it matches
    // nothing.
    if (members.empty())
        return NewLeaf(kNoChar, kNoChar);
    return JoinByUnions(std::move(members));
}

void TbmRETree::AppendRangeLeaves(int lo, int hi, std::vector<TbmRENode*>& nodes)
{
    if (lo < 0) {
        nodes.push_back(NewLeaf(lo, hi));
        return;
    }
    // Standardize put every range of the tokens into the partition, so
    // [lo, hi] is a run of whole entries starting at lo.
    std::size_t index = partition_->LowerBound(lo, lo);
    if (index == partition_->Count() || (*partition_)[index].lo != lo)
        throw ZuviewError("TbmRETree: range outside the partition");
    for (;; ++index) {
        if (index == partition_->Count() || (*partition_)[index].hi > hi)
            throw ZuviewError("TbmRETree: range outside the partition");
        nodes.push_back(NewLeaf((*partition_)[index].lo, (*partition_)[index].hi));
        if ((*partition_)[index].hi == hi)
            return;
    }
}

TbmRENode* TbmRETree::RangeNode(int lo, int hi)
{
    std::vector<TbmRENode*> leaves;
    AppendRangeLeaves(lo, hi, leaves);
    return JoinByUnions(std::move(leaves));
}

TbmRENode* TbmRETree::DotNode()
{
    std::vector<TbmRENode*> leaves;
    AppendRangeLeaves(0, 9, leaves);
    AppendRangeLeaves(11, 12, leaves);
    AppendRangeLeaves(14, kMaxCharCode, leaves);
    return JoinByUnions(std::move(leaves));
}

void TbmRETree::SettleAnchors()
{
    const TbmRELeafNode* end_marker = leaves_.back().get();
    for (const std::unique_ptr<TbmRELeafNode>& leaf : leaves_) {
        if (leaf->Lo() == kLineHeadChar) {
            if (root_->Firstpos().Contains(leaf.get()))
                line_head_ = true;
            else
                leaf->SetRange('^', '^');
        } else if (leaf->Lo() == kLineTailChar) {
            const TbmRELeafNodeSet& follow = leaf->Followpos();
            if (follow.Size() == 1 && follow.Members().front() == end_marker)
                line_tail_ = true;
            else
                leaf->SetRange('$', '$');
        }
    }
}

TbmRECharNode* TbmRETree::NewLeaf(int lo, int hi)
{
    Charge(2);
    auto leaf = std::make_unique<TbmRECharNode>(static_cast<int>(leaves_.size()), lo, hi);
    TbmRECharNode* result = leaf.get();
    leaves_.push_back(std::move(leaf));
    return result;
}

TbmREEpsilonNode* TbmRETree::NewEpsilon()
{
    Charge(1);
    auto leaf = std::make_unique<TbmREEpsilonNode>(static_cast<int>(leaves_.size()));
    TbmREEpsilonNode* result = leaf.get();
    leaves_.push_back(std::move(leaf));
    return result;
}

TbmRENode* TbmRETree::NewCat(TbmRENode* left, TbmRENode* right)
{
    // Merging into a followpos set costs its old size plus the added set.
    Charge(left->Firstpos().Size() + right->Firstpos().Size() + left->Lastpos().Size() + right->Lastpos().Size()
           + FollowposEntries(left->Lastpos()) + left->Lastpos().Size() * right->Firstpos().Size());
    inner_nodes_.push_back(std::make_unique<TbmRECatNode>(*left, *right));
    return inner_nodes_.back().get();
}

TbmRENode* TbmRETree::NewUnion(TbmRENode* left, TbmRENode* right)
{
    Charge(left->Firstpos().Size() + right->Firstpos().Size() + left->Lastpos().Size() + right->Lastpos().Size());
    inner_nodes_.push_back(std::make_unique<TbmREUnionNode>(*left, *right));
    return inner_nodes_.back().get();
}

TbmRENode* TbmRETree::NewClosure(TbmRENode* child)
{
    Charge(child->Firstpos().Size() + child->Lastpos().Size() + FollowposEntries(child->Lastpos())
           + child->Lastpos().Size() * child->Firstpos().Size());
    inner_nodes_.push_back(std::make_unique<TbmREClosureNode>(*child));
    return inner_nodes_.back().get();
}

TbmRENode* TbmRETree::JoinByUnions(std::vector<TbmRENode*> nodes)
{
    while (nodes.size() > 1) {
        std::size_t joined = 0;
        for (std::size_t i = 0; i < nodes.size(); i += 2)
            nodes[joined++] = i + 1 < nodes.size() ? NewUnion(nodes[i], nodes[i + 1]) : nodes[i];
        nodes.resize(joined);
    }
    return nodes.front();
}

void TbmRETree::Charge(std::size_t entries)
{
    charged_entries_ += entries;
    if (charged_entries_ > kMaxPositionEntries)
        EbmREToken::Raise(current_, TbmRETokenKind::TooComplex);
}
