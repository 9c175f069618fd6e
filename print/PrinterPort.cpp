#include "print/PrinterPort.h"

#include <QPrinter>
#include <QProcess>

namespace {

// CUPS's own command: Qt does not tell a printer's device URI. A scheduler
// that does not answer within two seconds names none.
QString AskCupsForDevice(const QString& printer_name)
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), { QStringLiteral("-v"), printer_name });
    if (!lpstat.waitForFinished(2000)) {
        lpstat.kill();
        lpstat.waitForFinished(1000);
        return {};
    }
    return DeviceUriOf(QString::fromLocal8Bit(lpstat.readAllStandardOutput()), printer_name);
}

} // namespace

QString DeviceUriOf(const QString& lpstat_answer, const QString& printer_name)
{
    const QString lead = QStringLiteral("device for ") + printer_name + QStringLiteral(": ");
    for (const QString& line : lpstat_answer.split(QLatin1Char('\n'))) {
        if (line.startsWith(lead))
            return line.mid(lead.size()).trimmed();
    }
    return {};
}

QString PrinterPort(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty()) {
        const QString uri = AskCupsForDevice(printer.printerName());
        if (!uri.isEmpty())
            return uri;
    }
    return printer.outputFileName();
}
