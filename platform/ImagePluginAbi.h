#ifndef ZUVIEW_PLATFORM_IMAGE_PLUGIN_ABI_H
#define ZUVIEW_PLATFORM_IMAGE_PLUGIN_ABI_H

/*
 * The binary interface between Zuview and its image plug-ins, for 64-bit
 * Linux. This header is the whole contract: a plug-in needs nothing else of
 * the project, and it compiles as C as well as C++.
 *
 * A plug-in is a shared library whose file name ends in ".spi", placed in the
 * folder of the zuview executable. The host loads every such library once, by
 * its absolute path, in the byte order of the file names, and keeps it loaded
 * while the list lives. The library exports three required C functions and one
 * optional one (plain C calling convention, the only one on x86-64 Linux):
 *
 *   IsSupported        may this plug-in decode the file?
 *   GetPictureInfo     size, density and colour depth of the picture
 *   GetPicture         the picture itself, as a device-independent bitmap
 *   FreePictureBuffer  (optional) frees what GetPicture handed out
 *
 * A library lacking one of the three required exports is not used.
 *
 * Every entry point must return normally: no C++ exception may leave it.
 *
 * Memory: GetPicture hands out two blocks it allocated. When the library
 * exports FreePictureBuffer the host frees both through it; otherwise the
 * host frees them with free(), so such a plug-in must allocate them with
 * malloc() (or calloc()/realloc()) of the C library.
 */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Results of GetPictureInfo and GetPicture. */
#define SPI_OK 0
/* Any other value is a failure; the host reports it and uses nothing the
 * call wrote. These are the ones a plug-in should prefer. */
#define SPI_UNSUPPORTED 1
#define SPI_READ_ERROR 2
#define SPI_OUT_OF_MEMORY 3
#define SPI_BROKEN_DATA 4

/* The "flag" argument: 0, the name is a file whose picture begins at
 * "offset" bytes into it. No other value is defined; the host always passes
 * 0 with an offset of 0. */
#define SPI_SOURCE_FILE 0u

/*
 * Picture information record, filled by GetPictureInfo. The host zeroes it
 * before the call, so a field the plug-in leaves alone reads 0.
 *
 *   offset size field
 *        0    4 left    } the picture's position, the plug-in's own; the
 *        4    4 top     } host does not read them
 *        8    4 width in pixels, > 0
 *       12    4 height in pixels, > 0
 *       16    2 horizontal density in dots per inch (0: unknown, taken as 72)
 *       18    2 vertical density in dots per inch (0: unknown, taken as 72)
 *       20    2 colour depth in bits per pixel: 1, 4, 8, 16, 24 or 32
 *       22   42 the plug-in's own; the host provides the room and ignores it
 */
typedef struct TSpiPictureInfo {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    uint16_t x_density;
    uint16_t y_density;
    int16_t colour_depth;
    uint8_t plugin_data[42];
} TSpiPictureInfo;

/*
 * One block of memory that GetPicture hands out: its address and its size in
 * bytes. The size is what the plug-in allocated; the host reads no byte at or
 * past it.
 */
typedef struct TSpiBuffer {
    void* data;
    uint64_t size;
} TSpiBuffer;

/*
 * The information block begins with this 40-byte bitmap information header,
 * little-endian, followed at offset 40 by the colour table: 4-byte entries of
 * blue, green, red, 0. Pictures of 1, 4 and 8 bits per pixel have one entry
 * per colour ("colours_used", or 2 to the bit count when that is 0); deeper
 * pictures have none.
 *
 *   offset size field
 *        0    4 header size: 40
 *        4    4 width in pixels, > 0
 *        8    4 height in pixels; > 0 rows bottom-up (the rule), < 0 top-down
 *       12    2 planes: 1
 *       14    2 bits per pixel: 1, 4, 8, 16 (5-5-5), 24 (blue, green, red)
 *                or 32 (blue, green, red, unused)
 *       16    4 compression: 0, uncompressed
 *       20    4 image size in bytes (not read)
 *       24    4 horizontal pixels per metre
 *       28    4 vertical pixels per metre
 *       32    4 colours used (0: all that the bit count allows)
 *       36    4 important colours (not read)
 *
 * The pixel block holds the rows the header describes, each row padded to a
 * multiple of 4 bytes (stride = (width × bits per pixel + 31) / 32 × 4), at
 * least stride × |height| bytes. Bits of 1- and 4-bit pixels fill each byte
 * from its high end.
 */
typedef struct TSpiBitmapInfoHeader {
    uint32_t header_size;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bit_count;
    uint32_t compression;
    uint32_t image_size;
    int32_t x_pixels_per_metre;
    int32_t y_pixels_per_metre;
    uint32_t colours_used;
    uint32_t colours_important;
} TSpiBitmapInfoHeader;

typedef struct TSpiPaletteEntry {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t reserved;
} TSpiPaletteEntry;

#define SPI_BITMAP_HEADER_SIZE 40u
#define SPI_COMPRESSION_NONE 0u

/* Progress of a long decode; a non-zero result asks the plug-in to stop.
 * The host passes no callback (a null pointer). */
typedef int (*TSpiProgress)(int done, int total, intptr_t callback_data);

/*
 * IsSupported(file name, descriptor): the image file's name (bytes of the
 * file system, no particular encoding) and a descriptor open for reading on
 * it, positioned at 0. The plug-in may read from it (usually the first bytes,
 * for a magic number) but must not close it. Non-zero: this plug-in decodes
 * the file.
 */
typedef int (*TSpiIsSupported)(const char* file_name, int file_descriptor);

/* GetPictureInfo(file name, offset, flag, record) → SPI_OK or a failure. */
typedef int (*TSpiGetPictureInfo)(const char* file_name, int64_t offset, uint32_t flag, TSpiPictureInfo* info);

/*
 * GetPicture(file name, offset, flag, information block, pixel block,
 * progress, callback data) → SPI_OK or a failure. On SPI_OK both blocks hold
 * memory the host will free (see above); on a failure the plug-in has freed
 * whatever it allocated and the host frees nothing.
 */
typedef int (*TSpiGetPicture)(const char* file_name, int64_t offset, uint32_t flag, TSpiBuffer* info_block,
    TSpiBuffer* pixel_block, TSpiProgress progress, intptr_t callback_data);

/* FreePictureBuffer(data): frees one block that GetPicture handed out. */
typedef void (*TSpiFreePictureBuffer)(void* data);

#define SPI_IS_SUPPORTED_NAME "IsSupported"
#define SPI_GET_PICTURE_INFO_NAME "GetPictureInfo"
#define SPI_GET_PICTURE_NAME "GetPicture"
#define SPI_FREE_PICTURE_BUFFER_NAME "FreePictureBuffer"

/* How a plug-in marks its entry points (it builds with hidden visibility). */
#ifdef __cplusplus
#define SPI_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define SPI_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
} /* extern "C" */

static_assert(sizeof(void*) == 8, "the layouts are those of a 64-bit build");
static_assert(offsetof(TSpiPictureInfo, width) == 8);
static_assert(offsetof(TSpiPictureInfo, height) == 12);
static_assert(offsetof(TSpiPictureInfo, x_density) == 16);
static_assert(offsetof(TSpiPictureInfo, y_density) == 18);
static_assert(offsetof(TSpiPictureInfo, colour_depth) == 20);
static_assert(offsetof(TSpiPictureInfo, plugin_data) == 22);
static_assert(sizeof(TSpiPictureInfo) == 64);
static_assert(sizeof(TSpiBuffer) == 16);
static_assert(offsetof(TSpiBitmapInfoHeader, height) == 8);
static_assert(offsetof(TSpiBitmapInfoHeader, bit_count) == 14);
static_assert(offsetof(TSpiBitmapInfoHeader, colours_used) == 32);
static_assert(sizeof(TSpiBitmapInfoHeader) == SPI_BITMAP_HEADER_SIZE);
static_assert(sizeof(TSpiPaletteEntry) == 4);
#endif

#endif /* ZUVIEW_PLATFORM_IMAGE_PLUGIN_ABI_H */
