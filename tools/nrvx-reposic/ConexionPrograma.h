#pragma once

#include "platform/db/Connection.h"

#include <QCommandLineParser>
#include <QString>

// The company database of a command, as every program names it: -d FILE for an embedded
// database, which must exist (a mistyped name never creates an empty file), or -S CONNECTION
// for a connection string, whose server names resolve through the list in NRVX_DB_SERVERS.
// Sets the reports' log-on to the same database.
class ConexionPrograma {
public:
    static void anadirOpciones(QCommandLineParser& p);
    // Throws Rechazo: neither or both given, the file missing, or the embedded file damaged.
    static ConexionPrograma abrir(const QCommandLineParser& p);

    const db::ConnectionPtr& conexion() const { return conexion_; }
    bool embebida() const { return !fichero_.isEmpty(); }
    QString fichero() const { return fichero_; }
    // PRAGMA quick_check on an embedded database; throws Rechazo (exit 3) naming the file.
    void comprobar() const;

private:
    db::ConnectionPtr conexion_;
    QString fichero_;
};
