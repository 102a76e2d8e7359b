#pragma once

#include "platform/db/Money.h"

#include <QHash>
#include <QMap>

#include <cstdint>

// Shares the origin's scarce free stock among the stores of one nightly run in proportion to
// what each asks for, so the stores served last are not always the ones left short. Articles
// whose free stock covers every request get no cap: they go as they always have.
class RepartoProporcional {
public:
    // Article -> most units one store may receive of it in this run.
    using Topes = QHash<int32_t, db::Money>;

    // Adds what a store would receive of an article with unlimited free stock. caja: units per
    // box for a store that ships whole boxes, 0 or 1 for a store that ships loose units.
    void solicitar(int16_t tienda, int32_t articulo, db::Money unidades, int16_t caja);
    // The origin's free stock of an article (stock minus reservations); an article never given
    // one counts as having none.
    void stockLibre(int32_t articulo, db::Money libre);

    // The caps of every store, for the scarce articles only. Each store gets whole boxes up to
    // its proportional share; the units left go loose, the largest remainder first and, on equal
    // remainders, the lower store code first. No store gets more than it asked for and no
    // article more than its free stock.
    QHash<int16_t, Topes> repartir() const;

private:
    struct Pedido {
        db::Money unidades;
        int16_t caja = 1;
    };

    QHash<int32_t, QMap<int16_t, Pedido>> pedidos_;  // by article, then store code
    QHash<int32_t, db::Money> libre_;
};
