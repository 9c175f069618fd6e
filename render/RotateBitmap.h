#pragma once

// Turning a colour image for drawing: the source turned counter-clockwise
// by the angle about its centre into a 24-bit destination just large enough
// to hold it, the corners it leaves uncovered in the key colour.
//
// The arithmetic is in 1/1024 fixed point on integers, one sine and one
// cosine per call, so that every caller turns an image to exactly the same
// pixels.

#include "core/Angle.h"
#include "platform/Bitmap.h"

// 1; the destination is empty when the source is, or when the turned image
// would be too large for a bitmap.
int RotateBitmap(const TBitmap& source, const TAngle& angle, TColor key, TBitmap& destination);

// The fixed-point sine and cosine of the angle: 1024 times each, rounded
// half away from zero.
void FixedSinCos(const TAngle& angle, int& sine, int& cosine);
