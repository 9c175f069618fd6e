#pragma once

// TVect: the model's growable array of values. Elements go in and come out as
// copies, reached by an int index.
//
// Get, Set and Exchange read their indexes through ClampIndex (absolute value,
// limited to the last element, see core/IndexRule.h), so they never reach
// outside the array; Insert and Delete use the index as given. Outside the
// limits the array answers harmlessly instead of touching memory:
// - an empty array reads as a default value (0, false, the empty text);
//   Set stores nothing and returns that default value, as Get would;
//   Exchange does nothing;
// - Insert limits its position to [0, Count()], so a negative index puts the
//   value first and one past the end appends it;
// - Delete of a position outside [0, Count()) removes nothing.
//
// Works for T = bool as well: elements are handed out by value, never by
// reference.

#include "core/IndexRule.h"

#include <utility>
#include <vector>

template <typename T>
class TVect {
public:
    TVect& Self() { return *this; }

    TVect& Assign(const TVect& other)
    {
        items_ = other.items_;
        return *this;
    }

    T Get(int index) const
    {
        const int k = ClampIndex(index);
        return k < 0 ? T() : T(items_[k]);
    }

    // Returns the element as now stored.
    T Set(int index, T value)
    {
        const int k = ClampIndex(index);
        if (k < 0)
            return T();
        items_[k] = std::move(value);
        return items_[k];
    }

    int Append(T value)
    {
        items_.push_back(std::move(value));
        return Count();
    }

    // Inserts before position `index`: 0 puts the value first, Count() last.
    int Insert(int index, T value)
    {
        const int position = index < 0 ? 0 : (index > Count() ? Count() : index);
        items_.insert(items_.begin() + position, std::move(value));
        return Count();
    }

    int Delete(int index)
    {
        if (index >= 0 && index < Count())
            items_.erase(items_.begin() + index);
        return Count();
    }

    int Clear()
    {
        items_.clear();
        return 0;
    }

    int Count() const { return static_cast<int>(items_.size()); }

    // Holds |size| elements afterwards: surplus ones are dropped from the end,
    // missing ones appended as default values.
    int Resize(int size)
    {
        items_.resize(AbsoluteSize(size));
        return Count();
    }

    int Exchange(int first, int second)
    {
        const int a = ClampIndex(first);
        const int b = ClampIndex(second);
        if (a >= 0) {
            T kept = items_[a];
            items_[a] = items_[b];
            items_[b] = std::move(kept);
        }
        return Count();
    }

    // The element that `index` reads and writes; -1 on an empty array.
    int ClampIndex(int index) const { return ClampToLastIndex(index, items_.size()); }

private:
    std::vector<T> items_;
};
