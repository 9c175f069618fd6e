#include "platform/CanvasCommands.h"

#include "platform/Canvas.h"
#include "platform/ShiftJis.h"

#include <ios>
#include <ostream>

namespace {

// "rgb(255, 0, 0)"; values that are no 24-bit colour (NoColor among them)
// in hexadecimal.
void PrintColor(std::ostream& out, TColor color)
{
    if (color == NoColor) {
        out << "NoColor";
    } else if ((color & ~0xFFFFFF) != 0) {
        const std::ios_base::fmtflags flags = out.flags();
        out << "0x" << std::hex << static_cast<unsigned>(color);
        out.flags(flags);
    } else {
        out << "rgb(" << (color & 0xFF) << ", " << ((color >> 8) & 0xFF) << ", " << ((color >> 16) & 0xFF) << ")";
    }
}

void PrintPoints(std::ostream& out, const char* name, const std::vector<TPointI>& points)
{
    out << name << '(';
    const char* separator = "";
    for (const TPointI& point : points) {
        out << separator << point;
        separator = ", ";
    }
    out << ')';
}

// A Shift-JIS text in double quotes: as UTF-8 when it converts there and
// back unchanged, so Japanese stays readable; otherwise every byte outside
// printable ASCII as \xNN, so that two texts that differ print differently.
void PrintText(std::ostream& out, std::string_view sjis)
{
    const std::string utf8 = SjisToUtf8(sjis);
    const bool readable = Utf8ToSjis(utf8) == sjis;
    const std::string_view shown = readable ? std::string_view(utf8) : sjis;
    out << '"';
    for (const char c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !readable)) {
            const char* digits = "0123456789ABCDEF";
            out << "\\x" << digits[byte >> 4] << digits[byte & 0xF];
        } else {
            out << c;
        }
    }
    out << '"';
}

} // namespace

std::ostream& operator<<(std::ostream& out, const TPointI& point)
{
    return out << '(' << point.x << ", " << point.y << ')';
}

std::ostream& operator<<(std::ostream& out, const TRectI& rect)
{
    return out << '[' << rect.left << ", " << rect.top << " - " << rect.right << ", " << rect.bottom << ')';
}

std::ostream& operator<<(std::ostream& out, TPenStyle style)
{
    switch (style) {
    case TPenStyle::Solid:
        return out << "solid";
    case TPenStyle::Dot:
        return out << "dot";
    case TPenStyle::Clear:
        return out << "clear";
    }
    return out << "pen style " << static_cast<int>(style);
}

std::ostream& operator<<(std::ostream& out, TPenMode mode)
{
    switch (mode) {
    case TPenMode::Copy:
        return out << "copy";
    case TPenMode::NotXor:
        return out << "not-xor";
    }
    return out << "pen mode " << static_cast<int>(mode);
}

std::ostream& operator<<(std::ostream& out, TBrushStyle style)
{
    switch (style) {
    case TBrushStyle::Solid:
        return out << "solid";
    case TBrushStyle::Clear:
        return out << "clear";
    case TBrushStyle::DiagCross:
        return out << "diagonal cross";
    }
    return out << "brush style " << static_cast<int>(style);
}

std::ostream& operator<<(std::ostream& out, const TPen& pen)
{
    out << "pen ";
    PrintColor(out, pen.color);
    return out << " width " << pen.width << ' ' << pen.style << ' ' << pen.mode;
}

std::ostream& operator<<(std::ostream& out, const TBrush& brush)
{
    out << "brush ";
    PrintColor(out, brush.color);
    return out << ' ' << brush.style;
}

std::ostream& operator<<(std::ostream& out, const TFont& font)
{
    out << "font ";
    PrintText(out, font.face);
    out << " height " << font.height << " width " << font.width << " escapement " << font.escapement << " weight "
        << font.weight;
    if (font.italic)
        out << " italic";
    if (font.underline)
        out << " underline";
    if (font.strike_out)
        out << " strike-out";
    out << ' ';
    PrintColor(out, font.color);
    return out;
}

namespace canvas_command {

std::ostream& operator<<(std::ostream& out, const SetPen& command)
{
    return out << "SetPen(" << command.pen << ')';
}

std::ostream& operator<<(std::ostream& out, const SetBrush& command)
{
    return out << "SetBrush(" << command.brush << ')';
}

std::ostream& operator<<(std::ostream& out, const MoveTo& command)
{
    return out << "MoveTo" << command.point;
}

std::ostream& operator<<(std::ostream& out, const LineTo& command)
{
    return out << "LineTo" << command.point;
}

std::ostream& operator<<(std::ostream& out, const Polyline& command)
{
    PrintPoints(out, "Polyline", command.points);
    return out;
}

std::ostream& operator<<(std::ostream& out, const Polygon& command)
{
    PrintPoints(out, "Polygon", command.points);
    return out;
}

std::ostream& operator<<(std::ostream& out, const Ellipse& command)
{
    return out << "Ellipse" << command.box;
}

std::ostream& operator<<(std::ostream& out, const FillRect& command)
{
    return out << "FillRect" << command.rect;
}

std::ostream& operator<<(std::ostream& out, const SetPixel& command)
{
    out << "SetPixel(" << command.point.x << ", " << command.point.y << ", ";
    PrintColor(out, command.color);
    return out << ')';
}

std::ostream& operator<<(std::ostream& out, const SetFont& command)
{
    return out << "SetFont(" << command.font << ')';
}

std::ostream& operator<<(std::ostream& out, const TextOut& command)
{
    out << "TextOut(" << command.point.x << ", " << command.point.y << ", ";
    PrintText(out, command.text);
    return out << ')';
}

std::ostream& operator<<(std::ostream& out, const StretchDraw& command)
{
    if (command.key == NoColor)
        return out << "StretchDraw(" << command.dest << ", " << command.bitmap << ')';
    out << "StretchDrawTransparent(" << command.dest << ", " << command.bitmap << ", key ";
    PrintColor(out, command.key);
    return out << ')';
}

std::ostream& operator<<(std::ostream& out, const TCanvasCommand& command)
{
    std::visit([&out](const auto& alternative) { out << alternative; }, command);
    return out;
}

} // namespace canvas_command

namespace {

// One overload per command: a command without one does not compile.
struct TReplayer {
    TCanvas& canvas;

    void operator()(const canvas_command::SetPen& command) const { canvas.SetPen(command.pen); }
    void operator()(const canvas_command::SetBrush& command) const { canvas.SetBrush(command.brush); }
    void operator()(const canvas_command::MoveTo& command) const { canvas.MoveTo(command.point.x, command.point.y); }
    void operator()(const canvas_command::LineTo& command) const { canvas.LineTo(command.point.x, command.point.y); }
    void operator()(const canvas_command::Polyline& command) const { canvas.Polyline(command.points); }
    void operator()(const canvas_command::Polygon& command) const { canvas.Polygon(command.points); }
    void operator()(const canvas_command::Ellipse& command) const
    {
        canvas.Ellipse(command.box.left, command.box.top, command.box.right, command.box.bottom);
    }
    void operator()(const canvas_command::FillRect& command) const { canvas.FillRect(command.rect); }
    void operator()(const canvas_command::SetPixel& command) const
    {
        canvas.SetPixel(command.point.x, command.point.y, command.color);
    }
    void operator()(const canvas_command::SetFont& command) const { canvas.SetFont(command.font); }
    void operator()(const canvas_command::TextOut& command) const
    {
        canvas.TextOut(command.point.x, command.point.y, command.text);
    }
    void operator()(const canvas_command::StretchDraw& command) const
    {
        if (command.key == NoColor)
            canvas.StretchDraw(command.dest, command.bitmap);
        else
            canvas.StretchDrawTransparent(command.dest, command.bitmap, command.key);
    }
};

} // namespace

void ReplayCommands(std::span<const TCanvasCommand> commands, TCanvas& canvas)
{
    const TReplayer replayer { canvas };
    for (const TCanvasCommand& command : commands)
        std::visit(replayer, command);
}
