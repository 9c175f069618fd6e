#include "bench/support/RenderDrawing.h"

#include "bench/support/BenchScreen.h"
#include "bench/support/BlockSolidDrawing.h"
#include "bench/support/Random.h"
#include "bench/support/TextDrawing.h"
#include "core/Vect.h"
#include "document/ZhdData.h"
#include "elements/KBlock.h"
#include "elements/KCircle.h"
#include "elements/KLine.h"
#include "elements/KMoji.h"
#include "elements/KPoint.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <span>

namespace {

constexpr double full_turn = 2 * std::numbers::pi;
constexpr double half_width = RenderSheetWidth / 2;
constexpr double half_height = RenderSheetHeight / 2;

// Pattern bits are read from bit 31 down, `dots` of them to a repetition;
// on screen each bit covers two pixels.
struct DashedType {
    int number;
    std::uint32_t pattern;
    int dots;
};

constexpr DashedType dashed_types[] = {
    { 2, 0xFFF00000u, 16 }, // dashes: 12 bits down, 4 up
    { 3, 0xAAAAAAAAu, 32 }, // dots
    { 4, 0xFFC80000u, 16 }, // dash and dot
    { 5, 0xFFF24800u, 24 }, // dash and three dots
};

void SetDashedTypes(TZhdData& document)
{
    TVect<TZhdLType> types = document.GetHeadPtr().GetLTypes();
    for (const DashedType& dashed : dashed_types) {
        TZhdLType type;
        type.SetLType(static_cast<int>(dashed.pattern), dashed.dots, 1, 10, 0, 0);
        types.Set(dashed.number, type);
    }
    document.GetHeadPtr().SetLTypes(types);
}

TBPoint RandomPlace(TRandom& random)
{
    return TBPoint(random.Between(-half_width, half_width), random.Between(-half_height, half_height));
}

// Most lines are short and run along an axis, as in a plan; a few cross a
// good part of the sheet. The end stays on the sheet.
boost::shared_ptr<TKLine> RandomLine(TRandom& random, double shortest, double longest)
{
    const TBPoint start = RandomPlace(random);
    const int length_class = random.Below(100);
    const double length = length_class < 70 ? random.Between(shortest, longest)
        : length_class < 95                 ? random.Between(longest, longest * 5)
                                            : random.Between(longest * 5, longest * 20);
    double angle = random.Between(0, full_turn);
    if (random.Below(10) < 6)
        angle = random.Below(4) * (full_turn / 4);
    const TBPoint end(std::clamp(start.GetX() + length * std::cos(angle), -half_width, half_width),
                      std::clamp(start.GetY() + length * std::sin(angle), -half_height, half_height));
    auto line = boost::make_shared<TKLine>();
    line->SetLine(start, end);
    return line;
}

// Of seven: three whole circles, three arcs, one ellipse (whole or not).
boost::shared_ptr<TKCircle> RandomArc(TRandom& random)
{
    const TBPoint center = RandomPlace(random);
    const double radius = random.Below(10) == 0 ? random.Between(10, 80) : random.Between(0.5, 10);
    const int kind = random.Below(7);
    if (kind < 3)
        return boost::make_shared<TKCircle>(center, radius, TAngle(), TAngle(full_turn), TAngle(), 1.0, 1);
    if (kind < 6) {
        return boost::make_shared<TKCircle>(center, radius, TAngle(random.Between(0, full_turn)),
                                            TAngle(random.Between(full_turn / 12, full_turn * 3 / 4)), TAngle(),
                                            1.0, 0);
    }
    const bool whole = random.Below(2) == 0;
    return boost::make_shared<TKCircle>(center, radius, TAngle(whole ? 0.0 : random.Between(0, full_turn)),
                                        TAngle(whole ? full_turn : random.Between(full_turn / 6, full_turn)),
                                        TAngle(random.Between(0, full_turn / 2)), random.Between(0.3, 0.8),
                                        whole ? 1 : 0);
}

TZhdElemPtr RandomShortLine(TRandom& random)
{
    return RandomLine(random, 1, 12);
}

TZhdElemPtr RandomDashedLine(TRandom& random)
{
    auto line = RandomLine(random, 5, 40);
    line->SetPenStyle(static_cast<std::uint8_t>(dashed_types[random.Below(4)].number));
    return line;
}

TZhdElemPtr RandomCurve(TRandom& random)
{
    return RandomArc(random);
}

TZhdElemPtr RandomPoint(TRandom& random)
{
    auto point = boost::make_shared<TKPoint>();
    point->SetPos(RandomPlace(random));
    return point;
}

TZhdElemPtr RandomSmallText(TRandom& random)
{
    return RandomText(random, 1.5, 2.7);
}

TZhdElemPtr RandomSymbol(TRandom& random)
{
    return RandomReference(random);
}

// A drawing's mix: each kind of element takes the slots of a hundred below
// its bound that the kinds before it leave.
struct MixShare {
    int below;
    TZhdElemPtr (*make)(TRandom&);
};

constexpr MixShare line_drawing_mix[] = {
    { 85, RandomShortLine }, { 90, RandomDashedLine }, { 97, RandomCurve }, { 100, RandomPoint }
};

constexpr MixShare solid_line_mix[] = { { 100, RandomShortLine } };

constexpr MixShare real_drawing_mix[] = { { 64, RandomShortLine }, { 70, RandomDashedLine }, { 94, RandomCurve },
                                          { 99, RandomSmallText }, { 100, RandomSymbol } };

const MixShare& ShareOf(std::span<const MixShare> mix, int slot)
{
    return *std::find_if(mix.begin(), mix.end(), [slot](const MixShare& kind) { return slot < kind.below; });
}

// Fills the list with `count` elements of the mix, in runs of a group, a
// layer and a colour.
void AppendInRuns(TZhdData& document, TRandom& random, int count, std::span<const MixShare> mix)
{
    TZhdElemList& list = document.GetElemListPtr();
    int run_left = 0;
    std::uint16_t group = 0, layer = 0, color = 1;
    for (int i = 0; i < count; ++i) {
        if (run_left == 0) {
            run_left = 1 + random.Below(48);
            group = static_cast<std::uint16_t>(random.Below(16));
            layer = static_cast<std::uint16_t>(random.Below(16));
            color = static_cast<std::uint16_t>(1 + random.Below(8));
        }
        --run_left;
        TZhdElemPtr elem = ShareOf(mix, random.Below(100)).make(random);
        elem->SetGLayer(group);
        elem->SetLayer(layer);
        elem->SetPenColor(color);
        list.Append(elem);
    }
}

std::unique_ptr<TZhdData> NewSheet()
{
    auto document = std::make_unique<TZhdData>();
    document->GetHeadPtr().SetPaperSize(RenderSheetPaper);
    SetDashedTypes(*document);
    return document;
}

} // namespace

std::unique_ptr<TZhdData> GenerateRenderDrawing(int count)
{
    auto document = NewSheet();
    TRandom random(0x5EED0000u + static_cast<std::uint64_t>(count));
    AppendInRuns(*document, random, count, line_drawing_mix);
    return document;
}

std::unique_ptr<TZhdData> GenerateRenderMixDrawing(int count)
{
    auto document = NewSheet();
    TRandom random(0x313C0000u + static_cast<std::uint64_t>(count));
    AppendSymbolDefinitions(*document, random, 2, 1.2);
    AppendInRuns(*document, random, count, real_drawing_mix);
    return document;
}

std::unique_ptr<TZhdData> GenerateSolidLineDrawing(int count)
{
    auto document = NewSheet();
    TRandom random(0x11E50000u + static_cast<std::uint64_t>(count));
    AppendInRuns(*document, random, count, solid_line_mix);
    return document;
}

TZhdData& FittedRenderMixDrawing(int count)
{
    static std::map<int, std::unique_ptr<TZhdData>> drawings;
    std::unique_ptr<TZhdData>& drawing = drawings[count];
    if (!drawing) {
        drawing = GenerateRenderMixDrawing(count);
        FitSheet(*drawing);
    }
    return *drawing;
}
