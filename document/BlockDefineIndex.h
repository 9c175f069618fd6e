#pragma once

// Look-up of block definitions by number and by name in O(1) on average.
//
// The document keeps its definitions in file order in a list; references find
// theirs by number, the text form by name, and both want the first definition
// that carries it. The index maps each number and name to that first
// definition. It is built in one pass on the first look-up after the list
// changed, so a load builds it once however many references follow. The
// document hands out its list only read-only and routes every change through
// itself, which invalidates the index: a stale entry can never be reached.

#include "core/SList.h"

#include <cstdint>
#include <string>
#include <unordered_map>

class TKBlockDefine;

class TBlockDefineIndex {
public:
    TBlockDefineIndex() = default;
    // A copy belongs to another list: it starts empty and is rebuilt there.
    TBlockDefineIndex(const TBlockDefineIndex&) {}
    TBlockDefineIndex& operator=(const TBlockDefineIndex&)
    {
        Invalidate();
        return *this;
    }

    void Invalidate();
    // The first definition with the number or name; nullptr when none has it.
    const TKBlockDefine* FindByNumber(const TSList<TKBlockDefine>& defines, std::uint32_t number);
    const TKBlockDefine* FindByName(const TSList<TKBlockDefine>& defines, const std::string& name);

private:
    void Build(const TSList<TKBlockDefine>& defines);

    bool built_ = false;
    std::unordered_map<std::uint32_t, const TKBlockDefine*> by_number_;
    std::unordered_map<std::string, const TKBlockDefine*> by_name_;
};
