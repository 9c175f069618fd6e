#pragma once

// Reading a recording: the segments its MoveTo/LineTo pairs draw and the
// polylines it holds, and a view where one output pixel is one millimetre.

#include "document/ZhdData.h"
#include "platform/RecordingCanvas.h"
#include "render/InfoReg.h"
#include "tests/render/RenderFixture.h"

#include <ostream>
#include <variant>
#include <vector>

struct Segment {
    TPointI from;
    TPointI to;
    bool operator==(const Segment&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Segment& segment)
{
    return out << segment.from << "-" << segment.to;
}

// Every LineTo with the MoveTo (or LineTo) before it.
inline std::vector<Segment> SegmentsOf(const std::vector<TCanvasCommand>& commands)
{
    std::vector<Segment> segments;
    TPointI at;
    for (const TCanvasCommand& command : commands) {
        if (const auto* move = std::get_if<canvas_command::MoveTo>(&command))
            at = move->point;
        else if (const auto* line = std::get_if<canvas_command::LineTo>(&command)) {
            segments.push_back({ at, line->point });
            at = line->point;
        }
    }
    return segments;
}

template <typename Command>
std::vector<Command> CommandsOf(const std::vector<TCanvasCommand>& commands)
{
    std::vector<Command> found;
    for (const TCanvasCommand& command : commands) {
        if (const auto* wanted = std::get_if<Command>(&command))
            found.push_back(*wanted);
    }
    return found;
}

// A document whose view maps the drawing point (x, y) to the output pixel
// (x, 100 - y) on a 200 x 100 output area: one pixel is one millimetre.
class MillimetreView {
public:
    MillimetreView()
    {
        ShowOneMillimetrePerPixel(document.GetInfoRegPtr(), 200, 100);
    }

    TInfoREG& Info() { return document.GetInfoRegPtr(); }

    TZhdData document;
    TRecordingCanvas canvas { 200, 100 };
};

// The colour each stroke and each text of a recording was drawn in, in
// order, a run of one colour counted once: 'L' for lines, 'T' for texts.
struct Ink {
    char kind = 'L';
    TColor color = 0;
    bool operator==(const Ink&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Ink& ink)
{
    return out << ink.kind << ":" << std::hex << ink.color << std::dec;
}

inline std::vector<Ink> InkOf(const std::vector<TCanvasCommand>& commands)
{
    std::vector<Ink> inks;
    TColor pen = 0, font = 0;
    const auto add = [&](char kind, TColor color) {
        if (inks.empty() || !(inks.back() == Ink { kind, color }))
            inks.push_back({ kind, color });
    };
    for (const TCanvasCommand& command : commands) {
        if (const auto* set_pen = std::get_if<canvas_command::SetPen>(&command))
            pen = set_pen->pen.color;
        else if (const auto* set_font = std::get_if<canvas_command::SetFont>(&command))
            font = set_font->font.color;
        else if (std::holds_alternative<canvas_command::LineTo>(command)
                 || std::holds_alternative<canvas_command::Polyline>(command)
                 || std::holds_alternative<canvas_command::Ellipse>(command))
            add('L', pen);
        else if (std::holds_alternative<canvas_command::TextOut>(command))
            add('T', font);
    }
    return inks;
}
