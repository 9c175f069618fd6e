// The printer report: its capability lines as tables of values and texts,
// and the whole report with and without a printer.

#include "document/ZhdHead.h"
#include "platform/ShiftJis.h"
#include "print/PrinterReport.h"

#include <QPrinter>
#include <gtest/gtest.h>

#include <string>

namespace {

// An A4 printer at 600 dpi with 4 mm margins.
TPrinterFacts A4At600()
{
    TPrinterFacts facts;
    facts.name = "lp0";
    facts.dpi_x = 600;
    facts.dpi_y = 600;
    facts.paper_width = 4961;
    facts.paper_height = 7016;
    facts.offset_x = 94;
    facts.offset_y = 95;
    facts.page_width = 4961 - 2 * 94;
    facts.page_height = 7016 - 2 * 95;
    facts.colour = true;
    return facts;
}

std::string Utf8Line(int index, const TDeviceCapabilities& values)
{
    return SjisToUtf8(CapabilityLine(index, values));
}

} // namespace

TEST(PrinterReport, ValueLinesHaveTheirUnitsAndThePaperItsMillimetres)
{
    const TDeviceCapabilities values = DeviceCapabilities(A4At600());
    const struct {
        int index;
        const char* expected;
    } cases[] = {
        { 4, "出力領域幅： 202mm" },
        { 10, "出力領域高： 6826dot" },
        { 88, "出力解像度幅： 600dpi" },
        { 12, "ピクセルフォーマット： 24bit" },
        { 44, "線の描画に使うデバイスピクセルの対角線の幅： 849" },
        { 108, "デバイスのカラー解像度： 0bit/dot" },
        // 4961 dots at 600 dpi are 210 mm, 7016 are 297 mm.
        { 110, "物理的幅： 4961dot(210mm)" },
        { 111, "物理的高： 7016dot(297mm)" },
        { 113, "実際に印刷可能な Y 方向のマージン： 95dot" },
        { 0, "ドライババージョン：256" },
        { 16, "デバイス固有のブラシ数： -1" },
        { 2, "デバイス技術：ラスタプリンタ" },
        { 999, "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8Line(c.index, values), c.expected) << c.index;
}

TEST(PrinterReport, ChoiceAndFlagLines)
{
    const std::string indent6 = "\r\n　　　　　　";
    const std::string indent7 = "\r\n　　　　　　　";
    const struct {
        int index;
        int value;
        std::string expected;
    } cases[] = {
        { 36, 2, "クリッピング能力：出力を領域にクリップできる" },
        { 2, 9, "デバイス技術：" },
        { 120, 0, "シェーディングとブレンディング能力：シェーディングとブレンディングをサポートしない" },
        { 120, 16, "シェーディングとブレンディング能力：GradientFill 関数による矩形の描画が可能" },
        // Several flags at once have no text: the heading alone.
        { 120, 0x13, "シェーディングとブレンディング能力：" },
        // The flags in the table's order, one under the other, indented by
        // one full-width space per character of the heading.
        { 38, 0x3, "ラスタ能力：デバイスのバインディングサポートが必要" + indent6 + "標準ビットマップの転送が可能" },
        { 38, 0x1, "ラスタ能力：標準ビットマップの転送が可能" },
        { 38, 0, "ラスタ能力：" },
        { 34, 0, "テキスト表示能力：" },
        { 28, 0, "曲線描画能力：曲線をサポートしない" },
        { 28, 0x9, "曲線描画能力：円をサポートする" + indent7 + "楕円をサポートする" },
        // A bit without a text adds nothing.
        { 30, 0x1, "線分描画能力：" },
        { 32, 0x5, "多角形描画能力：多角形の塗り潰しをサポートする" + std::string("\r\n　　　　　　　　")
                + "多角形の塗り潰しをサポートする" },
    };
    for (const auto& c : cases) {
        TDeviceCapabilities values { { c.index, c.value } };
        EXPECT_EQ(Utf8Line(c.index, values), c.expected) << c.index << " " << c.value;
    }
}

TEST(PrinterReport, TheReportListsTheDrawingThePrinterAndEveryCapability)
{
    const TZhdHead head;
    const StringList report = BuildPrinterInfo("Zuview", head, A4At600());
    StringList drawing;
    head.AppendPrintInformation(drawing, 600.0);
    ASSERT_EQ(report.size(), 1 + drawing.size() + 1 + 34);
    EXPECT_EQ(report[0], "Zuview");
    EXPECT_EQ(StringList(report.begin() + 1, report.begin() + 1 + static_cast<long>(drawing.size())), drawing);
    EXPECT_EQ(report[1 + drawing.size()], "lp0");
    EXPECT_EQ(SjisToUtf8(report[2 + drawing.size()]), "ドライババージョン：256");
    EXPECT_EQ(SjisToUtf8(report.back()).substr(0, 27), "テキスト表示能力：");

    const StringList without = BuildPrinterInfo("Zuview", head, std::nullopt);
    StringList plain;
    head.AppendPrintInformation(plain, 0.0);
    ASSERT_EQ(without.size(), 1 + plain.size() + 1);
    EXPECT_EQ(SjisToUtf8(without.back()), "プリンタがありません．");
}

// A printer that writes a PDF file: its facts are what QPrinter knows.
TEST(PrinterReport, FactsComeFromThePrinter)
{
    QPrinter none;
    none.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_FALSE(PrinterFactsOf(none).has_value()) << "no printer and no file";

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/tmp/report.pdf");
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(10, 20, 10, 20), QPageLayout::Millimeter);
    const std::optional<TPrinterFacts> facts = PrinterFactsOf(printer);
    ASSERT_TRUE(facts.has_value());
    EXPECT_EQ(facts->name, "/tmp/report.pdf");
    EXPECT_EQ(facts->dpi_x, 1200);
    // QPrinter measures the paper in whole points: 595 x 842 for A4.
    EXPECT_NEAR(facts->paper_width, 9921, 5);
    EXPECT_NEAR(facts->offset_x, 472, 5);
    EXPECT_EQ(facts->page_width, facts->paper_width - 2 * facts->offset_x);
    EXPECT_TRUE(facts->colour);
    const TDeviceCapabilities values = DeviceCapabilities(*facts);
    EXPECT_TRUE(Utf8Line(110, values).ends_with("dot(210mm)"));
    EXPECT_TRUE(Utf8Line(111, values).ends_with("dot(297mm)"));
    EXPECT_EQ(Utf8Line(4, values), "出力領域幅： 190mm");
}
