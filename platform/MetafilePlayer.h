#pragma once

// TMetafilePlayer: the device-context state of one playing of a metafile,
// shared by the WMF and EMF record walkers. The walkers decode records; the
// player keeps what the records set (mapping, object table, selected
// objects, colours, saved states) and draws onto the canvas.
//
// Coordinates go logical -> page -> destination:
// - logical to page through the map mode, window and viewport, as the
//   platform did (fixed map modes scale physical units to page units);
// - page to destination by stretching the picture's frame (a rectangle in
//   page units) onto the destination rectangle.
// Everything is computed in doubles and clamped before it becomes a device
// pixel, so no extent, however absurd, divides by zero or overflows.
//
// Objects keep their logical sizes and are realized (pen width, font size
// in pixels) when they are drawn with, under the mapping in force then.

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace metafile {

// A rectangle given as origin and signed extent: an extent may be negative
// (a picture whose y runs upward), never zero for a frame that is drawn.
struct TFrame {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// What the player needs to know of the picture before it starts.
struct TPictureSetup {
    TFrame frame;              // page units, stretched onto the destination
    std::uint32_t object_slots = 0;
    double page_units_per_mm_x = 96 / 25.4;
    double page_units_per_mm_y = 96 / 25.4;
    std::uint32_t map_mode = 1;
    TFrame window { 0, 0, 1, 1 }; // origin and extent
    TFrame viewport { 0, 0, 1, 1 };
};

struct TLogicalPen {
    TPenStyle style = TPenStyle::Solid;
    // Logical units; 0 (or a cosmetic pen) is one pixel.
    double width = 0;
    bool cosmetic = false;
    TColor color = 0;
    bool operator==(const TLogicalPen&) const = default;
};

struct TLogicalFont {
    // Logical units; the sign tells cell from character height, which the
    // canvas does not tell apart. 0 asks for the default size.
    double height = 0;
    double width = 0;
    int escapement = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    std::string face; // Shift-JIS
    bool operator==(const TLogicalFont&) const = default;
};

// An object the player does not draw with (palette, region, pattern brush):
// it keeps its slot in the table so later indexes stay right.
struct TOtherObject {
    bool operator==(const TOtherObject&) const = default;
};

using TGraphicObject = std::variant<TOtherObject, TLogicalPen, TBrush, TLogicalFont>;

TPenStyle PenStyleOf(std::uint32_t style);
TBrush BrushOf(std::uint32_t style, std::uint32_t color);

class TMetafilePlayer {
public:
    // Saved states beyond this depth are not kept: a file cannot make the
    // player grow without end.
    static constexpr std::size_t MaxSavedStates = 256;

    TMetafilePlayer(TCanvas& canvas, const TRectI& destination, const TPictureSetup& setup);
    ~TMetafilePlayer();
    TMetafilePlayer(const TMetafilePlayer&) = delete;
    TMetafilePlayer& operator=(const TMetafilePlayer&) = delete;

    // Whether the frame and destination allow drawing at all.
    bool CanDraw() const;

    void SetMapMode(std::uint32_t mode);
    void SetWindowOrg(double x, double y);
    void SetWindowExt(double width, double height);
    void SetViewportOrg(double x, double y);
    void SetViewportExt(double width, double height);
    TPointI Map(double x, double y) const;

    void Save();
    // A negative level counts back from the newest save; a positive one is a
    // level as Save numbered it (1 the first). Others are ignored.
    void Restore(int level);

    // EMF: the record names the slot. WMF: the lowest free slot.
    void CreateAt(std::uint32_t index, TGraphicObject object);
    void CreateInFreeSlot(TGraphicObject object);
    void Select(std::uint32_t index);
    void SelectStock(std::uint32_t stock);
    void Delete(std::uint32_t index);

    void SetTextColor(std::uint32_t color);
    void SetBkColor(std::uint32_t color);

    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void Polyline(std::span<const TPointI> points);
    void Polygon(std::span<const TPointI> points);
    // Polygons filled together by the alternate rule (holes stay open),
    // each outlined.
    void PolyPolygon(std::span<const TPointI> points, std::span<const std::uint32_t> counts);
    void Rectangle(double left, double top, double right, double bottom);
    void Ellipse(double left, double top, double right, double bottom);
    // `opaque_box` (logical) is filled with the background colour first.
    void TextOut(double x, double y, std::string_view sjis_text, const std::optional<TRectI>& opaque_box);

    // The bitmap stretched over the logical rectangle; a negative size
    // mirrors it.
    void StretchBitmap(double x, double y, double width, double height, const TBitmap& bitmap);

    // Logical rectangle to destination rectangle, normalized.
    TRectI MapBox(double left, double top, double right, double bottom) const;

private:
    struct TState {
        std::uint32_t map_mode = 1;
        TFrame window;
        TFrame viewport;
        TLogicalPen pen;
        TBrush brush;
        TLogicalFont font;
        TColor text_color = 0;
        TColor bk_color = PackColor(255, 255, 255);
        double position_x = 0;
        double position_y = 0;
    };

    void UpdateTransform();
    TPen RealizePen() const;
    TFont RealizeFont() const;
    std::vector<TPointI> MapPoints(std::span<const TPointI> points) const;
    TGraphicObject* ObjectAt(std::uint32_t index);

    TCanvas& canvas_;
    TRectI destination_;
    TPictureSetup setup_;
    TState state_;
    std::vector<TState> saved_;
    std::vector<std::optional<TGraphicObject>> objects_;
    std::size_t lowest_free_ = 0;
    // destination = scale * logical + offset, per axis.
    double scale_x_ = 0;
    double scale_y_ = 0;
    double offset_x_ = 0;
    double offset_y_ = 0;
    TPen caller_pen_;
    TBrush caller_brush_;
    TFont caller_font_;
};

} // namespace metafile
