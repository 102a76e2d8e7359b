#pragma once

#include "platform/db/Money.h"

#include <cstdint>

namespace host {

// Lot detail of one transfer line. A screen attaches an empty one; the document fills it with
// the article and units when it saves, for the lot trace of the goods that left the origin.
class TraspasoLineaLotes {
public:
    int32_t Cod_Articulo = 0;
    db::Money Unidades;
    bool rellenado = false;
};

}  // namespace host
