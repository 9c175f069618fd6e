#pragma once

// Text-form files for the tests: lines in, a document out, and back.

#include "document/ZhdData.h"

#include <string>

// Loads the lines, each ended by CR LF, as a whole file.
inline TLoadResult LoadTextLines(TZhdData& document, const StringList& lines)
{
    return document.LoadZhcTextFromBytes(JoinTextFormLines(lines));
}

inline StringList WrittenTextLines(TZhdData& document)
{
    StringList lines;
    document.WriteZhcText(lines);
    return lines;
}

