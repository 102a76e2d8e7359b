#pragma once

#include "platform/db/Money.h"

#include <cstdint>

// How many units of one article a pre-invoice sends and how many are short, from what the store
// has pending and what the origin can spare. Stores with a box threshold receive whole boxes
// (a last box only when the remainder reaches the threshold share of a box); others receive loose
// units up to the free stock.
struct EntradaEnvio {
    db::Money unidades;    // pending units after the chosen share
    int16_t caja = 0;      // units per fraction, else per box; 0 = no box
    int16_t umbral = 0;    // destination's RepPorcentajeCajas; 0 = loose units
    db::Money stock;       // origin's Stock_Actual
    db::Money reservado;   // units of the origin already on open pre-invoices
};

struct DecisionEnvio {
    db::Money enviar;
    db::Money falta;
    bool operator==(const DecisionEnvio&) const = default;
};

DecisionEnvio decidirEnvio(const EntradaEnvio& e);

// The share of the pending units to serve (25, 50, 75 or 100 %), rounded to whole units.
db::Money aplicarCantidad(db::Money unidades, int porcentaje);

// units * 100 / box as a whole percentage, halves to the even neighbour.
int32_t porcentajeDeCaja(db::Money unidades, int16_t caja);

// What an article's row would send if the origin's free stock were unlimited: the store's request
// when scarce stock is shared out across the stores of a run.
db::Money solicitudEnvio(const EntradaEnvio& e);

// The decision for an article whose units for this store are capped by a share of scarce stock:
// up to the cap (and never beyond the free stock) goes, the rest of the request is short.
DecisionEnvio decidirEnvioConTope(const EntradaEnvio& e, db::Money tope);
