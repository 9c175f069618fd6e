#include "platform/TextRaster.h"

#include "platform/BoundedCache.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace text_raster {

namespace {

using font_engine::TGlyphKey;
using font_engine::TGlyphKeyHash;
using font_engine::TGlyphShape;
using font_engine::TMonoBitmap;
using font_engine::TScaledFont;

constexpr std::int64_t kept_glyph_pixels_limit = 256 * 256;
constexpr std::size_t glyph_cache_bytes_limit = std::size_t { 16 } << 20;
constexpr std::size_t glyph_cache_entries_limit = std::size_t { 1 } << 16;

struct TGlyphImage {
    double advance = 0;
    // Whether `bitmap` holds the glyph, placed relative to its origin; a
    // glyph too large to keep is rasterized from its shape at each drawing.
    bool kept = false;
    TMonoBitmap bitmap;
};


using TGlyphCache = TBoundedCache<TGlyphKey, std::shared_ptr<const TGlyphImage>, TGlyphKeyHash>;

TGlyphCache& GlyphCache()
{
    static TGlyphCache cache(glyph_cache_entries_limit, glyph_cache_bytes_limit);
    return cache;
}

// The glyphs this thread drew last, by a slot of their key: most texts of a
// drawing use a few fonts and characters, and this finds them without the
// lock and the bookkeeping of the shared cache. A glyph never changes for
// its key (font identities are not reused), so a slot is never stale.
struct TRecentGlyph {
    TGlyphKey key;
    std::shared_ptr<const TGlyphImage> glyph;
};
constexpr std::size_t recent_glyph_slots = 4096;

TRecentGlyph& RecentGlyphSlot(const TGlyphKey& key)
{
    thread_local std::vector<TRecentGlyph> recent(recent_glyph_slots);
    return recent[TGlyphKeyHash {}(key) % recent_glyph_slots];
}

std::shared_ptr<const TGlyphImage> SharedGlyphImage(const TScaledFont& scaled, unsigned int code)
{
    const TGlyphKey key { scaled.Id(), code };
    if (std::optional<std::shared_ptr<const TGlyphImage>> glyph = GlyphCache().Find(key))
        return *std::move(glyph);
    auto glyph = std::make_shared<TGlyphImage>();
    const TGlyphShape shape = scaled.Shape(code);
    glyph->advance = shape.advance;
    const TRectI bounds = font_engine::ShapeBounds(shape);
    const std::int64_t pixels = std::int64_t { bounds.right - bounds.left } * (bounds.bottom - bounds.top);
    if (pixels <= kept_glyph_pixels_limit) {
        glyph->kept = true;
        glyph->bitmap = font_engine::Rasterize(shape, 0, 0, bounds);
    }
    const std::size_t bytes = glyph->bitmap.bits.size() + sizeof(TGlyphImage);
    return GlyphCache().Keep(key, std::move(glyph), bytes);
}

const TGlyphImage& GlyphImage(const TScaledFont& scaled, unsigned int code)
{
    const TGlyphKey key { scaled.Id(), code };
    TRecentGlyph& slot = RecentGlyphSlot(key);
    if (!slot.glyph || !(slot.key == key))
        slot = { key, SharedGlyphImage(scaled, code) };
    return *slot.glyph;
}

// The set pixels of the bitmap, moved by (x, y), clipped to the buffer.
void Paint(const canvas_raster::TPixels& pixels, const TMonoBitmap& bitmap, std::int64_t x, std::int64_t y,
    std::uint32_t pixel)
{
    const std::int64_t left = x + bitmap.left;
    const std::int64_t top = y + bitmap.top;
    const int first_column = static_cast<int>(std::clamp<std::int64_t>(-left, 0, bitmap.width));
    const int end_column = static_cast<int>(std::clamp<std::int64_t>(pixels.width - left, 0, bitmap.width));
    const int first_row = static_cast<int>(std::clamp<std::int64_t>(-top, 0, bitmap.rows));
    const int end_row = static_cast<int>(std::clamp<std::int64_t>(pixels.height - top, 0, bitmap.rows));
    for (int row = first_row; row < end_row; ++row) {
        const std::uint8_t* bits
            = bitmap.bits.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(bitmap.pitch);
        std::uint32_t* line = pixels.bits + (top + row) * pixels.stride + left;
        // A byte at a time, set bits found by counting leading zeros.
        for (int column = first_column; column < end_column; column = (column | 7) + 1) {
            const int byte_start = column & ~7;
            unsigned int byte = bits[column / 8] & (0xFFu >> (column % 8));
            while (byte != 0) {
                const int bit = std::countl_zero(static_cast<std::uint8_t>(byte));
                if (byte_start + bit >= end_column)
                    break;
                line[byte_start + bit] = pixel;
                byte &= ~(0x80u >> bit);
            }
        }
    }
}

// A shape rasterized at each drawing: only its part on the buffer.
void PaintShape(
    const canvas_raster::TPixels& pixels, const TGlyphShape& shape, std::int64_t x, std::int64_t y, std::uint32_t pixel)
{
    const TRectI bounds = font_engine::ShapeBounds(shape);
    const TRectI window { static_cast<int>(std::clamp<std::int64_t>(x + bounds.left, 0, pixels.width)),
        static_cast<int>(std::clamp<std::int64_t>(y + bounds.top, 0, pixels.height)),
        static_cast<int>(std::clamp<std::int64_t>(x + bounds.right, 0, pixels.width)),
        static_cast<int>(std::clamp<std::int64_t>(y + bounds.bottom, 0, pixels.height)) };
    if (window.right <= window.left || window.bottom <= window.top)
        return;
    Paint(pixels, font_engine::Rasterize(shape, x, y, window), 0, 0, pixel);
}

// Whether anything within `radius` of (x, y) can lie on the buffer.
bool Reaches(const canvas_raster::TPixels& pixels, double x, double y, double radius)
{
    return x + radius >= 0 && x - radius <= pixels.width && y + radius >= 0 && y - radius <= pixels.height;
}

} // namespace

void DrawText(const canvas_raster::TPixels& pixels, const TScaledFont& scaled, const TFont& font, TPointI point,
    std::string_view text)
{
    if (pixels.bits == nullptr || text.empty())
        return;
    const font_engine::TPointD along = scaled.Along();
    const font_engine::TPointD down = scaled.Down();
    const double first_x = point.x + scaled.Ascent() * down.x;
    const double first_y = point.y + scaled.Ascent() * down.y;

    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i))
        ++characters;
    if (!Reaches(pixels, first_x, first_y, static_cast<double>(characters) * scaled.MaxAdvance() + scaled.InkRadius()))
        return;

    const std::uint32_t pixel = canvas_raster::PixelFromColor(font.color);
    double pen = 0;
    ForEachCharacterCode(text, [&](unsigned int code) {
        const double x = first_x + pen * along.x;
        const double y = first_y + pen * along.y;
        const std::int64_t origin_x = std::llround(x);
        const std::int64_t origin_y = std::llround(y);
        const TGlyphImage& glyph = GlyphImage(scaled, code);
        pen += glyph.advance;
        if (glyph.kept)
            Paint(pixels, glyph.bitmap, origin_x, origin_y, pixel);
        else if (Reaches(pixels, x, y, scaled.InkRadius()))
            PaintShape(pixels, scaled.Shape(code), origin_x, origin_y, pixel);
    });

    if (!font.underline && !font.strike_out)
        return;
    // Only the part of the lines that can reach the buffer: a long text of
    // huge characters would give coordinates beyond the rasterizer's.
    const std::int64_t line_x = std::llround(first_x);
    const std::int64_t line_y = std::llround(first_y);
    double nearest = INFINITY;
    double farthest = -INFINITY;
    for (const double corner_x : { 0.0, static_cast<double>(pixels.width) }) {
        for (const double corner_y : { 0.0, static_cast<double>(pixels.height) }) {
            const double along_line = (corner_x - static_cast<double>(line_x)) * along.x
                + (corner_y - static_cast<double>(line_y)) * along.y;
            nearest = std::min(nearest, along_line);
            farthest = std::max(farthest, along_line);
        }
    }
    const double from = std::max(0.0, nearest - scaled.InkRadius());
    const double to = std::min(pen, farthest + scaled.InkRadius());
    if (from >= to)
        return;
    if (font.underline)
        PaintShape(pixels, scaled.UnderlineShape(from, to), line_x, line_y, pixel);
    if (font.strike_out)
        PaintShape(pixels, scaled.StrikeOutShape(from, to), line_x, line_y, pixel);
}

double TextAdvance(const TScaledFont& scaled, std::string_view text)
{
    double advance = 0;
    ForEachCharacterCode(text, [&](unsigned int code) { advance += GlyphImage(scaled, code).advance; });
    return advance;
}

} // namespace text_raster
