#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <cstdint>
#include <memory>

// Units pending replenishment per destination warehouse and article, with the shortages and the
// origin's reserved stock. Every operation is an add (negative values subtract); the caller owns
// the transaction.
class clsAlmacen_Rep {
public:
    int16_t Almacen = 0;
    int32_t Articulo = 0;
    int16_t CualidadX = 0;
    int16_t CualidadY = 0;
    db::Money Unidades;
    db::Money UnidadesVenta;
    db::Money UnidadesResto;

    void cEmpresa(std::shared_ptr<host::Empresa> empresa) { empresa_ = std::move(empresa); }
    void Conexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }

    void Modificar();
    void Modificar_Faltas();
    void Modificar_StockReservado();

private:
    QString empresa() const;
    void upsertUnidades(const QString& tabla);

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};
