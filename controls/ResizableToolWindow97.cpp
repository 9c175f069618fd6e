#include "controls/ResizableToolWindow97.h"

#include <algorithm>

namespace {

constexpr int max_client_size = 100000;

} // namespace

TToolWindow97::TToolWindow97(QWidget* parent)
    : TCustomToolWindow97(parent)
{
    resize(bar_width_, bar_height_);
}

int TToolWindow97::ClientAreaWidth() const
{
    return Placed() ? Client()->width() : width();
}

int TToolWindow97::ClientAreaHeight() const
{
    return Placed() ? Client()->height() : height();
}

void TToolWindow97::SetClientAreaSize(int width, int height)
{
    const QMargins frame = Placed() ? NonClientMargins() : QMargins();
    const QSize size(width + frame.left() + frame.right(), height + frame.top() + frame.bottom());
    SizeChanging(size);
    if (Placed())
        ArrangeControls();
    else
        resize(size);
}

int TToolWindow97::GetBarSize(TDockType dock_type) const
{
    return dock_type == dtLeftRight ? bar_width_ : bar_height_;
}

QSize TToolWindow97::OrderControls(bool, TDockType, TDock97*)
{
    return { bar_width_, bar_height_ };
}

void TToolWindow97::SizeChanging(QSize new_size)
{
    const QMargins frame = Placed() ? NonClientMargins() : QMargins();
    bar_width_ = new_size.width() - frame.left() - frame.right();
    bar_height_ = new_size.height() - frame.top() - frame.bottom();
}

void TToolWindow97::ReadPositionData(const TPositionReadIntProc& read_int, const TPositionReadStringProc& read_string)
{
    TCustomToolWindow97::ReadPositionData(read_int, read_string);
    if (!Resizable())
        return;
    // From a file anyone may edit: kept between the minimum and a size no
    // screen exceeds.
    const int height = std::clamp(read_int(objectName(), QStringLiteral("ClientHeight"), bar_height_),
                                  min_client_height_, max_client_size);
    const int width = std::clamp(read_int(objectName(), QStringLiteral("ClientWidth"), bar_width_),
                                 min_client_width_, max_client_size);
    SetClientAreaSize(width, height);
}

void TToolWindow97::WritePositionData(const TPositionWriteIntProc& write_int,
                                      const TPositionWriteStringProc& write_string)
{
    TCustomToolWindow97::WritePositionData(write_int, write_string);
    write_int(objectName(), QStringLiteral("ClientWidth"), bar_width_);
    write_int(objectName(), QStringLiteral("ClientHeight"), bar_height_);
}
