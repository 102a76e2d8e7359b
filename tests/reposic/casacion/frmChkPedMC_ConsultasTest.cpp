#include "CasacionFixture.h"

#include "reposic/casacion/frmChkPedMC_Detalles.h"
#include "reposic/casacion/frmChkPedMC_Faltas.h"

namespace {

class Consultas : public CasacionFixture {
protected:
    Consultas() { semilla.articulo(1).articulo(2).articulo(3); }
    static QStringList fila(ui::FlexGrid* g, int r)
    {
        QStringList celdas;
        for (int c = 0; c < g->Cols(); ++c)
            celdas << g->TextMatrix(r, c);
        return celdas;
    }
};

}  // namespace

TEST_F(Consultas, detailsOfAnOrderAndOfAMiniPurchase)
{
    pedido(101, QStringLiteral("2026-12-01"));
    linea(101, 1, 2, 6, 2);
    linea(101, 2, 1, 4);
    linea(101, 3, 0, 1);   // text line
    linea(101, 4, 99, 1);  // article no longer in the catalogue
    mini(5, QStringLiteral("X"));
    lineaMini(5, 1, 3, 2.5);

    auto f = abrir();
    grid(f.get(), "vsPed")->setRow(1);
    QList<QStringList> vistas;
    bool ocultas = false;
    modales.then([&](QDialog& d) {
        auto* g = grid(&d, "vsArt");
        vistas << fila(g, 1) << fila(g, 2);
        EXPECT_EQ(g->Rows(), 3);
        pulsar(&d, QStringLiteral("cmdSalir"));
    });
    pulsar(f.get(), QStringLiteral("cmdDetallesPed"));
    grid(f.get(), "vsMC")->setRow(1);
    modales.then([&](QDialog& d) {
        auto* g = grid(&d, "vsArt");
        vistas << fila(g, 1);
        ocultas = g->ColHidden(3) && g->ColHidden(4) && g->ColWidth(1) >= 7000;
        pulsar(&d, QStringLiteral("cmdSalir"));
    });
    pulsar(f.get(), QStringLiteral("cmdDetallesMC"));
    ASSERT_EQ(vistas.size(), 3);
    EXPECT_EQ(vistas[0], (QStringList{"1", "Artículo 1", "4", "0", "4"}));
    EXPECT_EQ(vistas[1], (QStringList{"2", "Artículo 2", "6", "2", "4"}));
    EXPECT_EQ(vistas[2].mid(0, 3), (QStringList{"3", "Artículo 3", "2,5"}));
    EXPECT_TRUE(ocultas);
}

TEST_F(Consultas, shortagesOfTheThreeMostRecentClosedOrdersOldestFirst)
{
    pedido(90, QStringLiteral("2026-10-01"), 0);  // fourth most recent: left out
    linea(90, 1, 1, 5, 0, 5);
    pedido(91, QStringLiteral("2026-11-01"), 0);
    linea(91, 1, 2, 5, 3, 2);
    linea(91, 2, 1, 5, 4, 1);
    pedido(93, QStringLiteral("2026-11-15"), 0);
    linea(93, 1, 3, 5, 0, 5);
    pedido(92, QStringLiteral("2026-11-15"), 0);  // same date, lower code: listed first
    linea(92, 1, 1, 5, 5, 0);                     // nothing liquidated: no row, still counts
    pedido(94, QStringLiteral("2026-12-01"));     // pending: never counts
    linea(94, 1, 1, 5, 0, 5);

    auto* faltas = reposic::FormBase::porDefecto<frmChkPedMC_Faltas>();
    faltas->Cod_Almacen = 12;
    faltas->Cod_Proveedor = 500;
    faltas->show();
    EXPECT_EQ(faltas->windowTitle(), QStringLiteral("Faltas 3 últimos pedidos"));
    auto* g = grid(faltas, "vsLin");
    ASSERT_EQ(g->Rows(), 4);
    EXPECT_EQ(fila(g, 1), (QStringList{"91", "01/11/2026", "1", "Artículo 1", "5", "1"}));
    EXPECT_EQ(fila(g, 2), (QStringList{"", "", "2", "Artículo 2", "5", "2"}));
    EXPECT_EQ(fila(g, 3), (QStringList{"93", "15/11/2026", "3", "Artículo 3", "5", "5"}));
    faltas->descargar();
    EXPECT_FALSE(reposic::FormBase::hayPorDefecto<frmChkPedMC_Faltas>());
}

TEST_F(Consultas, aShortageLoadFailureIsReportedWithItsTitle)
{
    conn()->execute("DROP TABLE Pedidos_Proveedores_Lineas");
    frmChkPedMC_Faltas faltas;
    faltas.Cod_Almacen = 12;
    faltas.Cod_Proveedor = 500;
    faltas.show();
    EXPECT_EQ(mensajes.last().title, QStringLiteral("frmChkPedMC_Faltas:Form_Load"));
    EXPECT_EQ(grid(&faltas, "vsLin")->Rows(), 1);
}
