#pragma once

#include "platform/db/Connection.h"

#include <QString>

// A savepoint inside the transaction a simulated run keeps open: a pass that fails is undone
// to where it began, as its own transaction would be in a real run, and the run goes on.
class PuntoGuardado {
public:
    PuntoGuardado(db::ConnectionPtr conexion, const QString& nombre);
    ~PuntoGuardado();  // rolls back to the savepoint unless released
    PuntoGuardado(const PuntoGuardado&) = delete;
    PuntoGuardado& operator=(const PuntoGuardado&) = delete;

    void liberar();

private:
    db::ConnectionPtr conexion_;
    QString nombre_;
    bool hecho_ = false;
};
