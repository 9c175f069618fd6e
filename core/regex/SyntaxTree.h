#pragma once

// Nodes of the syntax tree of a pattern, with the position sets of the
// followpos construction computed as each node is made:
//
//   node          nullable   firstpos                 lastpos
//   char leaf     no         {itself}                 {itself}
//   empty leaf    yes        {}                       {}
//   cat(L, R)     L and R    L.first (+ R.first if L  R.last (+ L.last if R
//                            is nullable)             is nullable)
//   union(L, R)   L or R     L.first + R.first        L.last + R.last
//   closure(C)    yes        C.first                  C.last
//
// and followpos: cat(L, R) adds R.first to the followpos of every leaf of
// L.last; closure(C) adds C.first to the followpos of every leaf of C.last.
//
// Leaves are the positions: a leaf stands for one range of the alphabet
// partition, or for a pseudo-character (the end marker, a line head, a line
// tail). Nodes are owned by the tree's node lists, never by their parents, so
// a subtree may be shared ("x+" is cat(x, closure(x)) over the same x) and
// freeing a tree never recurses.

#include <cstddef>
#include <functional>
#include <vector>

class TbmRELeafNode;

// Pseudo-characters used as leaf ranges.
constexpr int kEndMarker = -1;
constexpr int kLineHeadChar = -2;
constexpr int kLineTailChar = -3;
// The range of a class that excludes every character: no text character and
// no partition entry has it, so its leaf never matches.
constexpr int kNoChar = -4;

// A set of leaves kept sorted (LeafBefore) without duplicates: two sets are
// equal exactly when their member lists are.
class TbmRELeafNodeSet {
public:
    // Inserts in order unless present; returns the leaf's index.
    std::size_t Add(TbmRELeafNode* leaf);
    // Adds every member of `other`; adding a set to itself raises ZuviewError
    // "TbmRELeafNodeSet.AddSet: Internal Error".
    void AddSet(const TbmRELeafNodeSet& other);
    TbmRELeafNodeSet Clone() const { return *this; }
    bool Contains(const TbmRELeafNode* leaf) const;
    // Takes members that are already sorted and unique.
    void AssignSorted(std::vector<TbmRELeafNode*> members) { members_ = std::move(members); }

    std::size_t Size() const { return members_.size(); }
    bool Empty() const { return members_.empty(); }
    const std::vector<TbmRELeafNode*>& Members() const { return members_; }
    auto begin() const { return members_.begin(); }
    auto end() const { return members_.end(); }
    bool operator==(const TbmRELeafNodeSet&) const = default;

private:
    std::vector<TbmRELeafNode*> members_;
};

class TbmRENode {
public:
    virtual ~TbmRENode() = default;
    TbmRENode(const TbmRENode&) = delete;
    TbmRENode& operator=(const TbmRENode&) = delete;

    const TbmRELeafNodeSet& Firstpos() const { return firstpos_; }
    const TbmRELeafNodeSet& Lastpos() const { return lastpos_; }
    bool Nullable() const { return nullable_; }

protected:
    TbmRENode() = default;

    TbmRELeafNodeSet firstpos_;
    TbmRELeafNodeSet lastpos_;
    bool nullable_ = false;
};

class TbmRELeafNode : public TbmRENode {
public:
    const TbmRELeafNodeSet& Followpos() const { return followpos_; }
    void AddFollowpos(const TbmRELeafNodeSet& leaves) { followpos_.AddSet(leaves); }
    int Lo() const { return lo_; }
    int Hi() const { return hi_; }
    void SetRange(int lo, int hi);
    // The creation number within the tree, from 0.
    int Id() const { return id_; }

protected:
    TbmRELeafNode(int id, int lo, int hi) : lo_(lo), hi_(hi), id_(id) { }

private:
    TbmRELeafNodeSet followpos_;
    int lo_;
    int hi_;
    int id_;
};

// The order of leaves in sets: by address, which gives every set one
// canonical order and costs no memory access to compare.
// (A function object, so that the sorting algorithms inline it.)
inline constexpr auto LeafBefore = [](const TbmRELeafNode* a, const TbmRELeafNode* b) {
    return std::less<const TbmRELeafNode*> {}(a, b);
};

// A leaf for one range of the partition or one pseudo-character.
class TbmRECharNode : public TbmRELeafNode {
public:
    TbmRECharNode(int id, int lo, int hi);
};

// The empty string: no position of its own.
class TbmREEpsilonNode : public TbmRELeafNode {
public:
    explicit TbmREEpsilonNode(int id);
};

class TbmREInternalNode : public TbmRENode { };

class TbmRECatNode : public TbmREInternalNode {
public:
    TbmRECatNode(TbmRENode& left, TbmRENode& right);
};

class TbmREUnionNode : public TbmREInternalNode {
public:
    TbmREUnionNode(const TbmRENode& left, const TbmRENode& right);
};

class TbmREClosureNode : public TbmREInternalNode {
public:
    explicit TbmREClosureNode(TbmRENode& child);
};
