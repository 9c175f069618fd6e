#pragma once

// Printed pages read back for measuring: the CUPS PDF queue the environment
// names (CI starts one), the PDF its printer writes for a job, and the
// stroked lines of a PDF page in millimetres of the paper, through the SVG
// that pdftocairo makes of it.

#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

// A CUPS queue whose PDF printer writes each job as a PDF file into a
// folder, the file named after the job's title.
struct TCupsPdfQueue {
    std::string queue;
    std::filesystem::path folder;
};

// The queue of ZUVIEW_CUPS_PDF_QUEUE and ZUVIEW_CUPS_PDF_DIR, or nothing
// when either is not set.
std::optional<TCupsPdfQueue> CupsPdfQueueOfEnvironment();

// The PDF the queue's printer wrote for a job, moved to `pdf`, once the
// queue is empty again. The printer names the file by the job's title,
// leaving out characters it does not take for file names ("$"), then "_"
// and more: `file_start` is the title as the file begins. False when no
// such file came within `seconds`.
bool CollectCupsPdf(const TCupsPdfQueue& queue, const std::string& file_start, const std::filesystem::path& pdf,
                    int seconds = 60);

// A line of the paper in millimetres from its top-left corner.
struct TPaperSegment {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

// The box around points of the paper, in millimetres from its top-left
// corner (y downwards).
struct TPaperBox {
    double left = std::numeric_limits<double>::max();
    double top = std::numeric_limits<double>::max();
    double right = std::numeric_limits<double>::lowest();
    double bottom = std::numeric_limits<double>::lowest();

    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    void Add(double x, double y);
};

TPaperBox BoxAround(const std::vector<TPaperSegment>& segments);

// The first page of the PDF as SVG (pdftocairo -svg); nothing when
// pdftocairo fails.
std::optional<std::string> PdfPageAsSvg(const std::filesystem::path& pdf);

// The document's title as pdfinfo tells it; nothing when pdfinfo fails or
// tells none.
std::optional<std::string> PdfTitle(const std::filesystem::path& pdf);

// The straight pieces of the stroked (unfilled) paths of the SVG, each
// path's matrix applied. A curve counts as the line between its ends.
std::vector<TPaperSegment> StrokedSegments(const std::string& svg);
