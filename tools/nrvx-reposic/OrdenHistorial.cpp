// nrvx-reposic historial: the runs of the nightly generation, one line per run and store.
#include "Ordenes.h"

#include "ConexionPrograma.h"
#include "EmpresaPrograma.h"
#include "HistorialEjecuciones.h"
#include "OrdenComun.h"

#include <QTextStream>

namespace {

const QString kUso = QStringLiteral(
    "Muestra las ejecuciones de la generación nocturna.\n"
    "nrvx-reposic historial -d FICHERO|-S CONEXION [--empresa N] [--desde AAAA-MM-DD]");

int historial(const QStringList& argumentos)
{
    QCommandLineParser p;
    ConexionPrograma::anadirOpciones(p);
    EmpresaPrograma::anadirOpciones(p);
    p.addOption({QStringLiteral("desde"), QStringLiteral("Solo las ejecuciones desde esa fecha."),
                 QStringLiteral("AAAA-MM-DD")});
    if (!ordencomun::analizar(p, argumentos, kUso))
        return host::kHecho;
    QDate desde;
    if (p.isSet(QStringLiteral("desde"))) {
        desde = QDate::fromString(p.value(QStringLiteral("desde")), Qt::ISODate);
        if (!desde.isValid())
            throw Rechazo::malUso(QStringLiteral("--desde espera una fecha AAAA-MM-DD, no «%1»")
                                      .arg(p.value(QStringLiteral("desde"))));
    }
    const ConexionPrograma bd = ConexionPrograma::abrir(p);
    auto empresa = EmpresaPrograma::preparar(p, bd.conexion());
    QTextStream salida(stdout);
    HistorialEjecuciones::listar(bd.conexion(), empresa->CodigoEmpresa(), desde, salida);
    return host::kHecho;
}

}  // namespace

int ordenHistorial(const QStringList& argumentos)
{
    return ordencomun::ejecutar([&] { return historial(argumentos); });
}
