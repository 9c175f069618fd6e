#include "controls/ToolbarLayout.h"

#include <algorithm>
#include <limits>

namespace {

// A row is at least this thick, and an empty toolbar this long.
constexpr int min_bar_size = 8;
// The gap between floating rows that break between groups, where the line
// is drawn.
constexpr int group_row_gap = 6;
// Room beside the widest control in a floating toolbar's wrap width.
constexpr int wrap_room = 8;

// The items from one separator to the next, the separator included as the
// group's last member.
struct TGroup {
    std::size_t first = 0;
    std::size_t end = 0;
    int length = 0;
};

std::vector<TGroup> GroupsOf(const std::vector<TToolbarItem>& items, bool vertical)
{
    std::vector<TGroup> groups;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (groups.empty() || (i > 0 && items[i - 1].separator))
            groups.push_back({ i, i, 0 });
        TGroup& group = groups.back();
        group.end = i + 1;
        if (!items[i].separator)
            group.length += vertical ? items[i].height : items[i].width;
    }
    return groups;
}

int LengthOf(const TToolbarItem& item, bool vertical)
{
    if (item.separator)
        return vertical ? item.size_vert : item.size_horz;
    return vertical ? item.height : item.width;
}

int WrapLimit(const std::vector<TToolbarItem>& items, bool docked, int floating_width)
{
    if (docked || floating_width == 0)
        return std::numeric_limits<int>::max();
    int widest = 0;
    for (const TToolbarItem& item : items) {
        if (!item.separator)
            widest = std::max(widest, item.width);
    }
    return std::max(floating_width, widest + wrap_room);
}

} // namespace

TToolbarMargins ToolbarMargins(bool docked)
{
    return docked ? TToolbarMargins { 0, 0, 0, 0 } : TToolbarMargins { 2, 1, 4, 4 };
}

int ToolbarBarSize(const std::vector<TToolbarItem>& items, TDockType dock_type)
{
    int size = min_bar_size;
    for (const TToolbarItem& item : items) {
        if (!item.separator)
            size = std::max(size, dock_type == dtLeftRight ? item.width : item.height);
    }
    return size;
}

TToolbarLayoutResult LayOutToolbar(const std::vector<TToolbarItem>& items, TDockType dock_type, bool docked,
                                   int floating_width, int row_size)
{
    const bool vertical = dock_type == dtLeftRight;
    const TToolbarMargins margin = ToolbarMargins(docked);
    const int limit = WrapLimit(items, docked, floating_width);
    const int bar_size = ToolbarBarSize(items, dock_type);
    const bool may_wrap = !docked;
    // Sums that may pass the limit are taken in 64 bits.
    const auto beyond = [limit](long long end) { return end > limit; };

    TToolbarLayoutResult result;
    result.places.assign(items.size(), QRect());
    int x = margin.left;
    int y = margin.top;
    int extent = margin.left;
    bool wrap_pending = false;
    // The separator that ended the row so far, and the extent before it.
    std::ptrdiff_t last_separator = -1;
    int extent_before_last = extent;

    const std::vector<TGroup> groups = GroupsOf(items, vertical);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const TGroup& group = groups[g];
        if (may_wrap && (wrap_pending || beyond(static_cast<long long>(x) + group.length + margin.right))) {
            wrap_pending = false;
            x = margin.left;
            if (g != 0) {
                y += bar_size + group_row_gap;
                if (last_separator >= 0) {
                    // The separator's line goes across, above the new row.
                    extent = extent_before_last;
                    result.places[static_cast<std::size_t>(last_separator)].setWidth(0);
                    result.line_separators.push_back({ y, items[static_cast<std::size_t>(last_separator)].blank });
                }
            }
            extent = std::max(extent, x);
        }
        for (std::size_t i = group.first; i < group.end; ++i) {
            const TToolbarItem& item = items[i];
            const int length = LengthOf(item, vertical);
            if (may_wrap && !item.separator && beyond(static_cast<long long>(x) + length + margin.right)) {
                x = margin.left;
                y += bar_size;
                wrap_pending = true;
            }
            QRect& place = result.places[i];
            if (item.separator) {
                place = vertical ? QRect(y, x, row_size, item.size_vert) : QRect(x, y, item.size_horz, row_size);
            } else {
                place = vertical ? QRect(y + (row_size - item.width) / 2, x, item.width, item.height)
                                 : QRect(x, y + (row_size - item.height) / 2, item.width, item.height);
            }
            x += length;
            extent_before_last = extent;
            last_separator = item.separator ? static_cast<std::ptrdiff_t>(i) : -1;
            extent = std::max(extent, x);
        }
    }
    if (groups.empty())
        extent += min_bar_size;

    const int along = extent + margin.right;
    const int across = y + bar_size + margin.bottom;
    result.size = vertical ? QPoint(across, along) : QPoint(along, across);
    return result;
}

std::vector<QPoint> PotentialFloatingSizes(const std::vector<TToolbarItem>& items)
{
    const auto floating = [&items](int width) {
        return LayOutToolbar(items, dtNotDocked, false, width, ToolbarBarSize(items, dtNotDocked)).size;
    };
    std::vector<QPoint> sizes;
    QPoint size = floating(0);
    sizes.push_back(size);
    int previous_height = size.y();
    int x = size.x() - 1;
    while (x >= min_bar_size) {
        size = floating(x);
        if (size.x() > x)
            break;
        if (size.x() < x) {
            x = size.x();
            continue;
        }
        if (size.y() == previous_height && sizes.size() > 1)
            sizes.pop_back();
        if (std::find(sizes.begin(), sizes.end(), size) == sizes.end())
            sizes.push_back(size);
        previous_height = size.y();
        --x;
    }
    return sizes;
}
