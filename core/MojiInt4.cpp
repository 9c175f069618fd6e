#include "core/MojiInt4.h"

#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

std::string MojiInt4DigitsText(const TMojiInt4& preset)
{
    return StringPrintf("%d%d%d%d", preset.Int1, preset.Int2, preset.Int3, preset.Int4);
}

std::string MojiInt4ToText(const TMojiInt4& preset)
{
    return MojiInt4DigitsText(preset) + preset.Name;
}

std::string ParseMojiInt4Text(TMojiInt4& preset, const std::string& text)
{
    int* const settings[] = { &preset.Int1, &preset.Int2, &preset.Int3, &preset.Int4 };
    for (int i = 0; i < 4; ++i)
        *settings[i] = StrToIntDef(SubString1(text, i + 1, 1), 0);
    preset.Name = SubStringFrom1(text, 5);
    return text;
}

std::string SetMojiInt4(TMojiInt4& preset, int int1, int int2, int int3, int int4, const std::string& name)
{
    preset = TMojiInt4 { name, int1, int2, int3, int4 };
    return MojiInt4ToText(preset);
}
