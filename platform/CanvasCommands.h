#pragma once

// The canvas's commands as plain values: one struct per canvas call, all of
// them in one variant. TRecordingCanvas keeps a list of them; ReplayCommands
// plays a list onto any canvas through its public calls, so a recording
// replayed gives exactly what drawing there directly gives. The print preview
// and the metafile writer replay the same lists.
//
// Adding a command: its struct here (with operator== and a printer), an
// alternative of TCanvasCommand, the TCanvas call and its Play function, and
// that Play function in every backend. ReplayCommands and the printer visit
// the variant with one overload per command, so the compiler names every
// place that still lacks the new one.

#include "platform/Bitmap.h"
#include "platform/CanvasTypes.h"

#include <iosfwd>
#include <span>
#include <string>
#include <variant>
#include <vector>

class TCanvas;

namespace canvas_command {

struct SetPen {
    TPen pen;
    bool operator==(const SetPen&) const = default;
};

struct SetBrush {
    TBrush brush;
    bool operator==(const SetBrush&) const = default;
};

struct MoveTo {
    TPointI point;
    bool operator==(const MoveTo&) const = default;
};

struct LineTo {
    TPointI point;
    bool operator==(const LineTo&) const = default;
};

struct Polyline {
    std::vector<TPointI> points;
    bool operator==(const Polyline&) const = default;
};

struct Polygon {
    std::vector<TPointI> points;
    bool operator==(const Polygon&) const = default;
};

// The box as Ellipse was given it: (x1, y1) left and top, (x2, y2) right and
// bottom, whatever their order.
struct Ellipse {
    TRectI box;
    bool operator==(const Ellipse&) const = default;
};

struct FillRect {
    TRectI rect;
    bool operator==(const FillRect&) const = default;
};

struct SetPixel {
    TPointI point;
    TColor color = 0;
    bool operator==(const SetPixel&) const = default;
};

struct SetFont {
    TFont font;
    bool operator==(const SetFont&) const = default;
};

// The text as TextOut was given it: Shift-JIS bytes.
struct TextOut {
    TPointI point;
    std::string text;
    bool operator==(const TextOut&) const = default;
};

// StretchDraw and StretchDrawTransparent: the bitmap is a copy that shares
// the caller's pixels (TBitmap copies share until changed); key is the
// colour left out, NoColor for an opaque drawing.
struct StretchDraw {
    TRectI dest;
    TBitmap bitmap;
    TColor key = NoColor;
    bool operator==(const StretchDraw&) const = default;
};

std::ostream& operator<<(std::ostream& out, const SetPen& command);
std::ostream& operator<<(std::ostream& out, const SetBrush& command);
std::ostream& operator<<(std::ostream& out, const MoveTo& command);
std::ostream& operator<<(std::ostream& out, const LineTo& command);
std::ostream& operator<<(std::ostream& out, const Polyline& command);
std::ostream& operator<<(std::ostream& out, const Polygon& command);
std::ostream& operator<<(std::ostream& out, const Ellipse& command);
std::ostream& operator<<(std::ostream& out, const FillRect& command);
std::ostream& operator<<(std::ostream& out, const SetPixel& command);
std::ostream& operator<<(std::ostream& out, const SetFont& command);
std::ostream& operator<<(std::ostream& out, const TextOut& command);
std::ostream& operator<<(std::ostream& out, const StretchDraw& command);

} // namespace canvas_command

using TCanvasCommand = std::variant<canvas_command::SetPen, canvas_command::SetBrush, canvas_command::MoveTo,
    canvas_command::LineTo, canvas_command::Polyline, canvas_command::Polygon, canvas_command::Ellipse,
    canvas_command::FillRect, canvas_command::SetPixel, canvas_command::SetFont, canvas_command::TextOut,
    canvas_command::StretchDraw>;

namespace canvas_command {
// Found by argument-dependent lookup for TCanvasCommand; prints the command
// alone, as "LineTo(3, 4)".
std::ostream& operator<<(std::ostream& out, const TCanvasCommand& command);
} // namespace canvas_command

// Plays the commands in order onto the canvas through its public calls. The
// commands continue from the canvas's pen, brush and pen position: a list
// recorded from a fresh canvas replays faithfully onto a fresh canvas.
void ReplayCommands(std::span<const TCanvasCommand> commands, TCanvas& canvas);
