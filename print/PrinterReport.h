#pragma once

// The printer and data information report: the text lines the information
// window shows for the print toolbar's "プリンタ情報" button.
//
// The lines are the program title, the displayed drawing's print
// information at the printer's resolution, the printer's name, then one line
// per device capability in the order and wording printers have always been
// described with (the capability indices and flag bits of the published GDI
// constants). Of these capabilities the printer tells its resolution, page,
// paper, offsets and colour (PrinterFacts.h); the others are the fixed
// values of a plain raster printer (PrinterReport.cpp, one table). Without a
// printer the report says so after the drawing's information.
//
// All texts are Shift-JIS.

#include "core/TextUtil.h"
#include "print/PrinterFacts.h"

#include <map>
#include <optional>
#include <string>

class TZhdHead;

// Capability values by GDI index.
using TDeviceCapabilities = std::map<int, int>;

// The capabilities of the printer: its facts, and the plain raster
// printer's fixed values for the rest.
TDeviceCapabilities DeviceCapabilities(const TPrinterFacts& printer);

// The report line of capability `index` with the values (PHYSICALWIDTH and
// PHYSICALHEIGHT also read LOGPIXELSX and LOGPIXELSY); an index the report
// does not list gives an empty line.
std::string CapabilityLine(int index, const TDeviceCapabilities& values);

// The whole report.
StringList BuildPrinterInfo(const std::string& program_title, const TZhdHead& head,
    const std::optional<TPrinterFacts>& printer);
