#pragma once

// TSList: an indexed list of values over a doubly linked list (the document
// keeps its block definitions in one). Elements go in and come out as copies;
// Begin and End give the list's own positions for walking it in order.
//
// Every indexed operation reads its index through ClampIndex (absolute value,
// limited to the last element, see core/IndexRule.h) and walks from the head,
// one step per position. Insert clamps too, so on a non-empty list an index
// of Count() or more inserts before the last element (Append adds at the
// tail); on an empty list Insert appends. On an empty list Get answers a
// default value, Set stores nothing and answers that default value, and
// Delete, DeleteHead, DeleteTail, Move, MoveToTail and Exchange do nothing.

#include "core/IndexRule.h"

#include <iterator>
#include <list>
#include <utility>

template <typename T>
class TSList {
public:
    using Position = typename std::list<T>::iterator;
    using ConstPosition = typename std::list<T>::const_iterator;

    Position Begin() { return items_.begin(); }
    Position End() { return items_.end(); }
    ConstPosition Begin() const { return items_.begin(); }
    ConstPosition End() const { return items_.end(); }

    TSList& Self() { return *this; }

    TSList& Assign(const TSList& other)
    {
        items_ = other.items_;
        return *this;
    }

    T Get(int index) const
    {
        const int k = ClampIndex(index);
        return k < 0 ? T() : *std::next(items_.begin(), k);
    }

    // Returns the element as now stored.
    T Set(int index, T value)
    {
        const int k = ClampIndex(index);
        if (k < 0)
            return T();
        T& element = *std::next(items_.begin(), k);
        element = std::move(value);
        return element;
    }

    int Append(T value)
    {
        items_.push_back(std::move(value));
        return Count();
    }

    int Prepend(T value)
    {
        items_.push_front(std::move(value));
        return Count();
    }

    // Inserts before the element at ClampIndex(index).
    int Insert(int index, T value)
    {
        items_.insert(PositionOf(index), std::move(value));
        return Count();
    }

    int Delete(int index)
    {
        if (!items_.empty())
            items_.erase(PositionOf(index));
        return Count();
    }

    int DeleteHead()
    {
        if (!items_.empty())
            items_.pop_front();
        return Count();
    }

    int DeleteTail()
    {
        if (!items_.empty())
            items_.pop_back();
        return Count();
    }

    // Moves the element at a = ClampIndex(from) to just before the element
    // that stood at b = ClampIndex(to): it ends at position b when b < a and
    // at b - 1 when b > a. The element itself is relinked, not copied.
    int Move(int from, int to)
    {
        if (!items_.empty())
            items_.splice(PositionOf(to), items_, PositionOf(from));
        return Count();
    }

    int MoveToTail(int index)
    {
        if (!items_.empty())
            items_.splice(items_.end(), items_, PositionOf(index));
        return Count();
    }

    int Clear()
    {
        items_.clear();
        return 0;
    }

    int Reverse()
    {
        items_.reverse();
        return Count();
    }

    int Count() const { return static_cast<int>(items_.size()); }

    // Holds |size| elements afterwards: default values are appended at the
    // tail, or surplus elements removed from it.
    int Resize(int size)
    {
        items_.resize(AbsoluteSize(size));
        return Count();
    }

    // Exchanges the whole contents with `other`; returns this list's new count.
    int Swap(std::list<T>& other)
    {
        items_.swap(other);
        return Count();
    }

    int Exchange(int first, int second)
    {
        if (!items_.empty()) {
            const Position a = PositionOf(first);
            const Position b = PositionOf(second);
            if (a != b) {
                T kept = *a;
                *a = *b;
                *b = std::move(kept);
            }
        }
        return Count();
    }

    // The element that `index` stands for; -1 on an empty list.
    int ClampIndex(int index) const { return ClampToLastIndex(index, items_.size()); }

private:
    // The position of element ClampIndex(index); the end on an empty list.
    Position PositionOf(int index)
    {
        const int k = ClampIndex(index);
        return k < 0 ? items_.end() : std::next(items_.begin(), k);
    }

    std::list<T> items_;
};
