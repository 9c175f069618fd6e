#include "tests/support/PrintedPdf.h"

#include "tests/support/TempDir.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <regex>
#include <thread>
#include <utility>

namespace {

constexpr double millimetres_per_point = 25.4 / 72;

// What the command writes on its standard output; nothing when it fails.
std::optional<std::string> CommandOutput(const std::string& command)
{
    const TempDir temp;
    const std::filesystem::path output = temp.File("output");
    if (std::system((command + " > '" + output.string() + "'").c_str()) != 0)
        return std::nullopt;
    return ReadFileBytes(output);
}

bool QueueIsEmpty(const std::string& queue)
{
    return std::system(("lpstat -o '" + queue + "' | grep -q .").c_str()) != 0;
}

// The PDF of the folder whose name begins with `file_start` and "_".
std::optional<std::filesystem::path> FindJobFile(const std::filesystem::path& folder, const std::string& file_start)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(file_start + "_") && entry.path().extension() == ".pdf")
            return entry.path();
    }
    return std::nullopt;
}

bool MoveFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (!error)
        return true;
    // Across file systems: copied, then the queue's file goes.
    error.clear();
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        return false;
    std::filesystem::remove(from, error);
    return true;
}

using TMatrix = std::array<double, 6>;

TMatrix PathMatrix(const std::string& element, const std::regex& number)
{
    static const std::regex matrix(R"re(transform="matrix\(([^)]*)\)")re");
    TMatrix m { 1, 0, 0, 1, 0, 0 };
    std::smatch transform;
    if (!std::regex_search(element, transform, matrix))
        return m;
    const std::string values = transform[1];
    std::size_t i = 0;
    for (auto n = std::sregex_iterator(values.begin(), values.end(), number);
         n != std::sregex_iterator() && i < m.size(); ++n)
        m[i++] = std::stod(n->str());
    return m;
}

bool IsUnfilled(const std::string& element)
{
    return element.find("fill=\"none\"") != std::string::npos || element.find("fill:none") != std::string::npos;
}

// The pieces of one path's data ("M x y L x y C ... Z", absolute, as
// pdftocairo writes it), in millimetres.
void AddPathSegments(const std::string& data, const TMatrix& m, std::vector<TPaperSegment>& segments)
{
    static const std::regex token(R"([MLCZmlcz]|[-+]?[0-9]*\.?[0-9]+(?:[eE][-+]?[0-9]+)?)");
    const auto on_paper = [&](double x, double y) {
        return std::pair { (m[0] * x + m[2] * y + m[4]) * millimetres_per_point,
                           (m[1] * x + m[3] * y + m[5]) * millimetres_per_point };
    };
    char command = 'M';
    std::vector<double> numbers;
    std::pair<double, double> current {}, start {};
    const auto take_numbers = [&] {
        const std::size_t per_point = command == 'C' ? 6 : 2;
        if (numbers.size() < per_point)
            return;
        const auto end = on_paper(numbers[per_point - 2], numbers[per_point - 1]);
        if (command == 'M')
            start = end;
        else
            segments.push_back({ current.first, current.second, end.first, end.second });
        current = end;
        numbers.clear();
        // Points after an M's first are lines.
        if (command == 'M')
            command = 'L';
    };
    for (auto at = std::sregex_iterator(data.begin(), data.end(), token); at != std::sregex_iterator(); ++at) {
        const std::string text = at->str();
        if (std::isalpha(static_cast<unsigned char>(text[0]))) {
            command = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
            numbers.clear();
            if (command == 'Z') {
                segments.push_back({ current.first, current.second, start.first, start.second });
                current = start;
            }
            continue;
        }
        numbers.push_back(std::stod(text));
        take_numbers();
    }
}

} // namespace

std::optional<TCupsPdfQueue> CupsPdfQueueOfEnvironment()
{
    const char* queue = std::getenv("ZUVIEW_CUPS_PDF_QUEUE");
    const char* folder = std::getenv("ZUVIEW_CUPS_PDF_DIR");
    if (!queue || !folder || !*queue || !*folder)
        return std::nullopt;
    return TCupsPdfQueue { queue, folder };
}

bool CollectCupsPdf(const TCupsPdfQueue& queue, const std::string& file_start, const std::filesystem::path& pdf,
                    int seconds)
{
    constexpr auto step = std::chrono::milliseconds(100);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (; std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(step)) {
        const std::optional<std::filesystem::path> file = FindJobFile(queue.folder, file_start);
        // The file is complete once the job has left the queue.
        if (file && QueueIsEmpty(queue.queue))
            return MoveFile(*file, pdf);
    }
    return false;
}

void TPaperBox::Add(double x, double y)
{
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
}

TPaperBox BoxAround(const std::vector<TPaperSegment>& segments)
{
    TPaperBox box;
    for (const TPaperSegment& segment : segments) {
        box.Add(segment.x1, segment.y1);
        box.Add(segment.x2, segment.y2);
    }
    return box;
}

std::optional<std::string> PdfPageAsSvg(const std::filesystem::path& pdf)
{
    return CommandOutput("pdftocairo -svg -f 1 -l 1 '" + pdf.string() + "' -");
}

std::optional<std::string> PdfTitle(const std::filesystem::path& pdf)
{
    const std::optional<std::string> info = CommandOutput("pdfinfo '" + pdf.string() + "'");
    static const std::regex title(R"(^Title: +(.*)$)", std::regex::multiline);
    std::smatch found;
    if (!info || !std::regex_search(*info, found, title))
        return std::nullopt;
    return found[1].str();
}

std::vector<TPaperSegment> StrokedSegments(const std::string& svg)
{
    static const std::regex path(R"(<path\b[^>]*>)");
    static const std::regex data(R"re(\bd="([^"]*)")re");
    static const std::regex number(R"([-+]?[0-9]*\.?[0-9]+(?:[eE][-+]?[0-9]+)?)");
    std::vector<TPaperSegment> segments;
    for (auto at = std::sregex_iterator(svg.begin(), svg.end(), path); at != std::sregex_iterator(); ++at) {
        const std::string element = at->str();
        std::smatch found;
        if (!IsUnfilled(element) || !std::regex_search(element, found, data))
            continue;
        AddPathSegments(found[1], PathMatrix(element, number), segments);
    }
    return segments;
}
