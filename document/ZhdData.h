#pragma once

// TZhdData: one drawing document: the header, the elements and block
// definitions, the class-tag table of its file, the attribute states and
// header information of the external-command text form, the view and print
// state, the change marks of groups and layers, the pens drawing uses, the
// point-marker shapes and the cached layer states.
//
// A document owns its members by value; only elements are shared, through the
// element lists' shared pointers. Ways of copying a document:
// - the copy constructor: a fully set-up document (default pens, marker
//   shapes, layer-state table), then the drawing's members copied as the
//   assignment copies them;
// - assignment, Assign and AssignValue: Head, ElemList (elements shared),
//   BlockDefines, ClassTable, KStatus, GStatus, InfoZhg, InfoReg, the four
//   change-mark tables and InstructionList; pens, marker shapes, drawing state
//   and layer states stay;
// - AssignAll (the print job's working copy): everything except ElemList,
//   which the caller fills with new copies (TZhdElemList::Copy).
//
// The change-mark tables are empty after a load: reading a mark then answers
// "not marked", and setting one sizes the table to 16 (or 16 x 16) first.
// The layer-state table is a cache of the header's effective states, refilled
// by RefreshLayerStates, which callers run before they read it.
//
// Block definitions are handed out read-only; changes go through the document
// so that its look-up index by number and name stays true.

#include "core/SList.h"
#include "core/Vect.h"
#include "core/Vects.h"
#include "document/BlockDefineIndex.h"
#include "document/ExtentIndex.h"
#include "document/DataType.h"
#include "document/InfoZHG.h"
#include "document/KBlockDefine.h"
#include "document/PlacedBlockCache.h"
#include "document/StatusZHG.h"
#include "document/TextForm.h"
#include "document/ZhdElemList.h"
#include "document/ZhdHead.h"
#include "document/ZhdPen.h"
#include "platform/LoadResult.h"
#include "render/InfoReg.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TTextMatcher;
class TMemoryStream;
class TStopWatch;
class TStream;

class TZhdData {
public:
    using PenMap = std::map<std::string, TZhdPen>;
    using PrtPenMap = std::map<std::string, TZhdPrtPen>;
    using MarkerShapeMap = std::map<int, TZhdElemList>;
    using LayerStateTable = std::array<std::array<std::uint32_t, LayersPerGroup>, GroupsPerDrawing>;

    static constexpr int GroupCount = GroupsPerDrawing;
    static constexpr int LayerCount = LayersPerGroup;
    // Versions up to this one hold nothing after the header.
    static constexpr std::uint32_t LastHeaderOnlyVersion = 229;

    TZhdData();
    TZhdData(const TZhdData& other);
    TZhdData& operator=(const TZhdData& other);
    ~TZhdData();

    TZhdData& AssignAll(const TZhdData& other);
    TZhdData& Assign(const TZhdData& other);
    TZhdData& AssignValue(TZhdData other);
    TZhdData& GetDataPtr() { return *this; }

    TZhdHead GetHead() const { return head_; }
    TZhdHead& GetHeadPtr() { return head_; }
    const TZhdHead& GetHeadPtr() const { return head_; }
    TZhdHead SetHead(TZhdHead head);
    std::uint32_t GetVersion() const { return head_.GetVersion(); }
    std::uint32_t SetVersion(std::uint32_t version) { return head_.SetVersion(version); }

    TZhdElemList GetElemList() const { return elem_list_; }
    TZhdElemList& GetElemListPtr() { return elem_list_; }
    const TZhdElemList& GetElemListPtr() const { return elem_list_; }
    TZhdElemList SetElemList(TZhdElemList list);

    // Block definitions in file order.
    TSList<TKBlockDefine> GetBlockDefines() const { return block_defines_; }
    const TSList<TKBlockDefine>& GetBlockDefinesPtr() const { return block_defines_; }
    TSList<TKBlockDefine> SetBlockDefines(TSList<TKBlockDefine> defines);
    int AppendBlockDefine(TKBlockDefine define);
    int ClearBlockDefines();
    // The first definition with the name; a missing name gets a new, empty
    // definition numbered by the element list's block numbers.
    std::uint32_t GetBlockNumberByName(const std::string& name);
    // "" when no definition has the number.
    std::string GetBlockNameByNumber(std::uint32_t number);
    // A copy of the first definition with the number, else of the first
    // definition of all, else a default definition.
    TKBlockDefine GetBlockDefine(std::uint32_t number);
    TKBlockDefine GetBlockDefineByName(const std::string& name);
    // The definition itself, by the same rule; nullptr only when there are
    // none. Valid until the definitions change.
    const TKBlockDefine* FindBlockDefine(std::uint32_t number) const;
    // Changes whenever the definitions change (unique for the run).
    std::uint64_t GetBlockDefinesGeneration() const { return block_defines_generation_; }
    // The placed copies of definitions that block references have made.
    TPlacedBlockCache& GetPlacedBlocks() const;
    // How many times a walk into block contents was refused (a definition
    // already being expanded, or nesting too deep): a result worked out
    // while this count grew depends on the walk it was made in.
    std::uint64_t GetBlockExpansionRefusals() const { return block_expansion_refusals_; }

    TDataType GetClassTable() const { return class_table_; }
    TDataType& GetClassTablePtr() { return class_table_; }
    TDataType SetClassTable(TDataType table);

    TStatusZHG GetKStatus() const { return k_status_; }
    TStatusZHG& GetKStatusPtr() { return k_status_; }
    TStatusZHG SetKStatus(TStatusZHG status);
    TBitFlg GetKStatusFlags() const { return k_status_.GetFlg(); }
    TBitFlg SetKStatusFlags(TBitFlg flags) { return k_status_.SetFlg(flags); }
    TStatus GetKStatusAttr() const { return static_cast<const TStatus&>(k_status_); }
    double GetKStatusScale() const { return k_status_.GetScale(); }
    double SetKStatusScale(double scale) { return k_status_.SetScale(scale); }
    TStatusZHG GetGStatus() const { return g_status_; }
    TStatusZHG& GetGStatusPtr() { return g_status_; }
    TStatusZHG SetGStatus(TStatusZHG status);
    TBitFlg GetGStatusFlags() const { return g_status_.GetFlg(); }
    TBitFlg SetGStatusFlags(TBitFlg flags) { return g_status_.SetFlg(flags); }
    TStatus GetGStatusAttr() const { return static_cast<const TStatus&>(g_status_); }
    double GetGStatusScale() const { return g_status_.GetScale(); }
    double SetGStatusScale(double scale) { return g_status_.SetScale(scale); }

    TInfoZHG& GetInfoZhgPtr() { return info_zhg_; }
    TInfoZHG GetInfoZhg() const { return info_zhg_; }
    TInfoZHG SetInfoZhg(TInfoZHG info);
    TInfoREG& GetInfoRegPtr() { return info_reg_; }
    const TInfoREG& GetInfoRegPtr() const { return info_reg_; }
    TInfoREG GetInfoReg() const { return info_reg_; }
    TInfoREG SetInfoReg(const TInfoREG& info);
    int GetHeaderLineCount() const { return info_zhg_.GetHeaderLineCount(); }
    int SetHeaderLineCount(int index) { return info_zhg_.SetHeaderLineCount(index); }
    TBitFlg GetInfoFlags() const { return info_zhg_.GetFlags(); }
    TBitFlg SetInfoFlags(TBitFlg flags) { return info_zhg_.SetFlags(flags); }
    int TestInfoFlag(int bit) const { return info_zhg_.TestFlag(bit); }
    bool SetInfoFlag(int bit, bool value) { return info_zhg_.SetFlag(bit, value); }
    TAngle GetInfoAngle() const { return info_zhg_.GetAngle(); }
    TAngle SetInfoAngle(TAngle angle) { return info_zhg_.SetAngle(angle); }
    std::string GetHeText() const { return info_zhg_.GetHeText(); }
    std::string SetHeText(std::string text) { return info_zhg_.SetHeText(std::move(text)); }
    std::string GetHHashText() const { return info_zhg_.GetHHashText(); }
    std::string SetHHashText(std::string text) { return info_zhg_.SetHHashText(std::move(text)); }
    int GetHrFlag() const { return info_zhg_.GetHrFlag(); }
    int SetHrFlag(int flag) { return info_zhg_.SetHrFlag(flag); }
    std::string GetHSlashText() const { return info_zhg_.GetHSlashText(); }
    std::string SetHSlashText(std::string text) { return info_zhg_.SetHSlashText(std::move(text)); }

    // Change marks per group and per (group, layer).
    bool GetGroupProtectMark(int g) const { return group_protect_marks_.Get(g); }
    bool SetGroupProtectMark(int g, bool mark);
    bool GetGroupNameMark(int g) const { return group_name_marks_.Get(g); }
    bool SetGroupNameMark(int g, bool mark);
    bool GetLayerProtectMark(int g, int l) const { return layer_protect_marks_.Get(g, l); }
    bool SetLayerProtectMark(int g, int l, bool mark);
    bool GetLayerNameMark(int g, int l) const { return layer_name_marks_.Get(g, l); }
    bool SetLayerNameMark(int g, int l, bool mark);

    int GetGroupState(int g) const { return head_.GetGroupState(g); }
    int GetLayerState(int g, int l) const { return head_.GetLayerState(g, l); }
    int GetEffectiveLayerState(int g, int l) const { return head_.GetLayerStateMask(g, l); }
    // Refills the layer-state table from the header: 256 look-ups.
    void RefreshLayerStates();
    const LayerStateTable& GetLayerStatesPtr() const { return layer_states_; }
    // The cached state mask; 0 (hidden) outside groups and layers 0 to 15.
    std::uint32_t GetCachedLayerState(int g, int l) const
    {
        return IsGroupAndLayer(g, l) ? layer_states_[g][l] : 0;
    }

    // The positions, ascending, of the elements of the list that may meet
    // the box (extent mode 0), from an index the document keeps of its own
    // list (document/ExtentIndex.h); an empty pointer when every element is
    // to be asked: another list, a small one, or a box over much of it.
    const std::vector<int>* NearCandidates(const TZhdElemList& list, TBPoint min, TBPoint max) const;
    // When the box holds the boxes of all elements of the list whose box is
    // finite (the index knows it: the document's own list, not a small one),
    // the positions, ascending, of the others, which alone need their
    // extent tested; else an empty pointer.
    const std::vector<int>* NotHeldByBox(const TZhdElemList& list, TBPoint min, TBPoint max) const;

    // The element list's nearest-point and intersection searches with this
    // document (document/ZhdElemList.h); the caller refreshes the layer
    // states first.
    int FindNearestElementPoint(const TBPoint& query, TBPoint& point, double& distance, int radius) const
    {
        return elem_list_.FindNearestElementPoint(query, *this, point, distance, radius);
    }
    int FindNearestEndPoint(const TBPoint& query, TBPoint& point, double& distance, int radius) const
    {
        return elem_list_.FindNearestEndPoint(query, *this, point, distance, radius);
    }
    int FindNearestIntersection(const TBPoint& query, const TZhdElemPtr& elem, std::vector<TBPoint>& points,
                                int radius) const
    {
        return elem_list_.FindNearestIntersection(query, elem, *this, points, radius);
    }
    int FindIntersections(TZhdElemList::IntersectionTable& table, std::string& text)
    {
        return elem_list_.FindIntersections(table, *this, text);
    }

    // --- Selection, text search and the CAD settings file ---
    // (ZhdDataSelect.cpp, ZhdDataSearch.cpp, CadSettingsFile.cpp)
    // To select an element sets its selected and last-hit marks, to unselect
    // it clears both. The selecting, searching and collecting operations
    // refresh the layer-state table first. An element is selectable when its
    // group and its layer are both at least editable, visible when both are
    // at least display only. Every operation that changes marks stores its
    // result as the element list's selected count (ClearSelection stores 0).
    // Group, layer and scope numbers out of range select nothing; they are
    // never used as indexes.
    //
    // Selects group g's selectable elements; the others are unselected, or
    // keep their marks when keep is not 0. Returns the number selected.
    int SelectGroup(int g, int keep);
    // The same for layer l of group g.
    int SelectLayer(int g, int l, int keep);
    // Selects the selectable elements and unselects the rest; returns (and
    // stores) the number of elements in the list, not the number selected.
    int SelectAllVisible();
    // Clears the selected mark only, so ReselectMarked can bring the
    // selection back; returns how many elements were selected.
    int ClearSelection();
    // Sets the selected mark again on the elements with the last-hit mark
    // that are still selectable; clears nothing. Returns their number.
    int ReselectMarked();
    // The search bar: selects the hits and unselects every other element, in
    // every group and layer, hidden ones included; returns the number of hits.
    // Candidates are the texts in `scope` (TTextSearchScope) on visible layers
    // that place no image; `options` are TTextSearchOption bits. A pattern
    // error raises EbmREToken before any mark or count changes.
    int SearchText(std::string word, int scope, int options);
    // The same with a matcher built (and its pattern compiled) already.
    int SearchText(TTextMatcher& matcher, int scope);
    // The candidate list: the candidates' texts as stored, in list order with
    // duplicates, replace `texts`; returns their number. No mark changes.
    int CollectTexts(std::vector<std::string>& texts, int scope);
    // Group g and its 16 layers become editable and every other group hidden
    // (their layers keep their states); g outside 0 to 15 hides all groups.
    // The layer-state table is not refreshed.
    void IsolateGroup(int g);
    std::uint32_t GetGroupElemCount(int g) const { return elem_list_.GetGroupElemCount(g); }
    std::uint32_t GetLayerElemCount(int g, int l) const { return elem_list_.GetLayerElemCount(g, l); }
    std::uint32_t GetGroupTextCount(int g) const { return elem_list_.GetGroupTextCount(g); }
    std::uint32_t GetLayerTextCount(int g, int l) const { return elem_list_.GetLayerTextCount(g, l); }
    // The CAD program's settings file (.zhf): its line-type and pen lines
    // replace entries of the header's tables (TZhdHead::ApplySettingsFile),
    // KStatus's group and layer become the write target, and GStatus takes
    // KStatus. Missing or Unreadable: nothing changed, nothing logged. A value
    // that does not convert gives ConversionError naming the line, with the
    // header and the states as they were.
    TLoadResult LoadCadSettingsFile(const std::string& path);
    // --- end of selection, text search and the CAD settings file ---

    int GetPenColour(int n) const { return head_.GetPen(n).GetColorValue(); }
    TZhdLType GetLineType(int n) const { return head_.GetLType(n); }

    TZhdElemList GetInstructionList() const { return instruction_list_; }
    TZhdElemList SetInstructionList(TZhdElemList list);

    // Pens by name: "1" to "9" the colour numbers, "B" background, "G"
    // display only, "S" selection, "Z" cross-hair, "100" to "356" the extended
    // colours. A missing name looked up with [] gets a default pen.
    PenMap& GetPenMapPtr() { return pen_map_; }
    const PenMap& GetPenMapPtr() const { return pen_map_; }
    PrtPenMap& GetPrtPenMapPtr() { return prt_pen_map_; }
    const PrtPenMap& GetPrtPenMapPtr() const { return prt_pen_map_; }
    // Point-marker shapes by marker code -7 to 11.
    MarkerShapeMap& GetMarkerShapesPtr() { return marker_shapes_; }
    const MarkerShapeMap& GetMarkerShapesPtr() const { return marker_shapes_; }

    // Element drawing's colour for the element in hand, its override mode and
    // the white-solid mark.
    int GetDrawColor() const { return draw_color_; }
    int SetDrawColor(int color) { return draw_color_ = color; }
    int GetDrawColorMode() const { return draw_color_mode_; }
    int SetDrawColorMode(int mode) { return draw_color_mode_ = mode; }
    int GetWhiteSolidFlag() const { return white_solid_flag_; }
    int SetWhiteSolidFlag(int flag) { return white_solid_flag_ = flag; }

    // The drawing file (.zhd). The document is consistent however a load
    // ends: Missing touches nothing; Unreadable leaves the elements, block
    // definitions and change marks empty; the other statuses say how far the
    // file was taken. SaveToFile touches the file only once the whole
    // drawing is built in memory.
    TLoadResult LoadFromFile(const std::string& path);
    TSaveStatus SaveToFile(const std::string& path);
    // The same on a stream holding (or receiving) a whole drawing file.
    TLoadResult LoadFromStream(TStream& stream);
    void SaveToStream(TMemoryStream& stream);
    // The size of the element bodies at the document's version.
    int GetDataByteSize() const;

    // --- External-command text form ("zhc_temp.txt"): ZhdDataTextForm.cpp
    // and AttributeDirectives.cpp. ---
    // Reads the file: its header into the header, KStatus and the text-form
    // information, its element lines into a new element list (with the block
    // definitions their references name), then appends the instruction
    // elements to the instruction list and makes editable layers writable.
    // The load runs on a working copy of the document that replaces it only
    // when the whole file was read: a missing, unreadable or malformed file
    // leaves the document exactly as it was.
    TLoadResult LoadZhcText(const std::string& path);
    // The same on the bytes of a whole file.
    TLoadResult LoadZhcTextFromBytes(std::string_view bytes);
    // Writes the whole file (header, element lines, then the change-mark,
    // state and reply lines the information asks for), every line ended by
    // CR LF. The file is touched only once every line is built. Changes
    // GStatus and the line index.
    TSaveStatus SaveZhcText(const std::string& path);
    // The lines SaveZhcText writes.
    void WriteZhcText(StringList& lines);
    // One element's whole record, as it would open a file's element
    // section: its lines are written against a fresh running state (GStatus
    // as KStatus, line index 0), not the one earlier writes left, and the
    // document's own running state is the same afterwards. So the same
    // element gives the same lines every time, and writing them changes
    // nothing.
    void WriteFreshTextRecord(const TZhdElem& elem, StringList& lines);
    // Attribute directives with GStatus as the state.
    void ParseDirective(const std::string& line) { head_.ParseAttributeDirective(line, g_status_); }
    std::string FormatDirective(const std::string& key) const { return head_.FormatAttributeDirective(key, g_status_); }
    std::string FormatChangedDirectives(const std::string& key, const TStatusZHG& new_state, StringList& lines)
    {
        return head_.EmitChangedAttribute(key, new_state, g_status_, lines);
    }

private:
    friend class TBlockExpansion;

    void SetUpDefaults();
    void BlockDefinesChanged();
    void FillDefaultPens();
    void BuildMarkerShapes();
    void CopyDrawingFrom(const TZhdData& other);
    void CopyDrawingExceptElementsFrom(const TZhdData& other);
    void EmptyDrawing();
    TLoadResult ReadDrawing(TStream& stream, TStopWatch& watch);
    void TakePensFromHeader();
    void TakeViewSettingsFromHeader();
    TListReadResult ReadBlockDefines(TStream& stream);
    void CountBlockContents();
    void SetStatesFromHeader();
    void WriteDrawing(TMemoryStream& stream, TStopWatch& watch);
    std::vector<std::uint32_t>& ExpandingBlocks() const { return expanding_blocks_; }
    // Text form.
    void ReadZhcLines(const StringList& lines);
    void MakeEditableLayersWritable();
    void AppendChangeMarkLines(StringList& lines);
    void AppendReplyLines(StringList& lines) const;

    TZhdHead head_;
    TZhdElemList elem_list_;
    TSList<TKBlockDefine> block_defines_;
    TDataType class_table_;
    TStatusZHG k_status_;
    TStatusZHG g_status_;
    TInfoZHG info_zhg_;
    TInfoREG info_reg_;
    TVect<bool> group_protect_marks_;
    TVect<bool> group_name_marks_;
    TVects<bool> layer_protect_marks_;
    TVects<bool> layer_name_marks_;
    TZhdElemList instruction_list_;
    PenMap pen_map_;
    PrtPenMap prt_pen_map_;
    int draw_color_ = 0;
    int draw_color_mode_ = 0;
    int white_solid_flag_ = 0;
    MarkerShapeMap marker_shapes_;
    LayerStateTable layer_states_ {};

    mutable TBlockDefineIndex block_index_;
    std::uint64_t block_defines_generation_ = 0;
    mutable std::unique_ptr<TPlacedBlockCache> placed_blocks_;
    mutable std::vector<std::uint32_t> expanding_blocks_;
    mutable TExtentIndex extent_index_;
    mutable std::uint64_t block_expansion_refusals_ = 0;
};
