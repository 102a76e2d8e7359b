#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <cstdint>
#include <memory>

namespace host {

// Books units received from a supplier on the lines of one of its orders at one warehouse.
// Each call books at most the units offered, never more than a line still waits for, and
// answers what it booked; every booking also leaves a row in Pedidos_Proveedores_Recepciones
// so a receipt can be traced. The caller owns the transaction; db::Error travels up.
class RecepcionLineaPedido {
public:
    void setEmpresa(std::shared_ptr<Empresa> empresa) { empresa_ = std::move(empresa); }
    void setConexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }
    int16_t Almacen = 0;

    // Books up to `unidades` of `articulo` on the order's pending lines of that article (in line
    // order, when the order repeats the article). An annulled order, an order of another
    // warehouse or nothing offered books nothing.
    db::Money Recibir(int32_t pedido, int32_t articulo, db::Money unidades);

private:
    std::shared_ptr<Empresa> empresa_;
    db::ConnectionPtr conexion_;
};

}  // namespace host
