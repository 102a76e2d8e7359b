#include "CasacionFixture.h"

#include <QCoreApplication>
#include <QLineEdit>

using db::Money;

namespace {

// Two orders and two mini-purchases that disagree on three articles:
//   article 1: ordered 10 (order 101) + 4 (order 102), received 8 + 3   -> difference 3
//   article 2: ordered 5 (101), received 5                              -> none
//   article 3: ordered 6 (102), received 2                              -> difference 4, edited to 2
//   article 4: not ordered, received 1                                  -> difference -1
class CasacionCompleta : public CasacionFixture {
protected:
    CasacionCompleta()
    {
        for (int a = 1; a <= 4; ++a)
            semilla.articulo(a);
        semilla.pendiente(12, 1, 5, 5, 0);
        pedido(101, QStringLiteral("2026-12-01"));
        linea(101, 1, 1, 10);
        linea(101, 2, 2, 5);
        pedido(102, QStringLiteral("2026-12-02"));
        linea(102, 1, 1, 4);
        linea(102, 2, 3, 6);
        mini(1, QStringLiteral("ALB-1"));
        lineaMini(1, 1, 1, 8);
        lineaMini(1, 2, 2, 5);
        mini(2, QStringLiteral("ALB-2"));
        lineaMini(2, 1, 1, 3);
        lineaMini(2, 2, 3, 2);
        lineaMini(2, 3, 4, 1);
    }

    // Marks everything, edits article 3's difference to 2 and liquidates carrying the differences.
    void liquidar(frmChkPedMC_Main* f)
    {
        for (const char* g : {"vsPed", "vsMC"}) {
            for (int r = 1; r < grid(f, g)->Rows(); ++r)
                clic(grid(f, g), r);
        }
        modales.then([](QDialog& d) {
            ui::FlexGrid* dif = grid(&d, "vsDif");
            const int fila = filaDe(dif, 0, QStringLiteral("3"));
            ASSERT_GT(fila, 0);
            EXPECT_EQ(dif->TextMatrix(fila, 4), QStringLiteral("4"));
            dif->setRow(fila);
            dif->setCol(4);
            ASSERT_TRUE(dif->EditCell());
            QLineEdit* editor = dif->EditWindow();
            ASSERT_NE(editor, nullptr);
            EXPECT_EQ(editor->text(), QStringLiteral("4,00"));
            QTest::keyClicks(editor, QStringLiteral("2"));
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();  // the editor commits from the event loop
            EXPECT_EQ(dif->TextMatrix(fila, 4), QStringLiteral("2"));
            pulsar(&d, QStringLiteral("cmdLiquidar"));
        });
        mensajes.answer(ui::vbYes);
        pulsar(f, QStringLiteral("cmdProcesar"));
    }

    Money lineaPedido(int pedido, int linea, const char* columna)
    {
        return dinero(QStringLiteral("SELECT %1 FROM Pedidos_Proveedores_Lineas WHERE Codigo = %2 AND Linea = %3")
                          .arg(QString::fromLatin1(columna)).arg(pedido).arg(linea));
    }
    Money reposicion(int articulo)
    {
        return dinero(QStringLiteral("SELECT Unidades FROM Reposicion WHERE Cod_Almacen = 12 AND Cod_Articulo = %1")
                          .arg(articulo));
    }
};

}  // namespace

TEST_F(CasacionCompleta, liquidatingBooksTheReceiptClosesTheOrdersAndCarriesTheEditedDifferences)
{
    auto f = abrir();
    const int primero = grid(f.get(), "vsPed")->TextMatrix(1, 1).toInt();
    liquidar(f.get());
    EXPECT_EQ(mensajes.last().text, QStringLiteral("Operación terminada con éxito"));
    EXPECT_TRUE(mensajes.boxes()[0].text.endsWith(
        QStringLiteral("¿Desea llevar la diferencia a la Reposición Automática?")));

    // Article 1's 11 units fill the order standing first, the rest goes to the other.
    const int otro = primero == 101 ? 102 : 101;
    const int lineaArt1Primero = 1;
    EXPECT_EQ(lineaPedido(primero, lineaArt1Primero, "UnidadesRcv"),
              Money::fromInt(primero == 101 ? 10 : 4));
    EXPECT_EQ(lineaPedido(otro, 1, "UnidadesRcv"), Money::fromInt(primero == 101 ? 1 : 7));
    EXPECT_EQ(lineaPedido(101, 2, "UnidadesRcv"), Money::fromInt(5));
    EXPECT_EQ(lineaPedido(102, 2, "UnidadesRcv"), Money::fromInt(2));
    // What was not received is liquidated, exactly.
    EXPECT_EQ(lineaPedido(101, 1, "UnidadesLiq") + lineaPedido(102, 1, "UnidadesLiq"), Money::fromInt(3));
    EXPECT_EQ(lineaPedido(101, 2, "UnidadesLiq"), Money());
    EXPECT_EQ(lineaPedido(102, 2, "UnidadesLiq"), Money::fromInt(4));
    EXPECT_EQ(count("Pedidos_Proveedores", "Pendiente = 1"), 0);
    EXPECT_EQ(count("Compras_Mini", QStringLiteral("CheckvsPed = 1 AND Cod_PedidoProv = %1").arg(primero)), 2);
    EXPECT_EQ(count("Compras_Mini_Lineas_Convenio"), 0);
    // Replenishment rises by the differences as edited: 3, 2 and -1; article 2 untouched.
    EXPECT_EQ(reposicion(1), Money::fromInt(8));
    EXPECT_EQ(dinero("SELECT UnidadesResto FROM Reposicion WHERE Cod_Almacen = 12 AND Cod_Articulo = 1"),
              Money::fromInt(3));
    EXPECT_EQ(reposicion(3), Money::fromInt(2));
    EXPECT_EQ(reposicion(4), Money::fromInt(-1));
    EXPECT_EQ(count("Reposicion", "Cod_Articulo = 2"), 0);
    EXPECT_EQ(grid(f.get(), "vsPed")->Rows(), 1);
}

TEST_F(CasacionCompleta, aFaultInTheMiddleLeavesEverythingAsBefore)
{
    // The mini-purchases are stamped last: by then receipts, orders and replenishment are written.
    conn()->execute("CREATE TRIGGER fallo BEFORE DELETE ON Compras_Mini_Lineas_Convenio"
                    " BEGIN SELECT RAISE(ABORT, 'bloqueo'); END");
    auto f = abrir();
    liquidar(f.get());
    ASSERT_EQ(mensajes.count(), 2);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("bloqueo")));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("frmChkPedMC_Main:cmdProcesar_Click"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_EQ(conn()->transactionDepth(), 0);
    EXPECT_EQ(count("Pedidos_Proveedores_Lineas", "UnidadesRcv <> 0 OR UnidadesLiq <> 0"), 0);
    EXPECT_EQ(count("Pedidos_Proveedores_Recepciones"), 0);
    EXPECT_EQ(count("Pedidos_Proveedores", "Pendiente = 1"), 2);
    EXPECT_EQ(count("Compras_Mini", "CheckvsPed = 1"), 0);
    EXPECT_EQ(count("Compras_Mini_Lineas", "CostoFra = 0"), 0);
    EXPECT_EQ(reposicion(1), Money::fromInt(5));
    EXPECT_EQ(count("Reposicion"), 1);
    // The marks are still there for another try.
    EXPECT_EQ(grid(f.get(), "vsPed")->TextMatrix(1, 0), QStringLiteral("X"));
}
