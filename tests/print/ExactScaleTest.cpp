// Printing to scale, measured on paper: a 100 mm square printed through
// QPrinter's PDF output, the PDF turned into SVG by pdftocairo, and the
// square's drawn lines read back in millimetres of the paper. The PDFs are
// kept among the test artefacts.

#include "tests/support/PrintedPdf.h"
#include "tests/support/TempDir.h"

#include "document/ZhdData.h"
#include "elements/KLine.h"
#include "print/PrintJob.h"
#include "print/QtPrinterDevice.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <numbers>
#include <optional>
#include <string>

namespace {

// Where a print goes: QPrinter's own PDF output, or a CUPS PDF queue.
struct Route {
    std::optional<TCupsPdfQueue> cups;
    bool ThroughCups() const { return cups.has_value(); }
};

// A 100 mm square around the origin, printed with the frame on the origin
// at `scale`, turned by `degrees`, on A4 portrait; the square as the paper
// shows it.
TPaperBox PrintSquare(const std::string& name, double scale, double degrees, const Route& route = {})
{
    TZhdData document;
    const auto line = [&](double x1, double y1, double x2, double y2) {
        auto made = boost::make_shared<TKLine>();
        made->SetLine(TBPoint(x1, y1), TBPoint(x2, y2));
        made->SetPenColor(1);
        document.GetElemListPtr().Append(made);
    };
    line(-50, -50, 50, -50);
    line(50, -50, 50, 50);
    line(50, 50, -50, 50);
    line(-50, 50, -50, -50);
    TZhdZoomF area;
    area.SetScale(scale);
    document.GetHeadPtr().SetPrinterArea(area);
    document.GetInfoRegPtr().PrintAngle = degrees * std::numbers::pi / 180;

    const std::string kept_name = route.ThroughCups() ? "cups-" + name : name;
    const std::filesystem::path pdf = TestArtefactPath("print/" + kept_name + ".pdf");
    std::filesystem::create_directories(pdf.parent_path());
    std::unique_ptr<QPrinter> printer;
    // A title of its own per run, so that an earlier run's file is never
    // taken for this one's.
    const std::string title = "zuview-" + kept_name + "-" + std::to_string(::getpid());
    if (route.ThroughCups()) {
        printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(QString::fromStdString(route.cups->queue)),
                                             QPrinter::HighResolution);
        EXPECT_EQ(printer->printerName().toStdString(), route.cups->queue);
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(pdf.string()));
    }
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    TQtPrinterDevice device(*printer);
    EXPECT_TRUE(device.BeginDoc(title));
    EXPECT_EQ(Continuation(document, device, TPrintJobHost {}), TPrintJobResult::Finished);
    EXPECT_TRUE(device.EndDoc());
    printer.reset();
    if (route.ThroughCups()) {
        EXPECT_TRUE(CollectCupsPdf(*route.cups, title, pdf)) << "no PDF from the queue " << route.cups->queue;
    }

    const std::optional<std::string> svg = PdfPageAsSvg(pdf);
    EXPECT_TRUE(svg) << "pdftocairo cannot read " << pdf;
    return svg ? BoxAround(StrokedSegments(*svg)) : TPaperBox {};
}

struct ScaleCase {
    const char* name;
    double scale;
    double degrees;
    double side;
};

const ScaleCase scale_cases[] = {
    { "square-100", 1.0, 0, 100 },
    { "square-50", 0.5, 0, 50 },
    { "square-100-turned-90", 1.0, 90, 100 },
};

void ExpectTrueScale(const Route& route)
{
    const TPaperBox upright = PrintSquare("square-reference", 1.0, 0, route);
    for (const ScaleCase& c : scale_cases) {
        SCOPED_TRACE(c.name);
        const TPaperBox box = PrintSquare(c.name, c.scale, c.degrees, route);
        EXPECT_NEAR(box.Width(), c.side, 0.1);
        EXPECT_NEAR(box.Height(), c.side, 0.1);
        // Centred where the upright square is: on the printable area's
        // centre.
        EXPECT_NEAR((box.left + box.right) / 2, (upright.left + upright.right) / 2, 0.1);
        EXPECT_NEAR((box.top + box.bottom) / 2, (upright.top + upright.bottom) / 2, 0.1);
    }
}

} // namespace

TEST(ExactScale, ASquarePrintedToScaleMeasuresTrueOnPaper)
{
    ExpectTrueScale(Route {});
}

// The same through CUPS: CI starts a PDF queue (scripts/cups-pdf-queue.sh)
// and names it in the environment.
TEST(ExactScale, ASquarePrintedThroughCupsMeasuresTrueOnPaper)
{
    const std::optional<TCupsPdfQueue> queue = CupsPdfQueueOfEnvironment();
    if (!queue)
        GTEST_SKIP() << "no CUPS PDF queue named in ZUVIEW_CUPS_PDF_QUEUE";
    ExpectTrueScale(Route { queue });
}
