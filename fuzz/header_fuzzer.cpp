// Bytes in, read as a drawing header; then, as the loader goes on, class tags
// from where the header ended until one names no class. A header that was
// read is also reported and written back, so values from hostile files pass
// through the report's formats and the writer's conversions. (The print
// report shares the report's formatting and is left out: under the sanitizers
// it would halve the executions.)
#include "document/DataType.h"
#include "document/ZhdHead.h"
#include "platform/Stream.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
    TZhdHead head;
    if (head.ReadFromStream(stream) != THeadReadResult::WrongMagic) {
        StringList lines;
        head.AppendInformation(lines);
        TMemoryStream written;
        head.WriteToStream(written);
    }
    TDataType table;
    while (!table.ReadClassTag(stream, head.GetVersion()).empty()) {
    }
    return 0;
}
