#include "render/MonoCache.h"

#include "core/Archive.h"
#include "core/DebugLog.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"
#include "platform/Stream.h"
#include "render/InfoReg.h"

#include <cmath>
#include <string>

namespace {

void WriteU32(TStream& stream, std::uint32_t value)
{
    const std::uint8_t bytes[4] = { static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                    static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24) };
    stream.Write(bytes, sizeof bytes);
}

std::uint32_t ReadU32(TStream& stream)
{
    std::uint8_t bytes[4] = {};
    stream.ReadExact(bytes, sizeof bytes);
    return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24);
}

// Reads one line's runs; the status of the first fault found.
TMonoCacheStatus ReadLine(TStream& stream, std::uint32_t width, std::vector<std::uint32_t>& starts,
                          std::vector<std::uint32_t>& ends)
{
    const std::uint32_t count = ReadU32(stream);
    // Every pair takes at least four bytes: a count the file cannot hold is
    // refused before anything is allocated for it.
    if (stream.RanShort() || count > stream.Remaining() / 4)
        return TMonoCacheStatus::Truncated;
    starts.resize(count);
    ends.resize(count);
    std::uint32_t previous_end = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        starts[i] = ReadArchiveCount(stream);
        ends[i] = ReadArchiveCount(stream);
        if (stream.RanShort())
            return TMonoCacheStatus::Truncated;
        if (starts[i] < previous_end || starts[i] >= ends[i] || ends[i] > width)
            return TMonoCacheStatus::BadRun;
        previous_end = ends[i];
    }
    return TMonoCacheStatus::Loaded;
}

std::string Flag(bool value)
{
    return value ? "1" : "0";
}

std::string General(double value)
{
    return StringPrintf("%.15g", value);
}

// The conditions that take part, each already evaluated.
struct TConditions {
    bool use_a, use_b, use_c;
    bool a, b, c;
};

// The enabled conditions joined by the two switches (0 "and", other "or"):
// the log line and the result.
bool JoinConditions(const TConditions& k, int combine1, int combine2)
{
    const bool and1 = combine1 == 0;
    const bool and2 = combine2 == 0;
    std::string line;
    bool result = true;
    if (k.use_a && k.use_b && k.use_c) {
        line = std::string("A ") + (and1 ? "and" : "or") + " B " + (and2 ? "and" : "or") + " C";
        if (and1 && and2)
            result = k.a && k.b && k.c;
        else if (and1)
            result = k.a && (k.b || k.c);
        else if (and2)
            result = (k.a || k.b) && k.c;
        else
            result = k.a || k.b || k.c;
    } else if (k.use_a && k.use_b) {
        line = and1 ? "A and B" : "A or B";
        result = and1 ? k.a && k.b : k.a || k.b;
    } else if (k.use_a && k.use_c) {
        line = and1 ? "A and C" : "A or C";
        result = and1 ? k.a && k.c : k.a || k.c;
    } else if (k.use_b && k.use_c) {
        line = and2 ? "B and C" : "B or C";
        result = and2 ? k.b && k.c : k.b || k.c;
    } else if (k.use_a || k.use_b || k.use_c) {
        // A string built, not assigned from the pointer: GCC 12 takes that
        // assignment here for an overlapping copy (-Wrestrict).
        line = std::string(k.use_a ? "A" : k.use_b ? "B" : "C");
        result = k.use_a ? k.a : k.use_b ? k.b : k.c;
    } else {
        line = sj(u8"どれも適用されていないから無条件で，");
    }
    WriteDebugLog(line);
    return result;
}

} // namespace

std::filesystem::path MonoCachePathOf(const std::filesystem::path& image)
{
    std::filesystem::path cache = image;
    cache += ".zuvcache";
    return cache;
}

std::vector<std::uint8_t> EncodeMonoCache(const TRasterInfo& info, const TMonoRunData& runs,
                                          std::uint32_t& longest_line)
{
    std::vector<std::uint8_t> buffer;
    buffer.reserve(runs.starts.size() * 4 + std::size_t { runs.total } * 4 + MonoCacheHeaderSize);
    TMemoryStream stream(std::move(buffer));
    stream.Write(MonoCacheMagic.data(), MonoCacheMagic.size());
    info.WriteRecord(stream);
    WriteU32(stream, static_cast<std::uint32_t>(runs.starts.size()));
    longest_line = 0;
    for (std::size_t y = 0; y < runs.starts.size(); ++y) {
        const std::vector<std::uint32_t>& starts = runs.starts[y];
        const std::vector<std::uint32_t>& ends = runs.ends[y];
        const std::size_t count = std::min(starts.size(), ends.size());
        WriteU32(stream, static_cast<std::uint32_t>(count));
        longest_line = std::max(longest_line, static_cast<std::uint32_t>(count));
        for (std::size_t i = 0; i < count; ++i) {
            WriteArchiveCount(stream, starts[i]);
            WriteArchiveCount(stream, ends[i]);
        }
    }
    return stream.Bytes();
}

TMonoCacheStatus DecodeMonoCache(std::vector<std::uint8_t> bytes, TRasterInfo& info, TMonoRunData& runs)
{
    if (bytes.size() < MonoCacheMagic.size()
        || std::string_view(reinterpret_cast<const char*>(bytes.data()), MonoCacheMagic.size()) != MonoCacheMagic)
        return TMonoCacheStatus::BadMagic;
    TMemoryStream stream(std::move(bytes));
    stream.SetPosition(MonoCacheMagic.size());
    TRasterInfo read_info;
    read_info.ReadRecord(stream);
    const std::uint32_t line_count = ReadU32(stream);
    if (stream.RanShort() || line_count > stream.Remaining() / 4)
        return TMonoCacheStatus::Truncated;
    if (read_info.GetPixelHeight() < 0 || line_count != static_cast<std::uint32_t>(read_info.GetPixelHeight()))
        return TMonoCacheStatus::BadLineCount;
    const auto width = static_cast<std::uint32_t>(std::max(read_info.GetPixelWidth(), 0));
    TMonoRunData read_runs;
    read_runs.starts.resize(line_count);
    read_runs.ends.resize(line_count);
    for (std::uint32_t y = 0; y < line_count; ++y) {
        const TMonoCacheStatus line = ReadLine(stream, width, read_runs.starts[y], read_runs.ends[y]);
        if (line != TMonoCacheStatus::Loaded)
            return line;
        read_runs.total += static_cast<std::uint32_t>(read_runs.starts[y].size());
    }
    if (stream.Remaining() != 0)
        return TMonoCacheStatus::TrailingBytes;
    if (read_runs.total == 0)
        return TMonoCacheStatus::NoRuns;
    info = read_info;
    runs = std::move(read_runs);
    return TMonoCacheStatus::Loaded;
}

bool MonoCacheWanted(const TDrawSettings& settings, const TMonoCacheFigures& figures)
{
    const double cache_bytes = static_cast<double>(figures.cache_bytes);
    const double rate = figures.image_bytes != 0 ? cache_bytes / static_cast<double>(figures.image_bytes) : 0.0;
    TConditions k { settings.LoadTime != 0, settings.SaveSize != 0, settings.Rate != 0, true, true, true };
    if (k.use_a && figures.load_seconds * 1000 < settings.LoadTimeNum)
        k.a = false;
    if (k.use_b && cache_bytes > settings.SaveSizeNum * std::pow(1024.0, settings.SaveSizeUnit))
        k.b = false;
    if (k.use_c && (figures.image_bytes == 0 || rate * 100 > settings.RateNum))
        k.c = false;
    WriteDebugLog("SaveCache LoadTime:" + General(figures.load_seconds) + ", SaveSize:"
                  + std::to_string(figures.cache_bytes) + ", SaveRate:" + General(rate));
    WriteDebugLog("          LoadTime:" + Flag(k.a) + ", SaveSize:" + Flag(k.b) + ", SaveRate:" + Flag(k.c));
    return JoinConditions(k, settings.Combine1, settings.Combine2);
}
