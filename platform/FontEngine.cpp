#include "platform/FontEngine.h"

#include "platform/BoundedCache.h"
#include "platform/FontFaces.h"
#include "platform/ShiftJis.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <functional>
#include <map>
#include <mutex>
#include <numbers>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// Glyphs are loaded in design units (no scaling, no hinting by FreeType) and
// scaled, slanted and turned here in double precision, so that one matrix
// gives both the pixels and the outline records, whatever the width and
// escapement. FreeType's black-and-white rasterizer then makes the pixels.

namespace font_engine {

namespace {

// One FreeType library for the run. FreeType objects are not safe to use
// from two threads at once, so every call into it holds `lock`.
struct TLibrary {
    FT_Library library = nullptr;
    std::mutex lock;

    TLibrary()
    {
        if (FT_Init_FreeType(&library) != 0)
            library = nullptr;
    }
    ~TLibrary()
    {
        if (library != nullptr)
            FT_Done_FreeType(library);
    }
    TLibrary(const TLibrary&) = delete;
    TLibrary& operator=(const TLibrary&) = delete;
};

std::shared_ptr<TLibrary> Library()
{
    static const std::shared_ptr<TLibrary> library = std::make_shared<TLibrary>();
    return library;
}

// A slant of 12 degrees, as faces without an italic of their own are slanted.
constexpr double italic_slant = 0.2126;

// The faces in use stay open; only the few families installed can be asked
// for, so the limit is never met in practice.
constexpr std::size_t face_cache_limit = 64;
// Every size, width and escapement of a drawing's texts makes one scaled
// font; zooming makes new ones. At the limit the cache starts again (fonts
// in use live on with their users).
constexpr std::size_t scaled_font_cache_limit = 256;

std::atomic<std::uint64_t> next_font_id { 1 };
std::atomic<std::uint64_t> next_face_id { 1 };
// Glyphs in design units, shared by every size and escapement of a face:
// a text at a new angle then costs a transform, not a glyph load.
constexpr std::size_t design_glyph_cache_limit = 16384;

// The Unicode character of a Shift-JIS code (lead byte × 256 + trail byte,
// or one byte), through the code page 932 converter. A code that is no
// character gives U+FFFD.
char32_t UnicodeOfCode(unsigned int code)
{
    if (code > 0xFFFF)
        return 0xFFFD;
    std::string bytes;
    if (code > 0xFF)
        bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
    const std::string utf8 = SjisToUtf8(bytes);
    if (utf8.empty())
        return 0xFFFD;
    const auto byte = [&utf8](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned char first = byte(0);
    std::size_t length = first < 0x80 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
    if (length > utf8.size())
        return 0xFFFD;
    char32_t value = length == 1 ? first : length == 2 ? first & 0x1F : length == 3 ? first & 0x0F : first & 0x07;
    for (std::size_t i = 1; i < length; ++i)
        value = (value << 6) | (byte(i) & 0x3F);
    return value;
}

} // namespace

class TFace {
public:
    TFace(std::shared_ptr<TLibrary> library, FT_Face face)
        : library_(std::move(library))
        , face_(face)
        , id_(next_face_id++)
    {
    }
    ~TFace()
    {
        const std::lock_guard lock(library_->lock);
        FT_Done_Face(face_);
    }
    TFace(const TFace&) = delete;
    TFace& operator=(const TFace&) = delete;

    TLibrary& Library() const { return *library_; }
    FT_Face Face() const { return face_; }
    // Unique for the run: the glyph cache keys on it.
    std::uint64_t Id() const { return id_; }

private:
    std::shared_ptr<TLibrary> library_;
    FT_Face face_;
    std::uint64_t id_;
};

namespace {

// The face of a file, opened once; null when FreeType cannot use it as a
// scalable face with a Unicode character map.
std::shared_ptr<TFace> OpenFace(const TFontFace& font_face)
{
    static TBoundedCache<std::string, std::shared_ptr<TFace>> faces(face_cache_limit);
    const std::string file = font_face.file.string();
    const std::string key = file + '\0' + std::to_string(font_face.index);
    if (std::optional<std::shared_ptr<TFace>> known = faces.Find(key))
        return *known;

    std::shared_ptr<TLibrary> library = Library();
    std::shared_ptr<TFace> face;
    {
        const std::lock_guard lock(library->lock);
        FT_Face opened = nullptr;
        if (library->library != nullptr
            && FT_New_Face(library->library, file.c_str(), font_face.index, &opened) == 0) {
            if (FT_IS_SCALABLE(opened) && opened->units_per_EM > 0
                && FT_Select_Charmap(opened, FT_ENCODING_UNICODE) == 0) {
                face = std::make_shared<TFace>(library, opened);
            } else {
                FT_Done_Face(opened);
            }
        }
    }
    return faces.Keep(key, std::move(face));
}

struct TFontKey {
    std::string face;
    int height = 0;
    int width = 0;
    int escapement = 0;
    bool bold = false;
    bool italic = false;
    bool operator==(const TFontKey&) const = default;
};

struct TFontKeyHash {
    std::size_t operator()(const TFontKey& key) const
    {
        std::size_t hash = std::hash<std::string> {}(key.face);
        for (const int value : { key.height, key.width, key.escapement, key.bold ? 1 : 0, key.italic ? 1 : 0 })
            hash = hash * 1000003u ^ std::hash<int> {}(value);
        return hash;
    }
};

// Tenths of a degree in [0, 3600).
int NormalEscapement(int escapement)
{
    const int turned = escapement % 3600;
    return turned < 0 ? turned + 3600 : turned;
}

// Weights from semi-bold (600) on are drawn bold. The faces come in one
// weight, so bold is made by widening the strokes.
bool IsBold(int weight)
{
    return weight >= 600;
}

TFontKey KeyOf(const TFont& font)
{
    return { font.face, font.height, font.width, NormalEscapement(font.escapement), IsBold(font.weight), font.italic };
}

} // namespace

bool SameScaledFont(const TFont& a, const TFont& b)
{
    return a.height == b.height && a.width == b.width
        && NormalEscapement(a.escapement) == NormalEscapement(b.escapement) && IsBold(a.weight) == IsBold(b.weight)
        && a.italic == b.italic && a.face == b.face;
}

TScaledFont::TScaledFont(std::shared_ptr<TFace> face, const TFont& font)
    : face_(std::move(face))
    , id_(next_font_id++)
{
    const std::lock_guard lock(face_->Library().lock);
    const FT_Face ft = face_->Face();
    const double em = ft->units_per_EM;

    // The cell: the horizontal header's ascender and descender, else the
    // Windows metrics, else the bounding box.
    double ascender = ft->ascender;
    double descender = -static_cast<double>(ft->descender);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    if (ascender + descender <= 0 && os2 != nullptr) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    if (ascender + descender <= 0) {
        ascender = static_cast<double>(ft->bbox.yMax);
        descender = -static_cast<double>(ft->bbox.yMin);
    }
    if (ascender + descender <= 0) {
        ascender = em * 0.88;
        descender = em * 0.12;
    }
    const double cell = ascender + descender;
    scale_y_ = font.height / cell;
    scale_x_ = font.width > 0 ? 2.0 * font.width / em : scale_y_;
    slant_ = font.italic ? italic_slant : 0.0;
    if (IsBold(font.weight))
        bold_units_ = static_cast<long>(std::max(std::ceil(em / 24), std::ceil(1.0 / scale_x_)));
    ascent_ = std::clamp(static_cast<int>(std::lround(font.height * ascender / cell)), 0, font.height);
    descent_ = font.height - ascent_;

    const int escapement = NormalEscapement(font.escapement);
    switch (escapement) {
    case 0:
        cos_ = 1, sin_ = 0;
        break;
    case 900:
        cos_ = 0, sin_ = 1;
        break;
    case 1800:
        cos_ = -1, sin_ = 0;
        break;
    case 2700:
        cos_ = 0, sin_ = -1;
        break;
    default: {
        const double radians = escapement * (std::numbers::pi / 1800.0);
        cos_ = std::cos(radians);
        sin_ = std::sin(radians);
    }
    }

    // Bounds for culling: the face's box (widened by bold) and the cell.
    double x_min = std::min<double>(static_cast<double>(ft->bbox.xMin), 0);
    double x_max = std::max<double>(static_cast<double>(ft->bbox.xMax), std::max<double>(ft->max_advance_width, em));
    const double y_min = std::min<double>(static_cast<double>(ft->bbox.yMin), -descender);
    const double y_max = std::max<double>(static_cast<double>(ft->bbox.yMax), ascender);
    x_max += static_cast<double>(bold_units_);
    x_min -= 1;
    double radius = 0;
    for (const double x : { x_min, x_max }) {
        for (const double y : { y_min, y_max }) {
            const TPointD corner = Transform(x, y);
            radius = std::max(radius, std::hypot(corner.x, corner.y));
        }
    }
    ink_radius_ = radius + 2;
    max_advance_ = (std::max<double>(ft->max_advance_width, em) + static_cast<double>(bold_units_)) * scale_x_;

    // Underline: the face's stroke, kept inside the cell.
    const double underline_units = ft->underline_thickness > 0 ? ft->underline_thickness : em / 20;
    const double underline_thickness = std::max(1.0, underline_units * scale_y_);
    const double underline_centre = ft->underline_thickness > 0 || ft->underline_position != 0
        ? ft->underline_position * scale_y_
        : -descent_ / 2.0;
    underline_bottom_ = std::max(underline_centre - underline_thickness / 2, -static_cast<double>(descent_));
    underline_top_ = underline_bottom_ + underline_thickness;
    // Strike-out: the OS/2 stroke, whose position is its top.
    const bool has_strike_out = os2 != nullptr && os2->yStrikeoutSize > 0;
    const double strike_out_units = has_strike_out ? os2->yStrikeoutSize : em / 20;
    const double strike_out_thickness = std::max(1.0, strike_out_units * scale_y_);
    strike_out_top_ = has_strike_out ? os2->yStrikeoutPosition * scale_y_ : em * 0.3 * scale_y_;
    strike_out_bottom_ = strike_out_top_ - strike_out_thickness;
}

TScaledFont::~TScaledFont() = default;

TPointD TScaledFont::Transform(double x_units, double y_units) const
{
    const double y = y_units * scale_y_;
    const double x = x_units * scale_x_ + y * slant_;
    return { x * cos_ - y * sin_, x * sin_ + y * cos_ };
}

namespace {

// A glyph as the face holds it, emboldened: points in design units, y
// upward, and the advance.
struct TDesignGlyph {
    std::vector<FT_Vector> points;
    std::vector<std::uint8_t> on_curve;
    std::vector<int> contour_ends;
    long advance = 0;
};

struct TDesignGlyphKey {
    std::uint64_t face = 0;
    unsigned int code = 0;
    long bold_units = 0;
    bool operator==(const TDesignGlyphKey&) const = default;
};

struct TDesignGlyphKeyHash {
    std::size_t operator()(const TDesignGlyphKey& key) const
    {
        // Faces and fonts are numbered apart; bold is rare.
        return TGlyphKeyHash {}(TGlyphKey { key.face, key.code }) ^ static_cast<std::size_t>(key.bold_units);
    }
};

TDesignGlyph LoadDesignGlyph(const TFace& face, unsigned int code, long bold_units)
{
    const char32_t character = UnicodeOfCode(code);
    TDesignGlyph glyph;
    const std::lock_guard lock(face.Library().lock);
    const FT_Face ft = face.Face();
    const FT_UInt index = FT_Get_Char_Index(ft, character);
    if (FT_Load_Glyph(ft, index, FT_LOAD_NO_SCALE) != 0 || ft->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return glyph;
    FT_Outline& outline = ft->glyph->outline;
    if (bold_units > 0)
        FT_Outline_EmboldenXY(&outline, bold_units, 0);
    glyph.advance = ft->glyph->advance.x + bold_units;
    const auto points = static_cast<std::size_t>(std::max<short>(outline.n_points, 0));
    for (std::size_t i = 0; i < points; ++i) {
        const int tag = FT_CURVE_TAG(outline.tags[i]);
        // The faces are TrueType (FontFaces.h): a cubic control point would
        // be a broken font; such a glyph is left without contours.
        if (tag == FT_CURVE_TAG_CUBIC) {
            glyph.points.clear();
            glyph.on_curve.clear();
            glyph.contour_ends.clear();
            return glyph;
        }
        glyph.on_curve.push_back(tag == FT_CURVE_TAG_ON ? 1 : 0);
    }
    glyph.points.assign(outline.points, outline.points + points);
    for (short i = 0; i < outline.n_contours; ++i)
        glyph.contour_ends.push_back(outline.contours[i]);
    return glyph;
}

std::shared_ptr<const TDesignGlyph> DesignGlyph(const TFace& face, unsigned int code, long bold_units)
{
    static TBoundedCache<TDesignGlyphKey, std::shared_ptr<const TDesignGlyph>, TDesignGlyphKeyHash> glyphs(
        design_glyph_cache_limit);
    const TDesignGlyphKey key { face.Id(), code, bold_units };
    if (std::optional<std::shared_ptr<const TDesignGlyph>> known = glyphs.Find(key))
        return *std::move(known);
    return glyphs.Keep(key, std::make_shared<const TDesignGlyph>(LoadDesignGlyph(face, code, bold_units)));
}

} // namespace

TGlyphShape TScaledFont::Shape(unsigned int code) const
{
    const std::shared_ptr<const TDesignGlyph> glyph = DesignGlyph(*face_, code, bold_units_);
    TGlyphShape shape;
    shape.advance = static_cast<double>(glyph->advance) * scale_x_;
    shape.points.reserve(glyph->points.size());
    for (const FT_Vector& point : glyph->points)
        shape.points.push_back(Transform(static_cast<double>(point.x), static_cast<double>(point.y)));
    shape.on_curve = glyph->on_curve;
    shape.contour_ends = glyph->contour_ends;
    return shape;
}

TGlyphShape TScaledFont::BandShape(double from, double to, double bottom, double top) const
{
    TGlyphShape shape;
    // Clockwise, as a TrueType outer contour runs.
    for (const TPointD corner :
        { TPointD { from, top }, TPointD { to, top }, TPointD { to, bottom }, TPointD { from, bottom } }) {
        shape.points.push_back({ corner.x * cos_ - corner.y * sin_, corner.x * sin_ + corner.y * cos_ });
        shape.on_curve.push_back(1);
    }
    shape.contour_ends.push_back(3);
    shape.advance = to - from;
    return shape;
}

TGlyphShape TScaledFont::UnderlineShape(double from, double to) const
{
    return BandShape(from, to, underline_bottom_, underline_top_);
}

TGlyphShape TScaledFont::StrikeOutShape(double from, double to) const
{
    return BandShape(from, to, strike_out_bottom_, strike_out_top_);
}

std::shared_ptr<const TScaledFont> ScaledFont(const TFont& font)
{
    if (font.height < 1 || font.height > max_font_pixels || font.width < 0 || font.width > max_font_pixels)
        return nullptr;
    static TBoundedCache<TFontKey, std::shared_ptr<const TScaledFont>, TFontKeyHash> fonts(scaled_font_cache_limit);
    const TFontKey key = KeyOf(font);
    if (std::optional<std::shared_ptr<const TScaledFont>> known = fonts.Find(key))
        return *known;
    // Made outside the lock: the face lookup may ask fontconfig.
    std::shared_ptr<const TScaledFont> scaled;
    const TFontFace font_face = FindFontFace(font.face);
    if (!font_face.file.empty()) {
        if (std::shared_ptr<TFace> face = OpenFace(font_face))
            scaled = std::make_shared<const TScaledFont>(std::move(face), font);
    }
    return fonts.Keep(key, std::move(scaled));
}

TRectI ShapeBounds(const TGlyphShape& shape)
{
    if (shape.points.empty())
        return {};
    double x_min = shape.points.front().x;
    double x_max = x_min;
    double y_min = shape.points.front().y;
    double y_max = y_min;
    for (const TPointD& point : shape.points) {
        x_min = std::min(x_min, point.x);
        x_max = std::max(x_max, point.x);
        y_min = std::min(y_min, point.y);
        y_max = std::max(y_max, point.y);
    }
    // A pixel beyond the points on every side, for the dropout control,
    // which may set a pixel next to a stroke thinner than one.
    return { static_cast<int>(std::floor(x_min)) - 1, static_cast<int>(std::floor(-y_max)) - 1,
        static_cast<int>(std::ceil(x_max)) + 1, static_cast<int>(std::ceil(-y_min)) + 1 };
}

TMonoBitmap Rasterize(const TGlyphShape& shape, std::int64_t origin_x, std::int64_t origin_y, const TRectI& window)
{
    TMonoBitmap bitmap;
    if (window.right <= window.left || window.bottom <= window.top)
        return bitmap;
    bitmap.left = window.left;
    bitmap.top = window.top;
    bitmap.width = window.right - window.left;
    bitmap.rows = window.bottom - window.top;
    bitmap.pitch = (bitmap.width + 7) / 8;
    bitmap.bits.assign(static_cast<std::size_t>(bitmap.pitch) * static_cast<std::size_t>(bitmap.rows), 0);
    const std::size_t points = shape.points.size();
    if (points == 0 || points > FT_OUTLINE_POINTS_MAX || shape.contour_ends.size() > FT_OUTLINE_CONTOURS_MAX)
        return bitmap;

    // FreeType's coordinates: 26.6 fixed point, y upward from the window's
    // bottom edge.
    const double shift_x = static_cast<double>(origin_x - window.left);
    const double shift_y = static_cast<double>(window.bottom - origin_y);
    std::vector<FT_Vector> vectors(points);
    std::vector<char> tags(points);
    for (std::size_t i = 0; i < points; ++i) {
        vectors[i].x = std::lround((shape.points[i].x + shift_x) * 64);
        vectors[i].y = std::lround((shape.points[i].y + shift_y) * 64);
        tags[i] = shape.on_curve[i] != 0 ? FT_CURVE_TAG_ON : FT_CURVE_TAG_CONIC;
    }
    std::vector<short> ends;
    for (const int end : shape.contour_ends) {
        if (end < 0 || static_cast<std::size_t>(end) >= points)
            return bitmap;
        ends.push_back(static_cast<short>(end));
    }

    FT_Outline outline {};
    outline.n_points = static_cast<short>(points);
    outline.n_contours = static_cast<short>(ends.size());
    outline.points = vectors.data();
    outline.tags = tags.data();
    outline.contours = ends.data();
    outline.flags = FT_OUTLINE_SMART_DROPOUTS | FT_OUTLINE_INCLUDE_STUBS | FT_OUTLINE_HIGH_PRECISION;

    FT_Bitmap target {};
    target.rows = static_cast<unsigned int>(bitmap.rows);
    target.width = static_cast<unsigned int>(bitmap.width);
    target.pitch = bitmap.pitch;
    target.buffer = bitmap.bits.data();
    target.num_grays = 2;
    target.pixel_mode = FT_PIXEL_MODE_MONO;

    const std::shared_ptr<TLibrary> library = Library();
    const std::lock_guard lock(library->lock);
    if (library->library != nullptr)
        FT_Outline_Get_Bitmap(library->library, &outline, &target);
    return bitmap;
}

} // namespace font_engine
