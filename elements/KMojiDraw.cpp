// Drawing a text: piece by piece from its layout, one font for each piece,
// with the frame and the two kinds of edge the view may ask for.
//
// Special texts (dates, times, file names, memo lines, scales) are shown as
// their values in print, in the preview and on screen when embedded texts
// are shown; character-reference texts as the reference file's value. A
// text that places an image draws it; where the image cannot be had, a
// dotted box shows where it belongs and the text itself is drawn.
//
// Sizes: m drawing millimetres to an output pixel; a piece's font cell is
// its height / m times the character cell factor, its half-width character
// width / m half of that, both rounded; the cell is anchored at the piece's
// raised start, moved so that the enlarged cell stays centred on the piece.

#include "elements/KMoji.h"

#include "core/Constants.h"
#include "core/DebugLog.h"
#include "core/LayerState.h"
#include "core/PlaneGeometry.h"
#include "document/ZhdData.h"
#include "elements/GlyphOutlineText.h"
#include "elements/TextVariables.h"
#include "platform/Canvas.h"
#include "platform/ImagePath.h"
#include "platform/ShiftJis.h"
#include "render/DeviceClip.h"
#include "render/InfoReg.h"
#include "render/RasterColor.h"
#include "render/RasterMono.h"

#include <boost/make_shared.hpp>

#include <array>
#include <filesystem>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int auxiliary_color = 9;
// A text lower than this many pixels on screen shows only its frame.
constexpr double smallest_readable_pixels = 5;
// Below this height on screen the edge is drawn the easy way.
constexpr double smallest_outlined_pixels = 15;
// The height a text counts as in print and in the preview.
constexpr double printed_pixels = 15;
constexpr int face_name_limit = 31;
// Print pen 9 (auxiliary) prints in light red.
constexpr TColor auxiliary_print_color = PackColor(255, 192, 192);
// The easy edge: the text drawn eight times around its place.
constexpr double easy_edge_offsets[8][2] = { { -0.08, 0.08 }, { 0, 0.08 },   { 0.08, 0.08 },  { -0.08, 0 },
                                             { 0.08, 0 },     { -0.08, -0.08 }, { 0, -0.08 }, { 0.08, -0.08 } };

constexpr int italic_bit = 1;
constexpr int bold_bit = 2;
constexpr int underline_bit = 4;
constexpr int strike_out_bit = 8;

TColor Complement(TColor color)
{
    return ~color & 0xFFFFFF;
}

int Truncated(double value)
{
    return DeviceInt(value);
}

TPointI ScreenPixel(const TInfoREG& info, const TBPoint& point)
{
    const TBPoint screen = info.WorldToScreen(point);
    return { Truncated(screen.GetX()), Truncated(screen.GetY()) };
}

bool PrintPens(const TInfoREG& info)
{
    return info.OutputJob != 0 || info.PrintPreview != 0;
}

TColor BackgroundColor(TZhdData& document)
{
    const bool print = PrintPens(document.GetInfoRegPtr());
    return (print ? document.GetPrtPenMapPtr()["B"] : document.GetPenMapPtr()["B"]).GetColorValue();
}

// Under the print rules a length on paper follows the print scale as
// PenEdgeFix asks.
double EdgeLength(const TInfoREG& info, double millimetres)
{
    if (info.FollowsPrintScale())
        return info.GetScalePower(3) * millimetres / info.GetView().GetScale();
    return millimetres;
}

// The frame through the box corners 0, 2, 8, 6 of a text, raised by its
// slant: the whole drawing of a text too small to read, so its corners are
// turned into output points once.
void DrawFrame(TCanvas& canvas, TZhdData& document, const TKMoji& text, bool measured_on_screen)
{
    TInfoREG& info = document.GetInfoRegPtr();
    canvas.SetPen(TPen { document.GetDrawColor(), 1, TPenStyle::Solid, TPenMode::Copy });
    const std::array<TBPoint, 4> c = text.GetFrameCorners(1);
    const TScreenTransform transform = info.ScreenTransform();
    const std::array<TBPoint, 4> s = { transform.Apply(c[0]), transform.Apply(c[1]), transform.Apply(c[2]),
                                       transform.Apply(c[3]) };
    // A text of no width is a stroke up its start.
    const bool flat = measured_on_screen ? RoundedOutputPoint(s[1]).DistanceTo(RoundedOutputPoint(s[2])) < 1
                                         : c[1].DistanceTo(c[2]) < 1;
    info.DrawOutputSegmentRounded(canvas, s[1], s[0]);
    if (flat) {
        if (measured_on_screen)
            info.DrawOutputSegmentRounded(canvas, s[3], s[2]);
        return;
    }
    info.DrawOutputSegmentRounded(canvas, s[2], s[1]);
    info.DrawOutputSegmentRounded(canvas, s[3], s[2]);
    info.DrawOutputSegmentRounded(canvas, s[0], s[3]);
}

void DrawBoxPolygon(TCanvas& canvas, const TInfoREG& info, const TKMoji& text)
{
    const TPointI corners[4] = {
        ScreenPixel(info, text.GetBoxPointWithImage(0, 0, 0, 0)), ScreenPixel(info, text.GetBoxPointWithImage(2, 0, 0, 0)),
        ScreenPixel(info, text.GetBoxPointWithImage(8, 0, 0, 0)), ScreenPixel(info, text.GetBoxPointWithImage(6, 0, 0, 0))
    };
    canvas.Polygon(corners);
}

// The same text with other characters: special and reference values.
TKMoji WithCharacters(const TKMoji& text, std::string characters)
{
    TKMoji replaced(text.GetStart(), text.GetEnd(), text.GetSize(), text.GetKind(), text.GetAngle(),
                    text.GetFontName(), std::move(characters));
    replaced.SetStatus(text.GetStatus());
    return replaced;
}

} // namespace

std::filesystem::path TKMoji::ResolveImageFile(const std::string& name, const TZhdData& document)
{
    const std::filesystem::path drawing_folder
        = std::filesystem::path(document.GetHeadPtr().GetFileName()).parent_path();
    return ResolveImagePath(name, drawing_folder);
}

bool TKMoji::EnsureImage(TZhdData& document)
{
    if (!rasters_.empty())
        return true;
    TImageReference reference;
    if (!GetImageReference(reference))
        return false;
    const std::filesystem::path file = ResolveImageFile(reference.file, document);
    TRasterInfo probe;
    const int bits = probe.ReadImageInfo(file);
    if (bits == 0)
        return false;
    RasterPtr raster;
    if (bits == 1)
        raster = boost::make_shared<TRasterMono>();
    else
        raster = boost::make_shared<TRasterColor>();
    AddRaster(raster);
    raster->Load(file, document);
    TRasterInfo& placed = *raster->GetInfoPtr();
    placed.SetPosition(GetBoxPointWithImage(4, 0, 0, 0));
    placed.SetAngle(angle_);
    placed.SetWidth(reference.width);
    placed.SetHeight(reference.height);
    return true;
}

int TKMoji::Draw(TCanvas& canvas, TZhdData& document)
{
    TInfoREG& info = document.GetInfoRegPtr();
    if (!GetText(2).empty()) {
        // An image text on a display-only layer is a hatched box on screen.
        if (document.GetCachedLayerState(GetGLayer(), GetLayer()) == LayerMaskDisplayOnly) {
            if (info.OutputJob != 0)
                return 0;
            canvas.SetPen(TPen { canvas.Brush().color, 1, TPenStyle::Solid, TPenMode::Copy });
            canvas.SetBrushStyle(TBrushStyle::DiagCross);
            DrawBoxPolygon(canvas, info, *this);
            return 1;
        }
        if (EnsureImage(document)) {
            TRasterBase& raster = *rasters_.front();
            raster.GetInfoPtr()->SetPosition(GetBoxPointWithImage(4, 0, 0, 0));
            raster.GetInfoPtr()->SetAngle(angle_);
            const double scale = info.GetView().GetScale();
            return raster.Draw(canvas, document, info.GetViewCorner(0), info.GetViewCorner(2), scale, scale) != 0
                ? 1
                : 0;
        }
        // No image can be had: a dotted box where it belongs, then the text
        // itself.
        if (info.OutputJob != 0 || document.GetDrawColorMode() == 1)
            return 0;
        canvas.SetPen(TPen { document.GetDrawColor(), 1, TPenStyle::Dot, TPenMode::Copy });
        canvas.SetBrushStyle(TBrushStyle::Clear);
        DrawBoxPolygon(canvas, info, *this);
    }
    DrawCharacters(canvas, document);
    return 0;
}

void TKMoji::DrawCharacters(TCanvas& canvas, TZhdData& document) const
{
    TInfoREG& info = document.GetInfoRegPtr();
    const bool on_screen = !PrintPens(info);
    const double mm_per_pixel = info.GetMMPerPixelX() / info.GetView().GetScale();
    const double pixels = on_screen ? GetSize().GetHeight() / mm_per_pixel : printed_pixels;
    const bool frame_wanted = on_screen && info.MojiWaku != 0;
    const bool too_small = on_screen && !(pixels >= smallest_readable_pixels);
    if (frame_wanted || too_small)
        DrawFrame(canvas, document, *this, true);
    if (too_small)
        return;
    if (GetPenColor() == auxiliary_color && info.OutputJob != 0)
        return;

    std::vector<TKMoji> pieces = LayoutPieces();
    if (pieces.empty())
        return;
    const int special = ClassifySpecialText();
    if (special == 1 && (!on_screen || info.EmbedMoji != 0)) {
        const std::string value = VariableTextValue(*this, document);
        WriteDebugLog(sj(u8"<文字：") + value + ">");
        pieces = WithCharacters(*this, value).LayoutPieces();
    } else if (special == 2) {
        info.LoadReferenceFile(document.GetHeadPtr().GetFileName());
        const std::string value = info.GetReference(GetTextString());
        if (!value.empty())
            pieces = WithCharacters(*this, value).LayoutPieces();
    }
    if (pieces.empty())
        return;

    canvas.SetFontColor(document.GetDrawColor());
    canvas.SetBrushStyle(TBrushStyle::Clear);
    if (info.EdgeMoji == 2)
        DrawBackdrop(canvas, document, special != 0 ? &pieces.front() : this, special != 0 ? &pieces.back() : this);
    int current_color = GetPenColor();
    for (const TKMoji& piece : pieces) {
        if (piece.GetTextString().empty())
            continue;
        if (piece.GetPenColor() != current_color) {
            TakeColorOf(piece, document);
            canvas.SetFontColor(document.GetDrawColor());
            current_color = piece.GetPenColor();
        }
        DrawPiece(canvas, document, piece, mm_per_pixel, pixels);
    }
    if (info.EdgeMoji != 0 && frame_wanted)
        DrawFrame(canvas, document, *this, false);
}

// The colour of a piece's pen number, as the list drawing would give it.
void TKMoji::TakeColorOf(const TKMoji& piece, TZhdData& document)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    const int number = piece.GetPenColor();
    TColor color = 0;
    int force = 0;
    if (!PrintPens(info)) {
        color = document.GetPenMapPtr()[std::to_string(number)].GetColorValue();
    } else if (info.ColorPrint != 0) {
        color = number == auxiliary_color ? auxiliary_print_color
                                          : document.GetPrtPenMapPtr()[std::to_string(number)].GetColorValue();
    } else {
        force = 1;
    }
    if (color == BackgroundColor(document))
        color = Complement(color);
    document.SetDrawColor(color);
    document.SetDrawColorMode(force);
}

// Edge mode 2: a filled box behind the whole text, widened by the edge
// range; a replaced text's box runs from its first piece to its last.
void TKMoji::DrawBackdrop(TCanvas& canvas, TZhdData& document, const TKMoji* first, const TKMoji* last) const
{
    TInfoREG& info = document.GetInfoRegPtr();
    const TColor color = info.EdgeMojiColorKind2 != 0 ? info.EdgeMojiColor2 : BackgroundColor(document);
    canvas.SetBrush(TBrush { color, TBrushStyle::Solid });
    canvas.SetPen(TPen { color, 1, TPenStyle::Solid, TPenMode::Copy });
    const double margin = EdgeLength(info, info.EdgeMojiRange);
    const TPointI corners[4] = { ScreenPixel(info, first->GetBoxPoint(0, -margin, -margin, 1)),
                                 ScreenPixel(info, last->GetBoxPoint(2, margin, -margin, 1)),
                                 ScreenPixel(info, last->GetBoxPoint(8, margin, margin, 1)),
                                 ScreenPixel(info, first->GetBoxPoint(6, -margin, margin, 1)) };
    canvas.Polygon(corners);
    canvas.SetBrushStyle(TBrushStyle::Clear);
}

void TKMoji::DrawPiece(TCanvas& canvas, TZhdData& document, const TKMoji& piece, double mm_per_pixel,
                       double text_pixels) const
{
    TInfoREG& info = document.GetInfoRegPtr();
    const double factor = info.CharCellFactor;
    const double width = piece.GetSize().GetWidth();
    const double height = piece.GetSize().GetHeight();
    const int style = piece.GetStart().GetTag();
    const std::string& characters = piece.GetTextString();

    TFont font = canvas.Font();
    font.height = Truncated(height / mm_per_pixel * factor + 0.5);
    font.width = Truncated(width / mm_per_pixel * 0.5 * factor + 0.5);
    font.escapement = Truncated(piece.GetAngle().GetDegrees() * 10 + 0.5);
    font.weight = (style & bold_bit) != 0 ? 700 : 400;
    font.italic = (style & italic_bit) != 0;
    font.underline = (style & underline_bit) != 0;
    font.strike_out = (style & strike_out_bit) != 0;
    font.face = piece.GetFontName().substr(0, face_name_limit);

    // The enlarged cell stays centred on the piece.
    double along = -(width * factor - width) / 2;
    if (characters.size() == 1)
        along /= 2;
    const TBPoint anchor = piece.GetBoxPoint(6, along, (height * factor - height) / 2, 0);
    const TBPoint screen = info.WorldToScreen(anchor);
    if (!std::isfinite(screen.GetX()) || !std::isfinite(screen.GetY()))
        return;
    if (font.height < 1 || font.width < 1) {
        canvas.SetPixel(Truncated(screen.GetX()), Truncated(screen.GetY()), document.GetDrawColor());
        return;
    }

    bool draw_characters = true;
    if (info.EdgeMoji == 1) {
        const TColor edge_color = info.EdgeMojiColorKind == 1 ? document.GetDrawColor()
            : info.EdgeMojiColorKind == 2                     ? info.EdgeMojiColor
                                                              : BackgroundColor(document);
        const double edge_mm = EdgeLength(info, info.EdgeMojiFixRate != 0
                                                    ? info.EdgeMojiRateSize * height * 2 * 0.01
                                                    : info.EdgeMojiFixSize * 2);
        const int edge_pixels = Truncated(edge_mm / mm_per_pixel + 0.5);
        TFont edge_font = font;
        edge_font.color = edge_color;
        canvas.SetFont(edge_font);
        if (info.EdgeMojiEasy != 0 || (text_pixels < smallest_outlined_pixels && info.OutputJob == 0)) {
            const double angle = piece.GetAngle().GetRadians();
            for (const auto& offset : easy_edge_offsets) {
                double dx = 0, dy = 0;
                RotateXY(offset[0], offset[1], TAngle(angle), dx, dy);
                const TPointI at = ScreenPixel(info, TBPoint(anchor.GetX() + dx, anchor.GetY() + dy));
                canvas.TextOut(at.x, at.y, characters);
            }
        } else {
            const double k = std::fabs(std::sin(piece.GetAngle().GetRadians())) > 1e-6 ? 0.88 : 0.86;
            TBPoint drop;
            RotatePoint(TBPoint(0.0, -font.height * k), piece.GetAngle(), drop);
            DrawGlyphOutline(canvas, characters, screen.GetX() + drop.GetX(), screen.GetY() - drop.GetY(), edge_pixels);
        }
        draw_characters = !(info.EdgeMojiColorKind != 0 && info.EdgeMojiNonView != 0);
    }
    if (!draw_characters)
        return;
    font.color = document.GetDrawColor();
    canvas.SetFont(font);
    canvas.TextOut(Truncated(screen.GetX()), Truncated(screen.GetY()), characters);
}
