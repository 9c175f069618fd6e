#include "print/PrinterReport.h"

#include "document/ZhdHead.h"
#include "platform/ShiftJis.h"

#include <array>
#include <cmath>
#include <span>

namespace {

// The capability indices of GDI's GetDeviceCaps.
enum TCap : int {
    DriverVersion = 0,
    Technology = 2,
    HorzSize = 4,
    VertSize = 6,
    HorzRes = 8,
    VertRes = 10,
    BitsPixel = 12,
    Planes = 14,
    NumBrushes = 16,
    NumPens = 18,
    NumMarkers = 20,
    NumFonts = 22,
    NumColors = 24,
    CurveCaps = 28,
    LineCaps = 30,
    PolygonalCaps = 32,
    TextCaps = 34,
    ClipCaps = 36,
    RasterCaps = 38,
    AspectX = 40,
    AspectY = 42,
    AspectXY = 44,
    LogPixelsX = 88,
    LogPixelsY = 90,
    SizePalette = 104,
    NumReserved = 106,
    ColorRes = 108,
    PhysicalWidth = 110,
    PhysicalHeight = 111,
    PhysicalOffsetX = 112,
    PhysicalOffsetY = 113,
    ScalingFactorX = 114,
    ScalingFactorY = 115,
    ShadeBlendCaps = 120,
};

// The plain raster printer: what the report shows for every capability the
// printer does not tell. A raster printer (technology 2) of driver version
// 1.0 that clips to rectangles, keeps no palette, scales nothing itself and
// blends nothing; its pens, brushes and colours are unlimited (-1) and it
// has no device markers or fonts, since every page is drawn by the viewer's
// own canvas: bitmaps are transferred and stretched, curves, lines and
// polygons drawn in every style and width, and text drawn as glyph outlines,
// turned and scaled freely.
struct TFixedCapability {
    TCap index;
    int value;
};
constexpr std::array<TFixedCapability, 19> plain_raster_printer { {
    { DriverVersion, 0x0100 },
    { Technology, 2 },
    { Planes, 1 },
    { NumBrushes, -1 },
    { NumPens, -1 },
    { NumMarkers, 0 },
    { NumFonts, 0 },
    { ClipCaps, 1 },
    { SizePalette, 0 },
    { NumReserved, 0 },
    { ColorRes, 0 },
    { ScalingFactorX, 0 },
    { ScalingFactorY, 0 },
    { ShadeBlendCaps, 0 },
    // RC_BITBLT, RC_BITMAP64, RC_DI_BITMAP, RC_DIBTODEV, RC_STRETCHBLT,
    // RC_STRETCHDIB.
    { RasterCaps, 0x2A89 },
    // Circles, pies, chords, ellipses, wide, styled and wide styled borders,
    // interiors, rounded rectangles.
    { CurveCaps, 0x1FF },
    // Every line capability.
    { LineCaps, 0xFE },
    // Every polygon capability.
    { PolygonalCaps, 0xFF },
    // Character and stroke precision, stroke clipping, any rotation,
    // independent and continuous scaling.
    { TextCaps, 0x13F },
} };

int Millimetres(int pixels, int dpi)
{
    return dpi > 0 ? static_cast<int>(pixels * 25.4 / dpi + 0.5) : 0;
}

// How a capability's line is made.
enum class TLineKind {
    // label, value, unit
    Value,
    // as Value, then "(", the millimetres, "mm)"
    PhysicalSize,
    // heading, the text of the value
    Choice,
    // heading, the texts of the flags set, one under the other
    Flags,
};

struct TFlagText {
    int bit;
    const char8_t* text;
};

struct TReportRow {
    TCap index;
    TLineKind kind;
    const char8_t* label;
    const char8_t* unit;
    // Choice: the value for each text; Flags: the bit. A bit of 0 is the
    // text for the value 0.
    std::span<const TFlagText> texts;
    // PhysicalSize: the resolution it is measured with.
    TCap dpi_index;
};

constexpr TFlagText technology_texts[] {
    { 0, u8"ベクタプロッタ" },
    { 1, u8"ラスタディスプレイ" },
    { 2, u8"ラスタプリンタ" },
    { 3, u8"ラスタカメラ" },
    { 4, u8"文字ストリーム" },
    { 5, u8"メタファイル" },
    { 6, u8"ディスプレイファイル" },
};
constexpr TFlagText clip_texts[] {
    { 0, u8"出力をクリッピングできない" },
    { 1, u8"出力を矩形でクリップできる" },
    { 2, u8"出力を領域にクリップできる" },
};
constexpr TFlagText shade_blend_texts[] {
    { 0, u8"シェーディングとブレンディングをサポートしない" },
    { 1, u8"BLENDFUNCTION 構造体の SourceConstantAlpha を使う" },
    { 2, u8"AlphaBlend 関数のピクセルごとのブレンドをサポート" },
    { 4, u8"AlphaBlend 関数のアルファ値の適用をサポート" },
    { 16, u8"GradientFill 関数による矩形の描画が可能" },
    { 32, u8"GradientFill 関数による三角形の描画が可能" },
};
constexpr TFlagText raster_texts[] {
    { 0x2, u8"デバイスのバインディングサポートが必要" },
    { 0x1, u8"標準ビットマップの転送が可能" },
    { 0x8, u8"64K を超えるビットマップをサポート" },
    { 0x80, u8"メモリ上の DIB をサポート" },
    { 0x200, u8"SetDIBitsToDevice 関数をサポート" },
    { 0x1000, u8"FloodFill 関数をサポート" },
    { 0x10, u8"Windows 2.0 出力可能" },
    { 0x100, u8"カラーパレットをサポート" },
    { 0x4, u8"デバイスのスケーリングサポートが必要" },
    { 0x800, u8"StretchBlt 関数をサポート" },
    { 0x2000, u8"StretchDIBits 関数をサポート" },
};
constexpr TFlagText curve_texts[] {
    { 0, u8"曲線をサポートしない" },
    { 0x1, u8"円をサポートする" },
    { 0x8, u8"楕円をサポートする" },
    { 0x80, u8"内部の塗り潰しをサポートする" },
    { 0x2, u8"扇形をサポートする" },
    { 0x100, u8"角の丸い矩形をサポートする" },
    { 0x20, u8"スタイルを持つ境界線をサポートする" },
    { 0x10, u8"太い境界線をサポートする" },
    { 0x40, u8"スタイルを持ち太い境界線をサポートする" },
};
constexpr TFlagText line_texts[] {
    { 0, u8"線分をサポートしない" },
    { 0x80, u8"内部の塗り潰しをサポートする" },
    { 0x4, u8"マーカーをサポートする" },
    { 0x2, u8"折れ線をサポートする" },
    { 0x8, u8"ポリマーカーをサポートする" },
    { 0x20, u8"スタイルを持つ線分をサポートする" },
    { 0x10, u8"太い線分をサポートする" },
    { 0x40, u8"スタイルのある太い線分をサポートする" },
};
constexpr TFlagText polygon_texts[] {
    { 0, u8"多角形をサポートしない" },
    { 0x80, u8"内部の塗り潰しをサポートする" },
    { 0x1, u8"多角形の塗り潰しをサポートする" },
    { 0x2, u8"矩形をサポートする" },
    { 0x8, u8"スキャンラインをサポートする" },
    { 0x20, u8"スタイルを持つ境界線をサポートする" },
    { 0x10, u8"太い境界線をサポートする" },
    { 0x40, u8"スタイルを持つ太い境界線をサポートする" },
    { 0x4, u8"多角形の塗り潰しをサポートする" },
};
constexpr TFlagText text_texts[] {
    { 0x1, u8"文字出力精度をサポートする" },
    { 0x2, u8"ストローク出力制度をサポートする" },
    { 0x4, u8"ストローククリップ精度をサポートする" },
    { 0x8, u8"文字の 90 度回転をサポートする" },
    { 0x10, u8"文字の任意角度回転をサポートする" },
    { 0x20, u8"X、Y 両方向のスケーリングをサポートする" },
    { 0x40, u8"倍角文字のスケーリングをサポートする" },
    { 0x80, u8"整数倍のスケーリングをサポートする" },
    { 0x100, u8"任意のスケーリングをサポートする" },
    { 0x200, u8"ボールド体をサポートする" },
    { 0x400, u8"イタリック体をサポートする" },
    { 0x800, u8"下線をサポートする" },
    { 0x1000, u8"取消横線をサポートする" },
    { 0x2000, u8"ラスタフォントをサポートする" },
};

constexpr TReportRow Value(TCap index, const char8_t* label, const char8_t* unit = u8"")
{
    return { index, TLineKind::Value, label, unit, {}, DriverVersion };
}

constexpr TReportRow Physical(TCap index, const char8_t* label, TCap dpi_index)
{
    return { index, TLineKind::PhysicalSize, label, u8"dot", {}, dpi_index };
}

constexpr TReportRow Choice(TCap index, const char8_t* heading, std::span<const TFlagText> texts)
{
    return { index, TLineKind::Choice, heading, u8"", texts, DriverVersion };
}

constexpr TReportRow Flags(TCap index, const char8_t* heading, std::span<const TFlagText> texts)
{
    return { index, TLineKind::Flags, heading, u8"", texts, DriverVersion };
}

// The capability lines in report order.
const std::array<TReportRow, 34> report_rows { {
    Value(DriverVersion, u8"ドライババージョン："),
    Choice(Technology, u8"デバイス技術：", technology_texts),
    Value(HorzSize, u8"出力領域幅： ", u8"mm"),
    Value(VertSize, u8"出力領域高： ", u8"mm"),
    Value(HorzRes, u8"出力領域幅： ", u8"dot"),
    Value(VertRes, u8"出力領域高： ", u8"dot"),
    Value(LogPixelsX, u8"出力解像度幅： ", u8"dpi"),
    Value(LogPixelsY, u8"出力解像度高： ", u8"dpi"),
    Value(BitsPixel, u8"ピクセルフォーマット： ", u8"bit"),
    Value(Planes, u8"カラープレーン数： "),
    Value(NumBrushes, u8"デバイス固有のブラシ数： "),
    Value(NumPens, u8"デバイス固有のペンの数： "),
    Value(NumMarkers, u8"デバイス固有のマーカの数： "),
    Value(NumFonts, u8"デバイス固有のフォントの数： "),
    Value(NumColors, u8"デバイスのカラーテーブル内のエントリ数： "),
    Value(AspectX, u8"線の描画に使うデバイスピクセルの相対幅： "),
    Value(AspectY, u8"線の描画に使うデバイスピクセルの相対高： "),
    Value(AspectXY, u8"線の描画に使うデバイスピクセルの対角線の幅： "),
    Choice(ClipCaps, u8"クリッピング能力：", clip_texts),
    Value(SizePalette, u8"システムパレット内のエントリ数： "),
    Value(NumReserved, u8"システムパレット内の予約エントリ数： "),
    Value(ColorRes, u8"デバイスのカラー解像度： ", u8"bit/dot"),
    Physical(PhysicalWidth, u8"物理的幅： ", LogPixelsX),
    Physical(PhysicalHeight, u8"物理的高： ", LogPixelsY),
    Value(PhysicalOffsetX, u8"実際に印刷可能な X 方向のマージン： ", u8"dot"),
    Value(PhysicalOffsetY, u8"実際に印刷可能な Y 方向のマージン： ", u8"dot"),
    Value(ScalingFactorX, u8"プリンタの X 方向のスケーリングファクタ： "),
    Value(ScalingFactorY, u8"プリンタの Y 方向のスケーリングファクタ： "),
    Choice(ShadeBlendCaps, u8"シェーディングとブレンディング能力：", shade_blend_texts),
    Flags(RasterCaps, u8"ラスタ能力：", raster_texts),
    Flags(CurveCaps, u8"曲線描画能力：", curve_texts),
    Flags(LineCaps, u8"線分描画能力：", line_texts),
    Flags(PolygonalCaps, u8"多角形描画能力：", polygon_texts),
    Flags(TextCaps, u8"テキスト表示能力：", text_texts),
} };

int ValueOf(const TDeviceCapabilities& values, int index)
{
    const auto found = values.find(index);
    return found != values.end() ? found->second : 0;
}

// The value is compared as a whole: a value without a text of its own
// (several flags at once) gives the heading alone.
std::string ChoiceLine(const TReportRow& row, int value)
{
    std::string line = sj(row.label);
    for (const TFlagText& text : row.texts) {
        if (text.bit == value) {
            line += sj(text.text);
            break;
        }
    }
    return line;
}

// After each text a line break and one full-width space per character of
// the heading, so that the texts stand one under the other after it; the
// break after the last text is left out.
std::string FlagsLine(const TReportRow& row, int value)
{
    const std::string heading = sj(row.label);
    std::string indent = "\r\n";
    for (std::size_t at = 0; at < heading.size(); at += CharLengthAt(heading, at))
        indent += sj(u8"\u3000");
    std::string line = heading;
    bool first = true;
    for (const TFlagText& text : row.texts) {
        const bool applies = text.bit == 0 ? value == 0 : (value & text.bit) != 0;
        if (!applies)
            continue;
        if (!first)
            line += indent;
        line += sj(text.text);
        first = false;
    }
    return line;
}

std::string ValueLine(const TReportRow& row, const TDeviceCapabilities& values)
{
    const int value = ValueOf(values, row.index);
    std::string line = sj(row.label);
    line += std::to_string(value);
    line += sj(row.unit);
    if (row.kind == TLineKind::PhysicalSize) {
        line += "(";
        line += std::to_string(Millimetres(value, ValueOf(values, row.dpi_index)));
        line += "mm)";
    }
    return line;
}

} // namespace

TDeviceCapabilities DeviceCapabilities(const TPrinterFacts& printer)
{
    TDeviceCapabilities values;
    for (const TFixedCapability& fixed : plain_raster_printer)
        values[fixed.index] = fixed.value;
    values[HorzSize] = Millimetres(printer.page_width, printer.dpi_x);
    values[VertSize] = Millimetres(printer.page_height, printer.dpi_y);
    values[HorzRes] = printer.page_width;
    values[VertRes] = printer.page_height;
    values[LogPixelsX] = printer.dpi_x;
    values[LogPixelsY] = printer.dpi_y;
    values[BitsPixel] = printer.colour ? 24 : 1;
    values[NumColors] = printer.colour ? -1 : 2;
    // Device pixels are as wide as the resolution makes them.
    values[AspectX] = printer.dpi_x;
    values[AspectY] = printer.dpi_y;
    values[AspectXY] = static_cast<int>(std::hypot(printer.dpi_x, printer.dpi_y) + 0.5);
    values[PhysicalWidth] = printer.paper_width;
    values[PhysicalHeight] = printer.paper_height;
    values[PhysicalOffsetX] = printer.offset_x;
    values[PhysicalOffsetY] = printer.offset_y;
    return values;
}

namespace {

std::string RowLine(const TReportRow& row, const TDeviceCapabilities& values)
{
    switch (row.kind) {
    case TLineKind::Value:
    case TLineKind::PhysicalSize:
        return ValueLine(row, values);
    case TLineKind::Choice:
        return ChoiceLine(row, ValueOf(values, row.index));
    case TLineKind::Flags:
        return FlagsLine(row, ValueOf(values, row.index));
    }
    return std::string();
}

} // namespace

std::string CapabilityLine(int index, const TDeviceCapabilities& values)
{
    for (const TReportRow& row : report_rows) {
        if (row.index == index)
            return RowLine(row, values);
    }
    return std::string();
}

StringList BuildPrinterInfo(const std::string& program_title, const TZhdHead& head,
    const std::optional<TPrinterFacts>& printer)
{
    StringList lines { program_title };
    head.AppendPrintInformation(lines, printer ? printer->dpi_x : 0.0);
    if (!printer) {
        lines.push_back(sj(u8"プリンタがありません．"));
        return lines;
    }
    lines.push_back(printer->name);
    const TDeviceCapabilities values = DeviceCapabilities(*printer);
    for (const TReportRow& row : report_rows)
        lines.push_back(RowLine(row, values));
    return lines;
}
