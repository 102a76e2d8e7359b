#include "PerecederosFixture.h"

#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorArticulo.h"
#include "platform/db/ConnectionString.h"
#include "platform/report/Error.h"
#include "platform/ui/FlexGrid.h"
#include "reposic/frame/frmMsg.h"
#include "reposic/frame/modComun.h"
#include "reposic/perecederos/frmRepPedPerecConformar.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>

#include <memory>

using db::Money;

namespace {

class Conformar : public PerecederosFixture {
protected:
    std::unique_ptr<frmRepPedPerecConformar> abrir()
    {
        auto f = std::make_unique<frmRepPedPerecConformar>();
        f->show();
        QApplication::processEvents();
        return f;
    }
    ui::FlexGrid* grid(QWidget* f) { return hijo<ui::FlexGrid>(f, QStringLiteral("vsP")); }
    // Types the article, boxes and units, pressing Enter after each as the user does.
    void anadir(QWidget* f, int articulo, const QString& cajas, const QString& unidades)
    {
        auto* art = hijo<host::SelectorArticulo>(f, QStringLiteral("txtArticulo"));
        art->setTexto(QString::number(articulo));
        pulsarTecla(art->lineaTexto(), Qt::Key_Return);
        auto* b = hijo<QLineEdit>(f, QStringLiteral("txtBultos"));
        b->setText(cajas);
        pulsarTecla(b, Qt::Key_Return);
        auto* u = hijo<QLineEdit>(f, QStringLiteral("txtUnidades"));
        u->setText(unidades);
        pulsarTecla(u, Qt::Key_Return);
    }
    Money guardado(int almacen, int articulo, int tipo = 1)
    {
        return enCentral(QStringLiteral("SELECT Cantidad FROM Pedidos_Central WHERE Cod_Almacen = %1"
                                        " AND Cod_Articulo = %2 AND Cod_Tipo = %3")
                             .arg(almacen).arg(articulo).arg(tipo)).toMoney();
    }
    QStringList fila(QWidget* f, int r)
    {
        QStringList l;
        for (int c = 0; c < 5; ++c)
            l << grid(f)->TextMatrix(r, c);
        return l;
    }
};

}  // namespace

TEST_F(Conformar, withoutACentralServerSaysSoAndCloses)
{
    empresa_->setParametro(QStringLiteral("ServidorCentral"), QString());
    auto f = abrir();
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().text,
              QStringLiteral("No se ha configurado el nombre o dirección IP del servidor central"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Atención !"));
    EXPECT_TRUE(f->descargado());
    EXPECT_FALSE(f->isVisible());
}

TEST_F(Conformar, aCentralServerThatDoesNotAnswerIsReportedAndTheScreenCloses)
{
    db::ServerList::set(QStringLiteral("CENTRAL"),
                        db::ServerEntry{{}, 1433, carpetaCentral.filePath(QStringLiteral("no/existe"))});
    auto f = abrir();
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("servidor central \"CENTRAL\"")));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_TRUE(f->descargado());
    EXPECT_EQ(f->conexionCentral(), nullptr);
}

// A password holding ';', '=' and quotes stays one password: it cannot name another database,
// and a central server that refuses the log-on never shows it in the box.
TEST_F(Conformar, aPasswordWithSeparatorsStaysOnePasswordAndIsNeverShown)
{
    const QString clave = QStringLiteral("Cl4ve;Database=Otra'\"");
    reposic::modComun::setPassword(clave);
    {
        auto f = abrir();
        ASSERT_NE(f->conexionCentral(), nullptr) << mensajes.texts().join('\n').toStdString();
        EXPECT_EQ(db::ConnectionString(f->conexionCentral()->connectionString())
                      .value(QStringLiteral("Password")), clave);
        f->descargar();
    }
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 cerrado = probe.serverPort();
    probe.close();
    db::ServerList::set(QStringLiteral("CENTRAL"),
                        db::ServerEntry{QStringLiteral("127.0.0.1"), cerrado, {}});
    auto f = abrir();
    reposic::modComun::setPassword(QString());
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("CENTRAL")));
    EXPECT_FALSE(mensajes.last().text.contains(QStringLiteral("Cl4ve")))
        << mensajes.last().text.toStdString();
    EXPECT_TRUE(f->descargado());
}

TEST_F(Conformar, opensItsOwnCentralConnectionAndLoadsTheStoresOrderInFamilyOrder)
{
    pedido(central, 12, 1, 101, 30);
    pedido(central, 12, 1, 102, 5);
    pedido(central, 13, 1, 101, 99);
    auto f = abrir();
    ASSERT_NE(f->conexionCentral(), nullptr);
    EXPECT_EQ(f->conexionCentral()->connectionString(),
              QStringLiteral("Provider=SQLOLEDB;Server=CENTRAL;Database=Calbra;User Id=sa;Password=;"));
    EXPECT_EQ(f->conexionCentral()->commandTimeout(), 5);
    EXPECT_EQ(f->conexionCentral()->connectionTimeout(), 5);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Pedidos de Perecederos"));

    auto* almacen = hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacen"));
    EXPECT_EQ(almacen->codigo(), 12);
    EXPECT_FALSE(almacen->isEnabled());
    auto* tipo = hijo<QComboBox>(f.get(), QStringLiteral("cboTipo"));
    EXPECT_EQ(tipo->count(), 2);
    EXPECT_EQ(tipo->currentText(), QStringLiteral("Frutas"));
    ASSERT_EQ(grid(f.get())->Rows(), 3);
    EXPECT_EQ(fila(f.get(), 0), (QStringList{"Código", "Descripción", "UxC", "Cajas", "Unidades"}));
    // No units per box: no UxC and no boxes, the units only.
    EXPECT_EQ(fila(f.get(), 1), (QStringList{"102", "Artículo 102", "", "", "5,00"}));
    EXPECT_EQ(fila(f.get(), 2), (QStringList{"101", "Artículo 101", "12", "2", "30,00"}));

    tipo->setCurrentIndex(1);
    EXPECT_EQ(grid(f.get())->Rows(), 1);
    EXPECT_TRUE(mensajes.boxes().isEmpty()) << mensajes.texts().join('\n').toStdString();
    f->descargar();
    EXPECT_EQ(f->conexionCentral(), nullptr);
}

TEST_F(Conformar, boxesAndUnitsAddUpOnOneGridRowAndOneStoredRow)
{
    auto f = abrir();
    auto* art = hijo<host::SelectorArticulo>(f.get(), QStringLiteral("txtArticulo"));
    art->setTexto(QStringLiteral("101"));
    pulsarTecla(art->lineaTexto(), Qt::Key_Return);
    auto* lbl = hijo<QLabel>(f.get(), QStringLiteral("lblUxCaja"));
    EXPECT_EQ(lbl->text(), QStringLiteral("UxCaja: 12"));

    auto* bultos = hijo<QLineEdit>(f.get(), QStringLiteral("txtBultos"));
    bultos->setText(QStringLiteral("10000"));
    pulsarTecla(bultos, Qt::Key_Return);
    EXPECT_TRUE(bultos->text().isEmpty());
    bultos->setText(QStringLiteral("9999"));
    pulsarTecla(bultos, Qt::Key_Return);
    EXPECT_EQ(lbl->text(), QStringLiteral("UxCaja: 12x9999 = 119988"));
    bultos->setText(QStringLiteral("2"));
    pulsarTecla(bultos, Qt::Key_Return);
    EXPECT_EQ(lbl->text(), QStringLiteral("UxCaja: 12x2 = 24"));
    auto* unidades = hijo<QLineEdit>(f.get(), QStringLiteral("txtUnidades"));
    unidades->setText(QStringLiteral("3"));
    pulsarTecla(unidades, Qt::Key_Return);

    EXPECT_EQ(guardado(12, 101), Money::fromInt(27));
    EXPECT_EQ(fila(f.get(), 1), (QStringList{"101", "Artículo 101", "12", "2", "27,00"}));
    EXPECT_TRUE(art->texto().isEmpty());
    EXPECT_TRUE(bultos->text().isEmpty());
    EXPECT_EQ(lbl->text(), QStringLiteral("UxCaja: "));

    anadir(f.get(), 101, QStringLiteral("1"), QString());
    anadir(f.get(), 101, QString(), QStringLiteral("-5"));  // negative units reduce the order
    EXPECT_EQ(grid(f.get())->Rows(), 2);
    EXPECT_EQ(fila(f.get(), 1), (QStringList{"101", "Artículo 101", "12", "3", "34,00"}));
    EXPECT_EQ(guardado(12, 101), Money::fromInt(34));
    EXPECT_EQ(enCentral("SELECT COUNT(*) FROM Pedidos_Central").toInt(), 1);

    anadir(f.get(), 102, QString(), QStringLiteral("7,5"));
    EXPECT_EQ(fila(f.get(), 2), (QStringList{"102", "Artículo 102", "", "", "7,50"}));
    EXPECT_EQ(guardado(12, 102), Money::fromDouble(7.5));
    EXPECT_EQ(enCentral("SELECT Cerrado FROM Pedidos_Central WHERE Cod_Articulo = 102").toInt(), 0);
    EXPECT_TRUE(mensajes.boxes().isEmpty()) << mensajes.texts().join('\n').toStdString();
}

TEST_F(Conformar, aZeroTotalDoesNothingAndAnUnknownArticleIsRefused)
{
    auto f = abrir();
    anadir(f.get(), 101, QString(), QStringLiteral("0"));
    EXPECT_EQ(mensajes.count(), 0);
    anadir(f.get(), 555, QString(), QStringLiteral("4"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().text, QStringLiteral("Especifique un código de artículo correcto"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    EXPECT_EQ(enCentral("SELECT COUNT(*) FROM Pedidos_Central").toInt(), 0);
    EXPECT_EQ(grid(f.get())->Rows(), 1);
}

TEST_F(Conformar, removingALineAsksNothingAndDeletesOnlyThatArticle)
{
    pedido(central, 12, 1, 101, 30);
    pedido(central, 12, 1, 102, 5);
    pedido(central, 12, 2, 102, 8);
    auto f = abrir();
    grid(f.get())->setRow(1);  // article 102 of type 1
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(mensajes.count(), 0);
    EXPECT_EQ(grid(f.get())->Rows(), 2);
    EXPECT_EQ(enCentral("SELECT COUNT(*) FROM Pedidos_Central WHERE Cod_Tipo = 1").toInt(), 1);
    EXPECT_EQ(enCentral("SELECT COUNT(*) FROM Pedidos_Central WHERE Cod_Tipo = 2").toInt(), 1);
    grid(f.get())->setRow(1);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_FALSE(hijo<QPushButton>(f.get(), QStringLiteral("cmdEliminar"))->isEnabled());
}

TEST_F(Conformar, closingAtAStoreLocksTheOrderAlsoWhenReopened)
{
    pedido(central, 12, 1, 101, 30);
    pedido(central, 13, 1, 101, 30);
    {
        auto f = abrir();
        mensajes.answer(ui::vbNo);
        pulsar(f.get(), QStringLiteral("cmdCerrarPedido"));
        EXPECT_EQ(enCentral("SELECT SUM(Cerrado) FROM Pedidos_Central").toInt(), 0);
        mensajes.answer(ui::vbYes);
        pulsar(f.get(), QStringLiteral("cmdCerrarPedido"));
        ASSERT_EQ(mensajes.count(), 2);
        EXPECT_EQ(mensajes.last().text, QStringLiteral("¿Esta seguro que desea cerrar el pedido?"));
        EXPECT_EQ(mensajes.last().flags, ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2);
        EXPECT_EQ(enCentral("SELECT Cerrado FROM Pedidos_Central WHERE Cod_Almacen = 12").toInt(), 1);
        EXPECT_EQ(enCentral("SELECT Cerrado FROM Pedidos_Central WHERE Cod_Almacen = 13").toInt(), 0);
        EXPECT_TRUE(hijo<QLabel>(f.get(), QStringLiteral("lblI"))->isVisible());
        EXPECT_FALSE(hijo<QGroupBox>(f.get(), QStringLiteral("fraDatos"))->isEnabled());
    }
    auto f = abrir();
    EXPECT_TRUE(f->pedidoCerrado());
    EXPECT_TRUE(hijo<QLabel>(f.get(), QStringLiteral("lblI"))->isVisible());
    for (const char* c : {"cmdEliminar", "cmdCerrarPedido", "fraDatos"})
        EXPECT_FALSE(hijo<QWidget>(f.get(), QString::fromLatin1(c))->isEnabled()) << c;
    EXPECT_TRUE(hijo<QPushButton>(f.get(), QStringLiteral("cmdImprimir"))->isEnabled());
}

TEST_F(Conformar, theCentralOfficeChoosesTheWarehouseAndStillEditsClosedOrders)
{
    empresa_->setParametro(QStringLiteral("OficinaCentral"), QStringLiteral("True"));
    empresa_->setAlmacenDefecto(1);
    pedido(central, 13, 1, 101, 30, 1);
    auto f = abrir();
    auto* almacen = hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacen"));
    EXPECT_TRUE(almacen->isEnabled());
    EXPECT_EQ(grid(f.get())->Rows(), 1);
    almacen->setTexto(QStringLiteral("13"));
    pulsarTecla(almacen->lineaTexto(), Qt::Key_Return);
    ASSERT_EQ(grid(f.get())->Rows(), 2);
    EXPECT_TRUE(hijo<QLabel>(f.get(), QStringLiteral("lblI"))->isVisible());
    EXPECT_TRUE(hijo<QGroupBox>(f.get(), QStringLiteral("fraDatos"))->isEnabled());
    anadir(f.get(), 102, QString(), QStringLiteral("4"));
    // Lines added to a closed order are stored closed, so the order stays closed as a whole.
    EXPECT_EQ(enCentral("SELECT Cerrado FROM Pedidos_Central WHERE Cod_Articulo = 102").toInt(), 1);
}

TEST_F(Conformar, printsTheOrderAsTextOnTheDefaultPrinter)
{
    pedido(central, 12, 1, 101, 30);
    pedido(central, 12, 1, 102, 5);
    auto f = abrir();
    pulsar(f.get(), QStringLiteral("cmdImprimir"));
    ASSERT_EQ(impresos.size(), 1);
    EXPECT_EQ(impresos[0].documento, QStringLiteral("Pedido Perecedero"));
    const QString t = impresos[0].texto;
    EXPECT_TRUE(t.contains(QStringLiteral("PEDIDOS PERECEDERO")));
    EXPECT_TRUE(t.contains(QStringLiteral("EMPRESA : 1 - Distribuciones Norte S.A.")));
    EXPECT_TRUE(t.contains(QStringLiteral("ALMACEN : 12 - Centro")));
    EXPECT_TRUE(t.contains(QStringLiteral("TIPO    : Frutas")));
    EXPECT_TRUE(t.contains(QStringLiteral("FECHA   : 05/12/2026")));
    EXPECT_TRUE(t.contains(QStringLiteral("PAG. 1")));
    EXPECT_TRUE(t.contains(QStringLiteral("30,000")));
    EXPECT_EQ(mensajes.count(), 0);
}

TEST_F(Conformar, aPrintingFailureTakesTheWaitMessageDownAndSaysSo)
{
    pedido(central, 12, 1, 101, 30);
    auto f = abrir();
    const auto anterior = report::DocumentPrinter::setSpool(
        [](const report::RenderedDocument&, const report::PrintTarget&) {
            throw report::Error(QStringLiteral("impresora apagada"));
        });
    bool esperaVisible = true;
    const auto responder = ui::installMsgBoxResponder([&](const ui::MsgBoxCall& c) {
        esperaVisible = reposic::frmMsg::existe() && reposic::frmMsg::instancia()->isVisible();
        EXPECT_TRUE(c.text.contains(QStringLiteral("impresora apagada"))) << c.text.toStdString();
        EXPECT_EQ(c.icon(), ui::vbCritical);
        return ui::vbOK;
    });
    pulsar(f.get(), QStringLiteral("cmdImprimir"));
    ui::installMsgBoxResponder(responder);
    report::DocumentPrinter::setSpool(anterior);
    EXPECT_FALSE(esperaVisible);
    EXPECT_EQ(guardado(12, 101), Money::fromInt(30));
}
