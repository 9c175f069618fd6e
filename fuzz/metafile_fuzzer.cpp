// Bytes in, a metafile out: loaded as WMF or EMF by its header, then played
// into a destination rectangle on a recording and on a small image. A load
// that is not Loaded or RanShort leaves the metafile empty.
#include "fuzz/FuzzSupport.h"
#include "platform/ImageCanvas.h"
#include "platform/Metafile.h"
#include "platform/RecordingCanvas.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    UseFuzzScreen();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMetafile metafile;
    const TLoadStatus status = metafile.LoadFromBytes({ data, size }).status;
    Require(status == TLoadStatus::Loaded || status == TLoadStatus::RanShort || metafile.Empty());
    TRecordingCanvas recording(64, 48);
    metafile.Play(recording, { 4, 4, 60, 44 });
    TImageCanvas image(64, 48);
    metafile.Play(image, { 60, 44, 4, 4 });
    return 0;
}
