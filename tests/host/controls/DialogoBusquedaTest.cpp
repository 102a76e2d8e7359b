// The searchable list of the pickers, answered through the modal hook as a user would.
#include "host/controls/DialogoBusqueda.h"
#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorArticulo.h"
#include "platform/ui/ModalScript.h"
#include "support/DatosFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class DialogoBusquedaTest : public testsupport::DatosFixture {
protected:
    DialogoBusquedaTest()
    {
        conn()->execute(QStringLiteral(
            "INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Central'),"
            " (1, 2, 'Tienda O''Donnell'), (1, 3, 'Tienda Goya'), (1, 12, 'Centro')"));
        s_.setContexto(empresa_, conn(), 1);
        s_.show();
    }

    static host::DialogoBusqueda& busqueda(QDialog& d)
    {
        auto* b = qobject_cast<host::DialogoBusqueda*>(&d);
        EXPECT_NE(b, nullptr);
        return *b;
    }

    host::SelectorAlmacen s_;
};

TEST_F(DialogoBusquedaTest, filterNarrowsTheListAndTheChosenCodeReachesThePicker)
{
    QSignalSpy cambios(&s_, &host::SelectorBase::cambio);
    int sinFiltro = 0;
    int conFiltro = 0;
    ui::ModalScript guion;
    guion.then([&](QDialog& d) {
        host::DialogoBusqueda& b = busqueda(d);
        sinFiltro = b.filas();
        // A name with a quote is searched for, not run.
        QTest::keyClicks(d.findChild<QLineEdit*>(QStringLiteral("txtFiltro")),
                         QStringLiteral("o'don"));
        conFiltro = b.filas();
        EXPECT_TRUE(d.findChild<QLabel*>(QStringLiteral("lblMensaje"))->text().isEmpty());
        QTest::keyClick(d.findChild<QLineEdit*>(QStringLiteral("txtFiltro")), Qt::Key_Return);
    });

    QTest::keyClick(s_.lineaTexto(), Qt::Key_F4);

    EXPECT_EQ(guion.count(), 1);
    EXPECT_TRUE(guion.problems().isEmpty()) << guion.problems().join(';').toStdString();
    EXPECT_EQ(sinFiltro, 4);
    EXPECT_EQ(conFiltro, 1);
    EXPECT_EQ(s_.codigo(), 2);
    EXPECT_TRUE(s_.valido());
    EXPECT_EQ(s_.nombre(), QStringLiteral("Tienda O'Donnell"));
    EXPECT_EQ(cambios.count(), 1);
}

TEST_F(DialogoBusquedaTest, filterMatchesCodePrefixAndCancelKeepsThePicker)
{
    s_.setCodigo(3);
    QStringList codigos;
    ui::ModalScript guion;
    guion.then([&](QDialog& d) {
        host::DialogoBusqueda& b = busqueda(d);
        b.setFiltro(QStringLiteral("1"));
        auto* t = d.findChild<QTableWidget*>(QStringLiteral("tblLista"));
        for (int i = 0; i < t->rowCount(); ++i)
            codigos << t->item(i, 0)->text();
        d.findChild<QWidget*>(QStringLiteral("cmdCancelar"))->setFocus();
        d.reject();
    });
    s_.abrirLista();
    EXPECT_EQ(codigos, (QStringList{QStringLiteral("1"), QStringLiteral("12")}));
    EXPECT_EQ(s_.codigo(), 3);

    // A picker that may not be changed opens no list at all.
    s_.setEditable(false);
    s_.abrirLista();
    EXPECT_EQ(guion.count(), 1);
}

TEST_F(DialogoBusquedaTest, aFailingListShowsItsMessageInsideTheDialog)
{
    host::SelectorArticulo a;
    a.setContexto(empresa_, conn());
    conn()->execute(QStringLiteral("DROP TABLE Articulos"));
    QString mensaje;
    int filas = -1;
    ui::ModalScript guion;
    guion.then([&](QDialog& d) {
        filas = busqueda(d).filas();
        mensaje = d.findChild<QLabel*>(QStringLiteral("lblMensaje"))->text();
        EXPECT_FALSE(busqueda(d).aceptarFila());  // nothing to accept
        d.reject();
    });
    a.abrirLista();
    EXPECT_EQ(filas, 0);
    EXPECT_FALSE(mensaje.isEmpty());
    EXPECT_TRUE(a.texto().isEmpty());
}

}  // namespace
