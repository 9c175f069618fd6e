#pragma once

// What the tests of the features drawn over the view share: a shown main
// window whose displayed document the test fills, a view of whole pixels
// per drawing millimetre with the origin on a pixel, a redraw that runs at
// once, and a rest stopwatch on the test's own clock.

#include "tests/support/ScopedConfigFolder.h"
#include "tests/ui/MainFormTestSupport.h"

#include "core/StopWatch.h"
#include "document/ZhdPen.h"
#include "platform/ScreenMetrics.h"
#include "ui/PaintBox.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QTimer>

#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

// The pen "S" of the tests: markers and frames.
inline constexpr int test_selection_colour = 0x30a0f0;

inline QRgb ScreenColour(int packed)
{
    return qRgb(packed & 0xff, (packed >> 8) & 0xff, (packed >> 16) & 0xff);
}

// How many lines of the debug log's text are `line`.
inline int LogLineCount(const std::string& log, const std::string& line)
{
    std::istringstream lines(log);
    int count = 0;
    for (std::string text; std::getline(lines, text);)
        count += text == line;
    return count;
}

// The tick the rest stopwatch of the window reads.
inline std::uint32_t rest_test_ticks = 0;
inline std::uint32_t RestTestTicks()
{
    return rest_test_ticks;
}

class OverDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        SettleView(form);
        // The tests tick the attribute display themselves.
        form.Timer1->stop();
        Document().GetPenMapPtr()["S"] = TZhdPen(test_selection_colour, 1);
    }

    TZhdData& Document() { return *form.Document(); }
    QImage& Front() { return form.PaintBox1->Front(); }

    // `pixels_per_mm` pixels per drawing millimetre (1/10 gives 10 mm a
    // pixel), the drawing's origin on the paint box's centre pixel; drawn.
    void UseView(double pixels_per_mm)
    {
        TInfoREG& info = Document().GetInfoRegPtr();
        // One output millimetre a pixel: the view's scale is pixels per mm.
        info.ScreenWidthMM = ScreenMetrics().width_pixels;
        info.ScreenHeightMM = 0;
        info.SetView(TZhdZoom(pixels_per_mm));
        Redraw();
    }

    // The drawing point's pixel in the view.
    QPoint PixelOf(double x, double y)
    {
        const TBPoint pixel = form.Document()->GetInfoRegPtr().WorldToScreen(TBPoint(x, y));
        return QPoint(static_cast<int>(std::lround(pixel.GetX())), static_cast<int>(std::lround(pixel.GetY())));
    }

    // A full redraw now, past the redraw gate.
    void Redraw()
    {
        TRedrawTime time(form, 1000);
        time.Advance(100);
        form.CanvasDraw(Document(), "test");
    }

    // The mouse rests at the pixel for the milliseconds given.
    void RestAt(QPoint pixel, std::uint32_t milliseconds)
    {
        form.State().CursorPoint = pixel;
        rest_test_ticks = 0;
        form.State().RestStopwatch = TStopWatch(RestTestTicks);
        rest_test_ticks = milliseconds;
    }

    ScopedConfigFolder config;
    TScriptedDialogsInstalled dialogs;
    TForm1 form;
};
