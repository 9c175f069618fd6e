#include "controls/ToolbarScreens.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Edges as half-open intervals, in 64 bits so that products cannot overflow.
struct Span {
    std::int64_t begin;
    std::int64_t end;
};

Span Horizontal(const QRect& rect)
{
    return {rect.x(), std::int64_t{rect.x()} + rect.width()};
}

Span Vertical(const QRect& rect)
{
    return {rect.y(), std::int64_t{rect.y()} + rect.height()};
}

std::int64_t Overlap(Span a, Span b)
{
    return std::max<std::int64_t>(0, std::min(a.end, b.end) - std::max(a.begin, b.begin));
}

// How far apart two intervals are; 0 when they touch or overlap.
std::int64_t Gap(Span a, Span b)
{
    return std::max<std::int64_t>({0, b.begin - a.end, a.begin - b.end});
}

QRect WorkAreaOfNearest(const QRect& rect)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    std::vector<QRect> geometries;
    geometries.reserve(static_cast<std::size_t>(screens.size()));
    for (const QScreen* screen : screens)
        geometries.push_back(screen->geometry());
    const int nearest = IndexOfNearestScreen(geometries, rect);
    if (nearest < 0)
        return GetDesktopWorkArea();
    return screens[nearest]->availableGeometry();
}

} // namespace

QRect GetDesktopWorkArea()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr)
        return {};
    const QRect available = primary->availableGeometry();
    return available.isEmpty() ? primary->geometry() : available;
}

QRect GetWorkAreaOfRect(const QRect& rect)
{
    return WorkAreaOfNearest(rect);
}

QRect GetWorkAreaOfPoint(QPoint point)
{
    return WorkAreaOfNearest(QRect(point, QSize(1, 1)));
}

bool HasMultipleMonitors()
{
    return QGuiApplication::screens().size() > 1;
}

int IndexOfNearestScreen(std::span<const QRect> screens, const QRect& rect)
{
    const Span across = Horizontal(rect);
    const Span down = Vertical(rect);
    int best_overlap_index = -1;
    std::int64_t best_overlap = 0;
    int best_gap_index = -1;
    double best_gap = 0;
    for (std::size_t index = 0; index < screens.size(); ++index) {
        const QRect& screen = screens[index];
        const std::int64_t overlap = Overlap(across, Horizontal(screen)) * Overlap(down, Vertical(screen));
        if (overlap > best_overlap) {
            best_overlap = overlap;
            best_overlap_index = static_cast<int>(index);
        }
        // Squared distance, in floating point: the gaps may span the whole
        // integer range.
        const auto dx = static_cast<double>(Gap(across, Horizontal(screen)));
        const auto dy = static_cast<double>(Gap(down, Vertical(screen)));
        const double gap = dx * dx + dy * dy;
        if (best_gap_index < 0 || gap < best_gap) {
            best_gap = gap;
            best_gap_index = static_cast<int>(index);
        }
    }
    return best_overlap_index >= 0 ? best_overlap_index : best_gap_index;
}

int GetSmallCaptionHeight()
{
    return QFontMetrics(QApplication::font()).height() + 4;
}

TDockType GetDockTypeOf(std::optional<TDockPosition> dock_position)
{
    if (!dock_position)
        return dtNotDocked;
    return *dock_position == dpLeft || *dock_position == dpRight ? dtLeftRight : dtTopBottom;
}
