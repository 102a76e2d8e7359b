#include "PerecederosFixture.h"

#include "host/controls/SelectorAlmacen.h"
#include "platform/report/Error.h"
#include "reposic/perecederos/frmRepPedPerecGenPreFactura.h"

#include <QComboBox>
#include <QPushButton>

#include <memory>

using db::Money;

namespace {

// At the central office the orders are on the host's own connection.
class GenPreFactura : public PerecederosFixture {
protected:
    GenPreFactura() { tipos(conn()); }
    std::unique_ptr<frmRepPedPerecGenPreFactura> abrir()
    {
        auto f = std::make_unique<frmRepPedPerecGenPreFactura>();
        f->show();
        return f;
    }
    void generar(QWidget* f, const QString& destino)
    {
        hijo<host::SelectorAlmacen>(f, QStringLiteral("txtAlmacenD"))->setTexto(destino);
        pulsar(f, QStringLiteral("cmdAceptar"));
    }
};

}  // namespace

TEST_F(GenPreFactura, theTypeNamesTheSupplyingWarehouseUnlessItHasNone)
{
    auto f = abrir();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Generar Prefacturas de Perecederos"));
    auto* origen = hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacenO"));
    EXPECT_EQ(origen->codigo(), 1);
    EXPECT_EQ(origen->nombre(), QStringLiteral("Central"));
    hijo<QComboBox>(f.get(), QStringLiteral("cboTipo"))->setCurrentIndex(1);  // supplied by 0
    EXPECT_EQ(origen->codigo(), 1);
    EXPECT_TRUE(hijo<QPushButton>(f.get(), QStringLiteral("cmdAceptar"))->isEnabled());
}

TEST_F(GenPreFactura, withoutTypesThereIsNothingToAccept)
{
    conn()->execute("DELETE FROM Pedidos_Central_Tipos");
    auto f = abrir();
    EXPECT_EQ(hijo<QComboBox>(f.get(), QStringLiteral("cboTipo"))->count(), 0);
    EXPECT_FALSE(hijo<QPushButton>(f.get(), QStringLiteral("cmdAceptar"))->isEnabled());
}

TEST_F(GenPreFactura, asksForExistingWarehouses)
{
    auto f = abrir();
    generar(f.get(), QStringLiteral("77"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().text, QStringLiteral("Se esperaba código de almacén."));
    EXPECT_EQ(mensajes.last().icon(), ui::vbInformation);
    EXPECT_EQ(count("Reposicion_Pref"), 0);
}

TEST_F(GenPreFactura, oneRunMakesOnePreInvoiceConsumesTheOrdersAndTheNextFindsNothing)
{
    pedido(conn(), 12, 1, 101, 24);
    pedido(conn(), 12, 1, 102, 3.5);
    pedido(conn(), 12, 2, 102, 9);   // another type
    pedido(conn(), 13, 1, 101, 6);   // another store
    auto f = abrir();
    generar(f.get(), QStringLiteral("12"));
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    ASSERT_EQ(count("Reposicion_Pref"), 1);
    EXPECT_EQ(scalar("SELECT Cod_Almacen FROM Reposicion_Pref").toInt(), 1);
    EXPECT_EQ(scalar("SELECT Cod_AlmacenD FROM Reposicion_Pref").toInt(), 12);
    EXPECT_EQ(scalar("SELECT Codigo FROM Reposicion_Pref").toInt64(), 260100001);
    EXPECT_EQ(scalar("SELECT UnidadesVenta FROM Reposicion_Pref_Lineas WHERE Cod_Articulo = 102").toMoney(),
              Money::fromDouble(3.5));
    EXPECT_EQ(scalar("SELECT UnidadesResto FROM Reposicion_Pref_Lineas WHERE Cod_Articulo = 101").toMoney(),
              Money());
    EXPECT_EQ(count("Pedidos_Central"), 2);
    EXPECT_EQ(count("Pedidos_Central", "Cod_Almacen = 12 AND Cod_Tipo = 1"), 0);
    EXPECT_EQ(count("Reposicion"), 0);  // the proposal is not touched
    ASSERT_EQ(impresos.size(), 1);
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("260100001")));
    EXPECT_TRUE(hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacenD"))->texto().isEmpty());

    generar(f.get(), QStringLiteral("12"));
    EXPECT_EQ(mensajes.texts(), QStringList{QStringLiteral("No hay datos para generar una prefactura")});
    EXPECT_EQ(count("Reposicion_Pref"), 1);
    EXPECT_EQ(impresos.size(), 1);
}

TEST_F(GenPreFactura, aFailureLeavesTheOrdersAndTheCounterAsTheyWere)
{
    pedido(conn(), 12, 1, 101, 24);
    pedido(conn(), 12, 1, 102, 3);
    conn()->execute("CREATE TRIGGER fallo BEFORE INSERT ON Reposicion_Pref_Lineas WHEN NEW.Cod_Articulo = 102"
                    " BEGIN SELECT RAISE(ABORT, 'sin espacio'); END");
    auto f = abrir();
    generar(f.get(), QStringLiteral("12"));
    ASSERT_EQ(mensajes.count(), 2);
    EXPECT_TRUE(mensajes.boxes()[0].text.contains(QStringLiteral("sin espacio")));
    EXPECT_EQ(mensajes.boxes()[0].icon(), ui::vbCritical);
    EXPECT_EQ(mensajes.boxes()[1].text, QStringLiteral("No hay datos para generar una prefactura"));
    EXPECT_EQ(count("Reposicion_Pref"), 0);
    EXPECT_EQ(count("Pedidos_Central"), 2);
    EXPECT_EQ(conn()->transactionDepth(), 0);

    conn()->execute("DROP TRIGGER fallo");
    generar(f.get(), QStringLiteral("12"));
    EXPECT_EQ(scalar("SELECT Codigo FROM Reposicion_Pref").toInt64(), 260100001);
}

TEST_F(GenPreFactura, aPrintingFailureKeepsThePreInvoiceAndTellsTheUser)
{
    pedido(conn(), 12, 1, 101, 24);
    const auto anterior = report::DocumentPrinter::setSpool(
        [](const report::RenderedDocument&, const report::PrintTarget&) {
            throw report::Error(QStringLiteral("sin papel"));
        });
    auto f = abrir();
    generar(f.get(), QStringLiteral("12"));
    report::DocumentPrinter::setSpool(anterior);
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("260100001")));
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("sin papel")));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_EQ(count("Reposicion_Pref"), 1);
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 1);
    EXPECT_EQ(count("Pedidos_Central"), 0);
}
