#pragma once

// A grid over the boxes (extent mode 0) of a document's elements, so that a
// search around a point asks only the elements near it instead of measuring
// all of them: the attribute display looks for the element under the mouse
// every second, and a large drawing holds a million elements.
//
// The index answers a superset: the list positions of the elements whose box,
// as measured when the index was built, meets a cell that the query box
// meets. Callers still test each candidate's own extent, so a candidate is
// never wrong; the index is rebuilt when anything its boxes depend on
// changes: the list's elements (any change of which pointer stands at which
// position), the block definitions and the block drawing mode. Elements are
// not changed in place once they are in a drawing's list: a loaded drawing
// is only read.

#include "core/BPoint.h"

#include <cstdint>
#include <vector>

class TZhdData;
class TZhdElem;
class TZhdElemList;

class TExtentIndex {
public:
    TExtentIndex() = default;
    // A copy belongs to another document: it starts empty and is built there.
    TExtentIndex(const TExtentIndex&) {}
    TExtentIndex& operator=(const TExtentIndex&)
    {
        Clear();
        return *this;
    }

    // The positions, ascending, of the elements that may meet the box; an
    // empty pointer when the box covers so much of the drawing that walking
    // the whole list is cheaper.
    const std::vector<int>* Candidates(const TZhdElemList& list, const TZhdData& document, TBPoint min,
                                       TBPoint max);
    // When the box holds every box of the list that is finite, so that all
    // those elements meet it: the positions, ascending, of the elements whose
    // box is not finite, which alone are left to test. Otherwise an empty
    // pointer.
    const std::vector<int>* OutsideBoxHolding(const TZhdElemList& list, const TZhdData& document, TBPoint min,
                                              TBPoint max);

    void Clear();

private:
    // One grid of cells over the drawing's bounds. An element is kept in the
    // finest grid in which its box spans few cells; each coarser grid has
    // cells eight times as wide and high.
    struct TGrid {
        double cell_width = 1, cell_height = 1;
        int columns = 0, rows = 0;
        // Cell c holds positions [starts[c], starts[c + 1]) of positions,
        // row by row.
        std::vector<std::uint32_t> starts;
        std::vector<int> positions;
    };
    struct TSpan {
        int first_column = 0, last_column = -1, first_row = 0, last_row = -1;
        int Cells() const { return (last_column - first_column + 1) * (last_row - first_row + 1); }
    };

    bool IsFreshFor(const TZhdElemList& list, const TZhdData& document) const;
    void Build(const TZhdElemList& list, const TZhdData& document);
    // The cells of the grid that the box meets, clamped to the grid; false
    // when it misses the grid.
    bool SpanOf(const TGrid& grid, double min_x, double min_y, double max_x, double max_y, TSpan& span) const;

    bool built_ = false;
    std::vector<const TZhdElem*> elements_;
    std::uint64_t block_generation_ = 0;
    int block_draw_ = 0;

    double origin_x_ = 0, origin_y_ = 0;
    // The box of all finite boxes; empty when there is none.
    double bounds_[4] = { 0, 0, -1, -1 };
    std::vector<TGrid> grids_;
    // Elements whose box is not finite: always candidates. Ascending.
    std::vector<int> everywhere_;
    std::vector<int> found_;
};
