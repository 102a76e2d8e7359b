#include "HistorialEjecuciones.h"

#include "host/Utilidades.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"

namespace {

QString sqlFechaHora(const QDateTime& t)
{
    return t.isValid() ? db::sqlText(t.toString(Qt::ISODate)) : QStringLiteral("NULL");
}

QDateTime ahora()
{
    return QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
}

// Dates read back as text on SQLite and as dates through ODBC; both print the same.
QString textoFechaHora(const db::Value& v)
{
    if (v.isNull())
        return QStringLiteral("-");
    QString s = v.isText() ? v.toText() : v.toDateTime().toString(Qt::ISODate);
    s.replace(QLatin1Char('T'), QLatin1Char(' '));
    return s.left(19);
}

}  // namespace

HistorialEjecuciones::HistorialEjecuciones(db::ConnectionPtr conexion, int16_t empresa,
                                           int16_t origen)
    : conexion_(std::move(conexion)), empresa_(empresa), origen_(origen)
{
}

void HistorialEjecuciones::insertar(int16_t destino, const QDateTime& inicio, const QDateTime& fin,
                                    int resultado, const ResumenTienda& r)
{
    conexion_->execute(
        QStringLiteral("INSERT INTO Reposicion_Ejecuciones (Cod_Empresa, Cod_Almacen, Cod_AlmacenD,"
                       " FechaInicio, FechaFin, Opciones, Usuario, Equipo, Resultado, Prefacturas, Lineas,"
                       " Enviadas, Faltas) VALUES (%1, %2, %3, ")
            .arg(empresa_)
            .arg(origen_)
            .arg(destino)
        + sqlFechaHora(inicio) + QStringLiteral(", ") + sqlFechaHora(fin) + QStringLiteral(", ")
        + db::sqlText(opciones_.left(255)) + QStringLiteral(", ") + db::sqlText(usuario_)
        + QStringLiteral(", ") + db::sqlText(equipo_)
        + QStringLiteral(", %1, %2, %3, ").arg(resultado).arg(r.prefacturas).arg(r.lineas)
        + host::NumeroSQL(r.enviadas) + QStringLiteral(", ") + host::NumeroSQL(r.faltas)
        + QStringLiteral(")"));
}

void HistorialEjecuciones::empezar(const QString& opciones, const QString& usuario,
                                   const QString& equipo)
{
    opciones_ = opciones;
    usuario_ = usuario;
    equipo_ = equipo;
    inicio_ = ahora();
    db::Transaction t(conexion_);
    // Resultado -1 until the run closes its row.
    insertar(0, inicio_, {}, -1, {});
    // The run lock of this origin is held: no other run inserts a row of it meanwhile.
    id_ = conexion_
              ->scalar(QStringLiteral("SELECT MAX(Id) FROM Reposicion_Ejecuciones WHERE"
                                      " Cod_Empresa =%1 AND Cod_Almacen =%2 AND Cod_AlmacenD = 0")
                           .arg(empresa_)
                           .arg(origen_))
              .toInt64();
    t.commit();
}

void HistorialEjecuciones::tienda(const ResumenTienda& r, const QDateTime& inicio)
{
    db::Transaction t(conexion_);
    insertar(r.destino, inicio, ahora(), r.fallos == 0 ? 0 : 1, r);
    t.commit();
}

void HistorialEjecuciones::terminar(const ResumenTienda& total, int codigoSalida)
{
    db::Transaction t(conexion_);
    conexion_->execute(QStringLiteral("UPDATE Reposicion_Ejecuciones SET FechaFin =") + sqlFechaHora(ahora())
                       + QStringLiteral(", Resultado =%1, Prefacturas =%2, Lineas =%3, Enviadas =")
                             .arg(codigoSalida)
                             .arg(total.prefacturas)
                             .arg(total.lineas)
                       + host::NumeroSQL(total.enviadas) + QStringLiteral(", Faltas =")
                       + host::NumeroSQL(total.faltas) + QStringLiteral(" WHERE Id =%1").arg(id_));
    t.commit();
}

bool HistorialEjecuciones::ultimaSinTerminar() const
{
    db::Recordset rs(conexion_,
                     QStringLiteral("SELECT TOP 1 FechaFin FROM Reposicion_Ejecuciones WHERE Cod_Empresa =%1"
                                    " AND Cod_Almacen =%2 AND Cod_AlmacenD = 0 ORDER BY Id DESC")
                         .arg(empresa_)
                         .arg(origen_));
    return !rs.eof() && rs.field(QStringLiteral("FechaFin")).isNull();
}

int HistorialEjecuciones::listar(const db::ConnectionPtr& conexion, int16_t empresa,
                                 const QDate& desde, QTextStream& salida)
{
    QString sql = QStringLiteral("SELECT Cod_Almacen, Cod_AlmacenD, FechaInicio, FechaFin, Usuario, Equipo,"
                                 " Resultado, Prefacturas, Lineas, Enviadas, Faltas, Opciones"
                                 " FROM Reposicion_Ejecuciones WHERE Cod_Empresa =%1")
                      .arg(empresa);
    if (desde.isValid())
        sql += QStringLiteral(" AND FechaInicio >= ") + db::sqlDate(*conexion, desde);
    sql += QStringLiteral(" ORDER BY Id");
    salida << "Inicio\tFin\tOrigen\tDestino\tUsuario\tEquipo\tResultado\tPrefacturas\tLíneas"
              "\tEnviadas\tFaltas\tOpciones\n";
    int filas = 0;
    for (db::Recordset rs(conexion, sql); !rs.eof(); rs.moveNext()) {
        const int destino = rs.field(QStringLiteral("Cod_AlmacenD")).toInt();
        const int resultado = rs.field(QStringLiteral("Resultado")).toInt();
        salida << textoFechaHora(rs.field(QStringLiteral("FechaInicio"))) << '\t'
               << textoFechaHora(rs.field(QStringLiteral("FechaFin"))) << '\t'
               << rs.field(QStringLiteral("Cod_Almacen")).toInt() << '\t'
               << (destino == 0 ? QStringLiteral("total") : QString::number(destino)) << '\t'
               << rs.field(QStringLiteral("Usuario")).toText() << '\t'
               << rs.field(QStringLiteral("Equipo")).toText() << '\t'
               << (resultado < 0 ? QStringLiteral("sin terminar") : QString::number(resultado))
               << '\t' << rs.field(QStringLiteral("Prefacturas")).toInt() << '\t'
               << rs.field(QStringLiteral("Lineas")).toInt() << '\t'
               << host::NumeroTexto(rs.field(QStringLiteral("Enviadas")).toMoney(), 2) << '\t'
               << host::NumeroTexto(rs.field(QStringLiteral("Faltas")).toMoney(), 2) << '\t'
               << rs.field(QStringLiteral("Opciones")).toText() << '\n';
        ++filas;
    }
    salida.flush();
    return filas;
}
