#pragma once

// The program's debug log as the smoke tests read it while the program
// runs: the new lines since the last look, and the view a redraw reports in
// its status line.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace smoke {

// The view the program reports with a redraw, and the redraw's label.
struct TLoggedView {
    std::string label;
    double scale = 0;
    double x = 0;
    double y = 0;
    double mm_per_pixel = 0;
};

// The debug status line of a redraw: "label | " and the status text
// "画面倍率：s , 中心座標 x: x , y: y 解像度：...mm/pix(m)", then more.
std::optional<TLoggedView> ParseStatusLine(const std::string& line);

// The program's debug log, read as it grows: each call gives the whole
// lines written since the last.
class TProgramLog {
public:
    explicit TProgramLog(std::filesystem::path path);

    std::vector<std::string> NewLines();

private:
    std::filesystem::path path_;
    std::size_t read_ = 0;
};

} // namespace smoke
