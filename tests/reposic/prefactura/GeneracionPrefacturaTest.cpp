#include "platform/db/Error.h"
#include "platform/db/Recordset.h"
#include "reposic/prefactura/GeneracionPrefactura.h"
#include "support/DatosFixture.h"
#include "support/Semilla.h"

using db::Money;

namespace {

constexpr int kCentral = 1;
constexpr int kTienda = 12;

class Generacion : public testsupport::DatosFixture {
protected:
    Generacion() : semilla(conn())
    {
        semilla.almacen(kCentral, QStringLiteral("Central")).almacen(kTienda, QStringLiteral("Centro"));
    }
    // An article stocked at the central warehouse and present at the store, with pending units.
    void articuloPendiente(int art, double pendiente, double stockCentral, double uxCaja = 0,
                           int familia = 0, int tipoRep = 1, int bloqueo = 0)
    {
        semilla.articulo(art, uxCaja, 0, tipoRep, familia)
            .stock(kCentral, art, stockCentral)
            .stock(kTienda, art, 0, bloqueo)
            .pendiente(kTienda, art, pendiente, pendiente - 1, 1);
    }
    GeneracionPrefactura pase(int porcentaje = 100)
    {
        GeneracionPrefactura g(empresa_, conn());
        g.origen = kCentral;
        g.destino = kTienda;
        g.porcentaje = porcentaje;
        return g;
    }
    Money unidades(const QString& sql) { return scalar(sql).toMoney(); }
    Money pendienteDe(int art)
    {
        return unidades(QStringLiteral("SELECT IFNULL(SUM(Unidades), 0) FROM Reposicion WHERE Cod_Almacen = 12"
                                       " AND Cod_Articulo = %1").arg(art));
    }
    Money lineaDe(int art)
    {
        return unidades(QStringLiteral("SELECT IFNULL(SUM(Unidades), 0) FROM Reposicion_Pref_Lineas"
                                       " WHERE Cod_Articulo = %1").arg(art));
    }

    testsupport::Semilla semilla;
};

}  // namespace

TEST_F(Generacion, withoutGroupsOnePassSendsWhatTheOriginCanAndKeepsTheBooksBalanced)
{
    articuloPendiente(101, 10, 100);  // all goes
    articuloPendiente(102, 10, 4);    // 4 go, 6 short, 6 stay pending -> leftover
    articuloPendiente(103, 5, 0);     // nothing goes, 5 short
    articuloPendiente(104, 5, 50, 0, 0, 0);     // not replenishable: deleted
    articuloPendiente(105, 5, 50, 0, 0, 1, 1);  // blocked at the store: deleted
    semilla.reservado(kCentral, 102, 0);

    auto g = pase();
    ASSERT_TRUE(g.grupos().isEmpty());
    const int64_t codigo = g.generar(0);
    EXPECT_EQ(codigo, 260100001);
    EXPECT_EQ(count("Reposicion_Pref", "Codigo = 260100001 AND Cod_AlmacenD = 12 AND Pendiente = 1"), 1);
    EXPECT_EQ(lineaDe(101), Money::fromInt(10));
    EXPECT_EQ(lineaDe(102), Money::fromInt(4));
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 2);
    // Pending: 101 reached 0 and went; 102 keeps 6, now all leftover; 104/105 deleted.
    EXPECT_EQ(count("Reposicion", "Cod_Articulo IN (101, 104, 105)"), 0);
    EXPECT_EQ(pendienteDe(102), Money::fromInt(6));
    EXPECT_EQ(unidades("SELECT UnidadesResto FROM Reposicion WHERE Cod_Articulo = 102"), Money::fromInt(6));
    EXPECT_EQ(unidades("SELECT UnidadesVenta FROM Reposicion WHERE Cod_Articulo = 102"), Money());
    EXPECT_EQ(pendienteDe(103), Money::fromInt(5));
    // Reservation at the origin equals the lines; shortages at the store what could not go.
    EXPECT_EQ(unidades("SELECT SUM(Unidades) FROM Reposicion_StockReservado WHERE Cod_Almacen = 1"),
              Money::fromInt(14));
    EXPECT_EQ(unidades("SELECT Unidades FROM Reposicion_Faltas WHERE Cod_Almacen = 12 AND Cod_Articulo = 102"),
              Money::fromInt(6));
    EXPECT_EQ(unidades("SELECT Unidades FROM Reposicion_Faltas WHERE Cod_Articulo = 103"), Money::fromInt(5));
    EXPECT_EQ(g.totales().lineas, 2);
    EXPECT_EQ(g.totales().enviadas, Money::fromInt(14));
    EXPECT_EQ(g.totales().faltas, Money::fromInt(11));
    EXPECT_EQ(conn()->transactionDepth(), 0);
}

TEST_F(Generacion, eachGroupTakesItsFamiliesAndGroupZeroTheRest)
{
    articuloPendiente(201, 3, 100, 0, 10);
    articuloPendiente(202, 3, 100, 0, 20);
    articuloPendiente(203, 3, 100, 0, 30);
    semilla.grupo(1, QStringLiteral("Frutas"), 10).grupo(2, QStringLiteral("Vacío"));
    // A row naming no level at all must not break the statement.
    conn()->execute("INSERT INTO Reposicion_Grp_Fam (Cod_Empresa, Cod_Grupo) VALUES (1, 2)");
    semilla.grupo(3, QStringLiteral("Lácteos"), 20);

    auto g = pase();
    QVector<int64_t> codigos;
    for (int16_t grupo : g.grupos())
        codigos << g.generar(grupo);
    codigos << g.generar(0);
    // Group 2 has no usable row: it takes every article still pending at its turn.
    EXPECT_EQ(codigos, (QVector<int64_t>{260100001, 260100002, 0, 0}));
    EXPECT_EQ(scalar("SELECT Codigo FROM Reposicion_Pref_Lineas WHERE Cod_Articulo = 201").toInt64(), 260100001);
    EXPECT_EQ(scalar("SELECT Codigo FROM Reposicion_Pref_Lineas WHERE Cod_Articulo = 202").toInt64(), 260100002);
    EXPECT_EQ(scalar("SELECT Codigo FROM Reposicion_Pref_Lineas WHERE Cod_Articulo = 203").toInt64(), 260100002);
}

TEST_F(Generacion, groupZeroExcludesArticlesOfEveryGroup)
{
    articuloPendiente(301, 3, 100, 0, 10);
    articuloPendiente(302, 3, 100, 0, 40);
    semilla.grupo(1, QStringLiteral("Frutas"), 10);
    auto g = pase();
    EXPECT_EQ(g.criterioGrupo(0), QStringLiteral(" AND NOT (( b.Familia_1=10))"));
    EXPECT_EQ(g.generar(0), 260100001);
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 1);
    EXPECT_EQ(lineaDe(302), Money::fromInt(3));
    // 301 waits for its group's pass, but group 0 turned it into leftover meanwhile.
    EXPECT_EQ(unidades("SELECT UnidadesResto FROM Reposicion WHERE Cod_Articulo = 301"), Money::fromInt(3));
}

TEST_F(Generacion, boxThresholdOfTheStoreDecidesWholeBoxes)
{
    conn()->execute("UPDATE Almacenes SET RepPorcentajeCajas = 50 WHERE Codigo = 12");
    articuloPendiente(401, 30, 20, 12);  // 250 %: 12 go, 24 short
    articuloPendiente(402, 5, 100, 12);  // 42 % < 50: stays pending, then leftover
    auto g = pase();
    g.generar(0);
    EXPECT_EQ(lineaDe(401), Money::fromInt(12));
    EXPECT_EQ(unidades("SELECT Unidades FROM Reposicion_Faltas WHERE Cod_Articulo = 401"), Money::fromInt(24));
    EXPECT_EQ(pendienteDe(402), Money::fromInt(5));
    EXPECT_EQ(count("Reposicion_Faltas", "Cod_Articulo = 402"), 0);
}

TEST_F(Generacion, headerIsWrittenEvenWhenNoLineCanGoAndNothingPendingWritesNothing)
{
    auto vacio = pase();
    EXPECT_EQ(vacio.generar(0), 0);
    EXPECT_EQ(count("Reposicion_Pref"), 0);
    EXPECT_EQ(count("Contador_Reposicion_Pref"), 0);

    articuloPendiente(501, 4, 0);
    auto g = pase(25);  // 1 unit asked, none in stock
    EXPECT_EQ(g.generar(0), 260100001);
    EXPECT_EQ(count("Reposicion_Pref"), 1);
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 0);
    EXPECT_EQ(unidades("SELECT Unidades FROM Reposicion_Faltas"), Money::fromInt(1));
}

TEST_F(Generacion, aPassThatFailsHalfwayLeavesNoTraceAndTheNextPassStillWorks)
{
    articuloPendiente(601, 5, 100, 0, 10);
    articuloPendiente(602, 5, 100, 0, 10);
    articuloPendiente(603, 5, 100, 0, 20);
    semilla.grupo(1, QStringLiteral("Frutas"), 10);
    // The database refuses the second article's line: the first one is already written.
    conn()->execute("CREATE TRIGGER fallo BEFORE INSERT ON Reposicion_Pref_Lineas WHEN NEW.Cod_Articulo = 602"
                    " BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
    auto g = pase();
    try {
        g.generar(1);
        FAIL() << "the pass should have failed";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("disco lleno")));
    }
    EXPECT_EQ(conn()->transactionDepth(), 0);
    EXPECT_EQ(count("Reposicion_Pref"), 0);
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 0);
    EXPECT_EQ(count("Contador_Reposicion_Pref"), 0);
    EXPECT_EQ(count("Reposicion_StockReservado"), 0);
    EXPECT_EQ(pendienteDe(601), Money::fromInt(5));
    EXPECT_EQ(g.totales().lineas, 0);

    EXPECT_EQ(g.generar(0), 260100001);  // the next pass numbers from the start again
    EXPECT_EQ(lineaDe(603), Money::fromInt(5));
}
