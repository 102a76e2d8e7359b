#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QString>

#include <cstdint>
#include <memory>

// The two ways a pre-invoice is dropped without being sent, each in one transaction that a
// failure rolls back whole:
// - anular: every unit goes back to the destination's pending row as leftovers and the origin's
//   reservation is released, then the pre-invoice goes;
// - liquidar: the pre-invoice goes and its reservation is released, leftovers untouched, so the
//   origin's free stock is not shrunk for good by units nobody will send.
class CierrePrefactura {
public:
    CierrePrefactura(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);

    void anular(int16_t origen, int16_t destino, int64_t codigo);
    void liquidar(int16_t origen, int64_t codigo);

private:
    QString consultaLineas(int16_t origen, int64_t codigo) const;
    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};
