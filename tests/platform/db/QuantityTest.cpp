// Unit quantities on the embedded engine end exactly where Money arithmetic ends, through the
// native driver and through the SQLite ODBC driver alike.
#include "platform/db/Connection.h"
#include "platform/db/Error.h"
#include "platform/db/Quantity.h"
#include "platform/db/Transaction.h"
#include "support/TestDatabase.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <limits>
#include <random>

using db::Money;
using db::Quantity;

namespace {

class Cantidades : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        conn_ = GetParam() ? db::Connection::openShared(QStringLiteral("Driver=SQLite3;Database=") + db_.path())
                           : db_.connection();
        conn_->execute(QStringLiteral("INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo,"
                                      " Unidades) VALUES (1, 2, 7, 0, 0)"));
    }
    void sumar(Money m)
    {
        conn_->execute("UPDATE Reposicion SET Unidades = Unidades + " + m.toSql()
                       + " WHERE Cod_Empresa =1 AND Cod_Almacen =2 AND Cod_Articulo =7");
    }
    void poner(Money m)
    {
        conn_->execute("UPDATE Reposicion SET Unidades = " + m.toSql() + " WHERE Cod_Articulo =7");
    }
    Money unidades() { return conn_->scalar(QStringLiteral("SELECT Unidades FROM Reposicion WHERE Cod_Articulo = 7")).toMoney(); }

    testsupport::TestDatabase db_;
    db::ConnectionPtr conn_;
};

TEST_P(Cantidades, decimalsThatCancelLeaveAZeroThatEqualityFinds)
{
    for (const char* u : {"0.1", "0.2", "-0.3"})
        sumar(Money::parse(QString::fromLatin1(u)));
    EXPECT_EQ(unidades(), Money());
    EXPECT_EQ(conn_->scalar(QStringLiteral("SELECT typeof(Unidades) FROM Reposicion")).toText(),
              QStringLiteral("integer"));
    EXPECT_EQ(conn_->execute(QStringLiteral("DELETE FROM Reposicion WHERE Codigo = 0 AND Unidades = 0")), 1);
}

// A random walk of four-decimal steps, small and as large as the range allows, checked against
// Money at every step of a sample and at the end; the walk then returns to exactly zero.
TEST_P(Cantidades, tenThousandRandomAdditionsEndWhereMoneyEnds)
{
    std::mt19937_64 azar(20261207u);
    std::uniform_int_distribution<int64_t> pequeno(-1'000'000'000, 1'000'000'000);  // +-100,000 units
    std::uniform_int_distribution<int64_t> grande(-Quantity::kMax.scaled() / 3, Quantity::kMax.scaled() / 3);
    Money esperado;
    db::Transaction t(conn_);
    for (int i = 0; i < 10000; ++i) {
        Money paso = Money::fromScaled(i % 10 == 0 ? grande(azar) : pequeno(azar));
        if (esperado + paso > Quantity::kMax || esperado + paso < Quantity::kMin)
            paso = -paso;
        sumar(paso);
        esperado += paso;
        if (i % 997 == 0) {
            ASSERT_EQ(unidades(), esperado) << "step " << i;
        }
    }
    EXPECT_EQ(unidades(), esperado);
    EXPECT_EQ(conn_->scalar("SELECT COUNT(*) FROM Reposicion WHERE Unidades = " + esperado.toSql()).toInt(), 1);
    sumar(-esperado);
    EXPECT_EQ(conn_->scalar(QStringLiteral("SELECT COUNT(*) FROM Reposicion WHERE Unidades = 0")).toInt(), 1);
    t.commit();
}

// The range a double holds to the ten-thousandth is stored exactly; beyond it, and so the ends
// of Money's own range, the write is refused rather than stored approximately.
TEST_P(Cantidades, theRangeEndsRoundTripAndWhatLiesBeyondIsRefused)
{
    for (Money m : {Quantity::kMax, Quantity::kMin, Money::fromScaled(123'456'789'012'345)}) {
        poner(m);
        EXPECT_EQ(unidades(), m) << m.toSql().toStdString();
    }
    poner(Quantity::kMax);
    EXPECT_EQ(conn_->scalar("SELECT COUNT(*) FROM Reposicion WHERE Unidades = " + Quantity::kMax.toSql()).toInt(), 1);
    const Money extremos[] = {Money::fromScaled(std::numeric_limits<int64_t>::max()),
                              Money::fromScaled(std::numeric_limits<int64_t>::min()),
                              Quantity::kMax + Money::fromScaled(1)};
    for (Money m : extremos) {
        try {
            poner(m);
            ADD_FAILURE() << m.toSql().toStdString() << " was stored";
        } catch (const db::Error& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("CHECK constraint failed")))
                << e.what();
        }
    }
    EXPECT_THROW(sumar(Money::fromScaled(1)), db::Error);
    EXPECT_EQ(unidades(), Quantity::kMax);
}

// What someone looking at the file with the standard sqlite3 shell sees: the quantities.
TEST_P(Cantidades, theSqliteShellShowsTheQuantitiesThemselves)
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty())
        GTEST_SKIP() << "no sqlite3 shell";
    for (const char* u : {"0.1", "0.2"})
        sumar(Money::parse(QString::fromLatin1(u)));
    conn_->execute("INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Unidades) VALUES (1, 2, 8, "
                   + Quantity::kMin.toSql() + ")");
    conn_.reset();
    QProcess p;
    p.start(shell, {db_.path(), QStringLiteral("SELECT Unidades FROM Reposicion ORDER BY Cod_Articulo")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()), QStringLiteral("0.3\n-99999999999.9999\n"));
}

INSTANTIATE_TEST_SUITE_P(Drivers, Cantidades, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "odbc" : "sqlite"; });

// The matching screen's totals add whole ten-thousandths: a tenth ten times is exactly one.
TEST(CantidadesTotales, documentTotalsAreExact)
{
    testsupport::TestDatabase db;
    auto c = db.connection();
    for (int linea = 1; linea <= 10; ++linea) {
        c->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo,"
                                  " Unidades) VALUES (1, 10, %1, %1, 0.1)").arg(linea));
    }
    c->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo,"
                              " Unidades) VALUES (1, 11, 1, 1, 99999999999.9999), (1, 11, 2, 2, -0.0001)"));
    EXPECT_EQ(c->scalar(QStringLiteral("SELECT dbo.fn_PedidosProvTotalUnidades(1, 10)")).toDouble(), 1.0);
    EXPECT_EQ(c->scalar(QStringLiteral("SELECT dbo.fn_PedidosProvTotalUnidades(1, 11)")).toMoney(),
              Money::fromScaled(999'999'999'999'998));
}

}  // namespace
