#include "platform/BmpFile.h"
#include "tests/support/ByteBuilder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

// A BMP built field by field from its layout, independent of the writer.
struct TBmpLayout {
    explicit TBmpLayout(std::string case_name)
        : name(std::move(case_name))
    {
    }
    TBmpLayout& Header(std::uint32_t size)
    {
        header_size = size;
        return *this;
    }
    TBmpLayout& Width(std::int32_t value)
    {
        width = value;
        return *this;
    }
    TBmpLayout& Height(std::int32_t value)
    {
        height = value;
        return *this;
    }
    TBmpLayout& Bits(std::uint16_t value)
    {
        bits = value;
        return *this;
    }
    TBmpLayout& Compression(std::uint32_t value)
    {
        compression = value;
        return *this;
    }
    TBmpLayout& ColorsUsed(std::uint32_t value)
    {
        colors_used = value;
        return *this;
    }
    TBmpLayout& Palette(std::vector<std::uint32_t> colors)
    {
        palette = std::move(colors);
        return *this;
    }
    TBmpLayout& Masks(std::vector<std::uint32_t> values)
    {
        masks = std::move(values);
        return *this;
    }
    TBmpLayout& Pixels(std::string bytes)
    {
        pixels = std::move(bytes);
        return *this;
    }
    TBmpLayout& DataOffset(std::uint32_t offset)
    {
        data_offset = offset;
        return *this;
    }

    std::string name;
    std::uint32_t header_size = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colors_used = 0;
    // 0xRRGGBB; three bytes each after a core header, four otherwise.
    std::vector<std::uint32_t> palette;
    // Red, green, blue (and alpha): after a 40-byte header, or inside V4/V5.
    std::vector<std::uint32_t> masks;
    std::string pixels;
    // Default: right after the palette.
    std::optional<std::uint32_t> data_offset;
};

std::vector<std::uint8_t> Build(const TBmpLayout& layout)
{
    ByteBuilder header;
    if (layout.header_size == 12) {
        header.U32(12).U16(static_cast<std::uint16_t>(layout.width)).U16(static_cast<std::uint16_t>(layout.height));
        header.U16(1).U16(layout.bits);
    } else {
        header.U32(layout.header_size).I32(layout.width).I32(layout.height).U16(1).U16(layout.bits);
        header.U32(layout.compression).U32(static_cast<std::uint32_t>(layout.pixels.size())).I32(2835).I32(2835);
        header.U32(layout.colors_used).U32(0);
        const bool masks_inside = layout.header_size >= 108;
        for (std::size_t i = 0; i < layout.masks.size() && (masks_inside || i < 3); ++i)
            header.U32(layout.masks[i]);
        if (masks_inside) {
            for (std::size_t i = layout.masks.size(); i < 4; ++i)
                header.U32(0);
        }
        while (header.Size() < layout.header_size)
            header.U8(0);
    }
    for (const std::uint32_t color : layout.palette) {
        header.U8(static_cast<std::uint8_t>(color)).U8(static_cast<std::uint8_t>(color >> 8));
        header.U8(static_cast<std::uint8_t>(color >> 16));
        if (layout.header_size != 12)
            header.U8(0);
    }
    const auto offset = static_cast<std::uint32_t>(14 + header.Size());
    ByteBuilder file;
    file.Text("BM").U32(static_cast<std::uint32_t>(offset + layout.pixels.size())).U32(0);
    file.U32(layout.data_offset.value_or(offset)).Append(header).Text(layout.pixels);
    return { file.Bytes().begin(), file.Bytes().end() };
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (const int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

// One character per pixel, a string per row from the top: '.' white, '#'
// black, 'r', 'g', 'b', 'y' yellow, '?' any other colour.
std::vector<std::string> Rows(const TBitmap& bitmap)
{
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap.Width(); ++x) {
            switch (bitmap.GetPixel(x, y)) {
            case 0xFFFFFF:
                row += '.';
                break;
            case 0x000000:
                row += '#';
                break;
            case 0x0000FF:
                row += 'r';
                break;
            case 0x00FF00:
                row += 'g';
                break;
            case 0xFF0000:
                row += 'b';
                break;
            case 0x00FFFF:
                row += 'y';
                break;
            default:
                row += '?';
            }
        }
        rows.push_back(row);
    }
    return rows;
}

constexpr std::uint32_t Red = 0xFF0000;
constexpr std::uint32_t Green = 0x00FF00;
constexpr std::uint32_t Blue = 0x0000FF;
constexpr std::uint32_t White = 0xFFFFFF;

struct TGoodCase {
    TBmpLayout layout;
    TPixelFormat format;
    std::vector<std::string> rows;
};

std::vector<TGoodCase> GoodCases()
{
    return {
        // Rows bottom-up: the first row of the data is the bottom one.
        { TBmpLayout("one_bit")
                .Width(3)
                .Height(2)
                .Bits(1)
                .Palette({ 0, White })
                .Pixels(Bytes({ 0xA0, 0, 0, 0, 0x40, 0, 0, 0 })),
            TPixelFormat::Indexed1, { "#.#", ".#." } },
        { TBmpLayout("core_one_bit")
                .Header(12)
                .Width(2)
                .Height(1)
                .Bits(1)
                .Palette({ Red, Blue })
                .Pixels(Bytes({ 0x40, 0, 0, 0 })),
            TPixelFormat::Indexed1, { "rb" } },
        { TBmpLayout("four_bit")
                .Width(3)
                .Height(1)
                .Bits(4)
                .ColorsUsed(3)
                .Palette({ 0, Red, Green })
                .Pixels(Bytes({ 0x12, 0x00, 0, 0 })),
            TPixelFormat::Indexed4, { "rg#" } },
        // Index 3 lies past the palette of three: black.
        { TBmpLayout("eight_bit")
                .Width(4)
                .Height(1)
                .Bits(8)
                .ColorsUsed(3)
                .Palette({ White, Red, Green })
                .Pixels(Bytes({ 2, 1, 0, 3 })),
            TPixelFormat::Indexed8, { "gr.#" } },
        { TBmpLayout("rgb24").Width(1).Height(2).Pixels(Bytes({ 0, 0, 255, 0, 0, 255, 0, 0 })), TPixelFormat::Rgb24,
            { "g", "r" } },
        { TBmpLayout("top_down").Width(1).Height(-2).Pixels(Bytes({ 0, 0, 255, 0, 0, 255, 0, 0 })), TPixelFormat::Rgb24,
            { "r", "g" } },
        { TBmpLayout("v4_rgb24").Header(108).Width(2).Height(1).Pixels(Bytes({ 255, 0, 0, 255, 255, 255, 0, 0 })),
            TPixelFormat::Rgb24, { "b." } },
        { TBmpLayout("rgb32").Width(2).Height(1).Bits(32).Pixels(Bytes({ 0, 255, 255, 0, 255, 255, 255, 0 })),
            TPixelFormat::Rgb32, { "y." } },
        // Masks in an unusual order: red in the low byte.
        { TBmpLayout("bitfields32")
                .Width(2)
                .Height(1)
                .Bits(32)
                .Compression(3)
                .Masks({ 0x000000FF, 0x0000FF00, 0x00FF0000 })
                .Pixels(Bytes({ 255, 0, 0, 0, 0, 0, 255, 0 })),
            TPixelFormat::Rgb32, { "rb" } },
        { TBmpLayout("v5_bitfields32")
                .Header(124)
                .Width(1)
                .Height(1)
                .Bits(32)
                .Compression(3)
                .Masks({ 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000 })
                .Pixels(Bytes({ 0, 255, 0, 128 })),
            TPixelFormat::Rgb32, { "g" } },
        // 5-5-5 without bit fields: 0x7C00 red, 0x03E0 green.
        { TBmpLayout("rgb16").Width(2).Height(1).Bits(16).Pixels(Bytes({ 0x00, 0x7C, 0xE0, 0x03 })), TPixelFormat::Rgb24,
            { "rg" } },
        // 5-6-5 bit fields: 0x07E0 green, 0x001F blue.
        { TBmpLayout("bitfields16")
                .Width(2)
                .Height(1)
                .Bits(16)
                .Compression(3)
                .Masks({ 0xF800, 0x07E0, 0x001F })
                .Pixels(Bytes({ 0xE0, 0x07, 0x1F, 0x00 })),
            TPixelFormat::Rgb24, { "gb" } },
        // Bottom row: a run of 2 red, a literal green, red, green (padded),
        // end of row; top row: move right by 2, one green, end of picture.
        { TBmpLayout("rle8")
                .Width(5)
                .Height(2)
                .Bits(8)
                .Compression(1)
                .Palette({ 0, Red, Green })
                .Pixels(Bytes({ 2, 1, 0, 3, 2, 1, 2, 0, 0, 0, 0, 2, 2, 0, 1, 2, 0, 1 })),
            TPixelFormat::Indexed8, { "##g##", "rrgrg" } },
        // Nibbles alternate: a run of 3 of 0x12 gives 1, 2, 1; a literal of
        // three gives 2, 2, 1.
        { TBmpLayout("rle4")
                .Width(6)
                .Height(1)
                .Bits(4)
                .Compression(2)
                .Palette({ 0, Red, Green })
                .Pixels(Bytes({ 3, 0x12, 0, 3, 0x22, 0x10, 0, 1 })),
            TPixelFormat::Indexed4, { "rgrggr" } },
    };
}

class BmpRead : public testing::TestWithParam<TGoodCase> { };

TEST_P(BmpRead, ReadsExactPixels)
{
    const TGoodCase& good = GetParam();
    const TBmpResult result = ReadBmp(Build(good.layout));
    ASSERT_EQ(result.status, TBmpStatus::Loaded);
    EXPECT_EQ(result.bitmap.Format(), good.format);
    EXPECT_EQ(Rows(result.bitmap), good.rows);
}

INSTANTIATE_TEST_SUITE_P(Variants, BmpRead, testing::ValuesIn(GoodCases()),
    [](const testing::TestParamInfo<TGoodCase>& case_info) { return case_info.param.layout.name; });

struct TBadCase {
    TBmpLayout layout;
    TBmpStatus status;
};

std::vector<TBadCase> BadCases()
{
    const std::string row = Bytes({ 0, 0, 0, 0 });
    return {
        { TBmpLayout("header_64").Header(64).Pixels(row), TBmpStatus::BadHeader },
        { TBmpLayout("header_16").Header(16).Pixels(row), TBmpStatus::BadHeader },
        { TBmpLayout("zero_width").Width(0).Pixels(row), TBmpStatus::BadSize },
        { TBmpLayout("negative_width").Width(-1).Pixels(row), TBmpStatus::BadSize },
        { TBmpLayout("zero_height").Height(0).Pixels(row), TBmpStatus::BadSize },
        { TBmpLayout("core_zero_height").Header(12).Height(0).Pixels(row), TBmpStatus::BadSize },
        { TBmpLayout("huge").Width(100000).Height(100000).Pixels(row), TBmpStatus::TooLarge },
        { TBmpLayout("huge_one_bit").Width(INT_MAX).Height(100).Bits(1).Pixels(row), TBmpStatus::TooLarge },
        { TBmpLayout("most_negative_height").Height(INT_MIN).Pixels(row), TBmpStatus::TooLarge },
        { TBmpLayout("two_bits").Bits(2).Pixels(row), TBmpStatus::Unsupported },
        { TBmpLayout("jpeg").Compression(4).Pixels(row), TBmpStatus::Unsupported },
        { TBmpLayout("rle8_at_24_bits").Compression(1).Pixels(row), TBmpStatus::Unsupported },
        { TBmpLayout("rle_top_down").Height(-1).Bits(8).Compression(1).Pixels(row), TBmpStatus::Unsupported },
        { TBmpLayout("mask_with_gap").Bits(32).Compression(3).Masks({ 0xF0F0, 0xFF0000, 0xFF }).Pixels(row),
            TBmpStatus::Unsupported },
        { TBmpLayout("masks_all_zero").Bits(32).Compression(3).Masks({ 0, 0, 0 }).Pixels(row), TBmpStatus::Unsupported },
        { TBmpLayout("masks_missing").Bits(32).Compression(3), TBmpStatus::BadHeader },
        { TBmpLayout("offset_past_end").Pixels(row).DataOffset(4000), TBmpStatus::BadOffset },
        { TBmpLayout("offset_in_header").Pixels(row).DataOffset(20), TBmpStatus::BadOffset },
        { TBmpLayout("rows_missing").Height(2).Pixels(row), TBmpStatus::Truncated },
        { TBmpLayout("row_short").Width(2).Pixels(row), TBmpStatus::Truncated },
        { TBmpLayout("rle_without_end").Height(2).Bits(8).Compression(1).Palette({ 0 }).Pixels(Bytes({ 1, 0, 0, 0 })),
            TBmpStatus::Truncated },
        { TBmpLayout("rle_literal_short").Bits(8).Compression(1).Palette({ 0 }).Pixels(Bytes({ 0, 5, 1 })),
            TBmpStatus::Truncated },
    };
}

class BmpRefuse : public testing::TestWithParam<TBadCase> { };

TEST_P(BmpRefuse, RefusesCleanly)
{
    const TBmpResult result = ReadBmp(Build(GetParam().layout));
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_TRUE(result.bitmap.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Faults, BmpRefuse, testing::ValuesIn(BadCases()),
    [](const testing::TestParamInfo<TBadCase>& case_info) { return case_info.param.layout.name; });

TEST(BmpFile, RefusesWhatIsNoBmp)
{
    EXPECT_EQ(ReadBmp({}).status, TBmpStatus::NotBmp);
    std::vector<std::uint8_t> bytes = Build(TBmpLayout("").Pixels(Bytes({ 0, 0, 0, 0 })));
    EXPECT_EQ(ReadBmp(std::span(bytes).first(17)).status, TBmpStatus::NotBmp);
    bytes[0] = 'X';
    EXPECT_EQ(ReadBmp(bytes).status, TBmpStatus::NotBmp);
}

TEST(BmpFile, EveryPrefixOfAGoodFileIsRefusedCleanly)
{
    const std::vector<std::uint8_t> bytes = Build(GoodCases()[0].layout);
    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_NE(ReadBmp(std::span(bytes).first(size)).status, TBmpStatus::Loaded) << size;
}

TEST(BmpFile, PaletteStopsWhereThePixelsBegin)
{
    // The header asks for 256 colours, but only two lie before the pixels.
    const TBmpResult result = ReadBmp(
        Build(TBmpLayout("").Width(2).Bits(8).ColorsUsed(256).Palette({ Red, Green }).Pixels(Bytes({ 1, 0, 0, 0 }))));
    ASSERT_EQ(result.status, TBmpStatus::Loaded);
    EXPECT_EQ(result.bitmap.Palette().size(), 2u);
    EXPECT_EQ(Rows(result.bitmap), std::vector<std::string>({ "gr" }));
}

TEST(BmpFile, InfoAloneNeedsNoPixels)
{
    const TBmpResult result = ReadBmpInfo(Build(TBmpLayout("").Width(7).Height(-3).Bits(8).Palette({ Red })));
    ASSERT_EQ(result.status, TBmpStatus::Loaded);
    EXPECT_EQ(result.info.width, 7);
    EXPECT_EQ(result.info.height, -3);
    EXPECT_EQ(result.info.bit_count, 8);
    EXPECT_EQ(result.info.density_x, 2835);
    EXPECT_EQ(result.info.palette, std::vector<TColor>({ PackColor(255, 0, 0) }));
    EXPECT_TRUE(result.bitmap.IsEmpty());
}

TBitmap Sample(TPixelFormat format)
{
    TBitmap bitmap(5, 3, format);
    if (IsIndexed(format))
        bitmap.SetPalette(std::vector<TColor> { PackColor(0, 0, 0), PackColor(255, 0, 0), PackColor(0, 0, 255) });
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x)
            bitmap.SetPixel(x, y, (x + y) % 2 == 0 ? PackColor(255, 0, 0) : PackColor(0, 0, 0));
    }
    return bitmap;
}

TEST(BmpFile, WrittenBitmapsReadBackEqual)
{
    for (const TPixelFormat format : { TPixelFormat::Indexed1, TPixelFormat::Indexed4, TPixelFormat::Indexed8,
             TPixelFormat::Rgb24, TPixelFormat::Rgb32 }) {
        const TBitmap bitmap = Sample(format);
        const TBmpResult result = ReadBmp(WriteBmp(bitmap, { 3780, 2835 }));
        ASSERT_EQ(result.status, TBmpStatus::Loaded) << bitmap;
        EXPECT_EQ(result.bitmap, bitmap);
        EXPECT_EQ(result.info.density_x, 3780);
        EXPECT_EQ(result.info.density_y, 2835);
    }
    EXPECT_TRUE(WriteBmp(TBitmap()).empty());
}

TEST(BmpFile, FilesAreWrittenAndRead)
{
    const TempDir dir;
    const TBitmap bitmap = Sample(TPixelFormat::Indexed1);
    ASSERT_EQ(WriteBmpFile(dir.File("a.bmp"), bitmap), TSaveStatus::Saved);
    const TBmpResult result = ReadBmpFile(dir.File("a.bmp"));
    EXPECT_EQ(result.status, TBmpStatus::Loaded);
    EXPECT_EQ(result.bitmap, bitmap);
    EXPECT_EQ(ReadBmpFile(dir.File("none.bmp")).status, TBmpStatus::Missing);
    EXPECT_EQ(WriteBmpFile(dir.File("empty.bmp"), TBitmap()), TSaveStatus::CannotCreate);
}

// The fuzz target's seeds come from these builders: with
// ZUVIEW_WRITE_BMP_SEEDS naming a folder, every case is written there.
TEST(BmpFile, WritesFuzzSeedsOnRequest)
{
    const char* folder = std::getenv("ZUVIEW_WRITE_BMP_SEEDS");
    if (folder == nullptr)
        GTEST_SKIP() << "set ZUVIEW_WRITE_BMP_SEEDS to a folder to write the seeds";
    for (const TGoodCase& good : GoodCases()) {
        const std::vector<std::uint8_t> bytes = Build(good.layout);
        std::ofstream(std::filesystem::path(folder) / (good.layout.name + ".bmp"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
}

} // namespace
