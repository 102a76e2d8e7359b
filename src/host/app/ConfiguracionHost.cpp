#include "host/app/ConfiguracionHost.h"

#include "host/FicheroPrivado.h"
#include "host/app/DocumentosDemo.h"
#include "host/Reloj.h"
#include "host/demo/DemoData.h"
#include "host/demo/Schema.h"
#include "host/demo/VersionEsquema.h"
#include "host/components/ContabilidadPendiente.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/ServerList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <stdexcept>

namespace hostapp {

namespace {

QString conexionSqlite(const QString& ruta)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + db::ConnectionString::quoteOleDb(ruta);
}

[[noreturn]] void fallo(const QString& texto)
{
    throw std::runtime_error(texto.toStdString());
}

}  // namespace

bool ConfiguracionHost::tieneInformes(const QString& carpeta)
{
    if (carpeta.isEmpty())
        return false;
    const QDir d(carpeta);
    return d.exists(QStringLiteral("rpt")) || d.exists(QStringLiteral("Rpt"));
}

QString ConfiguracionHost::buscarRutaAplicacion()
{
    const QString entorno = qEnvironmentVariable("NRVX_APP_DIR");
    QStringList candidatas;
    if (!entorno.isEmpty())
        candidatas << entorno;
    if (QCoreApplication::instance())
        candidatas << QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../.."))
                          .absolutePath();
    candidatas << QDir::currentPath();
    for (const QString& c : std::as_const(candidatas))
        if (tieneInformes(c))
            return QDir(c).absolutePath();
    return entorno.isEmpty() ? QDir::currentPath() : entorno;
}

QString ConfiguracionHost::rutaContable(const QString& rutaBaseDatos)
{
    return QFileInfo(rutaBaseDatos).absoluteDir().filePath(QStringLiteral("Contabilidad.db"));
}

// The host starts whatever the accounting side says: an entry that cannot be booked now stays
// pending for the viewer or the next start.
void ConfiguracionHost::asentarPendientes(const db::ConnectionPtr& conexion, const QString& rutaContable)
{
    try {
        if (host::ContabilidadPendiente::pendientes(*conexion) == 0)
            return;
        auto contable = db::Connection::openShared(conexionSqlite(rutaContable));
        const int n = host::ContabilidadPendiente::asentar(conexion, *contable);
        std::fprintf(stderr, "nrvx-host: %d asientos contables pendientes anotados\n", n);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nrvx-host: asientos contables pendientes sin anotar: %s\n", e.what());
    }
}

void ConfiguracionHost::crearBaseDemo(const QString& ruta)
{
    const QString temporal = ruta + QStringLiteral(".nueva");
    for (const QString& sufijo : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(temporal + sufijo);
    {
        db::ConnectionPtr c = db::Connection::openShared(conexionSqlite(temporal));
        demo::createSchema(*c);
        demo::generateDemo(*c);
        DocumentosDemo::crear(c, host::Reloj::hoy());
        c->close();
    }
    if (!QFile::rename(temporal, ruta))
        fallo(QStringLiteral("No se puede crear la base de datos de demostración: %1").arg(ruta));
}

void ConfiguracionHost::escribirIniDefecto(const QString& rutaIni, const QString& rutaBaseDatos,
                                           const QString& rutaAplicacion,
                                           const QString& nombreEmpresa)
{
    QByteArray texto;
    QTextStream out(&texto);
    out.setEncoding(QStringConverter::Utf8);
    const QFileInfo bd(rutaBaseDatos);
    out << "; Company the host program runs as. Edit to work as another company, user or\n"
           "; warehouse; delete the file to have it written again with these values.\n"
           "; UsuarioActual names the user; it does not prove who is at the keyboard: keep this\n"
           "; file readable by its owner only (chmod 600). Passwords may be given as @env:NAME\n"
           "; or @file:PATH instead of in clear; nrvx-host --clave-supervisor hashes the key.\n"
           "[Empresa]\n"
           "CodigoEmpresa=1\n"
        << "NombreEmpresa=" << nombreEmpresa << "\n"
        << "CodigoEmpresaArticulos=1\n"
           "CodigoEmpresaProveedores=1\n"
           "AlmacenDefecto=1\n"
           "DecimalesPvp=2\n"
        << "RutaAplicacion=" << rutaAplicacion << "\n"
        << "NombreNivel0=Familia\n"
           "NombreNivel1=Subfamilia\n"
           "NombreNivel2=Grupo\n"
           "\n[Parametros]\n"
        << "ODBCNombre=" << kServidor << "\n"
        << "ODBCBaseDatos=" << bd.completeBaseName() << "\n"
        << "ODBCUsuario=\n"
           "ODBCPassword=\n"
           "UsuarioActual=1\n"
           "OficinaCentral=1\n"
        // The demo is the central office itself: its own server answers as the central one.
        << "ServidorCentral=" << kServidor << "\n"
           "ReposicionTipo=0\n"
        << "ConnectionString=" << conexionSqlite(bd.absoluteFilePath()) << "\n"
        << "NoProcesarPermisosControles=0\n"
           "RepArtProv_TipoReposicionAutomatica=1\n"
           "PedProv_ModoActUndsPtes=1\n"
           "PedProv_AnularAutenticar=0\n"
           "ClaveSupervisor=\n"
           "ServidorRegistroSeguridad=\n";
    out.flush();
    try {
        host::FicheroPrivado::escribir(rutaIni, texto);
    } catch (const std::exception&) {
        fallo(QStringLiteral("No se puede escribir la configuración de empresa: %1").arg(rutaIni));
    }
}

QString ConfiguracionHost::rutaBaseDatosDe(const QString& rutaBaseDatos)
{
    QString bd = rutaBaseDatos;
    if (bd.isEmpty())
        bd = qEnvironmentVariable("NRVX_HOST_DB");
    if (bd.isEmpty())
        bd = QDir::current().filePath(QStringLiteral("demo/Calbra.db"));
    return QFileInfo(bd).absoluteFilePath();
}

QString ConfiguracionHost::rutaIniDe(const QString& rutaBaseDatos, const QString& rutaIni)
{
    if (!rutaIni.isEmpty())
        return QFileInfo(rutaIni).absoluteFilePath();
    const QFileInfo infoBd(rutaBaseDatosDe(rutaBaseDatos));
    return infoBd.absoluteDir().filePath(infoBd.completeBaseName() + QStringLiteral(".ini"));
}

ConfiguracionHost ConfiguracionHost::preparar(const QString& rutaBaseDatos, const QString& rutaIni)
{
    ConfiguracionHost h;
    const QFileInfo infoBd(rutaBaseDatosDe(rutaBaseDatos));
    h.rutaBaseDatos_ = infoBd.absoluteFilePath();
    h.rutaIni_ = rutaIniDe(rutaBaseDatos, rutaIni);

    if (!host::FicheroPrivado::crearCarpeta(infoBd.absolutePath()))
        fallo(QStringLiteral("No se puede crear la carpeta %1").arg(infoBd.absolutePath()));
    if (!QFileInfo::exists(h.rutaBaseDatos_)) {
        crearBaseDemo(h.rutaBaseDatos_);
        h.baseCreada_ = true;
    }
    const QString rutaAplicacion = buscarRutaAplicacion();
    h.conexion_ = db::Connection::openShared(conexionSqlite(h.rutaBaseDatos_));
    // A database of an older version of the program is brought up to date before any screen
    // reads it, and transfers a stop left without their accounting entry get it now.
    demo::VersionEsquema::actualizar(*h.conexion_);
    asentarPendientes(h.conexion_, rutaContable(h.rutaBaseDatos_));
    if (!QFileInfo::exists(h.rutaIni_)) {
        const QString nombre = h.conexion_->scalar(
            QStringLiteral("SELECT Nombre FROM Empresas WHERE Codigo = 1")).toText();
        escribirIniDefecto(h.rutaIni_, h.rutaBaseDatos_, rutaAplicacion, nombre);
    }

    h.empresa_ = std::make_shared<host::EmpresaConfig>(h.rutaIni_);
    // A configuration written in another checkout or machine keeps working: its report folder
    // is looked for again when the one it names has no reports.
    if (!tieneInformes(h.empresa_->RutaAplicacion()))
        h.empresa_->setRutaAplicacion(rutaAplicacion);

    db::ServerEntry servidor;
    servidor.folder = infoBd.absolutePath();
    db::ServerList::set(QString::fromLatin1(kServidor), servidor);
    return h;
}

}  // namespace hostapp
