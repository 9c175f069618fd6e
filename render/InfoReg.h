#pragma once

// TInfoREG: the view and drawing state of one document: which part of the
// drawing is shown at what scale on an output area of how many pixels, the
// display, print, image-output and image-cache options, a job's progress and
// abort request, the CAD settings file and the character-reference map; and
// the drawing primitives every element draws through.
//
// The fields are plain data: the rest of the system reads and writes them
// directly. Those a copy carries are grouped in the base records, so the copy
// rule is the language's: a copy (the print job's working copy among them)
// takes every setting but starts with no reference texts, no status text, no
// abort request and no drawing flag of its own.
//
// Coordinates: the drawing is in millimetres with y upward; the output area
// in pixels with y downward, the view's centre on pixel (W div 2, H div 2).
// The view's scale is output millimetres per drawing millimetre.
//
// The operations live in InfoRegView.cpp (transforms, pen widths, frame
// points), InfoRegLines.cpp (segments, line types, polylines, dots),
// InfoRegArc.cpp (arcs and ellipses), InfoRegOverlays.cpp (cross-hair and
// print frame) and InfoReg.cpp (the reference file and the status text).

#include "core/Angle.h"
#include "core/BPoint.h"
#include "document/Forward.h"
#include "document/ZhdLType.h"
#include "document/ZhdZoom.h"
#include "platform/CanvasTypes.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class TCanvas;
class TKSolid;
struct TClipBox;
struct EllipseArcDescription;

// The drawing-to-output transform of a view, its numbers read once: for
// primitives that turn many points. Apply is WorldToScreen's arithmetic, so
// it gives the same output points to the last bit.
struct TScreenTransform {
    double center_x;
    double center_y;
    double scale;
    double mm_per_pixel_x;
    double mm_per_pixel_y;
    // The pixel the view's centre lands on: W div 2, H div 2.
    double center_pixel_x;
    double center_pixel_y;

    TBPoint Apply(const TBPoint& point) const
    {
        return TBPoint((point.GetX() - center_x) * scale / mm_per_pixel_x + center_pixel_x,
                       -(point.GetY() - center_y) * scale / mm_per_pixel_y + center_pixel_y);
    }
};

// An output point rounded as WorldToScreenRounded rounds: trunc(x + 0.5),
// toward zero for negative coordinates.
inline TBPoint RoundedOutputPoint(const TBPoint& output)
{
    return TBPoint(std::trunc(output.GetX() + 0.5), std::trunc(output.GetY() + 0.5));
}

// The first eight fields: the view and the output area.
struct TViewState {
    // Physical size of the display surface; a job sets the device's. A
    // height of 0 makes the vertical millimetres per pixel the horizontal ones.
    double ScreenWidthMM = 304.0;
    double ScreenHeightMM = 0.0;
    // The drawing point at the centre of the output area and the scale; a
    // scale of 0 or less (or not finite) makes the next drawing fit the paper.
    TZhdZoom View { 0.0 };
    TZhdZoom PrevView { 0.0 };
    // The output area in pixels: paint box, printer page or image.
    int PixelWidth = 0;
    int PixelHeight = 0;
    TBPoint MouseWorld;
    TBPoint MouseScreen;
};

// Everything a copy carries.
struct TDrawSettings : TViewState {
    // Output and display.
    double FitFactor = 1.0;
    // A print or image-file job draws: device sizes, print pens and pitches,
    // no auxiliary elements.
    int OutputJob = 0;
    // Print or image-output mode on screen: print pens, print frame shown.
    int PrintPreview = 0;
    double PaperWidth = 297.0;
    double PaperHeight = 210.0;
    int ColorPrint = 0;
    // The print frame follows the mouse.
    int FrameFollow = 0;
    // Pens are drawn with their widths.
    int LineWidthDisplay = 0;
    // 1 or more: element pen widths are device pixels; less than 1: 1/|unit|
    // mm, -101 meaning 1/100 mm.
    int PenWidthUnit = 1;
    int Transparent = 0;
    int ColorTransparent = 0;
    // Elements at least this wide (pixels) are drawn in the wide-line passes.
    int TraceWidth = 0;
    // A block reference draws its contents: no background, outline or frame.
    int NestedDraw = 0;
    int MojiWaku = 0;
    // Pixels subtracted from every vertex of a filled solid polygon.
    int PolygonOffsetX = 0;
    int PolygonOffsetY = 0;
    // Applied to the font size and the placement of every text piece.
    double CharCellFactor = 1.1;
    // Units digit: order of the image and solid passes; tens digit: override.
    int DrawOrder = 0;
    int LayerOrder = 0;
    int ColorOrder = 0;

    // Print options.
    int SpecialMemory = 0;
    int MonoThin = 0;
    int GroupContinuation = 0;
    int LayerContinuation = 0;
    int GreyDisplayOnly = 0;
    // Powers of the print scale for pen widths, pitches, point radii and text
    // outlines (GetScalePower).
    int PenWidthFix = 0;
    int PenPitchFix = 0;
    int PenHankeiFix = 0;
    int PenEdgeFix = 0;
    int PenPreviewFix = 0;
    // Rotation of the print frame, radians.
    double PrintAngle = 0.0;
    int RasterPass = 1;
    int FileOutput = 0;

    // Image output.
    std::string OutputSizeText;
    int Dpi = 0;
    int Ext = 0;
    int Comp = 0;
    int PixelFormat = 0;

    // Text display.
    int EmbedMoji = 0;
    // 0 off, 1 outlined characters, 2 the text's range box.
    int EdgeMoji = 0;
    // Texts, dimensions and block figures are drawn last.
    int FinalMoji = 0;
    // Millimetres added around the range box.
    double EdgeMojiRange = 0.0;
    double EdgeMojiFixSize = 0.1;
    double EdgeMojiRateSize = 3.0;
    int EdgeMojiFixRate = 0;
    int EdgeMojiColorKind = 0;
    int EdgeMojiColorKind2 = 0;
    int EdgeMojiColor = 0;
    int EdgeMojiColor2 = 0;
    int EdgeMojiNonView = 0;
    int EdgeMojiEasy = 0;

    // Files.
    std::string SettingsFilePath;
    std::string ReferenceFileName;
    // Divisor of the line types' print pitch.
    int PrtPitch = 20;

    // Progress.
    int ElementsDrawn = 0;
    int ElementTotal = 0;
    int PagesDone = 0;
    int PageTotal = 0;
    // A block reference draws its contents.
    int BlockDraw = 0;

    // Image cache.
    int Release = 0;
    int UseCache = 0;
    int LoadTime = 0;
    int LoadTimeNum = 0;
    int SaveSize = 0;
    int SaveSizeNum = 0;
    int SaveSizeUnit = 0;
    int Rate = 0;
    int RateNum = 0;
    int Combine1 = 0;
    int Combine2 = 0;
};

class TInfoREG : public TDrawSettings {
public:
    // The pixel size starts as the screen's.
    TInfoREG();
    TInfoREG(const TInfoREG& other) : TDrawSettings(other) {}
    TInfoREG& operator=(const TInfoREG& other)
    {
        TDrawSettings::operator=(other);
        return *this;
    }

    // --- Character references (InfoReg.cpp) ---
    // Reloads the map from the reference file when the file changed since
    // the last load; a name without a folder is looked up beside the drawing.
    void LoadReferenceFile(const std::string& drawing_path);
    // The value for the key; a missing key is added with an empty value.
    std::string GetReference(const std::string& key);

    // --- Accessors of the view state ---
    double GetScreenWidthMM() const { return ScreenWidthMM; }
    double SetScreenWidthMM(double mm) { return ScreenWidthMM = mm; }
    double GetScreenHeightMM() const { return ScreenHeightMM; }
    double SetScreenHeightMM(double mm) { return ScreenHeightMM = mm; }
    TZhdZoom GetView() const { return View; }
    // The current view becomes the previous one when the new one differs.
    TZhdZoom SetViewKeepPrevious(TZhdZoom view);
    TZhdZoom SetView(TZhdZoom view) { return View = view; }
    TZhdZoom GetPrevView() const { return PrevView; }
    TZhdZoom SetPrevView(TZhdZoom view) { return PrevView = view; }
    int GetPixelWidth() const { return PixelWidth; }
    int SetPixelWidth(int width) { return PixelWidth = width; }
    int GetPixelHeight() const { return PixelHeight; }
    int SetPixelHeight(int height) { return PixelHeight = height; }
    TBPoint GetMouseWorld() const { return MouseWorld; }
    // Also stores its screen point.
    TBPoint SetMouseWorld(TBPoint point);
    TBPoint GetMouseScreen() const { return MouseScreen; }
    // Also stores its drawing point.
    TBPoint SetMouseScreen(TBPoint point);
    TInfoREG* GetViewStatePtr() { return this; }
    TViewState GetViewState() const { return *this; }
    TInfoREG* SetViewState(const TViewState& state);

    // "画面倍率：…" with the scale, the centre and the resolution.
    std::string GetStatusText() const;

    // --- Transforms, pen widths and frame points (InfoRegView.cpp) ---
    // Output millimetres per pixel: the device's during a job, else the
    // screen's.
    double GetMMPerPixelX() const;
    double GetMMPerPixelY() const;
    // Fits the paper (its size, or the header paper's when not positive) into
    // the output area when the view has no usable scale.
    void SetBairitsu(double paper_width, double paper_height, const TZhdData& document);
    // Drawing millimetres to output pixels (fractions kept) and back.
    TBPoint WorldToScreen(const TBPoint& point) const;
    // WorldToScreen with the view's numbers read once.
    TScreenTransform ScreenTransform() const;
    // Each coordinate trunc(x + 0.5).
    TBPoint WorldToScreenRounded(const TBPoint& point) const;
    TBPoint ScreenToWorld(const TBPoint& point) const;
    // The drawing point of an output corner: 0 lower left, 1 lower right,
    // 2 upper right, 3 upper left.
    TBPoint GetViewCorner(int kind) const;
    // Pen width in pixels, at least 1: the element's width, or the print
    // pen's of its colour number when that is 0.
    unsigned GetPenWidthPixels(unsigned width, int color_number, TZhdData& document) const;
    // The same for a width already resolved (never 0).
    unsigned PenWidthPixelsOf(unsigned width) const;
    // The view's scale raised to the power that PenWidthFix (kind 0),
    // PenPitchFix (1), PenHankeiFix (2) or PenEdgeFix (3) chooses.
    double GetScalePower(int kind) const;
    // Reference point `kind` (0 to 8, keypad order minus 1) of the print
    // frame around the printer area's point.
    TBPoint GetPrintFramePoint(unsigned kind, const TZhdData& document) const;
    // The frame centre for which `point` is reference point `kind`.
    TBPoint GetPrintFrameCentre(int kind, const TBPoint& point, const TZhdData& document) const;

    // --- Line primitives (InfoRegLines.cpp) ---
    // A segment in drawing millimetres with a header line type: dashes from
    // its pattern, or a zig-zag. Returns 1.
    int DrawLineWithType(TCanvas& canvas, const TBPoint& start, const TBPoint& end, const TZhdLType& type);
    int DrawSegment(TCanvas& canvas, const TBPoint& start, const TBPoint& end);
    int DrawSegmentRounded(TCanvas& canvas, const TBPoint& start, const TBPoint& end);
    // DrawSegmentRounded of two points already turned into output points.
    int DrawOutputSegmentRounded(TCanvas& canvas, TBPoint from, TBPoint to);
    int DrawSegmentXY(TCanvas& canvas, double x1, double y1, double x2, double y2);
    // Output points; returns their number minus 1.
    int DrawPolyline(TCanvas& canvas, const std::vector<TBPoint>& points);
    // A filled dot of `radius` pixels, or one pixel for radius 0.
    int DrawDot(TCanvas& canvas, const TBPoint& point, int color, int radius);

    // --- Arcs and ellipses (InfoRegArc.cpp) ---
    // 1 when something was drawn in the output area (or a whole circle was
    // handed to the canvas), else 0.
    int DrawArc(TCanvas& canvas, const TBPoint& center, double radius, const TAngle& start, const TAngle& sweep,
                double flatness, const TAngle& tilt, const TZhdLType& type, int fill);

    // --- Arc solids (InfoRegSolid.cpp) ---
    // Fills the figure of an arc solid (ellipse, sector, segment, tangent
    // figure, ring) clipped to the output area: 0 for a plain solid or when
    // nothing lies in the output area, 1 when a polygon was filled, the
    // arc's result for a whole circle and for the arc-line kind. The caller
    // sets the pen and brush colours.
    int DrawSolid(TCanvas& canvas, TKSolid solid);

    // --- Overlays in not-XOR mode (InfoRegOverlays.cpp) ---
    // The view's own overlays, unless a job draws or a block draws its
    // contents: the print frame in print or output mode (at the printer
    // area's point, or placed on the mouse point by the area's reference
    // point while the frame follows the mouse), then the cross-hair at the
    // mouse point. Drawn twice they cancel out.
    void DrawViewOverlays(TCanvas& canvas, TZhdData& document);
    int DrawCrossHair(TCanvas& canvas, const TBPoint& point, TZhdData& document);
    // The ends of the cross-hair's two lines through the point: 0 to 2 along
    // the drawing's axis, 1 to 3 across it (drawing millimetres).
    std::array<TBPoint, 4> GetCrossHairEnds(const TBPoint& point, const TZhdData& document) const;
    // The print frame's corners around its centre, turned by the print
    // angle; the lower edge runs from corner 0 to corner 1.
    std::array<TBPoint, 4> GetPrintFrameCorners(const TBPoint& center, const TZhdData& document) const;
    int DrawCrossHairXY(TCanvas& canvas, double x, double y, TZhdData& document);
    int DrawPrintFrame(TCanvas& canvas, const TBPoint& center, TZhdData& document);
    int DrawPrintFrameXY(TCanvas& canvas, double x, double y, TZhdData& document);

    // Not copied.
    std::map<std::string, std::string> References;
    // The reference file's modification time at its last load.
    std::optional<std::int64_t> ReferenceFileAge;
    std::string StatusText;
    unsigned char AbortFlag = 0;
    unsigned char DrawingFlag = 0;

    // The line types' print rules: the print pitch applies (pens drawn with
    // their widths, and a job, the preview or a pen of 2 pixels or more)...
    bool UsesPrintPitch(const TCanvas& canvas) const;
    // ...and it follows the print scale (a job, or the preview when asked).
    bool FollowsPrintScale() const;
    // The visible area in drawing millimetres, widened by a margin.
    TClipBox ViewBox(double margin) const;

    // Steps the line-type walks of lines and arcs have taken (a pattern bit
    // or a point of the curve each) since this object was made: what the
    // walks cost, which follows what can be seen, not the figure's size.
    std::uint64_t PatternSteps() const { return pattern_steps_; }

private:
    // Buffers the primitives reuse from one element to the next, so that
    // drawing allocates nothing per element; no drawing leaves anything in
    // them that a later one reads. A copy starts with empty ones.
    struct TScratch {
        // A polyline's pixels (DrawPolyline, and the arcs' dashes).
        std::vector<TPointI> pixels;
        std::vector<double> crossings;
        std::vector<double> crossing_xs;
        std::vector<double> crossing_ys;
        std::vector<int> crossing_codes;
    };

    // DrawArc after the sweep and the canvas styles are settled.
    int DrawArcOutline(TCanvas& canvas, const TBPoint& center, double radius, const TAngle& start,
                       const TAngle& sweep, double flatness, const TAngle& tilt, const TZhdLType& type, int fill);
    const std::vector<double>& BorderCrossings(const EllipseArcDescription& arc);
    // Reference point `kind`'s offset from the frame centre, turned by the
    // print angle; the centre itself for a kind outside 0 to 8.
    TBPoint PrintFrameOffset(int kind, const TZhdData& document) const;

    TScratch scratch_;
    std::uint64_t pattern_steps_ = 0;
};
