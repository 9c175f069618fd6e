// Bytes in, archive strings and counts out until the data is used up. The
// first byte picks the reader of each step, so every reader meets every kind
// of length field.
#include "core/Archive.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t selector = data[0];
    TMemoryStream stream(std::vector<std::uint8_t>(data + 1, data + size));
    for (int step = 0; stream.Remaining() > 0 && !stream.RanShort(); ++step) {
        switch ((selector >> (2 * (step % 4))) & 3) {
        case 0: ReadArchiveString(stream); break;
        case 1: ReadWordString(stream); break;
        default: ReadArchiveCount(stream); break;
        }
    }
    return 0;
}
