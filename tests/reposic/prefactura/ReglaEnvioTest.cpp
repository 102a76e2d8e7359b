#include "reposic/prefactura/ReglaEnvio.h"

#include <gtest/gtest.h>

using db::Money;

namespace {

DecisionEnvio decidir(double unidades, int caja, int umbral, double stock, double reservado = 0)
{
    EntradaEnvio e;
    e.unidades = Money::fromDouble(unidades);
    e.caja = static_cast<int16_t>(caja);
    e.umbral = static_cast<int16_t>(umbral);
    e.stock = Money::fromDouble(stock);
    e.reservado = Money::fromDouble(reservado);
    return decidirEnvio(e);
}

struct Caso {
    const char* nombre;
    double unidades;
    int caja, umbral;
    double stock, reservado;
    double enviar, falta;
};

}  // namespace

TEST(ReglaEnvio, boxesLooseUnitsAndShortagesFollowTheStoreThreshold)
{
    const Caso casos[] = {
        // 30 units, box 12: 250 % -> two boxes in the loop and a third from the 50 % remainder.
        {"threshold 50, free 40", 30, 12, 50, 40, 0, 36, 0},
        {"threshold 50, free 20", 30, 12, 50, 20, 0, 12, 24},
        {"threshold 60 drops the third box", 30, 12, 60, 40, 0, 24, 0},
        {"below the threshold share: nothing", 5, 12, 50, 40, 0, 0, 0},
        {"no whole box free: loose units", 10, 12, 50, 8, 0, 8, 2},
        {"no whole box free, enough loose", 8, 12, 50, 9, 0, 8, 0},
        {"no box: loose up to free", 10, 0, 50, 6, 0, 6, 4},
        {"loose mode, threshold 0", 30, 12, 0, 40, 0, 30, 0},
        {"reserved above stock: nothing goes", 10, 0, 0, 5, 8, 0, 13},
        {"reserved above stock in box mode", 30, 12, 50, 5, 8, 0, 36},
        {"no origin stock, loose", 7, 0, 0, 0, 0, 0, 7},
        {"no origin stock, boxes", 30, 12, 50, -3, 0, 0, 36},
        {"no origin stock, below threshold", 5, 12, 50, 0, 0, 0, 0},
    };
    for (const Caso& c : casos) {
        const DecisionEnvio d = decidir(c.unidades, c.caja, c.umbral, c.stock, c.reservado);
        EXPECT_EQ(d.enviar, Money::fromDouble(c.enviar)) << c.nombre;
        EXPECT_EQ(d.falta, Money::fromDouble(c.falta)) << c.nombre;
    }
}

TEST(ReglaEnvio, shareIsRoundedToWholeUnitsAndPercentRoundsHalvesToEven)
{
    EXPECT_EQ(aplicarCantidad(Money::fromInt(1), 25), Money());
    EXPECT_EQ(aplicarCantidad(Money::fromInt(10), 25), Money::fromInt(3));  // 2.5 -> 3
    EXPECT_EQ(aplicarCantidad(Money::fromInt(10), 75), Money::fromInt(8));  // 7.5 -> 8
    EXPECT_EQ(aplicarCantidad(Money::fromDouble(2.5), 100), Money::fromDouble(2.5));
    EXPECT_EQ(porcentajeDeCaja(Money::fromInt(1), 8), 12);   // 12.5 -> 12
    EXPECT_EQ(porcentajeDeCaja(Money::fromInt(3), 8), 38);   // 37.5 -> 38
    EXPECT_EQ(porcentajeDeCaja(Money::fromInt(30), 12), 250);
}
