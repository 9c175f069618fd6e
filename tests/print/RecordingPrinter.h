#pragma once

// A printer for the page loop's tests: it keeps the drawing commands of each
// page it was given, and can be told to refuse a new page.
//
// At 254 dpi ten pixels are one millimetre; the printable area is 200 x 100
// mm, so the page's centre is the pixel (1000, 500).

#include "platform/RecordingCanvas.h"
#include "print/PrintDevice.h"

#include <string>
#include <vector>

class TRecordingPrinter final : public TPrintDevice {
public:
    static constexpr int Width = 2000;
    static constexpr int Height = 1000;
    static constexpr int Dpi = 254;

    std::string Name() const override { return "test printer"; }
    int PageWidth() const override { return Width; }
    int PageHeight() const override { return Height; }
    int DpiX() const override { return Dpi; }
    int DpiY() const override { return Dpi; }

    bool BeginDoc(const std::string&) override
    {
        printing_ = true;
        pages_.clear();
        canvas_.Clear();
        started_pages_ = 1;
        return true;
    }
    bool NewPage() override
    {
        if (refuse_new_page)
            return false;
        pages_.push_back(canvas_.Commands());
        canvas_.Clear();
        ++started_pages_;
        return true;
    }
    bool EndDoc() override
    {
        pages_.push_back(canvas_.Commands());
        canvas_.Clear();
        printing_ = false;
        return true;
    }
    bool Printing() const override { return printing_; }
    TCanvas& Canvas() override { return canvas_; }

    // The page being drawn, counted from 1.
    int StartedPages() const { return started_pages_; }
    // After EndDoc: the commands of each page.
    const std::vector<std::vector<TCanvasCommand>>& Pages() const { return pages_; }

    bool refuse_new_page = false;

private:
    TRecordingCanvas canvas_ { Width, Height };
    std::vector<std::vector<TCanvasCommand>> pages_;
    int started_pages_ = 0;
    bool printing_ = false;
};
