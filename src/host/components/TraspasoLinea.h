#pragma once

#include "host/components/TraspasoLineaLotes.h"
#include "host/components/TraspasoLineaSeries.h"
#include "platform/db/Money.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace host {

// One line of a stock transfer document: an article, its boxes and units and the unit cost at
// which it leaves the origin, with its lot and serial-number details.
class TraspasoLinea {
public:
    int32_t Linea = 0;
    int32_t Cod_Articulo = 0;
    QString Descripcion;  // empty: the document takes the article's own when it saves
    db::Money UxCaja;
    int16_t Cajas = 0;
    db::Money Unidades;
    db::Money Pvp;
    db::Money Costo;

    std::shared_ptr<TraspasoLineaLotes> Lotes;
    std::shared_ptr<TraspasoLineaSeries> SeriesOrigen;
    std::shared_ptr<TraspasoLineaSeries> SeriesDestino;
};

}  // namespace host
