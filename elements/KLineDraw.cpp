#include "elements/KLine.h"

#include "document/ZhdData.h"
#include "elements/ElemDrawing.h"
#include "render/InfoReg.h"

int TKLine::Draw(TCanvas& canvas, TZhdData& document)
{
    const bool auxiliary = GetPenColor() == AuxiliaryNumber || GetPenStyle() == AuxiliaryNumber;
    if (!BeginElementDrawing(canvas, document, auxiliary))
        return 0;
    document.GetInfoRegPtr().DrawLineWithType(canvas, start_, end_, document.GetLineType(GetPenStyle()));
    return 1;
}
