// The header's readable report: the full description that the drawing loader
// writes to the debug log, and the shorter print description of the
// print-information window, with pen widths converted for the printer.
//
// Lines are Shift-JIS and formatted with printf rules on bytes, so a
// full-width character takes two columns of a field width. Nothing in the
// report indexes a table by a value from the file: names come from the
// vocabulary maps (an unknown key reads as empty text), group and layer
// numbers print in hexadecimal whatever their size, and a line parameter shows
// at most its ten stored pitches whatever segment count the file claims.

#include "document/ZhdHead.h"

#include "core/KDefine.h"
#include "platform/Numbers.h"
#include "platform/ShiftJis.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// StringPrintf (C locale, widths in bytes) with a Shift-JIS format written as
// UTF-8 source. The formats hold no byte that printf would take for a
// directive inside a double-byte character: trail bytes are 0x40 and above,
// '%' is 0x25.
template <typename... Arguments>
std::string Format(const char8_t* format, Arguments... arguments)
{
    return StringPrintf(sj(format).c_str(), arguments...);
}

std::string Hex(int value)
{
    return StringPrintf("%X", static_cast<unsigned>(value));
}

struct RGBTriple {
    int red;
    int green;
    int blue;
};

// Division and remainder truncate toward zero, as the stored words expect.
RGBTriple SplitColor(int color)
{
    return { color % 256, (color / 256) % 256, color / 65536 };
}

// Where the folder part of a path ends: after its last separator. Walks the
// characters, so the second byte of a double-byte character that happens to
// be a backslash is not taken for one.
std::size_t FolderLength(const std::string& path)
{
    std::size_t length = 0;
    for (std::size_t i = 0; i < path.size(); i += CharLengthAt(path, i)) {
        const char c = path[i];
        if ((c == '\\' || c == ':' || c == '/') && CharLengthAt(path, i) == 1)
            length = i + 1;
    }
    return length;
}

// The first line break of the memo is followed by three full-width blanks, so
// the following lines stand indented under the caption.
std::string IndentedMemo(std::string memo)
{
    const std::size_t line_break = memo.find("\r\n");
    if (line_break != std::string::npos)
        memo.insert(line_break + 2, sj(u8"　　　"));
    return memo;
}

// Truncated toward zero, saturating where an extreme resolution or width
// would leave the int range.
int TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

class TReport {
public:
    TReport(const TZhdHead& head, StringList& lines) : head_(head), lines_(lines) {}

    bool HasBody() const { return head_.GetVersion() >= 220; }

    void Add(std::string line) { lines_.push_back(std::move(line)); }

    void AddIdentification()
    {
        const std::string path = head_.GetFileName();
        const std::size_t folder = FolderLength(path);
        Add(Format(u8"フォルダ名：%s", path.substr(0, folder).c_str()));
        Add(Format(u8"ファイル名：%s", path.substr(folder).c_str()));
        Add("");
        Add("Zuhen Data");
        Add(Format(u8"データバージョン：%.2f", head_.GetVersion() * 0.01));
        Add(Format(u8"メモ：%s", IndentedMemo(head_.GetMemo()).c_str()));
    }

    void AddMemoLines()
    {
        for (int n = 0; n <= 2; ++n)
            Add(StringPrintf("Memo%d:", n) + head_.GetMemoLine(n));
    }

    void AddPaperSize()
    {
        Add(Format(u8"図面サイズ：%s", LookUp(define_.PaperNames, head_.GetPaperSize()).c_str()));
    }

    void AddGroups()
    {
        Add(Format(u8"書込グループ：%s", Hex(head_.GetWriteGroup()).c_str()));
        const TVect<TZhdGrp> groups = head_.GetGroups();
        for (int g = 0; g < groups.Count(); ++g) {
            const TZhdGrp group = groups.Get(g);
            Add(Format(u8"グループ：%s '%s' 状態：%-8s 書込レイヤ：%s 縮尺：1/%f プロテクト：%s", Hex(g).c_str(),
                       group.GetName().c_str(), LookUp(define_.LayerStateNames, group.GetState()).c_str(),
                       Hex(group.GetWriteLayer()).c_str(), group.GetScale(),
                       LookUp(define_.ProtectNames, group.GetProtect()).c_str()));
            const TVect<TZhdLay> layers = group.GetLayers();
            for (int l = 0; l < layers.Count(); ++l) {
                const TZhdLay layer = layers.Get(l);
                Add(Format(u8"レ イ ヤ：%s '%s' 状態：%-8s プロテクト：%s", Hex(l).c_str(), layer.GetName().c_str(),
                           LookUp(define_.LayerStateNames, layer.GetState()).c_str(),
                           LookUp(define_.ProtectNames, layer.GetProtect()).c_str()));
            }
        }
    }

    void AddDummyAndDimensionWords()
    {
        const TVect<std::uint32_t> dummy = head_.GetDummy();
        for (int i = 0; i < TZhdHead::DummyCount; ++i)
            Add(StringPrintf("Dummy[%d]: %u(%08x)", i, dummy.Get(i), dummy.Get(i)));
        const TVect<std::uint32_t> dimensions = head_.GetDimensionSettings();
        for (int i = 0; i < TZhdHead::DimensionSettingCount; ++i)
            Add(Format(u8"寸法設定[%d]: %09u", i, dimensions.Get(i)));
    }

    void AddMaxLineDrawWidth()
    {
        const int width = head_.GetMaxLineDrawWidth();
        Add(Format(u8"線描画の最大幅: %d(%08x|%u)", width, width, width));
    }

    void AddPrinterAreaAndGrid()
    {
        const TZhdZoomF area = head_.GetPrinterArea();
        const unsigned code = static_cast<unsigned>(area.GetCode());
        Add(Format(u8"プリンタ出力範囲原点 X:%.16f Y:%.16f", area.GetX(), area.GetY()));
        Add(Format(u8"プリンタ出力倍率：%.16f プリンタ90ﾟ回転：%s 出力基点：%s %u", area.GetScale(),
                   LookUp(define_.NoYesNames, static_cast<int>(code % 10)).c_str(),
                   LookUp(define_.BasePointNames, static_cast<int>(code / 10)).c_str(), code));
        Add(Format(u8"目盛設定モード：%02d 目盛表示最小間隔ドット：%.16f", head_.GetGridMode(),
                   head_.GetGridMinDotSpacing()));
        const TBPoint spacing = head_.GetGridSpacing();
        Add(Format(u8"目盛表示間隔 X:%.16f Y:%.16f", spacing.GetX(), spacing.GetY()));
        const TBPoint origin = head_.GetGridOrigin();
        Add(Format(u8"目盛基準点 X:%.16f Y:%.16f", origin.GetX(), origin.GetY()));
    }

    void AddShadowAndSkyMap()
    {
        Add(Format(u8"日影計算の条件 測定面高さ：%.16f 緯度：%.16f", head_.GetShadowSurfaceHeight(),
                   head_.GetLatitude()));
        Add(Format(u8"　　　　　　　 9～15の測定の指定：%d 壁面日影測定面高さ：%.16f", head_.GetShadow9To15(),
                   head_.GetWallShadowSurfaceHeight()));
        if (head_.GetVersion() >= 300)
            Add(Format(u8"天空図の条件　 測定面高さ：%.16f 直径：%.16f", head_.GetSkyMapSurfaceHeight(),
                       head_.GetSkyMapDiameter()));
        Add(Format(u8"2.5Dの計算単位(0以外はmm単位で計算)：%d(%s)", head_.Get25DUnit(), UnitText()));
    }

    void AddViews()
    {
        const TZhdZoom saved = head_.GetSavedView();
        Add(Format(u8"保存時の画面倍率：%.16f X:%.16f Y:%.16f", saved.GetScale(), saved.GetX(), saved.GetY()));
        const TZhdZoom range = head_.GetRangeMemoryView();
        Add(Format(u8"範囲記憶倍率：%.16f X:%.16f Y:%.16f", range.GetScale(), range.GetX(), range.GetY()));
        const TVect<TZhdZoomF> jumps = head_.GetMarkJumps();
        const int last_jump = head_.GetVersion() >= 300 ? 10 : 4;
        for (int n = 1; n <= last_jump; ++n) {
            const TZhdZoomF jump = jumps.Get(n);
            Add(Format(u8"マークジャンプ%2d 倍率：%.16f X:%.16f Y:%.16f GL:%d", n, jump.GetScale(), jump.GetX(),
                       jump.GetY(), jump.GetCode()));
        }
    }

    void AddParallelLines()
    {
        const TVect<double> distances = head_.GetParallelLineDistances();
        for (int i = 0; i < TZhdHead::ParallelLineCount; ++i)
            Add(Format(u8"複線間隔%2d：%.16f", i + 1, distances.Get(i)));
        Add(Format(u8"両側複線の留線出の寸法：%.16f", head_.GetParallelLineEndExtension()));
    }

    void AddRGBLine(int indent, const TZhdPen& pen, const TZhdPrtPen& print_pen)
    {
        const RGBTriple screen = SplitColor(pen.GetColor());
        const RGBTriple print = SplitColor(print_pen.GetColor());
        Add(std::string(indent, ' ')
            + StringPrintf("R%3d G%3d B%3d                R%3d G%3d B%3d", screen.red, screen.green, screen.blue,
                           print.red, print.green, print.blue));
    }

    // Full report: the point radius with 16 decimals.
    void AddPens()
    {
        const TZhdPen background = head_.GetPen(0);
        const TZhdPrtPen background_print = head_.GetPrtPen(0);
        Add(Format(u8"背景色 画面表示色：%8d 線幅：%2d 印刷出力色：%8d 線幅：%2d 実点半径：%.16f",
                   background.GetColor(), background.GetWidth(), background_print.GetColor(),
                   background_print.GetWidth(), background_print.GetPointRadius()));
        AddRGBLine(13, background, background_print);
        for (int n = 1; n <= 9; ++n) {
            const TZhdPen pen = head_.GetPen(n);
            const TZhdPrtPen print = head_.GetPrtPen(n);
            Add(Format(u8"ペン%2d 画面表示色：%8d 線幅：%2d 印刷出力色：%8d 線幅：%2d 実点半径：%.16f", n,
                       pen.GetColor(), pen.GetWidth(), print.GetColor(), print.GetWidth(), print.GetPointRadius()));
            AddRGBLine(13, pen, print);
        }
    }

    // Print report: the point radius in general form and, with a resolution,
    // each pen's printed width.
    void AddPrintPens(double dpi)
    {
        const TZhdPen background = head_.GetPen(0);
        const TZhdPrtPen background_print = head_.GetPrtPen(0);
        Add(Format(u8"背景色 画面表示色：%8d 線幅：%2d 印刷出力色：%8d 線幅：%2d 実点半径：%s", background.GetColor(),
                   background.GetWidth(), background_print.GetColor(), background_print.GetWidth(),
                   FloatToStrGeneral(background_print.GetPointRadius()).c_str()));
        AddRGBLine(13, background, background_print);
        for (int n = 1; n <= 9; ++n) {
            const TZhdPen pen = head_.GetPen(n);
            const TZhdPrtPen print = head_.GetPrtPen(n);
            Add(Format(u8"ペン%2d 画面表示色：%8d 線幅：%2d 印刷出力色：%8d 線幅：%2d 実点半径：%s%s", n,
                       pen.GetColor(), pen.GetWidth(), print.GetColor(), print.GetWidth(),
                       FloatToStrGeneral(print.GetPointRadius()).c_str(), WidthNote(print, dpi).c_str()));
            AddRGBLine(13, pen, print);
        }
    }

    void AddResolution(double dpi)
    {
        const std::string resolution = FloatToStrGeneral(dpi) + "dpi (" + FloatToStrGeneral(25.4 / dpi) + "mm/dot)";
        const char* unit = head_.GetMaxLineDrawWidth() >= 0 ? "dot" : "1/100mm";
        Add(Format(u8"出力解像度: %-47s%7s", resolution.c_str(), unit));
    }

    void AddLineType(int number, const TZhdLType& type)
    {
        Add(Format(u8"線種番号%2d タイプ：%8x ドット数：%2d ピッチ：%2d 出力ピッチ：%2d wide:%d", number,
                   static_cast<unsigned>(type.GetPattern()), type.GetDots(), type.GetPitch(), type.GetPrintPitch(),
                   type.GetAmplitude()));
    }

    void AddLineTypes()
    {
        for (int n = 1; n <= 9; ++n)
            AddLineType(n, head_.GetLType(n));
        for (int n = 11; n <= 15; ++n) {
            const TZhdLType type = head_.GetLType(n);
            Add(Format(u8"ランダム線%2d タイプ：%8x 振幅：%2d ピッチ：%2d 出力振幅：%2d 出力ピッチ：%2d", n,
                       static_cast<unsigned>(type.GetPattern()), type.GetAmplitude(), type.GetPitch(),
                       type.GetPrintAmplitude(), type.GetPrintPitch()));
        }
        for (int n = 16; n <= 19; ++n) {
            const TZhdLType type = head_.GetLType(n);
            Add(Format(u8"倍長線種番号%2d タイプ：%8x ドット数：%2d ピッチ：%2d 出力ピッチ：%2d wide:%d", n,
                       static_cast<unsigned>(type.GetPattern()), type.GetDots(), type.GetPitch(),
                       type.GetPrintPitch(), type.GetAmplitude()));
        }
    }

    void AddFlagsAndDrawingTime()
    {
        Add(Format(u8"実点を画面描画時の指定半径で描画：%d", head_.GetPointRadiusOnScreen()));
        Add(Format(u8"実点をプリンタ出力時に指定半径で書く：%d", head_.GetPointRadiusOnPrinter()));
        Add(Format(u8"BitMapを最初に描画する：%d", head_.GetBitmapFirst()));
        Add(Format(u8"逆描画：%d 逆サーチ：%d", head_.GetReverseDraw(), head_.GetReverseSearch()));
        Add(Format(u8"カラー印刷：%d レイヤ順の印刷：%d 色番号順の印刷：%d", head_.GetColorPrint(),
                   head_.GetPrintInLayerOrder(), head_.GetPrintInColorOrder()));
        Add(Format(u8"レイヤグループまたはレイヤ毎のプリンタ連続出力指定：%d", head_.GetContinuousPrintMode()));
        Add(Format(u8"プリンタ共通レイヤ(表示のみレイヤ)のグレー出力指定：%d", head_.GetGreyDisplayOnlyPrint()));
        Add(Format(u8"プリンタ出力時に表示のみレイヤは出力しない：%d", head_.GetSkipDisplayOnlyPrint()));
        const unsigned seconds = static_cast<unsigned>(head_.GetDrawingTime());
        Add(Format(u8"作図時間：%d時間%02d分%02d秒", static_cast<int>(seconds / 3600),
                   static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60)));
    }

    void Add25DAndLastSizes()
    {
        const char* degree = sj(u8"ﾟ").c_str();
        const char* unit = UnitText();
        Add(Format(u8"2.5Dの始点位置が設定されている時のフラグ：%03d", head_.Get25DStartFlag()));
        Add(Format(u8"2.5D透視図 視点水平角：%.16f(%s) 視点高さ：%.16f(%s) 視点離れ：%.16f(%s)",
                   head_.GetPerspectiveHAngle(), degree, head_.GetPerspectiveHeight(), unit,
                   head_.GetPerspectiveDistance(), unit));
        Add(Format(u8"2.5D鳥瞰図 視点水平角：%.16f(%s) 視点高さ：%.16f(%s) 視点離れ：%.16f(%s)",
                   head_.GetBirdsEyeHAngle(), degree, head_.GetBirdsEyeHeight(), unit, head_.GetBirdsEyeDistance(),
                   unit));
        Add(Format(u8"2.5Dアイソメ図 視点水平角：%.16f(%s) 視点垂直角：%.16f(%s)", head_.GetIsometricHAngle(),
                   degree, head_.GetIsometricVAngle(), degree));
        Add(Format(u8"線の長さ指定の最終値：%.16f", head_.GetLastLineLength()));
        Add(Format(u8"矩形寸法指定の最終値 横寸法：%.16f 縦寸法：%.16f", head_.GetLastRectWidth(),
                   head_.GetLastRectHeight()));
        Add(Format(u8"円の半径指定の最終値：%.16f", head_.GetLastCircleRadius()));
    }

    void AddSolids()
    {
        const int color = head_.GetSolidDefaultColor();
        const RGBTriple rgb = SplitColor(color);
        Add(Format(u8"ソリッドを任意色で描くフラグ：%d ソリッドの任意色の既定値：%d R%3d G%3d B%3d",
                   head_.GetSolidAnyColor(), color, rgb.red, rgb.green, rgb.blue));
    }

    void AddExtendedTables()
    {
        if (head_.GetVersion() < 420)
            return;
        Add(sj(u8"SXF対応拡張線色定義"));
        for (int n = 100; n < TZhdHead::PenCount; ++n) {
            const TZhdPrtPen print = head_.GetPrtPen(n);
            if (print.GetColorName().empty())
                continue;
            const TZhdPen pen = head_.GetPen(n);
            Add(Format(u8"ペン%3d 画面表示色：%8d 線幅：%2d 印刷出力色：%8d 線幅：%2d 実点半径：%.16f 線色名：%s", n - 100,
                       pen.GetColor(), pen.GetWidth(), print.GetColor(), print.GetWidth(), print.GetPointRadius(),
                       print.GetColorName().c_str()));
            AddRGBLine(14, pen, print);
        }
        Add(sj(u8"SXF対応拡張線種定義"));
        const TVect<TZhdLParameter> parameters = head_.GetLParameters();
        for (int n = 30; n < TZhdHead::LineTypeCount; ++n) {
            const TZhdLParameter parameter = parameters.Get(n);
            if (parameter.GetName().empty())
                continue;
            AddLineType(n - 30, head_.GetLType(n));
            Add(Format(u8"           線種名：%s セグメント数：%2d ピッチ：%s", parameter.GetName().c_str(),
                       parameter.GetSegmentCount(), PitchList(parameter).c_str()));
        }
    }

    void AddTextSettings()
    {
        Add(Format(u8"書込文字：%2d", head_.GetWriteTextKind()));
        Add(Format(u8"%-10s %-4s %-4s %-6s %-5s", " ", sj(u8" 幅").c_str(), sj(u8" 高").c_str(),
                   sj(u8" 間隔").c_str(), sj(u8"色No.").c_str()));
        const TZhdaMoji free = head_.GetFreeTextKind();
        Add(Format(u8"%-10s %4.1f %4.1f %6.2f  (%d)", sj(u8"任意サイズ").c_str(), free.GetWidth(), free.GetHeight(),
                   free.GetSpacing(), free.GetColor()));
        const TVect<TZhdaMoji> kinds = head_.GetTextKinds();
        for (int n = 1; n <= 10; ++n) {
            const TZhdaMoji kind = kinds.Get(n);
            Add(Format(u8"文字種[%2d] %4.1f %4.1f %6.2f  (%d)", n, kind.GetWidth(), kind.GetHeight(),
                       kind.GetSpacing(), kind.GetColor()));
        }
        Add(Format(u8"文字位置整理 行間：%.16f 文字数：%.16f", head_.GetTextLineSpacing(), head_.GetTextCharCount()));
        Add(Format(u8"文字基準点のずれ位置使用のフラグ：%d", head_.GetTextShiftFlag()));
        const TVect<double> shifts_y = head_.GetTextShiftsY();
        Add(Format(u8"%6.1f  左上   中上   右上 ", shifts_y.Get(2)));
        Add(Format(u8"%6.1f  左中   中中   右中 ", shifts_y.Get(1)));
        Add(Format(u8"%6.1f  左下   中下   右下 ", shifts_y.Get(0)));
        const TVect<double> shifts_x = head_.GetTextShiftsX();
        Add(StringPrintf("%-6s %5.1f  %5.1f  %5.1f", " ", shifts_x.Get(0), shifts_x.Get(1), shifts_x.Get(2)));
    }

private:
    const char* UnitText() const { return head_.Get25DUnit() != 0 ? "mm" : sj(u8"ｍ").c_str(); }

    // The pitches in use, in general form, joined by blanks: never more than
    // the ten the record holds, whatever count the file claims.
    static std::string PitchList(const TZhdLParameter& parameter)
    {
        std::string list;
        const int count = std::min(parameter.GetSegmentCount(), TZhdLParameter::PitchCount);
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                list += ' ';
            list += FloatToStrGeneral(parameter.GetPitch(i));
        }
        return list;
    }

    std::string WidthNote(const TZhdPrtPen& print, double dpi) const
    {
        if (!(dpi > 0))
            return " ";
        const double width = static_cast<unsigned>(print.GetWidth());
        const double millimetres_per_dot = 25.4 / dpi;
        if (head_.GetMaxLineDrawWidth() >= 0)
            return Format(u8" 出力幅：%smm", FloatToStrGeneral(width * millimetres_per_dot).c_str());
        return Format(u8" 出力幅：%ddot", TruncateToInt(width * 0.01 / millimetres_per_dot + 0.9));
    }

    const TZhdHead& head_;
    StringList& lines_;
    const TKDefine define_;
};

} // namespace

void TZhdHead::AppendInformation(StringList& lines) const
{
    TReport report(*this, lines);
    report.AddIdentification();
    report.AddMemoLines();
    report.AddPaperSize();
    if (report.HasBody()) {
        report.AddGroups();
        report.AddDummyAndDimensionWords();
        report.AddMaxLineDrawWidth();
        report.AddPrinterAreaAndGrid();
        report.AddShadowAndSkyMap();
        report.AddViews();
        report.AddParallelLines();
        report.AddPens();
        report.AddLineTypes();
        report.AddFlagsAndDrawingTime();
        report.Add25DAndLastSizes();
        report.AddSolids();
        report.AddExtendedTables();
        report.AddTextSettings();
    }
    report.Add("");
}

void TZhdHead::AppendPrintInformation(StringList& lines, double dpi) const
{
    TReport report(*this, lines);
    report.AddIdentification();
    report.AddPaperSize();
    if (report.HasBody()) {
        report.AddMaxLineDrawWidth();
        if (dpi > 0)
            report.AddResolution(dpi);
        report.AddPrintPens(dpi);
        report.AddLineTypes();
        report.AddFlagsAndDrawingTime();
        report.AddSolids();
        report.AddExtendedTables();
        report.AddTextSettings();
    }
    report.Add("");
}
