#pragma once

// Generated drawings for the benchmarks, with the element mix real drawings
// have: of every hundred elements 60 lines, 12 arcs, 6 points, 10 texts,
// 5 solids, 4 block references and 3 dimensions.

#include "elements/ZhdElem.h"

class TZhdData;

inline constexpr int MixedBlockDefinitions = 50;

// Element i of the mix, on a grid of 1000 columns; block references place
// definition i mod MixedBlockDefinitions. Group, layer and colour are left
// to the caller.
TZhdElemPtr MixedElement(int i);

// Definitions 0 to MixedBlockDefinitions - 1, named "block n", each holding
// ten elements of the mix.
void AppendMixedBlockDefinitions(TZhdData& document);
