#pragma once

// What the drawing of lines, arcs and points shares.

class TCanvas;
class TZhdData;

// The pen takes the document's drawing colour and the solid style. An
// auxiliary element (construction lines in pen or line type 9) is left out of
// print and image jobs (false: draw nothing) and drawn one pixel wide on
// screen.
bool BeginElementDrawing(TCanvas& canvas, const TZhdData& document, bool auxiliary);

// The pen colour and line type number of auxiliary elements.
inline constexpr int AuxiliaryNumber = 9;
