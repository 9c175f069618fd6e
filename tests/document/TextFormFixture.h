#pragma once

// Text-form files for the tests: lines in, a document out, and back.

#include "document/ZhdData.h"

#include <initializer_list>
#include <string>

// Loads the lines, each ended by CR LF, as a whole file.
inline TTextFormLoadResult LoadTextLines(TZhdData& document, const StringList& lines)
{
    return document.LoadZhcTextFromBytes(JoinTextFormLines(lines));
}

inline StringList WrittenTextLines(TZhdData& document)
{
    StringList lines;
    document.WriteZhcText(lines);
    return lines;
}

// The lines of the element section as the writer gives them: everything
// between the header's "#" and the end.
inline StringList WrittenElementLines(TZhdData& document)
{
    const StringList lines = WrittenTextLines(document);
    auto header_end = lines.begin();
    while (header_end != lines.end() && *header_end != "#")
        ++header_end;
    return StringList(header_end + (header_end == lines.end() ? 0 : 1), lines.end());
}
