#include "reposic/casacion/CasacionPedidos.h"

#include "host/components/PedidoProveedor.h"
#include "host/components/RecepcionLineaPedido.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "reposic/casacion/modChkPedMC.h"
#include "reposic/data/clsAlmacen_Rep.h"

#include <optional>

using db::Money;

namespace {

QString num(int64_t v) { return QString::number(v); }

}  // namespace

CasacionPedidos::CasacionPedidos(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
}

QString CasacionPedidos::lista(const QVector<int32_t>& codigos)
{
    QStringList partes;
    for (int32_t c : codigos)
        partes << num(c);
    return partes.join(QStringLiteral(", "));
}

void CasacionPedidos::AcumularArticulo(int32_t articulo, Money pedidas, Money recibidas)
{
    auto& articulos = ArticulosChk();
    for (size_t i = 1; i < articulos.size(); ++i) {
        if (articulos[i].Cod_Articulo == articulo) {
            articulos[i].UnidadesPed += pedidas;
            articulos[i].UnidadesMC += recibidas;
            return;
        }
    }
    articulos.push_back({articulo, pedidas, recibidas, Money()});
}

void CasacionPedidos::AcumularPedidos()
{
    ReiniciarArticulosChk();
    if (pedidos.isEmpty())
        return;
    db::Recordset rs(conexion_,
                     "SELECT b.Cod_Articulo, (b.Unidades - b.UnidadesRcv) AS Unidades"
                     " FROM Pedidos_Proveedores a "
                     " INNER JOIN Pedidos_Proveedores_Lineas b"
                     " ON a.Cod_Empresa = b.Cod_Empresa AND a.Codigo = b.Codigo"
                     " WHERE a.Cod_Empresa =" + num(empresa_->CodigoEmpresa())
                         + " AND a.Cod_Almacen =" + num(almacen) + " AND a.Cod_Proveedor ="
                         + num(proveedor) + " AND a.Codigo IN (" + lista(pedidos) + ")"
                         + " AND b.Unidades <> b.UnidadesRcv");
    for (; !rs.eof(); rs.moveNext()) {
        AcumularArticulo(rs.field(QStringLiteral("Cod_Articulo")).toInt(),
                         rs.field(QStringLiteral("Unidades")).toMoney(), Money());
    }
}

void CasacionPedidos::AcumularMiniCompras()
{
    for (const MiniCompra& mc : miniCompras) {
        db::Recordset rs(conexion_,
                         "SELECT b.Cod_Articulo, b.Unidades"
                         " FROM Compras_Mini a "
                         " INNER JOIN Compras_Mini_Lineas b"
                         " ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Ejercicio = b.Cod_Ejercicio"
                         " AND a.Cod_Almacen = b.Cod_Almacen AND a.Codigo = b.Codigo"
                         " WHERE a.Cod_Empresa =" + num(empresa_->CodigoEmpresa())
                             + " AND a.Cod_Ejercicio =" + num(mc.ejercicio) + " AND a.Cod_Almacen ="
                             + num(almacen) + " AND a.Codigo =" + num(mc.codigo));
        for (; !rs.eof(); rs.moveNext()) {
            AcumularArticulo(rs.field(QStringLiteral("Cod_Articulo")).toInt(), Money(),
                             rs.field(QStringLiteral("Unidades")).toMoney());
        }
    }
}

bool CasacionPedidos::CalcularDiferencias()
{
    bool coinciden = true;
    auto& articulos = ArticulosChk();
    for (size_t i = 1; i < articulos.size(); ++i) {
        articulos[i].Diferencia = articulos[i].UnidadesPed - articulos[i].UnidadesMC;
        if (articulos[i].Diferencia != Money())
            coinciden = false;
    }
    return coinciden;
}

void CasacionPedidos::Aplicar(bool llevarAReposicion, bool sinTransaccion)
{
    // The host's own transaction, when it holds one, is the host's to commit or undo.
    std::optional<db::Transaction> transaccion;
    if (sinTransaccion)
        transaccion.emplace(*conexion_);
    RepartirRecibidas();
    ActualizarPedidos();
    if (llevarAReposicion)
        LlevarDiferenciasReposicion();
    if (!pedidos.isEmpty())
        MarcarMiniCompras(pedidos.front());
    if (transaccion)
        transaccion->commit();
}

void CasacionPedidos::RepartirRecibidas()
{
    host::RecepcionLineaPedido recepcion;
    recepcion.setEmpresa(empresa_);
    recepcion.setConexion(conexion_);
    recepcion.Almacen = almacen;
    const auto& articulos = ArticulosChk();
    for (size_t i = 1; i < articulos.size(); ++i) {
        // The orders higher in the list are served first.
        Money quedan = articulos[i].UnidadesMC;
        for (int32_t pedido : pedidos) {
            if (quedan <= Money())
                break;
            quedan -= recepcion.Recibir(pedido, articulos[i].Cod_Articulo, quedan);
        }
    }
}

void CasacionPedidos::ActualizarPedidos()
{
    host::PedidoProveedor pedido;
    pedido.setEmpresa(empresa_);
    pedido.setConexion(conexion_);
    for (int32_t codigo : pedidos) {
        pedido.Cargar(codigo);
        pedido.Actualizar();
    }
}

void CasacionPedidos::LlevarDiferenciasReposicion()
{
    clsAlmacen_Rep reposicion;
    reposicion.cEmpresa(empresa_);
    reposicion.Conexion(conexion_);
    const auto& articulos = ArticulosChk();
    for (size_t i = 1; i < articulos.size(); ++i) {
        if (articulos[i].Diferencia == Money())
            continue;
        reposicion.Almacen = almacen;
        reposicion.Articulo = articulos[i].Cod_Articulo;
        reposicion.Unidades = articulos[i].Diferencia;
        reposicion.UnidadesVenta = Money();
        reposicion.UnidadesResto = articulos[i].Diferencia;
        reposicion.Modificar();
    }
}

void CasacionPedidos::MarcarMiniCompras(int32_t pedido)
{
    const QString empresa = num(empresa_->CodigoEmpresa());
    for (const MiniCompra& mc : miniCompras) {
        const QString donde = " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen =" + num(almacen)
                              + " AND Cod_Ejercicio =" + num(mc.ejercicio) + " AND Codigo ="
                              + num(mc.codigo);
        conexion_->execute("UPDATE Compras_Mini SET CheckvsPed = 1, EnviadoCheckvsPed = 0, Cod_PedidoProv ="
                           + num(pedido) + donde);
        conexion_->execute("UPDATE Compras_Mini_Lineas SET CostoFra = 0" + donde);
        conexion_->execute("DELETE FROM Compras_Mini_Lineas_Convenio" + donde);
    }
}
