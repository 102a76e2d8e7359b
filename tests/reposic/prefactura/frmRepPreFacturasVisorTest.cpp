#include "host/components/Traspaso.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "reposic/frame/modComun.h"
#include "reposic/prefactura/frmRepPreFacturasVisor.h"
#include "reposic/prefactura/frmRepPrefacturaModificar.h"
#include "support/PantallaFixture.h"

#include <QLineEdit>

#include <memory>

using db::Money;
using reposic::modComun;

namespace {

// Warehouse 1 supplies stores 12 and 13; the accounting side is a second database.
class PantallaVisor : public testsupport::PantallaFixture {
protected:
    PantallaVisor()
    {
        semilla.almacen(1, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"))
            .almacen(13, QStringLiteral("Playa"));
        semilla.articulo(101, 12).stock(1, 101, 100).stock(12, 101, 5, 1);
        semilla.articulo(102, 0).stock(1, 102, 50).stock(12, 102, 0);
        semilla.articulo(103, -1).stock(1, 103, 20);
        conn()->execute("UPDATE Almacen_Articulos SET PU_Compra = 1.5 WHERE Cod_Almacen = 1 AND Cod_Articulo = 101");
        conn()->execute("UPDATE Almacen_Articulos SET PU_Compra = 2 WHERE Cod_Almacen = 1 AND Cod_Articulo = 102");
        modComun::setEmpresaLedrin(empresa_);
        modComun::setConexionLedrin(contable_.connection());
        host::Traspaso::prepararContabilidad(*contable_.connection());
    }

    void prefactura(int64_t codigo, int destino, QList<std::pair<int, double>> lineas)
    {
        conn()->execute(QStringLiteral("INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha,"
                                       " Cod_AlmacenD, Pendiente, Observaciones) VALUES (1, 1, %1, '2026-12-01',"
                                       " %2, 1, 'urgente')").arg(codigo).arg(destino));
        for (const auto& [art, u] : lineas) {
            conn()->execute(QStringLiteral("INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen, Codigo,"
                                           " Cod_Articulo, Unidades, UnidadesVenta, UnidadesResto, UnidadesGen)"
                                           " VALUES (1, 1, %1, %2, %3, %3, 0, %3)").arg(codigo).arg(art).arg(u));
            if (conn()->execute(QStringLiteral("UPDATE Reposicion_StockReservado SET Unidades = Unidades + %2"
                                               " WHERE Cod_Almacen = 1 AND Cod_Articulo = %1").arg(art).arg(u)) == 0)
                semilla.reservado(1, art, u);
        }
    }
    std::unique_ptr<frmRepPreFacturasVisor> abrir()
    {
        auto f = std::make_unique<frmRepPreFacturasVisor>();
        f->show();
        return f;
    }
    ui::FlexGrid* cab(QWidget* f) { return hijo<ui::FlexGrid>(f, QStringLiteral("vsCab")); }
    ui::FlexGrid* det(QWidget* f) { return hijo<ui::FlexGrid>(f, QStringLiteral("vsDet")); }
    bool activo(QWidget* f, const char* b) { return hijo<QWidget>(f, QString::fromLatin1(b))->isEnabled(); }
    Money reservado(int art)
    {
        return scalar(QStringLiteral("SELECT Unidades FROM Reposicion_StockReservado WHERE Cod_Almacen = 1"
                                     " AND Cod_Articulo = %1").arg(art)).toMoney();
    }
    Money stock(int almacen, int art)
    {
        return scalar(QStringLiteral("SELECT Stock_Actual FROM Almacen_Articulos WHERE Cod_Almacen = %1"
                                     " AND Cod_Articulo = %2").arg(almacen).arg(art)).toMoney();
    }
    QString instantanea(const db::ConnectionPtr& c)
    {
        QString t;
        for (const char* sql : {"SELECT * FROM Reposicion ORDER BY 2, 3", "SELECT * FROM Reposicion_StockReservado ORDER BY 2, 3",
                                "SELECT * FROM Reposicion_Pref ORDER BY 3", "SELECT * FROM Reposicion_Pref_Lineas ORDER BY 3, 4",
                                "SELECT * FROM Almacen_Articulos ORDER BY 2, 3", "SELECT * FROM Articulos ORDER BY 2",
                                "SELECT * FROM Traspasos", "SELECT * FROM Traspasos_Lineas", "SELECT * FROM Contador_Traspasos"}) {
            db::Recordset rs(c, QString::fromLatin1(sql));
            for (; !rs.eof(); rs.moveNext())
                for (int i = 0; i < rs.fieldCount(); ++i)
                    t += rs.field(i).toText() + (i + 1 < rs.fieldCount() ? "|" : "\n");
        }
        return t;
    }
    long long asientos() { return contable_.connection()->scalar("SELECT COUNT(*) FROM Contabilidad_Traspasos").toInt64(); }

    testsupport::TestDatabase contable_;
};

}  // namespace

TEST_F(PantallaVisor, anEmptyListLeavesOnlyTheHeadingsAndTheButtonsDisabled)
{
    auto f = abrir();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("PreFacturas Pendientes de Traspaso"));
    EXPECT_EQ(cab(f.get())->Rows(), 1);
    EXPECT_EQ(det(f.get())->Rows(), 1);
    EXPECT_TRUE(cab(f.get())->MergeRow(0));
    EXPECT_EQ(cab(f.get())->MergeCells(), ui::flexMergeFixedOnly);
    EXPECT_EQ(cab(f.get())->TextMatrix(0, 3), QStringLiteral("Almacén Origen"));
    EXPECT_EQ(cab(f.get())->ColWidth(3), 3000);
    EXPECT_EQ(cab(f.get())->ColAlignment(1), ui::flexAlignCenterCenter);
    EXPECT_EQ(det(f.get())->ColWidth(2), 1800);
    for (const char* b : {"cmdAnular", "cmdImprimir", "cmdModificar", "cmdTraspasar"})
        EXPECT_FALSE(activo(f.get(), b)) << b;
}

TEST_F(PantallaVisor, listsThePreInvoicesOfKnownWarehousesAndFollowsTheCurrentRow)
{
    prefactura(260100001, 12, {{101, 41}, {102, 3}});
    prefactura(260100002, 13, {{102, 7}});
    prefactura(260100003, 99, {{102, 1}});  // store not in Almacenes
    auto f = abrir();
    auto* c = cab(f.get());
    ASSERT_EQ(c->Rows(), 3);
    EXPECT_EQ(c->TextMatrix(1, 1), QStringLiteral("01/12/2026"));
    EXPECT_EQ(c->TextMatrix(2, 5), QStringLiteral("Playa"));
    EXPECT_EQ(det(f.get())->Rows(), 3);
    c->setRow(2);
    ASSERT_EQ(det(f.get())->Rows(), 2);
    EXPECT_EQ(det(f.get())->TextMatrix(1, 5), QStringLiteral("7"));
    EXPECT_TRUE(activo(f.get(), "cmdTraspasar"));
}

TEST_F(PantallaVisor, annulmentGivesTheUnitsBackAndTheLastRowLeavesTheDetailShown)
{
    prefactura(260100001, 12, {{102, 3}});
    auto f = abrir();
    mensajes.answer(ui::vbNo);
    pulsar(f.get(), QStringLiteral("cmdAnular"));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("Confirmar operación"));
    EXPECT_EQ(count("Reposicion_Pref"), 1);

    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdAnular"));
    EXPECT_EQ(count("Reposicion_Pref"), 0);
    EXPECT_EQ(scalar("SELECT UnidadesResto FROM Reposicion WHERE Cod_Almacen = 12 AND Cod_Articulo = 102").toMoney(),
              Money::fromInt(3));
    EXPECT_EQ(reservado(102), Money());
    EXPECT_EQ(cab(f.get())->Rows(), 1);
    EXPECT_EQ(det(f.get())->Rows(), 2);  // the removed pre-invoice's lines stay on view
    EXPECT_FALSE(activo(f.get(), "cmdAnular"));
}

TEST_F(PantallaVisor, aFailingAnnulmentRollsEverythingBackAndShowsTheError)
{
    prefactura(260100001, 12, {{101, 24}, {102, 3}});
    conn()->execute("CREATE TRIGGER fallo BEFORE DELETE ON Reposicion_Pref"
                    " BEGIN SELECT RAISE(ABORT, 'cabecera bloqueada'); END");
    auto f = abrir();
    const QString antes = instantanea(conn());
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdAnular"));
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("cabecera bloqueada")));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_EQ(instantanea(conn()), antes);
    EXPECT_EQ(cab(f.get())->Rows(), 2);
}

TEST_F(PantallaVisor, liquidationAsksTwiceAndReleasesTheReservationButNotTheLeftovers)
{
    prefactura(260100001, 12, {{101, 24}});
    prefactura(260100002, 13, {{102, 3}});
    auto f = abrir();
    mensajes.answer(ui::vbNo);
    pulsar(f.get(), QStringLiteral("cmdLiquidar"));
    mensajes.answer({ui::vbYes, ui::vbNo});
    pulsar(f.get(), QStringLiteral("cmdLiquidar"));
    EXPECT_EQ(count("Reposicion_Pref"), 2);
    EXPECT_EQ(mensajes.count(), 3);

    mensajes.answer({ui::vbYes, ui::vbYes});
    pulsar(f.get(), QStringLiteral("cmdLiquidar"));
    EXPECT_EQ(count("Reposicion_Pref", "Codigo = 260100001"), 0);
    EXPECT_EQ(count("Reposicion_Pref_Lineas", "Codigo = 260100001"), 0);
    EXPECT_EQ(reservado(101), Money());
    EXPECT_EQ(count("Reposicion"), 0);
    ASSERT_EQ(cab(f.get())->Rows(), 2);
    EXPECT_EQ(det(f.get())->TextMatrix(1, 0), QStringLiteral("102"));
}

TEST_F(PantallaVisor, modifyOpensTheEditingScreenAndCloses)
{
    prefactura(260100001, 12, {{102, 3}});
    auto f = abrir();
    pulsar(f.get(), QStringLiteral("cmdModificar"));
    ASSERT_TRUE(reposic::FormBase::hayPorDefecto<frmRepPrefacturaModificar>());
    auto* edicion = reposic::FormBase::porDefecto<frmRepPrefacturaModificar>();
    EXPECT_EQ(edicion->Codigo, 260100001);
    EXPECT_TRUE(edicion->isVisible());
    EXPECT_TRUE(f->descargado());
    edicion->descargar();
}

TEST_F(PantallaVisor, transferMakesOneDocumentMovesStockAndDeletesThePreInvoice)
{
    prefactura(260100001, 12, {{101, 41}, {102, 3}, {103, 5}});
    prefactura(260100002, 13, {{102, 7}});
    auto f = abrir();
    mensajes.answer(ui::vbNo);
    pulsar(f.get(), QStringLiteral("cmdTraspasar"));
    EXPECT_EQ(count("Traspasos"), 0);

    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdTraspasar"));
    EXPECT_EQ(mensajes.count(), 2) << mensajes.texts().join('\n').toStdString();
    ASSERT_EQ(count("Traspasos"), 1);
    EXPECT_EQ(scalar("SELECT Observaciones FROM Traspasos").toText(), QStringLiteral("urgente"));
    EXPECT_EQ(scalar("SELECT Alm_Destino FROM Traspasos").toInt(), 12);
    EXPECT_EQ(count("Traspasos_Lineas"), 3);
    EXPECT_EQ(scalar("SELECT Cajas FROM Traspasos_Lineas WHERE Cod_Articulo = 101").toInt(), 3);
    EXPECT_EQ(scalar("SELECT Costo FROM Traspasos_Lineas WHERE Cod_Articulo = 101").toMoney(), Money::fromDouble(1.5));
    EXPECT_EQ(scalar("SELECT Cajas FROM Traspasos_Lineas WHERE Cod_Articulo = 102").toInt(), 0);
    EXPECT_EQ(scalar("SELECT Cajas FROM Traspasos_Lineas WHERE Cod_Articulo = 103").toInt(), 0);
    EXPECT_EQ(scalar("SELECT Costo FROM Traspasos_Lineas WHERE Cod_Articulo = 103").toMoney(), Money());
    // The blocked article is unblocked and marked; the others keep their flags.
    EXPECT_EQ(scalar("SELECT Mod_Ficha FROM Articulos WHERE Codigo = 101").toInt(), 1);
    EXPECT_EQ(scalar("SELECT Bloqueo FROM Almacen_Articulos WHERE Cod_Almacen = 12 AND Cod_Articulo = 101").toInt(), 0);
    EXPECT_EQ(scalar("SELECT Mod_Ficha FROM Articulos WHERE Codigo = 102").toInt(), 0);
    EXPECT_EQ(stock(1, 101), Money::fromInt(59));
    EXPECT_EQ(stock(12, 101), Money::fromInt(46));
    EXPECT_EQ(stock(12, 103), Money::fromInt(5));
    EXPECT_EQ(reservado(101), Money());
    EXPECT_EQ(reservado(102), Money::fromInt(7));  // the other pre-invoice keeps its reservation
    EXPECT_EQ(count("Reposicion_Pref", "Codigo = 260100001"), 0);
    EXPECT_EQ(count("Reposicion_Pref_Lineas", "Codigo = 260100001"), 0);
    EXPECT_EQ(count("Reposicion"), 0);
    EXPECT_EQ(asientos(), 1);
    ASSERT_EQ(impresos.size(), 1);
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("Centro"))) << impresos[0].texto.toStdString();
    ASSERT_EQ(cab(f.get())->Rows(), 2);
    EXPECT_EQ(det(f.get())->TextMatrix(1, 5), QStringLiteral("7"));
}

// The accounting database refuses after the company side has committed: the transfer stands,
// the user is told, and the entry is booked once when the viewer is opened again.
TEST_F(PantallaVisor, anEntryTheAccountingSideRefusedIsBookedWhenTheViewerOpensAgain)
{
    prefactura(260100001, 12, {{101, 41}});
    contable_.connection()->execute("CREATE TRIGGER cerrada BEFORE INSERT ON Contabilidad_Traspasos"
                                    " BEGIN SELECT RAISE(ABORT, 'contabilidad cerrada'); END");
    {
        auto f = abrir();
        mensajes.answer(ui::vbYes);
        pulsar(f.get(), QStringLiteral("cmdTraspasar"));
        EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("contabilidad cerrada")))
            << mensajes.last().text.toStdString();
        EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Atención !"));
        EXPECT_EQ(cab(f.get())->Rows(), 1);
        EXPECT_EQ(impresos.size(), 1);
    }
    EXPECT_EQ(count("Traspasos"), 1);
    EXPECT_EQ(count("Reposicion_Pref"), 0);
    EXPECT_EQ(asientos(), 0);
    EXPECT_EQ(count("Traspasos_Contabilidad_Pendiente"), 1);
    EXPECT_EQ(contable_.connection()->transactionDepth(), 0);

    contable_.connection()->execute("DROP TRIGGER cerrada");
    const int cajas = mensajes.count();
    auto f = abrir();
    EXPECT_EQ(mensajes.count(), cajas);
    EXPECT_EQ(asientos(), 1);
    EXPECT_EQ(contable_.connection()->scalar("SELECT Importe FROM Contabilidad_Traspasos").toMoney(),
              Money::fromDouble(61.5));
    EXPECT_EQ(count("Traspasos_Contabilidad_Pendiente"), 0);
    abrir();
    EXPECT_EQ(asientos(), 1);
}

TEST_F(PantallaVisor, aPreInvoiceWithoutLinesGoesWithoutADocument)
{
    prefactura(260100001, 12, {});
    auto f = abrir();
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdTraspasar"));
    EXPECT_EQ(mensajes.count(), 1) << mensajes.texts().join('\n').toStdString();
    EXPECT_EQ(count("Reposicion_Pref"), 0);
    EXPECT_EQ(count("Traspasos"), 0);
    EXPECT_EQ(asientos(), 0);
    EXPECT_TRUE(impresos.isEmpty());
    EXPECT_EQ(cab(f.get())->Rows(), 1);
}

TEST_F(PantallaVisor, aFailureBeforeTheCommitLeavesBothDatabasesUnchanged)
{
    prefactura(260100001, 12, {{101, 41}, {102, 3}});
    conn()->execute("CREATE TRIGGER fallo BEFORE DELETE ON Reposicion_Pref_Lineas"
                    " BEGIN SELECT RAISE(ABORT, 'lineas bloqueadas'); END");
    auto f = abrir();
    const QString antes = instantanea(conn());
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdTraspasar"));
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("lineas bloqueadas")));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Atención !"));
    EXPECT_EQ(instantanea(conn()), antes);
    EXPECT_EQ(asientos(), 0);
    EXPECT_EQ(conn()->transactionDepth(), 0);
    EXPECT_EQ(contable_.connection()->transactionDepth(), 0);
    EXPECT_EQ(cab(f.get())->Rows(), 2);
    EXPECT_TRUE(impresos.isEmpty());
}

TEST_F(PantallaVisor, withoutTheAccountingConnectionTheTransferIsRefusedUpFront)
{
    prefactura(260100001, 12, {{102, 3}});
    modComun::setConexionLedrin(nullptr);
    auto f = abrir();
    const QString antes = instantanea(conn());
    pulsar(f.get(), QStringLiteral("cmdTraspasar"));
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("contabilidad")));
    EXPECT_EQ(instantanea(conn()), antes);
}

// With the editing screen already open on another pre-invoice, Modificar must still bring up the
// one chosen in the viewer, not the screen as it was.
TEST_F(PantallaVisor, modifyShowsTheChosenPreInvoiceAlsoWhenTheEditingScreenIsAlreadyOpen)
{
    prefactura(260100001, 12, {{102, 3}});
    prefactura(260100002, 13, {{101, 24}, {102, 1}});
    auto* edicion = reposic::FormBase::porDefecto<frmRepPrefacturaModificar>();
    edicion->AbrirPrefactura(1, 260100001);
    edicion->show();
    ASSERT_EQ(hijo<QLineEdit>(edicion, QStringLiteral("txtCodigo"))->text(), "260100001");

    auto f = abrir();
    cab(f.get())->setRow(2);
    ASSERT_EQ(cab(f.get())->TextMatrix(2, 0), "260100002");
    pulsar(f.get(), QStringLiteral("cmdModificar"));
    EXPECT_EQ(reposic::FormBase::porDefecto<frmRepPrefacturaModificar>(), edicion);
    EXPECT_EQ(hijo<QLineEdit>(edicion, QStringLiteral("txtCodigo"))->text(), "260100002");
    EXPECT_EQ(hijo<ui::FlexGrid>(edicion, QStringLiteral("vsLineas"))->Rows(), 3);
    edicion->descargar();
}

// The viewer has no field to type in: it opens on its list so the arrows work at once.
TEST_F(PantallaVisor, opensWithTheKeyboardOnTheListOfPreInvoices)
{
    prefactura(260100001, 12, {{102, 3}});
    auto f = abrir();
    EXPECT_EQ(f->focusWidget(), cab(f.get()));
}
