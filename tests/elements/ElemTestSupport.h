#pragma once

// Documents of a given version and attribute records written by hand, for
// the element body tests.

#include "document/ZhdData.h"
#include "tests/support/ByteBuilder.h"

#include <cstdint>

inline TZhdData DocumentOfVersion(std::uint32_t version)
{
    TZhdData document;
    document.SetVersion(version);
    return document;
}

struct StatusFields {
    std::uint32_t pl_group = 7;
    std::uint8_t pen_style = 2;
    std::uint16_t pen_color = 3;
    std::uint16_t pen_width = 4;
    std::uint16_t layer = 5;
    std::uint16_t g_layer = 6;
    std::uint16_t flags = 0x8001;
};

// The attribute record's layout: the width only from version 351.
inline ByteBuilder& AddStatus(ByteBuilder& bytes, std::uint32_t version, const StatusFields& status)
{
    bytes.U32(status.pl_group).U8(status.pen_style).U16(status.pen_color);
    if (version >= 351)
        bytes.U16(status.pen_width);
    return bytes.U16(status.layer).U16(status.g_layer).U16(status.flags);
}
