#include "OpcionesGenerar.h"

#include "EmpresaPrograma.h"
#include "Numeros.h"
#include "Rechazo.h"

#include "platform/db/Recordset.h"
#include "platform/report/Printers.h"

#include <QDir>

namespace {

QString opcion(const char* nombre)
{
    return QString::fromLatin1(nombre);
}

}  // namespace

void OpcionesGenerar::anadir(QCommandLineParser& p)
{
    p.addOption({opcion("origen"), QStringLiteral("Almacén origen."), QStringLiteral("N")});
    p.addOption({opcion("destino"), QStringLiteral("Almacenes destino: M[,M...] o todos."),
                 QStringLiteral("LISTA")});
    p.addOption({opcion("cantidad"), QStringLiteral("Porcentaje de lo pendiente: 25, 50, 75 o 100."),
                 QStringLiteral("P"), QStringLiteral("100")});
    p.addOption({opcion("impresora"), QStringLiteral("Impresora (nombre de la cola)."),
                 QStringLiteral("NOMBRE")});
    p.addOption({opcion("pdf"), QStringLiteral("Carpeta de PDF; cada día en CARPETA/AAAA-MM-DD/."),
                 QStringLiteral("CARPETA")});
    p.addOption({opcion("sin-faltas"), QStringLiteral("Sin informe de faltas.")});
    p.addOption({opcion("reparto"),
                 QStringLiteral("Stock escaso del origen: por orden de tienda (orden) o en proporción"
                                " a lo que pide cada una (proporcional)."),
                 QStringLiteral("MODO"), QStringLiteral("orden")});
    p.addOption({opcion("simular"),
                 QStringLiteral("Lo hace todo y lo deshace al final; PDF solo en --pdf.")});
    p.addOption({opcion("log"), QStringLiteral("Añade las líneas del registro a FICHERO."),
                 QStringLiteral("FICHERO")});
    p.addOption({opcion("quiet"), QStringLiteral("Solo muestra los errores.")});
}

OpcionesGenerar OpcionesGenerar::leer(const QCommandLineParser& p)
{
    OpcionesGenerar o;
    if (!p.isSet(opcion("origen")) || !p.isSet(opcion("destino")))
        throw Rechazo::malUso(QStringLiteral("faltan --origen o --destino"));
    if (p.isSet(opcion("impresora")) && p.isSet(opcion("pdf")))
        throw Rechazo::malUso(QStringLiteral("--impresora y --pdf no van juntos"));
    o.run.simular = p.isSet(opcion("simular"));
    if (o.run.simular && p.isSet(opcion("impresora")))
        throw Rechazo::malUso(QStringLiteral("una simulación no imprime: use --pdf CARPETA"));
    o.run.origen = codigoPositivo(p.value(opcion("origen")), QStringLiteral("--origen"));

    bool ok = false;
    const int cantidad = p.value(opcion("cantidad")).toInt(&ok);
    if (!ok || (cantidad != 25 && cantidad != 50 && cantidad != 75 && cantidad != 100))
        throw Rechazo::malUso(QStringLiteral("--cantidad admite 25, 50, 75 o 100, no «%1»")
                                  .arg(p.value(opcion("cantidad"))));
    o.run.porcentaje = cantidad;

    const QString destinos = p.value(opcion("destino")).trimmed();
    o.todos = destinos.compare(QStringLiteral("todos"), Qt::CaseInsensitive) == 0;
    if (!o.todos) {
        for (const QString& d : destinos.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const int16_t codigo = codigoPositivo(d, QStringLiteral("--destino"));
            // The same store twice would count its pending units and shortages twice.
            if (o.run.destinos.contains(codigo)) {
                if (!o.repetidos.contains(codigo))
                    o.repetidos << codigo;
                continue;
            }
            o.run.destinos << codigo;
        }
        if (o.run.destinos.isEmpty())
            throw Rechazo::malUso(QStringLiteral("--destino está vacío"));
    }
    o.run.impresora = p.value(opcion("impresora"));
    o.carpetaPdf_ = p.value(opcion("pdf"));
    o.run.imprimir = p.isSet(opcion("impresora")) || p.isSet(opcion("pdf"));
    o.run.faltas = !p.isSet(opcion("sin-faltas"));
    const QString reparto = p.value(opcion("reparto"));
    if (reparto != QLatin1String("orden") && reparto != QLatin1String("proporcional"))
        throw Rechazo::malUso(QStringLiteral("--reparto admite orden o proporcional, no «%1»").arg(reparto));
    o.run.proporcional = reparto == QLatin1String("proporcional");
    o.log = p.value(opcion("log"));
    o.silencioso = p.isSet(opcion("quiet"));

    QStringList d;
    d << QStringLiteral("origen=%1").arg(o.run.origen)
      << QStringLiteral("destino=%1").arg(destinos)
      << QStringLiteral("cantidad=%1").arg(o.run.porcentaje);
    if (p.isSet(opcion("impresora")))
        d << QStringLiteral("impresora=%1").arg(o.run.impresora);
    if (p.isSet(opcion("pdf")))
        d << QStringLiteral("pdf=%1").arg(o.carpetaPdf_);
    if (!o.run.faltas)
        d << QStringLiteral("sin-faltas");
    if (o.run.simular)
        d << QStringLiteral("simular");
    if (o.run.proporcional)
        d << QStringLiteral("reparto=proporcional");
    o.descripcion = d.join(QLatin1Char(' '));
    return o;
}

void OpcionesGenerar::resolver(const db::ConnectionPtr& conexion, int16_t empresa, const QDate& hoy)
{
    EmpresaPrograma::comprobarAlmacen(conexion, empresa, run.origen, QStringLiteral("--origen"));
    if (todos) {
        db::Recordset rs(conexion, QStringLiteral("SELECT Codigo FROM Almacenes WHERE Cod_Empresa =%1"
                                                  " AND Codigo <> %2 ORDER BY Codigo")
                                       .arg(empresa)
                                       .arg(run.origen));
        for (; !rs.eof(); rs.moveNext())
            run.destinos << static_cast<int16_t>(rs.field(QStringLiteral("Codigo")).toInt());
    } else {
        for (int16_t d : std::as_const(run.destinos)) {
            if (d == run.origen)
                throw Rechazo::malUso(QStringLiteral("--destino: el almacén %1 es el origen").arg(d));
            EmpresaPrograma::comprobarAlmacen(conexion, empresa, d, QStringLiteral("--destino"));
        }
    }
    // An unknown queue name would otherwise send every page to the default printer.
    if (!run.impresora.isEmpty() && !report::Printers::find(run.impresora))
        throw Rechazo::malUso(QStringLiteral("--impresora: no existe la impresora «%1»").arg(run.impresora));
    if (!carpetaPdf_.isEmpty())
        run.carpetaPdf = QDir(carpetaPdf_).filePath(hoy.toString(Qt::ISODate));
}
