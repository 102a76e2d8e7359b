#pragma once

#include "host/EmpresaMemoria.h"
#include "platform/db/Connection.h"

#include <QCommandLineParser>

#include <memory>

// The company a command works for (--empresa, 1 by default), checked against the database and
// set as the module's context, with the reports found where this installation keeps them.
class EmpresaPrograma {
public:
    static void anadirOpciones(QCommandLineParser& p);
    // Throws Rechazo (exit 2) for a bad number or a company the database does not have.
    static std::shared_ptr<host::EmpresaMemoria> preparar(const QCommandLineParser& p,
                                                          const db::ConnectionPtr& conexion);
    // Throws Rechazo (exit 2) unless the company has this warehouse.
    static void comprobarAlmacen(const db::ConnectionPtr& conexion, int16_t empresa,
                                 int16_t almacen, const QString& que);
};
