// A test plug-in without GetPicture: it would take every file, but a library
// lacking an entry point must never be asked.

#include "platform/ImagePluginAbi.h"

#include <cstdint>

SPI_EXPORT int IsSupported(const char*, int)
{
    return 1;
}

SPI_EXPORT int GetPictureInfo(const char*, std::int64_t, std::uint32_t, TSpiPictureInfo*)
{
    return SPI_OK;
}
