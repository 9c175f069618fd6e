// Bytes in, a BMP read: a picture that loads is written and read back equal,
// and stretched mirrored onto a small canvas.
#include "fuzz/FuzzSupport.h"
#include "platform/BmpFile.h"
#include "platform/ImageCanvas.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

// Run-length codes let a few bytes ask for a picture of up to
// TBitmap::MaxBytes; such pictures only make the fuzzer slow, the limit
// itself is tested directly.
constexpr std::int64_t MaxFuzzPixels = std::int64_t { 1 } << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const TBmpResult info = ReadBmpInfo(bytes);
    if (info.status == TBmpStatus::Loaded
        && std::int64_t { info.info.width } * std::llabs(info.info.height) > MaxFuzzPixels)
        return 0;
    const TBmpResult result = ReadBmp(bytes);
    Require((result.status == TBmpStatus::Loaded) != result.bitmap.IsEmpty());
    if (result.status != TBmpStatus::Loaded)
        return 0;
    Require(result.bitmap.Width() == info.info.width);
    Require(ReadBmp(WriteBmp(result.bitmap)).bitmap == result.bitmap);
    TImageCanvas canvas(16, 16);
    canvas.StretchDrawTransparent({ 14, 15, 1, -3 }, result.bitmap, 0);
    return 0;
}
