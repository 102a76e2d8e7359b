#pragma once

#include "platform/db/Money.h"

#include <cstdint>
#include <vector>

// The article totals of one matching run, shared by the matching screen and its differences
// screen. Index 0 holds no article; articles stand from index 1 on, in the order first met.
struct ArticuloChk {
    int32_t Cod_Articulo = 0;
    db::Money UnidadesPed;  // still pending in the marked orders
    db::Money UnidadesMC;   // received in the marked mini-purchases
    db::Money Diferencia;   // UnidadesPed - UnidadesMC; the differences screen may correct it
};

std::vector<ArticuloChk>& ArticulosChk();
// Empties the totals for a new run (only the unused element 0 stays).
void ReiniciarArticulosChk();
