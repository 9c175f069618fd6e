// The clock menu's picture: the dial, its faces and the label of a name.

#include "ui/ClockDial.h"

#include "platform/Canvas.h"
#include "platform/FontEngine.h"
#include "platform/ImageCanvas.h"
#include "platform/TextRaster.h"

#include <array>
#include <cmath>

namespace {

constexpr TColor black = PackColor(0, 0, 0);
constexpr TColor white = PackColor(255, 255, 255);

// Where the hours point, with y downward: twelve o'clock up, three o'clock
// right. Written out rather than taken from cos and sin, whose rounding at
// the quarters and the thirties would move a tick end by a pixel when it
// is truncated.
struct THourDirection {
    double x;
    double y;
};
constexpr double half_root3 = 0.8660254037844386;
constexpr std::array<THourDirection, 12> hour_directions { {
    { 0, -1 },
    { 0.5, -half_root3 },
    { half_root3, -0.5 },
    { 1, 0 },
    { half_root3, 0.5 },
    { 0.5, half_root3 },
    { 0, 1 },
    { -0.5, half_root3 },
    { -half_root3, 0.5 },
    { -1, 0 },
    { -half_root3, -0.5 },
    { -0.5, -half_root3 },
} };

// The point of hour k at `distance` radii from the centre, each coordinate
// truncated after the centre is added.
TPointI HourPoint(const TClockDial& dial, int k, double distance)
{
    const THourDirection direction = hour_directions[static_cast<std::size_t>(k)];
    return { static_cast<int>(dial.cx + direction.x * dial.radius * distance),
             static_cast<int>(dial.cy + direction.y * dial.radius * distance) };
}

// Ticks of the hours run from 0.8 radii to 0.87, those of the quarters to
// the rim; the hand is a quarter's tick drawn from the centre.
constexpr double tick_start = 0.8;
constexpr double short_tick_end = 0.87;

void DrawTicks(TCanvas& canvas, const TClockDial& dial)
{
    for (int k = 0; k < 12; ++k) {
        const bool hand = k == dial.position;
        const bool long_tick = hand || k % 3 == 0;
        canvas.SetPenWidth(long_tick ? 2 : 1);
        const TPointI from = hand ? TPointI { dial.cx, dial.cy } : HourPoint(dial, k, tick_start);
        const TPointI to = HourPoint(dial, k, long_tick ? 1.0 : short_tick_end);
        canvas.MoveTo(from.x, from.y);
        canvas.LineTo(to.x, to.y);
    }
}

// The 16 colours of a 4-bit face: the standard palette of 16-colour
// displays.
constexpr std::array<TColor, 16> standard_16_colours {
    PackColor(0, 0, 0),       PackColor(128, 0, 0),   PackColor(0, 128, 0),   PackColor(128, 128, 0),
    PackColor(0, 0, 128),     PackColor(128, 0, 128), PackColor(0, 128, 128), PackColor(192, 192, 192),
    PackColor(128, 128, 128), PackColor(255, 0, 0),   PackColor(0, 255, 0),   PackColor(255, 255, 0),
    PackColor(0, 0, 255),     PackColor(255, 0, 255), PackColor(0, 255, 255), PackColor(255, 255, 255),
};

} // namespace

void DrawClockDial(TCanvas& canvas, const TClockDial& dial)
{
    const int r = dial.radius;
    canvas.SetPen(TPen { dial.pen, 2, TPenStyle::Solid, TPenMode::Copy });
    canvas.SetBrush(TBrush { dial.fill, TBrushStyle::Solid });
    canvas.Ellipse(dial.cx - r, dial.cy - r, dial.cx + r, dial.cy + r);
    if (!dial.face.IsEmpty()) {
        const int left = dial.cx - dial.face.Width() / 2;
        const int top = dial.cy - dial.face.Height() / 2;
        canvas.StretchDrawTransparent({ left, top, left + dial.face.Width(), top + dial.face.Height() }, dial.face,
                                      white);
    }
    DrawTicks(canvas, dial);
}

TRectI ClockDialBounds(int cx, int cy, int radius)
{
    // The rim's pen is 2 pixels wide, centred on the circle.
    return { cx - radius - 2, cy - radius - 2, cx + radius + 3, cy + radius + 3 };
}

TBitmap BuildClockFace(const TBitmap& picture, int radius)
{
    const int side = 2 * radius - 2;
    if (picture.IsEmpty() || !TBitmap::SizeAllowed(side, side, TPixelFormat::Indexed4))
        return {};
    // A black disc on white, with the picture laid over it by OR: the disc
    // takes the picture, the corners stay white.
    TImageCanvas disc(side, side, white);
    disc.SetPen(TPen { black, 1, TPenStyle::Solid, TPenMode::Copy });
    disc.SetBrush(TBrush { black, TBrushStyle::Solid });
    disc.Ellipse(0, 0, side, side);
    TImageCanvas stretched(side, side, black);
    stretched.StretchDraw({ 0, 0, side, side }, picture);
    TBitmap face(side, side, TPixelFormat::Indexed4);
    face.SetPalette(standard_16_colours);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x)
            face.SetPixel(x, y, disc.GetPixel(x, y) | stretched.GetPixel(x, y));
    }
    return face;
}

TBitmap TextLabel(std::string_view text, const TFont& font, TColor background)
{
    const std::shared_ptr<const font_engine::TScaledFont> scaled = font_engine::ScaledFont(font);
    const double advance = scaled ? text_raster::TextAdvance(*scaled, text) : 0.0;
    TImageCanvas label(static_cast<int>(std::ceil(advance)), font.height, background);
    label.SetFont(font);
    label.TextOut(0, 0, text);
    return label.Bitmap();
}
