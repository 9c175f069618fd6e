#include "document/ExtentIndex.h"

#include "document/ZhdData.h"
#include "document/ZhdElemList.h"
#include "elements/ZhdElem.h"
#include "render/InfoReg.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// About one element per cell; no side longer than this.
constexpr int max_cells_per_side = 2048;
// An element whose box spans more cells is asked by every search instead.
constexpr int max_cells_per_element = 64;
// A query over more of the grid than this walks the whole list.
constexpr double max_share_of_cells = 0.25;

using Box = std::array<double, 4>; // min x, min y, max x, max y

bool IsFinite(const Box& box)
{
    return std::all_of(box.begin(), box.end(), [](double v) { return std::isfinite(v); });
}

int CellsAlong(double length, double other, double count)
{
    if (!(length > 0))
        return 1;
    const double wanted = other > 0 ? std::sqrt(count * length / other) : count;
    return static_cast<int>(std::clamp(std::ceil(wanted), 1.0, static_cast<double>(max_cells_per_side)));
}

} // namespace

void TExtentIndex::Clear()
{
    built_ = false;
    bounds_[0] = bounds_[1] = 0;
    bounds_[2] = bounds_[3] = -1;
    elements_.clear();
    grids_.clear();
    everywhere_.clear();
    found_.clear();
}

bool TExtentIndex::IsFreshFor(const TZhdElemList& list, const TZhdData& document) const
{
    if (!built_ || block_generation_ != document.GetBlockDefinesGeneration()
        || block_draw_ != document.GetInfoRegPtr().BlockDraw)
        return false;
    const TZhdElemList::ElemPtrList& items = list.GetItemsPtr();
    if (items.size() != elements_.size())
        return false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].get() != elements_[i])
            return false;
    }
    return true;
}

bool TExtentIndex::SpanOf(const TGrid& grid, double min_x, double min_y, double max_x, double max_y,
                          TSpan& span) const
{
    // Touching boxes meet, and floor keeps the order of coordinates: two
    // boxes that share a point share the cell of that point.
    const auto along = [](double low, double high, double origin, double step, int count, int& first, int& last) {
        const double from = std::floor((low - origin) / step);
        const double to = std::floor((high - origin) / step);
        if (std::isnan(from) || std::isnan(to) || to < 0 || from > count - 1)
            return false;
        first = static_cast<int>(std::max(from, 0.0));
        last = static_cast<int>(std::min(to, static_cast<double>(count - 1)));
        return first <= last;
    };
    return along(min_x, max_x, origin_x_, grid.cell_width, grid.columns, span.first_column, span.last_column)
        && along(min_y, max_y, origin_y_, grid.cell_height, grid.rows, span.first_row, span.last_row);
}

void TExtentIndex::Build(const TZhdElemList& list, const TZhdData& document)
{
    Clear();
    const TZhdElemList::ElemPtrList& items = list.GetItemsPtr();
    std::vector<Box> boxes(items.size());
    bool any = false;
    Box bounds {};
    for (std::size_t i = 0; i < items.size(); ++i) {
        elements_.push_back(items[i].get());
        TBPoint min, max;
        items[i]->GetExtent(min, max, document, 0);
        boxes[i] = { min.GetX(), min.GetY(), max.GetX(), max.GetY() };
        if (!IsFinite(boxes[i])) {
            everywhere_.push_back(static_cast<int>(i));
            continue;
        }
        bounds = any ? Box { std::min(bounds[0], boxes[i][0]), std::min(bounds[1], boxes[i][1]),
                             std::max(bounds[2], boxes[i][2]), std::max(bounds[3], boxes[i][3]) }
                     : boxes[i];
        any = true;
    }
    block_generation_ = document.GetBlockDefinesGeneration();
    block_draw_ = document.GetInfoRegPtr().BlockDraw;
    built_ = true;
    if (!any)
        return;
    std::copy(bounds.begin(), bounds.end(), bounds_);

    // The finest grid has about one cell per element, the coarsest one cell.
    origin_x_ = bounds[0];
    origin_y_ = bounds[1];
    const double width = bounds[2] - bounds[0], height = bounds[3] - bounds[1];
    const double count = static_cast<double>(items.size());
    int columns = CellsAlong(width, height, count);
    int rows = height > 0 ? std::clamp(static_cast<int>(std::ceil(count / columns)), 1, max_cells_per_side) : 1;
    if (!(width > 0))
        columns = 1;
    while (true) {
        TGrid grid;
        grid.columns = columns;
        grid.rows = rows;
        grid.cell_width = width > 0 ? width / columns : 1;
        grid.cell_height = height > 0 ? height / rows : 1;
        grids_.push_back(std::move(grid));
        if (columns == 1 && rows == 1)
            break;
        columns = (columns + 7) / 8;
        rows = (rows + 7) / 8;
    }
    // Coarser grids keep the cell edges of the finest, eight cells to one.
    for (std::size_t level = 1; level < grids_.size(); ++level) {
        grids_[level].cell_width = grids_[level - 1].cell_width * 8;
        grids_[level].cell_height = grids_[level - 1].cell_height * 8;
    }

    // Each element to the finest grid where it spans few cells (the
    // coarsest takes the rest); then, per grid, count per cell and fill.
    std::vector<std::pair<int, TSpan>> placed(items.size(), { -1, TSpan() });
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!IsFinite(boxes[i]))
            continue;
        for (std::size_t level = 0; level < grids_.size(); ++level) {
            TSpan span;
            if (!SpanOf(grids_[level], boxes[i][0], boxes[i][1], boxes[i][2], boxes[i][3], span))
                break; // cannot happen inside the bounds; left to the exact test
            if (span.Cells() <= max_cells_per_element || level + 1 == grids_.size()) {
                placed[i] = { static_cast<int>(level), span };
                break;
            }
        }
        if (placed[i].first < 0)
            everywhere_.push_back(static_cast<int>(i));
    }
    std::sort(everywhere_.begin(), everywhere_.end());
    for (std::size_t level = 0; level < grids_.size(); ++level) {
        TGrid& grid = grids_[level];
        const std::size_t cells = static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.rows);
        grid.starts.assign(cells + 1, 0);
        const auto each_cell = [&](const TSpan& span, auto&& act) {
            for (int row = span.first_row; row <= span.last_row; ++row) {
                for (int column = span.first_column; column <= span.last_column; ++column)
                    act(static_cast<std::size_t>(row) * static_cast<std::size_t>(grid.columns)
                        + static_cast<std::size_t>(column));
            }
        };
        for (const auto& [at_level, span] : placed) {
            if (at_level == static_cast<int>(level))
                each_cell(span, [&](std::size_t cell) { ++grid.starts[cell + 1]; });
        }
        for (std::size_t c = 0; c < cells; ++c)
            grid.starts[c + 1] += grid.starts[c];
        grid.positions.resize(grid.starts[cells]);
        std::vector<std::uint32_t> next(grid.starts.begin(), grid.starts.end() - 1);
        for (std::size_t i = 0; i < placed.size(); ++i) {
            if (placed[i].first == static_cast<int>(level))
                each_cell(placed[i].second,
                          [&](std::size_t cell) { grid.positions[next[cell]++] = static_cast<int>(i); });
        }
    }
}

const std::vector<int>* TExtentIndex::Candidates(const TZhdElemList& list, const TZhdData& document, TBPoint min,
                                                 TBPoint max)
{
    if (!IsFreshFor(list, document))
        Build(list, document);
    found_ = everywhere_;
    for (std::size_t level = 0; level < grids_.size(); ++level) {
        const TGrid& grid = grids_[level];
        TSpan span;
        if (!SpanOf(grid, min.GetX(), min.GetY(), max.GetX(), max.GetY(), span))
            continue;
        if (level == 0 && span.Cells() > max_share_of_cells * grid.columns * grid.rows)
            return nullptr;
        for (int row = span.first_row; row <= span.last_row; ++row) {
            const std::size_t row_start = static_cast<std::size_t>(row) * static_cast<std::size_t>(grid.columns);
            const std::size_t from = grid.starts[row_start + static_cast<std::size_t>(span.first_column)];
            const std::size_t to = grid.starts[row_start + static_cast<std::size_t>(span.last_column) + 1];
            found_.insert(found_.end(), grid.positions.begin() + static_cast<std::ptrdiff_t>(from),
                          grid.positions.begin() + static_cast<std::ptrdiff_t>(to));
        }
    }
    std::sort(found_.begin(), found_.end());
    found_.erase(std::unique(found_.begin(), found_.end()), found_.end());
    return &found_;
}

const std::vector<int>* TExtentIndex::OutsideBoxHolding(const TZhdElemList& list, const TZhdData& document,
                                                        TBPoint min, TBPoint max)
{
    if (!IsFreshFor(list, document))
        Build(list, document);
    // No finite box at all leaves the bounds empty: every box is held.
    const bool held = bounds_[0] > bounds_[2]
        || (min.GetX() <= bounds_[0] && min.GetY() <= bounds_[1] && max.GetX() >= bounds_[2]
            && max.GetY() >= bounds_[3]);
    return held ? &everywhere_ : nullptr;
}
