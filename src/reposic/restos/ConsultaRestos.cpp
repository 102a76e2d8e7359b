#include "reposic/restos/ConsultaRestos.h"

#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"

using db::Money;

ConsultaRestos::ConsultaRestos(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion)
    : empresa_(std::move(empresa)), conexion_(std::move(conexion))
{
}

QString ConsultaRestos::empresa() const { return QString::number(empresa_->CodigoEmpresa()); }

std::optional<Money> ConsultaRestos::primero(const QString& sql, const QString& campo) const
{
    db::Recordset rs(conexion_, sql);
    if (rs.eof())
        return std::nullopt;
    return rs.field(campo).toMoney();
}

ConsultaRestos::Panel ConsultaRestos::panel(int16_t almacen, int32_t articulo, const QDate& hoy,
                                            bool oficinaCentral) const
{
    const QString alm = QString::number(almacen);
    const QString art = QString::number(articulo);
    const QString dia = db::sqlDate(*conexion_, hoy);
    Panel p;
    p.uxCaja = primero(QStringLiteral("SELECT UxCaja FROM Articulos WHERE Cod_Empresa =")
                           + QString::number(empresa_->CodigoEmpresaArticulos())
                           + QStringLiteral(" AND Codigo =") + art,
                       QStringLiteral("UxCaja"));
    p.stock = primero(QStringLiteral("SELECT Stock_Actual FROM Almacen_Articulos WHERE Cod_Empresa =")
                          + empresa() + QStringLiteral(" AND Cod_Almacen =") + alm
                          + QStringLiteral(" AND Cod_Articulo =") + art,
                      QStringLiteral("Stock_Actual"))
                  .value_or(Money());
    p.ventasHoy = primero(QStringLiteral("SELECT Cantidad FROM Articulos_Ventas_Dia WHERE Cod_Empresa =")
                              + empresa() + QStringLiteral(" AND Cod_Almacen =") + alm
                              + QStringLiteral(" AND Fecha =") + dia
                              + QStringLiteral(" AND Cod_Articulo =") + art,
                          QStringLiteral("Cantidad"))
                      .value_or(Money());
    const Money traspasos =
        primero(QStringLiteral("SELECT ISNULL(SUM(Unidades), 0) AS Unidades FROM Traspasos_Lineas a"
                               " INNER JOIN Traspasos b"
                               " ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Ejercicio = b.Cod_Ejercicio"
                               " AND a.Cod_Almacen = b.Alm_Origen AND a.Codigo = b.Codigo"
                               " WHERE a.Cod_Empresa =")
                    + empresa() + QStringLiteral(" AND a.Cod_Almacen =") + alm
                    + QStringLiteral(" AND a.Cod_Ejercicio =") + QString::number(hoy.year())
                    + QStringLiteral(" AND a.Cod_Articulo =") + art
                    + QStringLiteral(" AND b.Fecha =") + dia,
                QStringLiteral("Unidades"))
            .value_or(Money());
    p.salidasHoy = p.ventasHoy + traspasos;
    if (!oficinaCentral) {
        p.restosHoy =
            primero(QStringLiteral("SELECT ISNULL(SUM(a.Unidades), 0) AS Unidades"
                                   " FROM Reposicion_Restos_Lineas a INNER JOIN Reposicion_Restos b"
                                   " ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Cod_Almacen"
                                   " AND a.Codigo = b.Codigo WHERE a.Cod_Empresa =")
                        + empresa() + QStringLiteral(" AND a.Cod_Almacen =") + alm
                        + QStringLiteral(" AND b.Fecha =") + dia
                        + QStringLiteral(" AND a.Cod_Articulo =") + art,
                    QStringLiteral("Unidades"))
                .value_or(Money());
    }
    return p;
}

Money ConsultaRestos::ObtenerPvp(int16_t almacen, int32_t articulo) const
{
    int tarifa = 0;
    int tarifaProm = 0;
    {
        db::Recordset rs(conexion_, QStringLiteral("SELECT Tarifa, TarifaProm FROM Almacenes"
                                                   " WHERE Cod_Empresa =")
                                        + empresa() + QStringLiteral(" AND Codigo =")
                                        + QString::number(almacen));
        if (!rs.eof()) {
            tarifa = rs.field(QStringLiteral("Tarifa")).toInt();
            tarifaProm = rs.field(QStringLiteral("TarifaProm")).toInt();
        }
    }
    auto pvp = [&](int t) {
        return primero(QStringLiteral("SELECT Pvp FROM Articulos_Tarifas WHERE Cod_Empresa =")
                           + QString::number(empresa_->CodigoEmpresaArticulos())
                           + QStringLiteral(" AND Cod_Tarifa =") + QString::number(t)
                           + QStringLiteral(" AND Cod_Articulo =") + QString::number(articulo),
                       QStringLiteral("Pvp"));
    };
    Money precio = pvp(tarifa).value_or(Money());
    const auto promocion = pvp(tarifaProm);
    if (promocion && *promocion > Money())
        precio = *promocion;
    return precio;
}

bool ConsultaRestos::bloqueado(int16_t almacen, int32_t articulo) const
{
    db::Recordset rs(conexion_, QStringLiteral("SELECT Bloqueo FROM Almacen_Articulos WHERE Cod_Empresa =")
                                    + empresa() + QStringLiteral(" AND Cod_Almacen =")
                                    + QString::number(almacen) + QStringLiteral(" AND Cod_Articulo =")
                                    + QString::number(articulo));
    return !rs.eof() && rs.field(QStringLiteral("Bloqueo")).toBool();
}
