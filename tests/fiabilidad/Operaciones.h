#pragma once

#include "platform/db/Connection.h"

#include <QString>

#include <functional>
#include <vector>

namespace fiab {

// One writing operation as the fault and crash trials run it, on the demo company of the fault
// trials plus its own data.
struct Caso {
    const char* nombre;
    // Rows the operation needs beyond the demo company, for a company of `articulos` articles;
    // empty when it needs none.
    std::function<QString(int articulos)> datos;
    // Reads done before the writes, as the screen does them before the user agrees (may be empty).
    std::function<void(const db::ConnectionPtr&)> preparar;
    // The writes; `contable` is the accounting database, used by the transfer only.
    std::function<void(const db::ConnectionPtr& c, const db::ConnectionPtr& contable)> operar;
    // Counters in the comparison: a number taken and kept before the transaction is a gap.
    bool contadores = true;
    // Whether the invariants hold after the finished run too: perishable pre-invoices carry
    // lines with no reservation behind them, as the central office sends what the store asked.
    bool invariantesAlFinal = true;
    // What a finished run is compared on, when it cannot be every row (may be empty: every row).
    std::function<QString(const db::ConnectionPtr&)> huella;
    // What the finished run must have written, beyond matching the reference run (may be empty).
    std::function<void(const db::ConnectionPtr&)> comprobar;
};

// Every transactional write of the module, and the statement-by-statement ones of the central
// perishable order.
const std::vector<Caso>& casos();
const Caso& caso(const QString& nombre);

// The demo company of the fault trials (`base`) plus the case's data, built once per process.
QString plantillaDe(const Caso& caso, const QString& base, int articulos);

}  // namespace fiab
