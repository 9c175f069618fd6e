#pragma once

// The external-command text form ("zhc_temp.txt") as lines: the joining of
// the lines into a file's bytes and the building of lines.
//
// The file is Shift-JIS text. The reader cuts at every run of CR and LF, so
// empty lines vanish, and stops at the first zero byte (SplitTextLines,
// core/TextUtil.h); the writer ends every line, the last one too, with CR LF.

#include "core/TextUtil.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// Every line followed by CR LF.
std::string JoinTextFormLines(const StringList& lines);

// The parts one after the other. The writers build their lines with it: one
// string per line instead of a chain of temporaries (a chain that begins
// with a literal also trips a false overlap warning of the optimiser).
template <typename... Parts>
std::string ConcatText(const Parts&... parts)
{
    std::string text;
    text.reserve((std::string_view(parts).size() + ...));
    (text.append(parts), ...);
    return text;
}

// Appends each number with a blank before it, in the general float format.
void AppendNumbers(std::string& line, std::initializer_list<double> numbers);
