#pragma once

// TQtPrinterDevice: a QPrinter as the print job's device. Beginning the
// document is QPainter::begin on the printer, a new page QPrinter::newPage,
// ending it QPainter::end; each answers whether the printer took it.
//
// The page is the printer's printable area in its own pixels (QPrinter's
// paint device metrics with full-page mode off) at its resolution; the
// paper's orientation and margins are the printer's, kept in the painter's
// device transform and out of the drawing's view.

#include "print/PrintDevice.h"

#include <QPainter>

#include <memory>

class QPrinter;
class TPainterCanvas;

class TQtPrinterDevice final : public TPrintDevice {
public:
    // The printer must outlive the device.
    explicit TQtPrinterDevice(QPrinter& printer);
    ~TQtPrinterDevice() override;
    TQtPrinterDevice(const TQtPrinterDevice&) = delete;
    TQtPrinterDevice& operator=(const TQtPrinterDevice&) = delete;

    // The printer's name, or the output file's name for a printer that
    // writes a file.
    std::string Name() const override;
    int PageWidth() const override;
    int PageHeight() const override;
    int DpiX() const override;
    int DpiY() const override;

    bool BeginDoc(const std::string& title) override;
    bool NewPage() override;
    bool EndDoc() override;
    bool Printing() const override;
    TCanvas& Canvas() override;

private:
    QPrinter& printer_;
    QPainter painter_;
    // Made for each document, on the page size it begins with.
    std::unique_ptr<TCanvas> canvas_;
};
