#pragma once

// The seven element kinds, described once: type code, class name, the class
// tag under which drawing files store the kind, and the name the program's
// texts call it by. The factory, the element list's counters and statistics,
// the class-tag table and the elements' own names all read this table.
//
// The table's order is the order the drawing files' class tags and the
// element list's statistics list the kinds in (not the type-code order).

#include "elements/ZhdElem.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

struct TElemKind {
    int type_code;
    std::string_view class_name;
    std::string_view archive_class_name;
    const char8_t* type_name;
};

inline constexpr std::array<TElemKind, 7> ElemKinds { {
    { TZhdElem::LineCode, "TKLine", "CDataSen", u8"線" },
    { TZhdElem::CircleCode, "TKCircle", "CDataEnko", u8"円" },
    { TZhdElem::PointCode, "TKPoint", "CDataTen", u8"点" },
    { TZhdElem::MojiCode, "TKMoji", "CDataMoji", u8"文字" },
    { TZhdElem::SolidCode, "TKSolid", "CDataSolid", u8"ソリッド" },
    { TZhdElem::BlockCode, "TKBlock", "CDataBlock", u8"ブロック" },
    { TZhdElem::SunpouCode, "TKSunpou", "CDataSunpou", u8"寸法" },
} };

inline constexpr std::size_t ElemKindCount = ElemKinds.size();
inline constexpr std::size_t NoElemKind = ElemKindCount;

// The kind's position in the table; NoElemKind for a code of no kind.
constexpr std::size_t ElemKindIndexOfCode(int type_code)
{
    for (std::size_t i = 0; i < ElemKindCount; ++i) {
        if (ElemKinds[i].type_code == type_code)
            return i;
    }
    return NoElemKind;
}

// By class name ("TKLine") or archive class name ("CDataSen").
constexpr std::size_t ElemKindIndexOfName(std::string_view name)
{
    for (std::size_t i = 0; i < ElemKindCount; ++i) {
        if (ElemKinds[i].class_name == name || ElemKinds[i].archive_class_name == name)
            return i;
    }
    return NoElemKind;
}

// The type code of the kind stored under this archive class name ("CDataSen");
// 0 for any other name.
constexpr int TypeCodeOfArchiveClassName(std::string_view name)
{
    for (const TElemKind& kind : ElemKinds) {
        if (kind.archive_class_name == name)
            return kind.type_code;
    }
    return 0;
}

// The kind's name in Shift-JIS ("線"); empty for a code of no kind.
const std::string& ElemKindTypeName(int type_code);
