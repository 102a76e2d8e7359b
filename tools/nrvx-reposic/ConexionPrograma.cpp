#include "ConexionPrograma.h"

#include "Rechazo.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/Error.h"
#include "platform/db/Recordset.h"
#include "platform/db/ServerList.h"
#include "reposic/frame/modComun.h"

#include <QFileInfo>

namespace {

// The embedded file gets a server-list name of its own so the reports log on to the same file.
const QString kServidorLocal = QStringLiteral("NRVXLOCAL");

QString mensajeDanada(const QString& fichero, const QString& detalle)
{
    return QStringLiteral("la base de datos %1 está dañada (%2); restáurela de una copia")
        .arg(fichero, detalle);
}

}  // namespace

void ConexionPrograma::anadirOpciones(QCommandLineParser& p)
{
    p.addOption({QStringLiteral("d"), QStringLiteral("Base de datos embebida (debe existir)."),
                 QStringLiteral("FICHERO")});
    p.addOption({QStringLiteral("S"), QStringLiteral("Cadena de conexión."),
                 QStringLiteral("CONEXION")});
}

ConexionPrograma ConexionPrograma::abrir(const QCommandLineParser& p)
{
    db::ServerList::loadFromEnvironment();
    const bool d = p.isSet(QStringLiteral("d"));
    if (d == p.isSet(QStringLiteral("S")))
        throw Rechazo::malUso(QStringLiteral("indique -d FICHERO o -S CONEXION (uno de los dos)"));
    ConexionPrograma c;
    QString cadena;
    if (d) {
        const QFileInfo fi(p.value(QStringLiteral("d")));
        if (!fi.isFile())
            throw Rechazo::malUso(QStringLiteral("no existe la base de datos %1").arg(fi.filePath()));
        c.fichero_ = fi.absoluteFilePath();
        db::ServerList::set(kServidorLocal, db::ServerEntry{{}, 1433, fi.absolutePath()});
        cadena = QStringLiteral("Provider=SQLite;Data Source=%1;Server=%2")
                     .arg(c.fichero_, kServidorLocal);
        reposic::modComun::setServidor(kServidorLocal);
        reposic::modComun::setBaseDatos(fi.completeBaseName());
    } else {
        cadena = p.value(QStringLiteral("S"));
        const db::ConnectionString cs(cadena);
        reposic::modComun::setServidor(cs.value(QStringLiteral("Server")));
        reposic::modComun::setBaseDatos(cs.value(QStringLiteral("Database")));
        reposic::modComun::setUsuario(cs.value(QStringLiteral("User Id")));
        reposic::modComun::setPassword(cs.value(QStringLiteral("Password")));
    }
    try {
        c.conexion_ = db::Connection::openShared(cadena);
    } catch (const db::Error& e) {
        // A file whose header is overwritten does not even open as a database.
        if (c.embebida() && e.message().contains(QStringLiteral("not a database")))
            throw Rechazo::rechazado(mensajeDanada(c.fichero_, e.message()));
        throw;
    }
    return c;
}

void ConexionPrograma::comprobar() const
{
    if (!embebida())
        return;
    QStringList problemas;
    try {
        db::Recordset rs(conexion_, QStringLiteral("PRAGMA quick_check"));
        for (; !rs.eof(); rs.moveNext())
            problemas << rs.field(0).toText();
    } catch (const db::Error& e) {
        throw Rechazo::rechazado(mensajeDanada(fichero_, e.message()));
    }
    if (problemas != QStringList{QStringLiteral("ok")})
        throw Rechazo::rechazado(mensajeDanada(fichero_, problemas.mid(0, 2).join(QLatin1Char(' ')).simplified()));
}
