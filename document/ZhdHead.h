#pragma once

// TZhdHead: every drawing-wide setting of one drawing: identification, paper,
// the 16 layer groups with their 16 layers each, grid, sun-shadow and sky-map
// conditions, stored views and mark jumps, parallel lines, the pen, print-pen,
// line-type and line-parameter tables, drawing and printing flags, 2.5D view
// settings, last-used sizes, text kinds and text arrangement.
//
// A plain value: copied whole wherever a snapshot of the settings is needed.
// Values are stored as given, without range checks. Indexed access to groups,
// layers, pens, print pens and line types follows the container rule (absolute
// value, limited to the last entry), so a write group or state read from a
// file can never index outside a table; the group scale masks the group index
// with 15 instead.
//
// The drawing-file stream format is in ZhdHeadStream.cpp, the readable report
// in HeadReport.cpp, the group and layer presets in HeadPresets.cpp.

#include "core/BPoint.h"
#include "core/TextUtil.h"
#include "core/Vect.h"
#include "document/Forward.h"
#include "document/ZhdGrp.h"
#include "document/ZhdLType.h"
#include "document/ZhdMoji.h"
#include "document/ZhdPen.h"
#include "document/ZhdZoom.h"

#include <cstdint>
#include <string>
#include <utility>

class TStream;

// How reading a header from a stream ended.
enum class THeadReadResult {
    Complete,
    // The stream ended inside the header: the fields it could not deliver,
    // and the entries the file never holds, hold their defaults.
    RanShort,
    // The first eight bytes are not the magic: nothing after them was taken,
    // and every other field holds its default.
    WrongMagic,
};

class TZhdHead {
public:
    static constexpr int GroupCount = GroupsPerDrawing;
    static constexpr int DummyCount = 15;
    static constexpr int DimensionSettingCount = 5;
    static constexpr int MarkJumpCount = 11;
    static constexpr int ParallelLineCount = 10;
    static constexpr int PenCount = 357;
    static constexpr int LineTypeCount = 63;
    static constexpr int TextKindCount = 11;
    static constexpr int TextShiftCount = 3;

    TZhdHead();

    // Identification. The file name is never stored in the drawing file.
    std::string GetFileName() const { return file_name_; }
    std::string SetFileName(std::string name);
    std::string GetMagic() const { return magic_; }
    std::string SetMagic(std::string magic);
    // Data version times 100: 420 is version 4.20.
    std::uint32_t GetVersion() const { return version_; }
    std::uint32_t SetVersion(std::uint32_t version) { return version_ = version; }
    std::string GetMemo() const { return memo_; }
    // 0: the whole memo. n >= 1: line n, the memo cut at every run of CR and
    // LF with empty pieces dropped; empty text when there are fewer lines
    // (and for a negative n).
    std::string GetMemoLine(int n) const;
    std::string SetMemo(std::string memo);
    int GetPaperSize() const { return paper_size_; }
    int SetPaperSize(int code) { return paper_size_ = code; }

    // Groups and layers.
    int GetWriteGroup() const { return write_group_; }
    int SetWriteGroup(int group) { return write_group_ = group; }
    TVect<TZhdGrp> GetGroups() const { return groups_; }
    TVect<TZhdGrp> SetGroups(TVect<TZhdGrp> groups);
    TZhdGrp GetGroup(int g) const { return groups_.Get(g); }
    TZhdGrp SetGroup(int g, TZhdGrp group) { return groups_.Set(g, std::move(group)); }
    TZhdLay GetLayer(int g, int l) const { return groups_.Get(g).GetLayer(l); }
    TZhdLay SetLayer(int g, int l, TZhdLay layer);
    int GetGroupState(int g) const { return groups_.Get(g).GetState(); }
    int GetLayerState(int g, int l) const { return GetLayer(g, l).GetState(); }
    // mask(group state) AND mask(layer state), mask(n) = 2^n - 1 from the
    // state-mask table: bit 0 shown, bit 1 editable, bit 2 write target, each
    // only when both allow it. A state outside the table gives mask 0.
    int GetLayerStateMask(int g, int l) const;
    int GetGroupProtect(int g) const { return groups_.Get(g).GetProtect(); }
    int GetLayerProtect(int g, int l) const { return GetLayer(g, l).GetProtect(); }
    // Group index taken AND 15.
    double GetGroupScale(int g) const;
    double SetGroupScale(int g, double scale);

    TVect<std::uint32_t> GetDummy() const { return dummy_; }
    TVect<std::uint32_t> SetDummy(TVect<std::uint32_t> words);
    TVect<std::uint32_t> GetDimensionSettings() const { return dimension_settings_; }
    TVect<std::uint32_t> SetDimensionSettings(TVect<std::uint32_t> words);
    int GetMaxLineDrawWidth() const { return max_line_draw_width_; }
    int SetMaxLineDrawWidth(int width) { return max_line_draw_width_ = width; }
    // Code: output base point (0 to 8) times 10 plus the 90-degree rotation.
    TZhdZoomF GetPrinterArea() const { return printer_area_; }
    TZhdZoomF SetPrinterArea(TZhdZoomF area);

    // Grid, sun shadow, sky map.
    int GetGridMode() const { return grid_mode_; }
    int SetGridMode(int mode) { return grid_mode_ = mode; }
    double GetGridMinDotSpacing() const { return grid_min_dot_spacing_; }
    double SetGridMinDotSpacing(double dots) { return grid_min_dot_spacing_ = dots; }
    TBPoint GetGridSpacing() const { return grid_spacing_; }
    TBPoint SetGridSpacing(TBPoint spacing) { return grid_spacing_ = spacing; }
    TBPoint GetGridOrigin() const { return grid_origin_; }
    TBPoint SetGridOrigin(TBPoint origin) { return grid_origin_ = origin; }
    double GetShadowSurfaceHeight() const { return shadow_surface_height_; }
    double SetShadowSurfaceHeight(double height) { return shadow_surface_height_ = height; }
    double GetLatitude() const { return latitude_; }
    double SetLatitude(double latitude) { return latitude_ = latitude; }
    int GetShadow9To15() const { return shadow_9_to_15_; }
    int SetShadow9To15(int flag) { return shadow_9_to_15_ = flag; }
    double GetWallShadowSurfaceHeight() const { return wall_shadow_surface_height_; }
    double SetWallShadowSurfaceHeight(double height) { return wall_shadow_surface_height_ = height; }
    double GetSkyMapSurfaceHeight() const { return sky_map_surface_height_; }
    double SetSkyMapSurfaceHeight(double height) { return sky_map_surface_height_ = height; }
    double GetSkyMapDiameter() const { return sky_map_diameter_; }
    double SetSkyMapDiameter(double diameter) { return sky_map_diameter_ = diameter; }
    // Non-zero: 2.5D calculations in millimetres.
    int Get25DUnit() const { return unit_25d_; }
    int Set25DUnit(int flag) { return unit_25d_ = flag; }

    // Views.
    TZhdZoom GetSavedView() const { return saved_view_; }
    TZhdZoom SetSavedView(TZhdZoom view);
    TZhdZoom GetRangeMemoryView() const { return range_memory_view_; }
    TZhdZoom SetRangeMemoryView(TZhdZoom view);
    // Entries 1 to 10 are used; the code is the jump's "GL" value.
    TVect<TZhdZoomF> GetMarkJumps() const { return mark_jumps_; }
    TVect<TZhdZoomF> SetMarkJumps(TVect<TZhdZoomF> jumps);
    TVect<double> GetParallelLineDistances() const { return parallel_line_distances_; }
    TVect<double> SetParallelLineDistances(TVect<double> distances);
    double GetParallelLineEndExtension() const { return parallel_line_end_extension_; }
    double SetParallelLineEndExtension(double extension) { return parallel_line_end_extension_ = extension; }

    // Pens 0 (background) to 9 and 100 to 356; line types 2 to 19 and 30 to
    // 62 with the parameters of 30 to 62.
    TZhdPen GetPen(int i) const { return pens_.Get(i); }
    TZhdPrtPen GetPrtPen(int i) const { return print_pens_.Get(i); }
    TVect<TZhdPen> GetPens() const { return pens_; }
    TVect<TZhdPen> SetPens(TVect<TZhdPen> pens);
    TVect<TZhdPrtPen> GetPrtPens() const { return print_pens_; }
    TVect<TZhdPrtPen> SetPrtPens(TVect<TZhdPrtPen> pens);
    TZhdLType GetLType(int i) const { return line_types_.Get(i); }
    TVect<TZhdLType> GetLTypes() const { return line_types_; }
    TVect<TZhdLType> SetLTypes(TVect<TZhdLType> types);
    TVect<TZhdLParameter> GetLParameters() const { return line_parameters_; }
    TVect<TZhdLParameter> SetLParameters(TVect<TZhdLParameter> parameters);

    // --- The CAD settings file (CadSettingsFile.cpp) ---
    // Applies the settings file's lines in order until one beginning "END":
    // "LTYPE_" lines replace line types, "LCOLLOR_" lines screen pens,
    // "PCOLLOR_" lines print pens; comments ("#") and other keys are skipped.
    // Then group g and its layer l of the state (its layer group and layer)
    // become the write target, g's write layer becomes l; the header's write
    // group stays, and g or l outside 0 to 15 changes no state. `info` is not
    // read. A value that does not convert raises TLineConvertError with the
    // line's index and a message naming the line; the lines before it stay
    // applied.
    void ApplySettingsFile(const TStatusZHG& state, const TInfoZHG& info, const StringList& lines);
    // --- end of the CAD settings file ---

    // Drawing and printing flags.
    int GetPointRadiusOnScreen() const { return point_radius_on_screen_; }
    int SetPointRadiusOnScreen(int flag) { return point_radius_on_screen_ = flag; }
    int GetPointRadiusOnPrinter() const { return point_radius_on_printer_; }
    int SetPointRadiusOnPrinter(int flag) { return point_radius_on_printer_ = flag; }
    int GetBitmapFirst() const { return bitmap_first_; }
    int SetBitmapFirst(int flag) { return bitmap_first_ = flag; }
    int GetReverseDraw() const { return reverse_draw_; }
    int SetReverseDraw(int flag) { return reverse_draw_ = flag; }
    int GetReverseSearch() const { return reverse_search_; }
    int SetReverseSearch(int flag) { return reverse_search_ = flag; }
    int GetColorPrint() const { return color_print_; }
    int SetColorPrint(int flag) { return color_print_ = flag; }
    int GetPrintInLayerOrder() const { return print_in_layer_order_; }
    int SetPrintInLayerOrder(int flag) { return print_in_layer_order_ = flag; }
    int GetPrintInColorOrder() const { return print_in_color_order_; }
    int SetPrintInColorOrder(int flag) { return print_in_color_order_ = flag; }
    int GetContinuousPrintMode() const { return continuous_print_mode_; }
    int SetContinuousPrintMode(int mode) { return continuous_print_mode_ = mode; }
    int GetGreyDisplayOnlyPrint() const { return grey_display_only_print_; }
    int SetGreyDisplayOnlyPrint(int flag) { return grey_display_only_print_ = flag; }
    int GetSkipDisplayOnlyPrint() const { return skip_display_only_print_; }
    int SetSkipDisplayOnlyPrint(int flag) { return skip_display_only_print_ = flag; }
    // Seconds.
    int GetDrawingTime() const { return drawing_time_; }
    int SetDrawingTime(int seconds) { return drawing_time_ = seconds; }
    int Get25DStartFlag() const { return start_flag_25d_; }
    int Set25DStartFlag(int flag) { return start_flag_25d_ = flag; }

    // 2.5D views (angles in degrees) and last-used sizes.
    double GetPerspectiveHAngle() const { return perspective_h_angle_; }
    double SetPerspectiveHAngle(double degrees) { return perspective_h_angle_ = degrees; }
    double GetBirdsEyeHAngle() const { return birds_eye_h_angle_; }
    double SetBirdsEyeHAngle(double degrees) { return birds_eye_h_angle_ = degrees; }
    double GetIsometricHAngle() const { return isometric_h_angle_; }
    double SetIsometricHAngle(double degrees) { return isometric_h_angle_ = degrees; }
    double GetPerspectiveHeight() const { return perspective_height_; }
    double SetPerspectiveHeight(double height) { return perspective_height_ = height; }
    double GetPerspectiveDistance() const { return perspective_distance_; }
    double SetPerspectiveDistance(double distance) { return perspective_distance_ = distance; }
    double GetBirdsEyeHeight() const { return birds_eye_height_; }
    double SetBirdsEyeHeight(double height) { return birds_eye_height_ = height; }
    double GetBirdsEyeDistance() const { return birds_eye_distance_; }
    double SetBirdsEyeDistance(double distance) { return birds_eye_distance_ = distance; }
    double GetIsometricVAngle() const { return isometric_v_angle_; }
    double SetIsometricVAngle(double degrees) { return isometric_v_angle_ = degrees; }
    double GetLastLineLength() const { return last_line_length_; }
    double SetLastLineLength(double length) { return last_line_length_ = length; }
    double GetLastRectWidth() const { return last_rect_width_; }
    double SetLastRectWidth(double width) { return last_rect_width_ = width; }
    double GetLastRectHeight() const { return last_rect_height_; }
    double SetLastRectHeight(double height) { return last_rect_height_ = height; }
    double GetLastCircleRadius() const { return last_circle_radius_; }
    double SetLastCircleRadius(double radius) { return last_circle_radius_ = radius; }

    // Solids and texts.
    int GetSolidAnyColor() const { return solid_any_color_; }
    int SetSolidAnyColor(int flag) { return solid_any_color_ = flag; }
    // An RGB word.
    int GetSolidDefaultColor() const { return solid_default_color_; }
    int SetSolidDefaultColor(int color) { return solid_default_color_ = color; }
    // Text kinds 1 to 10 (entry 0 is never stored).
    TVect<TZhdaMoji> GetTextKinds() const { return text_kinds_; }
    TVect<TZhdaMoji> SetTextKinds(TVect<TZhdaMoji> kinds);
    TZhdaMoji GetFreeTextKind() const { return free_text_kind_; }
    TZhdaMoji SetFreeTextKind(TZhdaMoji kind) { return free_text_kind_ = kind; }
    int GetWriteTextKind() const { return write_text_kind_; }
    int SetWriteTextKind(int kind) { return write_text_kind_ = kind; }
    double GetTextLineSpacing() const { return text_line_spacing_; }
    double SetTextLineSpacing(double spacing) { return text_line_spacing_ = spacing; }
    double GetTextCharCount() const { return text_char_count_; }
    double SetTextCharCount(double count) { return text_char_count_ = count; }
    int GetTextShiftFlag() const { return text_shift_flag_; }
    int SetTextShiftFlag(int flag) { return text_shift_flag_ = flag; }
    // Reference-point shifts: x 0 left, 1 centre, 2 right; y 0 bottom,
    // 1 middle, 2 top.
    TVect<double> GetTextShiftsX() const { return text_shifts_x_; }
    TVect<double> SetTextShiftsX(TVect<double> shifts);
    TVect<double> GetTextShiftsY() const { return text_shifts_y_; }
    TVect<double> SetTextShiftsY(TVect<double> shifts);

    TZhdHead& AsHead() { return *this; }
    TZhdHead& Assign(const TZhdHead& other);
    TZhdHead& SetHead(TZhdHead other);
    int GetZero() const { return 0; }

    // Drawing-file format. The reader reads into the header as it stands:
    // entries the file does not hold keep their values. A header that runs
    // short or has a wrong magic is read into a fresh header instead (the
    // file name stays: it is not part of the file), so nothing of an earlier
    // drawing mixes in past the end of its data. The writer writes the
    // layout of the version field and changes nothing.
    THeadReadResult ReadFromStream(TStream& stream);
    void WriteToStream(TStream& stream) const;

    // The readable report: the full one for the debug log, a shorter one for
    // the print-information window with pen widths at the printer's
    // resolution (dots per inch; 0 or less leaves the conversion out).
    void AppendInformation(StringList& lines) const;
    void AppendPrintInformation(StringList& lines, double dpi) const;

    // Group and layer presets, applied to copies of the displayed header:
    // one group or layer shown alone (the group and layer thumbnails), or
    // selected for a page of its own (the print job). The Select operations
    // return 1 when applied, 0 when the group or layer cannot be printed.
    void ShowGroupAlone(int g);
    void ShowLayerAlone(int g, int l);
    int SelectGroupForPrint(int g, int grey);
    int SelectLayerForPrint(int g, int l, int grey);

    // --- External-command text form: header lines (ZhdHeadTextForm.cpp) and
    // attribute directives (AttributeDirectives.cpp). ---
    // Reads the header lines from the front of the list, up to and including
    // the first line beginning "#": their values go into this header, the
    // state and the information, and the information's line index becomes the
    // index of the first element line (it keeps its value when there is no
    // "#" line). Named points are appended to those the information holds.
    // Raises TLineConvertError when an integer field does not convert.
    void ReadZhcHeader(TStatusZHG& state, TInfoZHG& info, const StringList& lines);
    // Appends the header lines for the current values, ending with "#".
    void WriteZhcHeader(const TStatusZHG& state, const TInfoZHG& info, StringList& lines) const;
    // Group g becomes a write target (state 3) with write layer l, and layer
    // (g, l) gets state 3; a group or layer outside 0 to 15 changes nothing.
    void MakeWriteTarget(int g, int l);
    // Applies one directive line ("lg3", "ly0 11", "lc10 255", "cn0 2 2 0 1",
    // the font line ...) to the state and, for names, protections, states and
    // text kind 0, to this header; any other line changes nothing. Raises
    // ConvertError when an integer field does not convert.
    void ParseAttributeDirective(const std::string& line, TStatusZHG& state);
    // The directive line of the key ("lg", "ly", "lc", "lt", "lw", "pn", "cn",
    // "cn$", "lgp", "lyp", "lgn", "lyn") for the state; "" for any other key.
    std::string FormatAttributeDirective(const std::string& key, const TStatusZHG& state) const;
    // Where the key's members differ between the new state and the writer's
    // running state, brings the running state up to date and appends the
    // key's directive lines; returns the last line appended, or "".
    std::string EmitChangedAttribute(const std::string& key, const TStatusZHG& new_state, TStatusZHG& running,
                                     StringList& lines) const;

private:
    bool ReadLayout(TStream& stream);
    template <typename Head, typename Io>
    static void TransferLayout(Head& head, Io& io);

    std::string file_name_;
    std::string magic_;
    std::uint32_t version_ = 420;
    std::string memo_ = "\r\n";
    int paper_size_ = 1;
    int write_group_ = 0;
    TVect<TZhdGrp> groups_;
    TVect<std::uint32_t> dummy_;
    TVect<std::uint32_t> dimension_settings_;
    int max_line_draw_width_ = 1;
    TZhdZoomF printer_area_;
    int grid_mode_ = 0;
    double grid_min_dot_spacing_ = 15.0;
    TBPoint grid_spacing_ { 5.0, 5.0 };
    TBPoint grid_origin_;
    double shadow_surface_height_ = 0.0;
    double latitude_ = 36.0;
    int shadow_9_to_15_ = 0;
    double wall_shadow_surface_height_ = 0.0;
    double sky_map_surface_height_ = 0.0;
    double sky_map_diameter_ = 50.0;
    int unit_25d_ = 0;
    TZhdZoom saved_view_;
    TZhdZoom range_memory_view_;
    TVect<TZhdZoomF> mark_jumps_;
    TVect<double> parallel_line_distances_;
    double parallel_line_end_extension_ = 0.0;
    TVect<TZhdPen> pens_;
    TVect<TZhdPrtPen> print_pens_;
    TVect<TZhdLType> line_types_;
    TVect<TZhdLParameter> line_parameters_;
    int point_radius_on_screen_ = 0;
    int point_radius_on_printer_ = 0;
    int bitmap_first_ = 0;
    int reverse_draw_ = 0;
    int reverse_search_ = 0;
    int color_print_ = 0;
    int print_in_layer_order_ = 0;
    int print_in_color_order_ = 0;
    int continuous_print_mode_ = 0;
    int grey_display_only_print_ = 0;
    int skip_display_only_print_ = 0;
    int drawing_time_ = 0;
    int start_flag_25d_ = 0;
    double perspective_h_angle_ = 0.0;
    double birds_eye_h_angle_ = 0.0;
    double isometric_h_angle_ = 0.0;
    double perspective_height_ = 0.0;
    double perspective_distance_ = 0.0;
    double birds_eye_height_ = 0.0;
    double birds_eye_distance_ = 0.0;
    double isometric_v_angle_ = 0.0;
    double last_line_length_ = 0.0;
    double last_rect_width_ = 0.0;
    double last_rect_height_ = 0.0;
    double last_circle_radius_ = 0.0;
    int solid_any_color_ = 0;
    int solid_default_color_ = 0;
    TVect<TZhdaMoji> text_kinds_;
    TZhdaMoji free_text_kind_;
    int write_text_kind_ = 0;
    double text_line_spacing_ = 0.0;
    double text_char_count_ = 0.0;
    int text_shift_flag_ = 0;
    TVect<double> text_shifts_x_;
    TVect<double> text_shifts_y_;
};
