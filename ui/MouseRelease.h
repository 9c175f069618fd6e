#pragma once

// TMouseRelease: what one release of a mouse button over the drawing works
// with. The release handler sets it up on entry; the clock command under
// the released menu, a two-click command it completes and the click of the
// current command mode read and change it in turn, so that one command can
// hand a point or a tip on to the next step of the same release.

#include "core/BPoint.h"
#include "document/ZhdZoom.h"

#include <QPoint>
#include <Qt>

#include <optional>
#include <string>

// The button a release let go of.
enum class TReleasedButton { Left, Right, Middle };

// The drawing's buttons among Qt's; none for the others.
inline std::optional<TReleasedButton> ReleasedButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return TReleasedButton::Left;
    case Qt::RightButton:
        return TReleasedButton::Right;
    case Qt::MiddleButton:
        return TReleasedButton::Middle;
    default:
        return std::nullopt;
    }
}

struct TMouseRelease {
    TReleasedButton button = TReleasedButton::Left;
    // Where tips are shown and where a mode click acts (paint-box pixels):
    // the release position, which some clock commands replace by the press
    // point.
    QPoint action;
    // Shift-JIS text shown pinned in the tip box at the end of the
    // clock-menu handling; none when empty.
    std::string tip_text;
    // The clock command id the current clock command becomes once the menu
    // is gone (0: none).
    int follow_up = 0;
    // The release goes on to the click of the current command mode.
    bool mode_click = true;
    // What a snap or a pick found: −1 for nothing, otherwise the search's
    // answer (an element index for a pick).
    int pick_result = -1;
    // The drawing point a snap, a pick or a two-point command found.
    TBPoint picked_point;
    // A copy of the header's printer area, for the frame click.
    TZhdZoomF printer_area;
    // A clock command asked for the clock menu to count as closed, so that
    // the release goes on as a mode click.
    bool clock_menu_closed = false;
    // The drawing shown when the button was let go (TMainState's
    // DrawingSerial); a step that let other events run compares it.
    unsigned drawing_serial = 0;
};
