#pragma once

// The value a special text stands for when it is drawn: a date or time
// (now, or the drawing file's), a memo line, a scale, the drawing time, a
// day name or a file name. The clock is platform/Clock.h's.

#include <string>

class TKMoji;
class TZhdData;

std::string VariableTextValue(const TKMoji& text, const TZhdData& document);
