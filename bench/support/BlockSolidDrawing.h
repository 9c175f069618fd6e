#pragma once

// Generated drawings for the block and solid benchmark, on the A1 sheet of
// RenderDrawing.h:
//
// - GenerateBlockDrawing: `count` block references, each placing one of 50
//   definitions of 20 elements (lines, circles and arcs of a small symbol:
//   furniture, fittings) at its own place, angle and scale;
// - GenerateFlatBlockDrawing: the same drawing with every reference replaced
//   by its placed elements, the baseline a reference's drawing is measured
//   against;
// - GenerateArcSolidDrawing: `count` arc solids of every figure (whole
//   ellipses and circles, sectors, segments, tangent figures, both kinds of
//   ring, arc lines), 1 to 10 mm across.
//
// The same count gives the same drawing on every machine.

#include <memory>

class TZhdData;

inline constexpr int BlockDefinitionCount = 50;
inline constexpr int ElementsPerDefinition = 20;

std::unique_ptr<TZhdData> GenerateBlockDrawing(int count);
std::unique_ptr<TZhdData> GenerateFlatBlockDrawing(int count);
std::unique_ptr<TZhdData> GenerateArcSolidDrawing(int count);
