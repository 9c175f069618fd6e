#include "platform/Metafile.h"
#include "platform/MetafileRecords.h"
#include "platform/RecordingCanvas.h"
#include "platform/ScreenMetrics.h"
#include "platform/ShiftJis.h"
#include "tests/support/ByteBuilder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace cc = canvas_command;
using namespace metafile;

namespace {

const TColor red = PackColor(255, 0, 0);
const TColor green = PackColor(0, 255, 0);
const TColor blue = PackColor(0, 0, 255);

std::vector<std::uint8_t> BytesOf(const std::string& text)
{
    return { text.begin(), text.end() };
}

// WMF: records of { size in words, function, parameters }, with a placeable
// header whose box is given and units per inch 1000.
class WmfBuilder {
public:
    WmfBuilder& Record(std::uint16_t function, ByteBuilder params = {})
    {
        if (params.Size() % 2 != 0)
            params.U8(0);
        records_.U32(static_cast<std::uint32_t>(3 + params.Size() / 2)).U16(function).Append(params);
        return *this;
    }
    WmfBuilder& YX(std::uint16_t function, int x, int y)
    {
        return Record(function, ByteBuilder().I16(static_cast<std::int16_t>(y)).I16(static_cast<std::int16_t>(x)));
    }
    WmfBuilder& Word(std::uint16_t function, std::uint16_t value) { return Record(function, ByteBuilder().U16(value)); }
    WmfBuilder& Pen(TColor color, int width = 0, std::uint16_t style = PenSolid)
    {
        return Record(WmfCreatePenIndirect,
            ByteBuilder().U16(style).I16(static_cast<std::int16_t>(width)).I16(0).U32(static_cast<std::uint32_t>(color)));
    }
    WmfBuilder& Brush(TColor color, std::uint16_t style = BrushSolid)
    {
        return Record(WmfCreateBrushIndirect, ByteBuilder().U16(style).U32(static_cast<std::uint32_t>(color)).U16(0));
    }
    WmfBuilder& Points(std::uint16_t function, const std::vector<TPointI>& points)
    {
        ByteBuilder params;
        params.I16(static_cast<std::int16_t>(points.size()));
        for (const TPointI& point : points)
            params.I16(static_cast<std::int16_t>(point.x)).I16(static_cast<std::int16_t>(point.y));
        return Record(function, params);
    }
    WmfBuilder& Box(std::uint16_t function, int left, int top, int right, int bottom)
    {
        return Record(function,
            ByteBuilder().I16(static_cast<std::int16_t>(bottom)).I16(static_cast<std::int16_t>(right))
                .I16(static_cast<std::int16_t>(top)).I16(static_cast<std::int16_t>(left)));
    }

    std::string Build(std::uint16_t objects = 8, bool placeable = true, int right = 1000, int bottom = 1000) const
    {
        ByteBuilder file;
        if (placeable)
            file.U32(WmfPlaceableKey).U16(0).I16(0).I16(0).I16(static_cast<std::int16_t>(right))
                .I16(static_cast<std::int16_t>(bottom)).U16(1000).U32(0).U16(0);
        const auto words = static_cast<std::uint32_t>(9 + records_.Size() / 2 + 3);
        file.U16(WmfDisk).U16(9).U16(WmfVersion3).U32(words).U16(objects).U32(0).U16(0);
        return file.Append(records_).U32(3).U16(WmfEof).Bytes();
    }

private:
    ByteBuilder records_;
};

// EMF: a reference device of 10 pixels per mm and a frame of 100 mm, so
// the frame is 1000 x 1000 pixels; Play into (0, 0, 100, 100) divides by 10.
class EmfBuilder {
public:
    EmfBuilder& Record(std::uint32_t type, ByteBuilder params = {})
    {
        while (params.Size() % 4 != 0)
            params.U8(0);
        records_.U32(type).U32(static_cast<std::uint32_t>(8 + params.Size())).Append(params);
        return *this;
    }
    EmfBuilder& Dword(std::uint32_t type, std::uint32_t value) { return Record(type, ByteBuilder().U32(value)); }
    EmfBuilder& Pair(std::uint32_t type, int x, int y) { return Record(type, ByteBuilder().I32(x).I32(y)); }
    EmfBuilder& Pen(std::uint32_t index, TColor color, int width = 0)
    {
        return Record(EmfCreatePen, ByteBuilder().U32(index).U32(PenSolid).I32(width).I32(0).U32(static_cast<std::uint32_t>(color)));
    }
    EmfBuilder& Brush(std::uint32_t index, TColor color)
    {
        return Record(EmfCreateBrushIndirect, ByteBuilder().U32(index).U32(BrushSolid).U32(static_cast<std::uint32_t>(color)).U32(0));
    }
    EmfBuilder& Points16(std::uint32_t type, const std::vector<TPointI>& points)
    {
        ByteBuilder params;
        params.I32(0).I32(0).I32(0).I32(0).U32(static_cast<std::uint32_t>(points.size()));
        for (const TPointI& point : points)
            params.I16(static_cast<std::int16_t>(point.x)).I16(static_cast<std::int16_t>(point.y));
        return Record(type, params);
    }
    EmfBuilder& Font(std::uint32_t index, int height, const std::u16string& face)
    {
        ByteBuilder params;
        params.U32(index).I32(height).I32(0).I32(0).I32(0).I32(700).U8(0).U8(0).U8(0).U8(128).U32(0);
        for (std::size_t i = 0; i < 32; ++i)
            params.U16(i < face.size() ? face[i] : 0);
        return Record(EmfExtCreateFontIndirectW, params);
    }
    EmfBuilder& Text(int x, int y, const std::u16string& text)
    {
        ByteBuilder params;
        params.I32(0).I32(0).I32(0).I32(0).U32(1).U32(0).U32(0);
        params.I32(x).I32(y).U32(static_cast<std::uint32_t>(text.size())).U32(76).U32(0);
        params.I32(0).I32(0).I32(0).I32(0).U32(0);
        for (const char16_t unit : text)
            params.U16(unit);
        return Record(EmfExtTextOutW, params);
    }

    std::string Build(std::uint16_t handles = 8) const
    {
        ByteBuilder file;
        file.U32(EmfHeaderRecord).U32(88);
        file.I32(0).I32(0).I32(999).I32(999);          // bounds
        file.I32(0).I32(0).I32(10000).I32(10000);      // frame, 0.01 mm
        file.U32(EmfSignature).U32(0x10000).U32(0).U32(0).U16(handles).U16(0).U32(0).U32(0).U32(0);
        file.I32(1000).I32(1000).I32(100).I32(100);    // device pixels, mm
        return file.Append(records_).U32(EmfEofRecord).U32(20).U32(0).U32(0).U32(0).Bytes();
    }

private:
    ByteBuilder records_;
};

std::vector<TCanvasCommand> Played(const std::string& file, TRectI destination = { 0, 0, 100, 100 })
{
    TMetafile metafile;
    EXPECT_EQ(metafile.LoadFromBytes(BytesOf(file)).status, TLoadStatus::Loaded);
    TRecordingCanvas canvas(200, 200);
    metafile.Play(canvas, destination);
    return canvas.Commands();
}

template<typename Command>
std::vector<Command> OfKind(const std::vector<TCanvasCommand>& commands)
{
    std::vector<Command> found;
    for (const TCanvasCommand& command : commands)
        if (const auto* wanted = std::get_if<Command>(&command))
            found.push_back(*wanted);
    return found;
}

std::size_t DrawingCount(const std::vector<TCanvasCommand>& commands)
{
    std::size_t count = 0;
    for (const TCanvasCommand& command : commands)
        count += std::holds_alternative<cc::SetPen>(command) || std::holds_alternative<cc::SetBrush>(command)
                || std::holds_alternative<cc::SetFont>(command) ? 0 : 1;
    return count;
}

TPen PenOf(TColor color, int width = 1)
{
    TPen pen;
    pen.color = color;
    pen.width = width;
    return pen;
}

} // namespace

TEST(MetafileRecords, LayoutsRoundTripThroughOneFieldList)
{
    WmfPlaceableHeader header;
    header.right = 1000;
    header.bottom = 500;
    header.units_per_inch = 1440;
    header.checksum = PlaceableChecksum(header);
    TMemoryStream stream;
    WriteLayout(stream, header);
    ASSERT_EQ(stream.GetSize(), SizeOf<WmfPlaceableHeader>());
    WmfPlaceableHeader back;
    back.key = 0;
    ASSERT_TRUE(ReadLayout(std::span(stream.Bytes()), 0, back));
    EXPECT_EQ(back.key, WmfPlaceableKey);
    EXPECT_EQ(back.bottom, 500);
    EXPECT_EQ(back.checksum, header.checksum);
    EXPECT_FALSE(ReadLayout(std::span(stream.Bytes()).first(21), 0, back));
}

TEST(Metafile, WmfLineIsMappedIntoTheDestination)
{
    const std::string file = WmfBuilder().Pen(red).Word(WmfSelectObject, 0).YX(WmfMoveTo, 100, 200).YX(WmfLineTo, 900, 200).Build();
    const std::vector<TCanvasCommand> expected {
        cc::MoveTo { { 20, 40 } }, cc::SetPen { PenOf(red) }, cc::LineTo { { 100, 40 } }, cc::SetPen { TPen {} },
    };
    EXPECT_EQ(Played(file, { 10, 20, 110, 120 }), expected);
}

TEST(Metafile, WmfFiguresUseTheSelectedPenAndBrush)
{
    const std::string file = WmfBuilder()
                                 .Pen(red, 20)
                                 .Brush(blue)
                                 .Word(WmfSelectObject, 0)
                                 .Word(WmfSelectObject, 1)
                                 .Points(WmfPolygon, { { 0, 0 }, { 500, 0 }, { 0, 500 } })
                                 .Box(WmfEllipse, 100, 200, 300, 400)
                                 .Box(WmfRectangle, 100, 200, 300, 400)
                                 .Build();
    const std::vector<TCanvasCommand> commands = Played(file);
    EXPECT_EQ(OfKind<cc::SetPen>(commands).front().pen, PenOf(red, 2));
    EXPECT_EQ(OfKind<cc::SetBrush>(commands).front().brush, (TBrush { blue, TBrushStyle::Solid }));
    const std::vector<cc::Polygon> polygons = OfKind<cc::Polygon>(commands);
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0].points, (std::vector<TPointI> { { 0, 0 }, { 50, 0 }, { 0, 50 } }));
    // The rectangle leaves out its right and bottom edges, as the platform's did.
    EXPECT_EQ(polygons[1].points, (std::vector<TPointI> { { 10, 20 }, { 29, 20 }, { 29, 39 }, { 10, 39 } }));
    EXPECT_EQ(OfKind<cc::Ellipse>(commands), (std::vector<cc::Ellipse> { { { 10, 20, 30, 40 } } }));
}

TEST(Metafile, WmfTextKeepsItsShiftJisBytes)
{
    const std::string face = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9"; // "ＭＳ 明朝"
    const std::string text = "\x93\xfa\x96\x7b";                      // "日本"
    ByteBuilder font;
    font.I16(-100).I16(0).I16(0).I16(0).I16(700).U8(1).U8(0).U8(0).U8(128).U32(0).Text(face).U8(0);
    ByteBuilder text_out;
    text_out.U16(static_cast<std::uint16_t>(text.size())).Text(text).I16(300).I16(200);
    const std::string file = WmfBuilder()
                                 .Record(WmfCreateFontIndirect, font)
                                 .Word(WmfSelectObject, 0)
                                 .Record(WmfSetTextColor, ByteBuilder().U32(static_cast<std::uint32_t>(green)))
                                 .Record(WmfTextOut, text_out)
                                 .Build();
    const std::vector<TCanvasCommand> commands = Played(file);
    const std::vector<cc::SetFont> fonts = OfKind<cc::SetFont>(commands);
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(fonts.front().font.face, face);
    EXPECT_EQ(fonts.front().font.height, 10);
    EXPECT_EQ(fonts.front().font.weight, 700);
    EXPECT_TRUE(fonts.front().font.italic);
    EXPECT_EQ(fonts.front().font.color, green);
    EXPECT_EQ(OfKind<cc::TextOut>(commands), (std::vector<cc::TextOut> { { { 20, 30 }, text } }));
}

TEST(Metafile, EmfFiguresAndUtf16TextBecomeCanvasCommands)
{
    const std::string file = EmfBuilder()
                                 .Pen(1, blue)
                                 .Brush(2, green)
                                 .Dword(EmfSelectObject, 1)
                                 .Dword(EmfSelectObject, 2)
                                 .Pair(EmfMoveToEx, 100, 100)
                                 .Pair(EmfLineTo, 500, 100)
                                 .Points16(EmfPolygon16, { { 0, 0 }, { 400, 0 }, { 0, 400 } })
                                 .Record(EmfEllipse, ByteBuilder().I32(100).I32(200).I32(300).I32(400))
                                 .Font(3, 200, u"ＭＳ ゴシック")
                                 .Dword(EmfSelectObject, 3)
                                 .Text(600, 700, u"日本語")
                                 .Build();
    const std::vector<TCanvasCommand> commands = Played(file);
    EXPECT_EQ(OfKind<cc::LineTo>(commands), (std::vector<cc::LineTo> { { { 50, 10 } } }));
    EXPECT_EQ(OfKind<cc::SetPen>(commands).front().pen, PenOf(blue));
    EXPECT_EQ(OfKind<cc::Polygon>(commands),
        (std::vector<cc::Polygon> { { { { 0, 0 }, { 40, 0 }, { 0, 40 } } } }));
    EXPECT_EQ(OfKind<cc::SetBrush>(commands).front().brush.color, green);
    EXPECT_EQ(OfKind<cc::Ellipse>(commands), (std::vector<cc::Ellipse> { { { 10, 20, 30, 40 } } }));
    const std::vector<cc::SetFont> fonts = OfKind<cc::SetFont>(commands);
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(fonts.front().font.face, sj(u8"ＭＳ ゴシック"));
    EXPECT_EQ(fonts.front().font.height, 20);
    EXPECT_EQ(OfKind<cc::TextOut>(commands), (std::vector<cc::TextOut> { { { 60, 70 }, sj(u8"日本語") } }));
}

struct MappingCase {
    const char* name;
    std::uint32_t map_mode;
    TPointI window_org;
    TPointI window_ext;
    TPointI viewport_org;
    TPointI viewport_ext;
    TPointI logical;
    TPointI expected;
};

class MetafileMapping : public testing::TestWithParam<MappingCase> {};

TEST_P(MetafileMapping, LogicalPointsGoThroughWindowViewportAndFrame)
{
    const MappingCase& c = GetParam();
    const std::string file = EmfBuilder()
                                 .Dword(EmfSetMapMode, c.map_mode)
                                 .Pair(EmfSetWindowOrgEx, c.window_org.x, c.window_org.y)
                                 .Pair(EmfSetWindowExtEx, c.window_ext.x, c.window_ext.y)
                                 .Pair(EmfSetViewportOrgEx, c.viewport_org.x, c.viewport_org.y)
                                 .Pair(EmfSetViewportExtEx, c.viewport_ext.x, c.viewport_ext.y)
                                 .Points16(EmfPolyline16, { c.logical })
                                 .Build();
    EXPECT_EQ(OfKind<cc::Polyline>(Played(file)), (std::vector<cc::Polyline> { { { c.expected } } }));
}

INSTANTIATE_TEST_SUITE_P(Modes, MetafileMapping,
    testing::Values(MappingCase { "Text", MapText, { 100, 0 }, { 7, 7 }, { 0, 0 }, { 9, 9 }, { 600, 200 }, { 50, 20 } },
        MappingCase { "Anisotropic", MapAnisotropic, { 0, 0 }, { 200, 200 }, { 0, 0 }, { 1000, 1000 }, { 100, 50 }, { 50, 25 } },
        MappingCase { "YUp", MapAnisotropic, { 0, 0 }, { 200, -200 }, { 0, 1000 }, { 1000, 1000 }, { 100, 50 }, { 50, 75 } },
        MappingCase { "Isotropic", MapIsotropic, { 0, 0 }, { 100, 200 }, { 0, 0 }, { 1000, 1000 }, { 100, 100 }, { 50, 50 } },
        MappingCase { "LoMetric", MapLoMetric, { 0, 0 }, { 1, 1 }, { 0, 0 }, { 1, 1 }, { 300, -400 }, { 30, 40 } },
        MappingCase { "HiMetric", MapHiMetric, { 0, 0 }, { 1, 1 }, { 0, 0 }, { 1, 1 }, { 3000, -4000 }, { 30, 40 } },
        MappingCase { "ZeroExtentsIgnored", MapAnisotropic, { 0, 0 }, { 0, 0 }, { 0, 0 }, { 0, 5 }, { 500, 200 }, { 50, 20 } },
        MappingCase { "HugeExtentsClamp", MapAnisotropic, { 0, 0 }, { 1, 1 }, { 0, 0 }, { 2000000000, 1 }, { 30000, 0 },
            { 1 << 28, 0 } }),
    [](const testing::TestParamInfo<MappingCase>& test) { return std::string(test.param.name); });

TEST(Metafile, WmfWindowLandsOnThePlaceableBox)
{
    // Box 0..1000 in units; the window says 0..2000 units, y up from 2000.
    const std::string file = WmfBuilder()
                                 .YX(WmfSetWindowOrg, 0, 2000)
                                 .YX(WmfSetWindowExt, 2000, -2000)
                                 .Points(WmfPolyline, { { 500, 1500 } })
                                 .Build();
    EXPECT_EQ(OfKind<cc::Polyline>(Played(file)), (std::vector<cc::Polyline> { { { { 25, 25 } } } }));
}

TEST(Metafile, SaveAndRestorePutBackObjectsAndMapping)
{
    const std::string file = EmfBuilder()
                                 .Pen(1, red)
                                 .Dword(EmfSelectObject, 1)
                                 .Record(EmfSaveDc)
                                 .Dword(EmfSelectObject, EmfStockObjectBit | StockNullPen)
                                 .Pair(EmfSetViewportOrgEx, 500, 0)
                                 .Record(EmfSaveDc)
                                 .Dword(EmfRestoreDc, static_cast<std::uint32_t>(-1))
                                 .Points16(EmfPolyline16, { { 0, 0 } })
                                 .Dword(EmfRestoreDc, 1)
                                 .Points16(EmfPolyline16, { { 0, 0 } })
                                 .Dword(EmfRestoreDc, static_cast<std::uint32_t>(-5)) // deeper than saved: ignored
                                 .Points16(EmfPolyline16, { { 0, 0 } })
                                 .Build();
    TPen clear;
    clear.style = TPenStyle::Clear;
    const std::vector<TCanvasCommand> expected {
        cc::SetPen { clear }, cc::Polyline { { { 50, 0 } } }, cc::SetPen { PenOf(red) }, cc::Polyline { { { 0, 0 } } },
        cc::Polyline { { { 0, 0 } } }, cc::SetPen { TPen {} },
    };
    EXPECT_EQ(Played(file), expected);
}

TEST(Metafile, WmfObjectsTakeTheLowestFreeSlotOfABoundedTable)
{
    const std::string file = WmfBuilder()
                                 .Pen(red)                      // slot 0
                                 .Pen(green)                    // slot 1
                                 .Word(WmfDeleteObject, 0)
                                 .Pen(blue)                     // slot 0 again
                                 .Pen(red)                      // table of 2 is full: refused
                                 .Word(WmfSelectObject, 0)
                                 .Points(WmfPolyline, { { 0, 0 } })
                                 .Word(WmfSelectObject, 2)      // never created
                                 .Word(WmfSelectObject, 60000)  // past the table
                                 .Points(WmfPolyline, { { 0, 0 } })
                                 .Word(WmfDeleteObject, 1)
                                 .Word(WmfSelectObject, 1)      // deleted
                                 .Points(WmfPolyline, { { 0, 0 } })
                                 .Build(2);
    const std::vector<cc::SetPen> pens = OfKind<cc::SetPen>(Played(file));
    ASSERT_EQ(pens.size(), 2u);
    EXPECT_EQ(pens[0].pen, PenOf(blue));
}

TEST(Metafile, EmfStockObjectsAndTableBounds)
{
    const std::string file = EmfBuilder()
                                 .Brush(9, red) // past a table of 8: refused
                                 .Dword(EmfSelectObject, 9)
                                 .Dword(EmfSelectObject, EmfStockObjectBit | StockNullBrush)
                                 .Points16(EmfPolygon16, { { 0, 0 }, { 10, 0 }, { 0, 10 } })
                                 .Build();
    const std::vector<cc::SetBrush> brushes = OfKind<cc::SetBrush>(Played(file));
    ASSERT_FALSE(brushes.empty());
    EXPECT_EQ(brushes.front().brush.style, TBrushStyle::Clear);
}

TEST(Metafile, PolyPolygonFillsRingsTogetherAndOutlinesEachRing)
{
    ByteBuilder params;
    params.U16(2).U16(3).U16(3);
    for (const TPointI point : std::vector<TPointI> { { 0, 0 }, { 500, 0 }, { 0, 500 }, { 100, 100 }, { 200, 100 }, { 100, 200 } })
        params.I16(static_cast<std::int16_t>(point.x)).I16(static_cast<std::int16_t>(point.y));
    const std::vector<TCanvasCommand> commands = Played(WmfBuilder().Record(WmfPolyPolygon, params).Build());
    EXPECT_EQ(OfKind<cc::Polygon>(commands),
        (std::vector<cc::Polygon> { { { { 0, 0 }, { 50, 0 }, { 0, 50 }, { 0, 0 }, { 0, 0 }, { 10, 10 }, { 20, 10 },
            { 10, 20 }, { 10, 10 }, { 0, 0 } } } }));
    EXPECT_EQ(OfKind<cc::Polyline>(commands),
        (std::vector<cc::Polyline> { { { { 0, 0 }, { 50, 0 }, { 0, 50 }, { 0, 0 } } },
            { { { 10, 10 }, { 20, 10 }, { 10, 20 }, { 10, 10 } } } }));
}

TEST(Metafile, SizesComeFromTheHeaders)
{
    TMetafile wmf;
    ASSERT_EQ(wmf.LoadFromBytes(BytesOf(WmfBuilder().Build(8, true, 1000, 500))).status, TLoadStatus::Loaded);
    EXPECT_EQ(wmf.Format(), TMetafileFormat::Wmf);
    EXPECT_EQ(wmf.Bounds(), (TRectI { 0, 0, 1000, 500 }));
    EXPECT_EQ(wmf.Frame(), (TRectI { 0, 0, 2540, 1270 }));
    TMetafile emf;
    ASSERT_EQ(emf.LoadFromBytes(BytesOf(EmfBuilder().Build())).status, TLoadStatus::Loaded);
    EXPECT_EQ(emf.Format(), TMetafileFormat::Emf);
    EXPECT_EQ(emf.Bounds(), (TRectI { 0, 0, 1000, 1000 }));
    EXPECT_EQ(emf.Frame(), (TRectI { 0, 0, 10000, 10000 }));
    EXPECT_EQ(emf.Width(), static_cast<int>(std::lround(100 / 25.4 * ScreenMetrics().pixels_per_inch)));
    // Without a placeable header the window gives the frame.
    TMetafile plain;
    ASSERT_EQ(plain.LoadFromBytes(BytesOf(WmfBuilder().YX(WmfSetWindowExt, 300, 200).Build(8, false))).status,
        TLoadStatus::Loaded);
    EXPECT_EQ(plain.Bounds(), (TRectI { 0, 0, 300, 200 }));
}

TEST(Metafile, LoadFromFileReportsAMissingFile)
{
    TempDir dir;
    TMetafile metafile;
    EXPECT_EQ(metafile.LoadFromFile(dir.Path() / "none.emf").status, TLoadStatus::Missing);
    EXPECT_EQ(metafile.LoadFromFile(dir.Write("a.emf", EmfBuilder().Build())).status, TLoadStatus::Loaded);
}

struct LoadCase {
    const char* name;
    std::string bytes;
    TLoadStatus status;
    bool empty;
};

class MetafileLoad : public testing::TestWithParam<LoadCase> {};

TEST_P(MetafileLoad, CutAndForeignFilesFailCleanly)
{
    const LoadCase& c = GetParam();
    TMetafile metafile;
    EXPECT_EQ(metafile.LoadFromBytes(BytesOf(c.bytes)).status, c.status);
    EXPECT_EQ(metafile.Empty(), c.empty);
    TRecordingCanvas canvas(100, 100);
    metafile.Play(canvas, { 0, 0, 100, 100 });
}

namespace {

std::string Cut(const std::string& bytes, std::size_t drop) { return bytes.substr(0, bytes.size() - drop); }

const std::string wmf_line = WmfBuilder().YX(WmfMoveTo, 1, 1).YX(WmfLineTo, 5, 5).Build();
const std::string emf_line = EmfBuilder().Pair(EmfMoveToEx, 1, 1).Pair(EmfLineTo, 5, 5).Build();

} // namespace

INSTANTIATE_TEST_SUITE_P(Files, MetafileLoad,
    testing::Values(LoadCase { "Nothing", "", TLoadStatus::WrongMagic, true },
        LoadCase { "Text", "hello, world, this is not a picture", TLoadStatus::WrongMagic, true },
        LoadCase { "WmfLine", wmf_line, TLoadStatus::Loaded, false },
        LoadCase { "WmfPlaceableOnly", wmf_line.substr(0, 22), TLoadStatus::RanShort, true },
        LoadCase { "WmfHeaderCut", wmf_line.substr(0, 30), TLoadStatus::RanShort, true },
        LoadCase { "WmfWithoutEof", Cut(wmf_line, 6), TLoadStatus::RanShort, false },
        LoadCase { "WmfRecordCut", Cut(wmf_line, 8), TLoadStatus::RanShort, false },
        LoadCase { "WmfBadVersion", wmf_line.substr(0, 26) + "\x07\x07" + wmf_line.substr(28), TLoadStatus::WrongMagic, true },
        LoadCase { "EmfLine", emf_line, TLoadStatus::Loaded, false },
        LoadCase { "EmfHeaderCut", emf_line.substr(0, 60), TLoadStatus::RanShort, true },
        LoadCase { "EmfRecordCut", Cut(emf_line, 24), TLoadStatus::RanShort, false }),
    [](const testing::TestParamInfo<LoadCase>& test) { return std::string(test.param.name); });

struct HostileCase {
    const char* name;
    std::string bytes;
};

class MetafileHostile : public testing::TestWithParam<HostileCase> {};

TEST_P(MetafileHostile, DrawsNothingFromLyingRecords)
{
    TMetafile metafile;
    (void)metafile.LoadFromBytes(BytesOf(GetParam().bytes));
    TRecordingCanvas canvas(100, 100);
    metafile.Play(canvas, { 0, 0, 100, 100 });
    EXPECT_EQ(DrawingCount(canvas.Commands()), 0u);
}

INSTANTIATE_TEST_SUITE_P(Records, MetafileHostile,
    testing::Values(HostileCase { "WmfPolygonCountPastRecord", WmfBuilder().Record(WmfPolygon, ByteBuilder().I16(30000).I16(1).I16(1)).Build() },
        HostileCase { "WmfNegativeCount", WmfBuilder().Record(WmfPolyline, ByteBuilder().I16(-2).I16(1).I16(1)).Build() },
        HostileCase { "WmfPolyPolygonCountsPastRecord", WmfBuilder().Record(WmfPolyPolygon, ByteBuilder().U16(65535).U16(3)).Build() },
        HostileCase { "WmfTextPastRecord", WmfBuilder().Record(WmfTextOut, ByteBuilder().U16(5000).U16(0x4141)).Build() },
        HostileCase { "WmfExtTextPastRecord", WmfBuilder().Record(WmfExtTextOut, ByteBuilder().I16(0).I16(0).I16(900).U16(TextOpaque)).Build() },
        HostileCase { "WmfRecordOfSizeZero", WmfBuilder().Points(WmfPolyline, { { 1, 1 } }).Build().replace(40, 4, std::string(4, '\0')) + "garbage" },
        HostileCase { "WmfEmptyBox", WmfBuilder().Points(WmfPolyline, { { 1, 1 } }).Build(8, true, 0, 0) },
        HostileCase { "WmfNoSize", WmfBuilder().Points(WmfPolyline, { { 1, 1 } }).Build(8, false) },
        HostileCase { "WmfStretchDibWithoutBitmap", WmfBuilder().Record(WmfStretchDib, ByteBuilder().U32(0x00CC0020).U16(0).I16(1).I16(1).I16(0).I16(0).I16(1).I16(1).I16(0).I16(0).U32(40)).Build() },
        HostileCase { "EmfPolygonCountHuge", EmfBuilder().Record(EmfPolygon16, ByteBuilder().I32(0).I32(0).I32(0).I32(0).U32(0xFFFFFFFF).I32(0)).Build() },
        HostileCase { "EmfPolyPolygonTotalsDisagree", EmfBuilder().Record(EmfPolyPolygon16, ByteBuilder().I32(0).I32(0).I32(0).I32(0).U32(2).U32(1).U32(0xFFFFFFFF).U32(2).I32(0)).Build() },
        HostileCase { "EmfTextOffsetPastRecord", EmfBuilder().Record(EmfExtTextOutW, ByteBuilder().I32(0).I32(0).I32(0).I32(0).U32(1).U32(0).U32(0).I32(0).I32(0).U32(4).U32(0xFFFFFFF0).U32(0)).Build() },
        HostileCase { "EmfStretchOffsetsPastRecord", EmfBuilder().Record(EmfStretchDiBits, ByteBuilder().I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(1).I32(1).U32(80).U32(40).U32(0xFFFFFFF0).U32(64).U32(0).U32(0x00CC0020).I32(1).I32(1)).Build() }),
    [](const testing::TestParamInfo<HostileCase>& test) { return std::string(test.param.name); });

TEST(Metafile, DeepSavesAreBoundedAndPlayOn)
{
    EmfBuilder builder;
    for (int i = 0; i < 2000; ++i)
        builder.Record(EmfSaveDc);
    builder.Dword(EmfRestoreDc, 1).Points16(EmfPolyline16, { { 100, 100 } });
    EXPECT_EQ(OfKind<cc::Polyline>(Played(builder.Build())), (std::vector<cc::Polyline> { { { { 10, 10 } } } }));
}

namespace {

// A 2 x 1 DIB of 24 bits: red, then blue; rows padded to 8 bytes.
ByteBuilder DibInfo()
{
    return ByteBuilder().U32(40).I32(2).I32(1).U16(1).U16(24).U32(0).U32(8).I32(0).I32(0).U32(0).U32(0);
}
ByteBuilder DibBits()
{
    return ByteBuilder().U8(0).U8(0).U8(255).U8(255).U8(0).U8(0).U16(0);
}

} // namespace

TEST(Metafile, BitmapRecordsStretchTheirDib)
{
    ByteBuilder wmf_params;
    wmf_params.U32(0x00CC0020).U16(0).I16(1).I16(2).I16(0).I16(0).I16(500).I16(1000).I16(0).I16(0).Append(DibInfo()).Append(DibBits());
    const std::vector<cc::StretchDraw> from_wmf = OfKind<cc::StretchDraw>(Played(WmfBuilder().Record(WmfStretchDib, wmf_params).Build()));

    ByteBuilder emf_params;
    emf_params.I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(2).I32(1);
    emf_params.U32(80).U32(40).U32(120).U32(8).U32(0).U32(0x00CC0020).I32(1000).I32(500).Append(DibInfo()).Append(DibBits());
    const std::vector<cc::StretchDraw> from_emf = OfKind<cc::StretchDraw>(Played(EmfBuilder().Record(EmfStretchDiBits, emf_params).Build()));

    for (const std::vector<cc::StretchDraw>& draws : { from_wmf, from_emf }) {
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].dest, (TRectI { 0, 0, 100, 50 }));
        EXPECT_EQ(draws[0].bitmap.Width(), 2);
        EXPECT_EQ(draws[0].bitmap.GetPixel(0, 0), red);
        EXPECT_EQ(draws[0].bitmap.GetPixel(1, 0), blue);
    }
}
