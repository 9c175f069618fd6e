#pragma once

// The picture of the clock menu: its dial drawn over the view, the name of
// the command under the cursor drawn as a label below it, and the AM and
// PM faces shown inside the dial.

#include "platform/Bitmap.h"
#include "platform/CanvasTypes.h"

#include <string_view>

class TCanvas;

struct TClockDial {
    // The centre and the radius, in canvas pixels.
    int cx = 0;
    int cy = 0;
    int radius = 30;
    // The hour the hand points at, 0 to 11; any other value draws no hand.
    int position = -1;
    // The rim, the ticks and the hand.
    TColor pen = 0;
    // Inside the rim.
    TColor fill = PackColor(255, 255, 255);
    // Centred in the dial, white left out; an empty face is not drawn.
    TBitmap face;
};

// The dial: a disc with a rim 2 pixels wide, the face, short ticks at the
// hours, long ones at the quarters, and the hand from the centre to the
// rim.
void DrawClockDial(TCanvas& canvas, const TClockDial& dial);

// The pixels DrawClockDial may touch: right and bottom outside.
TRectI ClockDialBounds(int cx, int cy, int radius);

// A face for a dial of this radius from a picture: the picture stretched
// to 2 × radius - 2 pixels square, cut to the disc inside, in the 16
// standard colours; outside the disc the face is white, which the dial
// leaves out. The empty bitmap for an empty picture.
TBitmap BuildClockFace(const TBitmap& picture, int radius);

// A line of text on a background, just as large as the text: as wide as
// its characters' advances and as high as the font's cell.
TBitmap TextLabel(std::string_view text, const TFont& font, TColor background);
