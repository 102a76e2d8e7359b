#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QDate>

#include <cstdint>
#include <memory>

// Confirms a pre-invoice: it becomes a stock transfer document of the host, valued at the
// origin's purchase price, the articles it unblocks at the destination are marked for a master
// data refresh, and the pre-invoice goes. Everything is written in one transaction on the company
// connection, the accounting entry included as pending; after the commit the entry is booked on
// the accounting connection. A failure before the commit rolls everything back; a failure in the
// booking leaves the entry pending, to be booked by the next replay (viewer, host start,
// `nrvx-reposic reconciliar`). The document is printed afterwards.
class TraspasoPrefactura {
public:
    struct Documento {
        int16_t origen = 0;
        QDate fecha;
        int64_t codigo = 0;
        int lineas = 0;
        // The accounting database's error when the entry could not be booked (it stays pending).
        QString errorContable;
    };

    TraspasoPrefactura(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion,
                       std::shared_ptr<host::Empresa> empresaContable, db::ConnectionPtr conexionContable);

    int16_t usuario = 0;

    // Writes and commits the transfer of pre-invoice `codigo`; refuses (std::runtime_error)
    // before writing anything when there is no accounting connection.
    Documento traspasar(int16_t origen, int16_t destino, int64_t codigo);
    // Prints the document of a committed transfer (nothing when it carried no line).
    void imprimir(const Documento& documento);

private:
    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
    std::shared_ptr<host::Empresa> empresaContable_;
    db::ConnectionPtr conexionContable_;
};
