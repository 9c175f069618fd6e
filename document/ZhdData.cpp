#include "document/ZhdData.h"

#include "core/WakeBit.h"

#include <atomic>
#include <memory>
#include <utility>

TZhdData::TZhdData()
{
    SetUpDefaults();
}

// A copy is a whole document: the set-up of a new one, then the drawing.
TZhdData::TZhdData(const TZhdData& other)
{
    SetUpDefaults();
    CopyDrawingFrom(other);
}

TZhdData& TZhdData::operator=(const TZhdData& other)
{
    if (this != &other)
        CopyDrawingFrom(other);
    return *this;
}

TZhdData::~TZhdData()
{
    // Lists first, as the document always empties them before it goes.
    elem_list_.Clear();
    block_defines_.Clear();
}

void TZhdData::SetUpDefaults()
{
    group_protect_marks_.Resize(GroupCount);
    group_name_marks_.Resize(GroupCount);
    layer_protect_marks_.Resize(GroupCount, LayerCount);
    layer_name_marks_.Resize(GroupCount, LayerCount);
    for (int g = 0; g < GroupCount; ++g) {
        group_protect_marks_.Set(g, true);
        group_name_marks_.Set(g, true);
        for (int l = 0; l < LayerCount; ++l) {
            layer_protect_marks_.Set(g, l, true);
            layer_name_marks_.Set(g, l, true);
        }
    }
    FillDefaultPens();
    BuildMarkerShapes();
}

void TZhdData::CopyDrawingFrom(const TZhdData& other)
{
    elem_list_ = other.elem_list_;
    CopyDrawingExceptElementsFrom(other);
}

void TZhdData::CopyDrawingExceptElementsFrom(const TZhdData& other)
{
    head_ = other.head_;
    block_defines_ = other.block_defines_;
    BlockDefinesChanged();
    class_table_ = other.class_table_;
    k_status_ = other.k_status_;
    g_status_ = other.g_status_;
    info_zhg_ = other.info_zhg_;
    info_reg_ = other.info_reg_;
    group_protect_marks_ = other.group_protect_marks_;
    group_name_marks_ = other.group_name_marks_;
    layer_protect_marks_ = other.layer_protect_marks_;
    layer_name_marks_ = other.layer_name_marks_;
    instruction_list_ = other.instruction_list_;
}

TZhdData& TZhdData::Assign(const TZhdData& other)
{
    return *this = other;
}

TZhdData& TZhdData::AssignValue(TZhdData other)
{
    return *this = other;
}

TZhdData& TZhdData::AssignAll(const TZhdData& other)
{
    if (this == &other)
        return *this;
    CopyDrawingExceptElementsFrom(other);
    pen_map_ = other.pen_map_;
    prt_pen_map_ = other.prt_pen_map_;
    draw_color_ = other.draw_color_;
    draw_color_mode_ = other.draw_color_mode_;
    white_solid_flag_ = other.white_solid_flag_;
    marker_shapes_ = other.marker_shapes_;
    layer_states_ = other.layer_states_;
    return *this;
}

TZhdHead TZhdData::SetHead(TZhdHead head)
{
    head_ = std::move(head);
    return head_;
}

TZhdElemList TZhdData::SetElemList(TZhdElemList list)
{
    elem_list_ = std::move(list);
    return elem_list_;
}

TSList<TKBlockDefine> TZhdData::SetBlockDefines(TSList<TKBlockDefine> defines)
{
    block_defines_ = std::move(defines);
    BlockDefinesChanged();
    return block_defines_;
}

int TZhdData::AppendBlockDefine(TKBlockDefine define)
{
    BlockDefinesChanged();
    return block_defines_.Append(std::move(define));
}

int TZhdData::ClearBlockDefines()
{
    BlockDefinesChanged();
    return block_defines_.Clear();
}

std::uint32_t TZhdData::GetBlockNumberByName(const std::string& name)
{
    if (const TKBlockDefine* found = block_index_.FindByName(block_defines_, name))
        return found->GetNumber();
    TKBlockDefine define;
    std::uint32_t number = 0;
    elem_list_.AllocBlockNumber(number);
    define.SetNumber(number);
    define.SetName(name);
    AppendBlockDefine(std::move(define));
    return number;
}

std::string TZhdData::GetBlockNameByNumber(std::uint32_t number)
{
    const TKBlockDefine* found = block_index_.FindByNumber(block_defines_, number);
    return found != nullptr ? found->GetName() : std::string();
}

void TZhdData::BlockDefinesChanged()
{
    // Numbered from one counter for all documents, so that no two states of
    // any definitions share a generation.
    static std::atomic<std::uint64_t> next_generation { 1 };
    block_defines_generation_ = next_generation++;
    block_index_.Invalidate();
    placed_blocks_.reset();
}

namespace {

// The document keeps an index of its own list only, and only of one so long
// that measuring every element costs more than keeping the index.
bool IsIndexed(const TZhdElemList& list, const TZhdElemList& own_list)
{
    constexpr int indexed_list_size = 1024;
    return &list == &own_list && list.Size() >= indexed_list_size;
}

} // namespace

const std::vector<int>* TZhdData::NearCandidates(const TZhdElemList& list, TBPoint min, TBPoint max) const
{
    return IsIndexed(list, elem_list_) ? extent_index_.Candidates(list, *this, min, max) : nullptr;
}

const std::vector<int>* TZhdData::NotHeldByBox(const TZhdElemList& list, TBPoint min, TBPoint max) const
{
    return IsIndexed(list, elem_list_) ? extent_index_.OutsideBoxHolding(list, *this, min, max) : nullptr;
}

TPlacedBlockCache& TZhdData::GetPlacedBlocks() const
{
    if (!placed_blocks_)
        placed_blocks_ = std::make_unique<TPlacedBlockCache>();
    return *placed_blocks_;
}

const TKBlockDefine* TZhdData::FindBlockDefine(std::uint32_t number) const
{
    if (const TKBlockDefine* found = block_index_.FindByNumber(block_defines_, number))
        return found;
    return block_defines_.Count() > 0 ? &*block_defines_.Begin() : nullptr;
}

TKBlockDefine TZhdData::GetBlockDefine(std::uint32_t number)
{
    const TKBlockDefine* found = FindBlockDefine(number);
    return found != nullptr ? *found : TKBlockDefine();
}

TKBlockDefine TZhdData::GetBlockDefineByName(const std::string& name)
{
    return GetBlockDefine(GetBlockNumberByName(name));
}

TDataType TZhdData::SetClassTable(TDataType table)
{
    class_table_ = std::move(table);
    return class_table_;
}

TStatusZHG TZhdData::SetKStatus(TStatusZHG status)
{
    k_status_ = std::move(status);
    return k_status_;
}

TStatusZHG TZhdData::SetGStatus(TStatusZHG status)
{
    g_status_ = std::move(status);
    return g_status_;
}

TInfoZHG TZhdData::SetInfoZhg(TInfoZHG info)
{
    info_zhg_ = std::move(info);
    return info_zhg_;
}

TInfoREG TZhdData::SetInfoReg(const TInfoREG& info)
{
    info_reg_ = info;
    return info_reg_;
}

namespace {

// A set on a table that a load emptied sizes it first, so the mark is kept.
bool SetMark(TVect<bool>& marks, int g, bool mark)
{
    if (marks.Count() == 0)
        marks.Resize(TZhdData::GroupCount);
    return marks.Set(g, mark);
}

bool SetMark(TVects<bool>& marks, int g, int l, bool mark)
{
    if (marks.RowCount() == 0)
        marks.Resize(TZhdData::GroupCount, TZhdData::LayerCount);
    return marks.Set(g, l, mark);
}

} // namespace

bool TZhdData::SetGroupProtectMark(int g, bool mark)
{
    return SetMark(group_protect_marks_, g, mark);
}

bool TZhdData::SetGroupNameMark(int g, bool mark)
{
    return SetMark(group_name_marks_, g, mark);
}

bool TZhdData::SetLayerProtectMark(int g, int l, bool mark)
{
    return SetMark(layer_protect_marks_, g, l, mark);
}

bool TZhdData::SetLayerNameMark(int g, int l, bool mark)
{
    return SetMark(layer_name_marks_, g, l, mark);
}

void TZhdData::RefreshLayerStates()
{
    // The masks of TZhdHead::GetLayerStateMask, with each group copied out of
    // the header once rather than twice per layer (a group copy brings its
    // sixteen layers and names): every selection and search refreshes.
    const TWakeBit& masks = SharedWakeBit();
    for (int g = 0; g < GroupCount; ++g) {
        const TZhdGrp group = head_.GetGroup(g);
        const std::uint32_t group_mask = masks.GetMask(group.GetState());
        for (int l = 0; l < LayerCount; ++l)
            layer_states_[g][l] = group_mask & masks.GetMask(group.GetLayer(l).GetState());
    }
}

TZhdElemList TZhdData::SetInstructionList(TZhdElemList list)
{
    instruction_list_ = std::move(list);
    return instruction_list_;
}
