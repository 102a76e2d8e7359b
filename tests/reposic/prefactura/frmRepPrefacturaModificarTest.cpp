#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorArticulo.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MaskedDateBox.h"
#include "platform/ui/NumericBox.h"
#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/prefactura/frmRepPrefacturaModificar.h"
#include "reposic/prefactura/frmclsRepPrefactModificar.h"
#include "support/PantallaFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

using db::Money;

namespace {

// Origin 1 supplies store 12. Article 101 comes in boxes of 12, 102 loose.
class PantallaModificar : public testsupport::PantallaFixture {
protected:
    PantallaModificar()
    {
        semilla.almacen(1, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"));
        semilla.articulo(101, 12).stock(1, 101, 1234.5).stock(12, 101, 0);
        semilla.articulo(102, 0).stock(1, 102, 50).stock(12, 102, 0);
        semilla.articulo(103, 6).stock(1, 103, 20).stock(12, 103, 0, 1);  // blocked at the store
        semilla.articulo(104, 0).stock(1, 104, 10).stock(12, 104, 0);
    }

    // Pre-invoice 260100001 from 1 to 12, with its lines' units reserved at the origin.
    void prefactura(QList<std::pair<int, double>> lineas)
    {
        conn()->execute("INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Cod_AlmacenD,"
                        " Pendiente, Observaciones) VALUES (1, 1, 260100001, '2026-12-01', 12, 1, 'ver')");
        for (const auto& [art, u] : lineas) {
            conn()->execute(QStringLiteral("INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen, Codigo,"
                                           " Cod_Articulo, Unidades, UnidadesVenta, UnidadesResto, UnidadesGen)"
                                           " VALUES (1, 1, 260100001, %1, %2, %2, 0, %2)").arg(art).arg(u));
            semilla.reservado(1, art, u);
        }
    }

    std::unique_ptr<frmRepPrefacturaModificar> abrir(int64_t codigo = 260100001)
    {
        auto f = std::make_unique<frmRepPrefacturaModificar>();
        f->Cod_Almacen = 1;
        f->Codigo = codigo;
        f->show();
        return f;
    }

    template <class T = QWidget>
    T* w(QWidget* f, const char* nombre) { return hijo<T>(f, QString::fromLatin1(nombre)); }
    ui::FlexGrid* grid(QWidget* f) { return w<ui::FlexGrid>(f, "vsLineas"); }

    void enter(QWidget* control) { pulsarTecla(control, Qt::Key_Return); }
    void articulo(QWidget* f, const QString& codigo)
    {
        auto* a = w<host::SelectorArticulo>(f, "txtArticulo");
        a->setTexto(codigo);
        enter(a->lineaTexto());
    }
    void teclear(QWidget* f, const char* caja, const QString& texto)
    {
        auto* b = w<ui::NumericBox>(f, caja);
        b->setText(texto);
        enter(b);
    }
    // Article, boxes, units, leftovers: the whole Enter flow of one line.
    void linea(QWidget* f, int art, const QString& cajas, const QString& unidades, bool restos = false)
    {
        articulo(f, QString::number(art));
        if (!cajas.isNull())
            teclear(f, "txtBultos", cajas);
        teclear(f, "txtUnidades", unidades);
        w<QCheckBox>(f, "chkRestos")->setChecked(restos);
        enter(w(f, "chkRestos"));
    }

    Money pendiente(int art, const char* col = "Unidades")
    {
        return scalar(QStringLiteral("SELECT %1 FROM Reposicion WHERE Cod_Almacen = 12 AND Codigo = 0"
                                     " AND Cod_Articulo = %2").arg(QLatin1String(col)).arg(art)).toMoney();
    }
    Money reservado(int art)
    {
        return scalar(QStringLiteral("SELECT Unidades FROM Reposicion_StockReservado WHERE Cod_Almacen = 1"
                                     " AND Cod_Articulo = %1").arg(art)).toMoney();
    }
    Money enLinea(int art, const char* col = "Unidades")
    {
        return scalar(QStringLiteral("SELECT %1 FROM Reposicion_Pref_Lineas WHERE Cod_Articulo = %2")
                          .arg(QLatin1String(col)).arg(art)).toMoney();
    }
    // Every row the pre-invoice operations touch, to prove a rollback left nothing behind.
    QString instantanea()
    {
        QString t;
        for (const char* sql : {"SELECT Cod_Almacen, Cod_Articulo, Unidades, UnidadesVenta, UnidadesResto"
                                " FROM Reposicion ORDER BY 1, 2",
                                "SELECT Cod_Almacen, Cod_Articulo, Unidades FROM Reposicion_StockReservado"
                                " ORDER BY 1, 2",
                                "SELECT Codigo, Observaciones FROM Reposicion_Pref ORDER BY 1",
                                "SELECT Cod_Articulo, Unidades, UnidadesGen FROM Reposicion_Pref_Lineas"
                                " ORDER BY 1"}) {
            db::Recordset rs(conn(), QString::fromLatin1(sql));
            for (; !rs.eof(); rs.moveNext())
                for (int c = 0; c < rs.fieldCount(); ++c)
                    t += rs.field(c).toText() + (c + 1 < rs.fieldCount() ? "|" : "\n");
        }
        return t;
    }
    bool activo(QWidget* f, const char* boton) { return w(f, boton)->isEnabled(); }
};

}  // namespace

TEST_F(PantallaModificar, opensEmptyWithTheUsersWarehouseAndTheGridLaidOut)
{
    auto f = abrir(0);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Modificación de Prefactura Reposición"));
    EXPECT_EQ(w<host::SelectorAlmacen>(f.get(), "txtAlmacenO")->codigo(), 1);
    EXPECT_EQ(w<host::SelectorAlmacen>(f.get(), "txtAlmacenD")->texto(), QString());
    auto* g = grid(f.get());
    ASSERT_EQ(g->Cols(), 8);
    EXPECT_EQ(g->Rows(), 1);
    EXPECT_EQ(g->TextMatrix(0, 3), QStringLiteral("Ubicacion"));
    EXPECT_EQ(g->ColWidth(1), 4500);
    EXPECT_EQ(g->ColWidth(7), 1300);
    EXPECT_EQ(g->ColAlignment(2), ui::flexAlignCenterCenter);
    EXPECT_EQ(g->CellAlignment(0, 7), ui::flexAlignCenterCenter);
    EXPECT_TRUE(activo(f.get(), "cmdNuevo"));
    for (const char* b : {"cmdEliminar", "cmdModificar", "cmdAceptar", "cmdAnular"})
        EXPECT_FALSE(activo(f.get(), b)) << b;
}

TEST_F(PantallaModificar, loadsThePreInvoiceWithLocationInThreePiecesAndStock)
{
    prefactura({{101, 41}, {102, 7}, {104, 3}});
    conn()->execute("UPDATE Almacen_Articulos SET Ubicacion = 'A0102B03' WHERE Cod_Almacen = 1 AND Cod_Articulo = 101");
    conn()->execute("UPDATE Almacen_Articulos SET Ubicacion = 'Z9' WHERE Cod_Almacen = 1 AND Cod_Articulo = 102");
    conn()->execute("INSERT INTO Articulos_CBarras (Cod_Empresa, Cod_Barras, Cod_Articulo, Principal)"
                    " VALUES (1, '8400000001012', 101, 1)");
    conn()->execute("DELETE FROM Almacen_Articulos WHERE Cod_Almacen = 1 AND Cod_Articulo = 104");
    auto f = abrir();

    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtCodigo")->text(), QStringLiteral("260100001"));
    EXPECT_EQ(w<ui::MaskedDateBox>(f.get(), "txtFecha")->Text(), QStringLiteral("01/12/2026"));
    EXPECT_EQ(w<host::SelectorAlmacen>(f.get(), "txtAlmacenD")->codigo(), 12);
    EXPECT_EQ(w<QLineEdit>(f.get(), "txtObserv")->text(), QStringLiteral("ver"));
    auto* g = grid(f.get());
    ASSERT_EQ(g->Rows(), 3);  // the article without stock row at the origin is not shown
    const int r101 = g->TextMatrix(1, 0) == "101" ? 1 : 2;
    EXPECT_EQ(g->TextMatrix(r101, 2), QStringLiteral("8400000001012"));
    EXPECT_EQ(g->TextMatrix(r101, 3), QStringLiteral("A01-02-B03"));
    EXPECT_EQ(g->TextMatrix(r101, 4), QStringLiteral("1.234,50"));
    EXPECT_EQ(g->TextMatrix(r101, 5), QStringLiteral("3"));
    EXPECT_EQ(g->TextMatrix(r101, 6), QStringLiteral("12"));
    EXPECT_EQ(g->TextMatrix(r101, 7), QStringLiteral("41"));
    EXPECT_EQ(g->TextMatrix(3 - r101, 3), QStringLiteral("Z9--Z9"));
    EXPECT_EQ(g->TextMatrix(3 - r101, 5), QStringLiteral("0"));
    EXPECT_FALSE(activo(f.get(), "cmdNuevo"));
    EXPECT_TRUE(activo(f.get(), "cmdAnular"));
}

TEST_F(PantallaModificar, aPreInvoiceThatIsNotThereLeavesTheScreenEmptyAndSilent)
{
    auto f = abrir(260100099);
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtCodigo")->text(), QString());
    EXPECT_EQ(mensajes.count(), 0);
    EXPECT_TRUE(activo(f.get(), "cmdNuevo"));
}

TEST_F(PantallaModificar, boxesAndLooseUnitsMakeTheLineTotal)
{
    prefactura({{102, 7}});
    semilla.reservado(1, 101, 34.5);
    auto f = abrir();
    articulo(f.get(), QStringLiteral("101"));
    EXPECT_EQ(w<QLabel>(f.get(), "lblInf_Bultos")->text(), QStringLiteral("UxB: 12"));
    EXPECT_EQ(w<QLabel>(f.get(), "lblInf_Stock")->text(), QStringLiteral("Stock: 1.234,50"));
    EXPECT_EQ(w<QLabel>(f.get(), "lblInf_StockD")->text(), QStringLiteral("Disponible: 1.200,00"));
    EXPECT_EQ(f->focusWidget(), w<ui::NumericBox>(f.get(), "txtBultos"));

    teclear(f.get(), "txtBultos", QStringLiteral("10000"));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtBultos")->text(), QString());
    teclear(f.get(), "txtBultos", QStringLiteral("9999"));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtBultos")->text(), QStringLiteral("9999"));
    teclear(f.get(), "txtBultos", QStringLiteral("3"));
    EXPECT_EQ(w<QLabel>(f.get(), "lblInf_Bultos")->text(), QStringLiteral("UxBultos: 12x3 = 36"));
    EXPECT_EQ(f->focusWidget(), w<ui::NumericBox>(f.get(), "txtUnidades"));

    teclear(f.get(), "txtUnidades", QStringLiteral("12"));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtUnidades")->text(), QString());  // a whole box loose
    teclear(f.get(), "txtUnidades", QStringLiteral("5"));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtUnidades")->text(), QStringLiteral("41"));
    EXPECT_EQ(f->focusWidget(), w(f.get(), "chkRestos"));
    enter(w(f.get(), "chkRestos"));

    auto* g = grid(f.get());
    ASSERT_EQ(g->Rows(), 3);
    EXPECT_EQ(g->TextMatrix(2, 0), QStringLiteral("101"));
    EXPECT_EQ(g->TextMatrix(2, 5), QStringLiteral("3"));
    EXPECT_EQ(g->TextMatrix(2, 6), QStringLiteral("12"));
    EXPECT_EQ(g->TextMatrix(2, 7), QStringLiteral("41"));
    EXPECT_EQ(enLinea(101), Money::fromInt(41));
    EXPECT_EQ(reservado(101), Money::fromDouble(75.5));
    // The entry is cleared for the next article.
    EXPECT_EQ(w<host::SelectorArticulo>(f.get(), "txtArticulo")->texto(), QString());
    EXPECT_EQ(f->focusWidget(), w<host::SelectorArticulo>(f.get(), "txtArticulo")->lineaTexto());

    // Bringing the line back shows boxes and the loose remainder.
    articulo(f.get(), QStringLiteral("101"));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtBultos")->text(), QStringLiteral("3"));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtUnidades")->text(), QStringLiteral("5"));
}

TEST_F(PantallaModificar, looseArticlesSkipTheBoxesAndTakeTheUnitsAsTyped)
{
    prefactura({{101, 12}});
    auto f = abrir();
    articulo(f.get(), QStringLiteral("102"));
    EXPECT_EQ(f->focusWidget(), w<ui::NumericBox>(f.get(), "txtUnidades"));
    teclear(f.get(), "txtUnidades", QStringLiteral("1000000"));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtUnidades")->text(), QString());
    teclear(f.get(), "txtUnidades", QStringLiteral("999999"));
    EXPECT_EQ(f->focusWidget(), w(f.get(), "chkRestos"));
    teclear(f.get(), "txtUnidades", QStringLiteral("17"));
    enter(w(f.get(), "chkRestos"));
    EXPECT_EQ(enLinea(102), Money::fromInt(17));
    EXPECT_EQ(grid(f.get())->TextMatrix(2, 5), QStringLiteral("0"));
    EXPECT_EQ(grid(f.get())->TextMatrix(2, 7), QStringLiteral("17"));
}

TEST_F(PantallaModificar, changingALineMovesReservationLeftoversAndGeneratedUnits)
{
    prefactura({{102, 10}, {104, 10}});
    auto f = abrir();

    linea(f.get(), 102, QString(), QStringLiteral("6"), true);
    EXPECT_EQ(pendiente(102), Money::fromInt(4));
    EXPECT_EQ(pendiente(102, "UnidadesResto"), Money::fromInt(4));
    EXPECT_EQ(pendiente(102, "UnidadesVenta"), Money());
    EXPECT_EQ(reservado(102), Money::fromInt(6));
    EXPECT_EQ(enLinea(102), Money::fromInt(6));
    EXPECT_EQ(enLinea(102, "UnidadesGen"), Money::fromInt(6));
    EXPECT_EQ(enLinea(102, "UnidadesVenta"), Money::fromInt(10));  // the stored split stays

    linea(f.get(), 104, QString(), QStringLiteral("6"), false);
    EXPECT_EQ(count("Reposicion", "Cod_Articulo = 104"), 0);
    EXPECT_EQ(reservado(104), Money::fromInt(6));
    EXPECT_EQ(enLinea(104, "UnidadesGen"), Money::fromInt(10));

    linea(f.get(), 102, QString(), QStringLiteral("10"), true);
    EXPECT_EQ(pendiente(102), Money());
    EXPECT_EQ(pendiente(102, "UnidadesResto"), Money());
    EXPECT_EQ(reservado(102), Money::fromInt(10));
    EXPECT_EQ(enLinea(102, "UnidadesGen"), Money::fromInt(10));
}

TEST_F(PantallaModificar, aNewLineStartsFromZeroNotFromTheLineHandledBefore)
{
    prefactura({{102, 10}});
    auto f = abrir();
    linea(f.get(), 102, QString(), QStringLiteral("8"));  // loads venta 10, gen 10 into the record
    linea(f.get(), 104, QString(), QStringLiteral("3"), true);
    EXPECT_EQ(enLinea(104, "UnidadesVenta"), Money());
    EXPECT_EQ(enLinea(104, "UnidadesResto"), Money());
    EXPECT_EQ(enLinea(104, "UnidadesGen"), Money::fromInt(3));
    linea(f.get(), 101, QStringLiteral("1"), QStringLiteral("0"));
    EXPECT_EQ(enLinea(101, "UnidadesGen"), Money());
    EXPECT_EQ(enLinea(101), Money::fromInt(12));
}

TEST_F(PantallaModificar, zeroUnitsRemoveTheLineOrOnlyClearTheEntry)
{
    prefactura({{102, 10}});
    auto f = abrir();
    linea(f.get(), 104, QString(), QStringLiteral("0"));
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 1);
    EXPECT_EQ(grid(f.get())->Rows(), 2);
    linea(f.get(), 102, QString(), QStringLiteral("0"), true);
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 0);
    EXPECT_EQ(pendiente(102, "UnidadesResto"), Money::fromInt(10));
    EXPECT_EQ(reservado(102), Money());
    EXPECT_EQ(grid(f.get())->Rows(), 1);
    EXPECT_FALSE(activo(f.get(), "cmdAceptar"));
    EXPECT_FALSE(activo(f.get(), "cmdNuevo"));  // the header is still there
    EXPECT_EQ(count("Reposicion_Pref"), 1);
}

TEST_F(PantallaModificar, blockedArticlesAreWarnedAboutAndInvalidOnesRefused)
{
    prefactura({{102, 10}});
    auto f = abrir();
    linea(f.get(), 103, QStringLiteral("1"), QStringLiteral("0"));
    EXPECT_EQ(mensajes.texts(), QStringList(2, QStringLiteral("El artículo no está en el surtido del almacén de destino")));
    EXPECT_EQ(enLinea(103), Money::fromInt(6));

    mensajes.clear();
    auto* art = w<host::SelectorArticulo>(f.get(), "txtArticulo");
    art->setTexto(QStringLiteral("999"));
    teclear(f.get(), "txtUnidades", QStringLiteral("5"));
    enter(w(f.get(), "chkRestos"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().text, QStringLiteral("El artículo especificado no existe"));
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 2);
    EXPECT_EQ(count("Reposicion_StockReservado", "Cod_Articulo = 999"), 0);
}

TEST_F(PantallaModificar, aFailingLineCommitWritesNothingAndSaysWhy)
{
    prefactura({{102, 10}});
    conn()->execute("CREATE TRIGGER fallo BEFORE UPDATE ON Reposicion_Pref_Lineas"
                    " BEGIN SELECT RAISE(ABORT, 'linea bloqueada'); END");
    auto f = abrir();
    const QString antes = instantanea();
    linea(f.get(), 102, QString(), QStringLiteral("6"), true);
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("linea bloqueada")));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_EQ(instantanea(), antes);
    EXPECT_EQ(grid(f.get())->TextMatrix(1, 7), QStringLiteral("10"));
    EXPECT_EQ(conn()->transactionDepth(), 0);
}

TEST_F(PantallaModificar, deletingALineAsksWhetherItsUnitsGoToLeftovers)
{
    prefactura({{102, 10}, {104, 4}});
    auto f = abrir();
    auto* g = grid(f.get());
    g->setRow(1);
    const QString primero = g->TextMatrix(1, 0);
    mensajes.answer(ui::vbNo);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(mensajes.last().text, QStringLiteral("¿Llevar a RESTOS la eliminación del artículo actual?"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbQuestion);
    EXPECT_EQ(reservado(primero.toInt()), Money());
    EXPECT_EQ(count("Reposicion", "Cod_Articulo = " + primero), 0);

    const QString segundo = g->TextMatrix(1, 0);
    g->setRow(1);
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(pendiente(segundo.toInt(), "UnidadesResto"), segundo == "102" ? Money::fromInt(10) : Money::fromInt(4));
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 0);
    EXPECT_EQ(g->Rows(), 1);
    for (const char* b : {"cmdEliminar", "cmdModificar", "cmdAceptar", "cmdAnular", "cmdNuevo"})
        EXPECT_FALSE(activo(f.get(), b)) << b;
}

TEST_F(PantallaModificar, theFirstLineOfANewPreInvoiceCreatesItsHeader)
{
    auto f = abrir(0);
    pulsar(f.get(), QStringLiteral("cmdNuevo"));
    auto* destino = w<host::SelectorAlmacen>(f.get(), "txtAlmacenD");
    EXPECT_TRUE(destino->editable());
    destino->setTexto(QStringLiteral("12"));
    linea(f.get(), 102, QString(), QStringLiteral("5"));

    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtCodigo")->text(), QStringLiteral("260100001"));
    EXPECT_EQ(w<ui::MaskedDateBox>(f.get(), "txtFecha")->Text(), QStringLiteral("05/12/2026"));
    EXPECT_EQ(scalar("SELECT Cod_AlmacenD FROM Reposicion_Pref WHERE Codigo = 260100001").toInt(), 12);
    EXPECT_EQ(reservado(102), Money::fromInt(5));
    EXPECT_TRUE(activo(f.get(), "cmdAceptar"));
    EXPECT_FALSE(activo(f.get(), "cmdNuevo"));
    linea(f.get(), 104, QString(), QStringLiteral("2"));
    EXPECT_EQ(count("Reposicion_Pref"), 1);
    EXPECT_EQ(count("Reposicion_Pref_Lineas", "Codigo = 260100001"), 2);
}

TEST_F(PantallaModificar, annulmentGivesEveryUnitBackAndReleasesTheReservation)
{
    prefactura({{102, 10}, {104, 4}});
    semilla.pendiente(12, 102, 3, 1, 2);
    auto f = abrir();
    mensajes.answer(ui::vbNo);
    pulsar(f.get(), QStringLiteral("cmdAnular"));
    EXPECT_EQ(count("Reposicion_Pref"), 1);
    EXPECT_EQ(mensajes.last().defaultButton(), ui::vbDefaultButton2);

    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdAnular"));
    EXPECT_EQ(pendiente(102), Money::fromInt(13));
    EXPECT_EQ(pendiente(102, "UnidadesResto"), Money::fromInt(12));
    EXPECT_EQ(pendiente(102, "UnidadesVenta"), Money::fromInt(1));
    EXPECT_EQ(pendiente(104, "UnidadesResto"), Money::fromInt(4));
    EXPECT_EQ(reservado(102), Money());
    EXPECT_EQ(reservado(104), Money());
    EXPECT_EQ(count("Reposicion_Pref"), 0);
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 0);
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtCodigo")->text(), QString());
    EXPECT_EQ(grid(f.get())->Rows(), 1);
    EXPECT_TRUE(activo(f.get(), "cmdNuevo"));
}

TEST_F(PantallaModificar, aFailureInTheMiddleOfAnAnnulmentLeavesEverythingAsItWas)
{
    prefactura({{102, 10}, {104, 4}});
    conn()->execute("CREATE TRIGGER fallo BEFORE UPDATE ON Reposicion_StockReservado WHEN OLD.Cod_Articulo = 104"
                    " BEGIN SELECT RAISE(ABORT, 'reserva bloqueada'); END");
    auto f = abrir();
    const QString antes = instantanea();
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdAnular"));
    ASSERT_EQ(mensajes.count(), 2);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("reserva bloqueada")));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_EQ(instantanea(), antes);
    EXPECT_EQ(conn()->transactionDepth(), 0);
    EXPECT_EQ(grid(f.get())->Rows(), 3);
}

TEST_F(PantallaModificar, acceptSavesTheObservationsPrintsAndClears)
{
    prefactura({{102, 10}});
    auto f = abrir();
    w<QLineEdit>(f.get(), "txtObserv")->setText(QStringLiteral("Entregar antes de l'11"));
    modales.then([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Imprimir PreFactura"));
        d.findChild<QAbstractButton*>(QStringLiteral("cmdAceptar"))->click();
    });
    pulsarTecla(w(f.get(), "txtObserv"), Qt::Key_F9);
    EXPECT_EQ(modales.dialogs(), QStringList{QStringLiteral("frmRepPrefacturaGenerar")});
    EXPECT_EQ(scalar("SELECT Observaciones FROM Reposicion_Pref").toText(),
              QStringLiteral("Entregar antes de l'11"));
    ASSERT_FALSE(impresos.isEmpty());
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("260100001")));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtCodigo")->text(), QString());
    EXPECT_EQ(count("Reposicion_Pref"), 1);

    // Now cmdAceptar is disabled: F9 does nothing.
    pulsarTecla(w(f.get(), "txtObserv"), Qt::Key_F9);
    EXPECT_EQ(modales.count(), 1);
}

TEST_F(PantallaModificar, searchLoadsWhatItFindsAndOtherwiseLeavesTheScreen)
{
    prefactura({{102, 10}});
    auto buscar = [](const QString& almacen, const QString& codigo) {
        return [=](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Cargar Prefactura"));
            d.findChild<host::SelectorAlmacen*>(QStringLiteral("txtAlmacen"))->setTexto(almacen);
            d.findChild<ui::NumericBox*>(QStringLiteral("txtCodigo"))->setText(codigo);
            d.findChild<QAbstractButton*>(QStringLiteral("cmdAceptar"))->click();
            if (d.isVisible())
                d.findChild<QAbstractButton*>(QStringLiteral("cmdCancelar"))->click();
        };
    };
    auto f = abrir(0);
    modales.then([](QDialog& d) { d.findChild<QAbstractButton*>(QStringLiteral("cmdCancelar"))->click(); })
        .then(buscar(QStringLiteral("1"), QStringLiteral("0")))
        .then(buscar(QStringLiteral("77"), QStringLiteral("260100001")))
        .then(buscar(QStringLiteral("1"), QStringLiteral("260100002")))
        .then(buscar(QStringLiteral("1"), QStringLiteral("260100001")));
    for (int i = 0; i < 4; ++i)
        pulsar(f.get(), QStringLiteral("cmdBuscar"));
    EXPECT_EQ(mensajes.texts(), (QStringList{QStringLiteral("Especifique un código válido"),
                                             QStringLiteral("El almacén especificado no existe"),
                                             QStringLiteral("No se ha encontrado la Prefactura requerida")}));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtCodigo")->text(), QString());
    pulsar(f.get(), QStringLiteral("cmdBuscar"));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtCodigo")->text(), QStringLiteral("260100001"));
    EXPECT_EQ(grid(f.get())->Rows(), 2);
    EXPECT_EQ(w<host::SelectorAlmacen>(f.get(), "txtAlmacenD")->codigo(), 12);
    EXPECT_TRUE(modales.problems().isEmpty()) << modales.problems().join('\n').toStdString();
}

TEST_F(PantallaModificar, modifyBringsTheCurrentLineIntoTheEntry)
{
    prefactura({{101, 30}});
    auto f = abrir();
    grid(f.get())->setRow(1);
    pulsar(f.get(), QStringLiteral("cmdModificar"));
    EXPECT_EQ(w<host::SelectorArticulo>(f.get(), "txtArticulo")->texto(), QStringLiteral("101"));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtBultos")->text(), QStringLiteral("2"));
    EXPECT_EQ(w<ui::NumericBox>(f.get(), "txtUnidades")->text(), QStringLiteral("6"));
}

TEST_F(PantallaModificar, theLauncherOpensTheScreenByName)
{
    reposic::frmclsRepPrefactModificar::registrar();
    auto lanzador = reposic::LanzadorRegistro::crear(QStringLiteral("frmclsRepPrefactModificar"));
    ASSERT_NE(lanzador, nullptr);
    lanzador->Show(0, nullptr);
    ASSERT_NE(lanzador->frmS(), nullptr);
    EXPECT_EQ(lanzador->frmS()->objectName(), QStringLiteral("frmRepPrefacturaModificar"));
}

// Tab leaves the list of lines for the line entry: the article is the next stop, not sixty cells
// later; Shift+Tab comes back to the list.
TEST_F(PantallaModificar, tabGoesFromTheLinesStraightToTheArticleAndBack)
{
    prefactura({{101, 24}, {102, 3}, {104, 1}});
    auto f = abrir();
    QApplication::setActiveWindow(f.get());
    auto* lineas = grid(f.get());
    lineas->setFocus();
    auto* articuloTexto = w<host::SelectorArticulo>(f.get(), "txtArticulo")->lineaTexto();
    int tabs = 0;
    while (QApplication::focusWidget() != articuloTexto && tabs < 10) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ++tabs;
    }
    EXPECT_LE(tabs, 3);
    QTest::keyClick(articuloTexto, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), lineas);
    // Inside the list the arrows still move from line to line.
    lineas->setRow(1);
    QTest::keyClick(lineas, Qt::Key_Down);
    EXPECT_EQ(lineas->Row(), 2);
}

// The figures beside the entry belong to the article typed: once it is cleared, not found, or
// the line is stored, they must not linger to be read as the next article's.
TEST_F(PantallaModificar, thePanelFiguresGoWithTheArticleTheyDescribe)
{
    prefactura({{101, 24}});
    auto f = abrir();
    auto* uxb = w<QLabel>(f.get(), "lblInf_Bultos");
    auto* stock = w<QLabel>(f.get(), "lblInf_Stock");
    auto* disponible = w<QLabel>(f.get(), "lblInf_StockD");
    const auto vacio = [&] { return uxb->text().isEmpty() && stock->text().isEmpty()
                                    && disponible->text().isEmpty(); };

    articulo(f.get(), "101");
    EXPECT_EQ(uxb->text(), "UxB: 12");
    articulo(f.get(), "999");  // no such article
    EXPECT_TRUE(vacio()) << uxb->text().toStdString();

    articulo(f.get(), "101");
    ASSERT_FALSE(vacio());
    w<host::SelectorArticulo>(f.get(), "txtArticulo")->reiniciar();
    EXPECT_TRUE(vacio());

    linea(f.get(), 102, QString(), "2");
    EXPECT_EQ(enLinea(102), Money::fromDouble(2));
    EXPECT_TRUE(vacio()) << stock->text().toStdString();
}
