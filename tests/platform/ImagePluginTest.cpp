#include "platform/ImagePlugin.h"
#include "platform/ImagePluginBitmap.h"
#include "tests/support/TempDir.h"
#include "tests/support/Unreadable.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>

namespace {

const std::filesystem::path kQtImage = ZUVIEW_TEST_QTIMAGE_SPI;
const std::filesystem::path kBroken = ZUVIEW_TEST_BROKEN_SPI;
const std::filesystem::path kIncomplete = ZUVIEW_TEST_INCOMPLETE_SPI;

// A folder holding copies of built plug-ins under the given names.
struct TPluginFolder {
    TempDir dir;
    void Add(const std::filesystem::path& plugin, const std::string& name) const
    {
        std::filesystem::copy_file(plugin, dir.File(name));
    }
    TImagePluginList Load() const { return TImagePluginList::LoadFolder(dir.Path()); }
};

struct TBgr {
    int blue, green, red;
    bool operator==(const TBgr&) const = default;
};

TBgr PixelAt(const TDecodedPicture& picture, int x, int y)
{
    const auto row = picture.RowFromTop(y);
    const std::size_t at = static_cast<std::size_t>(x) * 3;
    return { row[at], row[at + 1], row[at + 2] };
}

// 4 × 3 pixels, each of its own colour.
QImage ColourfulPicture()
{
    QImage picture(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            picture.setPixel(x, y, qRgb(60 * x, 100 * y, 255 - 50 * x));
    return picture;
}

const TImagePluginList& BuiltPlugins()
{
    // The folder the build puts the plug-in in, as the program would list it.
    static const TImagePluginList list = TImagePluginList::LoadFolder(kQtImage.parent_path());
    return list;
}

} // namespace

TEST(ImagePlugin, ExecutableFolderHoldsTheRunningProgram)
{
    EXPECT_TRUE(std::filesystem::exists(ExecutableFolder() / "platform_tests"));
}

TEST(ImagePlugin, BuiltFolderListsTheQtPlugin)
{
    EXPECT_EQ(BuiltPlugins().Names(), std::vector<std::string> { "qtimage.spi" });
    EXPECT_TRUE(BuiltPlugins().Skipped().empty());
}

TEST(ImagePlugin, LosslessFormatsDecodeExactly)
{
    TempDir dir;
    for (const char* extension : { "png", "bmp", "ppm" }) {
        SCOPED_TRACE(extension);
        const auto file = dir.File(std::string("picture.") + extension);
        ASSERT_TRUE(ColourfulPicture().save(QString::fromStdString(file.string())));

        const TPluginPictureResult result = BuiltPlugins().LoadPicture(file);
        ASSERT_EQ(result.status, TImagePluginStatus::Decoded);
        EXPECT_EQ(result.plugin, "qtimage.spi");
        EXPECT_EQ(result.info.width, 4);
        EXPECT_EQ(result.info.height, 3);
        EXPECT_EQ(result.info.colour_depth, 24);
        const TDecodedPicture& picture = result.picture;
        ASSERT_EQ(picture.bits_per_pixel, 24);
        EXPECT_EQ(picture.stride, 12u);
        EXPECT_EQ(picture.rows.size(), 36u);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(PixelAt(picture, x, y), (TBgr { 255 - 50 * x, 100 * y, 60 * x })) << x << "," << y;
    }
}

TEST(ImagePlugin, JpegDecodesApproximately)
{
    TempDir dir;
    QImage picture(16, 8, QImage::Format_RGB32);
    picture.fill(qRgb(200, 40, 90));
    const auto file = dir.File("photo.jpg");
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string()), "JPEG", 95));

    const TPluginPictureResult result = BuiltPlugins().LoadPicture(file);
    ASSERT_EQ(result.status, TImagePluginStatus::Decoded);
    ASSERT_EQ(result.picture.width, 16);
    ASSERT_EQ(result.picture.height, 8);
    for (const auto& [x, y] : { std::pair { 0, 0 }, { 15, 0 }, { 7, 4 }, { 15, 7 } }) {
        const TBgr pixel = PixelAt(result.picture, x, y);
        EXPECT_NEAR(pixel.red, 200, 6);
        EXPECT_NEAR(pixel.green, 40, 6);
        EXPECT_NEAR(pixel.blue, 90, 6);
    }
}

TEST(ImagePlugin, InfoCarriesSizeAndDensity)
{
    TempDir dir;
    QImage picture = ColourfulPicture();
    picture.setDotsPerMeterX(11811); // 300 dpi
    picture.setDotsPerMeterY(3780); // 96 dpi
    const auto file = dir.File("dense.png");
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string())));

    const TPluginInfoResult result = BuiltPlugins().GetPictureInfo(file);
    ASSERT_EQ(result.status, TImagePluginStatus::Decoded);
    EXPECT_EQ(result.info, (TPluginPictureInfo { 4, 3, 300, 96, 24 }));
}

TEST(ImagePlugin, AlphaIsLaidOnWhite)
{
    TempDir dir;
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
    picture.setPixel(1, 0, qRgba(0, 0, 0, 128));
    const auto file = dir.File("clear.png");
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string())));

    const TPluginPictureResult result = BuiltPlugins().LoadPicture(file);
    ASSERT_EQ(result.status, TImagePluginStatus::Decoded);
    EXPECT_EQ(PixelAt(result.picture, 0, 0), (TBgr { 255, 255, 255 }));
    EXPECT_EQ(PixelAt(result.picture, 1, 0), (TBgr { 127, 127, 127 }));
}

TEST(ImagePlugin, MonochromeStaysOneBit)
{
    TempDir dir;
    QImage picture(10, 2, QImage::Format_Mono);
    picture.setColorTable({ qRgb(255, 255, 255), qRgb(0, 0, 128) });
    picture.fill(0);
    picture.setPixel(0, 0, 1);
    picture.setPixel(9, 1, 1);
    const auto file = dir.File("scan.png");
    ASSERT_TRUE(picture.save(QString::fromStdString(file.string())));

    const TPluginPictureResult result = BuiltPlugins().LoadPicture(file);
    ASSERT_EQ(result.status, TImagePluginStatus::Decoded);
    EXPECT_EQ(result.info.colour_depth, 1);
    const TDecodedPicture& decoded = result.picture;
    ASSERT_EQ(decoded.bits_per_pixel, 1);
    EXPECT_EQ(decoded.stride, 4u);
    ASSERT_EQ(decoded.palette.size(), 2u);
    // The colour-table order is the decoder's; find the ink by colour.
    const int ink = decoded.palette[1].blue == 128 ? 1 : 0;
    EXPECT_EQ(decoded.palette[ink].blue, 128);
    EXPECT_EQ(decoded.palette[1 - ink].red, 255);
    const auto bit = [&](int x, int y) { return (decoded.RowFromTop(y)[x / 8] >> (7 - x % 8)) & 1; };
    EXPECT_EQ(bit(0, 0), ink);
    EXPECT_EQ(bit(1, 0), 1 - ink);
    EXPECT_EQ(bit(9, 1), ink);
    EXPECT_EQ(bit(9, 0), 1 - ink);
}

TEST(ImagePlugin, OtherFilesAreRefused)
{
    TempDir dir;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        { "notes.txt", "hello, world\n" },
        { "fake.png", "not a picture at all" },
        { "empty.jpg", "" },
        { "drawing.zhd", std::string("ZhdData.\0\0\0\0", 12) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = dir.Write(c.name, c.bytes);
        const TPluginPictureResult result = BuiltPlugins().LoadPicture(file);
        EXPECT_EQ(result.status, TImagePluginStatus::NotSupported);
        EXPECT_EQ(result.plugin, "");
        EXPECT_TRUE(result.picture.rows.empty());
        EXPECT_EQ(BuiltPlugins().GetPictureInfo(file).status, TImagePluginStatus::NotSupported);
    }
    EXPECT_EQ(BuiltPlugins().LoadPicture(dir.File("missing.png")).status, TImagePluginStatus::Missing);
    EXPECT_EQ(BuiltPlugins().GetPictureInfo(dir.Path()).status, TImagePluginStatus::Missing) << "a folder";
}

TEST(ImagePlugin, UnreadableFileIsReportedApart)
{
    TempDir dir;
    const auto file = dir.File("locked.png");
    ASSERT_TRUE(ColourfulPicture().save(QString::fromStdString(file.string())));
    const bool ran = WithFileUnreadable(file,
        [&] { EXPECT_EQ(BuiltPlugins().LoadPicture(file).status, TImagePluginStatus::Unreadable); });
    if (!ran)
        GTEST_SKIP() << "the file stays readable here";
}

TEST(ImagePlugin, NoFolderNoPlugins)
{
    TempDir dir;
    const auto list = TImagePluginList::LoadFolder(dir.File("absent"));
    EXPECT_TRUE(list.Names().empty());
    const auto file = dir.File("picture.png");
    ASSERT_TRUE(ColourfulPicture().save(QString::fromStdString(file.string())));
    EXPECT_EQ(list.LoadPicture(file).status, TImagePluginStatus::NotSupported);
}

TEST(ImagePlugin, FolderIsSortedAndUnusableFilesAreSkipped)
{
    TPluginFolder folder;
    // Created out of order, so the file system's own order is not the answer.
    folder.Add(kQtImage, "m-qt.SPI");
    folder.Add(kIncomplete, "c-incomplete.spi");
    folder.dir.Write("junk.spi", "not a library");
    folder.Add(kBroken, "b-broken.spi");
    folder.Add(kBroken, "a-broken.spi");
    folder.Add(kQtImage, "qtimage.so");
    std::filesystem::create_directory(folder.dir.File("folder.spi"));

    const TImagePluginList list = folder.Load();
    EXPECT_EQ(list.Names(), (std::vector<std::string> { "a-broken.spi", "b-broken.spi", "m-qt.SPI" }));
    EXPECT_EQ(list.Skipped(), (std::vector<TSkippedPlugin> { { "c-incomplete.spi", TPluginSkipReason::MissingEntryPoint },
                                  { "junk.spi", TPluginSkipReason::NotLoadable } }));

    // Both broken copies take the file; the first by name decodes it. The
    // incomplete one would take anything but is never asked.
    TempDir images;
    EXPECT_EQ(list.LoadPicture(images.Write("x.img", "BROKEN:sound")).plugin, "a-broken.spi");
    const auto png = images.File("x.png");
    ASSERT_TRUE(ColourfulPicture().save(QString::fromStdString(png.string())));
    EXPECT_EQ(list.LoadPicture(png).plugin, "m-qt.SPI");
}

TEST(ImagePlugin, SoundAnswerBecomesBottomUpPicture)
{
    TPluginFolder folder;
    folder.Add(kBroken, "broken.spi");
    TempDir images;
    const TPluginPictureResult result = folder.Load().LoadPicture(images.Write("sound.img", "BROKEN:sound"));
    ASSERT_EQ(result.status, TImagePluginStatus::Decoded);
    EXPECT_EQ(result.info, (TPluginPictureInfo { 3, 2, 96, 0, 8 }));
    const TDecodedPicture& picture = result.picture;
    EXPECT_EQ(picture.stride, 4u);
    // The top-down block comes out bottom-up.
    EXPECT_EQ(picture.rows, (std::vector<std::uint8_t> { 1, 1, 0, 0, 0, 1, 0, 0 }));
    // Two colours given, the rest of the 256 black so no value indexes past.
    ASSERT_EQ(picture.palette.size(), 256u);
    EXPECT_EQ(picture.palette[0].red, 255);
    EXPECT_EQ(picture.palette[1].blue, 255);
    EXPECT_EQ(picture.palette[255].red, 0);
}

TEST(ImagePlugin, FaultyAnswersAreRefused)
{
    TPluginFolder folder;
    folder.Add(kBroken, "broken.spi");
    const TImagePluginList list = folder.Load();
    TempDir images;
    const struct {
        const char* fault;
        TImagePluginStatus load;
        TImagePluginStatus info;
    } cases[] = {
        { "zeroed-record", TImagePluginStatus::BadRecord, TImagePluginStatus::BadRecord },
        { "odd-depth", TImagePluginStatus::BadRecord, TImagePluginStatus::BadRecord },
        { "info-error", TImagePluginStatus::PluginFailed, TImagePluginStatus::PluginFailed },
        { "picture-error", TImagePluginStatus::PluginFailed, TImagePluginStatus::Decoded },
        { "short-pixels", TImagePluginStatus::PixelsShort, TImagePluginStatus::Decoded },
        { "null-pixels", TImagePluginStatus::PixelsShort, TImagePluginStatus::Decoded },
        { "taller-header", TImagePluginStatus::PixelsShort, TImagePluginStatus::Decoded },
        { "short-info", TImagePluginStatus::BadHeader, TImagePluginStatus::Decoded },
        { "palette-past-block", TImagePluginStatus::BadHeader, TImagePluginStatus::Decoded },
        { "too-many-colours", TImagePluginStatus::BadHeader, TImagePluginStatus::Decoded },
        { "compressed", TImagePluginStatus::BadHeader, TImagePluginStatus::Decoded },
        { "zero-width", TImagePluginStatus::BadHeader, TImagePluginStatus::Decoded },
        { "huge", TImagePluginStatus::TooLarge, TImagePluginStatus::Decoded },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const auto file = images.Write(std::string(c.fault) + ".img", std::string("BROKEN:") + c.fault);
        const TPluginPictureResult result = list.LoadPicture(file);
        EXPECT_EQ(result.status, c.load);
        EXPECT_EQ(result.plugin, "broken.spi");
        EXPECT_TRUE(result.picture.rows.empty());
        EXPECT_TRUE(result.picture.palette.empty());
        EXPECT_EQ(list.GetPictureInfo(file).status, c.info);
    }
}

TEST(ImagePlugin, PictureIsSizedFromItsOwnHeader)
{
    TPluginFolder folder;
    folder.Add(kBroken, "broken.spi");
    TempDir images;
    // The record claims 100 × 100; the bitmap header and its rows say 3 × 2.
    const TPluginPictureResult result
        = folder.Load().LoadPicture(images.Write("differs.img", "BROKEN:record-differs"));
    ASSERT_EQ(result.status, TImagePluginStatus::Decoded);
    EXPECT_EQ(result.info.width, 3);
    EXPECT_EQ(result.info.height, 2);
    EXPECT_EQ(result.picture.rows.size(), 8u);
}

TEST(ImagePlugin, DibStrideRoundsRowsToFourBytes)
{
    const struct {
        std::int64_t width;
        int bits;
        std::uint64_t stride;
    } cases[] = {
        { 1, 1, 4 }, { 32, 1, 4 }, { 33, 1, 8 }, { 3, 8, 4 }, { 3, 24, 12 }, { 5, 24, 16 }, { 2, 32, 8 },
        { 0, 24, 0 }, { 4, 0, 0 }, { 0x7FFFFFFF, 32, std::uint64_t { 0x7FFFFFFF } * 4 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(DibStride(c.width, c.bits), c.stride) << c.width << " × " << c.bits;
}

TEST(ImagePlugin, DecodedPictureBecomesBitmap)
{
    TDecodedPicture indexed;
    indexed.width = 3;
    indexed.height = 2;
    indexed.bits_per_pixel = 8;
    indexed.stride = 4;
    indexed.rows = { 1, 1, 0, 0, 0, 1, 0, 0 };
    indexed.palette = { { 0, 0, 255, 0 }, { 255, 0, 0, 0 } };
    const TBitmap bitmap = ToBitmap(indexed);
    ASSERT_EQ(bitmap.Format(), TPixelFormat::Indexed8);
    EXPECT_EQ(bitmap.GetPixel(0, 0), PackColor(255, 0, 0)) << "top row, index 0";
    EXPECT_EQ(bitmap.GetPixel(1, 0), PackColor(0, 0, 255));
    EXPECT_EQ(bitmap.GetPixel(0, 1), PackColor(0, 0, 255)) << "bottom row, index 1";

    // 5-5-5: blue 31, green 0, red 16 on top; black below.
    TDecodedPicture high;
    high.width = 1;
    high.height = 2;
    high.bits_per_pixel = 16;
    high.stride = 4;
    high.rows = { 0, 0, 0, 0, 0x1F, 0x40, 0, 0 };
    const TBitmap widened = ToBitmap(high);
    ASSERT_EQ(widened.Format(), TPixelFormat::Rgb24);
    EXPECT_EQ(widened.GetPixel(0, 0), PackColor(132, 0, 255));
    EXPECT_EQ(widened.GetPixel(0, 1), PackColor(0, 0, 0));

    EXPECT_TRUE(ToBitmap(TDecodedPicture {}).IsEmpty());
}

TEST(ImagePlugin, PluginPictureDrawsAsBitmap)
{
    TempDir dir;
    const auto file = dir.File("picture.png");
    ASSERT_TRUE(ColourfulPicture().save(QString::fromStdString(file.string())));
    const TBitmap bitmap = ToBitmap(BuiltPlugins().LoadPicture(file).picture);
    EXPECT_EQ(bitmap.ToImage(), ColourfulPicture());
}
