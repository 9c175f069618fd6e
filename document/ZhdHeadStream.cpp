// The drawing header's byte layout: the start of every drawing file, followed
// directly by the element list and the block definitions.
//
// The layout has two version gates, both comparing the version as unsigned:
// 300 adds the sky-map values and ten mark jumps with codes (instead of four
// without), 420 adds the extended pens, line types and line parameters. With
// the memo and every name empty a header takes 4,137 bytes below version 300,
// 4,337 bytes from 300 and 14,095 bytes from 420.
//
// Reading resets the header to its defaults first, so table entries the file
// never holds (mark jump 0, pens 10 to 99, line types 0, 1, 10 and 20 to 29,
// text kind 0, and whatever a version's gates leave out) and fields past the
// end of a short stream hold their defaults, never an earlier drawing's
// values. Nothing is allocated from a length the stream cannot back (see
// core/Archive.h), so a hostile header costs at most its own size.

#include "document/ZhdHead.h"

#include "core/Archive.h"
#include "core/DebugLog.h"
#include "document/RecordFields.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr char header_magic[] = "ZhdData.";
constexpr std::size_t magic_length = 8;

bool HasSkyMap(std::uint32_t version)
{
    return version >= 300;
}

bool HasExtendedTables(std::uint32_t version)
{
    return version >= 420;
}

// Mark jumps 1 to 10, with codes, from version 300; 1 to 4 before.
int StoredMarkJumps(std::uint32_t version)
{
    return HasSkyMap(version) ? 10 : 4;
}

constexpr int first_stored_line_type = 2;
constexpr int last_stored_line_type = 19;
constexpr int unstored_line_type = 10;
constexpr int first_extended_index = 100;
constexpr int first_extended_line_type = 30;
constexpr int stored_basic_pens = 10;
constexpr int stored_text_kinds = 10;

int LineTypeForm(int index)
{
    return index >= 11 && index <= 15 ? TZhdLType::RandomLineForm : 1;
}

// The horizontal angles are stored in hundredths of a degree, truncated
// toward zero. Values beyond the 32-bit range (only a setter can produce them)
// saturate, and NaN is stored as 0.
std::int32_t ToHundredths(double degrees)
{
    const double hundredths = std::trunc(degrees * 100.0);
    if (std::isnan(hundredths))
        return 0;
    if (hundredths >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (hundredths <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(hundredths);
}

void ReadHundredths(TStream& stream, double& degrees)
{
    std::int32_t hundredths = 0;
    if (stream.ReadExact(&hundredths, sizeof hundredths))
        degrees = hundredths * 0.01;
}

void ReadPoint(TStream& stream, TBPoint& point)
{
    double x = point.GetX();
    double y = point.GetY();
    ReadField(stream, x);
    ReadField(stream, y);
    point.SetXY(x, y);
}

void WritePoint(TStream& stream, const TBPoint& point)
{
    WriteField(stream, point.GetX());
    WriteField(stream, point.GetY());
}

// The header's own view record puts the scale in front of the point.
void ReadStoredView(TStream& stream, TZhdZoom& view)
{
    double scale = view.GetScale();
    ReadField(stream, scale);
    view.SetScale(scale);
    ReadPoint(stream, view);
}

void WriteStoredView(TStream& stream, const TZhdZoom& view)
{
    WriteField(stream, view.GetScale());
    WritePoint(stream, view);
}

template <typename T>
void ReadTableField(TStream& stream, TVect<T>& table, int index)
{
    T value = table.Get(index);
    ReadField(stream, value);
    table.Set(index, value);
}

void LogPosition(const char8_t* caption, const TStream& stream)
{
    WriteDebugLog(sj(caption) + StringPrintf("%08llx", static_cast<unsigned long long>(stream.GetPosition())));
}

} // namespace

// struct Header {                               V: the version
//     char     magic[8];                        "ZhdData."
//     u32      version;
//     string   memo;                            archive strings, Shift-JIS
//     u32      paper_size, write_group;
//     GroupNumbers groups[16];                  148 bytes each
//     u32      dummy[0..13], dimension_settings[5], dummy[14];
//     u32      max_line_draw_width;
//     ZoomF    printer_area;                    x, y, scale, code
//     u32      grid_mode;
//     f64      grid_min_dot_spacing;
//     f64      grid_spacing_x, grid_spacing_y, grid_origin_x, grid_origin_y;
//     string   layer_names[16][16];             group 0 layers 0-15 first
//     string   group_names[16];
//     f64      shadow_surface_height, latitude;
//     u32      shadow_9_to_15;
//     f64      wall_shadow_surface_height;
//     f64      sky_map_surface_height, sky_map_diameter;         V >= 300
//     u32      unit_25d;
//     View     saved_view, range_memory_view;   scale, x, y
//     MarkJump mark_jumps[1..10];               V >= 300: scale, x, y, code
//              mark_jumps[1..4];                V <  300: scale, x, y
//     f64      parallel_line_distances[10], parallel_line_end_extension;
//     Pen      pens[0..9];
//     PrtPen   print_pens[0..9];
//     LineType line_types[2..9];                16 bytes each
//     RandomLine line_types[11..15];            20 bytes each
//     LineType line_types[16..19];
//     u32      point_radius_on_screen, point_radius_on_printer, bitmap_first,
//              reverse_draw, reverse_search, color_print, print_in_layer_order,
//              print_in_color_order, continuous_print_mode,
//              grey_display_only_print, skip_display_only_print,
//              drawing_time, start_flag_25d;
//     i32      perspective_h_angle, birds_eye_h_angle, isometric_h_angle;   1/100 degree
//     f64      perspective_height, perspective_distance, birds_eye_height,
//              birds_eye_distance, isometric_v_angle, last_line_length,
//              last_rect_width, last_rect_height, last_circle_radius;
//     u32      solid_any_color, solid_default_color;
//     Pen      pens[100..356];                  V >= 420
//     NamedPrtPen print_pens[100..356];         V >= 420
//     LineType line_types[30..62];              V >= 420
//     LineParameter line_parameters[30..62];    V >= 420
//     TextKind text_kinds[1..10], free_text_kind;
//     u32      write_text_kind;
//     f64      text_line_spacing, text_char_count;
//     u32      text_shift_flag;
//     f64      text_shifts_x[3], text_shifts_y[3];
// };
THeadReadResult TZhdHead::ReadFromStream(TStream& stream)
{
    std::string file_name = std::move(file_name_);
    *this = TZhdHead();
    file_name_ = std::move(file_name);

    // Whether the header itself ran short, whatever the stream had been
    // through before; the flag is put back as it was found.
    const bool was_short = stream.RanShort();
    stream.ClearRanShort();
    const bool magic_matches = ReadLayout(stream);
    const bool ran_short = stream.RanShort();
    if (was_short && !ran_short) {
        const std::uint64_t position = stream.GetPosition();
        stream.MarkRanShort();
        stream.SetPosition(position);
    }
    if (!magic_matches)
        return THeadReadResult::WrongMagic;
    return ran_short ? THeadReadResult::RanShort : THeadReadResult::Complete;
}

bool TZhdHead::ReadLayout(TStream& stream)
{
    char magic[magic_length + 1] = {};
    stream.Read(magic, magic_length);
    magic_ = magic;
    if (magic_ != header_magic)
        return false;

    ReadField(stream, version_);
    const std::uint32_t version = version_;
    memo_ = ReadArchiveString(stream);
    ReadField(stream, paper_size_);
    ReadField(stream, write_group_);

    // Numbers first; the names of layers and groups come much later.
    std::array<TZhdGrp, GroupCount> groups;
    for (TZhdGrp& group : groups)
        group.ReadNumbers(stream, version);

    for (int i = 0; i < 14; ++i)
        ReadTableField(stream, dummy_, i);
    for (int i = 0; i < DimensionSettingCount; ++i)
        ReadTableField(stream, dimension_settings_, i);
    ReadTableField(stream, dummy_, 14);

    ReadField(stream, max_line_draw_width_);
    printer_area_.Read(stream, version);
    ReadField(stream, grid_mode_);
    ReadField(stream, grid_min_dot_spacing_);
    ReadPoint(stream, grid_spacing_);
    ReadPoint(stream, grid_origin_);

    for (TZhdGrp& group : groups) {
        for (int l = 0; l < TZhdGrp::LayerCount; ++l) {
            TZhdLay layer = group.GetLayer(l);
            layer.ReadName(stream, version);
            group.SetLayer(l, std::move(layer));
        }
    }
    for (int g = 0; g < GroupCount; ++g) {
        groups[g].ReadName(stream, version);
        groups_.Set(g, std::move(groups[g]));
    }

    ReadField(stream, shadow_surface_height_);
    ReadField(stream, latitude_);
    ReadField(stream, shadow_9_to_15_);
    ReadField(stream, wall_shadow_surface_height_);
    if (HasSkyMap(version)) {
        ReadField(stream, sky_map_surface_height_);
        ReadField(stream, sky_map_diameter_);
    }
    ReadField(stream, unit_25d_);

    ReadStoredView(stream, saved_view_);
    ReadStoredView(stream, range_memory_view_);
    for (int n = 1; n <= StoredMarkJumps(version); ++n) {
        TZhdZoomF jump = mark_jumps_.Get(n);
        ReadStoredView(stream, jump);
        if (HasSkyMap(version)) {
            int code = jump.GetCode();
            ReadField(stream, code);
            jump.SetCode(code);
        }
        mark_jumps_.Set(n, jump);
    }

    for (int i = 0; i < ParallelLineCount; ++i)
        ReadTableField(stream, parallel_line_distances_, i);
    ReadField(stream, parallel_line_end_extension_);

    for (int i = 0; i < stored_basic_pens; ++i) {
        TZhdPen pen = pens_.Get(i);
        pen.Read(stream, version);
        pens_.Set(i, pen);
    }
    for (int i = 0; i < stored_basic_pens; ++i) {
        TZhdPrtPen pen;
        pen.Read(stream, version);
        print_pens_.Set(i, std::move(pen));
    }
    for (int i = first_stored_line_type; i <= last_stored_line_type; ++i) {
        if (i == unstored_line_type)
            continue;
        TZhdLType type;
        type.Read(stream, version, LineTypeForm(i));
        line_types_.Set(i, type);
    }

    for (int* flag : { &point_radius_on_screen_, &point_radius_on_printer_, &bitmap_first_, &reverse_draw_,
                       &reverse_search_, &color_print_, &print_in_layer_order_, &print_in_color_order_,
                       &continuous_print_mode_, &grey_display_only_print_, &skip_display_only_print_,
                       &drawing_time_, &start_flag_25d_ })
        ReadField(stream, *flag);
    ReadHundredths(stream, perspective_h_angle_);
    ReadHundredths(stream, birds_eye_h_angle_);
    ReadHundredths(stream, isometric_h_angle_);
    for (double* value : { &perspective_height_, &perspective_distance_, &birds_eye_height_, &birds_eye_distance_,
                           &isometric_v_angle_, &last_line_length_, &last_rect_width_, &last_rect_height_,
                           &last_circle_radius_ })
        ReadField(stream, *value);
    ReadField(stream, solid_any_color_);
    ReadField(stream, solid_default_color_);

    if (HasExtendedTables(version)) {
        for (int i = first_extended_index; i < PenCount; ++i) {
            TZhdPen pen;
            pen.Read(stream, version);
            pens_.Set(i, pen);
        }
        for (int i = first_extended_index; i < PenCount; ++i) {
            TZhdPrtPen pen;
            pen.ReadWithName(stream, version);
            print_pens_.Set(i, std::move(pen));
        }
        for (int i = first_extended_line_type; i < LineTypeCount; ++i) {
            TZhdLType type;
            type.Read(stream, version, 1);
            line_types_.Set(i, type);
        }
        for (int i = first_extended_line_type; i < LineTypeCount; ++i) {
            TZhdLParameter parameter;
            parameter.Read(stream, version);
            line_parameters_.Set(i, std::move(parameter));
        }
    }

    for (int i = 1; i <= stored_text_kinds; ++i) {
        TZhdaMoji kind;
        kind.Read(stream, version);
        text_kinds_.Set(i, kind);
    }
    free_text_kind_.Read(stream, version);
    ReadField(stream, write_text_kind_);
    ReadField(stream, text_line_spacing_);
    ReadField(stream, text_char_count_);
    ReadField(stream, text_shift_flag_);
    for (int i = 0; i < TextShiftCount; ++i)
        ReadTableField(stream, text_shifts_x_, i);
    for (int i = 0; i < TextShiftCount; ++i)
        ReadTableField(stream, text_shifts_y_, i);

    WriteDebugLog(StringPrintf("%llx", static_cast<unsigned long long>(stream.GetPosition())));
    return true;
}

void TZhdHead::WriteToStream(TStream& stream) const
{
    const std::uint32_t version = version_;
    stream.Write(header_magic, magic_length);
    WriteField(stream, version);
    WriteArchiveString(stream, memo_);
    WriteField(stream, paper_size_);
    WriteField(stream, write_group_);

    for (int g = 0; g < GroupCount; ++g)
        groups_.Get(g).WriteNumbers(stream, version);
    for (int i = 0; i < 14; ++i)
        WriteField(stream, dummy_.Get(i));
    for (int i = 0; i < DimensionSettingCount; ++i)
        WriteField(stream, dimension_settings_.Get(i));
    WriteField(stream, dummy_.Get(14));

    WriteField(stream, max_line_draw_width_);
    printer_area_.Write(stream, version);
    WriteField(stream, grid_mode_);
    WriteField(stream, grid_min_dot_spacing_);
    WritePoint(stream, grid_spacing_);
    WritePoint(stream, grid_origin_);

    for (int g = 0; g < GroupCount; ++g) {
        const TZhdGrp group = groups_.Get(g);
        for (int l = 0; l < TZhdGrp::LayerCount; ++l)
            group.GetLayer(l).WriteName(stream, version);
    }
    for (int g = 0; g < GroupCount; ++g)
        groups_.Get(g).WriteName(stream, version);

    WriteField(stream, shadow_surface_height_);
    WriteField(stream, latitude_);
    WriteField(stream, shadow_9_to_15_);
    WriteField(stream, wall_shadow_surface_height_);
    if (HasSkyMap(version)) {
        WriteField(stream, sky_map_surface_height_);
        WriteField(stream, sky_map_diameter_);
    }
    WriteField(stream, unit_25d_);

    WriteStoredView(stream, saved_view_);
    WriteStoredView(stream, range_memory_view_);
    for (int n = 1; n <= StoredMarkJumps(version); ++n) {
        const TZhdZoomF jump = mark_jumps_.Get(n);
        WriteStoredView(stream, jump);
        if (HasSkyMap(version))
            WriteField(stream, jump.GetCode());
    }

    for (int i = 0; i < ParallelLineCount; ++i)
        WriteField(stream, parallel_line_distances_.Get(i));
    WriteField(stream, parallel_line_end_extension_);

    for (int i = 0; i < stored_basic_pens; ++i)
        pens_.Get(i).Write(stream, version);
    for (int i = 0; i < stored_basic_pens; ++i)
        print_pens_.Get(i).Write(stream, version);
    for (int i = first_stored_line_type; i <= last_stored_line_type; ++i) {
        if (i != unstored_line_type)
            line_types_.Get(i).Write(stream, version, LineTypeForm(i));
    }

    for (int flag : { point_radius_on_screen_, point_radius_on_printer_, bitmap_first_, reverse_draw_,
                      reverse_search_, color_print_, print_in_layer_order_, print_in_color_order_,
                      continuous_print_mode_, grey_display_only_print_, skip_display_only_print_, drawing_time_,
                      start_flag_25d_ })
        WriteField(stream, flag);
    for (double degrees : { perspective_h_angle_, birds_eye_h_angle_, isometric_h_angle_ })
        WriteField(stream, ToHundredths(degrees));
    for (double value : { perspective_height_, perspective_distance_, birds_eye_height_, birds_eye_distance_,
                          isometric_v_angle_, last_line_length_, last_rect_width_, last_rect_height_,
                          last_circle_radius_ })
        WriteField(stream, value);
    WriteField(stream, solid_any_color_);
    WriteField(stream, solid_default_color_);

    if (HasExtendedTables(version)) {
        LogPosition(u8"SXF対応拡張線色定義：", stream);
        for (int i = first_extended_index; i < PenCount; ++i)
            pens_.Get(i).Write(stream, version);
        for (int i = first_extended_index; i < PenCount; ++i)
            print_pens_.Get(i).WriteWithName(stream, version);
        LogPosition(u8"SXF対応拡張線種定義：", stream);
        for (int i = first_extended_line_type; i < LineTypeCount; ++i)
            line_types_.Get(i).Write(stream, version, 1);
        LogPosition(u8"SXF対応拡張線種定義：", stream);
        for (int i = first_extended_line_type; i < LineTypeCount; ++i)
            line_parameters_.Get(i).Write(stream, version);
        LogPosition(u8"SXF対応拡張定義 End：", stream);
    }

    for (int i = 1; i <= stored_text_kinds; ++i)
        text_kinds_.Get(i).Write(stream, version);
    free_text_kind_.Write(stream, version);
    WriteField(stream, write_text_kind_);
    WriteField(stream, text_line_spacing_);
    WriteField(stream, text_char_count_);
    WriteField(stream, text_shift_flag_);
    for (int i = 0; i < TextShiftCount; ++i)
        WriteField(stream, text_shifts_x_.Get(i));
    for (int i = 0; i < TextShiftCount; ++i)
        WriteField(stream, text_shifts_y_.Get(i));
}
