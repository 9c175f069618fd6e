#pragma once

// TPrintDevice: what a print job needs of a printer, whatever it is: a
// QPrinter (QtPrinterDevice.h), or a device that records its pages in tests.
//
// A document is begun, given a new page before each page but the first, and
// ended; each step answers whether the device took it, so that a printer
// that fails is told apart from a job that finished or was aborted. While a
// document is begun, Canvas() draws on the current page in device pixels:
// (0, 0) is the top-left corner of the printable area and the page is
// PageWidth() x PageHeight() pixels at DpiX() x DpiY() dots per inch.

#include <string>

class TCanvas;

class TPrintDevice {
public:
    virtual ~TPrintDevice() = default;

    // The printer's name, for the progress dialog and the failure message.
    virtual std::string Name() const = 0;
    // The printable area in pixels and the resolution.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;

    // Starts a document with the job title; false when the device cannot.
    virtual bool BeginDoc(const std::string& title) = 0;
    // Ends the page drawn so far and starts a new one.
    virtual bool NewPage() = 0;
    // Ends the document: the pages go to the printer.
    virtual bool EndDoc() = 0;
    // Whether a document has been begun and not yet ended.
    virtual bool Printing() const = 0;
    // The current page; drawing outside a document draws nothing.
    virtual TCanvas& Canvas() = 0;
};
