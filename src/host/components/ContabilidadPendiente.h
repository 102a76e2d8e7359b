#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QDate>

#include <cstdint>
#include <optional>

namespace host {

// Accounting entries of stock transfers still to be booked. The company and the accounting
// databases commit one after the other, so a transfer writes its entry into the company database
// (`Traspasos_Contabilidad_Pendiente`) inside its own transaction; booking then copies it to the
// accounting database and removes it here. The entry in the accounting database carries the
// transfer's key and is written only where that key is missing, so booking again after a stop
// at any point never books twice. Every failure throws db::Error; what was booked stays booked.
class ContabilidadPendiente {
public:
    struct Asiento {
        int16_t empresa = 0;  // the transfer's key: company, year, origin and code
        int16_t ejercicio = 0;
        int16_t origen = 0;
        int64_t codigo = 0;
        int16_t empresaContable = 0;
        QDate fecha;
        int16_t destino = 0;
        db::Money importe;
    };

    // Creates the table on a company database that predates it.
    static void preparar(db::Connection& empresa);
    // Records the entry, inside the caller's transaction on the company connection.
    static void registrar(db::Connection& empresa, const Asiento& asiento);
    // Entries still to book (all, or the one of a transfer).
    static int pendientes(db::Connection& empresa);
    // Books the pending entries (all, or the one of the transfer `solo`) and answers how many.
    static int asentar(const db::ConnectionPtr& empresa, db::Connection& contable,
                       const std::optional<Asiento>& solo = std::nullopt);

private:
    static void anotar(db::Connection& contable, const Asiento& asiento);
};

}  // namespace host
