#include "reposic/prefactura/RepartoProporcional.h"

#include <QVector>

#include <algorithm>

using db::Money;

namespace {

// Quantities are Money's scaled integers; a share needs request x free stock, which overflows
// 64 bits for large figures, so the arithmetic runs in 128 bits.
using Entero = __int128;

struct Parte {
    int16_t tienda = 0;
    int64_t pedido = 0;    // scaled units asked
    int64_t asignado = 0;  // scaled units given so far
    Entero resto = 0;      // (exact share - given) x total asked, to rank the remainders
};

}  // namespace

void RepartoProporcional::solicitar(int16_t tienda, int32_t articulo, Money unidades, int16_t caja)
{
    if (unidades <= Money())
        return;
    Pedido& p = pedidos_[articulo][tienda];
    p.unidades += unidades;
    p.caja = std::max<int16_t>(caja, 1);
}

void RepartoProporcional::stockLibre(int32_t articulo, Money libre) { libre_[articulo] = libre; }

QHash<int16_t, RepartoProporcional::Topes> RepartoProporcional::repartir() const
{
    QHash<int16_t, Topes> topes;
    for (auto art = pedidos_.cbegin(); art != pedidos_.cend(); ++art) {
        int64_t total = 0;
        for (const Pedido& p : art.value())
            total += p.unidades.scaled();
        const int64_t libre = std::max<int64_t>(libre_.value(art.key()).scaled(), 0);
        if (libre >= total)
            continue;

        // Share of store i: pedido_i x libre / total. Whole boxes first, then whole units.
        QVector<Parte> partes;
        int64_t sobrante = libre;
        for (auto t = art.value().cbegin(); t != art.value().cend(); ++t) {
            Parte parte;
            parte.tienda = t.key();
            parte.pedido = t.value().unidades.scaled();
            const Entero cuota = static_cast<Entero>(parte.pedido) * libre;  // share x total
            const Entero caja = static_cast<Entero>(t.value().caja) * Money::kScale;
            const Entero cajas = cuota / (caja * total);
            Entero resto = cuota - cajas * caja * total;
            parte.asignado = static_cast<int64_t>(cajas * caja);
            parte.resto = resto;
            partes << parte;
            sobrante -= parte.asignado;
        }
        // What is left after whole boxes goes loose: first the whole units of each remainder, then
        // one unit at a time to the largest fraction left. The fractions add up to less than one
        // unit per store, so one round places everything; the loop only guards fractional requests.
        for (Parte& p : partes) {
            const Entero unidad = static_cast<Entero>(Money::kScale) * total;
            const int64_t sueltas = static_cast<int64_t>(p.resto / unidad) * Money::kScale;
            p.asignado += sueltas;
            p.resto -= static_cast<Entero>(sueltas) * total;
            sobrante -= sueltas;
        }
        std::stable_sort(partes.begin(), partes.end(), [](const Parte& a, const Parte& b) {
            return a.resto != b.resto ? a.resto > b.resto : a.tienda < b.tienda;
        });
        for (bool avanza = true; sobrante > 0 && avanza;) {
            avanza = false;
            for (Parte& p : partes) {
                const int64_t dar = std::min({Money::kScale, sobrante, p.pedido - p.asignado});
                if (dar <= 0)
                    continue;
                p.asignado += dar;
                sobrante -= dar;
                avanza = true;
                if (sobrante == 0)
                    break;
            }
        }
        for (const Parte& p : partes)
            topes[p.tienda][art.key()] = Money::fromScaled(p.asignado);
    }
    return topes;
}
