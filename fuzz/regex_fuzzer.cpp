// Bytes in: the first byte says how much of the rest is the pattern, the
// remainder is the text. The pattern is compiled with every option setting
// and matched from the text's start and from its middle.
#include "core/regex/Pattern.h"

#include <algorithm>
#include <cstdint>

// Longer patterns only trip the automaton's limits again, at up to a few
// hundred milliseconds a compile under the sanitizers, and longer texts only
// repeat what shorter ones reach; neither finds new code.
constexpr std::size_t kMaxPattern = 512;
constexpr std::size_t kMaxText = 1024;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t split = std::min(data[0] * bytes.size() / 256, kMaxPattern);
    const std::string pattern = bytes.substr(0, split);
    const std::string text = bytes.substr(split, kMaxText);
    for (int options = 0; options < 4; ++options) {
        TbmRExp regex;
        regex.SetPattern(pattern);
        regex.SetOption(TbmRExp::kUseMetaChars, (options & 1) == 0);
        regex.SetOption(TbmRExp::kIgnoreCase, (options & 2) != 0);
        int length = 0;
        int position = 0;
        try {
            regex.Match(text, 1, length, position);
            regex.Match(text, static_cast<int>(text.size() / 2) + 1, length, position);
        } catch (const EbmREToken&) {
        }
    }
    return 0;
}
