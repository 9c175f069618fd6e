#pragma once

// printf on a Shift-JIS format written as a UTF-8 literal, for the model's
// Japanese log lines: SjPrintf(u8"データ総数：%u", n).

#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <string>

template <typename... Arguments>
std::string SjPrintf(const char8_t* format, Arguments... arguments)
{
    return StringPrintf(sj(format).c_str(), arguments...);
}
