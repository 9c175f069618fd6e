#include "document/BlockDefineIndex.h"

#include "document/KBlockDefine.h"

void TBlockDefineIndex::Invalidate()
{
    built_ = false;
    by_number_.clear();
    by_name_.clear();
}

const TKBlockDefine* TBlockDefineIndex::FindByNumber(const TSList<TKBlockDefine>& defines, std::uint32_t number)
{
    Build(defines);
    const auto found = by_number_.find(number);
    return found != by_number_.end() ? found->second : nullptr;
}

const TKBlockDefine* TBlockDefineIndex::FindByName(const TSList<TKBlockDefine>& defines, const std::string& name)
{
    Build(defines);
    const auto found = by_name_.find(name);
    return found != by_name_.end() ? found->second : nullptr;
}

void TBlockDefineIndex::Build(const TSList<TKBlockDefine>& defines)
{
    if (built_)
        return;
    by_number_.reserve(static_cast<std::size_t>(defines.Count()));
    by_name_.reserve(static_cast<std::size_t>(defines.Count()));
    for (auto position = defines.Begin(); position != defines.End(); ++position) {
        // emplace keeps the first definition of a number or name.
        by_number_.emplace(position->GetNumber(), &*position);
        by_name_.emplace(position->GetName(), &*position);
    }
    built_ = true;
}
