// The printer backend against the raster backend: the same commands played
// on a QPainter over an image and on the raster canvas give the same
// figures, up to a few pixels along curved and slanted edges.

#include "platform/ImageCanvas.h"
#include "platform/ShiftJis.h"
#include "print/PainterCanvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr int size = 40;
constexpr TColor white = PackColor(255, 255, 255);
constexpr TColor red = PackColor(255, 0, 0);
constexpr TColor blue = PackColor(0, 0, 255);

using Figure = std::function<void(TCanvas&)>;

QImage OnPainter(const Figure& figure)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    TPainterCanvas canvas(painter, size, size);
    figure(canvas);
    painter.end();
    return image;
}

QImage OnRaster(const Figure& figure)
{
    TImageCanvas canvas(size, size, white);
    figure(canvas);
    return canvas.Image().copy();
}

int DifferentPixels(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            count += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF) ? 1 : 0;
    }
    return count;
}

int PaintedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
    }
    return count;
}

void UsePen(TCanvas& canvas, int width)
{
    canvas.SetPen(TPen { red, width, TPenStyle::Solid, TPenMode::Copy });
}

} // namespace

TEST(PainterCanvas, DrawsTheFiguresTheRasterBackendDraws)
{
    const struct {
        const char* name;
        Figure figure;
        int tolerance;
    } cases[] = {
        // Qt's aliased raster samples a stroke at the pixel corners, so on an
        // image a one-pixel line lands half a pixel further on than on paper,
        // where it is centred on its pixels: its first pixel moves past its
        // end.
        { "one-pixel line across", [](TCanvas& c) { UsePen(c, 1); c.MoveTo(5, 10); c.LineTo(35, 10); }, 2 },
        { "one-pixel line down", [](TCanvas& c) { UsePen(c, 1); c.MoveTo(20, 2); c.LineTo(20, 30); }, 2 },
        { "wide line", [](TCanvas& c) { UsePen(c, 5); c.MoveTo(5, 20); c.LineTo(35, 20); }, 12 },
        { "box", [](TCanvas& c) { c.SetBrush(TBrush { blue, TBrushStyle::Solid }); c.FillRect({ 3, 4, 30, 25 }); },
            0 },
        { "filled polygon", [](TCanvas& c) {
             c.SetPen(TPen { red, 1, TPenStyle::Clear, TPenMode::Copy });
             c.SetBrush(TBrush { blue, TBrushStyle::Solid });
             const TPointI points[] = { { 5, 5 }, { 35, 5 }, { 35, 35 }, { 5, 35 } };
             c.Polygon(points);
         },
            0 },
        { "ellipse", [](TCanvas& c) {
             UsePen(c, 1);
             c.SetBrush(TBrush { blue, TBrushStyle::Solid });
             c.Ellipse(4, 6, 36, 30);
         },
            40 },
        { "stretched bitmap with a colour left out", [](TCanvas& c) {
             TBitmap bitmap(2, 2, TPixelFormat::Rgb24);
             bitmap.Fill(red);
             bitmap.SetPixel(1, 1, blue);
             c.StretchDrawTransparent({ 30, 30, 10, 10 }, bitmap, blue);
         },
            0 },
        { "text", [](TCanvas& c) {
             TFont font;
             font.height = 20;
             font.face = sj(u8"ＭＳ ゴシック");
             font.color = blue;
             c.SetFont(font);
             c.TextOut(4, 8, "Ab");
         },
            40 },
        // Blanks: nothing but the two bands.
        { "underlined and struck-out blanks", [](TCanvas& c) {
             TFont font;
             font.height = 20;
             font.face = sj(u8"ＭＳ ゴシック");
             font.color = blue;
             font.underline = true;
             font.strike_out = true;
             c.SetFont(font);
             c.TextOut(4, 8, "    ");
         },
            8 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage raster = OnRaster(c.figure);
        const QImage painted = OnPainter(c.figure);
        EXPECT_GT(PaintedPixels(raster), 10);
        EXPECT_LE(DifferentPixels(raster, painted), c.tolerance);
    }
}
