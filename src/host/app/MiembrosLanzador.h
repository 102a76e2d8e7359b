#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <memory>

namespace reposic {
class frmclsBase;
}

namespace hostapp {

// What the host hands a launcher beyond the company and the connection: the accounting side to
// the pre-invoice viewer, the warehouse to the order matching, the replenishment type to the
// viewer configuration. The accounting database of the demo sits next to the company's.
class MiembrosLanzador {
public:
    MiembrosLanzador(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);
    void pasar(reposic::frmclsBase& lanzador);

private:
    db::ConnectionPtr conexionContable();

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
    db::ConnectionPtr contable_;
};

}  // namespace hostapp
