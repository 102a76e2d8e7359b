#pragma once

#include "platform/db/Connection.h"

#include <QDate>

namespace hostapp {

// The documents a company has after some days of work, made on the new demo company through the
// module's own operations, so they are what the screens would have written: leftovers recorded
// by two stores, then the pre-invoices (with their shortages and reservations) of three stores.
// Other stores keep their pending units for a generation of the user's own.
class DocumentosDemo {
public:
    DocumentosDemo() = delete;

    // Throws db::Error when an operation fails; what was committed before stays.
    static void crear(const db::ConnectionPtr& conexion, const QDate& hoy);

    // The stores that get leftovers and pre-invoices.
    static constexpr int16_t kTiendasConRestos[] = {3, 4};
    static constexpr int16_t kTiendasGeneradas[] = {3, 4, 5};
};

}  // namespace hostapp
