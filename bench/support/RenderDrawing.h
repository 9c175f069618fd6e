#pragma once

// Generated drawings for the rendering benchmark: a line drawing that fills
// an A1 sheet (841 x 594 mm) centred on the origin. Of every hundred
// elements about 85 are solid lines, 5 dashed lines (line types 2 to 5,
// whose patterns the header is given), 7 circles, arcs and ellipses and 3
// points. Elements come in runs that share a group, a layer and a pen colour
// (1 to 8), as a drawing made one layer at a time has them; the runs are
// spread over all 16 x 16 groups and layers, every one of them editable.
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
