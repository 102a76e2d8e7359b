#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <memory>

// One matching run of a store: totals per article of the units still pending in the marked
// supplier orders and of the units received in the marked mini-purchases (in ArticulosChk),
// and, once the user agrees, the writes: receipts booked on the order lines, orders brought up
// to date, differences carried to replenishment and the mini-purchases stamped as matched.
class CasacionPedidos {
public:
    struct MiniCompra {
        int16_t ejercicio = 0;
        int32_t codigo = 0;
    };

    CasacionPedidos(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);

    int16_t almacen = 0;
    int32_t proveedor = 0;
    QVector<int32_t> pedidos;         // marked, top to bottom of the grid
    QVector<MiniCompra> miniCompras;  // marked, top to bottom of the grid

    static QString lista(const QVector<int32_t>& codigos);

    // Restarts ArticulosChk and adds the pending units of the marked orders.
    void AcumularPedidos();
    // Adds the units of the marked mini-purchases.
    void AcumularMiniCompras();
    static void AcumularArticulo(int32_t articulo, db::Money pedidas, db::Money recibidas);
    // Sets every Diferencia; true when all of them are 0 (a run with no article at all too).
    static bool CalcularDiferencias();

    // Books the run. With sinTransaccion it runs in its own transaction, rolled back on any
    // error; otherwise inside the host's, which it neither begins nor ends.
    void Aplicar(bool llevarAReposicion, bool sinTransaccion);

    void RepartirRecibidas();
    void ActualizarPedidos();
    void LlevarDiferenciasReposicion();
    void MarcarMiniCompras(int32_t pedido);

private:
    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};
