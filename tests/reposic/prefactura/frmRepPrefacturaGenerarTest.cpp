#include "host/controls/SelectorAlmacen.h"
#include "platform/ui/OutputDevicePicker.h"
#include "reposic/frame/clsView.h"
#include "reposic/frame/frmView.h"
#include "reposic/prefactura/frmRepPrefacturaGenerar.h"
#include "support/PantallaFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QLineEdit>

#include <memory>

using db::Money;

namespace {

class PantallaGenerar : public testsupport::PantallaFixture {
protected:
    PantallaGenerar()
    {
        semilla.almacen(1, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"));
    }
    void pendiente(int art, double unidades, double stock, int familia = 0)
    {
        semilla.articulo(art, 0, 0, 1, familia).stock(1, art, stock).stock(12, art, 0)
            .pendiente(12, art, unidades, unidades, 0);
    }
    std::unique_ptr<frmRepPrefacturaGenerar> abrir()
    {
        auto f = std::make_unique<frmRepPrefacturaGenerar>();
        f->show();
        return f;
    }
    // Pre-invoice 260100007 from 1 to 12, opened in the screen's reprint mode.
    std::unique_ptr<frmRepPrefacturaGenerar> reimprimir()
    {
        pendiente(101, 6, 100);
        conn()->execute("INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Cod_AlmacenD,"
                        " Pendiente, Observaciones) VALUES (1, 1, 260100007, '2026-12-01', 12, 1, '')");
        auto f = std::make_unique<frmRepPrefacturaGenerar>();
        f->Cod_Almacen = 1;
        f->Cod_AlmacenD = 12;
        f->Codigo = 260100007;
        f->show();
        return f;
    }
    void destino(QWidget* f, const QString& codigo)
    {
        hijo<host::SelectorAlmacen>(f, QStringLiteral("txtAlmacenD"))->setTexto(codigo);
    }
};

}  // namespace

TEST_F(PantallaGenerar, loadsWithTheUsersWarehouseAndTheDefaults)
{
    auto f = abrir();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Generación de PreFactura"));
    EXPECT_EQ(hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacenO"))->codigo(), 1);
    EXPECT_EQ(hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacenO"))->nombre(),
              QStringLiteral("Central"));
    EXPECT_EQ(hijo<QComboBox>(f.get(), QStringLiteral("cboCantidad"))->currentText(), QStringLiteral("100%"));
    EXPECT_EQ(hijo<QComboBox>(f.get(), QStringLiteral("cboModelo"))->currentText(),
              QStringLiteral("Ubicación, Stock Origen"));
    EXPECT_EQ(f->DevCriterio(), QStringLiteral("Almacén: TODOS  Proveedor: TODOS  "));
    destino(f.get(), QStringLiteral("12"));
    EXPECT_EQ(f->DevCriterio(), QStringLiteral("Almacén: 12 - Centro  Proveedor: TODOS  "));
}

TEST_F(PantallaGenerar, asksForTheDestinationFirst)
{
    auto f = abrir();
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().text, QStringLiteral("Se esperaba código de almacén."));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Atención !"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbInformation);
    EXPECT_EQ(count("Reposicion_Pref"), 0);
}

TEST_F(PantallaGenerar, generatesOnePreInvoicePerGroupPrintsEachAndIsReadyForTheNextStore)
{
    pendiente(101, 6, 100, 10);
    pendiente(102, 4, 100, 20);
    semilla.grupo(1, QStringLiteral("Frutas"), 10);
    auto f = abrir();
    hijo<QComboBox>(f.get(), QStringLiteral("cboCantidad"))->setCurrentText(QStringLiteral("50%"));
    destino(f.get(), QStringLiteral("12"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));

    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    EXPECT_EQ(count("Reposicion_Pref"), 2);
    EXPECT_EQ(scalar("SELECT Unidades FROM Reposicion_Pref_Lineas WHERE Cod_Articulo = 101").toMoney(),
              Money::fromInt(3));
    // Each pre-invoice with its shortage report, on the chosen printer.
    ASSERT_EQ(impresos.size(), 4);
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("260100001")));
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("101")));
    EXPECT_TRUE(impresos[1].texto.contains(QStringLiteral("Almacén: 12 - Centro")));
    EXPECT_TRUE(impresos[2].texto.contains(QStringLiteral("260100002")));
    EXPECT_TRUE(hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacenD"))->texto().isEmpty());
    EXPECT_EQ(hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacenO"))->codigo(), 1);
}

TEST_F(PantallaGenerar, saysSoWhenTheLastPassHadNothing)
{
    pendiente(101, 6, 100, 10);
    semilla.grupo(1, QStringLiteral("Frutas"), 10);
    auto f = abrir();
    hijo<QAbstractButton>(f.get(), QStringLiteral("chkControlStock"))->setChecked(false);
    destino(f.get(), QStringLiteral("12"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    EXPECT_EQ(impresos.size(), 1);
    EXPECT_EQ(mensajes.texts(), QStringList{QStringLiteral("No hay datos para generar una prefactura")});
}

TEST_F(PantallaGenerar, aFailingPassIsReportedAndTheRunGoesOn)
{
    pendiente(101, 6, 100, 10);
    pendiente(102, 4, 100, 20);
    semilla.grupo(1, QStringLiteral("Frutas"), 10);
    conn()->execute("CREATE TRIGGER fallo BEFORE INSERT ON Reposicion_Pref_Lineas WHEN NEW.Cod_Articulo = 101"
                    " BEGIN SELECT RAISE(ABORT, 'sin espacio'); END");
    auto f = abrir();
    destino(f.get(), QStringLiteral("12"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("sin espacio")));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Atención !"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_EQ(count("Reposicion_Pref"), 1);  // group 0 still made its pre-invoice
    EXPECT_EQ(count("Reposicion_Pref_Lineas", "Cod_Articulo = 102"), 1);
}

TEST_F(PantallaGenerar, reprintModeLocksThePickersPrintsOnceAndTouchesNoTable)
{
    auto f = reimprimir();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Imprimir PreFactura"));
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("txtAlmacenD"))->isEnabled());
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    ASSERT_EQ(impresos.size(), 2);
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("260100007")));
    EXPECT_EQ(count("Reposicion", "Unidades = 6"), 1);
    EXPECT_EQ(count("Reposicion_Pref"), 1);
    EXPECT_TRUE(f->descargado());
}

TEST_F(PantallaGenerar, aMissingReportFileIsReportedWithTheClickTitle)
{
    pendiente(101, 6, 100);
    empresa_->setRutaAplicacion(QStringLiteral("/no/existe"));
    auto f = abrir();
    destino(f.get(), QStringLiteral("12"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().title, QStringLiteral("frmRepPrefacturaGenerar:cmdAceptar_Click"));
    // The file is named as the system writes paths, never half with backslashes.
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("/no/existe/Rpt/Reposicion Prefactura.rpt")))
        << mensajes.last().text.toStdString();
    EXPECT_EQ(count("Reposicion_Pref"), 1);  // committed before printing: it stays
}

TEST_F(PantallaGenerar, refusesWhileANightlyRunHoldsTheOriginAndGeneratesOnceItEnds)
{
    pendiente(101, 6, 100);
    conn()->execute(QStringLiteral("INSERT INTO Reposicion_Bloqueo VALUES (1, 1, 'noche', 'SERVIDOR1',"
                                   " 77, '%1T02:05:00', '%2')")
                        .arg(QDate::currentDate().toString(Qt::ISODate),
                             QDateTime::currentDateTime().toString(Qt::ISODate)));
    auto f = abrir();
    hijo<QAbstractButton>(f.get(), QStringLiteral("chkControlStock"))->setChecked(false);
    destino(f.get(), QStringLiteral("12"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().text,
              QStringLiteral("La generación del almacén 1 está en curso en SERVIDOR1 desde 02:05 (usuario noche)."));
    EXPECT_EQ(count("Reposicion_Pref"), 0);
    EXPECT_TRUE(impresos.isEmpty());

    conn()->execute(QStringLiteral("DELETE FROM Reposicion_Bloqueo"));
    destino(f.get(), QStringLiteral("12"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    EXPECT_EQ(count("Reposicion_Pref"), 1);
    EXPECT_EQ(count("Reposicion_Bloqueo"), 0);  // the screen's own hold ends with the click
}

// The output picker offers only what is honoured: a generation prints one document per group,
// so it shows the printer and cannot change; a single pre-invoice reprinted may be previewed.
TEST_F(PantallaGenerar, screenOutputPreviewsAReprintAndIsNotOfferedForAGeneration)
{
    auto generacion = abrir();
    auto* salida = hijo<ui::OutputDevicePicker>(generacion.get(), QStringLiteral("cboDisp"));
    EXPECT_EQ(salida->Value(), ui::OutputDevicePicker::Impresora);
    EXPECT_FALSE(salida->isEnabled());

    auto f = reimprimir();
    salida = hijo<ui::OutputDevicePicker>(f.get(), QStringLiteral("cboDisp"));
    ASSERT_TRUE(salida->isEnabled());
    EXPECT_EQ(salida->Value(), ui::OutputDevicePicker::Impresora);
    salida->setValue(ui::OutputDevicePicker::Pantalla);
    QStringList vistas;
    const auto anterior = reposic::clsView::setModalHook(
        [&](reposic::frmView& v) { vistas << v.windowTitle(); });
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    reposic::clsView::setModalHook(anterior);
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    EXPECT_EQ(vistas.size(), 2) << "the pre-invoice and its shortage report";
    EXPECT_TRUE(impresos.isEmpty());
}

// Enter on a warehouse picker moves on, as it does from every other field of the screen.
TEST_F(PantallaGenerar, enterOnTheDestinationMovesOnToTheNextField)
{
    auto f = abrir();
    QApplication::setActiveWindow(f.get());
    auto* destinoTexto = hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacenD"))->lineaTexto();
    destinoTexto->setFocus();
    destinoTexto->setText(QStringLiteral("12"));
    pulsarTecla(destinoTexto, Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), destinoTexto);
    EXPECT_TRUE(f->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(PantallaGenerar, printoutsReadTheArticleMasterOfItsOwnCompanyAndShortagesAreDated)
{
    pendiente(101, 6, 100);
    pendiente(102, 10, 4);  // six units short
    // The article master is kept under company 9; company 1's own rows are stale copies.
    conn()->execute("UPDATE Articulos SET Cod_Empresa = 9");
    conn()->execute("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion, UxCaja, UxFraccion,"
                    " TipoRep, Familia_1, Marca) VALUES (1, 101, 'Copia antigua', 0, 0, 1, 0, 0)");
    empresa_->setCodigoEmpresaArticulos(9);
    auto f = abrir();
    destino(f.get(), QStringLiteral("12"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));

    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    ASSERT_EQ(impresos.size(), 2);
    const QString prefactura = impresos[0].texto;
    EXPECT_TRUE(prefactura.contains(QStringLiteral("101  Artículo 101"))) << prefactura.toStdString();
    EXPECT_TRUE(prefactura.contains(QStringLiteral("102  Artículo 102")));
    EXPECT_FALSE(prefactura.contains(QStringLiteral("Copia antigua")));
    const QString faltas = impresos[1].texto;
    EXPECT_TRUE(faltas.contains(QStringLiteral("102  Artículo 102  6,00"))) << faltas.toStdString();
    EXPECT_TRUE(faltas.contains(QStringLiteral("Fecha: 05/12/2026")));
}
