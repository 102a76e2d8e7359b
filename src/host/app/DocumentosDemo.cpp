#include "host/app/DocumentosDemo.h"

#include "host/EmpresaMemoria.h"
#include "host/demo/DemoGenerator.h"
#include "platform/db/Recordset.h"
#include "reposic/prefactura/GeneracionPrefactura.h"
#include "reposic/restos/GrabacionRestos.h"

#include <memory>

namespace hostapp {

namespace {

// The demo's own company as the operations see it: articles under the company itself.
std::shared_ptr<host::EmpresaMemoria> empresaDemo()
{
    auto e = std::make_shared<host::EmpresaMemoria>();
    e->setCodigoEmpresa(demo::DemoGenerator::kCompany);
    e->setCodigoEmpresaArticulos(demo::DemoGenerator::kCompany);
    e->setAlmacenDefecto(demo::DemoGenerator::kCentral);
    return e;
}

// A few replenishable, unblocked articles of the store, in code order.
QVector<GrabacionRestos::Linea> lineasRestos(const db::ConnectionPtr& c, int16_t tienda)
{
    static const char* const conceptos[] = {"Pedido de cliente", "Rotura en lineal",
                                            "Promoción", "Falta en última entrega"};
    db::Recordset rs(c, QStringLiteral("SELECT TOP 4 aa.Cod_Articulo, a.UxCaja"
                                       " FROM Almacen_Articulos aa INNER JOIN Articulos a"
                                       " ON a.Cod_Empresa = aa.Cod_Empresa AND a.Codigo = aa.Cod_Articulo"
                                       " WHERE aa.Cod_Empresa = 1 AND aa.Cod_Almacen = %1"
                                       " AND aa.Bloqueo = 0 AND a.TipoRep = 1"
                                       " ORDER BY aa.Cod_Articulo")
                            .arg(tienda));
    QVector<GrabacionRestos::Linea> lineas;
    for (int i = 0; !rs.eof(); rs.moveNext(), ++i) {
        const int64_t caja = std::max<int64_t>(1, rs.field(QStringLiteral("UxCaja")).toInt());
        lineas.append({static_cast<int32_t>(rs.field(QStringLiteral("Cod_Articulo")).toInt()),
                       db::Money::fromInt(caja * (i % 2 + 1)), QString::fromUtf8(conceptos[i % 4])});
    }
    return lineas;
}

}  // namespace

void DocumentosDemo::crear(const db::ConnectionPtr& conexion, const QDate& hoy)
{
    const auto empresa = empresaDemo();
    GrabacionRestos restos(empresa, conexion);
    for (const int16_t tienda : kTiendasConRestos) {
        const auto lineas = lineasRestos(conexion, tienda);
        if (lineas.isEmpty())
            continue;
        const int64_t codigo = restos.ObtenerCodigo(hoy, tienda, true, true);
        restos.grabar(codigo, hoy, tienda, lineas, 0);
    }

    for (const int16_t tienda : kTiendasGeneradas) {
        GeneracionPrefactura pase(empresa, conexion);
        pase.origen = demo::DemoGenerator::kCentral;
        pase.destino = tienda;
        QVector<int16_t> grupos = pase.grupos();
        grupos << 0;  // last: the articles of no group, and what is left becomes leftovers
        for (const int16_t grupo : grupos)
            pase.generar(grupo);
    }
}

}  // namespace hostapp
