#include "document/ZhdElemList.h"

#include "core/DebugLog.h"
#include "document/KBlockDefine.h"
#include "document/SjFormat.h"
#include "elements/ElemKind.h"
#include "elements/KMoji.h"
#include "elements/ZhdElem.h"

#include <algorithm>
#include <cstdint>
#include <utility>

static_assert(TZhdElemList::KindCount == ElemKindCount);

namespace {

// Counts never wrap below zero, even when an element's attributes changed
// between adding and removing it.
void AddCount(std::uint32_t& counter, int delta)
{
    if (delta > 0)
        ++counter;
    else if (counter > 0)
        --counter;
}

// Many references to a large definition must not wrap a cell around.
void AddTimes(std::uint32_t& cell, std::uint32_t count, std::uint32_t times)
{
    const std::uint64_t sum = cell + static_cast<std::uint64_t>(count) * times;
    cell = static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, UINT32_MAX));
}

// "　　　　線": the statistics pad a kind's name with full-width blanks to
// five full-width characters (the names are full-width, two bytes each).
std::string StatisticsLabel(const TElemKind& kind)
{
    constexpr std::size_t label_bytes = 10;
    const std::string& name = sj(kind.type_name);
    const std::string& blank = sj(u8"　");
    std::string label;
    while (label.size() + name.size() < label_bytes)
        label += blank;
    return label + name;
}

} // namespace

TZhdElemList::TZhdElemList() = default;

TZhdElemList& TZhdElemList::AssignItems(const TZhdElemList& other)
{
    if (this != &other)
        items_ = other.items_;
    return *this;
}

TZhdElemPtr TZhdElemList::GetAt(int index) const
{
    const int k = ClampIndex(index);
    return k < 0 ? TZhdElemPtr() : items_[k];
}

TZhdElemPtr TZhdElemList::SetAt(int index, TZhdElemPtr elem)
{
    const int k = ClampIndex(index);
    if (k < 0)
        return {};
    if (elem)
        items_[k] = std::move(elem);
    return items_[k];
}

std::uint32_t TZhdElemList::RaiseMaxPlGroup(std::uint32_t n)
{
    max_pl_group_ = std::max(max_pl_group_, n);
    return max_pl_group_;
}

std::uint32_t TZhdElemList::NewPlGroup(std::uint32_t& n)
{
    return n = ++max_pl_group_;
}

std::uint32_t TZhdElemList::PeekMaxPlGroup(std::uint32_t& n) const
{
    return n = max_pl_group_;
}

std::uint32_t TZhdElemList::RaiseMaxBlockNumber(std::uint32_t n)
{
    max_block_number_ = std::max(max_block_number_, n);
    return max_block_number_;
}

std::uint32_t TZhdElemList::AllocBlockNumber(std::uint32_t& n)
{
    n = max_block_number_;
    return ++max_block_number_;
}

std::uint32_t TZhdElemList::PeekBlockNumber(std::uint32_t& n) const
{
    return n = max_block_number_;
}

std::uint32_t TZhdElemList::GetGroupElemCount(int group) const
{
    return IsGroupAndLayer(group, 0) ? graphic_counts_[group][TotalColumn] : 0;
}

std::uint32_t TZhdElemList::GetLayerElemCount(int group, int layer) const
{
    return IsGroupAndLayer(group, layer) ? graphic_counts_[group][layer] : 0;
}

std::uint32_t TZhdElemList::GetGroupTextCount(int group) const
{
    return IsGroupAndLayer(group, 0) ? text_counts_[group][TotalColumn] : 0;
}

std::uint32_t TZhdElemList::GetLayerTextCount(int group, int layer) const
{
    return IsGroupAndLayer(group, layer) ? text_counts_[group][layer] : 0;
}

std::uint64_t TZhdElemList::AddLayerCounts(const TZhdElemList& other)
{
    return AddLayerCounts(other, 1);
}

std::uint64_t TZhdElemList::AddLayerCounts(const TZhdElemList& other, std::uint32_t times)
{
    // Copies first: the other list may be this one.
    const CountTable graphic = other.graphic_counts_;
    const CountTable text = other.text_counts_;
    for (int g = 0; g < GroupCount; ++g) {
        for (int l = 0; l <= LayerCount; ++l) {
            AddTimes(graphic_counts_[g][l], graphic[g][l], times);
            AddTimes(text_counts_[g][l], text[g][l], times);
        }
    }
    return SumOf(graphic_counts_) + SumOf(text_counts_);
}

std::uint64_t TZhdElemList::SumOf(const CountTable& table)
{
    std::uint64_t sum = 0;
    for (const auto& row : table) {
        for (std::uint32_t cell : row)
            sum += cell;
    }
    return sum;
}

void TZhdElemList::ClearAllFlags()
{
    for (const TZhdElemPtr& elem : items_)
        elem->GetElemFlgPtr().ClearBit(-1);
}

std::uint32_t TZhdElemList::CountOfKind(const std::string& name) const
{
    const std::size_t kind = ElemKindIndexOfName(name);
    return kind == NoElemKind ? 0 : kind_counts_[kind];
}

std::uint32_t* TZhdElemList::KindCounter(int type_code)
{
    const std::size_t kind = ElemKindIndexOfCode(type_code);
    return kind == NoElemKind ? nullptr : &kind_counts_[kind];
}

// The seven element classes are final, so the type code names the exact class.
void TZhdElemList::Count(const TZhdElem& elem, int delta)
{
    const int type_code = elem.GetTypeCode();
    if (type_code == TZhdElem::BlockCode && elem.GetPenStyle() != 1)
        return;
    std::uint32_t* counter = KindCounter(type_code);
    if (counter == nullptr)
        return;
    AddCount(*counter, delta);
    const int group = elem.GetGLayer();
    const int layer = elem.GetLayer();
    if (!IsGroupAndLayer(group, layer))
        return;
    CountTable& table = type_code == TZhdElem::MojiCode ? text_counts_ : graphic_counts_;
    AddCount(table[group][layer], delta);
    AddCount(table[group][TotalColumn], delta);
}

std::uint32_t TZhdElemList::UpdateCounts(const TZhdElemPtr& elem, int added)
{
    if (!elem)
        return 0;
    const int type_code = elem->GetTypeCode();
    if (type_code == TZhdElem::BlockCode && elem->GetPenStyle() != 1)
        return 0;
    Count(*elem, added != 0 ? 1 : -1);
    const std::uint32_t* counter = KindCounter(type_code);
    return counter != nullptr ? *counter : 0;
}

TZhdElemPtr TZhdElemList::Front() const
{
    return items_.empty() ? TZhdElemPtr() : items_.front();
}

TZhdElemPtr TZhdElemList::Back() const
{
    return items_.empty() ? TZhdElemPtr() : items_.back();
}

int TZhdElemList::Append(TZhdElemPtr elem)
{
    if (elem) {
        Count(*elem, 1);
        RaiseMaxPlGroup(elem->GetPlGroup());
        items_.push_back(std::move(elem));
    }
    return Size();
}

int TZhdElemList::Prepend(TZhdElemPtr elem)
{
    if (elem) {
        Count(*elem, 1);
        items_.insert(items_.begin(), std::move(elem));
    }
    return Size();
}

int TZhdElemList::InsertAt(int index, TZhdElemPtr elem)
{
    if (elem) {
        const int k = ClampIndex(index);
        Count(*elem, 1);
        items_.insert(k < 0 ? items_.end() : items_.begin() + k, std::move(elem));
    }
    return Size();
}

int TZhdElemList::EraseAt(int index)
{
    const int k = ClampIndex(index);
    if (k >= 0) {
        Count(*items_[k], -1);
        items_.erase(items_.begin() + k);
    }
    return Size();
}

int TZhdElemList::PopFront()
{
    return EraseAt(0);
}

int TZhdElemList::PopBack()
{
    return items_.empty() ? 0 : EraseAt(Size() - 1);
}

int TZhdElemList::MoveElem(int from, int to)
{
    const int f = ClampIndex(from);
    const int t = ClampIndex(to);
    if (f < 0 || f == t)
        return Size();
    // The same element goes in and comes out: the bookkeeping does not change.
    if (t < f)
        std::rotate(items_.begin() + t, items_.begin() + f, items_.begin() + f + 1);
    else
        std::rotate(items_.begin() + f, items_.begin() + f + 1, items_.begin() + t);
    return Size();
}

int TZhdElemList::MoveToBack(int index)
{
    const int k = ClampIndex(index);
    if (k >= 0) {
        TZhdElemPtr moved = items_[k];
        Append(moved);
        EraseAt(k);
    }
    return Size();
}

int TZhdElemList::Clear()
{
    items_.clear();
    kind_counts_ = {};
    max_pl_group_ = max_block_number_ = selected_count_ = 0;
    graphic_counts_ = {};
    text_counts_ = {};
    return 0;
}

int TZhdElemList::Reverse()
{
    std::reverse(items_.begin(), items_.end());
    return Size();
}

int TZhdElemList::Resize(int size)
{
    const std::size_t wanted = size < 0 ? static_cast<std::size_t>(-static_cast<std::int64_t>(size))
                                        : static_cast<std::size_t>(size);
    if (wanted < items_.size())
        items_.resize(wanted);
    return Size();
}

int TZhdElemList::SwapItems(ElemPtrList& items)
{
    items_.swap(items);
    std::erase_if(items_, [](const TZhdElemPtr& elem) { return !elem; });
    return Size();
}

int TZhdElemList::SwapElems(int a, int b)
{
    const int first = ClampIndex(a);
    const int second = ClampIndex(b);
    if (first >= 0)
        std::swap(items_[first], items_[second]);
    return Size();
}

int TZhdElemList::ClampIndex(int index) const
{
    const std::int64_t magnitude = index < 0 ? -static_cast<std::int64_t>(index) : index;
    const std::int64_t last = static_cast<std::int64_t>(items_.size()) - 1;
    return static_cast<int>(std::min(magnitude, last));
}

int TZhdElemList::NumberElems()
{
    int number = 0;
    for (const TZhdElemPtr& elem : items_)
        elem->SetNumber(number++);
    return number;
}

int TZhdElemList::ClearTextImages(int, const std::vector<int>& positions)
{
    int emptied = 0;
    for (int position : positions) {
        if (position < 0 || position >= Size())
            continue;
        TZhdElem& elem = *items_[position];
        if (elem.GetTypeCode() == TZhdElem::MojiCode) {
            static_cast<TKMoji&>(elem).ClearRasters();
            ++emptied;
        }
    }
    return emptied;
}

void TZhdElemList::LogStatistics() const
{
    WriteDebugLog(SjPrintf(u8"データ総数：%u", static_cast<unsigned>(Size())));
    for (std::size_t kind = 0; kind < ElemKindCount; ++kind)
        WriteDebugLog(SjPrintf(u8"%s：%u", StatisticsLabel(ElemKinds[kind]).c_str(), kind_counts_[kind]));
    WriteDebugLog(SjPrintf(u8"　最大曲線：%u (%u)", TStatus::GetMaxPlGroup(), max_pl_group_));
    WriteDebugLog(SjPrintf(u8"　最大ブロ：%u (%u)", TKBlockDefine::GetNextNumber(), max_block_number_));
}
