// Drawing a dimension: its parts draw themselves, each in the colour of its
// own pen number. In the display-only pass (drawing colour = pen "G") the
// whole dimension stays grey, and a colour equal to the background turns to
// its complement. Monochrome output prints dimensions in black like every
// other element.

#include "elements/KSunpou.h"

#include "document/ZhdData.h"
#include "render/InfoReg.h"

#include <string>

int TKSunpou::Draw(TCanvas& canvas, TZhdData& document)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    const bool print_pens = info.OutputJob != 0 || info.PrintPreview != 0;
    const bool own_colours = !print_pens || info.ColorPrint != 0;
    const auto pen_color = [&](const std::string& key) {
        return (print_pens ? document.GetPrtPenMapPtr()[key] : document.GetPenMapPtr()[key]).GetColorValue();
    };
    const int background = pen_color("B");
    const int display_only = pen_color("G");
    const auto take_colour_of = [&](int number) {
        if (own_colours && document.GetDrawColor() != display_only)
            document.SetDrawColor(pen_color(std::to_string(number)));
        if (document.GetDrawColor() == background)
            document.SetDrawColor(~background & 0xFFFFFF);
    };

    take_colour_of(line_.GetPenColor());
    line_.Draw(canvas, document);
    if (sxf_->GetMode() != 0) {
        // Drawing changes nothing in a part, but the part is shared: draw
        // copies.
        TSXFSunpou parts = *sxf_;
        parts.ForEachPart(TSXFSunpou::DrawnPointCount, [&](TZhdElem& part) { part.Draw(canvas, document); });
    }
    take_colour_of(moji_.GetPenColor());
    moji_.Draw(canvas, document);
    return 1;
}
