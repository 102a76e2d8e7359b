#include "PuntoGuardado.h"

#include <exception>

PuntoGuardado::PuntoGuardado(db::ConnectionPtr conexion, const QString& nombre)
    : conexion_(std::move(conexion)), nombre_(nombre)
{
    conexion_->execute(conexion_->dialect() == db::Dialect::SqlServer
                           ? QStringLiteral("SAVE TRANSACTION ") + nombre_
                           : QStringLiteral("SAVEPOINT ") + nombre_);
}

PuntoGuardado::~PuntoGuardado()
{
    if (hecho_)
        return;
    // Never throws from a destructor: the enclosing simulated transaction is rolled back whole
    // at the end anyway.
    try {
        conexion_->execute(conexion_->dialect() == db::Dialect::SqlServer
                               ? QStringLiteral("ROLLBACK TRANSACTION ") + nombre_
                               : QStringLiteral("ROLLBACK TO ") + nombre_);
    } catch (const std::exception&) {
    }
}

void PuntoGuardado::liberar()
{
    hecho_ = true;
    // SQL Server keeps a savepoint until the transaction ends; SQLite releases it.
    if (conexion_->dialect() != db::Dialect::SqlServer)
        conexion_->execute(QStringLiteral("RELEASE ") + nombre_);
}
