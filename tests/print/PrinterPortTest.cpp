// Where a printer prints to: the device URI CUPS reports, else the file.

#include "print/PrinterPort.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <gtest/gtest.h>

#include <cstdlib>

TEST(PrinterPort, TheDeviceUriComesFromTheLineOfThePrinter)
{
    const QString answer = QStringLiteral("device for Other: ipp://host/a\ndevice for Office: socket://10.0.0.5:9100\n");
    EXPECT_EQ(DeviceUriOf(answer, QStringLiteral("Office")), QStringLiteral("socket://10.0.0.5:9100"));
    EXPECT_EQ(DeviceUriOf(answer, QStringLiteral("Off")), QString());
    EXPECT_EQ(DeviceUriOf(QStringLiteral("lpstat: Invalid destination name"), QStringLiteral("Office")), QString());
}

TEST(PrinterPort, APdfFileIsItsOwnPort)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/tmp/zuview-port.pdf"));
    EXPECT_EQ(PrinterPort(printer), QStringLiteral("/tmp/zuview-port.pdf"));
}

// With the CUPS PDF queue that CI starts.
TEST(PrinterPort, ACupsPrinterNamesItsDevice)
{
    const char* queue = std::getenv("ZUVIEW_CUPS_PDF_QUEUE");
    if (!queue || !*queue)
        GTEST_SKIP() << "no CUPS PDF queue named in ZUVIEW_CUPS_PDF_QUEUE";
    QPrinter printer(QPrinterInfo::printerInfo(QString::fromLocal8Bit(queue)), QPrinter::HighResolution);
    EXPECT_EQ(PrinterPort(printer), QStringLiteral("cups-pdf:/"));
}
