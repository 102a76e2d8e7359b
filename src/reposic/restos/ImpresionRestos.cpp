#include "reposic/restos/ImpresionRestos.h"

#include "platform/report/Printers.h"
#include "reposic/frame/Informes.h"
#include "reposic/frame/modComun.h"
#include "reposic/frame/modMsgOp.h"

#include <QString>

void ImpresionRestos::ImprimirResto(int16_t almacen, int64_t codigo)
{
    reposic::MsgOp(true, QStringLiteral("Realizando operación, espere por favor..."));
    auto informe = reposic::Informes::abrir(QStringLiteral("Almacen Restos.rpt"));
    // The number alone repeats across companies and, in theory, across warehouses: the
    // document is named by all three so no other document's lines are printed with it.
    informe->setSelectionFormula(
        QStringLiteral("{Reposicion_Restos.Codigo} = %1 and {Reposicion_Restos.Cod_Empresa} = %2"
                       " and {Reposicion_Restos.Cod_Almacen} = %3")
            .arg(codigo)
            .arg(reposic::modComun::empresa()->CodigoEmpresa())
            .arg(almacen));
    informe->setParameter(1, QString());
    reposic::Informes::subinformeEmpresa(*informe);
    if (const auto defecto = report::Printers::defaultPrinter())
        informe->selectPrinter(defecto->driverName, defecto->deviceName, defecto->port);
    informe->setPrintOption(1, 1);
    informe->setDocumentName(QStringLiteral("Restos %1").arg(codigo));
    informe->printOut(1);
    reposic::MsgOp(false);
}
