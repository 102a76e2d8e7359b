#include "host/components/PedidoProveedor.h"

#include "platform/db/Recordset.h"

#include <stdexcept>

namespace host {

QString PedidoProveedor::clave() const
{
    return " WHERE Cod_Empresa =" + QString::number(empresa_->CodigoEmpresa()) + " AND Codigo ="
           + QString::number(Codigo);
}

void PedidoProveedor::exigirCargado() const
{
    if (!cargado_)
        throw std::runtime_error("No se ha cargado ningún pedido de proveedor");
}

void PedidoProveedor::Cargar(int32_t codigo)
{
    cargado_ = false;
    Codigo = codigo;
    db::Recordset rs(conexion_, "SELECT Fecha, Cod_Almacen, Cod_Proveedor, Importe, LineasRecibidas,"
                                " Pendiente, Anulado FROM Pedidos_Proveedores" + clave());
    if (rs.eof()) {
        throw std::runtime_error(
            QStringLiteral("No existe el pedido de proveedor %1").arg(codigo).toStdString());
    }
    Fecha = rs.field(QStringLiteral("Fecha")).toDate();
    Cod_Almacen = static_cast<int16_t>(rs.field(QStringLiteral("Cod_Almacen")).toInt());
    Cod_Proveedor = rs.field(QStringLiteral("Cod_Proveedor")).toInt();
    Importe = rs.field(QStringLiteral("Importe")).toMoney();
    LineasRecibidas = rs.field(QStringLiteral("LineasRecibidas")).toInt();
    Pendiente = rs.field(QStringLiteral("Pendiente")).toBool();
    Anulado = rs.field(QStringLiteral("Anulado")).toBool();
    cargado_ = true;
}

void PedidoProveedor::Actualizar()
{
    const QVariant modo = empresa_->Parametro(QStringLiteral("PedProv_ModoActUndsPtes"));
    Actualizar(modo.toString().trimmed().toDouble() == 1.0);
}

void PedidoProveedor::Actualizar(bool liquidar)
{
    exigirCargado();
    // Text-only lines (article 0) are neither received nor awaited.
    const QString lineas = "FROM Pedidos_Proveedores_Lineas" + clave() + " AND Cod_Articulo > 0";
    if (liquidar) {
        conexion_->execute("UPDATE Pedidos_Proveedores_Lineas SET UnidadesLiq = Unidades - UnidadesRcv"
                           + clave() + " AND Cod_Articulo > 0 AND Unidades > UnidadesRcv");
    }
    LineasRecibidas = conexion_->scalar("SELECT COUNT(*) " + lineas + " AND UnidadesRcv >= Unidades")
                          .toInt();
    Pendiente = conexion_->scalar("SELECT COUNT(*) " + lineas
                                  + " AND Unidades > UnidadesRcv + UnidadesLiq").toInt() > 0;
    conexion_->execute("UPDATE Pedidos_Proveedores SET LineasRecibidas =" + QString::number(LineasRecibidas)
                       + ", Pendiente =" + (Pendiente ? "1" : "0") + clave());
}

void PedidoProveedor::Anular()
{
    exigirCargado();
    conexion_->execute("UPDATE Pedidos_Proveedores SET Anulado = 1, Pendiente = 0" + clave());
    Anulado = true;
    Pendiente = false;
}

}  // namespace host
