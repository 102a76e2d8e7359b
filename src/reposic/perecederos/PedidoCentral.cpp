#include "reposic/perecederos/PedidoCentral.h"

#include "host/Utilidades.h"
#include "platform/db/Error.h"

PedidoCentral::PedidoCentral(db::ConnectionPtr central, int16_t empresa, int16_t almacen,
                             int16_t tipo)
    : central_(std::move(central)), empresa_(empresa), almacen_(almacen), tipo_(tipo)
{
}

QString PedidoCentral::clave() const
{
    return " WHERE Cod_Empresa =" + QString::number(empresa_) + " AND Cod_Almacen ="
           + QString::number(almacen_);
}

void PedidoCentral::anadir(int32_t articulo, db::Money cantidad, bool cerrado)
{
    const QString actualizar = "UPDATE Pedidos_Central SET Cantidad = Cantidad + "
                               + host::NumeroSQL(cantidad) + clave() + " AND Cod_Articulo ="
                               + QString::number(articulo) + " AND Cod_Tipo =" + QString::number(tipo_);
    if (central_->execute(actualizar) > 0)
        return;
    if (antesDeInsertar)
        antesDeInsertar();
    try {
        central_->execute("INSERT INTO Pedidos_Central (Cod_Empresa, Cod_Almacen, Cod_Articulo,"
                          " Cod_Tipo, Cantidad, Cerrado) VALUES (" + QString::number(empresa_) + ", "
                          + QString::number(almacen_) + ", " + QString::number(articulo) + ", "
                          + QString::number(tipo_) + ", " + host::NumeroSQL(cantidad) + ", "
                          + (cerrado ? "1" : "0") + ")");
    } catch (const db::Error& e) {
        // Another workstation created the row since our update: add to it instead of failing.
        if (e.category() != db::Error::Category::Constraint || central_->execute(actualizar) == 0)
            throw;
    }
}

void PedidoCentral::eliminar(int32_t articulo)
{
    central_->execute("DELETE FROM Pedidos_Central" + clave() + " AND Cod_Articulo ="
                      + QString::number(articulo) + " AND Cod_Tipo =" + QString::number(tipo_));
}

void PedidoCentral::cerrar()
{
    central_->execute("UPDATE Pedidos_Central SET Cerrado = 1" + clave() + " AND Cod_Tipo ="
                      + QString::number(tipo_));
}
