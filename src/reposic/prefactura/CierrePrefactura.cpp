#include "reposic/prefactura/CierrePrefactura.h"

#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "reposic/data/clsAlmacen_Rep.h"
#include "reposic/data/clsAlmacen_Rep_PreF.h"

using db::Money;

CierrePrefactura::CierrePrefactura(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
}

// The units of every line: both endings give them back, to leftovers or only to the origin.
QString CierrePrefactura::consultaLineas(int16_t origen, int64_t codigo) const
{
    return "SELECT Cod_Articulo, Unidades FROM Reposicion_Pref_Lineas" " WHERE Cod_Empresa ="
        + QString::number(empresa_->CodigoEmpresa()) + " AND Cod_Almacen =" + QString::number(origen)
        + " AND Codigo =" + QString::number(codigo);
}

void CierrePrefactura::anular(int16_t origen, int16_t destino, int64_t codigo)
{
    db::Transaction transaccion(conexion_);
    clsAlmacen_Rep acumulador;
    acumulador.cEmpresa(empresa_);
    acumulador.Conexion(conexion_);
    db::Recordset rs(conexion_, consultaLineas(origen, codigo), db::CursorType::Static,
                     db::LockType::ReadOnly);
    for (; !rs.eof(); rs.moveNext()) {
        const int32_t articulo = rs.field(QStringLiteral("Cod_Articulo")).toInt();
        const Money unidades = rs.field(QStringLiteral("Unidades")).toMoney();
        acumulador.Almacen = destino;
        acumulador.Articulo = articulo;
        acumulador.Unidades = unidades;
        acumulador.UnidadesResto = unidades;
        acumulador.UnidadesVenta = Money();
        acumulador.Modificar();

        acumulador.Almacen = origen;
        acumulador.Unidades = -unidades;
        acumulador.UnidadesResto = Money();
        acumulador.Modificar_StockReservado();
    }
    rs.close();

    clsAlmacen_Rep_PreF cabecera;
    cabecera.cEmpresa(empresa_);
    cabecera.Conexion(conexion_);
    cabecera.Almacen = origen;
    cabecera.AlmacenDestino = destino;
    cabecera.Codigo = codigo;
    cabecera.Anular();
    transaccion.commit();
}

void CierrePrefactura::liquidar(int16_t origen, int64_t codigo)
{
    db::Transaction transaccion(conexion_);
    clsAlmacen_Rep acumulador;
    acumulador.cEmpresa(empresa_);
    acumulador.Conexion(conexion_);
    db::Recordset rs(conexion_, consultaLineas(origen, codigo), db::CursorType::Static,
                     db::LockType::ReadOnly);
    for (; !rs.eof(); rs.moveNext()) {
        acumulador.Almacen = origen;
        acumulador.Articulo = rs.field(QStringLiteral("Cod_Articulo")).toInt();
        acumulador.Unidades = -rs.field(QStringLiteral("Unidades")).toMoney();
        acumulador.Modificar_StockReservado();
    }
    rs.close();

    clsAlmacen_Rep_PreF cabecera;
    cabecera.cEmpresa(empresa_);
    cabecera.Conexion(conexion_);
    cabecera.Almacen = origen;
    cabecera.Codigo = codigo;
    cabecera.Eliminar();
    cabecera.Eliminar_Lineas();
    transaccion.commit();
}
