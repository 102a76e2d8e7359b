#include "reposic/prefactura/BloqueoGeneracion.h"

#include "platform/db/Error.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"
#include "reposic/prefactura/LatidoBloqueo.h"

#include <QCoreApplication>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <exception>

#include <pwd.h>
#include <unistd.h>

namespace {

constexpr qint64 kLatidoCaducadoSegundos = 5 * 60;

QString num(qint64 v) { return QString::number(v); }

// Times are written as ISO text, which both engines read back into their date types.
QString sqlFechaHora(const QDateTime& t)
{
    return db::sqlText(t.toString(Qt::ISODate));
}

QDateTime leerFechaHora(const db::Value& v)
{
    if (v.isNull())
        return {};
    if (!v.isText())
        return v.toDateTime();
    QString s = v.toText().trimmed();
    s.replace(QLatin1Char(' '), QLatin1Char('T'));
    const int punto = s.indexOf(QLatin1Char('.'));
    if (punto > 0)
        s.truncate(punto);
    return QDateTime::fromString(s, Qt::ISODate);
}

bool procesoVivo(qint64 pid)
{
    if (pid <= 0)
        return false;
    // EPERM: the process exists but belongs to someone else.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

}  // namespace

QString TitularBloqueo::mensaje(int16_t origen) const
{
    return QStringLiteral("La generación del almacén %1 está en curso en %2 desde %3 (usuario %4).")
        .arg(origen)
        .arg(equipo, inicio.toString(QStringLiteral("HH:mm")), usuario);
}

BloqueoGeneracion::BloqueoGeneracion(db::ConnectionPtr conexion, int16_t empresa, int16_t origen)
    : conexion_(std::move(conexion)), empresa_(empresa), origen_(origen)
{
}

BloqueoGeneracion::~BloqueoGeneracion()
{
    // A destructor must not throw: a release that fails leaves a row whose holder is gone,
    // which the next run takes over.
    try {
        liberar();
    } catch (const std::exception&) {
    }
}

QString BloqueoGeneracion::equipoLocal()
{
    return QSysInfo::machineHostName();
}

QString BloqueoGeneracion::usuarioLocal()
{
    QString u = qEnvironmentVariable("USER");
    if (u.isEmpty())
        u = qEnvironmentVariable("LOGNAME");
    // cron and systemd may set neither.
    if (u.isEmpty()) {
        if (const passwd* pw = ::getpwuid(::geteuid()))
            u = QString::fromLocal8Bit(pw->pw_name);
    }
    return u;
}

QString BloqueoGeneracion::clave() const
{
    return QStringLiteral(" WHERE Cod_Empresa =%1 AND Cod_Almacen =%2").arg(empresa_).arg(origen_);
}

QString BloqueoGeneracion::delTitular() const
{
    return clave() + QStringLiteral(" AND Equipo =") + db::sqlText(equipoLocal())
        + QStringLiteral(" AND Pid =") + num(QCoreApplication::applicationPid());
}

std::optional<TitularBloqueo> BloqueoGeneracion::leer(const db::ConnectionPtr& conexion,
                                                      int16_t empresa, int16_t origen)
{
    db::Recordset rs(conexion, QStringLiteral("SELECT Usuario, Equipo, Pid, FechaInicio, FechaLatido"
                                              " FROM Reposicion_Bloqueo WHERE Cod_Empresa =%1"
                                              " AND Cod_Almacen =%2")
                                   .arg(empresa)
                                   .arg(origen));
    if (rs.eof())
        return std::nullopt;
    TitularBloqueo t;
    t.usuario = rs.field(QStringLiteral("Usuario")).toText();
    t.equipo = rs.field(QStringLiteral("Equipo")).toText();
    t.pid = rs.field(QStringLiteral("Pid")).toInt64();
    t.inicio = leerFechaHora(rs.field(QStringLiteral("FechaInicio")));
    t.latido = leerFechaHora(rs.field(QStringLiteral("FechaLatido")));
    return t;
}

bool BloqueoGeneracion::muerto(const TitularBloqueo& t, const QDateTime& ahora)
{
    if (t.equipo.compare(equipoLocal(), Qt::CaseInsensitive) == 0)
        return !procesoVivo(t.pid);
    return !t.latido.isValid() || t.latido.secsTo(ahora) > kLatidoCaducadoSegundos;
}

std::optional<TitularBloqueo> BloqueoGeneracion::titular(const db::ConnectionPtr& conexion,
                                                         int16_t empresa, int16_t origen)
{
    std::optional<TitularBloqueo> t = leer(conexion, empresa, origen);
    if (t && muerto(*t, QDateTime::currentDateTime()))
        return std::nullopt;
    return t;
}

bool BloqueoGeneracion::intentar(const QString& usuario, std::optional<TitularBloqueo>& vivo)
{
    inicio_ = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
    const QString ahora = sqlFechaHora(inicio_);
    const QString pid = num(QCoreApplication::applicationPid());
    db::Transaction t(conexion_);
    const std::optional<TitularBloqueo> actual = leer(conexion_, empresa_, origen_);
    if (!actual) {
        conexion_->execute(QStringLiteral("INSERT INTO Reposicion_Bloqueo (Cod_Empresa, Cod_Almacen,"
                                          " Usuario, Equipo, Pid, FechaInicio, FechaLatido) VALUES (%1, %2, ")
                               .arg(empresa_)
                               .arg(origen_)
                           + db::sqlText(usuario) + QStringLiteral(", ") + db::sqlText(equipoLocal())
                           + QStringLiteral(", ") + pid + QStringLiteral(", ") + ahora
                           + QStringLiteral(", ") + ahora + QStringLiteral(")"));
        t.commit();
        return true;
    }
    // A row of this very process is one a failed release left behind: it is ours to take.
    const bool propio = actual->equipo.compare(equipoLocal(), Qt::CaseInsensitive) == 0
        && actual->pid == QCoreApplication::applicationPid();
    if (!propio && !muerto(*actual, inicio_)) {
        vivo = actual;
        return true;
    }
    // Taken over only if the row is still the dead holder's: two runs that find the same dead
    // holder cannot both take it.
    const long long n = conexion_->execute(
        QStringLiteral("UPDATE Reposicion_Bloqueo SET Usuario =") + db::sqlText(usuario)
        + QStringLiteral(", Equipo =") + db::sqlText(equipoLocal()) + QStringLiteral(", Pid =") + pid
        + QStringLiteral(", FechaInicio =") + ahora + QStringLiteral(", FechaLatido =") + ahora + clave()
        + QStringLiteral(" AND Equipo =") + db::sqlText(actual->equipo)
        + QStringLiteral(" AND Pid =") + num(actual->pid));
    t.commit();
    return n == 1;
}

std::optional<TitularBloqueo> BloqueoGeneracion::tomar(const QString& usuario)
{
    if (tomado_)
        return std::nullopt;
    // A run that lost a race (the same row inserted or taken over meanwhile) reads again.
    for (int intento = 0; intento < 3; ++intento) {
        std::optional<TitularBloqueo> vivo;
        try {
            if (!intentar(usuario, vivo))
                continue;
        } catch (const db::Error& e) {
            if (e.category() != db::Error::Category::Constraint)
                throw;
            continue;
        }
        if (vivo)
            return vivo;
        tomado_ = true;
        const QString cadena = conexion_->connectionString();
        if (!cadena.isEmpty())
            latido_ = std::make_unique<LatidoBloqueo>(
                cadena, QStringLiteral("UPDATE Reposicion_Bloqueo SET FechaLatido = {latido}")
                            + delTitular());
        return std::nullopt;
    }
    // Still changing hands after three reads: someone else is active on it.
    std::optional<TitularBloqueo> actual = leer(conexion_, empresa_, origen_);
    if (actual)
        return actual;
    throw db::Error(db::Error::Category::Busy,
                    QStringLiteral("No se puede tomar el bloqueo de generación del almacén %1")
                        .arg(origen_));
}

void BloqueoGeneracion::liberar()
{
    if (!tomado_)
        return;
    latido_.reset();
    tomado_ = false;
    db::Transaction t(conexion_);
    conexion_->execute(QStringLiteral("DELETE FROM Reposicion_Bloqueo") + delTitular());
    t.commit();
}
