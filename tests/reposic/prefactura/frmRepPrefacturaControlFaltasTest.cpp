#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorProveedor.h"
#include "platform/report/Report.h"
#include "platform/ui/OutputDevicePicker.h"
#include "reposic/frame/clsView.h"
#include "reposic/frame/frmView.h"
#include "reposic/prefactura/frmRepPrefacturaControlFaltas.h"
#include "support/PantallaFixture.h"

#include <memory>

namespace {

class PantallaFaltas : public testsupport::PantallaFixture {
protected:
    PantallaFaltas()
    {
        semilla.almacen(1, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"));
        semilla.articulo(101).articulo(102);
        conn()->execute("INSERT INTO Reposicion_Faltas (Cod_Empresa, Cod_Almacen, Cod_Articulo, Unidades)"
                        " VALUES (1, 12, 101, 7), (1, 12, 102, 3)");
        form = std::make_unique<frmRepPrefacturaControlFaltas>();
        form->show();
    }
    std::unique_ptr<frmRepPrefacturaControlFaltas> form;
};

}  // namespace

TEST_F(PantallaFaltas, selectionTextNamesTheStoreAndTheSupplierRange)
{
    EXPECT_EQ(form->DevCriterio(), QStringLiteral("Almacén: TODOS  Proveedor: 0 / 0  "));
    hijo<host::SelectorAlmacen>(form.get(), QStringLiteral("txtAlmacen"))->setTexto(QStringLiteral("12"));
    hijo<host::SelectorProveedor>(form.get(), QStringLiteral("txtProveedorF"))->setTexto(QStringLiteral("9999"));
    EXPECT_EQ(form->DevCriterio(), QStringLiteral("Almacén: 12 - Centro  Proveedor: 0 / 9999  "));
}

TEST_F(PantallaFaltas, screenDevicePreviewsModallyAndPrinterDevicePrints)
{
    hijo<host::SelectorProveedor>(form.get(), QStringLiteral("txtProveedorF"))->setTexto(QStringLiteral("9999"));
    hijo<ui::OutputDevicePicker>(form.get(), QStringLiteral("cboDisp"))->setValue(0);
    QString visto;
    auto anterior = reposic::clsView::setModalHook([&](reposic::frmView& v) {
        visto = v.report()->text();
    });
    pulsar(form.get(), QStringLiteral("cmdAceptar"));
    reposic::clsView::setModalHook(anterior);
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    EXPECT_TRUE(visto.contains(QStringLiteral("101"))) << visto.toStdString();
    EXPECT_TRUE(impresos.isEmpty());

    hijo<ui::OutputDevicePicker>(form.get(), QStringLiteral("cboDisp"))->setValue(1);
    pulsar(form.get(), QStringLiteral("cmdAceptar"));
    ASSERT_EQ(impresos.size(), 1);
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("102")));
}

TEST_F(PantallaFaltas, aMissingReportIsShownAndTheFormStaysOpen)
{
    empresa_->setRutaAplicacion(QStringLiteral("/no/existe"));
    pulsar(form.get(), QStringLiteral("cmdAceptar"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Atención !"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_FALSE(form->descargado());
}

TEST_F(PantallaFaltas, theSupplierRangeIsReadOnTheArticleMasterAndTheReportIsDated)
{
    // Articles kept under company 9, each with its supplier; company 1 holds none of them.
    conn()->execute("UPDATE Articulos SET Cod_Empresa = 9, Cod_Proveedor = Codigo - 94");
    conn()->execute("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre) VALUES"
                    " (1, 7, 'Lácteos del Norte'), (1, 8, 'Oleícola Sur')");
    empresa_->setCodigoEmpresaArticulos(9);
    hijo<host::SelectorProveedor>(form.get(), QStringLiteral("txtProveedorI"))->setTexto(QStringLiteral("7"));
    hijo<host::SelectorProveedor>(form.get(), QStringLiteral("txtProveedorF"))->setTexto(QStringLiteral("7"));
    hijo<ui::OutputDevicePicker>(form.get(), QStringLiteral("cboDisp"))->setValue(1);
    pulsar(form.get(), QStringLiteral("cmdAceptar"));

    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    ASSERT_EQ(impresos.size(), 1);
    const QString t = impresos[0].texto;
    EXPECT_TRUE(t.contains(QStringLiteral("101  Artículo 101  7,00"))) << t.toStdString();
    EXPECT_FALSE(t.contains(QStringLiteral("Artículo 102")));
    EXPECT_TRUE(t.contains(QStringLiteral("Fecha: 05/12/2026")));
}
