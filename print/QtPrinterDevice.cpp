#include "print/QtPrinterDevice.h"

#include "platform/ShiftJis.h"
#include "print/PainterCanvas.h"

#include <QPrinter>

TQtPrinterDevice::TQtPrinterDevice(QPrinter& printer)
    : printer_(printer)
    , canvas_(std::make_unique<TNullCanvas>())
{
}

TQtPrinterDevice::~TQtPrinterDevice()
{
    if (painter_.isActive())
        painter_.end();
}

std::string TQtPrinterDevice::Name() const
{
    const QString name = printer_.outputFormat() == QPrinter::PdfFormat || printer_.printerName().isEmpty()
        ? printer_.outputFileName()
        : printer_.printerName();
    return Utf8ToSjis(name.toStdString());
}

int TQtPrinterDevice::PageWidth() const
{
    return printer_.width();
}

int TQtPrinterDevice::PageHeight() const
{
    return printer_.height();
}

int TQtPrinterDevice::DpiX() const
{
    return printer_.logicalDpiX();
}

int TQtPrinterDevice::DpiY() const
{
    return printer_.logicalDpiY();
}

bool TQtPrinterDevice::BeginDoc(const std::string& title)
{
    if (painter_.isActive())
        return false;
    printer_.setFullPage(false);
    printer_.setDocName(QString::fromStdString(SjisToUtf8(title)));
    if (!painter_.begin(&printer_))
        return false;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    canvas_ = std::make_unique<TPainterCanvas>(painter_, PageWidth(), PageHeight());
    return true;
}

bool TQtPrinterDevice::NewPage()
{
    return painter_.isActive() && printer_.newPage();
}

bool TQtPrinterDevice::EndDoc()
{
    if (!painter_.isActive())
        return false;
    canvas_ = std::make_unique<TNullCanvas>();
    return painter_.end();
}

bool TQtPrinterDevice::Printing() const
{
    return painter_.isActive();
}

TCanvas& TQtPrinterDevice::Canvas()
{
    return *canvas_;
}
