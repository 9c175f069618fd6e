#include "elements/KCircle.h"

#include "document/ZhdData.h"
#include "elements/ElemDrawing.h"
#include "render/InfoReg.h"

int TKCircle::Draw(TCanvas& canvas, TZhdData& document)
{
    const bool auxiliary = GetPenColor() == AuxiliaryNumber || GetPenStyle() == AuxiliaryNumber;
    if (!BeginElementDrawing(canvas, document, auxiliary))
        return 0;
    return document.GetInfoRegPtr().DrawArc(canvas, center_, radius_, start_, arc_, flatness_, tilt_,
                                            document.GetLineType(GetPenStyle()), 0);
}
