#pragma once

// Screen work areas and small metrics that docks and floating tool windows
// place themselves by.

#include "controls/ToolbarTypes.h"

#include <QPoint>
#include <QRect>

#include <optional>
#include <span>

// The available geometry (without panels and task bars) of the primary
// screen; its full geometry when that is empty; an empty rectangle without
// any screen.
QRect GetDesktopWorkArea();
// The available geometry of the screen nearest to the rectangle or point:
// the one it overlaps most, else the one it is closest to; the desktop work
// area when there are no screens to choose from.
QRect GetWorkAreaOfRect(const QRect& rect);
QRect GetWorkAreaOfPoint(QPoint point);
// Whether more than one screen is attached.
bool HasMultipleMonitors();

// Which of the screen rectangles is nearest to rect, by the rule above: the
// largest overlap area, else the shortest distance, the first on a tie; -1
// for no screens.
int IndexOfNearestScreen(std::span<const QRect> screens, const QRect& rect);

// The height of the caption of a floating tool window: the application
// font's line height plus 2 pixels above and below.
int GetSmallCaptionHeight();

// The layout orientation on a dock at the given position; dtNotDocked for
// no dock.
TDockType GetDockTypeOf(std::optional<TDockPosition> dock_position);
