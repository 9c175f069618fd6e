// Bytes in, a mono cache file read: the runs of a cache that loads keep the
// promises the drawing relies on, and writing them gives a cache that reads
// back to the same runs and writes again to the same bytes. (A cache may
// spell a small count with the long escape; the writer never does, so the
// input itself need not come back byte for byte.)
#include "fuzz/FuzzSupport.h"
#include "render/MonoCache.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    TRasterInfo info;
    TMonoRunData runs;
    if (DecodeMonoCache(bytes, info, runs) != TMonoCacheStatus::Loaded)
        return 0;
    Require(runs.total != 0 && runs.starts.size() == static_cast<std::size_t>(info.GetPixelHeight()));
    for (std::size_t y = 0; y < runs.starts.size(); ++y) {
        Require(runs.starts[y].size() == runs.ends[y].size());
        for (std::size_t i = 0; i < runs.starts[y].size(); ++i)
            Require(runs.starts[y][i] < runs.ends[y][i]
                    && runs.ends[y][i] <= static_cast<std::uint32_t>(info.GetPixelWidth()));
    }
    std::uint32_t longest = 0;
    const std::vector<std::uint8_t> written = EncodeMonoCache(info, runs, longest);
    TRasterInfo info_again;
    TMonoRunData runs_again;
    Require(DecodeMonoCache(written, info_again, runs_again) == TMonoCacheStatus::Loaded);
    Require(runs_again.starts == runs.starts && runs_again.ends == runs.ends);
    Require(EncodeMonoCache(info_again, runs_again, longest) == written);
    return 0;
}
