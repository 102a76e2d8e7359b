#pragma once

#include "platform/db/Connection.h"

#include <QString>

namespace testsupport {

// Small builders of master data for tests: a warehouse, an article with its stock at a warehouse,
// a pending row. Company 1, article company 1.
class Semilla {
public:
    explicit Semilla(db::ConnectionPtr conn) : conn_(std::move(conn)) {}

    Semilla& almacen(int codigo, const QString& nombre, int porcentajeCajas = 0);
    Semilla& articulo(int codigo, double uxCaja = 0, double uxFraccion = 0, int tipoRep = 1,
                      int familia1 = 0, int marca = 0);
    Semilla& stock(int almacen, int articulo, double stockActual, int bloqueo = 0);
    Semilla& pendiente(int almacen, int articulo, double unidades, double venta, double resto);
    Semilla& reservado(int almacen, int articulo, double unidades);
    Semilla& grupo(int codigo, const QString& nombre, int familia1 = 0, int marca = 0);

private:
    db::ConnectionPtr conn_;
};

}  // namespace testsupport
