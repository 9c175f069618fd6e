#pragma once

// TZhdElemList: the ordered list of drawing elements, with bookkeeping that
// the program reads without walking the list: a counter per element kind, two
// 16 x 17 count tables per layer group and layer (graphic elements and texts;
// column 16 is the group's total), the highest curve-group and block numbers
// seen, and the number of selected elements.
//
// Lists share elements: copying a list copies the pointers (Copy makes new
// elements). The items are a vector of shared pointers, so indexed access is
// O(1) and loops over positions stay linear; inserting or erasing anywhere but
// at the end moves the pointers behind it. No list ever holds an empty
// pointer: adding one does nothing.
//
// Counting rule: Append, Prepend, InsertAt, EraseAt, PopFront, PopBack,
// MoveElem, MoveToBack and Clear keep the bookkeeping; SetAt, AssignItems,
// Resize, Reverse and the orderings leave it alone. A block reference is
// counted only with line type 1 (one element on the reference's layer); the
// file loader adds the contents of the other references itself. An element
// whose layer group or layer lies outside 0 to 15 is counted by kind but in no
// table cell, as if it lay on a hidden layer.
//
// Indexes are clamped (absolute value, limited to the last element).
// Operations that need an element do nothing on an empty list and answer an
// empty pointer.

#include "core/TextUtil.h"
#include "document/Forward.h"
#include "document/GroupLayer.h"
#include "elements/Forward.h"
#include "platform/CanvasTypes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TBitFlg;
class TBPoint;
class TCanvas;
class TStream;

// How reading a list from a stream ended.
enum class TListReadResult {
    Complete,
    // A record's class tag named no element class: the list ends there and
    // the stream stands right after that tag.
    UnknownClass,
    // The data ended before the records the count announced.
    RanShort,
};

class TZhdElemList {
public:
    using ElemPtrList = std::vector<TZhdElemPtr>;
    using Iterator = ElemPtrList::iterator;
    using ConstIterator = ElemPtrList::const_iterator;

    // The element kinds (elements/ElemKind.h).
    static constexpr std::size_t KindCount = 7;
    static constexpr int GroupCount = GroupsPerDrawing;
    static constexpr int LayerCount = LayersPerGroup;
    static constexpr int TotalColumn = 16;

    TZhdElemList();

    TZhdElemList& GetElemListPtr() { return *this; }
    // The other list's pointers; the bookkeeping stays.
    TZhdElemList& AssignItems(const TZhdElemList& other);
    Iterator Begin() { return items_.begin(); }
    Iterator End() { return items_.end(); }
    ConstIterator Begin() const { return items_.begin(); }
    ConstIterator End() const { return items_.end(); }
    const ElemPtrList& GetItemsPtr() const { return items_; }
    TZhdElemPtr GetAtIterator(ConstIterator position) const { return *position; }
    TZhdElemPtr GetAt(int index) const;
    // Stores a non-empty pointer; returns the pointer now at that position.
    TZhdElemPtr SetAt(int index, TZhdElemPtr elem);

    std::uint32_t GetMaxPlGroup() const { return max_pl_group_; }
    std::uint32_t RaiseMaxPlGroup(std::uint32_t n);
    std::uint32_t NewPlGroup(std::uint32_t& n);
    std::uint32_t PeekMaxPlGroup(std::uint32_t& n) const;
    std::uint32_t GetMaxBlockNumber() const { return max_block_number_; }
    std::uint32_t RaiseMaxBlockNumber(std::uint32_t n);
    // n = the highest number held; the highest number is then advanced.
    std::uint32_t AllocBlockNumber(std::uint32_t& n);
    std::uint32_t PeekBlockNumber(std::uint32_t& n) const;
    std::uint32_t GetSelectedCount() const { return selected_count_; }
    std::uint32_t SetSelectedCount(std::uint32_t count) { return selected_count_ = count; }
    // 1 while the main window's marker circle drawn over this list's view is
    // on the screen, 0 from construction on; only the marker drawing reads
    // and writes it.
    int GetMarkerShown() const { return marker_shown_; }
    int SetMarkerShown(int shown) { return marker_shown_ = shown; }

    // Cells outside the tables read 0.
    std::uint32_t GetGroupElemCount(int group) const;
    std::uint32_t GetLayerElemCount(int group, int layer) const;
    std::uint32_t GetGroupTextCount(int group) const;
    std::uint32_t GetLayerTextCount(int group, int layer) const;
    // Adds the other list's tables cell by cell; returns the sum of every
    // cell of both tables afterwards.
    std::uint64_t AddLayerCounts(const TZhdElemList& other);
    // The same, `times` times over in one pass.
    std::uint64_t AddLayerCounts(const TZhdElemList& other, std::uint32_t times);

    void ClearAllFlags();

    // --- Selection marks (ZhdElemListSelect.cpp) ---
    // To select an element sets its selected and last-hit marks; to unselect
    // it clears both. The instruction mark is never touched.
    static void SelectElem(TZhdElem& elem);
    static void UnselectElem(TZhdElem& elem);
    // One pass in list order: selects every element `wanted` accepts; unselects
    // the others, or leaves their marks alone when `keep` is set. Stores the
    // number selected as the selected count and returns it.
    int SelectWhere(const std::function<bool(const TZhdElem&)>& wanted, bool keep);
    // --- end of selection marks ---

    // --- Extents and area selection (ZhdElemListArea.cpp) ---
    // The box of all elements' extents (each asked with the mode). An element
    // whose box is not finite adds nothing; with no such box at all (an empty
    // list) min and max are left as they were.
    void GetExtents(TBPoint& min, TBPoint& max, const TZhdData& document, int mode) const;
    // Selects in the closed polygon of the vertices (two vertices: the box
    // they span) through SelectInArea with lines as its edges; 0 and nothing
    // marked for fewer than two vertices.
    int SelectInPolygon(const std::vector<TBPoint>& vertices, const TZhdData& document, const TBitFlg& options);
    // Sets the selected mark of every element whose classification against
    // the closed boundary (0 outside, 1 inside, 2 crossing, 3 touching) has
    // its bit set in the options; returns how many it marked. Elements whose
    // box does not meet the boundary's are outside without further test.
    // Marks are only added, the selected count is not touched, and layer
    // states play no part. A boundary of two elements or fewer marks nothing.
    int SelectInArea(const TZhdElemList& boundary, const TZhdData& document, const TBitFlg& options);
    // --- end of extents and area selection ---

    // --- Nearest points (ZhdElemListNearest.cpp) ---
    // Candidates are the elements of layers that are not hidden whose extent
    // meets the search box: the visible area of the view for a radius of 0,
    // the square of half side radius pixels (in drawing millimetres at the
    // view's scale) around the query for a positive radius, the single point
    // (0, 0) for a negative one. The caller refreshes the layer states.
    //
    // The candidate whose outline comes nearest (by the magnitude of the
    // distance its NearestPoint gives; the first in list order on a tie):
    // its position in the list, with its point and distance. -1, (0, 0) and
    // 1e308 when no candidate gives a point.
    int FindNearestElementPoint(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance,
                                int radius) const;
    // The same over the candidates' characteristic points (NearestEndPoint).
    int FindNearestEndPoint(const TBPoint& query, const TZhdData& document, TBPoint& point, double& distance,
                            int radius) const;
    // Of the points where the element meets a candidate (the element itself
    // included), the one nearest to the query; candidates off the pieces
    // (tag 0) are no intersections and are passed over. The list is left
    // holding that point alone ((0, 0) when there is none); the result is the
    // candidate's position, or -1.
    int FindNearestIntersection(const TBPoint& query, const TZhdElemPtr& elem, const TZhdData& document,
                                std::vector<TBPoint>& points, int radius) const;
    // --- end of nearest points ---

    // --- Intersections of all elements (ZhdElemListIntersect.cpp) ---
    // One point list per element number: the points where that element meets
    // others, each tagged with the other element's number.
    using IntersectionTable = std::vector<std::vector<TBPoint>>;
    // Numbers the elements, sizes the table to them and fills it with every
    // intersection between elements of editable layers, each point filed once
    // per pair (on both elements). The text is overwritten with each log line
    // written. Returns the number of intersections found; 0 and an empty
    // table for an empty list.
    int FindIntersections(IntersectionTable& table, const TZhdData& document, std::string& text);
    // The search of the area lo-hi (closed) by halving it along its longer
    // side until a part holds at most m elements (100 for m <= 0) or the
    // depth passes the limit; each part compares its pairs and files the
    // points lying in it. The elements must be numbered within the table.
    // Returns how many elements were taken as the first of a pair.
    int IntersectByGrid(IntersectionTable& table, const TZhdData& document, int m, TBPoint lo, TBPoint hi,
                        int depth, int limit, std::string& text) const;
    // The area lo-hi cut into k x k cells (one cell for k < 1), each searched
    // as by IntersectByGrid with the elements that meet it. Returns the
    // number of intersections found.
    int IntersectByDivision(IntersectionTable& table, const TZhdData& document, int m, TBPoint lo, TBPoint hi,
                            int depth, int k, std::string& text) const;
    // --- end of intersections ---

    // By class name ("TKLine") or archive class name ("CDataSen"); 0 for
    // anything else.
    std::uint32_t CountOfKind(const std::string& name) const;
    // Counts the element in (added non-zero) or out; returns the kind
    // counter's new value, 0 for an element that is not counted.
    std::uint32_t UpdateCounts(const TZhdElemPtr& elem, int added);

    TZhdElemPtr Front() const;
    TZhdElemPtr Back() const;
    // Also raises the highest curve-group number to the element's.
    int Append(TZhdElemPtr elem);
    int Prepend(TZhdElemPtr elem);
    // Before the element at the clamped index; appends on an empty list.
    int InsertAt(int index, TZhdElemPtr elem);
    int EraseAt(int index);
    int PopFront();
    int PopBack();
    // The element at `from` ends up directly before the one that was at `to`.
    int MoveElem(int from, int to);
    int MoveToBack(int index);
    int Clear();
    int Reverse();
    int Size() const { return static_cast<int>(items_.size()); }
    // Drops elements from the end down to |size|; never grows the list,
    // which holds no empty pointers.
    int Resize(int size);

    // Orderings: stable, by the layer code (group * 16 + layer) and the pen
    // colour, with the choice of order and kind in ZhdElemListOrder.cpp.
    int SortByLayer();
    int Sort(int order, int kind);
    // Exchanges the items with the container; empty pointers that came with it
    // are dropped. The bookkeeping stays.
    int SwapItems(ElemPtrList& items);
    int SwapElems(int a, int b);

    int ClampIndex(int index) const;

    // Appends new copies of the source's elements whose selected mark equals
    // `mark` (all of them for mark 2), made through their bodies with the
    // document. With share_images, copied texts place the source's images.
    // The source may be this list: only the elements it held before count.
    int Copy(const TZhdElemList& source, const TZhdData& document, int mark, int share_images);

    // Gives every element its position as its number; returns the count.
    int NumberElems();

    // The list record: an archive count, then per element its class tag and
    // its body. Reading appends; it stops at a tag that names no element
    // class, and at the end of the data before a record that has no room for a
    // class tag and an attribute record. The document's class-tag table goes
    // on from where the previous list left it.
    TListReadResult ReadArchive(TStream& stream, TZhdData& document);
    void WriteArchive(TStream& stream, TZhdData& document) const;
    // The sum of the element bodies (no tags, no count).
    int GetArchiveSize(const TZhdData& document) const;

    // --- Drawing (render/ElemListDraw.cpp) ---
    // Raw pointers to elements the list holds: a drawing's buckets.
    using ElemRefs = std::vector<TZhdElem*>;
    // Draws the list onto the canvas in the document's view: background,
    // paper outline, the visible elements of the layers that are not hidden
    // in passes by kind, layer and colour, the selection overlay, the print
    // frame and the cross-hair. The caller refreshes the document's layer
    // states first. Returns the sum of the elements' draw results.
    int Draw(TCanvas& canvas, TZhdData& document);
    // One pass over a bucket (ordered on its own copy): pass 1 draws display-
    // only elements grey, pass 2 draws in the elements' own colours and
    // collects white solids for a redraw when transparency is on.
    int DrawPass(TCanvas& canvas, TZhdData& document, TColor background, int pass, ElemRefs bucket,
                 ElemRefs* redraw, int layer_order, int color_order);
    // The selected elements of editable layers in the selection colour.
    int DrawSelected(TCanvas& canvas, TZhdData& document);
    // Before a page of an output job: each visible text whose colour image is
    // drawn transparent or turned gets, as its only image, a picture of
    // everything under it drawn with that image (render/RasterPass.cpp).
    // Appends the texts' positions; returns how many; 0 outside a job.
    int DrawRasters(TCanvas& canvas, TZhdData& document, std::vector<int>& positions);
    // --- end of drawing ---

    // Empties the images of the texts at the positions given (positions
    // outside the list are skipped); returns how many texts it emptied.
    int ClearTextImages(int unused, const std::vector<int>& positions);
    void Nop() {}
    // Ten debug-log lines: the size and the kind counters, then the curve-group
    // and block-number counters.
    void LogStatistics() const;

    // --- External-command text form (ZhdElemListTextForm.cpp). ---
    // Reads the element lines from the document's line index to the end:
    // attribute, flag, curve-group and instruction lines change the
    // document's running state, record lines append new elements. Raises
    // TLineConvertError when an integer field does not convert.
    void ParseZhcLines(const StringList& lines, TZhdData& document);
    // Appends every element's lines, then "#". The document's line index
    // counts the instruction records written.
    void WriteZhcLines(StringList& lines, TZhdData& document) const;
    // Appends to the target the elements marked as instructions, in list
    // order and shared; returns this list's size.
    int CollectInstructions(TZhdElemList& target) const;

private:
    using CountTable = std::array<std::array<std::uint32_t, LayerCount + 1>, GroupCount>;

    std::uint32_t* KindCounter(int type_code);
    void Count(const TZhdElem& elem, int delta);
    static std::uint64_t SumOf(const CountTable& table);

    ElemPtrList items_;
    // One counter per kind, in the order of the kind table.
    std::array<std::uint32_t, KindCount> kind_counts_ {};
    std::uint32_t max_pl_group_ = 0;
    std::uint32_t max_block_number_ = 0;
    std::uint32_t selected_count_ = 0;
    int marker_shown_ = 0;
    CountTable graphic_counts_ {};
    CountTable text_counts_ {};
};
