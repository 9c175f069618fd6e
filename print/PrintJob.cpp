#include "print/PrintJob.h"

#include "core/BPoint.h"
#include "core/DebugLog.h"
#include "document/GroupLayer.h"
#include "document/SjFormat.h"
#include "document/ZhdData.h"
#include "elements/ZhdElem.h"
#include "platform/Canvas.h"
#include "platform/ShiftJis.h"
#include "platform/Tick.h"

#include <chrono>
#include <vector>

// The page loop. The print frame's centre and scale are the header's printer
// area, its angle the view's print angle. The page is the printer's printable
// area, taken as the paper: the view puts the frame's centre on the page's
// centre at the frame's scale, with the device's millimetres per pixel, so
// one millimetre of the frame is one millimetre of paper at 100 %. A turned
// frame is made upright by turning the copy's elements (and the view's
// centre) about the drawing's origin by the negated angle, once per job: the
// frame's content then stands upright around the frame's centre, and the
// device keeps its own orientation.
//
// The pages are copies of the header, one per printable group or layer that
// holds elements, or the header alone; after the pages the header as it was
// is kept once more to put the screen back. Messages are pumped at the start
// of each page and, inside a page, by the element drawing; an abort ends the
// page in progress (the drawing stops after the element that saw it), and no
// later page starts. A printer that will not take a new page ends the job
// with its own result; the dialog tells the user and still ends the document.

namespace {

using Clock = std::chrono::steady_clock;

void LogLine(const std::string& line)
{
    if (DebugLogEnabled())
        WriteDebugLog(line);
}

// The timing lines: seconds since the last one (or the start), after which
// the lap starts again.
class TJobTimer {
public:
    void LogLap(const char8_t* format)
    {
        LogLine(SjPrintf(format, SecondsSince(lap_)));
        lap_ = Clock::now();
    }
    void LogTotal(const char8_t* format) { LogLine(SjPrintf(format, SecondsSince(start_))); }

private:
    Clock::time_point start_ = Clock::now();
    Clock::time_point lap_ = start_;
};

bool HasElements(const TZhdElemList& list, int group)
{
    return list.GetGroupElemCount(group) != 0 || list.GetGroupTextCount(group) != 0;
}

bool HasElements(const TZhdElemList& list, int group, int layer)
{
    return list.GetLayerElemCount(group, layer) != 0 || list.GetLayerTextCount(group, layer) != 0;
}

// One header per page, then the header as it was.
std::vector<TZhdHead> PageList(const TZhdData& document)
{
    const TInfoREG& info = document.GetInfoRegPtr();
    const TZhdHead& head = document.GetHeadPtr();
    const TZhdElemList& list = document.GetElemListPtr();
    std::vector<TZhdHead> pages;
    if (info.GroupContinuation != 0) {
        for (int g = 0; g < GroupsPerDrawing; ++g) {
            TZhdHead page = head;
            if (page.SelectGroupForPrint(g, info.GreyDisplayOnly) != 0 && HasElements(list, g))
                pages.push_back(std::move(page));
        }
    } else if (info.LayerContinuation != 0) {
        for (int g = 0; g < GroupsPerDrawing; ++g) {
            for (int l = 0; l < LayersPerGroup; ++l) {
                TZhdHead page = head;
                if (page.SelectLayerForPrint(g, l, info.GreyDisplayOnly) != 0 && HasElements(list, g, l))
                    pages.push_back(std::move(page));
            }
        }
    } else {
        pages.push_back(head);
    }
    pages.push_back(head);
    return pages;
}

// The view that maps the print frame onto the page.
void SetUpPageView(TInfoREG& info, const TZhdHead& head, const TPrintDevice& device)
{
    const double paper_width = device.PageWidth() * (25.4 / device.DpiX());
    const double paper_height = device.PageHeight() * (25.4 / device.DpiY());
    const TZhdZoom frame(head.GetPrinterArea());
    info.SetScreenWidthMM(paper_width);
    info.SetScreenHeightMM(paper_height);
    info.SetPixelWidth(device.PageWidth());
    info.SetPixelHeight(device.PageHeight());
    info.SetViewKeepPrevious(frame);
    if (info.PrintAngle != 0) {
        TZhdZoom view = info.GetView();
        TBPoint turned;
        RotatePoint(view, TAngle(-info.PrintAngle), turned);
        view.SetXY(turned.GetX(), turned.GetY());
        info.SetViewKeepPrevious(view);
    }
}

void TurnElements(TZhdData& document, double angle)
{
    TZhdElemList& list = document.GetElemListPtr();
    for (auto at = list.Begin(); at != list.End(); ++at)
        (*at)->Transform(document, 0, 0, TAngle(-angle), 1, 1);
}

void ShowPageOnScreen(const TPrintJobHost& host, const TZhdHead& head)
{
    if (host.displayed == nullptr)
        return;
    host.displayed->SetHead(head);
    host.displayed->RefreshLayerStates();
    if (host.redraw)
        host.redraw();
}

// Draws one page on the device's current page.
void DrawPage(TZhdData& document, TCanvas& canvas)
{
    TInfoREG& info = document.GetInfoRegPtr();
    std::vector<int> text_images;
    if (info.SpecialMemory == 0) {
        document.GetElemListPtr().DrawRasters(canvas, document, text_images);
        // Composited once: the following pages draw the colour images
        // plainly.
        info.ColorTransparent = 0;
    }
    document.GetElemListPtr().Draw(canvas, document);
    if (info.SpecialMemory == 0)
        document.GetElemListPtr().ClearTextImages(0, text_images);
}

TPrintJobResult PrintPages(TZhdData& document, TPrintDevice& device, const TPrintJobHost& host,
    const std::vector<TZhdHead>& pages)
{
    TInfoREG& info = document.GetInfoRegPtr();
    const bool per_page_screen = info.GroupContinuation != 0 || info.LayerContinuation != 0;
    for (std::size_t p = 0; p + 1 < pages.size(); ++p) {
        if (host.process_messages)
            host.process_messages();
        info.ElementsDrawn = 0;
        info.ElementTotal = 0;
        if (p != 0 && !device.NewPage())
            return TPrintJobResult::PrinterFailed;
        document.SetHead(pages[p]);
        document.RefreshLayerStates();
        if (per_page_screen)
            ShowPageOnScreen(host, pages[p]);
        DrawPage(document, device.Canvas());
        ++info.PagesDone;
        if (info.AbortFlag != 0) {
            info.AbortFlag = 0;
            LogLine("Printing Abort!");
            return TPrintJobResult::Aborted;
        }
    }
    return TPrintJobResult::Finished;
}

} // namespace

TPrintJobResult Continuation(TZhdData& document, TPrintDevice& device, const TPrintJobHost& host)
{
    TJobTimer timer;
    const std::string caption = host.caption ? host.caption() : std::string();
    TInfoREG& info = document.GetInfoRegPtr();
    info.AbortFlag = 0;
    info.ElementsDrawn = 0;
    info.ElementTotal = 0;
    info.PagesDone = 0;
    info.PageTotal = 0;
    // A device without a page or a resolution has no paper to map onto.
    if (device.PageWidth() < 1 || device.PageHeight() < 1 || device.DpiX() < 1 || device.DpiY() < 1)
        return TPrintJobResult::PrinterFailed;

    info.OutputJob = 1;
    const int line_width_display = info.LineWidthDisplay;
    info.LineWidthDisplay = 1;
    SetUpPageView(info, document.GetHeadPtr(), device);
    LogLine("<==== PRINTER! ====>");
    const double width = info.GetPixelWidth();
    const double height = info.GetPixelHeight();
    LogLine(StringPrintf("PWidth=%.3f PHeight=%.3f Width=%.0f Height=%.0f Size=%.2f", info.GetScreenWidthMM(),
        info.GetScreenHeightMM(), width, height, width * height * 3 / 1024 / 1024));
    timer.LogLap(u8"#prt0：%.8f秒");
    if (info.PrintAngle != 0) {
        TurnElements(document, info.PrintAngle);
        timer.LogLap(u8"#prtangle ：%.8f秒");
    }

    const std::vector<TZhdHead> pages = PageList(document);
    info.PageTotal = static_cast<int>(pages.size()) - 1;
    if (host.set_caption) {
        std::string printing = host.window_title;
        printing += sj(u8" - 印刷中... - ");
        printing += host.drawing_path;
        host.set_caption(printing);
    }

    const TPrintJobResult result = PrintPages(document, device, host, pages);

    if (host.displayed != nullptr) {
        host.displayed->SetHead(pages.back());
        host.displayed->RefreshLayerStates();
        if ((info.GroupContinuation != 0 || info.LayerContinuation != 0) && host.redraw)
            host.redraw();
    }
    if (host.set_caption)
        host.set_caption(caption);
    timer.LogLap(u8"#prt1：%.8f秒");
    timer.LogTotal(u8"#prt2：%.8f秒");
    LogLine("</==== PRINTER! ====>");
    info.LineWidthDisplay = line_width_display;
    info.OutputJob = 0;
    if (host.restore_focus)
        host.restore_focus();
    return result;
}

std::string CannotPrintMessage(const std::string& printer_name)
{
    return SjPrintf(u8"%s に印刷できません．", printer_name.c_str());
}
