#pragma once

#include "platform/db/Money.h"

#include <cstdint>

// What one store's generation gave, and what a whole run adds up to.
struct ResumenTienda {
    int16_t destino = 0;
    int prefacturas = 0;
    int lineas = 0;
    db::Money enviadas;
    db::Money faltas;
    int fallos = 0;
    double segundos = 0;

    ResumenTienda& operator+=(const ResumenTienda& o)
    {
        prefacturas += o.prefacturas;
        lineas += o.lineas;
        enviadas = enviadas + o.enviadas;
        faltas = faltas + o.faltas;
        fallos += o.fallos;
        return *this;
    }
};
