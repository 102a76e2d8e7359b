// nrvx-reposic reimprimir: prints a pre-invoice again, with the shortage report of its store,
// when the night's paper was lost or the printer was down.
#include "Ordenes.h"

#include "ConexionPrograma.h"
#include "EmpresaPrograma.h"
#include "OrdenComun.h"

#include "platform/db/Recordset.h"
#include "platform/report/Printers.h"
#include "reposic/prefactura/ImpresionPrefactura.h"

namespace {

const QString kUso = QStringLiteral(
    "Vuelve a imprimir una prefactura y su informe de faltas.\n"
    "nrvx-reposic reimprimir -d FICHERO|-S CONEXION [--empresa N] --prefactura N\n"
    "  [--impresora NOMBRE | --pdf CARPETA] [--sin-faltas]");

int reimprimir(const QStringList& argumentos)
{
    QCommandLineParser p;
    ConexionPrograma::anadirOpciones(p);
    EmpresaPrograma::anadirOpciones(p);
    p.addOption({QStringLiteral("prefactura"), QStringLiteral("Código de la prefactura."),
                 QStringLiteral("N")});
    p.addOption({QStringLiteral("impresora"), QStringLiteral("Impresora (nombre de la cola)."),
                 QStringLiteral("NOMBRE")});
    p.addOption({QStringLiteral("pdf"), QStringLiteral("Carpeta donde dejar los PDF."),
                 QStringLiteral("CARPETA")});
    p.addOption({QStringLiteral("sin-faltas"), QStringLiteral("Sin informe de faltas.")});
    if (!ordencomun::analizar(p, argumentos, kUso))
        return host::kHecho;
    bool ok = false;
    const qlonglong codigo = p.value(QStringLiteral("prefactura")).toLongLong(&ok);
    if (!ok || codigo <= 0)
        throw Rechazo::malUso(QStringLiteral("--prefactura espera el código de una prefactura"));
    if (p.isSet(QStringLiteral("impresora")) && p.isSet(QStringLiteral("pdf")))
        throw Rechazo::malUso(QStringLiteral("--impresora y --pdf no van juntos"));
    const QString impresora = p.value(QStringLiteral("impresora"));

    const ConexionPrograma bd = ConexionPrograma::abrir(p);
    auto empresa = EmpresaPrograma::preparar(p, bd.conexion());
    if (!impresora.isEmpty() && !report::Printers::find(impresora))
        throw Rechazo::malUso(QStringLiteral("--impresora: no existe la impresora «%1»").arg(impresora));
    db::Recordset rs(bd.conexion(),
                     QStringLiteral("SELECT Cod_Almacen, Cod_AlmacenD FROM Reposicion_Pref"
                                    " WHERE Cod_Empresa =%1 AND Codigo =%2")
                         .arg(empresa->CodigoEmpresa())
                         .arg(codigo));
    if (rs.eof())
        throw Rechazo::malUso(QStringLiteral("no existe la prefactura %1 en la empresa %2")
                                  .arg(codigo)
                                  .arg(empresa->CodigoEmpresa()));
    const auto origen = static_cast<int16_t>(rs.field(QStringLiteral("Cod_Almacen")).toInt());
    const auto destino = static_cast<int16_t>(rs.field(QStringLiteral("Cod_AlmacenD")).toInt());

    ImpresionPrefactura impresion;
    impresion.impresora = impresora;
    impresion.carpetaPdf = p.value(QStringLiteral("pdf"));
    impresion.controlStock = !p.isSet(QStringLiteral("sin-faltas"));
    impresion.imprimir(origen, codigo, destino,
                       QStringLiteral("Almacén: %1  Proveedor: TODOS  ").arg(destino));
    return host::kHecho;
}

}  // namespace

int ordenReimprimir(const QStringList& argumentos)
{
    return ordencomun::ejecutar([&] { return reimprimir(argumentos); });
}
