#include "PerecederosFixture.h"

#include "host/controls/SelectorAlmacen.h"
#include "platform/ui/FlexGrid.h"
#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/perecederos/frmRepPedPerecListado.h"
#include "reposic/perecederos/frmRepPedPerecVisor.h"
#include "reposic/perecederos/frmclsRepPedPerecConformar.h"
#include "reposic/perecederos/frmclsRepPedPerecListado.h"
#include "reposic/perecederos/frmclsRepPedPerecVisor.h"
#include "reposic/perecederos/frmclsRepPrefactPedCtrl.h"

#include <QComboBox>
#include <QPushButton>

#include <memory>

namespace {

class Listado : public PerecederosFixture {
protected:
    Listado()
    {
        tipos(conn());
        semilla.almacen(14, QStringLiteral("Puerto")).almacen(15, QStringLiteral("Sierra"));
    }
    std::unique_ptr<frmRepPedPerecListado> abrir()
    {
        auto f = std::make_unique<frmRepPedPerecListado>();
        f->show();
        return f;
    }
    void rango(QWidget* f, int desde, int hasta)
    {
        hijo<host::SelectorAlmacen>(f, QStringLiteral("txtAlmacenI"))->setTexto(QString::number(desde));
        hijo<host::SelectorAlmacen>(f, QStringLiteral("txtAlmacenF"))->setTexto(QString::number(hasta));
    }
};

class Visor : public PerecederosFixture {
protected:
    Visor() { tipos(conn()); }
};

}  // namespace

TEST_F(Listado, printsOneCopyPerWarehouseWithOrdersAndCloses)
{
    pedido(conn(), 15, 1, 101, 24);
    pedido(conn(), 13, 1, 102, 3);
    pedido(conn(), 13, 1, 101, 2, 1);
    pedido(conn(), 14, 2, 101, 8);  // another type
    pedido(conn(), 1, 1, 101, 8);   // outside the range
    auto f = abrir();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Listado de Pedidos Perecederos"));
    rango(f.get(), 11, 15);
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    ASSERT_EQ(impresos.size(), 2);
    const QString primero = impresos[0].texto.contains(QStringLiteral("Playa")) ? impresos[0].texto
                                                                                 : impresos[1].texto;
    const QString segundo = impresos[0].texto.contains(QStringLiteral("Playa")) ? impresos[1].texto
                                                                                : impresos[0].texto;
    EXPECT_TRUE(primero.contains(QStringLiteral("Tipo: Frutas"))) << primero.toStdString();
    EXPECT_TRUE(primero.contains(QStringLiteral("Artículo 102")));
    EXPECT_TRUE(primero.contains(QStringLiteral("CERRADO")));
    EXPECT_FALSE(primero.contains(QStringLiteral("Sierra")));
    EXPECT_TRUE(segundo.contains(QStringLiteral("Sierra")));
    EXPECT_TRUE(segundo.contains(QStringLiteral("24,00")));
    EXPECT_TRUE(f->descargado());
    EXPECT_EQ(count("Pedidos_Central"), 5);  // the listing consumes nothing
}

TEST_F(Listado, aRangeWithoutOrdersOfTheTypeSaysSoAndStaysOpen)
{
    pedido(conn(), 14, 2, 101, 8);
    auto f = abrir();
    rango(f.get(), 12, 15);
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    rango(f.get(), 15, 12);  // first above last
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    ASSERT_EQ(mensajes.count(), 2);
    EXPECT_EQ(mensajes.last().text,
              QStringLiteral("No se han encontrado datos para imprimir en el intervalo señalado"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    EXPECT_TRUE(impresos.isEmpty());
    EXPECT_FALSE(f->descargado());
}

TEST_F(Visor, showsTheStateOfEachWarehousesOrderPerType)
{
    pedido(conn(), 12, 1, 101, 24, 1);
    pedido(conn(), 13, 1, 101, 24, 0);
    frmRepPedPerecVisor f;
    f.show();
    auto* g = hijo<ui::FlexGrid>(&f, QStringLiteral("vsAlm"));
    ASSERT_EQ(g->Cols(), 4);
    ASSERT_EQ(g->Rows(), 4);
    EXPECT_EQ(g->TextMatrix(0, 0), QStringLiteral("Almacén"));
    EXPECT_EQ(g->TextMatrix(0, 1), QStringLiteral("Almacén"));
    EXPECT_TRUE(g->MergeRow(0));
    EXPECT_EQ(g->TextMatrix(0, 2), QStringLiteral("Frutas"));
    EXPECT_EQ(g->ColWidth(2), 1500);
    EXPECT_EQ(g->TextMatrix(2, 1), QStringLiteral("Centro"));
    EXPECT_EQ(g->TextMatrix(2, 2), QStringLiteral("CERRADO"));
    EXPECT_EQ(g->CellForeColor(2, 2), QColor(192, 0, 0));
    EXPECT_EQ(g->TextMatrix(3, 2), QStringLiteral("EN PROCESO"));
    EXPECT_EQ(g->CellForeColor(3, 2), QColor(0, 0, 192));
    EXPECT_EQ(g->TextMatrix(1, 2), QString());
    for (int r = 1; r < 4; ++r)
        EXPECT_EQ(g->TextMatrix(r, 3), QString());  // a type without orders: an empty column
    EXPECT_EQ(mensajes.count(), 0);
}

TEST_F(Visor, withoutTypesOnlyTheWarehouseColumns)
{
    conn()->execute("DELETE FROM Pedidos_Central_Tipos");
    frmRepPedPerecVisor f;
    f.show();
    auto* g = hijo<ui::FlexGrid>(&f, QStringLiteral("vsAlm"));
    EXPECT_EQ(g->Cols(), 2);
    EXPECT_EQ(g->Rows(), 4);
}

TEST(LanzadoresPerecederos, theHostCreatesEachByItsName)
{
    // As the host program does: referencing them keeps the launchers in the static link.
    reposic::frmclsRepPrefactPedCtrl::registrar();
    reposic::frmclsRepPedPerecListado::registrar();
    reposic::frmclsRepPedPerecVisor::registrar();
    reposic::frmclsRepPedPerecConformar::registrar();
    for (const char* nombre : {"frmclsRepPrefactPedCtrl", "frmclsRepPedPerecListado", "frmclsRepPedPerecVisor",
                               "frmclsRepPedPerecConformar"}) {
        auto lanzador = reposic::LanzadorRegistro::crear(QString::fromLatin1(nombre));
        EXPECT_NE(lanzador, nullptr) << nombre;
    }
}
