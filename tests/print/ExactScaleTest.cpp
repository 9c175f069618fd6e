// Printing to scale, measured on paper: a 100 mm square printed through
// QPrinter's PDF output, the PDF turned into SVG by pdftocairo, and the
// square's drawn lines read back in millimetres of the paper. The PDFs are
// kept among the test artefacts.

#include "tests/support/TempDir.h"

#include "document/ZhdData.h"
#include "elements/KLine.h"
#include "print/PrintJob.h"
#include "print/QtPrinterDevice.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include <unistd.h>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <regex>
#include <string>
#include <vector>

namespace {

constexpr double millimetres_per_point = 25.4 / 72;

struct Box {
    double left = std::numeric_limits<double>::max();
    double top = std::numeric_limits<double>::max();
    double right = std::numeric_limits<double>::lowest();
    double bottom = std::numeric_limits<double>::lowest();
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    void Add(double x, double y)
    {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
};

// The box around the points of the stroked (unfilled) paths of the SVG, in
// millimetres from the paper's top-left corner. pdftocairo writes one
// <path> per stroke, its points in points (1/72 inch) of the page, possibly
// with a matrix of its own.
Box StrokedBox(const std::string& svg)
{
    Box box;
    static const std::regex path(R"(<path\b[^>]*>)");
    static const std::regex data(R"re(\bd="([^"]*)")re");
    static const std::regex matrix(R"re(transform="matrix\(([^)]*)\)")re");
    static const std::regex number(R"([-+]?[0-9]*\.?[0-9]+(?:[eE][-+]?[0-9]+)?)");
    for (auto at = std::sregex_iterator(svg.begin(), svg.end(), path); at != std::sregex_iterator(); ++at) {
        const std::string element = at->str();
        if (element.find("fill=\"none\"") == std::string::npos && element.find("fill:none") == std::string::npos)
            continue;
        std::smatch found;
        if (!std::regex_search(element, found, data))
            continue;
        const std::string points = found[1];
        double m[6] = { 1, 0, 0, 1, 0, 0 };
        std::smatch transform;
        if (std::regex_search(element, transform, matrix)) {
            const std::string values = transform[1];
            int i = 0;
            for (auto n = std::sregex_iterator(values.begin(), values.end(), number);
                n != std::sregex_iterator() && i < 6; ++n)
                m[i++] = std::stod(n->str());
        }
        std::vector<double> coordinates;
        for (auto n = std::sregex_iterator(points.begin(), points.end(), number); n != std::sregex_iterator(); ++n)
            coordinates.push_back(std::stod(n->str()));
        for (std::size_t i = 0; i + 1 < coordinates.size(); i += 2) {
            const double x = coordinates[i], y = coordinates[i + 1];
            box.Add((m[0] * x + m[2] * y + m[4]) * millimetres_per_point,
                (m[1] * x + m[3] * y + m[5]) * millimetres_per_point);
        }
    }
    return box;
}

// Where a print goes: QPrinter's own PDF output, or a CUPS queue whose
// PDF printer writes the file into a folder.
struct Route {
    std::string queue;
    std::filesystem::path cups_folder;
    bool ThroughCups() const { return !queue.empty(); }
};

// The CUPS route of the environment (CI starts a PDF queue), or none.
std::optional<Route> CupsRoute()
{
    const char* queue = std::getenv("ZUVIEW_CUPS_PDF_QUEUE");
    const char* folder = std::getenv("ZUVIEW_CUPS_PDF_DIR");
    if (!queue || !folder || !*queue || !*folder)
        return std::nullopt;
    return Route { queue, folder };
}

// The PDF the CUPS PDF printer wrote for the job titled `title`, moved to
// `pdf`; false when none came within 60 seconds.
bool CollectCupsPdf(const Route& route, const std::string& title, const std::filesystem::path& pdf)
{
    for (int tries = 0; tries < 600; ++tries) {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(route.cups_folder, error)) {
            const std::string name = entry.path().filename().string();
            // The printer names the file after the job title; it is complete
            // once the job has left the queue.
            if (name.rfind(title + "_", 0) != 0 || entry.path().extension() != ".pdf")
                continue;
            if (std::system(("lpstat -o '" + route.queue + "' | grep -q .").c_str()) == 0)
                break;
            std::filesystem::rename(entry.path(), pdf, error);
            if (error)
                std::filesystem::copy_file(entry.path(), pdf, std::filesystem::copy_options::overwrite_existing,
                                           error);
            return !error;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// A 100 mm square around the origin, printed with the frame on the origin
// at `scale`, turned by `degrees`, on A4 portrait; the square as the paper
// shows it.
Box PrintSquare(const std::string& name, double scale, double degrees, const Route& route = {})
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
        printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(QString::fromStdString(route.queue)),
                                             QPrinter::HighResolution);
        EXPECT_EQ(printer->printerName().toStdString(), route.queue);
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
        EXPECT_TRUE(CollectCupsPdf(route, title, pdf)) << "no PDF from the queue " << route.queue;
    }

    TempDir temp;
    const std::filesystem::path svg = temp.File(name + ".svg");
    const std::string command = "pdftocairo -svg '" + pdf.string() + "' '" + svg.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return StrokedBox(ReadFileBytes(svg));
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
    const Box upright = PrintSquare("square-reference", 1.0, 0, route);
    for (const ScaleCase& c : scale_cases) {
        SCOPED_TRACE(c.name);
        const Box box = PrintSquare(c.name, c.scale, c.degrees, route);
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
    const std::optional<Route> route = CupsRoute();
    if (!route)
        GTEST_SKIP() << "no CUPS PDF queue named in ZUVIEW_CUPS_PDF_QUEUE";
    ExpectTrueScale(*route);
}
