#pragma once

// Continuation: the print job. It prints the working copy of the displayed
// document onto a printer device, one page, or a page per group or per
// layer, as the print frame shows it.
//
// The job progress dialog calls it after it has copied the displayed
// document into the working copy, set the printer document's title and begun
// the document; ending the document is the dialog's, also after an abort, so
// the pages drawn so far are printed. The job turns the copy's elements and
// changes its view and header freely; of the displayed document it changes
// only the header, to show the page being printed, and puts it back.
//
// The main window is reached through TPrintJobHost, callbacks the window
// gives, so that the job needs no window of its own.

#include "print/PrintDevice.h"

#include <functional>
#include <string>

class TZhdData;

// How a job ended. A printer that failed is neither finished nor aborted:
// the caller tells the user with CannotPrintMessage.
enum class TPrintJobResult { Finished, Aborted, PrinterFailed };

struct TPrintJobHost {
    // The document on the screen: for per-group and per-layer pages its
    // header shows the page being printed, and the header it had comes back
    // at the end. Null: the screen is left alone.
    TZhdData* displayed = nullptr;
    // Redraws the displayed document after its header changed.
    std::function<void()> redraw;
    // The main window's caption (Shift-JIS), read at the start and put back
    // at the end; while the job runs it is the window title + " - 印刷中... - "
    // + the drawing's path.
    std::function<std::string()> caption;
    std::function<void(const std::string&)> set_caption;
    std::string window_title;
    std::string drawing_path;
    // Processes the application's pending messages: the progress dialog
    // shows the counters and takes a click on its abort button there.
    std::function<void()> process_messages;
    // Gives the focus back to the main window when the job is done.
    std::function<void()> restore_focus;
};

// Prints `document` (the working copy) on the begun document of `device`.
// Afterwards the copy's elements are turned by the negated print angle, its
// header is the last page's, its output-job flag 0 and its line-width
// display flag as before; its abort flag is 0.
TPrintJobResult Continuation(TZhdData& document, TPrintDevice& device, const TPrintJobHost& host);

// "%s に印刷できません．" with the printer's name (Shift-JIS).
std::string CannotPrintMessage(const std::string& printer_name);
