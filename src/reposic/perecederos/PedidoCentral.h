#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <cstdint>
#include <functional>

// A store's perishable order of one type as the central office keeps it in Pedidos_Central:
// one row per article, written statement by statement on the central connection.
class PedidoCentral {
public:
    PedidoCentral(db::ConnectionPtr central, int16_t empresa, int16_t almacen, int16_t tipo);

    // Adds units to the article's row, creating it (closed when the order already is) if the
    // order does not have the article yet. Two workstations may add the same article at once:
    // when the insert finds the row another one has just created, the units go to that row.
    void anadir(int32_t articulo, db::Money cantidad, bool cerrado);
    void eliminar(int32_t articulo);
    void cerrar();

    // Runs between the update that found no row and the insert: the window in which another
    // workstation can create the row (tests open it on purpose).
    std::function<void()> antesDeInsertar;

private:
    QString clave() const;

    db::ConnectionPtr central_;
    int16_t empresa_;
    int16_t almacen_;
    int16_t tipo_;
};
