#include "host/app/ConfiguracionHost.h"

#include "host/Instalacion.h"
#include "host/demo/DemoData.h"
#include "host/demo/Schema.h"
#include "platform/db/ServerList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <stdexcept>

namespace hostapp {

namespace {

QString conexionSqlite(const QString& ruta)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + ruta;
}

[[noreturn]] void fallo(const QString& texto)
{
    throw std::runtime_error(texto.toStdString());
}

}  // namespace

bool ConfiguracionHost::tieneInformes(const QString& carpeta)
{
    return host::Instalacion::tieneInformes(carpeta);
}

QString ConfiguracionHost::buscarRutaAplicacion()
{
    return host::Instalacion::carpetaAplicacion();
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
        c->close();
    }
    if (!QFile::rename(temporal, ruta))
        fallo(QStringLiteral("No se puede crear la base de datos de demostración: %1").arg(ruta));
}

void ConfiguracionHost::escribirIniDefecto(const QString& rutaIni, const QString& rutaBaseDatos,
                                           const QString& rutaAplicacion,
                                           const QString& nombreEmpresa)
{
    QSaveFile f(rutaIni);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        fallo(QStringLiteral("No se puede escribir la configuración de empresa: %1").arg(rutaIni));
    QTextStream out(&f);
    out.setEncoding(QStringConverter::Utf8);
    const QFileInfo bd(rutaBaseDatos);
    out << "; Company the host program runs as. Edit to work as another company, user or\n"
           "; warehouse; delete the file to have it written again with these values.\n"
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
    if (!f.commit())
        fallo(QStringLiteral("No se puede escribir la configuración de empresa: %1").arg(rutaIni));
}

ConfiguracionHost ConfiguracionHost::preparar(const QString& rutaBaseDatos, const QString& rutaIni)
{
    ConfiguracionHost h;
    QString bd = rutaBaseDatos;
    if (bd.isEmpty())
        bd = qEnvironmentVariable("NRVX_HOST_DB");
    if (bd.isEmpty())
        bd = QDir::current().filePath(QStringLiteral("demo/Calbra.db"));
    const QFileInfo infoBd(bd);
    h.rutaBaseDatos_ = infoBd.absoluteFilePath();
    h.rutaIni_ = !rutaIni.isEmpty()
        ? QFileInfo(rutaIni).absoluteFilePath()
        : infoBd.absoluteDir().filePath(infoBd.completeBaseName() + QStringLiteral(".ini"));

    if (!QDir().mkpath(infoBd.absolutePath()))
        fallo(QStringLiteral("No se puede crear la carpeta %1").arg(infoBd.absolutePath()));
    if (!QFileInfo::exists(h.rutaBaseDatos_)) {
        crearBaseDemo(h.rutaBaseDatos_);
        h.baseCreada_ = true;
    }
    const QString rutaAplicacion = buscarRutaAplicacion();
    h.conexion_ = db::Connection::openShared(conexionSqlite(h.rutaBaseDatos_));
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

ConfiguracionHost ConfiguracionHost::conectar(const QString& cadena, const QString& rutaIni)
{
    ConfiguracionHost h;
    h.rutaIni_ = QFileInfo(rutaIni).absoluteFilePath();
    if (!QFileInfo(h.rutaIni_).isFile())
        fallo(QStringLiteral("No existe la configuración de empresa: %1").arg(rutaIni));
    h.conexion_ = db::Connection::openShared(cadena);
    h.empresa_ = std::make_shared<host::EmpresaConfig>(h.rutaIni_);
    if (!tieneInformes(h.empresa_->RutaAplicacion()))
        h.empresa_->setRutaAplicacion(buscarRutaAplicacion());
    return h;
}

}  // namespace hostapp
