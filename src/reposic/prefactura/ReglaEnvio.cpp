#include "reposic/prefactura/ReglaEnvio.h"

#include "host/Utilidades.h"

#include <algorithm>

using db::Money;

namespace {

// n / d rounded to the nearest integer, halves to even; d > 0.
int64_t dividirRedondeandoAPar(int64_t n, int64_t d)
{
    int64_t q = n / d;
    int64_t r = n % d;
    if (r < 0) {
        r += d;
        --q;
    }
    if (2 * r > d || (2 * r == d && (q % 2 != 0)))
        ++q;
    return q;
}

// One box of the order: sent while the free stock still covers a whole box, else short.
void unaCaja(Money libre, Money caja, DecisionEnvio& d)
{
    if (libre - d.enviar >= caja)
        d.enviar += caja;
    else
        d.falta += caja;
}

}  // namespace

int32_t porcentajeDeCaja(Money unidades, int16_t caja)
{
    return static_cast<int32_t>(
        dividirRedondeandoAPar(unidades.scaled() * 100, static_cast<int64_t>(caja) * Money::kScale));
}

Money aplicarCantidad(Money unidades, int porcentaje)
{
    if (porcentaje >= 100)
        return unidades;
    return Money::fromDouble(host::Redondear(unidades.toDouble() * porcentaje / 100.0, 0));
}

DecisionEnvio decidirEnvio(const EntradaEnvio& e)
{
    DecisionEnvio d;
    const Money libre = e.stock - e.reservado;
    const bool modoCajas = e.umbral != 0 && e.caja != 0;
    const Money caja = Money::fromInt(e.caja);
    int32_t pct = modoCajas ? porcentajeDeCaja(e.unidades, e.caja) : 0;

    if (e.stock > Money()) {
        if (modoCajas) {
            if (pct < e.umbral)
                return d;
            for (; pct > 100; pct -= 100)
                unaCaja(libre, caja, d);
            if (pct >= e.umbral)
                unaCaja(libre, caja, d);
            // Not even one box can go: what the origin has goes as loose units.
            if (d.enviar == Money() && libre > Money()) {
                if (libre >= e.unidades) {
                    d.enviar = e.unidades;
                    d.falta = Money();
                } else {
                    d.enviar = libre;
                    d.falta = e.unidades - libre;
                }
            }
        } else if (libre < e.unidades) {
            d.enviar = libre;
            d.falta = e.unidades - libre;
        } else {
            d.enviar = e.unidades;
        }
        // A reservation above the stock leaves a negative free stock: nothing goes, and the
        // shortage counts the over-reservation too.
        if (d.enviar < Money())
            d.enviar = Money();
        return d;
    }
    if (modoCajas) {
        for (; pct > 100; pct -= 100)
            d.falta += caja;
        if (pct >= e.umbral)
            d.falta += caja;
    } else {
        d.falta = e.unidades;
    }
    return d;
}

Money solicitudEnvio(const EntradaEnvio& e)
{
    EntradaEnvio ilimitado = e;
    // Far above any stock a warehouse holds, far below Money's range.
    ilimitado.stock = Money::fromInt(int64_t{1} << 40);
    ilimitado.reservado = Money();
    return decidirEnvio(ilimitado).enviar;
}

DecisionEnvio decidirEnvioConTope(const EntradaEnvio& e, Money tope)
{
    const Money pedido = solicitudEnvio(e);
    const Money libre = std::max(e.stock - e.reservado, Money());
    DecisionEnvio d;
    d.enviar = std::min({pedido, std::max(tope, Money()), libre});
    d.falta = pedido - d.enviar;
    return d;
}
