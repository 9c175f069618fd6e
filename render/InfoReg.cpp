#include "render/InfoReg.h"

TInfoREG::TInfoREG(const TInfoREG& other)
{
    CopySettingsFrom(other);
}

TInfoREG& TInfoREG::operator=(const TInfoREG& other)
{
    if (this != &other)
        CopySettingsFrom(other);
    return *this;
}

void TInfoREG::CopySettingsFrom(const TInfoREG& other)
{
    ColorPrint = other.ColorPrint;
    PenWidthUnit = other.PenWidthUnit;
    GroupContinuation = other.GroupContinuation;
    LayerContinuation = other.LayerContinuation;
    GreyDisplayOnly = other.GreyDisplayOnly;
    DrawOrder = other.DrawOrder;
    LayerOrder = other.LayerOrder;
    ColorOrder = other.ColorOrder;
    FinalMoji = other.FinalMoji;
    EdgeMoji = other.EdgeMoji;
    EdgeMojiRange = other.EdgeMojiRange;
}
