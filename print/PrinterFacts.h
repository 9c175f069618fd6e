#pragma once

// What the printer itself tells about its page: the facts the printer
// report (PrinterReport.h) shows as they are. Everything else the report
// lists is a fixed value of a plain raster printer.

#include <optional>
#include <string>

class QPrinter;

struct TPrinterFacts {
    // Shift-JIS; for a printer that writes a file, the file's name.
    std::string name;
    int dpi_x = 0;
    int dpi_y = 0;
    // The printable area in device pixels.
    int page_width = 0;
    int page_height = 0;
    // The whole paper in device pixels, and where the printable area starts
    // on it.
    int paper_width = 0;
    int paper_height = 0;
    int offset_x = 0;
    int offset_y = 0;
    bool colour = false;
};

// The facts of the printer, or none when there is no printer: no printer is
// installed and the printer writes no file either.
std::optional<TPrinterFacts> PrinterFactsOf(const QPrinter& printer);
