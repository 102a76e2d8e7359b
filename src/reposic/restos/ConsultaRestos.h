#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

// What the leftover screen looks up about one article in one warehouse, on the company's own
// database: the figures of the article panel, the sale price and whether the warehouse blocks it.
// Database errors reach the caller.
class ConsultaRestos {
public:
    struct Panel {
        std::optional<db::Money> uxCaja;  // none: the article has no row
        db::Money stock;
        db::Money ventasHoy;
        db::Money salidasHoy;  // today's sales plus today's transfers out
        db::Money restosHoy;   // leftovers recorded today (never at the central office)
        db::Money pendienteHoy() const { return salidasHoy + restosHoy; }
    };

    ConsultaRestos(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);

    Panel panel(int16_t almacen, int32_t articulo, const QDate& hoy, bool oficinaCentral) const;
    // Price of the warehouse's tariff; its promotional tariff wins when it has a price above 0.
    db::Money ObtenerPvp(int16_t almacen, int32_t articulo) const;
    // Only an assortment row marked blocked refuses the article; having no row is no block.
    bool bloqueado(int16_t almacen, int32_t articulo) const;

private:
    std::optional<db::Money> primero(const QString& sql, const QString& campo) const;
    QString empresa() const;

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};
