#include "platform/report/Printers.h"

#include <QPrinterInfo>

namespace report {

namespace {

PrinterInfo toInfo(const QPrinterInfo& info)
{
    PrinterInfo p;
    p.deviceName = info.printerName();
    p.driverName = info.makeAndModel();
    p.port = info.location().isEmpty() ? QStringLiteral("CUPS") : info.location();
    return p;
}

}  // namespace

std::vector<PrinterInfo> Printers::list()
{
    std::vector<PrinterInfo> out;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        out.push_back(toInfo(info));
    return out;
}

std::optional<PrinterInfo> Printers::find(const QString& deviceName)
{
    if (deviceName.isEmpty())
        return std::nullopt;
    const QPrinterInfo info = QPrinterInfo::printerInfo(deviceName);
    if (info.isNull())
        return std::nullopt;
    return toInfo(info);
}

std::optional<PrinterInfo> Printers::defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return std::nullopt;
    return toInfo(info);
}

}  // namespace report
