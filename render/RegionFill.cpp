// The fill walks the region with an explicit stack instead of recursion: a
// region can be a whole screen of pixels. From the current pixel it probes
// right, up, left and down; the first probe that paints pushes the current
// pixel with that move and moves on. When none paints, it goes back to the
// pixel on top of the stack and tries its remaining directions (the one of
// the move already made from it is skipped: that pixel is painted). Every
// push goes with one newly painted pixel, so the stack never holds more
// entries than the region has pixels, and the region is complete when the
// stack is empty. Pixels outside the canvas are never probed, so the walk
// cannot leave it whatever the seed colour.

#include "render/RegionFill.h"

#include "core/DebugLog.h"
#include "core/StopWatch.h"
#include "document/SjFormat.h"
#include "platform/Canvas.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

// The move codes kept on the stack are the directions plus one, so that 0
// can mean "nothing to skip".
constexpr int no_move = 0;

struct Visit {
    int x;
    int y;
    int move;
};

} // namespace

TPaintSurfaceCounters& PaintSurfaceCounters()
{
    static TPaintSurfaceCounters counters;
    return counters;
}

int PaintSurfaceStep(TCanvas& canvas, TColor seed, int x, int y, int direction)
{
    ++PaintSurfaceCounters().probes;
    if (seed == RegionFillColor)
        return 0;
    switch (direction) {
    case 0:
        ++x;
        break;
    case 1:
        --y;
        break;
    case 2:
        --x;
        break;
    case 3:
        ++y;
        break;
    default:
        break;
    }
    if (x < 0 || y < 0 || x >= canvas.Width() || y >= canvas.Height())
        return 0;
    if (canvas.GetPixel(x, y) != seed)
        return 0;
    ++PaintSurfaceCounters().painted;
    canvas.SetPixel(x, y, RegionFillColor);
    return 1;
}

int PaintSurface(TCanvas& canvas, TColor seed, int x, int y)
{
    const auto started = std::chrono::steady_clock::now();
    std::size_t deepest = 0;
    if (PaintSurfaceStep(canvas, seed, x, y, -1) != 0) {
        std::vector<Visit> stack;
        Visit here { x, y, no_move };
        for (;;) {
            bool moved = false;
            for (int direction = 0; direction < 4 && !moved; ++direction) {
                if (here.move == direction + 1)
                    continue;
                if (PaintSurfaceStep(canvas, seed, here.x, here.y, direction) != 0) {
                    stack.push_back({ here.x, here.y, direction + 1 });
                    const int dx[] = { 1, 0, -1, 0 };
                    const int dy[] = { 0, -1, 0, 1 };
                    here = { here.x + dx[direction], here.y + dy[direction], no_move };
                    moved = true;
                }
            }
            deepest = std::max(deepest, stack.size());
            if (moved)
                continue;
            if (stack.empty())
                break;
            here = stack.back();
            stack.pop_back();
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    WriteDebugLog(SjPrintf(u8"#PaintSurfaceTime：%.8f秒", seconds));
    WriteDebugLog(StringPrintf("maxstack=%u", static_cast<unsigned>(deepest)));
    return 1;
}
