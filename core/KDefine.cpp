#include "core/KDefine.h"

#include "core/LayerState.h"
#include "platform/ShiftJis.h"

#include <iterator>

namespace {

struct Paper {
    int code;
    const char8_t* name;
    double width;
    double height;
};

constexpr Paper papers[] = {
    { 0, u8"Ａ－０", 1189, 841 },
    { 1, u8"Ａ－１", 841, 594 },
    { 2, u8"Ａ－２", 594, 420 },
    { 3, u8"Ａ－３", 420, 297 },
    { 4, u8"Ａ－４", 297, 210 },
    { 8, u8"２Ａ", 1682, 1189 },
    { 9, u8"３Ａ", 2378, 1682 },
    { 10, u8"４Ａ", 3364, 2378 },
    { 11, u8"５Ａ", 4756, 3364 },
    { 12, u8"10ｍ", 10000, 7073 },
    { 13, u8"50ｍ", 50000, 35366 },
    { 14, u8"100ｍ", 100000, 70732 },
};

// By state, from LayerHidden on.
constexpr const char8_t* layer_state_names[] = { u8"非表示", u8"表示のみ", u8"編集可能", u8"書込" };
static_assert(std::size(layer_state_names) == LayerWriteTarget + 1);

constexpr const char8_t* protect_names[] = {
    u8"無指定",
    u8"表示状態変更可能プロテクト指定",
    u8"表示状態固定プロテクト指定",
};

constexpr const char8_t* base_point_names[] = {
    u8"左・下", u8"中・下", u8"右・下",
    u8"左・中", u8"中・中", u8"右・中",
    u8"左・上", u8"中・上", u8"右・上",
};

struct ZBits {
    int flag_number;
    int line_bit;
    int arc_point_bit;
    int text_bit; // -1: texts have no bit for this number
};

constexpr ZBits z_bits[] = {
    { 1, 5, 5, -1 },
    { 2, 11, 4, 11 },
    { 3, 13, 6, 14 },
    { 4, 15, 15, -1 },
    { 5, 12, 7, 13 },
};

struct PrefixBit {
    const char* prefix;
    int bit;
};

constexpr PrefixBit prefix_bits[] = {
    { "cs", 4 }, { "cv", 5 }, { "ck", 6 }, { "cz", 7 }, { "cr", 8 },
    { "co", 9 }, { "cp", 10 }, { "ct", 12 }, { "c2", 15 },
};

template<std::size_t N>
void FillNames(std::map<int, std::string>& map, const char8_t* const (&names)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        map[static_cast<int>(i)] = sj(names[i]);
}

} // namespace

TKDefine::TKDefine()
{
    FillTables();
}

void TKDefine::FillTables()
{
    for (const auto& paper : papers) {
        PaperNames[paper.code] = sj(paper.name);
        PaperWidths[paper.code] = paper.width;
        PaperHeights[paper.code] = paper.height;
    }
    FillNames(LayerStateNames, layer_state_names);
    FillNames(ProtectNames, protect_names);
    FillNames(BasePointNames, base_point_names);
    NoYesNames[0] = sj(u8"なし");
    NoYesNames[1] = sj(u8"あり");
    for (const auto& z : z_bits) {
        LineZBits[z.flag_number] = z.line_bit;
        ArcPointZBits[z.flag_number] = z.arc_point_bit;
        if (z.text_bit >= 0)
            TextZBits[z.flag_number] = z.text_bit;
    }
    for (const auto& entry : prefix_bits) {
        PrefixBits[entry.prefix] = entry.bit;
        BitPrefixes[entry.bit] = entry.prefix;
    }
}

const TKDefine& SharedDefine()
{
    static const TKDefine shared;
    return shared;
}
