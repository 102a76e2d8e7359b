#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "reposic/data/clsAlmacen_Rep.h"
#include "reposic/data/clsAlmacen_Rep_PreF.h"
#include "reposic/data/clsAlmacen_Rep_PreF_Lineas.h"
#include "support/DatosFixture.h"

using db::Money;

namespace {

class ClasesDatos : public testsupport::DatosFixture {
protected:
    clsAlmacen_Rep acumulador(int16_t almacen, int32_t articulo)
    {
        clsAlmacen_Rep r;
        r.cEmpresa(empresa_);
        r.Conexion(conn());
        r.Almacen = almacen;
        r.Articulo = articulo;
        return r;
    }
    clsAlmacen_Rep_PreF cabecera(int16_t almacen)
    {
        clsAlmacen_Rep_PreF p;
        p.cEmpresa(empresa_);
        p.Conexion(conn());
        p.Almacen = almacen;
        return p;
    }
    clsAlmacen_Rep_PreF_Lineas linea(int16_t almacen, int64_t codigo, int32_t articulo)
    {
        clsAlmacen_Rep_PreF_Lineas l;
        l.cEmpresa(empresa_);
        l.Conexion(conn());
        l.Almacen = almacen;
        l.Codigo = codigo;
        l.Articulo = articulo;
        return l;
    }
};

}  // namespace

TEST_F(ClasesDatos, pendingUnitsAccumulateAndNegativeUnitsLowerWithoutDeleting)
{
    auto r = acumulador(3, 1001);
    r.Unidades = Money::fromDouble(10);
    r.UnidadesVenta = Money::fromDouble(6);
    r.UnidadesResto = Money::fromDouble(4);
    r.Modificar();
    r.Modificar();
    EXPECT_EQ(scalar("SELECT Unidades FROM Reposicion WHERE Cod_Articulo = 1001 AND Codigo = 0").toMoney(),
              Money::fromInt(20));
    r.Unidades = Money::fromDouble(-20);
    r.UnidadesVenta = Money::fromDouble(-12);
    r.UnidadesResto = Money::fromDouble(-8);
    r.Modificar();
    EXPECT_EQ(count("Reposicion", "Cod_Articulo = 1001"), 1);  // reaches 0 but stays
    EXPECT_EQ(scalar("SELECT UnidadesResto FROM Reposicion WHERE Cod_Articulo = 1001").toMoney(),
              Money());
    // Another pair of variant attributes is another pending row.
    r.CualidadX = 2;
    r.Unidades = Money::fromDouble(1.5);
    r.Modificar();
    EXPECT_EQ(count("Reposicion", "Cod_Articulo = 1001"), 2);
}

TEST_F(ClasesDatos, shortagesAndReservationsAreAddedPerWarehouseAndArticle)
{
    auto r = acumulador(1, 77);
    r.Unidades = Money::fromDouble(2.25);
    r.Modificar_Faltas();
    r.Modificar_Faltas();
    r.Modificar_StockReservado();
    r.Unidades = Money::fromDouble(-1);
    r.Modificar_StockReservado();
    EXPECT_EQ(scalar("SELECT Unidades FROM Reposicion_Faltas WHERE Cod_Almacen = 1 AND Cod_Articulo = 77")
                  .toMoney(), Money::fromDouble(4.5));
    EXPECT_EQ(scalar("SELECT Unidades FROM Reposicion_StockReservado WHERE Cod_Articulo = 77").toMoney(),
              Money::fromDouble(1.25));
}

// A tenth, two tenths and minus three tenths leave nothing pending, as on the server: the
// clean-up deletion of generation finds the row, and the reservation reads back as zero.
TEST_F(ClasesDatos, quantitiesBroughtToZeroByDecimalsAreZero)
{
    auto r = acumulador(3, 1002);
    for (double u : {0.1, 0.2, -0.3}) {
        r.Unidades = r.UnidadesVenta = r.UnidadesResto = Money::fromDouble(u);
        r.Modificar();
        r.Modificar_StockReservado();
    }
    EXPECT_EQ(count("Reposicion", "Cod_Articulo = 1002 AND Unidades = 0 AND UnidadesVenta = 0"
                                  " AND UnidadesResto = 0"), 1);
    EXPECT_EQ(count("Reposicion_StockReservado", "Cod_Articulo = 1002 AND Unidades = 0"), 1);
    EXPECT_EQ(conn()->execute(QStringLiteral("DELETE FROM Reposicion WHERE Cod_Empresa =1 AND Cod_Almacen =3"
                                             " AND Codigo = 0 AND Unidades = 0")), 1);
}

TEST_F(ClasesDatos, codesRunPerWarehouseAndCalendarYear)
{
    auto p = cabecera(7);
    EXPECT_EQ(p.Dev_Codigo(), 260700001);
    EXPECT_EQ(p.Dev_Codigo(), 260700002);
    auto grande = cabecera(123);
    EXPECT_EQ(grande.Dev_Codigo(), 2612300001LL);  // beyond 32 bits: must not overflow
    EXPECT_EQ(grande.Dev_Codigo(), 2612300002LL);
    host::Reloj::fijar(QDate(2027, 1, 2));
    EXPECT_EQ(p.Dev_Codigo(), 270700001);
    EXPECT_EQ(count("Contador_Reposicion_Pref"), 3);
    EXPECT_EQ(conn()->transactionDepth(), 0);
}

TEST_F(ClasesDatos, numberingInsideTheCallersTransactionRollsBackWithIt)
{
    auto p = cabecera(7);
    {
        db::Transaction t(conn());
        p.AlmacenDestino = 12;
        p.Insertar();
        EXPECT_EQ(p.Codigo, 260700001);
    }  // abandoned: the counter must not have moved
    p.Insertar();
    EXPECT_EQ(p.Codigo, 260700001);
}

TEST_F(ClasesDatos, headerIsWrittenPendingWithTodayAndQuotedObservations)
{
    auto p = cabecera(7);
    p.AlmacenDestino = 12;
    p.Observaciones = QStringLiteral("Entregar a D'Angelo");
    p.Fecha = QDate(2001, 1, 1);  // the header always takes today's date
    p.Insertar();
    db::Recordset rs(conn(), "SELECT * FROM Reposicion_Pref WHERE Codigo = " + QString::number(p.Codigo));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("Fecha").toDate(), QDate(2026, 12, 5));
    EXPECT_EQ(rs.field("Pendiente").toInt(), 1);
    EXPECT_EQ(rs.field("Cod_AlmacenD").toInt(), 12);
    EXPECT_EQ(rs.field("Observaciones").toText(), QStringLiteral("Entregar a D'Angelo"));
    rs.close();
    p.Observaciones = QStringLiteral("'; DELETE FROM Reposicion_Pref; --");
    p.Modificar();
    EXPECT_EQ(count("Reposicion_Pref"), 1);
    EXPECT_EQ(scalar("SELECT Observaciones FROM Reposicion_Pref").toText(), p.Observaciones);
}

TEST_F(ClasesDatos, lineModifyCreatesMissingLineAndLoadKeepsValuesWhenAbsent)
{
    auto l = linea(7, 260700001, 500);
    l.Unidades = Money::fromDouble(12);
    l.UnidadesVenta = Money::fromDouble(8);
    l.UnidadesResto = Money::fromDouble(4);
    l.UnidadesGeneradas = Money::fromDouble(12);
    l.Modificar();  // insert
    l.Unidades = Money::fromDouble(-3);
    l.Modificar();  // replace, negative allowed
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 1);
    auto leida = linea(7, 260700001, 500);
    leida.Cargar();
    EXPECT_EQ(leida.Unidades, Money::fromInt(-3));
    EXPECT_EQ(leida.UnidadesGeneradas, Money::fromInt(12));
    auto ausente = linea(7, 260700001, 501);
    ausente.Unidades = Money::fromDouble(9.5);
    ausente.Cargar();
    EXPECT_EQ(ausente.Unidades, Money::fromDouble(9.5));
}

TEST_F(ClasesDatos, annulmentDeletesLinesThenHeaderAndLeavesOtherPreInvoices)
{
    auto p = cabecera(7);
    p.Insertar();
    const int64_t primera = p.Codigo;
    for (int art : {1, 2, 3}) {
        auto l = linea(7, primera, art);
        l.Unidades = Money::fromInt(art);
        l.Insertar();
    }
    auto otra = cabecera(7);
    otra.Insertar();
    auto lo = linea(7, otra.Codigo, 1);
    lo.Insertar();
    p.Anular();
    EXPECT_EQ(count("Reposicion_Pref"), 1);
    EXPECT_EQ(count("Reposicion_Pref_Lineas"), 1);
    otra.Anular();  // a header without lines after Eliminar_Lineas
    EXPECT_EQ(count("Reposicion_Pref"), 0);

    auto sinLineas = cabecera(7);
    sinLineas.Insertar();
    sinLineas.Anular();
    EXPECT_EQ(count("Reposicion_Pref"), 0);
}
