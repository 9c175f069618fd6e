// WMF: header parsing and record playing.
//
// A record is { u32 size in words, u16 function, parameters }. Each record's
// parameters are read from a span that ends where the record ends, so a
// count that claims more than the record holds fails its read instead of
// reaching into the next record. A size below the 3-word head, or one that
// runs past the data, ends the walk.

#include "platform/MetafileDib.h"
#include "platform/MetafileFormats.h"
#include "platform/MetafileRecords.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace metafile {

namespace {

constexpr std::uint32_t SourceCopy = 0x00CC0020;

// Calls visit(function, parameters) for each whole record from `begin` until
// EOF; returns the offset just past the last record visited (EOF included)
// and whether the walk ended at EOF.
template<typename Visit>
std::pair<std::size_t, bool> WalkRecords(std::span<const std::uint8_t> bytes, std::size_t begin, Visit&& visit)
{
    std::size_t at = begin;
    for (;;) {
        WmfRecordHead head;
        if (!ReadLayout(bytes, at, head))
            return { at, false };
        const std::uint64_t size = std::uint64_t { head.size_words } * 2;
        if (size < WmfRecordHeadSize || size > bytes.size() - at)
            return { at, false };
        const auto record = bytes.subspan(at, static_cast<std::size_t>(size));
        at += static_cast<std::size_t>(size);
        if (head.function == WmfEof)
            return { at, true };
        visit(head.function, record.subspan(WmfRecordHeadSize));
    }
}

// Text bytes of a record: `length` bytes at `offset`, none when they do not
// fit.
std::optional<std::string_view> TextAt(std::span<const std::uint8_t> params, std::size_t offset, int length)
{
    if (length < 0 || offset > params.size() || static_cast<std::size_t>(length) > params.size() - offset)
        return std::nullopt;
    return std::string_view(reinterpret_cast<const char*>(params.data() + offset), static_cast<std::size_t>(length));
}

constexpr std::size_t PaddedToWord(std::size_t length)
{
    return (length + 1) & ~std::size_t { 1 };
}

// Points of Polygon and Polyline: i16 count, then the points.
std::vector<TPointI> ReadPoints(std::span<const std::uint8_t> params, std::size_t offset, std::size_t count)
{
    std::vector<TPointI> points;
    if (count > (params.size() - std::min(offset, params.size())) / SizeOf<WmfPoint>())
        return points;
    points.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        WmfPoint point;
        (void)ReadLayout(params, offset + i * SizeOf<WmfPoint>(), point);
        points.push_back({ point.x, point.y });
    }
    return points;
}

TGraphicObject ReadFont(std::span<const std::uint8_t> params)
{
    WmfLogFont logical;
    (void)ReadLayout(params, 0, logical);
    const auto face_bytes = params.subspan(std::min(SizeOf<WmfLogFont>(), params.size()));
    const auto face_end = std::find(face_bytes.begin(), face_bytes.begin() + static_cast<std::ptrdiff_t>(std::min(face_bytes.size(), WmfFaceNameBytes)), 0);
    TLogicalFont font;
    font.height = logical.height;
    font.width = logical.width;
    font.escapement = logical.escapement;
    font.weight = logical.weight == 0 ? 400 : logical.weight;
    font.italic = logical.italic != 0;
    font.underline = logical.underline != 0;
    font.strike_out = logical.strike_out != 0;
    // The face is code-page text already: the canvas takes its bytes.
    font.face.assign(face_bytes.begin(), face_end);
    return font;
}

void PlayTextOut(std::span<const std::uint8_t> params, TMetafilePlayer& player)
{
    WmfCount length;
    if (!ReadLayout(params, 0, length))
        return;
    const std::optional<std::string_view> text = TextAt(params, 2, length.count);
    WmfYX start;
    if (text && ReadLayout(params, 2 + PaddedToWord(length.count), start))
        player.TextOut(start.x, start.y, *text, std::nullopt);
}

void PlayExtTextOut(std::span<const std::uint8_t> params, TMetafilePlayer& player)
{
    WmfExtTextOutHead head;
    if (!ReadLayout(params, 0, head))
        return;
    std::size_t at = SizeOf<WmfExtTextOutHead>();
    std::optional<TRectI> opaque_box;
    if ((head.options & (TextOpaque | TextClipped)) != 0) {
        WmfRect box;
        if (!ReadLayout(params, at, box))
            return;
        at += SizeOf<WmfRect>();
        // The canvas cannot clip; only the opaque box is drawn.
        if ((head.options & TextOpaque) != 0)
            opaque_box = TRectI { box.left, box.top, box.right, box.bottom };
    }
    if (const std::optional<std::string_view> text = TextAt(params, at, head.length))
        player.TextOut(head.x, head.y, *text, opaque_box);
}

void PlayPolyPolygon(std::span<const std::uint8_t> params, TMetafilePlayer& player)
{
    WmfCount polygons;
    if (!ReadLayout(params, 0, polygons) || polygons.count > (params.size() - 2) / 2)
        return;
    std::vector<std::uint32_t> counts(polygons.count);
    std::size_t total = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        WmfCount count;
        if (!ReadLayout(params, 2 + 2 * i, count))
            return;
        counts[i] = count.count;
        total += count.count;
    }
    const std::size_t points_at = 2 + 2 * counts.size();
    const std::vector<TPointI> points = ReadPoints(params, points_at, total);
    if (points.size() == total && total > 0)
        player.PolyPolygon(points, counts);
}

// StretchDIB and DIBStretchBlt: only plain copies are drawn. The mask
// operations that other raster operations make up need the destination's
// pixels, which a canvas of commands does not have.
template<typename Layout>
void PlayStretch(std::span<const std::uint8_t> params, TMetafilePlayer& player)
{
    Layout stretch;
    if (!ReadLayout(params, 0, stretch) || stretch.raster_operation != SourceCopy)
        return;
    const std::optional<TBitmap> bitmap = ReadPackedDib(params.subspan(SizeOf<Layout>()));
    if (!bitmap)
        return;
    const std::optional<TBitmap> part
        = SourcePart(*bitmap, stretch.source_x, stretch.source_y, stretch.source_width, stretch.source_height);
    if (part)
        player.StretchBitmap(stretch.dest_x, stretch.dest_y, stretch.dest_width, stretch.dest_height, *part);
}

template<typename Layout>
std::optional<Layout> Read(std::span<const std::uint8_t> params)
{
    Layout layout;
    if (!ReadLayout(params, 0, layout))
        return std::nullopt;
    return layout;
}

void PlayRecord(std::uint16_t function, std::span<const std::uint8_t> params, TMetafilePlayer& player)
{
    if (WmfCreatesObject(function) && function != WmfCreatePenIndirect && function != WmfCreateBrushIndirect
        && function != WmfCreateFontIndirect) {
        player.CreateInFreeSlot(TOtherObject {});
        return;
    }
    switch (function) {
    case WmfSaveDc:
        player.Save();
        break;
    case WmfRestoreDc:
        if (const auto level = Read<WmfWord>(params))
            player.Restore(static_cast<std::int16_t>(level->value));
        break;
    case WmfSetMapMode:
        if (const auto mode = Read<WmfWord>(params))
            player.SetMapMode(mode->value);
        break;
    case WmfSetBkMode:
        // The canvas fills behind nothing but opaque text boxes.
        break;
    case WmfSetTextColor:
        if (const auto color = Read<WmfColor>(params))
            player.SetTextColor(color->color);
        break;
    case WmfSetBkColor:
        if (const auto color = Read<WmfColor>(params))
            player.SetBkColor(color->color);
        break;
    case WmfSetWindowOrg:
        if (const auto at = Read<WmfYX>(params))
            player.SetWindowOrg(at->x, at->y);
        break;
    case WmfSetWindowExt:
        if (const auto extent = Read<WmfYX>(params))
            player.SetWindowExt(extent->x, extent->y);
        break;
    case WmfSetViewportOrg:
        if (const auto at = Read<WmfYX>(params))
            player.SetViewportOrg(at->x, at->y);
        break;
    case WmfSetViewportExt:
        if (const auto extent = Read<WmfYX>(params))
            player.SetViewportExt(extent->x, extent->y);
        break;
    case WmfCreatePenIndirect:
        if (const auto pen = Read<WmfLogPen>(params))
            player.CreateInFreeSlot(TLogicalPen { PenStyleOf(pen->style), static_cast<double>(pen->width), false,
                static_cast<TColor>(pen->color & 0xFFFFFF) });
        else
            player.CreateInFreeSlot(TOtherObject {});
        break;
    case WmfCreateBrushIndirect:
        if (const auto brush = Read<WmfLogBrush>(params))
            player.CreateInFreeSlot(BrushOf(brush->style, brush->color));
        else
            player.CreateInFreeSlot(TOtherObject {});
        break;
    case WmfCreateFontIndirect:
        player.CreateInFreeSlot(params.size() >= SizeOf<WmfLogFont>() ? ReadFont(params) : TOtherObject {});
        break;
    case WmfSelectObject:
        if (const auto index = Read<WmfWord>(params))
            player.Select(index->value);
        break;
    case WmfDeleteObject:
        if (const auto index = Read<WmfWord>(params))
            player.Delete(index->value);
        break;
    case WmfMoveTo:
        if (const auto at = Read<WmfYX>(params))
            player.MoveTo(at->x, at->y);
        break;
    case WmfLineTo:
        if (const auto at = Read<WmfYX>(params))
            player.LineTo(at->x, at->y);
        break;
    case WmfPolyline:
    case WmfPolygon:
        if (const auto count = Read<WmfCount>(params)) {
            const auto wanted = static_cast<std::size_t>(std::max<std::int16_t>(0, static_cast<std::int16_t>(count->count)));
            const std::vector<TPointI> points = ReadPoints(params, 2, wanted);
            if (points.size() == wanted && wanted > 0) {
                if (function == WmfPolyline)
                    player.Polyline(points);
                else
                    player.Polygon(points);
            }
        }
        break;
    case WmfPolyPolygon:
        PlayPolyPolygon(params, player);
        break;
    case WmfRectangle:
        if (const auto box = Read<WmfBox>(params))
            player.Rectangle(box->left, box->top, box->right, box->bottom);
        break;
    case WmfEllipse:
        if (const auto box = Read<WmfBox>(params))
            player.Ellipse(box->left, box->top, box->right, box->bottom);
        break;
    case WmfTextOut:
        PlayTextOut(params, player);
        break;
    case WmfExtTextOut:
        PlayExtTextOut(params, player);
        break;
    case WmfStretchDib:
        PlayStretch<WmfStretchDibParams>(params, player);
        break;
    case WmfDibStretchBlt:
        PlayStretch<WmfDibStretchBltParams>(params, player);
        break;
    default:
        break;
    }
}

bool HeaderIsSound(const WmfHeader& header)
{
    return (header.type == WmfMemory || header.type == WmfDisk) && header.header_words == 9
        && (header.version == WmfVersion1 || header.version == WmfVersion3);
}

// A file without a placeable header tells its size only through the window
// its records set; the first origin and extent found stand for the frame.
TFrame FrameFromWindow(std::span<const std::uint8_t> bytes, std::size_t begin)
{
    std::optional<WmfYX> origin;
    std::optional<WmfYX> extent;
    WalkRecords(bytes, begin, [&](std::uint16_t function, std::span<const std::uint8_t> params) {
        if (function == WmfSetWindowOrg && !origin)
            origin = Read<WmfYX>(params);
        else if (function == WmfSetWindowExt && !extent)
            extent = Read<WmfYX>(params);
    });
    if (!extent)
        return {};
    const WmfYX at = origin.value_or(WmfYX {});
    return { static_cast<double>(at.x), static_cast<double>(at.y), static_cast<double>(extent->x),
        static_cast<double>(extent->y) };
}

// Without a placeable header the units per inch are unknown; a screen's
// 96 stands in.
constexpr double DefaultUnitsPerInch = 96;

TRectI FrameInHundredthsOfMm(const TFrame& frame, double units_per_inch)
{
    const TRectI page = FrameRect(frame);
    const auto scale = [units_per_inch](int value) {
        return static_cast<int>(std::clamp(value * 2540.0 / units_per_inch, -2e9, 2e9));
    };
    return { scale(page.left), scale(page.top), scale(page.right), scale(page.bottom) };
}

} // namespace

bool IsWmf(std::span<const std::uint8_t> bytes)
{
    WmfPlaceableHeader placeable;
    if (ReadLayout(bytes, 0, placeable) && placeable.key == WmfPlaceableKey)
        return true;
    WmfHeader header;
    (void)ReadLayout(bytes, 0, header);
    return bytes.size() >= 4 && (header.type == WmfMemory || header.type == WmfDisk) && header.header_words == 9;
}

TParsedPicture ParseWmf(std::span<const std::uint8_t> bytes)
{
    TParsedPicture parsed;
    WmfPlaceableHeader placeable;
    const bool has_placeable = ReadLayout(bytes, 0, placeable) && placeable.key == WmfPlaceableKey;
    const std::size_t header_at = has_placeable ? SizeOf<WmfPlaceableHeader>() : 0;
    WmfHeader header;
    if (!ReadLayout(bytes, header_at, header)) {
        parsed.status = TLoadStatus::RanShort;
        return parsed;
    }
    if (!HeaderIsSound(header)) {
        parsed.status = TLoadStatus::WrongMagic;
        return parsed;
    }
    parsed.records_begin = header_at + SizeOf<WmfHeader>();
    const auto [end, found_eof] = WalkRecords(bytes, parsed.records_begin, [](auto, auto) {});
    parsed.records_end = end;
    parsed.status = found_eof ? TLoadStatus::Loaded : TLoadStatus::RanShort;

    TPictureSetup& setup = parsed.setup;
    setup.object_slots = header.object_count;
    double units_per_inch = DefaultUnitsPerInch;
    TFrame frame;
    if (has_placeable) {
        // The checksum is not checked: writers that get it wrong are common
        // and the bounding box is still right.
        if (placeable.units_per_inch != 0)
            units_per_inch = placeable.units_per_inch;
        frame = { static_cast<double>(placeable.left), static_cast<double>(placeable.top),
            static_cast<double>(placeable.right - placeable.left), static_cast<double>(placeable.bottom - placeable.top) };
    }
    if (frame.width == 0 || frame.height == 0)
        frame = FrameFromWindow(bytes.first(parsed.records_end), parsed.records_begin);
    setup.frame = frame;
    setup.page_units_per_mm_x = units_per_inch / 25.4;
    setup.page_units_per_mm_y = units_per_inch / 25.4;
    // Played as into a rectangle: the window (the frame until the records
    // set their own) lands on the frame, which lands on the destination.
    setup.map_mode = MapAnisotropic;
    if (frame.width != 0 && frame.height != 0) {
        setup.window = frame;
        setup.viewport = frame;
        parsed.frame_mm100 = FrameInHundredthsOfMm(frame, units_per_inch);
    }
    return parsed;
}

void PlayWmf(std::span<const std::uint8_t> records, TMetafilePlayer& player)
{
    WalkRecords(records, 0, [&player](std::uint16_t function, std::span<const std::uint8_t> params) {
        PlayRecord(function, params, player);
    });
}

} // namespace metafile
