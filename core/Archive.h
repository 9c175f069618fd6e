#pragma once

// The byte encodings of texts and counts in the drawing file and the image
// cache (all integers little-endian):
//
//   archive string  n < 255:        [n:u8] bytes
//                   n <= 0xFFFE:    [0xFF] [n:u16] bytes
//                   otherwise:      [0xFF] [0xFFFF:u16] [n:u32] bytes
//   word string     n <= 0xFFFE:    [n:u16] bytes
//                   otherwise:      [0xFFFF:u16] [n:u32] bytes
//   archive count   v < 0xFFFF:     [v:u16]
//                   otherwise:      [0xFFFF:u16] [v:u32]
//
// Writers pick the shortest form; readers accept any form for any length.
// A stored text ends at its first zero byte. A length that claims more bytes
// than the stream holds is never allocated or read: the reader returns the
// empty text and leaves the stream's ran-short flag set.

#include "platform/Stream.h"

#include <cstdint>
#include <string>

std::string ReadArchiveString(TStream& stream);
void WriteArchiveString(TStream& stream, const std::string& text);
int ArchiveStringSize(const std::string& text);

std::string ReadWordString(TStream& stream);
void WriteWordString(TStream& stream, const std::string& text);

std::uint32_t ReadArchiveCount(TStream& stream);
void WriteArchiveCount(TStream& stream, std::uint32_t value);
