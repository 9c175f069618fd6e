#pragma once

// Headers for the document tests, built through the public setters.

#include "document/ZhdHead.h"
#include "platform/Stream.h"

#include <string>

// Every field stored in the drawing file set to a value of its own, different
// from its default, so a reader or writer that drops or swaps a field shows
// in the bytes.
TZhdHead FilledHead(std::uint32_t version);

// The header's bytes as the writer lays them out.
std::string HeadBytes(const TZhdHead& head);

TMemoryStream StreamOf(const std::string& bytes);
