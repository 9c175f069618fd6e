#include "tests/smoke/ProgramLog.h"

#include "tests/smoke/SmokeSupport.h"

#include <cstdlib>
#include <fstream>
#include <utility>

namespace smoke {

namespace {

// The number after `key` in `line`, if the line has it.
std::optional<double> NumberAfter(const std::string& line, const std::string& key)
{
    const std::size_t at = line.find(key);
    if (at == std::string::npos)
        return std::nullopt;
    const char* start = line.c_str() + at + key.size();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<TLoggedView> ParseStatusLine(const std::string& line)
{
    const std::size_t label_end = line.find(" | ");
    if (label_end == std::string::npos)
        return std::nullopt;
    const std::optional<double> scale = NumberAfter(line, Utf8(u8"画面倍率："));
    const std::optional<double> x = NumberAfter(line, Utf8(u8"中心座標 x: "));
    const std::optional<double> y = NumberAfter(line, " , y: ");
    const std::optional<double> mm_per_pixel = NumberAfter(line, "mm/pix(");
    if (!scale || !x || !y || !mm_per_pixel)
        return std::nullopt;
    return TLoggedView { line.substr(0, label_end), *scale, *x, *y, *mm_per_pixel };
}

TProgramLog::TProgramLog(std::filesystem::path path)
    : path_(std::move(path))
{
}

std::vector<std::string> TProgramLog::NewLines()
{
    std::ifstream file(path_, std::ios::binary);
    std::vector<std::string> lines;
    if (!file || !file.seekg(static_cast<std::streamoff>(read_)))
        return lines;
    std::string line;
    while (std::getline(file, line) && !file.eof()) {
        read_ += line.size() + 1;
        lines.push_back(line);
    }
    return lines;
}

} // namespace smoke
