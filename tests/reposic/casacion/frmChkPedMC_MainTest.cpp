#include "CasacionFixture.h"

#include "host/controls/SelectorProveedor.h"
#include "reposic/casacion/frmChkPedMC_Diferencias.h"

#include <QCheckBox>
#include <QLineEdit>

using db::Money;

namespace {

class PantallaCasacion : public CasacionFixture {
protected:
    // Orders 101 (pending 10 of article 1) and 102 (closed); mini-purchase 1 brings the 10,
    // mini-purchase 2 was matched before.
    void basico()
    {
        semilla.articulo(1).articulo(2);
        pedido(101, QStringLiteral("2026-12-01"));
        linea(101, 1, 1, 10);
        linea(101, 2, 2, 4, 4);
        pedido(102, QStringLiteral("2026-11-20"), 0);
        linea(102, 1, 1, 3);
        mini(1, QStringLiteral("ALB-1"));
        lineaMini(1, 1, 1, 10);
        mini(2, QStringLiteral("ALB-0"), 1);
        lineaMini(2, 1, 2, 1);
    }
    void marcarTodo(frmChkPedMC_Main* f)
    {
        for (int r = 1; r < grid(f, "vsPed")->Rows(); ++r)
            espacio(grid(f, "vsPed"), r);
        for (int r = 1; r < grid(f, "vsMC")->Rows(); ++r)
            espacio(grid(f, "vsMC"), r);
    }
};

}  // namespace

TEST_F(PantallaCasacion, listsPendingOrdersAndUnmatchedMiniPurchasesAndMarksByClickAndSpace)
{
    basico();
    auto f = abrir();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Control de Recepción de Pedidos"));
    EXPECT_TRUE(f->SinTransaccion);
    ui::FlexGrid* ped = grid(f.get(), "vsPed");
    ui::FlexGrid* mc = grid(f.get(), "vsMC");
    ASSERT_EQ(ped->Rows(), 2);
    EXPECT_EQ(ped->TextMatrix(0, 1), QStringLiteral("Código"));
    EXPECT_TRUE(ped->ColHidden(6));
    EXPECT_GE(ped->ColWidth(3), 1300);  // the anchor may widen it
    const QStringList fila{QString(), "101", "01/12/2026", "100,50", "2", "14,00", "0"};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(ped->TextMatrix(1, c), fila[c]) << c;
    ASSERT_EQ(mc->Rows(), 2);
    EXPECT_TRUE(mc->ColHidden(0));
    EXPECT_EQ(mc->TextMatrix(1, 0), QStringLiteral("2026"));
    EXPECT_EQ(mc->TextMatrix(1, 4), QStringLiteral("ALB-1"));
    EXPECT_EQ(mc->TextMatrix(1, 6), QStringLiteral("10,00"));

    clic(ped, 1);
    EXPECT_EQ(ped->TextMatrix(1, 0), QStringLiteral("X"));
    espacio(ped, 1);
    EXPECT_EQ(ped->TextMatrix(1, 0), QString());

    // The matched one shows in its colour and refuses the mark, by click and by space.
    hijo<QCheckBox>(f.get(), QStringLiteral("chkMCTodos"))->setChecked(true);
    ASSERT_EQ(mc->Rows(), 3);
    const int casada = filaDe(mc, 4, QStringLiteral("ALB-0"));
    ASSERT_GT(casada, 0);
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(mc->CellBackColor(casada, c), QColor(255, 192, 192)) << c;
    clic(mc, casada);
    espacio(mc, casada);
    EXPECT_EQ(mc->TextMatrix(casada, 1), QString());
    const int libre = filaDe(mc, 4, QStringLiteral("ALB-1"));
    clic(mc, libre);
    EXPECT_EQ(mc->TextMatrix(libre, 1), QStringLiteral("X"));
    EXPECT_FALSE(mc->CellBackColor(libre, 1).isValid());
}

TEST_F(PantallaCasacion, asksForAnOrderAndThenForAMiniPurchase)
{
    basico();
    auto f = abrir();
    pulsar(f.get(), QStringLiteral("cmdProcesar"));
    espacio(grid(f.get(), "vsPed"), 1);
    pulsar(f.get(), QStringLiteral("cmdProcesar"));
    EXPECT_EQ(mensajes.texts(), (QStringList{QStringLiteral("Seleccione al menos un pedido de proveedor"),
                                             QStringLiteral("Seleccione al menos una mini-compra")}));
    EXPECT_EQ(mensajes.last().icon(), ui::vbInformation);
    EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Atención !"));
}

TEST_F(PantallaCasacion, aFullMatchBooksTheReceiptClosesTheOrderAndStampsTheMiniPurchase)
{
    basico();
    auto f = abrir();
    marcarTodo(f.get());
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdProcesar"));
    EXPECT_EQ(mensajes.texts(),
              (QStringList{QStringLiteral("Los artículos coinciden al 100%\r\n¿Actualizamos pedido(s)?"),
                           QStringLiteral("Operación terminada con éxito")}));
    EXPECT_EQ(mensajes.boxes()[0].title, QStringLiteral("Pedido correcto"));
    EXPECT_EQ(dinero("SELECT UnidadesRcv FROM Pedidos_Proveedores_Lineas WHERE Codigo = 101 AND Linea = 1"),
              Money::fromInt(10));
    EXPECT_EQ(scalar("SELECT Pendiente FROM Pedidos_Proveedores WHERE Codigo = 101").toInt(), 0);
    EXPECT_EQ(scalar("SELECT LineasRecibidas FROM Pedidos_Proveedores WHERE Codigo = 101").toInt(), 2);
    EXPECT_EQ(scalar("SELECT Cod_PedidoProv FROM Compras_Mini WHERE Codigo = 1").toInt(), 101);
    EXPECT_EQ(count("Compras_Mini", "Codigo = 1 AND CheckvsPed = 1 AND EnviadoCheckvsPed = 0"), 1);
    EXPECT_EQ(count("Compras_Mini_Lineas", "Codigo = 1 AND CostoFra <> 0"), 0);
    EXPECT_EQ(count("Compras_Mini_Lineas_Convenio", "Codigo = 1"), 0);
    EXPECT_EQ(count("Compras_Mini_Lineas_Convenio", "Codigo = 2"), 1);
    // Reloaded: nothing left to match.
    EXPECT_EQ(grid(f.get(), "vsPed")->Rows(), 1);
    EXPECT_EQ(grid(f.get(), "vsMC")->Rows(), 1);
}

TEST_F(PantallaCasacion, fullyReceivedOrdersBringNothingAndModeZeroWritesNothingWhateverTheAnswer)
{
    semilla.articulo(1);
    pedido(101, QStringLiteral("2026-12-01"));
    linea(101, 1, 1, 5, 5);
    mini(1, QStringLiteral("VACIA"));
    empresa_->setParametro(QStringLiteral("PedProv_ModoActUndsPtes"), QStringLiteral("0"));
    auto f = abrir();
    marcarTodo(f.get());
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdProcesar"));
    EXPECT_EQ(mensajes.texts(), QStringList{QStringLiteral("Los artículos coinciden al 100%")});
    EXPECT_EQ(mensajes.last().buttons(), ui::vbYesNo);
    EXPECT_EQ(count("Compras_Mini", "CheckvsPed = 1"), 0);
    EXPECT_EQ(scalar("SELECT Pendiente FROM Pedidos_Proveedores WHERE Codigo = 101").toInt(), 1);
    EXPECT_EQ(grid(f.get(), "vsPed")->TextMatrix(1, 0), QStringLiteral("X"));  // not reloaded
}

TEST_F(PantallaCasacion, anArticleOnlyInTheMiniPurchasesOpensTheDifferencesAndCancelWritesNothing)
{
    basico();
    semilla.articulo(9);
    lineaMini(1, 2, 9, 3);
    auto f = abrir();
    marcarTodo(f.get());
    QStringList vista;
    modales.then([&](QDialog& d) {
        auto* dif = dynamic_cast<frmChkPedMC_Diferencias*>(&d);
        ASSERT_NE(dif, nullptr);
        EXPECT_EQ(dif->ListaPedidos, QStringLiteral("101"));
        EXPECT_EQ(dif->ListaMiniCompras, QStringLiteral("1"));
        auto* g = grid(&d, "vsDif");
        for (int c = 0; c < 5; ++c)
            vista << g->TextMatrix(g->Rows() - 1, c);
        vista << QString::number(g->Rows());
        pulsar(&d, QStringLiteral("cmdCancelar"));
    });
    pulsar(f.get(), QStringLiteral("cmdProcesar"));
    EXPECT_EQ(vista, (QStringList{"9", "Artículo 9", "0", "3", "-3", "2"}));
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    EXPECT_EQ(count("Pedidos_Proveedores_Lineas", "UnidadesRcv > 0 AND Codigo = 101 AND Linea = 1"), 0);
    EXPECT_EQ(count("Compras_Mini", "CheckvsPed = 1"), 1);
    EXPECT_EQ(grid(f.get(), "vsPed")->TextMatrix(1, 0), QStringLiteral("X"));
}

TEST_F(PantallaCasacion, twoOrdersNeedingTheSameArticleFillTheHigherOneFirst)
{
    semilla.articulo(7);
    pedido(101, QStringLiteral("2026-12-01"));
    linea(101, 1, 7, 5);
    pedido(102, QStringLiteral("2026-12-02"));
    linea(102, 1, 7, 5);
    mini(1, QStringLiteral("A"));
    lineaMini(1, 1, 7, 7);
    empresa_->setParametro(QStringLiteral("RepArtProv_TipoReposicionAutomatica"), QStringLiteral("0"));
    auto f = abrir();
    marcarTodo(f.get());
    const QString arriba = grid(f.get(), "vsPed")->TextMatrix(1, 1);
    const QString abajo = grid(f.get(), "vsPed")->TextMatrix(2, 1);
    modales.then([](QDialog& d) { pulsar(&d, QStringLiteral("cmdLiquidar")); });
    mensajes.answer(ui::vbOK);
    pulsar(f.get(), QStringLiteral("cmdProcesar"));
    EXPECT_EQ(dinero("SELECT UnidadesRcv FROM Pedidos_Proveedores_Lineas WHERE Codigo = " + arriba),
              Money::fromInt(5));
    EXPECT_EQ(dinero("SELECT UnidadesRcv FROM Pedidos_Proveedores_Lineas WHERE Codigo = " + abajo),
              Money::fromInt(2));
    EXPECT_EQ(dinero("SELECT UnidadesLiq FROM Pedidos_Proveedores_Lineas WHERE Codigo = " + abajo),
              Money::fromInt(3));
    EXPECT_EQ(scalar("SELECT Cod_PedidoProv FROM Compras_Mini WHERE Codigo = 1").toText(), arriba);
    EXPECT_EQ(count("Reposicion"), 0);  // OK to the two-button question carries nothing
    EXPECT_EQ(count("Pedidos_Proveedores_Recepciones"), 2);
}

TEST_F(PantallaCasacion, insideTheHostsTransactionItNeitherBeginsNorEndsOne)
{
    basico();
    conn()->beginTrans();
    auto f = abrir();
    EXPECT_FALSE(f->SinTransaccion);
    marcarTodo(f.get());
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdProcesar"));
    EXPECT_EQ(conn()->transactionDepth(), 1);
    EXPECT_EQ(count("Compras_Mini", "CheckvsPed = 1"), 2);

    // A failure inside the host's transaction is left for the host to undo.
    pedido(103, QStringLiteral("2026-12-03"));
    linea(103, 1, 1, 2);
    mini(3, QStringLiteral("B"));
    lineaMini(3, 1, 1, 2);
    conn()->execute("CREATE TRIGGER fallo BEFORE UPDATE ON Compras_Mini BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
    hijo<QCheckBox>(f.get(), QStringLiteral("chkMCTodos"))->setChecked(true);  // reloads
    hijo<QCheckBox>(f.get(), QStringLiteral("chkMCTodos"))->setChecked(false);
    ASSERT_EQ(grid(f.get(), "vsPed")->TextMatrix(1, 1), QStringLiteral("103"));
    espacio(grid(f.get(), "vsPed"), 1);
    espacio(grid(f.get(), "vsMC"), 1);
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdProcesar"));
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("disco lleno")));
    EXPECT_EQ(conn()->transactionDepth(), 1);
    conn()->rollbackTrans();
    EXPECT_EQ(count("Compras_Mini", "CheckvsPed = 1"), 1);
    EXPECT_EQ(count("Pedidos_Proveedores_Lineas", "UnidadesRcv > 0 AND Codigo = 101 AND Linea = 1"), 0);
}

TEST_F(PantallaCasacion, aSupplierWithoutStockInTransitAtTheWarehouseIsRefused)
{
    basico();
    conn()->execute("UPDATE Almacenes SET CfgStockTransito = 2 WHERE Codigo = 12");
    proveedor(600, 0);
    auto f = abrir(12, 0);
    auto* prov = hijo<host::SelectorProveedor>(f.get(), QStringLiteral("txtProv"));
    prov->setTexto(QStringLiteral("600"));
    pulsarTecla(prov->lineaTexto(), Qt::Key_Return);
    EXPECT_EQ(mensajes.texts(), QStringList{QStringLiteral("El proveedor especificado no usa stock en tránsito")});
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    EXPECT_TRUE(prov->texto().isEmpty());
    EXPECT_EQ(grid(f.get(), "vsPed")->Rows(), 1);

    // Supplier 500 works with pending orders: with setting 2 it is let through.
    prov->setTexto(QStringLiteral("500"));
    pulsarTecla(prov->lineaTexto(), Qt::Key_Return);
    EXPECT_EQ(mensajes.count(), 1);
    EXPECT_EQ(grid(f.get(), "vsPed")->Rows(), 2);
}

TEST_F(PantallaCasacion, annullingAsksLogsAndHonoursTheSupervisor)
{
    basico();
    auto f = abrir();
    ui::FlexGrid* ped = grid(f.get(), "vsPed");
    ped->setRow(1);
    mensajes.answer(ui::vbNo);
    pulsar(f.get(), QStringLiteral("cmdAnular"));
    EXPECT_EQ(mensajes.last().text, QStringLiteral("¿Desea eliminar el pedido seleccionado?"));
    EXPECT_EQ(mensajes.last().defaultButton(), ui::vbDefaultButton2);
    EXPECT_EQ(scalar("SELECT Anulado FROM Pedidos_Proveedores WHERE Codigo = 101").toInt(), 0);

    empresa_->setParametro(QStringLiteral("PedProv_AnularAutenticar"), QStringLiteral("1"));
    empresa_->setParametro(QStringLiteral("ClaveSupervisor"), QStringLiteral("s3cr"));
    auto clave = [](const QString& texto) {
        return [texto](QDialog& d) {
            hijo<QLineEdit>(&d, QStringLiteral("txtClave"))->setText(texto);
            pulsar(&d, QStringLiteral("cmdAceptar"));
        };
    };
    modales.then(clave(QStringLiteral("mala")));
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdAnular"));
    EXPECT_EQ(scalar("SELECT Anulado FROM Pedidos_Proveedores WHERE Codigo = 101").toInt(), 0);
    EXPECT_EQ(count("Log_Operaciones", "TipoDocumento = 13"), 0);

    modales.then(clave(QStringLiteral("s3cr")));
    mensajes.answer(ui::vbYes);
    ped->setRow(1);
    pulsar(f.get(), QStringLiteral("cmdAnular"));
    EXPECT_EQ(count("Pedidos_Proveedores", "Codigo = 101 AND Anulado = 1 AND Pendiente = 0"), 1);
    EXPECT_EQ(count("Log_Operaciones", "Cod_Usuario = 1 AND TipoDocumento = 13 AND Operacion = 3"
                                       " AND Cod_Documento = 101 AND Comentario = ''"), 1);
    EXPECT_EQ(ped->Rows(), 1);
    EXPECT_TRUE(modales.problems().isEmpty()) << modales.problems().join('\n').toStdString();
}

TEST_F(PantallaCasacion, aFailingAnnulmentRollsBackAndSaysWhere)
{
    basico();
    conn()->execute("CREATE TRIGGER fallo BEFORE INSERT ON Log_Operaciones BEGIN SELECT RAISE(ABORT, 'sin log'); END");
    auto f = abrir();
    grid(f.get(), "vsPed")->setRow(1);
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdAnular"));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("frmChkPedMC_Main:cmdAnular_Click"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_EQ(scalar("SELECT Anulado FROM Pedidos_Proveedores WHERE Codigo = 101").toInt(), 0);
    EXPECT_EQ(conn()->transactionDepth(), 0);
}

TEST_F(PantallaCasacion, shortagesNeedAWarehouseAndASupplier)
{
    basico();
    auto f = abrir(12, 0);
    pulsar(f.get(), QStringLiteral("cmdFaltas"));
    EXPECT_EQ(mensajes.texts(), QStringList{QStringLiteral("Especifique el proveedor")});
    EXPECT_EQ(modales.count(), 0);
    auto* prov = hijo<host::SelectorProveedor>(f.get(), QStringLiteral("txtProv"));
    prov->setTexto(QStringLiteral("500"));
    modales.then([](QDialog& d) { pulsar(&d, QStringLiteral("cmdSalir")); });
    pulsar(f.get(), QStringLiteral("cmdFaltas"));
    EXPECT_EQ(modales.dialogs(), QStringList{QStringLiteral("frmChkPedMC_Faltas")});
}
