// EMF: header parsing and record playing.
//
// A record is { u32 type, u32 size in bytes, parameters }; offsets inside a
// record (text, bitmaps) count from the record's start. Every record is read
// from a span that ends where it ends, and every count is checked against
// that span before anything is allocated for it. A size below the 8-byte
// head, or one that runs past the data, ends the walk.

#include "platform/MetafileDib.h"
#include "platform/MetafileFormats.h"
#include "platform/MetafileRecords.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace metafile {

namespace {

constexpr std::uint32_t SourceCopy = 0x00CC0020;

template<typename Visit>
std::pair<std::size_t, bool> WalkRecords(std::span<const std::uint8_t> bytes, std::size_t begin, Visit&& visit)
{
    std::size_t at = begin;
    for (;;) {
        EmfRecordHead head;
        if (!ReadLayout(bytes, at, head))
            return { at, false };
        if (head.size < EmfRecordHeadSize || head.size > bytes.size() - at)
            return { at, false };
        const auto record = bytes.subspan(at, head.size);
        at += head.size;
        if (head.type == EmfEofRecord)
            return { at, true };
        visit(head.type, record);
    }
}

template<typename Layout>
std::optional<Layout> Read(std::span<const std::uint8_t> record)
{
    Layout layout;
    if (!ReadLayout(record, EmfRecordHeadSize, layout))
        return std::nullopt;
    return layout;
}

// The bytes [offset, offset + size) of a record; none when they do not fit.
std::optional<std::span<const std::uint8_t>> Part(std::span<const std::uint8_t> record, std::uint64_t offset, std::uint64_t size)
{
    if (offset > record.size() || size > record.size() - offset)
        return std::nullopt;
    return record.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
}

void AppendUtf8(std::string& out, std::uint32_t code)
{
    const auto byte = [&out](std::uint32_t value) { out.push_back(static_cast<char>(value)); };
    if (code < 0x80) {
        byte(code);
    } else if (code < 0x800) {
        byte(0xC0 | (code >> 6));
        byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        byte(0xE0 | (code >> 12));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    } else {
        byte(0xF0 | (code >> 18));
        byte(0x80 | ((code >> 12) & 0x3F));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    }
}

// UTF-16 units to Shift-JIS through UTF-8, the converter's input; a lone
// surrogate becomes U+FFFD and then "?".
std::string Utf16ToSjis(std::span<const std::uint16_t> units)
{
    std::string utf8;
    for (std::size_t i = 0; i < units.size(); ++i) {
        std::uint32_t code = units[i];
        const bool high = code >= 0xD800 && code <= 0xDBFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (units[i + 1] - 0xDC00u);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        AppendUtf8(utf8, code);
    }
    return Utf8ToSjis(utf8);
}

std::vector<std::uint16_t> Utf16Units(std::span<const std::uint8_t> bytes)
{
    std::vector<std::uint16_t> units(bytes.size() / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<std::uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return units;
}

TGraphicObject FontOf(const EmfCreateFontParams& params)
{
    TLogicalFont font;
    font.height = params.height;
    font.width = params.width;
    font.escapement = params.escapement;
    font.weight = params.weight <= 0 || params.weight > 1000 ? 400 : params.weight;
    font.italic = params.italic != 0;
    font.underline = params.underline != 0;
    font.strike_out = params.strike_out != 0;
    const auto end = std::find(params.face.begin(), params.face.end(), 0);
    font.face = Utf16ToSjis(std::span(params.face.begin(), end));
    return font;
}

TLogicalPen PenOf(const EmfExtCreatePenParams& params)
{
    TLogicalPen pen;
    pen.style = params.brush_style == BrushNull ? TPenStyle::Clear : PenStyleOf(params.style);
    pen.width = params.width;
    pen.cosmetic = (params.style & PenGeometric) == 0;
    pen.color = static_cast<TColor>(params.color & 0xFFFFFF);
    return pen;
}

// Points of a record: `count` points of PointL (8 bytes) or PointS (4
// bytes) at `offset`; empty when they do not all fit.
template<typename Point>
std::vector<TPointI> ReadPoints(std::span<const std::uint8_t> record, std::size_t offset, std::uint64_t count)
{
    std::vector<TPointI> points;
    if (offset > record.size() || count > (record.size() - offset) / SizeOf<Point>())
        return points;
    points.reserve(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        Point point;
        (void)ReadLayout(record, offset + i * SizeOf<Point>(), point);
        points.push_back({ point.x, point.y });
    }
    return points;
}

template<typename Point>
void PlayPoly(std::uint32_t type, std::span<const std::uint8_t> record, TMetafilePlayer& player)
{
    const auto head = Read<EmfPolyHead>(record);
    if (!head)
        return;
    const std::vector<TPointI> points
        = ReadPoints<Point>(record, EmfRecordHeadSize + SizeOf<EmfPolyHead>(), head->count);
    if (points.empty() || points.size() != head->count)
        return;
    if (type == EmfPolylineRecord || type == EmfPolyline16)
        player.Polyline(points);
    else
        player.Polygon(points);
}

template<typename Point>
void PlayPolyPolygon(std::span<const std::uint8_t> record, TMetafilePlayer& player)
{
    const auto head = Read<EmfPolyPolyHead>(record);
    if (!head)
        return;
    const std::size_t counts_at = EmfRecordHeadSize + SizeOf<EmfPolyPolyHead>();
    if (head->polygons == 0 || head->polygons > (record.size() - std::min(counts_at, record.size())) / 4)
        return;
    std::vector<std::uint32_t> counts(head->polygons);
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        EmfDword count;
        (void)ReadLayout(record, counts_at + 4 * i, count);
        counts[i] = count.value;
        total += count.value;
    }
    if (total != head->points)
        return;
    const std::vector<TPointI> points = ReadPoints<Point>(record, counts_at + 4 * counts.size(), total);
    if (!points.empty() && points.size() == total)
        player.PolyPolygon(points, counts);
}

void PlayExtTextOut(bool wide, std::span<const std::uint8_t> record, TMetafilePlayer& player)
{
    const auto params = Read<EmfExtTextOutParams>(record);
    if (!params)
        return;
    std::optional<TRectI> opaque_box;
    if ((params->options & TextNoRect) == 0 && (params->options & TextOpaque) != 0) {
        EmfRectL box;
        if (!ReadLayout(record, EmfRecordHeadSize + SizeOf<EmfExtTextOutParams>(), box))
            return;
        opaque_box = TRectI { box.left, box.top, box.right, box.bottom };
    }
    const std::uint64_t unit = wide ? 2 : 1;
    const auto text = Part(record, params->string_offset, unit * params->chars);
    if (!text)
        return;
    const std::string sjis = wide ? Utf16ToSjis(Utf16Units(*text))
                                  : std::string(reinterpret_cast<const char*>(text->data()), text->size());
    player.TextOut(params->reference.x, params->reference.y, sjis, opaque_box);
}

// Only plain copies are drawn: the mask operations need the destination's
// pixels, which a canvas of commands does not have.
void PlayStretchDiBits(std::span<const std::uint8_t> record, TMetafilePlayer& player)
{
    const auto params = Read<EmfStretchDiBitsParams>(record);
    if (!params || params->raster_operation != SourceCopy)
        return;
    const auto info = Part(record, params->bitmap_info_offset, params->bitmap_info_size);
    const auto bits = Part(record, params->bits_offset, params->bits_size);
    if (!info || !bits || info->empty())
        return;
    const std::optional<TBitmap> bitmap = ReadDib(*info, *bits);
    if (!bitmap)
        return;
    const std::optional<TBitmap> part
        = SourcePart(*bitmap, params->source_x, params->source_y, params->source_width, params->source_height);
    if (part)
        player.StretchBitmap(params->dest_x, params->dest_y, params->dest_width, params->dest_height, *part);
}

void PlayObjectRecord(std::uint32_t type, std::span<const std::uint8_t> record, TMetafilePlayer& player)
{
    // Slot 0 stands for the metafile itself and never holds an object.
    const auto create = [&player](std::uint32_t index, TGraphicObject object) {
        if (index != 0)
            player.CreateAt(index, std::move(object));
    };
    switch (type) {
    case EmfCreatePen:
        if (const auto pen = Read<EmfCreatePenParams>(record))
            create(pen->index, TLogicalPen { PenStyleOf(pen->style), static_cast<double>(pen->width.x), false,
                static_cast<TColor>(pen->color & 0xFFFFFF) });
        break;
    case EmfExtCreatePen:
        if (const auto pen = Read<EmfExtCreatePenParams>(record))
            create(pen->index, PenOf(*pen));
        break;
    case EmfCreateBrushIndirect:
        if (const auto brush = Read<EmfCreateBrushParams>(record))
            create(brush->index, BrushOf(brush->style, brush->color));
        break;
    case EmfExtCreateFontIndirectW:
        if (const auto font = Read<EmfCreateFontParams>(record))
            create(font->index, FontOf(*font));
        break;
    case EmfSelectObject:
        if (const auto index = Read<EmfDword>(record)) {
            if ((index->value & EmfStockObjectBit) != 0)
                player.SelectStock(index->value & ~EmfStockObjectBit);
            else
                player.Select(index->value);
        }
        break;
    case EmfDeleteObject:
        if (const auto index = Read<EmfDword>(record))
            player.Delete(index->value);
        break;
    default:
        break;
    }
}

void PlayStateRecord(std::uint32_t type, std::span<const std::uint8_t> record, TMetafilePlayer& player)
{
    switch (type) {
    case EmfSetMapMode:
        if (const auto mode = Read<EmfDword>(record))
            player.SetMapMode(mode->value);
        break;
    case EmfSetTextColor:
        if (const auto color = Read<EmfDword>(record))
            player.SetTextColor(color->value);
        break;
    case EmfSetBkColor:
        if (const auto color = Read<EmfDword>(record))
            player.SetBkColor(color->value);
        break;
    case EmfSetWindowExtEx:
        if (const auto extent = Read<EmfSizeL>(record))
            player.SetWindowExt(extent->cx, extent->cy);
        break;
    case EmfSetWindowOrgEx:
        if (const auto at = Read<EmfPointL>(record))
            player.SetWindowOrg(at->x, at->y);
        break;
    case EmfSetViewportExtEx:
        if (const auto extent = Read<EmfSizeL>(record))
            player.SetViewportExt(extent->cx, extent->cy);
        break;
    case EmfSetViewportOrgEx:
        if (const auto at = Read<EmfPointL>(record))
            player.SetViewportOrg(at->x, at->y);
        break;
    case EmfSaveDc:
        player.Save();
        break;
    case EmfRestoreDc:
        if (const auto level = Read<EmfDword>(record))
            player.Restore(static_cast<std::int32_t>(level->value));
        break;
    default:
        PlayObjectRecord(type, record, player);
        break;
    }
}

void PlayRecord(std::uint32_t type, std::span<const std::uint8_t> record, TMetafilePlayer& player)
{
    switch (type) {
    case EmfSetBkMode:
        // The canvas fills behind nothing but opaque text boxes.
        break;
    case EmfMoveToEx:
        if (const auto at = Read<EmfPointL>(record))
            player.MoveTo(at->x, at->y);
        break;
    case EmfLineTo:
        if (const auto at = Read<EmfPointL>(record))
            player.LineTo(at->x, at->y);
        break;
    case EmfPolylineRecord:
    case EmfPolygonRecord:
        PlayPoly<EmfPointL>(type, record, player);
        break;
    case EmfPolyline16:
    case EmfPolygon16:
        PlayPoly<EmfPointS>(type, record, player);
        break;
    case EmfPolyPolygonRecord:
        PlayPolyPolygon<EmfPointL>(record, player);
        break;
    case EmfPolyPolygon16:
        PlayPolyPolygon<EmfPointS>(record, player);
        break;
    case EmfRectangle:
        if (const auto box = Read<EmfRectL>(record))
            player.Rectangle(box->left, box->top, box->right, box->bottom);
        break;
    case EmfEllipse:
        if (const auto box = Read<EmfRectL>(record))
            player.Ellipse(box->left, box->top, box->right, box->bottom);
        break;
    case EmfExtTextOutW:
    case EmfExtTextOutA:
        PlayExtTextOut(type == EmfExtTextOutW, record, player);
        break;
    case EmfStretchDiBits:
        PlayStretchDiBits(record, player);
        break;
    default:
        PlayStateRecord(type, record, player);
        break;
    }
}

// The reference device's pixels per millimetre; a screen's 96 dpi when the
// header gives no sound device.
double PixelsPerMm(std::int32_t pixels, std::int32_t millimeters)
{
    return pixels > 0 && millimeters > 0 ? static_cast<double>(pixels) / millimeters : 96 / 25.4;
}

void SetFrame(const EmfHeader& header, TParsedPicture& parsed)
{
    TPictureSetup& setup = parsed.setup;
    const EmfRectL& frame = header.frame;
    const EmfRectL& bounds = header.bounds;
    if (frame.right > frame.left && frame.bottom > frame.top) {
        setup.frame = { frame.left * setup.page_units_per_mm_x / 100, frame.top * setup.page_units_per_mm_y / 100,
            (static_cast<double>(frame.right) - frame.left) * setup.page_units_per_mm_x / 100,
            (static_cast<double>(frame.bottom) - frame.top) * setup.page_units_per_mm_y / 100 };
        parsed.frame_mm100 = { frame.left, frame.top, frame.right, frame.bottom };
    } else if (bounds.right >= bounds.left && bounds.bottom >= bounds.top) {
        // Bounds hold both corners; a frame needs the pixel past the last.
        setup.frame = { static_cast<double>(bounds.left), static_cast<double>(bounds.top),
            static_cast<double>(bounds.right) - bounds.left + 1, static_cast<double>(bounds.bottom) - bounds.top + 1 };
        const auto mm100 = [](double pixels, double per_mm) {
            return static_cast<int>(std::clamp(std::round(pixels * 100 / per_mm), -2e9, 2e9));
        };
        parsed.frame_mm100 = { mm100(setup.frame.x, setup.page_units_per_mm_x),
            mm100(setup.frame.y, setup.page_units_per_mm_y),
            mm100(setup.frame.x + setup.frame.width, setup.page_units_per_mm_x),
            mm100(setup.frame.y + setup.frame.height, setup.page_units_per_mm_y) };
    }
}

} // namespace

bool IsEmf(std::span<const std::uint8_t> bytes)
{
    EmfRecordHead head;
    if (!ReadLayout(bytes, 0, head) || head.type != EmfHeaderRecord)
        return false;
    EmfHeader header;
    // A cut header still counts as one, so the load can tell it ran short.
    return !ReadLayout(bytes, EmfRecordHeadSize, header) || header.signature == EmfSignature;
}

TParsedPicture ParseEmf(std::span<const std::uint8_t> bytes)
{
    TParsedPicture parsed;
    EmfRecordHead head;
    EmfHeader header;
    if (!ReadLayout(bytes, 0, head) || !ReadLayout(bytes, EmfRecordHeadSize, header)) {
        parsed.status = TLoadStatus::RanShort;
        return parsed;
    }
    if (head.type != EmfHeaderRecord || header.signature != EmfSignature
        || head.size < EmfRecordHeadSize + SizeOf<EmfHeader>()) {
        parsed.status = TLoadStatus::WrongMagic;
        return parsed;
    }
    if (head.size > bytes.size()) {
        parsed.status = TLoadStatus::RanShort;
        return parsed;
    }
    parsed.records_begin = head.size;
    const auto [end, found_eof] = WalkRecords(bytes, parsed.records_begin, [](auto, auto) {});
    parsed.records_end = end;
    parsed.status = found_eof ? TLoadStatus::Loaded : TLoadStatus::RanShort;

    TPictureSetup& setup = parsed.setup;
    setup.object_slots = header.handles;
    setup.page_units_per_mm_x = PixelsPerMm(header.device.cx, header.millimeters.cx);
    setup.page_units_per_mm_y = PixelsPerMm(header.device.cy, header.millimeters.cy);
    setup.map_mode = MapText;
    SetFrame(header, parsed);
    return parsed;
}

void PlayEmf(std::span<const std::uint8_t> records, TMetafilePlayer& player)
{
    WalkRecords(records, 0, [&player](std::uint32_t type, std::span<const std::uint8_t> record) {
        PlayRecord(type, record, player);
    });
}

} // namespace metafile
