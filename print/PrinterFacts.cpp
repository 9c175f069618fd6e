#include "print/PrinterFacts.h"

#include "platform/ShiftJis.h"

#include <QPageLayout>
#include <QPrinter>

std::optional<TPrinterFacts> PrinterFactsOf(const QPrinter& printer)
{
    const bool writes_file = printer.outputFormat() == QPrinter::PdfFormat;
    const QString name = writes_file ? printer.outputFileName() : printer.printerName();
    if (name.isEmpty() || !printer.isValid())
        return std::nullopt;
    TPrinterFacts facts;
    facts.name = Utf8ToSjis(name.toStdString());
    facts.dpi_x = printer.logicalDpiX();
    facts.dpi_y = printer.logicalDpiY();
    const int resolution = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect paint = layout.paintRectPixels(resolution);
    const QRect paper = layout.fullRectPixels(resolution);
    facts.page_width = paint.width();
    facts.page_height = paint.height();
    facts.paper_width = paper.width();
    facts.paper_height = paper.height();
    facts.offset_x = paint.left() - paper.left();
    facts.offset_y = paint.top() - paper.top();
    facts.colour = printer.colorMode() == QPrinter::Color;
    return facts;
}
