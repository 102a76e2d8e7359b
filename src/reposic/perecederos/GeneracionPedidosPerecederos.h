#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <cstdint>
#include <memory>

// Turns the waiting perishable orders of one type and one store into a single pre-invoice from
// the type's supplying warehouse, and consumes them, in one transaction: a failure leaves the
// orders where they were and gives the pre-invoice number back to the counter.
class GeneracionPedidosPerecederos {
public:
    GeneracionPedidosPerecederos(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);

    int16_t origen = 0;
    int16_t destino = 0;
    int16_t tipo = 0;

    // The pre-invoice code, 0 when the store had no orders of the type. Throws on failure.
    int64_t generar();

private:
    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};
