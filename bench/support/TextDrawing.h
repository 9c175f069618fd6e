#pragma once

// Generated drawings of short texts for the text benchmark: labels of two
// to six characters (room names, dimensions, symbols; Japanese and Latin)
// 2.5 to 5 mm high, spread over the same A1 sheet as the line drawings of
// RenderDrawing.h. Most read left to right, one in ten is turned a quarter
// turn, one in twenty is at another angle and one in twenty is written
// vertically; faces are Gothic and Mincho. The same count gives the same
// drawing on every machine.

#include "bench/support/Random.h"
#include "core/BPoint.h"

#include <boost/shared_ptr.hpp>

#include <memory>

class TKMoji;
class TZhdData;

std::unique_ptr<TZhdData> GenerateTextDrawing(int count);

// One label of the drawing above, placed anywhere on the sheet, with a
// character height between `lowest` and `highest` millimetres.
boost::shared_ptr<TKMoji> RandomText(TRandom& random, double lowest, double highest);

// One label starting at `start`, `height` millimetres high, in the mix of
// directions above.
boost::shared_ptr<TKMoji> RandomTextAt(TRandom& random, const TBPoint& start, double height);
