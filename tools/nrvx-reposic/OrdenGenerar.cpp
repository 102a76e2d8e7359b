// nrvx-reposic generar: the nightly pre-invoice generation over many stores.
#include "Ordenes.h"

#include "ConexionPrograma.h"
#include "EmpresaPrograma.h"
#include "GeneracionNocturna.h"
#include "HistorialEjecuciones.h"
#include "OpcionesGenerar.h"
#include "OrdenComun.h"
#include "Registro.h"

#include "host/Reloj.h"
#include "host/Utilidades.h"
#include "host/demo/VersionEsquema.h"
#include "reposic/prefactura/BloqueoGeneracion.h"

#include <QElapsedTimer>

#include <optional>

namespace {

const QString kUso = QStringLiteral(
    "Genera las prefacturas de reposición de varios almacenes.\n"
    "nrvx-reposic generar -d FICHERO|-S CONEXION [--empresa N] --origen N\n"
    "  --destino M[,M...]|todos [--cantidad 25|50|75|100] [--impresora NOMBRE | --pdf CARPETA]\n"
    "  [--sin-faltas] [--simular] [--log FICHERO] [--quiet]");

QString lineaTotal(const ResumenTienda& t, int tiendas, double segundos, int codigo)
{
    return QStringLiteral("Fin: %1 almacenes, %2 prefacturas, %3 líneas, %4 unidades enviadas,"
                          " %5 unidades en falta, %6 s, código de salida %7")
        .arg(tiendas)
        .arg(t.prefacturas)
        .arg(t.lineas)
        .arg(host::NumeroTexto(t.enviadas, 2), host::NumeroTexto(t.faltas, 2),
             host::NumeroTexto(segundos, 1))
        .arg(codigo);
}

// The run proper, once every check has passed and the origin's lock is held.
int ejecutarRun(const OpcionesGenerar& o, const std::shared_ptr<host::EmpresaMemoria>& empresa,
                const db::ConnectionPtr& conexion, Registro& registro)
{
    QElapsedTimer reloj;
    reloj.start();
    registro.info(QStringLiteral("Inicio: generar empresa=%1 %2")
                      .arg(empresa->CodigoEmpresa())
                      .arg(o.descripcion));
    for (int16_t d : o.repetidos)
        registro.info(QStringLiteral("Almacén %1 repetido en --destino: se procesa una vez").arg(d));

    std::optional<HistorialEjecuciones> historial;
    // A simulation leaves nothing behind, not even its own history.
    if (!o.run.simular) {
        historial.emplace(conexion, empresa->CodigoEmpresa(), o.run.origen);
        if (historial->ultimaSinTerminar())
            registro.info(QStringLiteral("La ejecución anterior de este origen no terminó;"
                                         " revise sus prefacturas en el historial"));
        historial->empezar(o.descripcion, BloqueoGeneracion::usuarioLocal(),
                           BloqueoGeneracion::equipoLocal());
    } else {
        conexion->beginTrans();
    }
    GeneracionNocturna generacion(empresa, conexion, registro, historial ? &*historial : nullptr);
    ResumenTienda total;
    try {
        total = generacion.ejecutar(o.run);
    } catch (...) {
        if (o.run.simular)
            conexion->rollbackTrans();
        throw;
    }
    if (o.run.simular) {
        conexion->rollbackTrans();
        registro.info(QStringLiteral("Simulación: todo deshecho, nada queda en la base de datos"));
    }
    const int codigo = total.fallos == 0 ? host::kHecho : host::kFallo;
    registro.info(lineaTotal(total, static_cast<int>(o.run.destinos.size()),
                             static_cast<double>(reloj.elapsed()) / 1000.0, codigo));
    if (historial)
        historial->terminar(total, codigo);
    return codigo;
}

int generar(const QStringList& argumentos)
{
    QCommandLineParser p;
    ConexionPrograma::anadirOpciones(p);
    EmpresaPrograma::anadirOpciones(p);
    OpcionesGenerar::anadir(p);
    if (!ordencomun::analizar(p, argumentos, kUso))
        return host::kHecho;
    OpcionesGenerar o = OpcionesGenerar::leer(p);

    const ConexionPrograma bd = ConexionPrograma::abrir(p);
    const db::ConnectionPtr& conexion = bd.conexion();
    auto empresa = EmpresaPrograma::preparar(p, conexion);
    o.resolver(conexion, empresa->CodigoEmpresa(), host::Reloj::hoy());
    // Before the first write: a damaged file would take the night's work down with it.
    bd.comprobar();
    // A company file of an older version gains the tables the run needs (its lock, its history).
    if (bd.embebida())
        demo::VersionEsquema::actualizar(*conexion);

    BloqueoGeneracion bloqueo(conexion, empresa->CodigoEmpresa(), o.run.origen);
    if (const auto titular = bloqueo.tomar(BloqueoGeneracion::usuarioLocal())) {
        throw Rechazo::rechazado(titular->mensaje(o.run.origen)
                                 + QStringLiteral(" Proceso %1.").arg(titular->pid));
    }
    Registro registro(o.log, o.silencioso);
    if (!registro.abierto())
        throw Rechazo::malUso(QStringLiteral("no se puede escribir el registro %1: %2")
                                  .arg(o.log, registro.errorLog()));
    try {
        return ejecutarRun(o, empresa, conexion, registro);
    } catch (const std::exception& e) {
        registro.error(QString::fromUtf8(e.what()));
        registro.info(QStringLiteral("Fin: interrumpido, código de salida %1").arg(host::kFallo));
        return host::kFallo;
    }
}

}  // namespace

int ordenGenerar(const QStringList& argumentos)
{
    return ordencomun::ejecutar([&] { return generar(argumentos); });
}
