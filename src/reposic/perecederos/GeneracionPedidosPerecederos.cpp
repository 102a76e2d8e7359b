#include "reposic/perecederos/GeneracionPedidosPerecederos.h"

#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "reposic/data/clsAlmacen_Rep_PreF.h"
#include "reposic/data/clsAlmacen_Rep_PreF_Lineas.h"

GeneracionPedidosPerecederos::GeneracionPedidosPerecederos(std::shared_ptr<host::Empresa> empresa,
                                                           db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
}

int64_t GeneracionPedidosPerecederos::generar()
{
    clsAlmacen_Rep_PreF cabecera;
    cabecera.cEmpresa(empresa_);
    cabecera.Conexion(conexion_);
    clsAlmacen_Rep_PreF_Lineas linea;
    linea.cEmpresa(empresa_);
    linea.Conexion(conexion_);

    const QString empresa = QString::number(empresa_->CodigoEmpresa());
    const QString dest = QString::number(destino);
    db::Transaction transaccion(conexion_);
    {
        db::Recordset rs(conexion_,
                         "SELECT Cod_Articulo, Cantidad FROM Pedidos_Central"
                         " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen =" + dest
                             + " AND Cod_Tipo =" + QString::number(tipo),
                         db::CursorType::Static, db::LockType::ReadOnly);
        if (!rs.eof()) {
            cabecera.Almacen = origen;
            cabecera.AlmacenDestino = destino;
            cabecera.Insertar();
            linea.Almacen = cabecera.Almacen;
            linea.Codigo = cabecera.Codigo;
            for (; !rs.eof(); rs.moveNext()) {
                const db::Money cantidad = rs.field(QStringLiteral("Cantidad")).toMoney();
                linea.Articulo = rs.field(QStringLiteral("Cod_Articulo")).toInt();
                linea.Unidades = cantidad;
                linea.UnidadesVenta = cantidad;
                linea.UnidadesGeneradas = cantidad;
                linea.UnidadesResto = db::Money();
                linea.Insertar();
            }
        }
    }
    conexion_->execute("DELETE FROM Pedidos_Central WHERE Cod_Empresa =" + empresa
                       + " AND Cod_Almacen =" + dest + " AND Cod_Tipo =" + QString::number(tipo));
    transaccion.commit();
    return cabecera.Codigo;
}
