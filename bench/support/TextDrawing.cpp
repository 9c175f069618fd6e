#include "bench/support/TextDrawing.h"

#include "bench/support/Random.h"
#include "bench/support/RenderDrawing.h"
#include "document/ZhdData.h"
#include "elements/KMoji.h"
#include "platform/ShiftJis.h"

#include <boost/make_shared.hpp>

#include <cstdint>
#include <numbers>
#include <string>

namespace {

const std::string& RandomLabel(TRandom& random)
{
    static const std::string labels[] = {
        sj(u8"洋室"), sj(u8"和室６帖"), sj(u8"ＬＤＫ"), sj(u8"浴室"), sj(u8"玄関"), sj(u8"収納"),
        sj(u8"寸法"), sj(u8"図面番号"), "W1200", "D600", "H2100", "3640", "910", "A-1", "X1", "Y3",
        sj(u8"ＧＬ＋５０"), sj(u8"外壁"), sj(u8"階段"), sj(u8"北"),
    };
    return labels[random.Below(static_cast<int>(std::size(labels)))];
}

const std::string& RandomFace(TRandom& random)
{
    static const std::string faces[] = { sj(u8"ＭＳ ゴシック"), sj(u8"ＭＳ 明朝"), sj(u8"ＭＳ Ｐゴシック") };
    return faces[random.Below(3)];
}

} // namespace

boost::shared_ptr<TKMoji> RandomTextAt(TRandom& random, const TBPoint& start, double height)
{
    const int direction = random.Below(20);
    double angle = 0;
    if (direction < 2)
        angle = std::numbers::pi / 2;
    else if (direction == 2)
        angle = random.Between(0, 2 * std::numbers::pi);
    auto text = boost::make_shared<TKMoji>(start, start, TZhdaMoji(height * 0.9, height, 0, 1), 1, TAngle(angle),
                                           RandomFace(random), RandomLabel(random));
    if (direction == 3) {
        TBitFlg flags = text->GetStatusFlg();
        flags.SetBit(TKMoji::VerticalFlag);
        text->SetStatusFlg(flags);
    }
    TBPoint end;
    start.PolarOffset(text->GetTextWidth(), TAngle(angle), end);
    text->SetEnd(end);
    return text;
}

boost::shared_ptr<TKMoji> RandomText(TRandom& random, double lowest, double highest)
{
    const TBPoint start(random.Between(-RenderSheetWidth / 2, RenderSheetWidth / 2),
                        random.Between(-RenderSheetHeight / 2, RenderSheetHeight / 2));
    return RandomTextAt(random, start, random.Between(lowest, highest));
}

std::unique_ptr<TZhdData> GenerateTextDrawing(int count)
{
    auto document = std::make_unique<TZhdData>();
    document->GetHeadPtr().SetPaperSize(RenderSheetPaper);
    TRandom random(0x7E770000u + static_cast<std::uint64_t>(count));
    TZhdElemList& list = document->GetElemListPtr();
    for (int i = 0; i < count; ++i) {
        auto text = RandomText(random, 2.5, 5.0);
        text->SetGLayer(static_cast<std::uint16_t>(random.Below(16)));
        text->SetLayer(static_cast<std::uint16_t>(random.Below(16)));
        list.Append(text);
    }
    return document;
}
