// Bytes in, loaded as an external-command text file. A file that loads must
// save to lines that load again: the writer never writes what its reader
// rejects.
#include "document/ZhdData.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TZhdData document;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (document.LoadZhcTextFromBytes(bytes).status != TLoadStatus::Loaded)
        return 0;
    StringList lines;
    document.WriteZhcText(lines);
    TZhdData reloaded;
    if (reloaded.LoadZhcTextFromBytes(JoinTextFormLines(lines)).status != TLoadStatus::Loaded)
        std::abort();
    return 0;
}
