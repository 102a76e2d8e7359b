#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QDate>

#include <cstdint>
#include <memory>

namespace host {

// A supplier order of the host (Pedidos_Proveedores and its lines): loaded by code, brought up
// to date after receipts, or annulled. The caller owns the transaction; failures throw
// (db::Error from the database, std::runtime_error for an order that does not exist).
class PedidoProveedor {
public:
    void setEmpresa(std::shared_ptr<Empresa> empresa) { empresa_ = std::move(empresa); }
    void setConexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }

    int32_t Codigo = 0;
    QDate Fecha;
    int16_t Cod_Almacen = 0;
    int32_t Cod_Proveedor = 0;
    db::Money Importe;
    int LineasRecibidas = 0;
    bool Pendiente = false;
    bool Anulado = false;

    bool cargado() const { return cargado_; }
    void Cargar(int32_t codigo);

    // Recounts the fully received lines and whether anything is still awaited. When the host
    // works in liquidation mode ("PedProv_ModoActUndsPtes" = 1) the units not received are
    // written off as liquidated first, so the order closes: the supplier will not send them.
    void Actualizar();
    void Actualizar(bool liquidar);

    // The order stops being pending and is marked annulled; its lines stay for the record.
    void Anular();

private:
    void exigirCargado() const;
    QString clave() const;

    std::shared_ptr<Empresa> empresa_;
    db::ConnectionPtr conexion_;
    bool cargado_ = false;
};

}  // namespace host
