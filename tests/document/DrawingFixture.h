#pragma once

// Drawings for the load and save tests: a sample holding every element kind
// and nested block definitions, drawings as bytes, and the elements of a
// document described by their bodies for comparisons.

#include "document/ZhdData.h"

#include <cstdint>
#include <string>
#include <vector>

// One element of every kind with values of its own, and two block
// definitions: "door" (a line and a text) and "frame" (a line and a reference
// to "door").
TZhdData SampleDrawing(std::uint32_t version);

// Lines whose numbers are the letters given, so a list's order reads as a
// word: Letters(Lettered("ABC")) is "ABC".
TZhdElemList Lettered(const std::string& letters);
std::string Letters(const TZhdElemList& list);

std::string SavedBytes(TZhdData& document);
TLoadStatus LoadBytes(TZhdData& document, const std::string& bytes);

// Per element its archive class name and body bytes at the document's
// version, in list order.
std::vector<std::string> BodiesOf(const TZhdElemList& list, const TZhdData& document);
// Per definition its number, stored values, name, status and contents.
std::vector<std::string> DefinitionsOf(const TZhdData& document);

// The debug-log lines written while the call runs.
template <typename Call>
std::vector<std::string> LogLinesOf(Call call);

#include "core/DebugLog.h"

#include <sstream>

template <typename Call>
std::vector<std::string> LogLinesOf(Call call)
{
    std::ostringstream log;
    RedirectDebugLog(&log);
    call();
    RedirectDebugLog(nullptr);
    std::vector<std::string> lines;
    std::istringstream in(log.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
