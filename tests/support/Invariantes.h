#pragma once

#include "platform/db/Connection.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <utility>

namespace testsupport {

// The conservation rules the replenishment tables keep whatever happened to the database:
// - the reserved stock of a warehouse and article moves with the units on its pre-invoice lines
//   (a database may start with reservations of no pre-invoice, as the demo company does: the
//   starting difference is taken as the base and must stay as it was);
// - no pre-invoice line, leftover line or transfer line without its header;
// - at most one pending row (Codigo 0) per warehouse, article and variant (a pending row may go
//   below zero: a whole box sent for fewer units is owed back by the next need), no reservation
//   below zero;
// - no counter behind the highest code it has issued.
// The checks read the embedded database directly, so they neither count as statements of the
// connection nor trip an injected fault.
class Invariantes {
public:
    // Records the starting difference between reserved stock and open lines.
    static Invariantes tomarBase(const db::ConnectionPtr& conexion);

    // The rules broken, one line each; empty when every one holds.
    QStringList comprobar(const db::ConnectionPtr& conexion);

    // Individual checks run so far by this object and by every object of the process.
    long long comprobaciones() const { return comprobaciones_; }
    static long long comprobacionesTotales();

private:
    std::map<std::pair<int, int>, int64_t> base_;  // (warehouse, article) -> scaled units
    long long comprobaciones_ = 0;
};

// Every row of every table, in a stable order, as one text: equal texts mean equal rows.
// Counters may be left out: a number taken and then abandoned is a gap, not a change.
QString volcadoFilas(const db::ConnectionPtr& conexion, bool conContadores = true);

// Sum of a numeric column over a table with an optional condition, in scaled units (x 10,000).
int64_t sumaEscalada(const db::ConnectionPtr& conexion, const QString& tabla, const QString& columna,
                     const QString& condicion = {});

}  // namespace testsupport
