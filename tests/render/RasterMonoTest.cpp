// One-bit images: runs decoded from scan lines, BMP files and plug-in
// pictures, the cache file (bytes, damage, staleness, the settings that
// allow it), the colour file, and drawing on screen and into jobs.

#include "render/RasterMono.h"

#include "core/Archive.h"
#include "platform/BmpFile.h"
#include "platform/ImagePlugin.h"
#include "platform/MessagePump.h"
#include "platform/Stream.h"
#include "render/MonoCache.h"
#include "tests/render/CommandSupport.h"
#include "tests/support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <numbers>

namespace {

namespace cc = canvas_command;
using Lines = std::vector<std::vector<std::uint32_t>>;

constexpr TColor black = PackColor(0, 0, 0);
constexpr TColor white = PackColor(255, 255, 255);

// A one-bit bitmap from rows of '#' (index 1) and '.' (index 0).
TBitmap OneBit(const std::vector<std::string>& rows, std::vector<TColor> palette = { black, white })
{
    TBitmap bitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), TPixelFormat::Indexed1);
    bitmap.SetPalette(palette);
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            bitmap.SetPixelIndex(static_cast<int>(x), static_cast<int>(y), rows[y][x] == '#' ? 1 : 0);
    return bitmap;
}

TMonoRunData RunsOf(const TBitmap& bitmap, int ink_bit)
{
    return DecodeBitmapRuns(bitmap, ink_bit).Runs();
}

std::vector<std::uint8_t> Bytes(const std::filesystem::path& file)
{
    const std::string text = ReadFileBytes(file);
    return { text.begin(), text.end() };
}

void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct LineCase {
    const char* name;
    std::string row;
    int ink_bit;
    std::vector<std::uint32_t> starts;
    std::vector<std::uint32_t> ends;
};

class MonoLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(MonoLine, GivesExactRuns)
{
    const LineCase& c = GetParam();
    const TMonoRunData runs = RunsOf(OneBit({ c.row }), c.ink_bit);
    EXPECT_EQ(runs.starts, Lines { c.starts });
    EXPECT_EQ(runs.ends, Lines { c.ends });
    EXPECT_EQ(runs.total, c.starts.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MonoLine,
    ::testing::Values(LineCase { "Empty", "..........", 1, {}, {} },
                      LineCase { "AllInk", "##########", 1, { 0 }, { 10 } },
                      LineCase { "EndsInsideRun", "..##....##", 1, { 2, 8 }, { 4, 10 } },
                      LineCase { "InkBitZero", "..##....##", 0, { 0, 4 }, { 2, 8 } },
                      // Whole bytes skipped, a run across a byte border.
                      LineCase { "AcrossBytes", "................#######...#", 1, { 16, 26 }, { 23, 27 } },
                      LineCase { "SinglePixels", "#.#.#.#.#", 1, { 0, 2, 4, 6, 8 }, { 1, 3, 5, 7, 9 } }),
    [](const ::testing::TestParamInfo<LineCase>& param) { return std::string(param.param.name); });

TEST(MonoRuns, BitsAfterTheWidthAreNotRead)
{
    // Width 3 in a byte whose padding bits are set: a run ends at the width.
    TMonoRunDecoder decoder(3, 1, 1);
    const std::uint8_t byte = 0b01111111;
    decoder.DecodeLine(0, { &byte, 1 });
    EXPECT_EQ(decoder.Runs().starts, Lines { { 1 } });
    EXPECT_EQ(decoder.Runs().ends, Lines { { 3 } });
    EXPECT_EQ(decoder.SetPixels(), 2u);
}

// Files in a fresh folder, and a document with the cache switched on and no
// condition set.
class MonoFiles : public ::testing::Test {
protected:
    MonoFiles()
    {
        // Before the plug-ins are first asked: the test plug-in's folder.
        UseImagePluginFolder(std::filesystem::path(ZUVIEW_TEST_QTIMAGE_SPI).parent_path());
        document.GetInfoRegPtr().UseCache = 1;
    }

    std::filesystem::path Image(const std::string& name, const TBitmap& bitmap)
    {
        const std::filesystem::path file = temp.File(name);
        EXPECT_EQ(WriteBmpFile(file, bitmap, TBmpDensity { 3937, 7874 }), TSaveStatus::Saved);
        return file;
    }

    TRasterMono Loaded(const std::filesystem::path& file, int expected = 1)
    {
        TRasterMono raster;
        EXPECT_EQ(raster.Load(file, document), expected) << file;
        return raster;
    }

    TempDir temp;
    TZhdData document;
};

const std::vector<std::string> Plan = { "#....####..", "...........", "..#########" };

TEST_F(MonoFiles, OneBitBmpGivesExactRunsOfItsBlackPixels)
{
    // Palette entry 0 black: the 0 bits are ink; entry 0 white: the 1 bits.
    const TBitmap straight = OneBit(Plan, { white, black });
    const TBitmap inverted = OneBit(Plan, { black, white });
    for (const TBitmap* bitmap : { &straight, &inverted }) {
        const TRasterMono raster = Loaded(Image("plan.bmp", *bitmap));
        const TMonoRunData runs = raster.GetRunData();
        if (bitmap == &straight) {
            EXPECT_EQ(runs.starts, (Lines { { 0, 5 }, {}, { 2 } }));
            EXPECT_EQ(runs.ends, (Lines { { 1, 9 }, {}, { 11 } }));
        } else {
            EXPECT_EQ(runs.starts, (Lines { { 1, 9 }, { 0 }, { 0 } }));
            EXPECT_EQ(runs.ends, (Lines { { 5, 11 }, { 11 }, { 2 } }));
        }
        EXPECT_EQ(raster.GetInfoRef().GetPixelWidth(), 11);
        EXPECT_EQ(raster.GetInfoRef().GetPixelHeight(), 3);
        EXPECT_EQ(raster.GetInfoRef().GetPpmY(), 7874);
        EXPECT_EQ(raster.GetInfoRef().GetBitCount(), 1);
        std::filesystem::remove(MonoCachePathOf(temp.File("plan.bmp")));
    }
}

TEST_F(MonoFiles, FailedDecodesAnswerZeroAndLeaveNoCache)
{
    TBitmap grey(4, 4, TPixelFormat::Indexed8);
    const std::filesystem::path cases[] = {
        Image("blank.bmp", OneBit({ "....", "...." }, { white, black })), // no ink
        Image("grey.bmp", grey),                                          // not one bit
        temp.Write("broken.bmp", "BM not really"),
        temp.Write("notes.txt", "no plug-in takes this"),
        temp.File("missing.bmp"),
    };
    for (const std::filesystem::path& file : cases) {
        const TRasterMono raster = Loaded(file, 0);
        EXPECT_EQ(raster.GetRunTotal(), 0) << file;
        EXPECT_FALSE(std::filesystem::exists(MonoCachePathOf(file))) << file;
    }
    // A BMP whose rows are cut off is refused, not read past its end.
    std::vector<std::uint8_t> cut = WriteBmp(OneBit(Plan));
    cut.resize(cut.size() - 4);
    WriteBytes(temp.File("cut.bmp"), cut);
    Loaded(temp.File("cut.bmp"), 0);
    EXPECT_FALSE(std::filesystem::exists(MonoCachePathOf(temp.File("cut.bmp"))));
}

TEST(MonoCache, FileIsExactlyTheLayoutWithTheLongFormAbove0xFFFE)
{
    TRasterInfo info;
    info.SetPixelWidth(70000);
    info.SetPixelHeight(2);
    info.SetColor(TRGB(0x123456));
    TMonoRunData runs { 3, { { 1, 65534 }, { 65535 } }, { { 2, 65535 }, { 70000 } } };
    std::uint32_t longest = 0;
    const std::vector<std::uint8_t> bytes = EncodeMonoCache(info, runs, longest);
    EXPECT_EQ(longest, 2u);

    TMemoryStream expected;
    expected.Write("ZuvRasterMono000", 16);
    info.WriteRecord(expected);
    const std::vector<std::uint8_t> body = {
        2, 0, 0, 0,                                    // lines
        2, 0, 0, 0, 1, 0, 2, 0, 0xFE, 0xFF,            // run count, (1, 2), (65534,
        0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00,            //   65535 in the long form)
        1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,      // (65535,
        0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00,            //  70000)
    };
    expected.Write(body.data(), body.size());
    EXPECT_EQ(bytes, expected.Bytes());

    TRasterInfo read_info;
    TMonoRunData read_runs;
    ASSERT_EQ(DecodeMonoCache(bytes, read_info, read_runs), TMonoCacheStatus::Loaded);
    EXPECT_EQ(read_runs, runs);
    EXPECT_EQ(read_info.GetColor().GetColor(), 0x123456);
    std::uint32_t again = 0;
    EXPECT_EQ(EncodeMonoCache(read_info, read_runs, again), bytes) << "read back and written again";

    // Below 0xFFFF everywhere the size is lines x 4 + runs x 4 + 90.
    info.SetPixelWidth(100);
    runs = { 3, { { 1, 50 }, { 7 } }, { { 2, 60 }, { 100 } } };
    EXPECT_EQ(EncodeMonoCache(info, runs, again).size(), 2u * 4 + 3 * 4 + 90);
}

TEST(MonoCache, DamagedFilesAreRefused)
{
    TRasterInfo info;
    info.SetPixelWidth(10);
    info.SetPixelHeight(2);
    std::uint32_t longest = 0;
    const TMonoRunData runs { 2, { { 1 }, { 3 } }, { { 4 }, { 10 } } };
    const std::vector<std::uint8_t> good = EncodeMonoCache(info, runs, longest);
    const auto status = [](std::vector<std::uint8_t> bytes) {
        TRasterInfo i;
        TMonoRunData r;
        return DecodeMonoCache(std::move(bytes), i, r);
    };
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_NE(status({ good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size) }),
                  TMonoCacheStatus::Loaded)
            << "cut to " << size;
    const auto changed = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> bytes = good;
        bytes[at] = value;
        return bytes;
    };
    struct Damage {
        std::vector<std::uint8_t> bytes;
        TMonoCacheStatus status;
    };
    std::vector<std::uint8_t> trailing = good;
    trailing.push_back(0);
    const Damage cases[] = {
        { changed(0, 'z'), TMonoCacheStatus::BadMagic },
        { changed(86, 3), TMonoCacheStatus::BadLineCount },        // 3 lines of a 2-row image
        { changed(86, 0xFF), TMonoCacheStatus::Truncated },        // more lines than bytes
        { changed(90, 0xFF), TMonoCacheStatus::Truncated },        // more runs than bytes
        { changed(96, 11), TMonoCacheStatus::BadRun },             // end past the width
        { changed(94, 4), TMonoCacheStatus::BadRun },              // empty run
        { trailing, TMonoCacheStatus::TrailingBytes },
        { EncodeMonoCache(info, { 0, { {}, {} }, { {}, {} } }, longest), TMonoCacheStatus::NoRuns },
    };
    for (const Damage& damage : cases)
        EXPECT_EQ(status(damage.bytes), damage.status);
}

TEST_F(MonoFiles, CacheIsWrittenAndReadBackInsteadOfTheImage)
{
    const std::filesystem::path file = Image("plan.bmp", OneBit(Plan));
    const TRasterMono first = Loaded(file);
    const std::filesystem::path cache = MonoCachePathOf(file);
    ASSERT_TRUE(std::filesystem::exists(cache));
    std::uint32_t longest = 0;
    EXPECT_EQ(Bytes(cache), EncodeMonoCache(first.GetInfoRef(), first.GetRunDataRef(), longest));

    // The cache alone serves, even without the image.
    std::filesystem::remove(file);
    const TRasterMono second = Loaded(file);
    EXPECT_EQ(second.GetRunData(), first.GetRunData());
    EXPECT_EQ(second.GetInfoRef().GetPpmX(), first.GetInfoRef().GetPpmX());
}

TEST_F(MonoFiles, StaleAndDamagedCachesAreRebuiltFromTheImage)
{
    const std::filesystem::path file = Image("plan.bmp", OneBit(Plan));
    const std::filesystem::path cache = MonoCachePathOf(file);
    const TMonoRunData wanted = Loaded(file).GetRunData();

    // A cache of another picture, older than the image.
    const TBitmap other = OneBit({ "#", "#", "#" }, { white, black });
    const TRasterMono other_raster = Loaded(Image("other.bmp", other));
    std::filesystem::copy_file(MonoCachePathOf(temp.File("other.bmp")), cache,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::last_write_time(cache, std::filesystem::last_write_time(file) - std::chrono::hours(1));
    EXPECT_EQ(Loaded(file).GetRunData(), wanted);
    EXPECT_EQ(Bytes(cache), Bytes(MonoCachePathOf(file))) << "rewritten";
    std::uint32_t longest = 0;
    EXPECT_EQ(Bytes(cache), EncodeMonoCache(Loaded(file).GetInfoRef(), wanted, longest));

    // Damaged caches, and the empty one that a failed load used to leave,
    // count as absent: with the cache switched off they are left alone.
    document.GetInfoRegPtr().UseCache = 0;
    for (const std::vector<std::uint8_t>& bad : { std::vector<std::uint8_t> { 'x' }, std::vector<std::uint8_t>(90) }) {
        WriteBytes(cache, bad);
        EXPECT_EQ(Loaded(file).GetRunData(), wanted);
        EXPECT_EQ(Bytes(cache), bad);
    }
    // Without its image a damaged cache loads nothing.
    std::filesystem::remove(file);
    Loaded(file, 0);
}

TEST(MonoCache, ConditionsJoinAsTheSwitchesSay)
{
    struct Case {
        int load_time, save_size, rate, combine1, combine2;
        bool wanted;
    };
    // Figures: 4.9 s of decoding (A: at least 5000 ms fails), a cache of
    // 3000 bytes (B: at most 2 KiB fails) and an image of 1000 bytes (C: at
    // most 400 % passes).
    const Case cases[] = {
        { 0, 0, 0, 0, 0, true },  { 1, 0, 0, 0, 0, false }, { 0, 1, 0, 0, 0, false }, { 0, 0, 1, 0, 0, true },
        { 1, 1, 0, 0, 0, false }, { 1, 1, 0, 1, 0, false }, { 1, 0, 1, 0, 0, false }, { 1, 0, 1, 1, 0, true },
        { 0, 1, 1, 0, 0, false }, { 0, 1, 1, 0, 1, true },  { 1, 1, 1, 0, 0, false }, { 1, 1, 1, 0, 1, false },
        { 1, 1, 1, 1, 0, false }, { 1, 1, 1, 1, 1, true },  { 1, 0, 1, 1, 1, true },
    };
    for (const Case& c : cases) {
        TDrawSettings settings;
        settings.LoadTime = c.load_time;
        settings.LoadTimeNum = 5000;
        settings.SaveSize = c.save_size;
        settings.SaveSizeNum = 2;
        settings.SaveSizeUnit = 1;
        settings.Rate = c.rate;
        settings.RateNum = 400;
        settings.Combine1 = c.combine1;
        settings.Combine2 = c.combine2;
        EXPECT_EQ(MonoCacheWanted(settings, { 4.9, 3000, 1000 }), c.wanted)
            << c.load_time << c.save_size << c.rate << " " << c.combine1 << c.combine2;
    }
    TDrawSettings by_rate;
    by_rate.Rate = 1;
    by_rate.RateNum = 1000;
    EXPECT_FALSE(MonoCacheWanted(by_rate, { 1, 3000, 0 })) << "an image of unknown size";
}

TEST_F(MonoFiles, ConditionsThatFailWriteNoCache)
{
    document.GetInfoRegPtr().SaveSize = 1;
    document.GetInfoRegPtr().SaveSizeNum = 0;
    const std::filesystem::path file = Image("plan.bmp", OneBit(Plan));
    Loaded(file);
    EXPECT_FALSE(std::filesystem::exists(MonoCachePathOf(file)));
}

TEST(MonoColour, ColourFilesAreReadByTheirFirstNumber)
{
    const std::pair<std::string, std::optional<int>> cases[] = {
        { "255\r\n", 255 }, { "16711680\r\n0\r\n", 16711680 }, { "abc\r\n", 0 }, { "", std::nullopt },
        { "12.9xyz", 12 },  { "-3.5", -3 },                     { "1e3", 1000 }, { "0x10", 0 },
        { "1e999", 2147483647 },
    };
    for (const auto& [text, colour] : cases)
        EXPECT_EQ(ParseColourFile(text), colour) << text;
}

TEST_F(MonoFiles, ColourFileSetsTheInkEvenOverACache)
{
    const std::filesystem::path file = Image("plan.bmp", OneBit(Plan));
    temp.Write("plan.col", "255\r\n");
    EXPECT_EQ(Loaded(file).GetInfoRef().GetColor().GetColor(), 255) << "the name with its extension replaced";
    temp.Write("plan.bmp.col", "16711680\r\n");
    EXPECT_EQ(Loaded(file).GetInfoRef().GetColor().GetColor(), 16711680) << "the full name first, over the cache";
    std::filesystem::remove(temp.File("plan.bmp.col"));
    std::filesystem::remove(temp.File("plan.col"));
    EXPECT_EQ(Loaded(file).GetInfoRef().GetColor().GetColor(), 255) << "the cache keeps the colour of its day";
}

TEST_F(MonoFiles, PluginPicturesGiveRunsOfTheirBlackPixels)
{
    QImage png = OneBit(Plan).ToImage().convertToFormat(QImage::Format_Mono);
    ASSERT_TRUE(png.save(QString::fromStdString(temp.File("plan.png").string())));
    const TRasterMono raster = Loaded(temp.File("plan.png"));
    EXPECT_EQ(raster.GetRunStarts(), (Lines { { 1, 9 }, { 0 }, { 0 } }));
    EXPECT_EQ(raster.GetRunEnds(), (Lines { { 5, 11 }, { 11 }, { 2 } }));
    EXPECT_TRUE(std::filesystem::exists(MonoCachePathOf(temp.File("plan.png"))));
}

TEST(MonoPitch, FollowsTheViewOnScreenAndTheRunLimitInJobs)
{
    struct Case {
        int output_job, mono_thin, file_output;
        double view_scale, image_scale;
        std::uint32_t runs;
        int pitch;
    };
    const Case cases[] = {
        { 0, 0, 0, 1, 1, 10, 1 },         { 0, 0, 0, 0.25, 1, 10, 11 },     { 0, 0, 0, 100, 1, 10, 1 },
        { 1, 0, 0, 0.1, 1, 7000000, 3 },  { 1, 0, 1, 0.1, 1, 7000000, 1 },  { 1, 1, 0, 1, 1, 10, 2 },
        { 1, 1, 0, 1, 2, 10, 1 },         { 1, 1, 0, 0.5, 2, 10, 2 },       { 1, 0, 0, 1, 1, 3000000, 1 },
        { 1, 0, 0, 1, 1, 4294967295u, 1432 },
    };
    for (const Case& c : cases) {
        TDrawSettings settings;
        settings.OutputJob = c.output_job;
        settings.MonoThin = c.mono_thin;
        settings.FileOutput = c.file_output;
        EXPECT_EQ(MonoRowPitch(settings, c.view_scale, c.image_scale, c.runs).pitch, c.pitch)
            << c.output_job << " " << c.view_scale << " " << c.runs;
    }
}

TEST(RasterMono, AccessorsAndUnusedColour)
{
    TRasterMono raster;
    EXPECT_EQ(raster.GetKindName(), "Mono");
    EXPECT_EQ(raster.GetKindCode(), 1);
    EXPECT_EQ(raster.GetRunCount(0), 0) << "no lines";
    EXPECT_EQ(raster.GetUnusedColor().GetColor(), 1) << "drawn in black";
    raster.GetInfoPtr()->SetColor(TRGB(255));
    EXPECT_EQ(raster.GetUnusedColor().GetColor(), 0);
    raster.SetRunData({ 3, { { 2, 10 }, { 5 } }, { { 7, 13 }, { 6 } } });
    EXPECT_EQ(raster.GetLineCount(), 2);
    EXPECT_EQ(raster.GetRunCount(1), 1);
    EXPECT_EQ(raster.GetRunCount(9), 2) << "counts as line 0";
    EXPECT_EQ(raster.GetRunLength(1, 0), 3);
    EXPECT_EQ(raster.GetRunStartScaled(0, 0, 0.25), 1);
    EXPECT_EQ(raster.GetRunEndScaled(0, 0, 0.25), 2);
    EXPECT_EQ(raster.GetRunLengthScaled(1, 0, 0.5), 2);
    EXPECT_EQ(raster.GetRunStart(5, 0), 0);
    EXPECT_EQ(raster.GetRunEnd(0, -1), 0);
    EXPECT_EQ(raster.SetRunEnd(0, 1, 8), 8);
    EXPECT_EQ(raster.GetRunEnd(0, 1), 8);
    EXPECT_EQ(raster.SetRunStart(3, 3, 8), 0);
}

// The 4 x 2 image "#..#" / "####", 40 x 20 mm, centred at (100, 50) of a
// millimetre view, the middle of its output: each image pixel is 10 x 10
// output pixels.
class RasterMonoDraw : public ::testing::Test, protected MillimetreView {
protected:
    RasterMonoDraw()
    {
        raster.SetRunData({ 3, { { 0, 3 }, { 0 } }, { { 1, 4 }, { 4 } } });
        TRasterInfo& info = *raster.GetInfoPtr();
        info.SetPixelWidth(4);
        info.SetPixelHeight(2);
        info.SetPpmX(0);
        info.SetPpmY(0);
        info.SetWidth(40);
        info.SetHeight(20);
        info.SetColor(TRGB(static_cast<int>(PackColor(0, 0, 255))));
        info.SetPosition(TBPoint(100.0, 50.0));
    }

    int Draw()
    {
        canvas.Clear();
        return raster.Draw(canvas, document, Info().GetViewCorner(0), Info().GetViewCorner(2),
                           Info().GetView().GetScale(), Info().GetView().GetScale());
    }

    TRasterMono raster;
};

TEST_F(RasterMonoDraw, OneThickSegmentPerRunOverAWhiteUnderFill)
{
    ASSERT_EQ(Draw(), 3);
    EXPECT_EQ(SegmentsOf(canvas.Commands()),
              (std::vector<Segment> { { { 80, 40 }, { 90, 40 } }, { { 110, 40 }, { 120, 40 } },
                                      { { 80, 50 }, { 120, 50 } } }));
    EXPECT_EQ(canvas.Pen().width, 10) << "one image row";
    EXPECT_EQ(canvas.Pen().color, PackColor(0, 0, 255));
    const std::vector<cc::Polygon> fills = CommandsOf<cc::Polygon>(canvas.Commands());
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].points.size(), 4u);
    EXPECT_EQ(canvas.Brush().color, white);
    EXPECT_EQ(Info().ElementTotal, 2);
    EXPECT_EQ(Info().ElementsDrawn, 2);

    Info().Transparent = 1;
    ASSERT_EQ(Draw(), 3);
    EXPECT_TRUE(CommandsOf<cc::Polygon>(canvas.Commands()).empty());

    // Half the image out of view: only the runs that reach into it.
    raster.GetInfoPtr()->SetPosition(TBPoint(-5.0, 50.0));
    EXPECT_EQ(Draw(), 2);
    raster.GetInfoPtr()->SetPosition(TBPoint(1000.0, 0.0));
    EXPECT_EQ(Draw(), 0);
    EXPECT_TRUE(canvas.Commands().empty());
}

TEST_F(RasterMonoDraw, TurnedImagesDrawTurnedRuns)
{
    raster.GetInfoPtr()->SetAngle(TAngle(std::numbers::pi / 2));
    Info().Transparent = 1;
    ASSERT_EQ(Draw(), 3);
    EXPECT_EQ(SegmentsOf(canvas.Commands()),
              (std::vector<Segment> { { { 90, 70 }, { 90, 60 } }, { { 90, 40 }, { 90, 30 } },
                                      { { 100, 70 }, { 100, 30 } } }));
    EXPECT_DOUBLE_EQ(raster.GetInfoRef().GetAngle().GetRadians(), std::numbers::pi / 2);
}

TEST_F(RasterMonoDraw, JobsPumpMessagesAndStopWhenAborted)
{
    Info().OutputJob = 1;
    int pumped = 0;
    SetMessagePumpHook([&] {
        ++pumped;
        Info().AbortFlag = 1;
    });
    EXPECT_EQ(Draw(), 2) << "the first row only";
    SetMessagePumpHook({});
    EXPECT_EQ(pumped, 1);
    Info().AbortFlag = 0;
    EXPECT_EQ(Draw(), 3);
}

TEST_F(RasterMonoDraw, ViewsWithoutScaleOrImagesWithoutSizeDrawNothing)
{
    EXPECT_EQ(raster.Draw(canvas, document, Info().GetViewCorner(0), Info().GetViewCorner(2), 0, 0), 0);
    raster.GetInfoPtr()->SetHeight(0);
    EXPECT_EQ(Draw(), 0);
    raster.SetRunData({});
    raster.GetInfoPtr()->SetHeight(20);
    EXPECT_EQ(Draw(), 0) << "an image without lines";
}

// The cache fuzz target's seeds come from this writer: with
// ZUVIEW_WRITE_MONO_CACHE_SEEDS naming a folder, the cases are written there.
TEST(MonoCache, WritesFuzzSeedsOnRequest)
{
    const char* folder = std::getenv("ZUVIEW_WRITE_MONO_CACHE_SEEDS");
    if (folder == nullptr)
        GTEST_SKIP() << "set ZUVIEW_WRITE_MONO_CACHE_SEEDS to a folder to write the seeds";
    TRasterInfo info;
    info.SetPixelWidth(70000);
    info.SetPixelHeight(3);
    std::uint32_t longest = 0;
    WriteBytes(std::filesystem::path(folder) / "plan.zuvcache",
               EncodeMonoCache(info, { 4, { { 0, 9 }, {}, { 65535 } }, { { 5, 12 }, {}, { 70000 } } }, longest));
    info.SetPixelWidth(11);
    info.SetPixelHeight(3);
    WriteBytes(std::filesystem::path(folder) / "small.zuvcache", EncodeMonoCache(info, RunsOf(OneBit(Plan), 1), longest));
}

} // namespace
