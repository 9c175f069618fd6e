#pragma once

// TClockMenu: the circular command menu that opens around the press point
// when the mouse is dragged with one button beyond the clock radius. Its
// twelve positions lie like the hours of a clock; the command at a position
// depends on the button that opened the menu, on the face (AM or PM, which
// the user switches by moving back into the centre or pressing the other
// button) and on the command mode. While the menu is open the name of the
// command under the cursor shows below the dial; the release handler
// carries out the current clock command.
//
// The press and move handlers call DrawClockMenu with show 1 and the press
// point as the centre at every step: the dial is drawn afresh over the one
// before, at the same place. The release handler takes it away with show 0,
// which puts the view's picture back and lets the view draw its overlays
// again.

#include "platform/Bitmap.h"
#include "ui/ClockDial.h"
#include "ui/MainFeature.h"

#include <QImage>
#include <QRect>

#include <array>
#include <filesystem>
#include <functional>
#include <string>

class TCanvas;
class TViewRedraw;

// The command ids of the menu by button (0 left, 1 right), face (0 AM,
// 1 PM) and position (0 at twelve o'clock, clockwise to 11); 0 is no
// command. The first level has one entry.
using TClockMenuTable = std::array<std::array<std::array<std::array<int, 12>, 2>, 2>, 1>;

// The table the main window starts with: eight commands, the rest 0.
TClockMenuTable BuildClockMenu();

// The command the menu offers at a place, or 0: a position outside 0 to 11
// gives none, and the command mode decides which menus offer their entry.
// `has_selection`: the displayed drawing has selected elements.
int LookUpClockCommand(const TClockMenuTable& table, int mode, int sub_mode, int button, int face, int position,
                       bool has_selection);

// The name of a command id (Shift-JIS); empty for an id without one.
const std::string& ClockCommandName(int id);

class TClockMenu : public TMainFeature {
public:
    // Pixels from the press point beyond which a one-button drag opens the
    // menu; the dial's radius.
    static constexpr int ClockRadius = 30;

    // What the view shows over its picture, drawn again when the menu is
    // taken away; each draws in not-XOR mode on the canvas it is given.
    struct TViewOverlays {
        // The print frame where the print mode keeps it.
        std::function<void(TCanvas&)> paper_frame;
        // The cross-hair at the last mouse position.
        std::function<void(TCanvas&)> cross_hair;
    };

    TClockMenu(TMainWindowHost& host, const TViewRedraw& view);

    // The faces from "am.bmp" and "pm.bmp" in the folder; a file that is
    // missing or no picture leaves its face empty.
    void LoadClockFaces(const std::filesystem::path& folder);
    const TBitmap& AmFace() const { return faces_[0]; }
    const TBitmap& PmFace() const { return faces_[1]; }

    void SetViewOverlays(TViewOverlays overlays) { overlays_ = std::move(overlays); }

    // The command at a place of the menu in the window's present state.
    int GetClockCommand(int mode, int sub_mode, int button, int face, int position) const;

    // Makes the command at the place the current clock command (0 when it
    // has no name) and, with show set, draws the dial centred at (cx, cy)
    // with the hand at the position (none for -1) and the command's name
    // below it; with show 0 takes the menu away.
    void DrawClockMenu(int show, int position, int button, int face, int cx, int cy);

    // The command under the cursor as the menu was last drawn; the release
    // handler may make it the second step of a two-click command.
    int CurrentClockCommand() const { return current_clock_command_; }
    void SetCurrentClockCommand(int id) { current_clock_command_ = id; }

    const TClockMenuTable& Table() const { return table_; }

private:
    // The dial's colours and the name's font, from the window's palette.
    TClockDial Dial(int position, int button, int face, int cx, int cy) const;
    // Puts back what the last name covered and shows the new one at
    // (x, y); the rectangles touched are added to `dirty`.
    void ShowName(QImage& picture, const std::string& name, int x, int y, QRect& dirty);
    void RemoveMenu();

    const TViewRedraw& view_;
    TClockMenuTable table_;
    std::array<TBitmap, 2> faces_;
    TViewOverlays overlays_;
    int current_clock_command_ = 0;
    // What lies under the name shown, and where; null while none is shown.
    QImage under_name_;
    QPoint name_at_;
};
