#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace report {

struct PrinterInfo {
    QString deviceName;  // the queue name users pick
    QString driverName;  // make and model of the queue's driver
    QString port;        // where the queue prints to, as the print system states it
    bool operator==(const PrinterInfo&) const = default;
};

// The workstation's printers as the print system (CUPS, through Qt) lists them.
class Printers {
public:
    Printers() = delete;

    static std::vector<PrinterInfo> list();
    static std::optional<PrinterInfo> find(const QString& deviceName);
    // Empty when the workstation has no default printer.
    static std::optional<PrinterInfo> defaultPrinter();
};

}  // namespace report
