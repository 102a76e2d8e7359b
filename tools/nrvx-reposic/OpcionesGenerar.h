#pragma once

#include "GeneracionNocturna.h"

#include "platform/db/Connection.h"

#include <QCommandLineParser>
#include <QDate>
#include <QString>
#include <QStringList>

// The options of "generar", read in two steps: what the command line alone can tell (numbers,
// combinations), before any database is opened; then what the database must confirm (the
// origin and every destination exist, the printer exists), before anything is written.
class OpcionesGenerar {
public:
    static void anadir(QCommandLineParser& p);
    // Throws Rechazo (exit 2).
    static OpcionesGenerar leer(const QCommandLineParser& p);
    // Throws Rechazo (exit 2). Expands "todos" and dates the PDF folder.
    void resolver(const db::ConnectionPtr& conexion, int16_t empresa, const QDate& hoy);

    GeneracionNocturna::Opciones run;
    bool todos = false;
    QList<int16_t> repetidos;  // destinations named more than once, processed once
    QString log;
    bool silencioso = false;
    // The options as the start line of the log and the history show them.
    QString descripcion;

private:
    QString carpetaPdf_;
};
