#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QDate>

#include <cstdint>
#include <memory>

// One change to a line of a pre-invoice typed on the editing screen: the line, the origin's
// reserved stock and, when asked, the destination's leftovers move together in one transaction,
// so a failure never leaves stock reserved for units that no line carries.
class LineaPrefactura {
public:
    LineaPrefactura(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);

    int16_t origen = 0;
    int16_t destino = 0;
    // 0 while the pre-invoice does not exist yet: the first line creates its header.
    int64_t codigo = 0;

    // Sets the article's line from `anterior` to `nueva` units (`anterior` 0: the line is new).
    // With `aRestos` the units taken off go to the destination's leftovers (and units added are
    // taken from them), and the generated units follow the change. Answers the pre-invoice code.
    int64_t grabar(int32_t articulo, db::Money anterior, db::Money nueva, bool aRestos);

    // Removes the article's line of `unidades`, releasing their reservation and, with `aRestos`,
    // giving them back to the destination as leftovers.
    void eliminar(int32_t articulo, db::Money unidades, bool aRestos);

private:
    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};
