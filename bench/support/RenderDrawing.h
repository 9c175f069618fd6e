#pragma once

// Generated drawings for the rendering benchmarks, filling an A1 sheet
// (841 x 594 mm) centred on the origin:
//
// - GenerateRenderDrawing, a line drawing: of every hundred elements about
//   85 solid lines, 5 dashed lines (line types 2 to 5, whose patterns the
//   header is given), 7 circles, arcs and ellipses and 3 points;
// - GenerateRenderMixDrawing, the mix of a real drawing: of every hundred
//   elements about 64 solid lines, 6 dashed lines, 24 circles, arcs and
//   ellipses, 5 short texts 1.5 to 2.7 mm high (too small to read in the
//   fitted view of the sheet) and 1 block reference placing one of 50
//   definitions of 20 elements (18 lines and arcs, two labels 1.2 mm high;
//   bench/support/BlockSolidDrawing.h);
// - GenerateSolidLineDrawing, solid lines alone, the lines of the line
//   drawing.
//
// Elements come in runs that share a group, a layer and a pen colour (1 to
// 8), as a drawing made one layer at a time has them; the runs are spread
// over all 16 x 16 groups and layers, every one of them editable.
//
// A count gives the same drawing on every machine: the random numbers are
// our own (SplitMix64), not a standard library's distributions.

#include <memory>

class TZhdData;

inline constexpr double RenderSheetWidth = 841.0;
inline constexpr double RenderSheetHeight = 594.0;
// The header's paper code of A1, which a fitted view shows whole.
inline constexpr int RenderSheetPaper = 1;

std::unique_ptr<TZhdData> GenerateRenderDrawing(int count);
std::unique_ptr<TZhdData> GenerateRenderMixDrawing(int count);
std::unique_ptr<TZhdData> GenerateSolidLineDrawing(int count);
// The mix of `count` elements, generated once for the run, its sheet fitted
// to the bench screen.
TZhdData& FittedRenderMixDrawing(int count);
