#include "support/Semilla.h"

#include "platform/db/SqlText.h"

namespace testsupport {

namespace {
QString n(double v) { return QString::number(v, 'f', 4); }
}  // namespace

Semilla& Semilla::almacen(int codigo, const QString& nombre, int porcentajeCajas)
{
    conn_->execute(QStringLiteral("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre, RepPorcentajeCajas)"
                                  " VALUES (1, %1, %2, %3)").arg(codigo).arg(db::sqlText(nombre)).arg(porcentajeCajas));
    return *this;
}

Semilla& Semilla::articulo(int codigo, double uxCaja, double uxFraccion, int tipoRep, int familia1,
                           int marca)
{
    conn_->execute(QStringLiteral("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion, UxCaja, UxFraccion,"
                                  " TipoRep, Familia_1, Marca) VALUES (1, %1, 'Artículo %1', %2, %3, %4, %5, %6)")
                       .arg(codigo).arg(n(uxCaja), n(uxFraccion)).arg(tipoRep).arg(familia1).arg(marca));
    return *this;
}

Semilla& Semilla::stock(int almacen, int articulo, double stockActual, int bloqueo)
{
    conn_->execute(QStringLiteral("INSERT INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo,"
                                  " Stock_Actual, Bloqueo) VALUES (1, %1, %2, %3, %4)")
                       .arg(almacen).arg(articulo).arg(n(stockActual)).arg(bloqueo));
    return *this;
}

Semilla& Semilla::pendiente(int almacen, int articulo, double unidades, double venta, double resto)
{
    conn_->execute(QStringLiteral("INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo,"
                                  " Unidades, UnidadesVenta, UnidadesResto) VALUES (1, %1, %2, 0, %3, %4, %5)")
                       .arg(almacen).arg(articulo).arg(n(unidades), n(venta), n(resto)));
    return *this;
}

Semilla& Semilla::reservado(int almacen, int articulo, double unidades)
{
    conn_->execute(QStringLiteral("INSERT INTO Reposicion_StockReservado (Cod_Empresa, Cod_Almacen,"
                                  " Cod_Articulo, Unidades) VALUES (1, %1, %2, %3)")
                       .arg(almacen).arg(articulo).arg(n(unidades)));
    return *this;
}

Semilla& Semilla::grupo(int codigo, const QString& nombre, int familia1, int marca)
{
    conn_->execute(QStringLiteral("INSERT OR IGNORE INTO Reposicion_Grp (Cod_Empresa, Cod_Grupo, Nombre)"
                                  " VALUES (1, %1, %2)").arg(codigo).arg(db::sqlText(nombre)));
    if (familia1 || marca) {
        conn_->execute(QStringLiteral("INSERT INTO Reposicion_Grp_Fam (Cod_Empresa, Cod_Grupo, Familia_1,"
                                      " Cod_Marca) VALUES (1, %1, %2, %3)").arg(codigo).arg(familia1).arg(marca));
    }
    return *this;
}

}  // namespace testsupport
