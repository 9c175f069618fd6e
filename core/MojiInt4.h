#pragma once

// A named print preset: four one-digit selections of the print settings'
// choice lists, stored in the settings file as the text "%d%d%d%d%s"
// (digits, then the name).

#include <string>

struct TMojiInt4 {
    std::string Name;
    int Int1 = 0;
    int Int2 = 0;
    int Int3 = 0;
    int Int4 = 0;
};

std::string MojiInt4ToText(const TMojiInt4& preset);
std::string MojiInt4DigitsText(const TMojiInt4& preset);
// Each of the first four characters is one setting (a non-digit reads as 0);
// the rest is the name. Returns the text.
std::string ParseMojiInt4Text(TMojiInt4& preset, const std::string& text);
std::string SetMojiInt4(TMojiInt4& preset, int int1, int int2, int int3, int int4, const std::string& name);
