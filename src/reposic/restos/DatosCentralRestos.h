#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QString>

#include <cstdint>
#include <memory>

// The central office's figures of one article for a store: what is still pending there for the
// store, what is already pre-invoiced to it and the stock of the supplying warehouse. The
// connection is opened on first use and kept while the screen lives, so each article costs
// three reads and not a new login.
class DatosCentralRestos {
public:
    struct Figuras {
        db::Money restoCentral;
        db::Money prefacturado;
        db::Money stockCentral;
    };

    explicit DatosCentralRestos(std::shared_ptr<host::Empresa> empresa);

    // Empty name: there is no central office to ask.
    QString servidor;

    // False (figures 0) when there is no server, it does not answer or any read fails: the
    // panel is information only and must never stop a line from being typed.
    bool RecuperarDatosCentral(int16_t almacen, int32_t articulo, Figuras& figuras);

private:
    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};
