#pragma once

// A plug-in's decoded picture as the bitmap the raster images keep.

#include "platform/Bitmap.h"
#include "platform/ImagePluginPicture.h"

// The same pixels and palette in a TBitmap. A 16-bit picture (5-5-5) becomes
// 24-bit, the only depth a plug-in may give that TBitmap does not keep. An
// empty picture, or one larger than a bitmap may be, gives the empty bitmap.
TBitmap ToBitmap(const TDecodedPicture& picture);
