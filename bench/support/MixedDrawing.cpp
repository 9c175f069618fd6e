#include "bench/support/MixedDrawing.h"

#include "document/ZhdData.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"
#include "elements/KSolid.h"
#include "elements/KSunpou.h"

#include <boost/make_shared.hpp>

#include <string>

TZhdElemPtr MixedElement(int i)
{
    // Quarter and half millimetres, so the text form writes decimals.
    const double x = i % 1000 + 0.25;
    const double y = i / 1000 + 0.5;
    const int slot = i % 100;
    if (slot < 60) {
        auto line = boost::make_shared<TKLine>();
        line->SetLine(TBPoint(x, y), TBPoint(x + 1.5, y + 0.5));
        return line;
    }
    if (slot < 72)
        return boost::make_shared<TKCircle>(TBPoint(x, y), 2.0, TAngle(0.5), TAngle(1.0), TAngle(), 1.0, 0);
    if (slot < 78) {
        auto point = boost::make_shared<TKPoint>();
        point->SetPos(TBPoint(x, y));
        return point;
    }
    if (slot < 88) {
        return boost::make_shared<TKMoji>(TBPoint(x, y), TBPoint(x + 8, y), TZhdaMoji(2.0, 2.0, 0.0, 1), i % 3,
                                          TAngle(), "Gothic", std::string("W").append(std::to_string(i % 997)));
    }
    if (slot < 93) {
        auto solid = boost::make_shared<TKSolid>();
        solid->SetSolid(TBPoint(x, y), TBPoint(x + 1, y), TBPoint(x + 1, y + 1), TBPoint(x, y + 1), 0);
        return solid;
    }
    if (slot < 97) {
        auto block = boost::make_shared<TKBlock>();
        block->SetBlock(TBPoint(x, y), 1.0, 1.0, TAngle(), i % MixedBlockDefinitions);
        block->SetPenStyle(static_cast<std::uint8_t>(1 + i % 2));
        return block;
    }
    auto dimension = boost::make_shared<TKSunpou>();
    TKLine line;
    line.SetLine(TBPoint(x, y), TBPoint(x + 10, y));
    TKMoji text(TBPoint(x + 4, y + 1), TBPoint(x + 6, y + 1), TZhdaMoji(), 1, TAngle(), "Gothic", "10");
    dimension->SetSunpou(line, text, TSXFSunpou());
    return dimension;
}

void AppendMixedBlockDefinitions(TZhdData& document)
{
    for (int n = 0; n < MixedBlockDefinitions; ++n) {
        TKBlockDefine define;
        define.SetNumber(static_cast<std::uint32_t>(n));
        define.SetName("block " + std::to_string(n));
        TZhdElemList contents;
        for (int i = 0; i < 10; ++i)
            contents.Append(MixedElement(i * 7));
        define.SetElemList(contents);
        document.AppendBlockDefine(define);
    }
}
