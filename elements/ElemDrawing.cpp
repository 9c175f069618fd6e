#include "elements/ElemDrawing.h"

#include "document/ZhdData.h"
#include "platform/Canvas.h"
#include "render/InfoReg.h"

bool BeginElementDrawing(TCanvas& canvas, const TZhdData& document, bool auxiliary)
{
    canvas.SetPenColor(document.GetDrawColor());
    canvas.SetPenStyle(TPenStyle::Solid);
    if (!auxiliary)
        return true;
    if (document.GetInfoRegPtr().OutputJob != 0)
        return false;
    canvas.SetPenWidth(1);
    return true;
}
