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

#include "bench/support/Random.h"

#include <boost/shared_ptr.hpp>

#include <memory>

class TKBlock;
class TZhdData;

inline constexpr int BlockDefinitionCount = 50;
inline constexpr int ElementsPerDefinition = 20;

std::unique_ptr<TZhdData> GenerateBlockDrawing(int count);
std::unique_ptr<TZhdData> GenerateFlatBlockDrawing(int count);
std::unique_ptr<TZhdData> GenerateArcSolidDrawing(int count);

// Definitions 0 to BlockDefinitionCount - 1 of ElementsPerDefinition
// elements each: a symbol's lines and arcs, the last `labels` of them short
// texts `label_height` millimetres high (a name or size on the symbol).
void AppendSymbolDefinitions(TZhdData& document, TRandom& random, int labels, double label_height);

// A reference to one of those definitions anywhere on the sheet, turned by
// a quarter turn and scaled by 0.5 to 2, on a random layer.
boost::shared_ptr<TKBlock> RandomReference(TRandom& random);
