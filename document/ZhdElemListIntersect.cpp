// All intersections of a drawing, without comparing every pair: the area is
// cut into cells, and each cell is halved along its longer side until a part
// holds few elements; only the pairs within a part whose boxes meet are
// intersected. A pair meeting in several parts is intersected in each, but a
// point is filed only by the part whose area holds it, so every point is
// filed once per pair.
//
// The state of one search (the elements with their boxes and layer states,
// the table, the count found) lives in the search object; only the counters
// of the trace lines are kept for the whole process.

#include "document/ZhdElemList.h"

#include "core/DebugLog.h"
#include "core/LayerState.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "elements/ZhdElem.h"
#include "platform/Tick.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>

namespace {

using Clock = std::chrono::steady_clock;
using IntersectionTable = TZhdElemList::IntersectionTable;

constexpr int default_part_size = 100;
// More cells than this per side would cost more to fill than they save.
constexpr int max_cells_per_side = 256;

// The trace lines count calls, leaves and pair tests over the life of the
// process, and add up the seconds spent in leaves and in splitting.
struct TSearchCounters {
    std::atomic<int> grid_calls { 0 };
    std::atomic<int> division_calls { 0 };
    std::atomic<int> leaves { 0 };
    std::atomic<long long> pair_tests { 0 };
    std::atomic<double> leaf_seconds { 0 };
    std::atomic<double> split_seconds { 0 };
};

TSearchCounters& SearchCounters()
{
    static TSearchCounters counters;
    return counters;
}

void Trace(std::string& text, std::string line)
{
    text = std::move(line);
    WriteDebugLog(text);
}

struct TBox {
    double min_x = 0, min_y = 0, max_x = 0, max_y = 0;

    // Touching boxes meet; a box with a NaN meets nothing.
    bool Meets(const TBox& other) const
    {
        return min_x <= other.max_x && other.min_x <= max_x && min_y <= other.max_y && other.min_y <= max_y;
    }
};

TBox ExtentOf(const TZhdElem& elem, const TZhdData& document, int mode)
{
    TBPoint min, max;
    elem.GetExtent(min, max, document, mode);
    return { min.GetX(), min.GetY(), max.GetX(), max.GetY() };
}

// The points a part of the search files: lo <= p < hi on each axis, except
// on the edges of the area the search started on, which are closed and take
// in what rounding puts a hair outside (a junction on a drawing's border).
struct TFilingArea {
    TBPoint lo, hi;
    bool closed_left = true, closed_bottom = true, closed_right = true, closed_top = true;
    double margin = 0;

    static TFilingArea Root(TBPoint lo, TBPoint hi)
    {
        TFilingArea area;
        area.lo = lo;
        area.hi = hi;
        const double size = std::max({ std::fabs(lo.GetX()), std::fabs(lo.GetY()), std::fabs(hi.GetX()),
                                       std::fabs(hi.GetY()), hi.GetX() - lo.GetX(), hi.GetY() - lo.GetY() });
        area.margin = 1e-9 * (1 + (std::isfinite(size) ? size : 0));
        return area;
    }

    TBox Box() const { return { lo.GetX(), lo.GetY(), hi.GetX(), hi.GetY() }; }

    bool Holds(const TBPoint& p) const
    {
        const double x = p.GetX(), y = p.GetY();
        const bool in_x = (closed_left ? x >= lo.GetX() - margin : x >= lo.GetX())
            && (closed_right ? x <= hi.GetX() + margin : x < hi.GetX());
        const bool in_y = (closed_bottom ? y >= lo.GetY() - margin : y >= lo.GetY())
            && (closed_top ? y <= hi.GetY() + margin : y < hi.GetY());
        return in_x && in_y;
    }

    // The part from (x0, y0) to (x1, y1), keeping this area's closed edges
    // on the sides named as shared with it.
    TFilingArea Part(double x0, double y0, double x1, double y1, bool shares_left, bool shares_bottom,
                     bool shares_right, bool shares_top) const
    {
        TFilingArea part = *this;
        part.lo = TBPoint(x0, y0);
        part.hi = TBPoint(x1, y1);
        part.closed_left = closed_left && shares_left;
        part.closed_bottom = closed_bottom && shares_bottom;
        part.closed_right = closed_right && shares_right;
        part.closed_top = closed_top && shares_top;
        return part;
    }
};

class TIntersectionSearch {
public:
    // The elements of the list whose numbers have a table entry.
    TIntersectionSearch(const TZhdElemList& list, IntersectionTable& table, const TZhdData& document, int m)
        : table_(table)
        , document_(document)
        , part_size_(m <= 0 ? default_part_size : m)
    {
        items_.reserve(static_cast<std::size_t>(list.Size()));
        for (auto it = list.Begin(); it != list.End(); ++it) {
            const TZhdElem& elem = **it;
            const int number = elem.GetNumber();
            if (number < 0 || static_cast<std::size_t>(number) >= table.size())
                continue;
            items_.push_back({ *it, number, document.GetCachedLayerState(elem.GetGLayer(), elem.GetLayer()),
                               ExtentOf(elem, document, 0), ExtentOf(elem, document, 1) });
        }
    }

    std::vector<int> AllItems() const
    {
        std::vector<int> all(items_.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = static_cast<int>(i);
        return all;
    }

    int Found() const { return found_; }

    int Grid(const std::vector<int>& members, const TFilingArea& area, int depth, int limit, std::string& text);
    int Division(const std::vector<int>& members, const TFilingArea& area, int depth, int k, std::string& text);

private:
    struct TItem {
        TZhdElemPtr elem;
        int number;
        std::uint32_t state;
        TBox quick; // extent mode 0
        TBox exact; // extent mode 1
    };

    bool Visible(const TItem& item) const { return item.state > LayerMaskHidden; }
    bool Editable(const TItem& item) const { return item.state > LayerMaskDisplayOnly; }

    int Leaf(const std::vector<int>& members, const TFilingArea& area, std::string& text);
    void FilePoints(const TItem& a, const TItem& b, const TFilingArea& area);
    std::vector<int> MembersMeeting(const std::vector<int>& members, const TBox& box) const;

    IntersectionTable& table_;
    const TZhdData& document_;
    const int part_size_;
    std::vector<TItem> items_;
    std::vector<TBPoint> points_;
    int found_ = 0;
};

std::vector<int> TIntersectionSearch::MembersMeeting(const std::vector<int>& members, const TBox& box) const
{
    std::vector<int> meeting;
    for (const int index : members) {
        const TItem& item = items_[static_cast<std::size_t>(index)];
        if (Visible(item) && item.quick.Meets(box))
            meeting.push_back(index);
    }
    return meeting;
}

int TIntersectionSearch::Grid(const std::vector<int>& members, const TFilingArea& area, int depth, int limit,
                              std::string& text)
{
    TSearchCounters& counters = SearchCounters();
    const Clock::time_point start = Clock::now();
    Trace(text, StringPrintf("Kousa2:%d [%d] %d (%d) %s [%.3f %.3f]-[%.3f %.3f]", counters.grid_calls++, depth,
                             static_cast<int>(members.size()), part_size_, text.c_str(), area.lo.GetX(),
                             area.lo.GetY(), area.hi.GetX(), area.hi.GetY()));
    if (static_cast<int>(members.size()) <= part_size_ || depth > limit)
        return Leaf(members, area, text);

    const double w = area.hi.GetX() - area.lo.GetX();
    const double h = area.hi.GetY() - area.lo.GetY();
    const TBPoint mid((area.lo.GetX() + area.hi.GetX()) / 2, (area.lo.GetY() + area.hi.GetY()) / 2);
    const bool cut_y = h > w;
    const TFilingArea first = cut_y
        ? area.Part(area.lo.GetX(), area.lo.GetY(), area.hi.GetX(), mid.GetY(), true, true, true, false)
        : area.Part(area.lo.GetX(), area.lo.GetY(), mid.GetX(), area.hi.GetY(), true, true, false, true);
    const TFilingArea second = cut_y
        ? area.Part(area.lo.GetX(), mid.GetY(), area.hi.GetX(), area.hi.GetY(), true, false, true, true)
        : area.Part(mid.GetX(), area.lo.GetY(), area.hi.GetX(), area.hi.GetY(), false, true, true, true);
    const std::vector<int> first_members = MembersMeeting(members, first.Box());
    const std::vector<int> second_members = MembersMeeting(members, second.Box());
    const double seconds = SecondsSince(start);
    counters.split_seconds += seconds;
    Trace(text, SjPrintf(u8"区分け：%d, %d  %f(%f)秒", static_cast<int>(first_members.size()),
                         static_cast<int>(second_members.size()), seconds, counters.split_seconds.load()));

    // Elements stacked on one another land in both halves whatever the cut;
    // halving them again would only multiply the pairs to test (up to the
    // depth limit, exponentially), so such a part is compared as it is.
    const double a = static_cast<double>(first_members.size());
    const double b = static_cast<double>(second_members.size());
    const double s = static_cast<double>(members.size());
    if (a * a + b * b >= s * s)
        return Leaf(members, area, text);

    // The halves' names are strings built, not assigned from a pointer: GCC
    // 12 takes that assignment here for an overlapping copy (-Wrestrict).
    int result = 0;
    if (first_members.size() >= 2) {
        text = std::string("A");
        result += Grid(first_members, first, depth + 1, limit, text);
    }
    if (second_members.size() >= 2) {
        text = std::string("B");
        result += Grid(second_members, second, depth + 1, limit, text);
    }
    return result;
}

int TIntersectionSearch::Leaf(const std::vector<int>& members, const TFilingArea& area, std::string& text)
{
    TSearchCounters& counters = SearchCounters();
    const Clock::time_point start = Clock::now();
    long long tests = 0;
    int taken = 0;
    for (std::size_t i = 0; i + 1 < members.size(); ++i) {
        ++tests;
        const TItem& a = items_[static_cast<std::size_t>(members[i])];
        if (!Editable(a))
            continue;
        ++taken;
        for (std::size_t j = i + 1; j < members.size(); ++j) {
            ++tests;
            const TItem& b = items_[static_cast<std::size_t>(members[j])];
            if (Editable(b) && b.quick.Meets(a.exact))
                FilePoints(a, b, area);
        }
    }
    counters.pair_tests += tests;
    const double seconds = SecondsSince(start);
    counters.leaf_seconds += seconds;
    Trace(text, SjPrintf(u8"交差判定：{%d:%lld;%lld} %d / %d  %f(%f)秒", counters.leaves++, tests,
                         counters.pair_tests.load(), taken, static_cast<int>(members.size()), seconds,
                         counters.leaf_seconds.load()));
    return taken;
}

void TIntersectionSearch::FilePoints(const TItem& a, const TItem& b, const TFilingArea& area)
{
    if (TZhdElem::CrossPointsBetween(a.elem, b.elem, document_, points_) == 0)
        return;
    for (const TBPoint& point : points_) {
        if (point.GetTag() == 0 || !area.Holds(point))
            continue;
        table_[static_cast<std::size_t>(a.number)].emplace_back(point.GetX(), point.GetY(), b.number);
        table_[static_cast<std::size_t>(b.number)].emplace_back(point.GetX(), point.GetY(), a.number);
        ++found_;
    }
}

int TIntersectionSearch::Division(const std::vector<int>& members, const TFilingArea& area, int depth, int k,
                                  std::string& text)
{
    const Clock::time_point start = Clock::now();
    Trace(text, StringPrintf("Kousa3:%d [%d] %d (%d) %s [%.3f %.3f]-[%.3f %.3f]",
                             SearchCounters().division_calls++, depth, static_cast<int>(members.size()),
                             part_size_, text.c_str(), area.lo.GetX(), area.lo.GetY(), area.hi.GetX(),
                             area.hi.GetY()));
    // The count of cells per side is also the depth limit of their search.
    // A small drawing is one cell: without any, nothing would be searched.
    const int depth_limit = k;
    k = std::clamp(k, 1, max_cells_per_side);
    const double dx = (area.hi.GetX() - area.lo.GetX()) / k;
    const double dy = (area.hi.GetY() - area.lo.GetY()) / k;
    // The last cell of a row or column ends on the area's edge itself, not
    // on a sum that rounding may leave short of it.
    auto edge = [k](double lo, double hi, double step, int index) {
        return index == k ? hi : lo + index * step;
    };
    std::vector<TFilingArea> cells;
    cells.reserve(static_cast<std::size_t>(k) * static_cast<std::size_t>(k));
    for (int i = 0; i < k; ++i) {
        for (int j = 0; j < k; ++j) {
            cells.push_back(area.Part(edge(area.lo.GetX(), area.hi.GetX(), dx, j),
                                      edge(area.lo.GetY(), area.hi.GetY(), dy, i),
                                      edge(area.lo.GetX(), area.hi.GetX(), dx, j + 1),
                                      edge(area.lo.GetY(), area.hi.GetY(), dy, i + 1), j == 0, i == 0,
                                      j == k - 1, i == k - 1));
        }
    }
    Trace(text, SjPrintf(u8"交差判定：エリア分割　[%d * %d = %d] %f秒", k, k, k * k, SecondsSince(start)));

    // Each element goes to the cells its exact box meets: the rows and the
    // columns it meets are found apart, one pass each.
    const Clock::time_point division_start = Clock::now();
    std::vector<std::vector<int>> cell_members(cells.size());
    for (const int index : members) {
        const TItem& item = items_[static_cast<std::size_t>(index)];
        if (!Visible(item))
            continue;
        for (int i = 0; i < k; ++i) {
            const TFilingArea& row = cells[static_cast<std::size_t>(i * k)];
            if (item.exact.min_y > row.hi.GetY() || row.lo.GetY() > item.exact.max_y)
                continue;
            for (int j = 0; j < k; ++j) {
                const std::size_t cell = static_cast<std::size_t>(i * k + j);
                if (item.exact.Meets(cells[cell].Box()))
                    cell_members[cell].push_back(index);
            }
        }
    }
    for (int i = 0; i < k; ++i) {
        for (int j = 0; j < k; ++j) {
            Trace(text, SjPrintf(u8"交差判定：[%d-%d] {%d}", i, j,
                                 static_cast<int>(cell_members[static_cast<std::size_t>(i * k + j)].size())));
        }
    }
    Trace(text, SjPrintf(u8"交差判定：要素分割　%f秒", SecondsSince(division_start)));

    const int found_before = found_;
    for (std::size_t cell = 0; cell < cells.size(); ++cell) {
        if (cell_members[cell].size() < 2)
            continue;
        text = StringPrintf("%d-%d", static_cast<int>(cell) / k, static_cast<int>(cell) % k);
        Grid(cell_members[cell], cells[cell], depth + 1, depth_limit, text);
    }
    return found_ - found_before;
}

} // namespace

int TZhdElemList::IntersectByGrid(IntersectionTable& table, const TZhdData& document, int m, TBPoint lo,
                                  TBPoint hi, int depth, int limit, std::string& text) const
{
    TIntersectionSearch search(*this, table, document, m);
    return search.Grid(search.AllItems(), TFilingArea::Root(lo, hi), depth, limit, text);
}

int TZhdElemList::IntersectByDivision(IntersectionTable& table, const TZhdData& document, int m, TBPoint lo,
                                      TBPoint hi, int depth, int k, std::string& text) const
{
    TIntersectionSearch search(*this, table, document, m);
    return search.Division(search.AllItems(), TFilingArea::Root(lo, hi), depth, k, text);
}

int TZhdElemList::FindIntersections(IntersectionTable& table, const TZhdData& document, std::string& text)
{
    const Clock::time_point start = Clock::now();
    table.clear();
    if (Size() == 0)
        return 0;
    table.resize(static_cast<std::size_t>(Size()));
    TBPoint lo(0.0, 0.0), hi(0.0, 0.0);
    GetExtents(lo, hi, document, 1);
    const int m = default_part_size;
    NumberElems();

    const double n = Size();
    const double p1 = n * n * 0.5;
    const double p2 = (std::log2(n / m) + m * 0.5) * n;
    const int limit = 2 * static_cast<int>(std::ceil(std::log2(n / m)));
    Trace(text, StringPrintf("n=%.0f, m=%.0f, call_limit=%d, p1=%.0f, p2=%.0f, p2 / p1=%f", n,
                             static_cast<double>(m), limit, p1, p2, p2 / p1));
    text.clear();

    const int found = IntersectByDivision(table, document, m, lo, hi, 0, limit, text);
    Trace(text, SjPrintf(u8"交差判定：%d / %d  %f秒", found, Size(), SecondsSince(start)));
    std::size_t total = 0;
    for (const std::vector<TBPoint>& points : table)
        total += points.size();
    Trace(text, StringPrintf("%8s %d", "TOTAL", static_cast<int>(total)));
    return found;
}
