#pragma once

// Block definitions and references built by hand, for the block tests.

#include "core/Angle.h"
#include "core/BPoint.h"
#include "document/KBlockDefine.h"
#include "document/ZhdData.h"
#include "elements/KBlock.h"
#include "elements/KLine.h"

#include <boost/make_shared.hpp>

#include <cstdint>
#include <initializer_list>
#include <numbers>
#include <string>

inline TZhdElemPtr LineElem(double x1, double y1, double x2, double y2)
{
    auto line = boost::make_shared<TKLine>();
    line->SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
    return line;
}

inline boost::shared_ptr<TKBlock> BlockElem(std::uint32_t number, TBPoint position = TBPoint(0.0, 0.0),
                                            double scale_x = 0, double scale_y = 0, double degrees = 0)
{
    auto block = boost::make_shared<TKBlock>();
    block->SetBlock(position, scale_x, scale_y, TAngle(degrees * std::numbers::pi / 180), static_cast<int>(number));
    return block;
}

// Appends a definition of the number holding the elements, in order.
inline void AddDefinition(TZhdData& document, std::uint32_t number, std::initializer_list<TZhdElemPtr> elements)
{
    TKBlockDefine define;
    define.SetNumber(number);
    define.SetName("block " + std::to_string(number));
    TZhdElemList contents;
    for (const TZhdElemPtr& elem : elements)
        contents.Append(elem);
    define.SetElemList(contents);
    document.AppendBlockDefine(define);
}
