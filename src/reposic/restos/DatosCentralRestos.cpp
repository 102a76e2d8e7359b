#include "reposic/restos/DatosCentralRestos.h"

#include "host/Utilidades.h"
#include "platform/db/Recordset.h"
#include "reposic/frame/modMsgOp.h"
#include "reposic/restos/ConexionCentral.h"

#include <exception>

using db::Money;

DatosCentralRestos::DatosCentralRestos(std::shared_ptr<host::Empresa> empresa)
    : empresa_(std::move(empresa))
{
}

bool DatosCentralRestos::RecuperarDatosCentral(int16_t almacen, int32_t articulo, Figuras& figuras)
{
    figuras = Figuras{};
    if (servidor.isEmpty())
        return false;
    reposic::MsgOp(true, QStringLiteral("Recuperando Restos de la Central, espere..."));
    try {
        if (!host::ServidorAccesible(servidor, ConexionCentral::kPuerto)) {
            reposic::MsgOp(false);
            return false;
        }
        if (!conexion_)
            conexion_ = ConexionCentral::crear();
        if (!conexion_->isOpen())
            conexion_->open(ConexionCentral::cadena(servidor));

        const QString emp = QString::number(empresa_->CodigoEmpresa());
        const QString alm = QString::number(almacen);
        const QString art = QString::number(articulo);
        Figuras leidas;
        {
            db::Recordset rs(conexion_, QStringLiteral("SELECT Unidades FROM Reposicion WHERE Cod_Empresa =")
                                            + emp + QStringLiteral(" AND Cod_Almacen =") + alm
                                            + QStringLiteral(" AND Cod_Articulo =") + art
                                            + QStringLiteral(" AND Codigo =0"));
            if (!rs.eof())
                leidas.restoCentral = rs.field(QStringLiteral("Unidades")).toMoney();
        }
        {
            db::Recordset rs(conexion_,
                             QStringLiteral("SELECT ISNULL(SUM(a.Unidades), 0) AS Unidades"
                                            " FROM Reposicion_Pref_Lineas a INNER JOIN Reposicion_Pref b"
                                            " ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Cod_Almacen"
                                            " AND a.Codigo = b.Codigo WHERE a.Cod_Empresa =")
                                 + emp + QStringLiteral(" AND b.Cod_AlmacenD =") + alm
                                 + QStringLiteral(" AND a.Cod_Articulo =") + art);
            if (!rs.eof())
                leidas.prefacturado = rs.field(QStringLiteral("Unidades")).toMoney();
        }
        {
            db::Recordset rs(conexion_, QStringLiteral("SELECT a.Stock_Actual FROM Almacen_Articulos a"
                                                       " INNER JOIN Empresas e"
                                                       " ON a.Cod_Empresa = e.Codigo AND a.Cod_Almacen = e.Almacen_PD"
                                                       " WHERE a.Cod_Empresa =")
                                            + emp + QStringLiteral(" AND a.Cod_Articulo =") + art);
            if (!rs.eof())
                leidas.stockCentral = rs.field(QStringLiteral("Stock_Actual")).toMoney();
        }
        figuras = leidas;
        reposic::MsgOp(false);
        return true;
    } catch (const std::exception&) {
        // A connection that failed mid-way is dropped, so the next article tries a fresh one.
        if (conexion_ && conexion_->isOpen())
            conexion_->close();
        reposic::MsgOp(false);
        return false;
    }
}
