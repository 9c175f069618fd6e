#pragma once

// Where a printer prints to, as the progress dialog names it: the device
// URI that CUPS reports for the printer, else the output file name.

#include <QString>

class QPrinter;

QString PrinterPort(const QPrinter& printer);

// The device URI in the answer of "lpstat -v <printer>"
// ("device for NAME: URI"); empty when the answer names none.
QString DeviceUriOf(const QString& lpstat_answer, const QString& printer_name);
