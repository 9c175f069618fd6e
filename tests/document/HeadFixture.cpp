#include "tests/document/HeadFixture.h"

#include <vector>

namespace {

template <typename T>
TVect<T> Numbered(int count, T first)
{
    TVect<T> table;
    for (int i = 0; i < count; ++i)
        table.Append(first + static_cast<T>(i));
    return table;
}

} // namespace

TZhdHead FilledHead(std::uint32_t version)
{
    TZhdHead head;
    head.SetVersion(version);
    head.SetMemo("first\r\nsecond");
    head.SetPaperSize(3);
    head.SetWriteGroup(4);
    for (int g = 0; g < 16; ++g) {
        TZhdGrp group = head.GetGroup(g);
        group.SetState(g % 4);
        group.SetWriteLayer(15 - g);
        group.SetScale(10.0 * (g + 1));
        group.SetProtect(g % 3);
        group.SetName("G" + std::to_string(g));
        for (int l = 0; l < 16; ++l) {
            TZhdLay layer;
            layer.SetLay((g + l) % 4, l % 3, "L" + std::to_string(g) + "-" + std::to_string(l));
            group.SetLayer(l, layer);
        }
        head.SetGroup(g, group);
    }
    head.SetDummy(Numbered<std::uint32_t>(15, 1000));
    head.SetDimensionSettings(Numbered<std::uint32_t>(5, 2000));
    head.SetMaxLineDrawWidth(-3);
    TZhdZoomF area;
    area.SetXY(11.5, 12.5);
    area.SetScale(2.5);
    area.SetCode(61);
    head.SetPrinterArea(area);
    head.SetGridMode(2);
    head.SetGridMinDotSpacing(7.5);
    head.SetGridSpacing(TBPoint(2.0, 3.0));
    head.SetGridOrigin(TBPoint(-1.0, -2.0));
    head.SetShadowSurfaceHeight(1.5);
    head.SetLatitude(35.25);
    head.SetShadow9To15(1);
    head.SetWallShadowSurfaceHeight(4.5);
    head.SetSkyMapSurfaceHeight(5.5);
    head.SetSkyMapDiameter(60.0);
    head.Set25DUnit(1);
    TZhdZoom saved(1234.5);
    saved.SetXY(-7.25, 3.5);
    head.SetSavedView(saved);
    TZhdZoom range(0.75);
    range.SetXY(8.0, 9.0);
    head.SetRangeMemoryView(range);
    TVect<TZhdZoomF> jumps = head.GetMarkJumps();
    for (int n = 1; n <= 10; ++n) {
        TZhdZoomF jump;
        jump.SetXY(n, -n);
        jump.SetScale(n * 0.5);
        jump.SetCode(n * 11);
        jumps.Set(n, jump);
    }
    head.SetMarkJumps(jumps);
    head.SetParallelLineDistances(Numbered<double>(10, 0.25));
    head.SetParallelLineEndExtension(0.125);
    TVect<TZhdPen> pens = head.GetPens();
    TVect<TZhdPrtPen> print_pens = head.GetPrtPens();
    for (int i = 0; i < 357; ++i) {
        if (i >= 10 && i < 100)
            continue;
        pens.Set(i, TZhdPen(0x010101 * i, i % 7));
        TZhdPrtPen print;
        print.SetAll(0x030201 * i, 10 + i, 0.01 * i, i >= 100 && i % 50 == 0 ? "C" + std::to_string(i) : "");
        print_pens.Set(i, print);
    }
    head.SetPens(pens);
    head.SetPrtPens(print_pens);
    TVect<TZhdLType> types = head.GetLTypes();
    TVect<TZhdLParameter> parameters = head.GetLParameters();
    for (int i = 2; i < 63; ++i) {
        TZhdLType type;
        type.SetLType(0x0F0F0F0F + i, 16 + i % 16, i, 2 * i, i % 5, i % 6);
        types.Set(i, type);
        if (i >= 30) {
            TZhdLParameter parameter;
            parameter.SetLParameter(i % 10 == 0 ? "T" + std::to_string(i) : "", i % 4, { 0.5 * i, 1.0, 2.0 });
            parameters.Set(i, parameter);
        }
    }
    head.SetLTypes(types);
    head.SetLParameters(parameters);
    head.SetPointRadiusOnScreen(1);
    head.SetPointRadiusOnPrinter(2);
    head.SetBitmapFirst(3);
    head.SetReverseDraw(4);
    head.SetReverseSearch(5);
    head.SetColorPrint(6);
    head.SetPrintInLayerOrder(7);
    head.SetPrintInColorOrder(8);
    head.SetContinuousPrintMode(9);
    head.SetGreyDisplayOnlyPrint(10);
    head.SetSkipDisplayOnlyPrint(11);
    head.SetDrawingTime(3725);
    head.Set25DStartFlag(13);
    head.SetPerspectiveHAngle(12.34);
    head.SetBirdsEyeHAngle(-45.5);
    head.SetIsometricHAngle(30.0);
    head.SetPerspectiveHeight(1.25);
    head.SetPerspectiveDistance(2.25);
    head.SetBirdsEyeHeight(3.25);
    head.SetBirdsEyeDistance(4.25);
    head.SetIsometricVAngle(35.264);
    head.SetLastLineLength(5.25);
    head.SetLastRectWidth(6.25);
    head.SetLastRectHeight(7.25);
    head.SetLastCircleRadius(8.25);
    head.SetSolidAnyColor(1);
    head.SetSolidDefaultColor(0x00FF8040);
    TVect<TZhdaMoji> kinds = head.GetTextKinds();
    for (int n = 1; n <= 10; ++n)
        kinds.Set(n, TZhdaMoji(n * 0.5, n * 0.75, n * 0.125, n));
    head.SetTextKinds(kinds);
    head.SetFreeTextKind(TZhdaMoji(2.5, 3.5, 0.5, 7));
    head.SetWriteTextKind(3);
    head.SetTextLineSpacing(1.75);
    head.SetTextCharCount(12.0);
    head.SetTextShiftFlag(1);
    head.SetTextShiftsX(Numbered<double>(3, -1.5));
    head.SetTextShiftsY(Numbered<double>(3, 2.5));
    return head;
}

std::string HeadBytes(const TZhdHead& head)
{
    TMemoryStream stream;
    head.WriteToStream(stream);
    return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

TMemoryStream StreamOf(const std::string& bytes)
{
    return TMemoryStream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}
