#include "RestosFixture.h"

#include "platform/db/ConnectionString.h"
#include "reposic/frame/modComun.h"
#include "reposic/restos/ConexionCentral.h"
#include "reposic/restos/ConsultaRestos.h"
#include "reposic/restos/frmRepGrabRestos.h"

#include <QTest>

using db::Money;

namespace {

class LineasRestos : public RestosFixture {
protected:
    void mostrarPanel(QWidget* f, const QString& articulo)
    {
        auto* art = hijo<host::SelectorArticulo>(f, QStringLiteral("txtArticulo"));
        art->setTexto(articulo);
        QTest::keyClick(art->lineaTexto(), Qt::Key_Return);
    }
    QStringList panel(QWidget* f)
    {
        QStringList out;
        for (const char* l : {"lblUxCaja", "lblStock", "lblSalidasHoy", "lblRestosHoy",
                              "lblRestoCentral", "lblPrefacturado", "lblTotalRep", "lblStockCentral"})
            out << etiqueta(f, l);
        return out;
    }
    // Today at store 3: 2 sold, 3 transferred out, 1,5 already recorded as leftovers.
    void movimientosDeHoy()
    {
        conn()->execute("INSERT INTO Articulos_Ventas_Dia (Cod_Empresa, Cod_Almacen, Fecha, Cod_Articulo,"
                        " Cantidad) VALUES (1, 3, '2026-12-05', 101, 2), (1, 3, '2026-12-04', 101, 50)");
        conn()->execute("INSERT INTO Traspasos (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo, Fecha,"
                        " Alm_Destino) VALUES (1, 2026, 3, 7, '2026-12-05', 1)");
        conn()->execute("INSERT INTO Traspasos_Lineas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo,"
                        " Linea, Cod_Articulo, Unidades) VALUES (1, 2026, 3, 7, 1, 101, 3)");
        conn()->execute("INSERT INTO Reposicion_Restos (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Enviado)"
                        " VALUES (1, 3, 26030001, '2026-12-05', 0)");
        conn()->execute("INSERT INTO Reposicion_Restos_Lineas (Cod_Empresa, Cod_Almacen, Codigo,"
                        " Cod_Articulo, Unidades, Concepto) VALUES (1, 3, 26030001, 101, 1.5, '')");
    }
};

}  // namespace

TEST_F(LineasRestos, thePanelAddsTodaysMovementsAndTheCentralFigures)
{
    movimientosDeHoy();
    auto central = centralDb();
    central->execute("INSERT INTO Empresas (Codigo, Nombre, Almacen_PD) VALUES (1, 'Norte', 1)");
    central->execute("INSERT INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo, Stock_Actual)"
                     " VALUES (1, 1, 101, 500), (1, 2, 101, 9)");
    central->execute("INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo, Unidades,"
                     " UnidadesVenta, UnidadesResto) VALUES (1, 3, 101, 0, 4, 4, 0)");
    central->execute("INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Cod_AlmacenD,"
                     " Pendiente) VALUES (1, 1, 260100001, '2026-12-01', 3, 1), (1, 1, 260100002,"
                     " '2026-12-02', 3, 0), (1, 1, 260100003, '2026-12-02', 4, 1)");
    central->execute("INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen, Codigo, Cod_Articulo,"
                     " Unidades) VALUES (1, 1, 260100001, 101, 6), (1, 1, 260100002, 101, 1),"
                     " (1, 1, 260100003, 101, 100)");
    sitio(false, QStringLiteral("CENTRAL"));
    auto f = abrir();
    mostrarPanel(f.get(), "101");
    EXPECT_EQ(panel(f.get()), (QStringList{"12", "10,00", "5,00", "1,50", "4,00", "7,00", "17,50", "500,00"}));
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();

    // Unreachable or absent, the central figures say "X" and the line can still be stored.
    sitio(false, QStringLiteral("CAIDO"));
    auto g = abrir();
    mostrarPanel(g.get(), "101");
    EXPECT_EQ(panel(g.get()).mid(4), (QStringList{"X", "X", "X", "X"}));
    EXPECT_EQ(etiqueta(g.get(), "lblSalidasHoy"), QStringLiteral("5,00"));
    linea(g.get(), "101", "1");
    EXPECT_EQ(grid(g.get())->Rows(), 2);
    EXPECT_EQ(panel(g.get()), QStringList(8, QStringLiteral("--")));
}

TEST_F(LineasRestos, atTheCentralOfficeTodaysLeftoversAreNotCounted)
{
    movimientosDeHoy();
    sitio(true);
    auto f = abrir();
    mostrarPanel(f.get(), "101");
    EXPECT_EQ(panel(f.get()), (QStringList{"12", "10,00", "5,00", "0,00", "X", "X", "X", "X"}));
}

TEST_F(LineasRestos, thePriceComesFromTheTariffUnlessThePromotionHasOne)
{
    conn()->execute("UPDATE Almacenes SET Tarifa = 1, TarifaProm = 2 WHERE Codigo = 3");
    conn()->execute("INSERT INTO Articulos_Tarifas (Cod_Empresa, Cod_Tarifa, Cod_Articulo, Pvp) VALUES"
                    " (1, 1, 101, 2.5), (1, 2, 101, 1.99), (1, 1, 102, 3), (1, 2, 102, 0)");
    ConsultaRestos consulta(empresa_, conn());
    EXPECT_EQ(consulta.ObtenerPvp(3, 101), Money::fromScaled(19900));
    EXPECT_EQ(consulta.ObtenerPvp(3, 102), Money::fromInt(3));  // promotion at 0 is no promotion
    EXPECT_EQ(consulta.ObtenerPvp(3, 103), Money());
    EXPECT_EQ(consulta.ObtenerPvp(99, 101), Money());  // unknown warehouse: tariff 0, no price

    empresa_->setDecimalesPvp(3);
    auto f = abrir();
    linea(f.get(), "101", "1");
    EXPECT_EQ(grid(f.get())->TextMatrix(1, 3), QStringLiteral("1,990"));
}

TEST_F(LineasRestos, aLineIsCheckedInOrderAndOnlyABlockedArticleIsOutOfTheAssortment)
{
    semilla.articulo(104).articulo(105).stock(3, 105, 0, 1);  // 104: no row at the store
    auto f = abrir();
    linea(f.get(), "999", "1");
    EXPECT_EQ(mensajes.last().text, QStringLiteral("Debe especificar un artículo existente"));
    linea(f.get(), "101", "0");
    EXPECT_EQ(mensajes.last().text, QStringLiteral("Especifique las unidades que desea para el resto"));
    linea(f.get(), "105", "1");
    EXPECT_EQ(mensajes.last().text, QStringLiteral("El artículo no está en el surtido del almacén."));
    EXPECT_EQ(mensajes.last().title, QStringLiteral("¡ Atención !"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    // What was typed stays for the user to correct.
    EXPECT_EQ(hijo<QLineEdit>(f.get(), QStringLiteral("txtConcepto"))->text(), QStringLiteral("rotura"));
    EXPECT_EQ(grid(f.get())->Rows(), 1);

    mensajes.clear();
    linea(f.get(), "104", "1");
    linea(f.get(), "101", "-2");
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    EXPECT_EQ(grid(f.get())->Rows(), 3);
    EXPECT_EQ(scalar("SELECT Unidades FROM Temp_Reposicion_Restos_Lineas WHERE Cod_Articulo = 101").toMoney(),
              Money::fromInt(-2));

    hijo<ui::MaskedDateBox>(f.get(), QStringLiteral("txtFecha"))->setText(QString());
    linea(f.get(), "102", "1");
    EXPECT_EQ(mensajes.last().text, QStringLiteral("Especifique un valor de fecha válido"));
}

TEST_F(LineasRestos, newLinesRefuseDuplicatesWhileAChangeGoesToTheLineChosen)
{
    auto f = abrir();
    linea(f.get(), "101", "1");
    linea(f.get(), "102", "2");
    linea(f.get(), "101", "5");
    EXPECT_EQ(mensajes.last().text, QStringLiteral("El artículo especificado ya existe en la lista."));
    EXPECT_EQ(mensajes.last().icon(), ui::vbInformation);
    EXPECT_EQ(grid(f.get())->Rows(), 3);

    grid(f.get())->setRow(1);
    pulsar(f.get(), QStringLiteral("cmdModificar"));
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("txtArticulo"))->isEnabled());
    EXPECT_EQ(hijo<ui::NumericBox>(f.get(), QStringLiteral("txtUnidades"))->Value(), 1.0);
    grid(f.get())->setRow(2);  // the cursor wanders off before the change is stored
    hijo<ui::NumericBox>(f.get(), QStringLiteral("txtUnidades"))->setText("7,5");
    auto* concepto = hijo<QLineEdit>(f.get(), QStringLiteral("txtConcepto"));
    concepto->setText(QStringLiteral("recontado"));
    QTest::keyClick(concepto, Qt::Key_Return);
    EXPECT_EQ(fila(f.get(), 1).mid(1), (QStringList{"101", "Artículo 101", "0,00", "7,50", "recontado"}));
    EXPECT_EQ(fila(f.get(), 2)[4], QStringLiteral("2,00"));
    EXPECT_EQ(scalar("SELECT Unidades FROM Temp_Reposicion_Restos_Lineas WHERE Cod_Articulo = 101").toMoney(),
              Money::fromScaled(75000));
    EXPECT_EQ(scalar("SELECT Unidades FROM Temp_Reposicion_Restos_Lineas WHERE Cod_Articulo = 102").toMoney(),
              Money::fromInt(2));
}

TEST_F(LineasRestos, removingRenumbersAndTheLastRemovalKeepsTheHeaderLocked)
{
    auto f = abrir();
    linea(f.get(), "101", "1");
    linea(f.get(), "102", "2");
    linea(f.get(), "103", "3");
    grid(f.get())->setRow(1);
    pulsar(f.get(), QStringLiteral("cmdEliminar"));
    EXPECT_EQ(fila(f.get(), 1).mid(0, 2), (QStringList{"1", "102"}));
    EXPECT_EQ(fila(f.get(), 2).mid(0, 2), (QStringList{"2", "103"}));
    EXPECT_EQ(count("Temp_Reposicion_Restos_Lineas", "Cod_Articulo = 101"), 0);
    for (int i = 0; i < 2; ++i) {
        grid(f.get())->setRow(1);
        pulsar(f.get(), QStringLiteral("cmdEliminar"));
    }
    EXPECT_EQ(grid(f.get())->Rows(), 1);
    EXPECT_EQ(mensajes.count(), 0);
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("cmdAceptar"))->isEnabled());
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("txtFecha"))->isEnabled());
    EXPECT_EQ(count("Temp_Reposicion_Restos"), 1);
}

// The central connection the leftover screens build keeps each login value whole, whatever
// characters the user name or password hold.
TEST(ConexionCentralCadena, userAndPasswordStayWholeValues)
{
    const QString usuarioAntes = reposic::modComun::usuario();
    const QString claveAntes = reposic::modComun::password();
    reposic::modComun::setUsuario(QStringLiteral("o'brien"));
    reposic::modComun::setPassword(QStringLiteral("a;b=c'd\"e}f{"));
    const db::ConnectionString cs(ConexionCentral::cadena(QStringLiteral("CENTRAL")));
    EXPECT_EQ(cs.value(QStringLiteral("User Id")), QStringLiteral("o'brien"));
    EXPECT_EQ(cs.value(QStringLiteral("Password")), QStringLiteral("a;b=c'd\"e}f{"));
    EXPECT_EQ(cs.value(QStringLiteral("Database")), QStringLiteral("Calbra"));
    EXPECT_EQ(cs.attributes().size(), 5);
    reposic::modComun::setUsuario(usuarioAntes);
    reposic::modComun::setPassword(claveAntes);
}
