#include "reposic/frame/Informes.h"

#include "platform/report/Printers.h"
#include "platform/ui/PrinterPicker.h"
#include "reposic/frame/modComun.h"

namespace reposic {

namespace {

report::LogOnInfo logOnDelContexto()
{
    return {modComun::servidor(), modComun::baseDatos(), modComun::usuario(), modComun::password()};
}

}  // namespace

std::shared_ptr<report::Report> Informes::abrir(const QString& fichero)
{
    const QString ruta = modComun::empresa()->RutaAplicacion() + QStringLiteral("/Rpt/") + fichero;
    std::shared_ptr<report::Report> informe = report::Report::open(ruta);
    informe->logOnAll(logOnDelContexto());
    return informe;
}

void Informes::subinformeEmpresa(report::Report& informe)
{
    report::Report& empresa = informe.subreport(QStringLiteral("Empresa.rpt"));
    empresa.logOnAll(logOnDelContexto());
    empresa.setParameter(1, static_cast<int>(modComun::empresa()->CodigoEmpresa()));
}

void Informes::dirigirAImpresora(report::Report& informe, const QString& dispositivo)
{
    for (const report::PrinterInfo& p : report::Printers::list()) {
        if (p.deviceName == dispositivo) {
            informe.selectPrinter(p.driverName, p.deviceName, p.port);
            break;
        }
    }
    informe.setPrintOption(1, 1);
}

void Informes::cargarImpresoras(ui::PrinterPicker& picker)
{
    QStringList impresoras;
    for (const report::PrinterInfo& p : report::Printers::list())
        impresoras << p.deviceName;
    const auto defecto = report::Printers::defaultPrinter();
    picker.Cargar(impresoras, defecto ? defecto->deviceName : QString());
}

}  // namespace reposic
