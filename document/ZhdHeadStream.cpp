// The drawing header's byte layout: the start of every drawing file, followed
// directly by the element list and the block definitions.
//
// The layout has two version gates, both comparing the version as unsigned:
// 300 adds the sky-map values and ten mark jumps with codes (instead of four
// without), 420 adds the extended pens, line types and line parameters. With
// the memo and every name empty a header takes 4,137 bytes below version 300,
// 4,337 bytes from 300 and 14,095 bytes from 420.
//
// The layout is described once, in TransferLayout, and walked by a reader
// and a writer that each know one direction; a version gate therefore cannot
// be added to one side and forgotten on the other.
//
// Table entries the file never holds (mark jump 0, pens 10 to 99, line types
// 0, 1, 10 and 20 to 29, line parameters 0 to 29, text kind 0, and whatever a
// version's gates leave out) keep what the header held: an old drawing opened
// after a newer one keeps the text-display settings in effect. A header that
// is cut off or foreign is read again into a fresh header instead, so that
// nothing of an earlier drawing mixes in past the point where its data ended.
// Nothing is allocated from a length the stream cannot back (see
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
#include <type_traits>

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
constexpr int dummy_words_before_dimensions = 14;

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

// One direction of the walk: reading. Every field takes what the stream
// delivers; a field whose bytes are missing keeps its value.
class THeadReader {
public:
    THeadReader(TStream& stream, std::uint32_t version) : stream_(stream), version_(version) {}

    std::uint32_t Version() const { return version_; }

    template <typename Field>
    void Value(Field& field)
    {
        ReadField(stream_, field);
    }
    void Text(std::string& text) { text = ReadArchiveString(stream_); }
    void Point(TBPoint& point) { ReadPointField(stream_, point); }
    void Hundredths(double& degrees)
    {
        std::int32_t hundredths = 0;
        if (stream_.ReadExact(&hundredths, sizeof hundredths))
            degrees = hundredths * 0.01;
    }
    // A value behind an accessor pair.
    template <typename Object, typename Field>
    void Property(std::type_identity_t<Object>& object, Field (Object::*get)() const, Field (Object::*set)(Field))
    {
        Field value = (object.*get)();
        Value(value);
        (object.*set)(value);
    }
    // A value record through its own reader.
    template <typename Object, typename Read, typename Write, typename... Extra>
    void Record(Object& record, Read read, Write, Extra... extra)
    {
        (record.*read)(stream_, version_, extra...);
    }
    // Table entry `index`, read into a copy of what the table holds there.
    template <typename Item, typename Transfer>
    void Entry(TVect<Item>& table, int index, Transfer transfer)
    {
        Item entry = table.Get(index);
        transfer(entry);
        table.Set(index, std::move(entry));
    }
    // Table entry `index`, read into a default record.
    template <typename Item, typename Transfer>
    void FreshEntry(TVect<Item>& table, int index, Transfer transfer)
    {
        Item entry {};
        transfer(entry);
        table.Set(index, std::move(entry));
    }
    void MarkPosition(const char8_t*) {}

private:
    TStream& stream_;
    std::uint32_t version_;
};

// The other direction: writing. Entries are written from copies, so writing
// changes nothing in the header.
class THeadWriter {
public:
    THeadWriter(TStream& stream, std::uint32_t version) : stream_(stream), version_(version) {}

    std::uint32_t Version() const { return version_; }

    template <typename Field>
    void Value(const Field& field)
    {
        WriteField(stream_, field);
    }
    void Text(const std::string& text) { WriteArchiveString(stream_, text); }
    void Point(const TBPoint& point) { WritePointField(stream_, point); }
    void Hundredths(double degrees) { WriteField(stream_, ToHundredths(degrees)); }
    template <typename Object, typename Field>
    void Property(const std::type_identity_t<Object>& object, Field (Object::*get)() const, Field (Object::*)(Field))
    {
        Value((object.*get)());
    }
    template <typename Object, typename Read, typename Write, typename... Extra>
    void Record(const Object& record, Read, Write write, Extra... extra)
    {
        (record.*write)(stream_, version_, extra...);
    }
    template <typename Item, typename Transfer>
    void Entry(const TVect<Item>& table, int index, Transfer transfer)
    {
        Item entry = table.Get(index);
        transfer(entry);
    }
    template <typename Item, typename Transfer>
    void FreshEntry(const TVect<Item>& table, int index, Transfer transfer)
    {
        Entry(table, index, transfer);
    }
    // The writer marks where the extended tables begin and end.
    void MarkPosition(const char8_t* caption)
    {
        WriteDebugLog(sj(caption) + StringPrintf("%08llx", static_cast<unsigned long long>(stream_.GetPosition())));
    }

private:
    TStream& stream_;
    std::uint32_t version_;
};

// The header's own view record puts the scale in front of the point.
template <typename Io, typename View>
void TransferStoredView(Io& io, View& view)
{
    io.Property(view, &TZhdZoom::GetScale, &TZhdZoom::SetScale);
    io.Point(view);
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
// The fields after the magic and the version, in file order; `Head` is the
// header itself when reading and a const header when writing.
template <typename Head, typename Io>
void TZhdHead::TransferLayout(Head& head, Io& io)
{
    const std::uint32_t version = io.Version();
    io.Text(head.memo_);
    io.Value(head.paper_size_);
    io.Value(head.write_group_);

    // Numbers first; the names of layers and groups come much later. A group
    // reads its numbers fresh, its names empty until then.
    for (int g = 0; g < GroupCount; ++g)
        io.FreshEntry(head.groups_, g, [&](TZhdGrp& group) {
            io.Record(group, &TZhdGrp::ReadNumbers, &TZhdGrp::WriteNumbers);
        });

    auto value = [&](auto& field) { io.Value(field); };
    for (int i = 0; i < dummy_words_before_dimensions; ++i)
        io.Entry(head.dummy_, i, value);
    for (int i = 0; i < DimensionSettingCount; ++i)
        io.Entry(head.dimension_settings_, i, value);
    for (int i = dummy_words_before_dimensions; i < DummyCount; ++i)
        io.Entry(head.dummy_, i, value);

    io.Value(head.max_line_draw_width_);
    io.Record(head.printer_area_, &TZhdZoomF::Read, &TZhdZoomF::Write);
    io.Value(head.grid_mode_);
    io.Value(head.grid_min_dot_spacing_);
    io.Point(head.grid_spacing_);
    io.Point(head.grid_origin_);

    for (int g = 0; g < GroupCount; ++g)
        io.Entry(head.groups_, g, [&](TZhdGrp& group) {
            TVect<TZhdLay> layers = group.GetLayers();
            for (int l = 0; l < TZhdGrp::LayerCount; ++l)
                io.Entry(layers, l, [&](TZhdLay& layer) { io.Record(layer, &TZhdLay::ReadName, &TZhdLay::WriteName); });
            group.SetLayers(std::move(layers));
        });
    for (int g = 0; g < GroupCount; ++g)
        io.Entry(head.groups_, g, [&](TZhdGrp& group) { io.Record(group, &TZhdGrp::ReadName, &TZhdGrp::WriteName); });

    io.Value(head.shadow_surface_height_);
    io.Value(head.latitude_);
    io.Value(head.shadow_9_to_15_);
    io.Value(head.wall_shadow_surface_height_);
    if (HasSkyMap(version)) {
        io.Value(head.sky_map_surface_height_);
        io.Value(head.sky_map_diameter_);
    }
    io.Value(head.unit_25d_);

    TransferStoredView(io, head.saved_view_);
    TransferStoredView(io, head.range_memory_view_);
    for (int n = 1; n <= StoredMarkJumps(version); ++n)
        io.Entry(head.mark_jumps_, n, [&](TZhdZoomF& jump) {
            TransferStoredView(io, jump);
            if (HasSkyMap(version))
                io.Property(jump, &TZhdZoomF::GetCode, &TZhdZoomF::SetCode);
        });

    for (int i = 0; i < ParallelLineCount; ++i)
        io.Entry(head.parallel_line_distances_, i, value);
    io.Value(head.parallel_line_end_extension_);

    for (int i = 0; i < stored_basic_pens; ++i)
        io.FreshEntry(head.pens_, i, [&](TZhdPen& pen) { io.Record(pen, &TZhdPen::Read, &TZhdPen::Write); });
    for (int i = 0; i < stored_basic_pens; ++i)
        io.FreshEntry(head.print_pens_, i,
                      [&](TZhdPrtPen& pen) { io.Record(pen, &TZhdPrtPen::Read, &TZhdPrtPen::Write); });
    for (int i = first_stored_line_type; i <= last_stored_line_type; ++i) {
        if (i != unstored_line_type)
            io.FreshEntry(head.line_types_, i, [&](TZhdLType& type) {
                io.Record(type, &TZhdLType::Read, &TZhdLType::Write, LineTypeForm(i));
            });
    }

    for (auto* flag : { &head.point_radius_on_screen_, &head.point_radius_on_printer_, &head.bitmap_first_,
                        &head.reverse_draw_, &head.reverse_search_, &head.color_print_, &head.print_in_layer_order_,
                        &head.print_in_color_order_, &head.continuous_print_mode_, &head.grey_display_only_print_,
                        &head.skip_display_only_print_, &head.drawing_time_, &head.start_flag_25d_ })
        io.Value(*flag);
    io.Hundredths(head.perspective_h_angle_);
    io.Hundredths(head.birds_eye_h_angle_);
    io.Hundredths(head.isometric_h_angle_);
    for (auto* real : { &head.perspective_height_, &head.perspective_distance_, &head.birds_eye_height_,
                        &head.birds_eye_distance_, &head.isometric_v_angle_, &head.last_line_length_,
                        &head.last_rect_width_, &head.last_rect_height_, &head.last_circle_radius_ })
        io.Value(*real);
    io.Value(head.solid_any_color_);
    io.Value(head.solid_default_color_);

    if (HasExtendedTables(version)) {
        io.MarkPosition(u8"SXF対応拡張線色定義：");
        for (int i = first_extended_index; i < PenCount; ++i)
            io.FreshEntry(head.pens_, i, [&](TZhdPen& pen) { io.Record(pen, &TZhdPen::Read, &TZhdPen::Write); });
        for (int i = first_extended_index; i < PenCount; ++i)
            io.FreshEntry(head.print_pens_, i, [&](TZhdPrtPen& pen) {
                io.Record(pen, &TZhdPrtPen::ReadWithName, &TZhdPrtPen::WriteWithName);
            });
        io.MarkPosition(u8"SXF対応拡張線種定義：");
        for (int i = first_extended_line_type; i < LineTypeCount; ++i)
            io.FreshEntry(head.line_types_, i,
                          [&](TZhdLType& type) { io.Record(type, &TZhdLType::Read, &TZhdLType::Write, 1); });
        io.MarkPosition(u8"SXF対応拡張線種定義：");
        for (int i = first_extended_line_type; i < LineTypeCount; ++i)
            io.FreshEntry(head.line_parameters_, i, [&](TZhdLParameter& parameter) {
                io.Record(parameter, &TZhdLParameter::Read, &TZhdLParameter::Write);
            });
        io.MarkPosition(u8"SXF対応拡張定義 End：");
    }

    for (int i = 1; i <= stored_text_kinds; ++i)
        io.FreshEntry(head.text_kinds_, i, [&](TZhdaMoji& kind) { io.Record(kind, &TZhdaMoji::Read, &TZhdaMoji::Write); });
    io.Record(head.free_text_kind_, &TZhdaMoji::Read, &TZhdaMoji::Write);
    io.Value(head.write_text_kind_);
    io.Value(head.text_line_spacing_);
    io.Value(head.text_char_count_);
    io.Value(head.text_shift_flag_);
    for (int i = 0; i < TextShiftCount; ++i)
        io.Entry(head.text_shifts_x_, i, value);
    for (int i = 0; i < TextShiftCount; ++i)
        io.Entry(head.text_shifts_y_, i, value);
}

THeadReadResult TZhdHead::ReadFromStream(TStream& stream)
{
    // Whether the header itself ran short, whatever the stream had been
    // through before; the flag is put back as it was found.
    const bool was_short = stream.RanShort();
    stream.ClearRanShort();
    const std::uint64_t start = stream.GetPosition();
    bool magic_matches = ReadLayout(stream);
    const bool ran_short = stream.RanShort();
    if (!magic_matches || ran_short) {
        TZhdHead fresh;
        fresh.file_name_ = std::move(file_name_);
        *this = std::move(fresh);
        stream.SetPosition(start);
        magic_matches = ReadLayout(stream);
    }
    if (was_short && !ran_short) {
        const std::uint64_t position = stream.GetPosition();
        stream.MarkRanShort();
        stream.SetPosition(position);
    }
    if (!magic_matches)
        return THeadReadResult::WrongMagic;
    WriteDebugLog(StringPrintf("%llx", static_cast<unsigned long long>(stream.GetPosition())));
    return ran_short ? THeadReadResult::RanShort : THeadReadResult::Complete;
}

// Into this header as it stands; false (and nothing read after the magic)
// when the magic does not match.
bool TZhdHead::ReadLayout(TStream& stream)
{
    char magic[magic_length + 1] = {};
    stream.Read(magic, magic_length);
    magic_ = magic;
    if (magic_ != header_magic)
        return false;
    ReadField(stream, version_);
    THeadReader reader(stream, version_);
    TransferLayout(*this, reader);
    return true;
}

void TZhdHead::WriteToStream(TStream& stream) const
{
    stream.Write(header_magic, magic_length);
    WriteField(stream, version_);
    THeadWriter writer(stream, version_);
    TransferLayout(*this, writer);
}
