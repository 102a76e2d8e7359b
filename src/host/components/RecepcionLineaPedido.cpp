#include "host/components/RecepcionLineaPedido.h"

#include "host/Reloj.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"

#include <algorithm>
#include <vector>

namespace host {

db::Money RecepcionLineaPedido::Recibir(int32_t pedido, int32_t articulo, db::Money unidades)
{
    if (unidades <= db::Money())
        return {};
    const QString empresa = QString::number(empresa_->CodigoEmpresa());
    const QString clave = " WHERE Cod_Empresa =" + empresa + " AND Codigo =" + QString::number(pedido);

    struct Linea {
        int linea;
        db::Money pendiente;
    };
    std::vector<Linea> lineas;
    {
        db::Recordset rs(conexion_,
                         "SELECT b.Linea, b.Unidades, b.UnidadesRcv"
                         " FROM Pedidos_Proveedores a"
                         " INNER JOIN Pedidos_Proveedores_Lineas b"
                         " ON a.Cod_Empresa = b.Cod_Empresa AND a.Codigo = b.Codigo"
                         " WHERE a.Cod_Empresa =" + empresa + " AND a.Codigo =" + QString::number(pedido)
                             + " AND a.Cod_Almacen =" + QString::number(Almacen)
                             + " AND a.Anulado = 0 AND b.Cod_Articulo =" + QString::number(articulo)
                             + " AND b.Unidades > b.UnidadesRcv ORDER BY b.Linea");
        for (; !rs.eof(); rs.moveNext()) {
            lineas.push_back({rs.field(QStringLiteral("Linea")).toInt(),
                              rs.field(QStringLiteral("Unidades")).toMoney()
                                  - rs.field(QStringLiteral("UnidadesRcv")).toMoney()});
        }
    }

    const QString fecha = db::sqlDate(*conexion_, Reloj::hoy());
    db::Money quedan = unidades;
    for (const Linea& l : lineas) {
        if (quedan <= db::Money())
            break;
        const db::Money toma = std::min(quedan, l.pendiente);
        conexion_->execute("UPDATE Pedidos_Proveedores_Lineas SET UnidadesRcv = UnidadesRcv + "
                           + toma.toSql() + clave + " AND Linea =" + QString::number(l.linea));
        conexion_->execute("INSERT INTO Pedidos_Proveedores_Recepciones (Cod_Empresa, Codigo, Linea,"
                           " Cod_Almacen, Cod_Articulo, Fecha, Unidades) VALUES (" + empresa + ", "
                           + QString::number(pedido) + ", " + QString::number(l.linea) + ", "
                           + QString::number(Almacen) + ", " + QString::number(articulo) + ", "
                           + fecha + ", " + toma.toSql() + ")");
        quedan -= toma;
    }
    return unidades - quedan;
}

}  // namespace host
