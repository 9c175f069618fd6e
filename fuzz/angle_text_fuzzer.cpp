// Bytes in as an angle text (the text boxes pass what the user typed), parsed
// and printed back. The first byte picks the decimals and the style of the
// printout; decimals stay small, as wide fields only make the fuzzer slow.
#include "core/Angle.h"
#include "platform/Errors.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int decimals = data[0] % 8;
    const int style = (data[0] >> 3) % 12;
    TAngle angle;
    try {
        angle.SetFromText(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    } catch (const ConvertError&) {
        return 0;
    }
    angle.Format(decimals, style);
    angle.Normalized().Text();
    return 0;
}
