#include "host/components/IntentosClave.h"

#include "host/Reloj.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"

namespace host {

namespace {

qint64 ahora() { return Reloj::ahora().toSecsSinceEpoch(); }

}  // namespace

IntentosClave::IntentosClave(db::ConnectionPtr conexion, int16_t usuario)
    : conexion_(std::move(conexion)), usuario_(usuario)
{
}

std::optional<QDateTime> IntentosClave::bloqueadoHasta() const
{
    const qint64 hasta = conexion_->scalar(
        QStringLiteral("SELECT BloqueadoHasta FROM Seguridad_IntentosClave WHERE Cod_Usuario = %1")
            .arg(usuario_)).toInt64();
    if (hasta <= ahora())
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(hasta);
}

std::optional<QDateTime> IntentosClave::registrarFallo()
{
    const qint64 t = ahora();
    const QString donde = QStringLiteral(" WHERE Cod_Usuario = %1").arg(usuario_);
    db::Transaction tx(conexion_);
    // Touching the row first takes its lock, so two workstations failing at once count twice.
    if (conexion_->execute(QStringLiteral("UPDATE Seguridad_IntentosClave SET Fallos = Fallos")
                           + donde) == 0) {
        conexion_->execute(QStringLiteral("INSERT INTO Seguridad_IntentosClave (Cod_Usuario,"
                                          " Fallos, PrimerFallo, BloqueadoHasta)"
                                          " VALUES (%1, 0, 0, 0)").arg(usuario_));
    }
    int fallos = 0;
    qint64 primero = 0;
    {
        db::Recordset rs(conexion_, QStringLiteral("SELECT Fallos, PrimerFallo FROM"
                                                   " Seguridad_IntentosClave") + donde);
        fallos = rs.field(QStringLiteral("Fallos")).toInt();
        primero = rs.field(QStringLiteral("PrimerFallo")).toInt64();
    }
    // A count whose first failure is older than the window starts again with this one.
    if (fallos == 0 || t - primero > kVentanaSegundos) {
        fallos = 0;
        primero = t;
    }
    ++fallos;
    std::optional<QDateTime> bloqueo;
    if (fallos >= kFallosMaximos) {
        bloqueo = QDateTime::fromSecsSinceEpoch(t + kBloqueoSegundos);
        conexion_->execute(QStringLiteral("UPDATE Seguridad_IntentosClave SET Fallos = 0,"
                                          " PrimerFallo = 0, BloqueadoHasta = %1").arg(t + kBloqueoSegundos)
                           + donde);
    } else {
        conexion_->execute(QStringLiteral("UPDATE Seguridad_IntentosClave SET Fallos = %1,"
                                          " PrimerFallo = %2").arg(fallos).arg(primero)
                           + donde);
    }
    tx.commit();
    return bloqueo;
}

void IntentosClave::registrarAcierto()
{
    db::Transaction tx(conexion_);
    conexion_->execute(QStringLiteral("UPDATE Seguridad_IntentosClave SET Fallos = 0, PrimerFallo = 0"
                                      " WHERE Cod_Usuario = %1").arg(usuario_));
    tx.commit();
}

}  // namespace host
