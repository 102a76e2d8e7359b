#pragma once

#include "platform/report/Report.h"

#include <QString>

#include <memory>

namespace ui {
class PrinterPicker;
}

namespace reposic {

// The steps every screen takes before a report goes out: open the file under the company's
// report folder, log its tables on with the host context's login, give the company heading
// subreport its company code, and direct it to the chosen workstation printer.
class Informes {
public:
    Informes() = delete;

    // RutaAplicacion + "\Rpt\" + fichero, with every table logged on and located.
    static std::shared_ptr<report::Report> abrir(const QString& fichero);
    // Opens "Empresa.rpt" of the report, logs it on and sets its parameter 1.
    static void subinformeEmpresa(report::Report& informe);
    // The first workstation printer with that device name; otherwise the report keeps its own.
    static void dirigirAImpresora(report::Report& informe, const QString& dispositivo);
    // Fills a printer picker with the workstation's printers, the default one selected.
    static void cargarImpresoras(ui::PrinterPicker& picker);
};

}  // namespace reposic
