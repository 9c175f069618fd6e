#pragma once

// The enumerations the toolbar library's docks, tool windows, toolbars and
// buttons share.

#include <cstdint>

class QWidget;

// The edge of the form that a dock occupies.
enum TDockPosition { dpTop, dpBottom, dpLeft, dpRight };
// The orientation in which a tool window is laid out.
enum TDockType { dtNotDocked, dtTopBottom, dtLeftRight };
// A set of TDockPosition, one bit each (1 << position).
using TDockableTo = std::uint8_t;
inline constexpr TDockableTo DockableToAll = 0x0F;
constexpr TDockableTo DockableBit(TDockPosition position)
{
    return static_cast<TDockableTo>(1u << position);
}

enum TDockBoundLinesValues { blTop, blBottom, blLeft, blRight };
// A set of TDockBoundLinesValues, one bit each.
using TDockBoundLines = std::uint8_t;
constexpr TDockBoundLines BoundLineBit(TDockBoundLinesValues line)
{
    return static_cast<TDockBoundLines>(1u << line);
}

enum TDragHandleStyle { dhDouble, dhNone, dhSingle };
enum TToolWindowDockMode { dmCanFloat, dmCannotFloat, dmCannotFloatOrChangeDocks };
enum TToolWindowFloatingMode { fmOnTopOfParentForm, fmOnTopOfAllForms };
enum TToolWindowSizeHandle {
    twshLeft,
    twshRight,
    twshTop,
    twshTopLeft,
    twshTopRight,
    twshBottom,
    twshBottomLeft,
    twshBottomRight
};

// On which edge a control's toolbar is docked, for the buttons.
enum TGetToolbarDockPosType { gtpTop, gtpBottom, gtpLeft, gtpRight, gtpNone };
using TGetToolbarDockPosFunc = TGetToolbarDockPosType (*)(const QWidget* control);
// Set by the first tool window; until then every control counts as not
// docked.
inline TGetToolbarDockPosFunc GetToolbarDockPosProc = nullptr;
