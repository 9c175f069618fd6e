#include "bench/support/BlockSolidDrawing.h"

#include "bench/support/Random.h"
#include "bench/support/RenderDrawing.h"
#include "bench/support/TextDrawing.h"
#include "document/ZhdData.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KSolid.h"

#include <boost/make_shared.hpp>

#include <numbers>

namespace {

constexpr double full_turn = 2 * std::numbers::pi;

TBPoint RandomPlace(TRandom& random)
{
    return TBPoint(random.Between(-RenderSheetWidth / 2, RenderSheetWidth / 2),
                   random.Between(-RenderSheetHeight / 2, RenderSheetHeight / 2));
}

// A symbol about 10 mm across around its origin: mostly lines, some arcs.
TZhdElemPtr RandomSymbolElement(TRandom& random)
{
    const TBPoint start(random.Between(-5, 5), random.Between(-5, 5));
    if (random.Below(5) == 0) {
        return boost::make_shared<TKCircle>(start, random.Between(0.5, 3), TAngle(random.Between(0, full_turn)),
                                            TAngle(random.Between(1, full_turn)), TAngle(), 1.0, 0);
    }
    auto line = boost::make_shared<TKLine>();
    line->SetLine(start, TBPoint(random.Between(-5, 5), random.Between(-5, 5)));
    return line;
}

std::unique_ptr<TZhdData> NewSheet()
{
    auto document = std::make_unique<TZhdData>();
    document->GetHeadPtr().SetPaperSize(RenderSheetPaper);
    return document;
}

// One arc solid: kind by `slot` of 8, ellipse 1 to 10 mm across.
boost::shared_ptr<TKSolid> RandomArcSolid(TRandom& random)
{
    static constexpr struct {
        int kind;
        double value;
        bool whole;
    } figures[] = {
        { 101, 100, true }, { 101, 0, false }, { 101, 5, false }, { 101, -1, false },
        { 105, 0, false },  { 106, 0, true },  { 111, 0, false }, { 101, 100, true },
    };
    const auto& figure = figures[random.Below(8)];
    const double radius = random.Between(0.5, 5);
    const double flatness = random.Below(2) == 0 ? 1.0 : random.Between(0.4, 0.9);
    const double sweep = figure.whole ? full_turn : random.Between(0.5, 2.5);
    double value = figure.value;
    if (figure.kind == 105 || figure.kind == 106)
        value = radius * random.Between(0.4, 0.8);
    auto solid = boost::make_shared<TKSolid>();
    solid->SetSolid(RandomPlace(random), TBPoint(radius, flatness),
                    TBPoint(random.Between(0, full_turn), random.Between(0, full_turn)), TBPoint(sweep, value), 0);
    solid->SetPenStyle(static_cast<std::uint8_t>(figure.kind));
    return solid;
}

} // namespace

void AppendSymbolDefinitions(TZhdData& document, TRandom& random, int labels, double label_height)
{
    for (int number = 0; number < BlockDefinitionCount; ++number) {
        TKBlockDefine define;
        define.SetNumber(static_cast<std::uint32_t>(number));
        define.SetName("symbol " + std::to_string(number));
        TZhdElemList contents;
        for (int i = 0; i < ElementsPerDefinition - labels; ++i)
            contents.Append(RandomSymbolElement(random));
        for (int i = 0; i < labels; ++i)
            contents.Append(RandomTextAt(random, TBPoint(random.Between(-5, 2), random.Between(-5, 4)), label_height));
        define.SetElemList(contents);
        document.AppendBlockDefine(define);
    }
}

boost::shared_ptr<TKBlock> RandomReference(TRandom& random)
{
    auto block = boost::make_shared<TKBlock>();
    const double scale = random.Between(0.5, 2);
    block->SetBlock(RandomPlace(random), scale, scale, TAngle(random.Below(4) * full_turn / 4),
                    random.Below(BlockDefinitionCount));
    block->SetGLayer(static_cast<std::uint16_t>(random.Below(16)));
    block->SetLayer(static_cast<std::uint16_t>(random.Below(16)));
    return block;
}

std::unique_ptr<TZhdData> GenerateBlockDrawing(int count)
{
    auto document = NewSheet();
    TRandom random(0xB10C0000u + static_cast<std::uint64_t>(count));
    AppendSymbolDefinitions(*document, random, 0, 0);
    for (int i = 0; i < count; ++i)
        document->GetElemListPtr().Append(RandomReference(random));
    return document;
}

std::unique_ptr<TZhdData> GenerateFlatBlockDrawing(int count)
{
    std::unique_ptr<TZhdData> blocks = GenerateBlockDrawing(count);
    auto flat = NewSheet();
    const TZhdElemList& references = blocks->GetElemListPtr();
    for (auto it = references.Begin(); it != references.End(); ++it) {
        const auto& block = static_cast<const TKBlock&>(**it);
        TZhdElemList placed;
        placed.Copy(blocks->GetBlockDefine(static_cast<std::uint32_t>(block.GetBlockNumber())).GetElemListRef(),
                    *blocks, 0, 0);
        for (auto elem = placed.Begin(); elem != placed.End(); ++elem) {
            (*elem)->SetGLayer(block.GetGLayer());
            (*elem)->SetLayer(block.GetLayer());
            (*elem)->TransformTo(*blocks, block.GetPos(), block.GetAngle(), block.GetScaleX(), block.GetScaleY());
            flat->GetElemListPtr().Append(*elem);
        }
    }
    return flat;
}

std::unique_ptr<TZhdData> GenerateArcSolidDrawing(int count)
{
    auto document = NewSheet();
    TRandom random(0x5011D000u + static_cast<std::uint64_t>(count));
    for (int i = 0; i < count; ++i) {
        auto solid = RandomArcSolid(random);
        solid->SetGLayer(static_cast<std::uint16_t>(random.Below(16)));
        solid->SetLayer(static_cast<std::uint16_t>(random.Below(16)));
        solid->SetPenColor(static_cast<std::uint16_t>(1 + random.Below(8)));
        document->GetElemListPtr().Append(solid);
    }
    return document;
}
