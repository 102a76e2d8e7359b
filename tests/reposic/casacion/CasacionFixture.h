#pragma once

#include "platform/ui/FlexGrid.h"
#include "reposic/casacion/frmChkPedMC_Main.h"
#include "support/PantallaFixture.h"

#include <QTest>

#include <memory>

// A store (warehouse 12) receiving from supplier 500, with the helpers that write its supplier
// orders and mini-purchases, and the matching screen opened on both.
class CasacionFixture : public testsupport::PantallaFixture {
protected:
    CasacionFixture()
    {
        semilla.almacen(1, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"));
        conn()->execute("UPDATE Almacenes SET CfgStockTransito = 1 WHERE Codigo = 12");
        proveedor(500, 1);
        for (const char* p : {"OficinaCentral=1", "PedProv_ModoActUndsPtes=1",
                              "RepArtProv_TipoReposicionAutomatica=1", "PedProv_AnularAutenticar=0"}) {
            const QStringList kv = QString::fromLatin1(p).split(QLatin1Char('='));
            empresa_->setParametro(kv[0], kv[1]);
        }
    }

    void proveedor(int codigo, int usarPend)
    {
        conn()->execute(QStringLiteral("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre,"
                                       " UsarPendRecibirPedidos) VALUES (1, %1, 'Proveedor %1', %2)")
                            .arg(codigo).arg(usarPend));
    }
    void pedido(int codigo, const QString& fecha, int pendiente = 1, int proveedor = 500)
    {
        conn()->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores (Cod_Empresa, Codigo, Fecha,"
                                       " Cod_Almacen, Cod_Proveedor, Importe, Pendiente)"
                                       " VALUES (1, %1, '%2', 12, %3, 100.5, %4)")
                            .arg(codigo).arg(fecha).arg(proveedor).arg(pendiente));
    }
    void linea(int pedido, int linea, int articulo, double unidades, double rcv = 0, double liq = 0)
    {
        conn()->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea,"
                                       " Cod_Articulo, Unidades, UnidadesRcv, UnidadesLiq)"
                                       " VALUES (1, %1, %2, %3, %4, %5, %6)")
                            .arg(pedido).arg(linea).arg(articulo).arg(unidades).arg(rcv).arg(liq));
    }
    void mini(int codigo, const QString& documento, int casada = 0, int ejercicio = 2026)
    {
        conn()->execute(QStringLiteral("INSERT INTO Compras_Mini (Cod_Empresa, Cod_Ejercicio, Cod_Almacen,"
                                       " Codigo, Fecha, Documento, Cod_Proveedor, CheckvsPed, EnviadoCheckvsPed)"
                                       " VALUES (1, %1, 12, %2, '2026-12-04', '%3', 500, %4, 1)")
                            .arg(ejercicio).arg(codigo).arg(documento).arg(casada));
    }
    void lineaMini(int codigo, int linea, int articulo, double unidades, int ejercicio = 2026)
    {
        conn()->execute(QStringLiteral("INSERT INTO Compras_Mini_Lineas (Cod_Empresa, Cod_Ejercicio,"
                                       " Cod_Almacen, Codigo, Linea, Cod_Articulo, Unidades, CostoFra)"
                                       " VALUES (1, %1, 12, %2, %3, %4, %5, 3.5)")
                            .arg(ejercicio).arg(codigo).arg(linea).arg(articulo).arg(unidades));
        conn()->execute(QStringLiteral("INSERT INTO Compras_Mini_Lineas_Convenio (Cod_Empresa, Cod_Ejercicio,"
                                       " Cod_Almacen, Codigo, Linea, Cod_Convenio, Importe)"
                                       " VALUES (1, %1, 12, %2, %3, 1, 0.2)")
                            .arg(ejercicio).arg(codigo).arg(linea));
    }

    std::unique_ptr<frmChkPedMC_Main> abrir(int almacen = 12, int proveedor = 500)
    {
        auto f = std::make_unique<frmChkPedMC_Main>();
        f->Cod_Almacen = static_cast<int16_t>(almacen);
        f->Cod_Proveedor = proveedor;
        f->show();
        return f;
    }
    static ui::FlexGrid* grid(QWidget* f, const char* nombre)
    {
        return hijo<ui::FlexGrid>(f, QString::fromLatin1(nombre));
    }
    // A real mouse click on a cell of the grid.
    static void clic(ui::FlexGrid* g, int fila, int col = 2)
    {
        g->scrollToItem(g->item(fila, col));
        const QRect r = g->visualRect(g->model()->index(fila, col));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }
    // The space bar on a row.
    static void espacio(ui::FlexGrid* g, int fila)
    {
        g->setRow(fila);
        QTest::keyClick(g, Qt::Key_Space);
    }
    // The row of the grid whose column `col` reads `texto`; -1 when none.
    static int filaDe(ui::FlexGrid* g, int col, const QString& texto)
    {
        for (int r = g->FixedRows(); r < g->Rows(); ++r) {
            if (g->TextMatrix(r, col) == texto)
                return r;
        }
        return -1;
    }
    db::Money dinero(const QString& sql) const { return scalar(sql).toMoney(); }
};
