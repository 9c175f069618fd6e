#pragma once

// The record layouts of the two metafile formats, in one place for the
// player and for the image-output writer.
//
// Both formats are sequences of little-endian records:
// - WMF: an optional 22-byte placeable header (key 0x9AC6CDD7, bounding box
//   in logical units, units per inch), an 18-byte header, then records of
//   { size in 16-bit words (u32), function (u16), parameters }. Parameters
//   are 16-bit and come in reverse order of the drawing call's arguments
//   (LineTo stores y before x).
// - EMF: records of { type (u32), size in bytes (u32), parameters }; the
//   first is the header, the last is EOF. Parameters are 32-bit, except the
//   "16" point lists and a few byte fields.
//
// Each fixed layout is a struct whose Fields member names its fields in file
// order. One Fields serves every direction: TFieldReader reads a layout from
// bytes (bounds-checked), TFieldWriter writes it to a stream, TFieldSizer
// counts its bytes. Variable parts (point lists, strings, bitmaps) follow a
// fixed part; the player checks their counts against the record's size.

#include "platform/LittleEndian.h"

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace metafile {

// ---------------------------------------------------------------------------
// Field transfer in three directions.

class TFieldSizer;

// A struct with a Fields member: a fixed record layout.
template<typename T>
concept Layout = requires(T& layout, TFieldSizer& sizer) { layout.Fields(sizer); };

template<typename T>
concept Scalar = std::is_arithmetic_v<T>;

// Counts the bytes of a layout; constexpr so sizes are compile-time facts.
class TFieldSizer {
public:
    template<typename... T>
    constexpr void operator()(const T&... fields)
    {
        (Add(fields), ...);
    }
    constexpr std::size_t Size() const { return size_; }

private:
    template<Scalar T>
    constexpr void Add(const T&) { size_ += sizeof(T); }
    template<typename T, std::size_t N>
    constexpr void Add(const std::array<T, N>&) { size_ += sizeof(T) * N; }
    // Fields only names the members; sizing and writing change none of them.
    template<Layout T>
    constexpr void Add(const T& layout) { const_cast<T&>(layout).Fields(*this); }

    std::size_t size_ = 0;
};

template<Layout T>
constexpr std::size_t SizeOf()
{
    TFieldSizer sizer;
    T layout {};
    layout.Fields(sizer);
    return sizer.Size();
}

// Reads fields from a byte span at an offset. A field that does not fit is
// read as zero and the reader fails; it never reads past the span.
class TFieldReader {
public:
    TFieldReader(std::span<const std::uint8_t> bytes, std::size_t offset) : bytes_(bytes), offset_(offset) {}

    template<typename... T>
    void operator()(T&... fields)
    {
        (Take(fields), ...);
    }
    bool Ok() const { return ok_; }
    std::size_t Offset() const { return offset_; }

private:
    template<Scalar T>
    void Take(T& field)
    {
        field = T {};
        if (offset_ > bytes_.size() || bytes_.size() - offset_ < sizeof(T)) {
            ok_ = false;
            offset_ = bytes_.size();
            return;
        }
        std::memcpy(&field, bytes_.data() + offset_, sizeof(T));
        offset_ += sizeof(T);
    }
    template<typename T, std::size_t N>
    void Take(std::array<T, N>& fields)
    {
        for (T& field : fields)
            Take(field);
    }
    template<Layout T>
    void Take(T& layout) { layout.Fields(*this); }

    std::span<const std::uint8_t> bytes_;
    std::size_t offset_;
    bool ok_ = true;
};

// Writes fields to a stream, little-endian.
class TFieldWriter {
public:
    explicit TFieldWriter(TStream& stream) : stream_(stream) {}

    template<typename... T>
    void operator()(const T&... fields)
    {
        (Put(fields), ...);
    }

private:
    template<Scalar T>
    void Put(const T& field) { WriteLE(stream_, field); }
    template<typename T, std::size_t N>
    void Put(const std::array<T, N>& fields)
    {
        for (const T& field : fields)
            Put(field);
    }
    template<Layout T>
    void Put(const T& layout) { const_cast<T&>(layout).Fields(*this); }

    TStream& stream_;
};

// The layout at `offset`, or false when it is not wholly inside the bytes.
template<Layout T>
bool ReadLayout(std::span<const std::uint8_t> bytes, std::size_t offset, T& layout)
{
    TFieldReader reader(bytes, offset);
    layout.Fields(reader);
    return reader.Ok();
}

template<Layout T>
void WriteLayout(TStream& stream, const T& layout)
{
    TFieldWriter writer(stream);
    writer(layout);
}

// ---------------------------------------------------------------------------
// Values shared by both formats.

// COLORREF: 0x00BBGGRR, the same packing as TColor.
using ColorRef = std::uint32_t;

enum MapMode : std::uint32_t {
    MapText = 1,        // one logical unit per device pixel, y down
    MapLoMetric = 2,    // 0.1 mm, y up
    MapHiMetric = 3,    // 0.01 mm, y up
    MapLoEnglish = 4,   // 0.01 inch, y up
    MapHiEnglish = 5,   // 0.001 inch, y up
    MapTwips = 6,       // 1/1440 inch, y up
    MapIsotropic = 7,   // window to viewport, same scale on both axes
    MapAnisotropic = 8, // window to viewport, each axis on its own
};

// The low four bits of a pen style.
enum PenStyle : std::uint32_t {
    PenSolid = 0,
    PenDash = 1,
    PenDot = 2,
    PenDashDot = 3,
    PenDashDotDot = 4,
    PenNull = 5,
    PenInsideFrame = 6,
    PenUserStyle = 7,
    PenAlternate = 8,
};
inline constexpr std::uint32_t PenStyleMask = 0x0000000F;
// EXTCREATEPEN: a geometric pen has a width in logical units; a cosmetic
// pen is one pixel wide whatever the mapping.
inline constexpr std::uint32_t PenGeometric = 0x00010000;

enum BrushStyle : std::uint32_t {
    BrushSolid = 0,
    BrushNull = 1,
    BrushHatched = 2,
    BrushPattern = 3,
    BrushDibPattern = 5,
    BrushDibPatternPt = 6,
};

enum BackgroundMode : std::uint32_t { BackgroundTransparent = 1, BackgroundOpaque = 2 };

// ExtTextOut options.
inline constexpr std::uint32_t TextOpaque = 0x0002;
inline constexpr std::uint32_t TextClipped = 0x0004;
// EMF only: the record has no clipping/opaquing rectangle.
inline constexpr std::uint32_t TextNoRect = 0x0100;

// ---------------------------------------------------------------------------
// WMF

inline constexpr std::uint32_t WmfPlaceableKey = 0x9AC6CDD7;

// Placeable header, before the WMF header:
//   u32 key, u16 handle (0), i16 left, top, right, bottom (logical units),
//   u16 units per inch, u32 reserved (0), u16 checksum (XOR of the ten
//   16-bit words before it).
struct WmfPlaceableHeader {
    std::uint32_t key = WmfPlaceableKey;
    std::uint16_t handle = 0;
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
    std::uint16_t units_per_inch = 0;
    std::uint32_t reserved = 0;
    std::uint16_t checksum = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(key, handle, left, top, right, bottom, units_per_inch, reserved, checksum); }
};
static_assert(SizeOf<WmfPlaceableHeader>() == 22);

// The checksum field's value for a header's other fields.
constexpr std::uint16_t PlaceableChecksum(const WmfPlaceableHeader& header)
{
    const auto u16 = [](auto value) { return static_cast<std::uint16_t>(value); };
    return u16(u16(header.key) ^ u16(header.key >> 16) ^ header.handle ^ u16(header.left) ^ u16(header.top)
        ^ u16(header.right) ^ u16(header.bottom) ^ header.units_per_inch ^ u16(header.reserved)
        ^ u16(header.reserved >> 16));
}

enum WmfType : std::uint16_t { WmfMemory = 1, WmfDisk = 2 };
inline constexpr std::uint16_t WmfVersion1 = 0x0100;
inline constexpr std::uint16_t WmfVersion3 = 0x0300;

// Header: u16 type (1 memory, 2 disk), u16 header size in words (9),
// u16 version (0x0100, 0x0300), u32 file size in words, u16 number of
// object-table slots, u32 largest record in words, u16 members (0).
struct WmfHeader {
    std::uint16_t type = WmfDisk;
    std::uint16_t header_words = 9;
    std::uint16_t version = WmfVersion3;
    std::uint32_t file_words = 0;
    std::uint16_t object_count = 0;
    std::uint32_t largest_record_words = 0;
    std::uint16_t members = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(type, header_words, version, file_words, object_count, largest_record_words, members); }
};
static_assert(SizeOf<WmfHeader>() == 18);

// Every record: u32 size in 16-bit words (the 6 bytes of this head
// included), u16 function.
struct WmfRecordHead {
    std::uint32_t size_words = 0;
    std::uint16_t function = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(size_words, function); }
};
inline constexpr std::size_t WmfRecordHeadSize = SizeOf<WmfRecordHead>();
static_assert(WmfRecordHeadSize == 6);

enum WmfFunction : std::uint16_t {
    WmfEof = 0x0000,
    WmfSaveDc = 0x001E,
    WmfCreatePalette = 0x00F7,
    WmfSetBkMode = 0x0102,
    WmfSetMapMode = 0x0103,
    WmfRestoreDc = 0x0127,
    WmfSelectObject = 0x012D,
    WmfSetTextAlign = 0x012E,
    WmfDibCreatePatternBrush = 0x0142,
    WmfDeleteObject = 0x01F0,
    WmfCreatePatternBrush = 0x01F9,
    WmfSetBkColor = 0x0201,
    WmfSetTextColor = 0x0209,
    WmfSetWindowOrg = 0x020B,
    WmfSetWindowExt = 0x020C,
    WmfSetViewportOrg = 0x020D,
    WmfSetViewportExt = 0x020E,
    WmfLineTo = 0x0213,
    WmfMoveTo = 0x0214,
    WmfCreatePenIndirect = 0x02FA,
    WmfCreateFontIndirect = 0x02FB,
    WmfCreateBrushIndirect = 0x02FC,
    WmfPolygon = 0x0324,
    WmfPolyline = 0x0325,
    WmfEllipse = 0x0418,
    WmfRectangle = 0x041B,
    WmfTextOut = 0x0521,
    WmfPolyPolygon = 0x0538,
    WmfCreateRegion = 0x06FF,
    WmfExtTextOut = 0x0A32,
    WmfDibStretchBlt = 0x0B41,
    WmfStretchDib = 0x0F43,
};

// The functions that take an object-table slot. The player must fill a slot
// for those it does not draw with, so later indexes stay right.
constexpr bool WmfCreatesObject(std::uint16_t function)
{
    switch (function) {
    case WmfCreatePalette:
    case WmfDibCreatePatternBrush:
    case WmfCreatePatternBrush:
    case WmfCreatePenIndirect:
    case WmfCreateFontIndirect:
    case WmfCreateBrushIndirect:
    case WmfCreateRegion:
        return true;
    default:
        return false;
    }
}

// One 16-bit parameter: SetMapMode, SetBkMode, SelectObject, DeleteObject,
// RestoreDC (signed: a negative value counts back from the newest save).
struct WmfWord {
    std::uint16_t value = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(value); }
};

// SetTextColor, SetBkColor.
struct WmfColor {
    ColorRef color = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(color); }
};

// MoveTo, LineTo, SetWindowOrg/Ext, SetViewportOrg/Ext: y (or height)
// before x (or width).
struct WmfYX {
    std::int16_t y = 0;
    std::int16_t x = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(y, x); }
};

struct WmfPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(x, y); }
};

// Rectangle, Ellipse: the box's corners in reverse order.
struct WmfBox {
    std::int16_t bottom = 0;
    std::int16_t right = 0;
    std::int16_t top = 0;
    std::int16_t left = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(bottom, right, top, left); }
};

// Polygon, Polyline: i16 count, then count points. PolyPolygon:
// u16 polygon count, that many u16 point counts, then all the points.
struct WmfCount {
    std::uint16_t count = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(count); }
};

// CreatePenIndirect: u16 style, width as a point (x used), colour.
struct WmfLogPen {
    std::uint16_t style = PenSolid;
    std::int16_t width = 0;
    std::int16_t width_y = 0;
    ColorRef color = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(style, width, width_y, color); }
};
static_assert(SizeOf<WmfLogPen>() == 10);

// CreateBrushIndirect: u16 style, colour, u16 hatch.
struct WmfLogBrush {
    std::uint16_t style = BrushSolid;
    ColorRef color = 0;
    std::uint16_t hatch = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(style, color, hatch); }
};
static_assert(SizeOf<WmfLogBrush>() == 8);

// CreateFontIndirect: the fixed part; up to 32 bytes of the face name
// (code-page text, NUL-terminated when shorter) follow within the record.
struct WmfLogFont {
    std::int16_t height = 0;
    std::int16_t width = 0;
    std::int16_t escapement = 0;
    std::int16_t orientation = 0;
    std::int16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strike_out = 0;
    std::uint8_t charset = 0;
    std::uint8_t out_precision = 0;
    std::uint8_t clip_precision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitch_and_family = 0;
    template<typename Io>
    constexpr void Fields(Io& io)
    {
        io(height, width, escapement, orientation, weight, italic, underline, strike_out, charset, out_precision,
            clip_precision, quality, pitch_and_family);
    }
};
static_assert(SizeOf<WmfLogFont>() == 18);
inline constexpr std::size_t WmfFaceNameBytes = 32;

// TextOut: u16 byte count, the bytes padded to an even count, then the
// start point as y, x (WmfYX).

// ExtTextOut: start point, byte count, options; a rectangle (WmfRect) when
// the options have TextOpaque or TextClipped; the bytes padded to an even
// count; optionally a 16-bit advance per byte.
struct WmfExtTextOutHead {
    std::int16_t y = 0;
    std::int16_t x = 0;
    std::int16_t length = 0;
    std::uint16_t options = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(y, x, length, options); }
};

struct WmfRect {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(left, top, right, bottom); }
};

// StretchDIB: raster operation, colour usage, source and destination
// rectangles (heights before widths, y before x), then the DIB (a
// BITMAPINFO and its bits) to the record's end.
struct WmfStretchDibParams {
    std::uint32_t raster_operation = 0;
    std::uint16_t color_usage = 0;
    std::int16_t source_height = 0;
    std::int16_t source_width = 0;
    std::int16_t source_y = 0;
    std::int16_t source_x = 0;
    std::int16_t dest_height = 0;
    std::int16_t dest_width = 0;
    std::int16_t dest_y = 0;
    std::int16_t dest_x = 0;
    template<typename Io>
    constexpr void Fields(Io& io)
    {
        io(raster_operation, color_usage, source_height, source_width, source_y, source_x, dest_height, dest_width,
            dest_y, dest_x);
    }
};
static_assert(SizeOf<WmfStretchDibParams>() == 22);

// DIBStretchBlt with a bitmap: as StretchDIB without the colour usage.
struct WmfDibStretchBltParams {
    std::uint32_t raster_operation = 0;
    std::int16_t source_height = 0;
    std::int16_t source_width = 0;
    std::int16_t source_y = 0;
    std::int16_t source_x = 0;
    std::int16_t dest_height = 0;
    std::int16_t dest_width = 0;
    std::int16_t dest_y = 0;
    std::int16_t dest_x = 0;
    template<typename Io>
    constexpr void Fields(Io& io)
    {
        io(raster_operation, source_height, source_width, source_y, source_x, dest_height, dest_width, dest_y,
            dest_x);
    }
};
static_assert(SizeOf<WmfDibStretchBltParams>() == 20);

// ---------------------------------------------------------------------------
// EMF

inline constexpr std::uint32_t EmfSignature = 0x464D4520; // " EMF"

// Every record: u32 type, u32 size in bytes (this head included, a
// multiple of 4).
struct EmfRecordHead {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(type, size); }
};
inline constexpr std::size_t EmfRecordHeadSize = SizeOf<EmfRecordHead>();
static_assert(EmfRecordHeadSize == 8);

enum EmfType : std::uint32_t {
    EmfHeaderRecord = 1,
    EmfPolygonRecord = 3,
    EmfPolylineRecord = 4,
    EmfPolyPolygonRecord = 8,
    EmfSetWindowExtEx = 9,
    EmfSetWindowOrgEx = 10,
    EmfSetViewportExtEx = 11,
    EmfSetViewportOrgEx = 12,
    EmfEofRecord = 14,
    EmfSetMapMode = 17,
    EmfSetBkMode = 18,
    EmfSetTextColor = 24,
    EmfSetBkColor = 25,
    EmfMoveToEx = 27,
    EmfSaveDc = 33,
    EmfRestoreDc = 34,
    EmfSelectObject = 37,
    EmfCreatePen = 38,
    EmfCreateBrushIndirect = 39,
    EmfDeleteObject = 40,
    EmfEllipse = 42,
    EmfRectangle = 43,
    EmfLineTo = 54,
    EmfStretchDiBits = 81,
    EmfExtCreateFontIndirectW = 82,
    EmfExtTextOutA = 83,
    EmfExtTextOutW = 84,
    EmfPolygon16 = 86,
    EmfPolyline16 = 87,
    EmfPolyPolygon16 = 91,
    EmfExtCreatePen = 95,
};

// SelectObject indexes with this bit name a stock object.
inline constexpr std::uint32_t EmfStockObjectBit = 0x80000000;
enum EmfStockObject : std::uint32_t {
    StockWhiteBrush = 0,
    StockLightGrayBrush = 1,
    StockGrayBrush = 2,
    StockDarkGrayBrush = 3,
    StockBlackBrush = 4,
    StockNullBrush = 5,
    StockWhitePen = 6,
    StockBlackPen = 7,
    StockNullPen = 8,
    StockOemFixedFont = 10,
    StockDefaultGuiFont = 17,
    StockDcBrush = 18,
    StockDcPen = 19,
};

struct EmfPointL {
    std::int32_t x = 0;
    std::int32_t y = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(x, y); }
};

struct EmfPointS {
    std::int16_t x = 0;
    std::int16_t y = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(x, y); }
};

struct EmfSizeL {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(cx, cy); }
};

// Both corners inside (inclusive-inclusive) for bounds and frame; as the
// drawing call took them for Rectangle and Ellipse.
struct EmfRectL {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(left, top, right, bottom); }
};

// The header's parameters: bounds in device pixels, frame in 0.01 mm, the
// signature, version, file size in bytes, record count, object-table size,
// description, palette, and the reference device in pixels and in mm. Later
// versions append fields that this player does not need.
struct EmfHeader {
    EmfRectL bounds;
    EmfRectL frame;
    std::uint32_t signature = EmfSignature;
    std::uint32_t version = 0x00010000;
    std::uint32_t bytes = 0;
    std::uint32_t records = 0;
    std::uint16_t handles = 0;
    std::uint16_t reserved = 0;
    std::uint32_t description_chars = 0;
    std::uint32_t description_offset = 0;
    std::uint32_t palette_entries = 0;
    EmfSizeL device;
    EmfSizeL millimeters;
    template<typename Io>
    constexpr void Fields(Io& io)
    {
        io(bounds, frame, signature, version, bytes, records, handles, reserved, description_chars,
            description_offset, palette_entries, device, millimeters);
    }
};
static_assert(SizeOf<EmfHeader>() == 80);

// One 32-bit parameter: SetMapMode, SetBkMode, SetTextColor, SetBkColor,
// SelectObject, DeleteObject, RestoreDC (signed).
struct EmfDword {
    std::uint32_t value = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(value); }
};

// CreatePen: object index, style, width (x used), colour.
struct EmfCreatePenParams {
    std::uint32_t index = 0;
    std::uint32_t style = PenSolid;
    EmfPointL width;
    ColorRef color = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(index, style, width, color); }
};
static_assert(SizeOf<EmfCreatePenParams>() == 20);

// ExtCreatePen: object index, pattern bitmap offsets and sizes, style,
// width, brush style, colour, hatch, user style entries (that many u32
// follow).
struct EmfExtCreatePenParams {
    std::uint32_t index = 0;
    std::uint32_t bitmap_info_offset = 0;
    std::uint32_t bitmap_info_size = 0;
    std::uint32_t bits_offset = 0;
    std::uint32_t bits_size = 0;
    std::uint32_t style = PenSolid;
    std::uint32_t width = 0;
    std::uint32_t brush_style = BrushSolid;
    ColorRef color = 0;
    std::uint32_t hatch = 0;
    std::uint32_t style_entries = 0;
    template<typename Io>
    constexpr void Fields(Io& io)
    {
        io(index, bitmap_info_offset, bitmap_info_size, bits_offset, bits_size, style, width, brush_style, color,
            hatch, style_entries);
    }
};
static_assert(SizeOf<EmfExtCreatePenParams>() == 44);

struct EmfCreateBrushParams {
    std::uint32_t index = 0;
    std::uint32_t style = BrushSolid;
    ColorRef color = 0;
    std::uint32_t hatch = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(index, style, color, hatch); }
};
static_assert(SizeOf<EmfCreateBrushParams>() == 16);

// ExtCreateFontIndirectW: object index, then a LOGFONTW whose face name is
// 32 UTF-16 units, NUL-terminated when shorter. Longer forms append names
// and a design vector, which the player does not need.
struct EmfCreateFontParams {
    std::uint32_t index = 0;
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strike_out = 0;
    std::uint8_t charset = 0;
    std::uint8_t out_precision = 0;
    std::uint8_t clip_precision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitch_and_family = 0;
    std::array<std::uint16_t, 32> face {};
    template<typename Io>
    constexpr void Fields(Io& io)
    {
        io(index, height, width, escapement, orientation, weight, italic, underline, strike_out, charset,
            out_precision, clip_precision, quality, pitch_and_family, face);
    }
};
static_assert(SizeOf<EmfCreateFontParams>() == 96);

// Polyline, Polygon (and their "16" forms): bounds, point count; the points
// follow as EmfPointL (or EmfPointS).
struct EmfPolyHead {
    EmfRectL bounds;
    std::uint32_t count = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(bounds, count); }
};

// PolyPolygon (and "16"): bounds, polygon count, total point count; then a
// u32 point count per polygon, then all the points.
struct EmfPolyPolyHead {
    EmfRectL bounds;
    std::uint32_t polygons = 0;
    std::uint32_t points = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(bounds, polygons, points); }
};

// ExtTextOutW (and A): bounds, graphics mode, scales, then the text's
// reference point, character count, offset of the characters from the
// record's start, options, rectangle (absent with TextNoRect) and offset of
// the advances.
struct EmfExtTextOutParams {
    EmfRectL bounds;
    std::uint32_t graphics_mode = 1;
    float x_scale = 0;
    float y_scale = 0;
    EmfPointL reference;
    std::uint32_t chars = 0;
    std::uint32_t string_offset = 0;
    std::uint32_t options = 0;
    template<typename Io>
    constexpr void Fields(Io& io) { io(bounds, graphics_mode, x_scale, y_scale, reference, chars, string_offset, options); }
};
static_assert(SizeOf<EmfExtTextOutParams>() == 48);

// StretchDIBits: bounds, destination corner, source rectangle, offsets
// (from the record's start) and sizes of the BITMAPINFO and of the bits,
// colour usage, raster operation, destination size.
struct EmfStretchDiBitsParams {
    EmfRectL bounds;
    std::int32_t dest_x = 0;
    std::int32_t dest_y = 0;
    std::int32_t source_x = 0;
    std::int32_t source_y = 0;
    std::int32_t source_width = 0;
    std::int32_t source_height = 0;
    std::uint32_t bitmap_info_offset = 0;
    std::uint32_t bitmap_info_size = 0;
    std::uint32_t bits_offset = 0;
    std::uint32_t bits_size = 0;
    std::uint32_t usage = 0;
    std::uint32_t raster_operation = 0;
    std::int32_t dest_width = 0;
    std::int32_t dest_height = 0;
    template<typename Io>
    constexpr void Fields(Io& io)
    {
        io(bounds, dest_x, dest_y, source_x, source_y, source_width, source_height, bitmap_info_offset,
            bitmap_info_size, bits_offset, bits_size, usage, raster_operation, dest_width, dest_height);
    }
};
static_assert(SizeOf<EmfStretchDiBitsParams>() == 72);

} // namespace metafile
