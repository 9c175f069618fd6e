// A QPrinter as the job's device: its page and resolution, and a printer
// that cannot start its document answering so at every step.

#include "print/QtPrinterDevice.h"

#include "platform/Canvas.h"

#include <QPrinter>
#include <gtest/gtest.h>

#include <filesystem>

TEST(QtPrinterDevice, APrinterThatCannotStartRefusesEveryStep)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent-folder/out.pdf");
    TQtPrinterDevice device(printer);
    EXPECT_EQ(device.Name(), "/nonexistent-folder/out.pdf");
    EXPECT_FALSE(device.BeginDoc("plan"));
    EXPECT_FALSE(device.Printing());
    EXPECT_FALSE(device.NewPage());
    EXPECT_FALSE(device.EndDoc());
    EXPECT_EQ(device.Canvas().GetPixel(0, 0), NoColor) << "drawing outside a document is harmless";
}

TEST(QtPrinterDevice, ThePageIsThePrintableAreaAtThePrintersResolution)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString((std::filesystem::temp_directory_path() / "device.pdf").string()));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    TQtPrinterDevice device(printer);
    EXPECT_EQ(device.DpiX(), 1200);
    EXPECT_EQ(device.DpiY(), 1200);
    ASSERT_TRUE(device.BeginDoc("plan"));
    EXPECT_TRUE(device.Printing());
    // A4 less 10 mm each side, 190 x 277 mm, at 1200 dpi (Qt keeps the
    // paper in whole points).
    EXPECT_NEAR(device.PageWidth() * 25.4 / 1200, 190.0, 0.5);
    EXPECT_NEAR(device.PageHeight() * 25.4 / 1200, 277.0, 0.5);
    EXPECT_EQ(device.Canvas().Width(), device.PageWidth());
    EXPECT_TRUE(device.NewPage());
    EXPECT_TRUE(device.EndDoc());
    EXPECT_FALSE(device.Printing());
}
