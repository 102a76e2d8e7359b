#include "platform/db/Command.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/ServerList.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"
#include "support/DriverFallos.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace db;

namespace {

enum class Backend { Native, Odbc };

void PrintTo(Backend b, std::ostream* os) { *os << (b == Backend::Native ? "sqlite" : "odbc"); }

// The db layer's cases run on both drivers: the native SQLite one, and unixODBC with the SQLite
// ODBC driver standing in for a server, given our collation and functions by its LoadExt= option.
class DbLayer : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        conn = Connection::openShared(connectionString());
        conn->executeScript(QStringLiteral(
            "CREATE TABLE Contador (Emp INTEGER, Alm INTEGER, Codigo BIGINT, PRIMARY KEY (Emp, Alm));"
            "CREATE TABLE Nombres (Codigo INTEGER PRIMARY KEY, Nombre TEXT COLLATE ES_CI_AS UNIQUE);"
            "CREATE TABLE Pedidos_Proveedores_Lineas (Cod_Empresa INTEGER, Codigo INTEGER,"
            " Cod_Articulo INTEGER, Unidades NUMERIC);"));
    }
    QString connectionString() const
    {
        if (GetParam() == Backend::Odbc) {
            return QStringLiteral("Driver=SQLite3;Database=%1;Server=CENTRAL01;LoadExt=%2;")
                .arg(path(), QStringLiteral(NRVX_SQLITE_EXTENSION));
        }
        return QStringLiteral("Provider=SQLite;Data Source=") + path()
               + QStringLiteral(";Server=CENTRAL01");
    }
    QString path() const { return dir.filePath(QStringLiteral("t.db")); }
    long long count(const QString& table)
    {
        return conn->scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt64();
    }

    QTemporaryDir dir;
    ConnectionPtr conn;
};

INSTANTIATE_TEST_SUITE_P(Drivers, DbLayer, ::testing::Values(Backend::Native, Backend::Odbc),
                         [](const auto& info) {
                             return info.param == Backend::Native ? "sqlite" : "odbc";
                         });

}  // namespace

TEST_P(DbLayer, executeAnswersRowsAffectedAndDriverMessageOnFailure)
{
    EXPECT_EQ(conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (1, 'Frutas')")), 1);
    EXPECT_EQ(conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (2, 'Verduras')")), 1);
    EXPECT_EQ(conn->execute(QStringLiteral("UPDATE Nombres SET Nombre = Nombre WHERE Codigo > 0")), 2);
    EXPECT_EQ(conn->execute(QStringLiteral("DELETE FROM Nombres WHERE Codigo = 99")), 0);
    try {
        conn->execute(QStringLiteral("INSERT INTO NoSuchTable VALUES (1)"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("no such table: NoSuchTable")));
        EXPECT_TRUE(e.statement().contains(QStringLiteral("NoSuchTable")));
    }
}

TEST_P(DbLayer, sameShapeWithOtherValuesWritesTheRightRows)
{
    // The statement cache reuses one prepared statement; values must not leak between calls.
    for (int i = 1; i <= 50; ++i) {
        conn->execute(QStringLiteral("INSERT INTO Nombres (Codigo, Nombre) VALUES (%1, %2)")
                          .arg(i).arg(sqlText(QStringLiteral("N'%1").arg(i))));
    }
    EXPECT_EQ(count(QStringLiteral("Nombres")), 50);
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT Nombre FROM Nombres WHERE Codigo = 37")).toText(),
              QStringLiteral("N'37"));
}

TEST_P(DbLayer, textComparesWithoutCaseButWithAccentsAndSortsSpanish)
{
    conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (1, 'Frutas')"));
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT Codigo FROM Nombres WHERE Nombre = 'FRUTAS'")).toInt(), 1);
    EXPECT_TRUE(conn->scalar(QStringLiteral("SELECT Codigo FROM Nombres WHERE Nombre = 'Frútas'")).isNull());
    EXPECT_THROW(conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (2, 'frutas')")), Error);
    conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (3, 'Ñu')"));
    conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (4, 'Nube')"));
    conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (5, 'Oca')"));
    conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (6, 'ñandú')"));
    Recordset rs(conn, QStringLiteral("SELECT Nombre FROM Nombres WHERE Codigo > 2 ORDER BY Nombre"));
    QStringList order;
    for (; !rs.eof(); rs.moveNext())
        order << rs.field(QStringLiteral("Nombre")).toText();
    EXPECT_EQ(order, (QStringList{"Nube", "ñandú", "Ñu", "Oca"}));
}

TEST_P(DbLayer, computedColumnsKeepEachValuesOwnType)
{
    // The ODBC driver types a computed column by its first row; later rows must not be cut to it.
    conn->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores_Lineas VALUES (1, 10, 1, 3)"));
    conn->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores_Lineas VALUES (1, 10, 2, 7.5)"));
    conn->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores_Lineas VALUES (1, 10, 3, NULL)"));
    Recordset rs(conn, QStringLiteral("SELECT ISNULL(Unidades, 0) AS U, Cod_Articulo * 2 AS D"
                                      " FROM Pedidos_Proveedores_Lineas ORDER BY Cod_Articulo"));
    QStringList units;
    for (; !rs.eof(); rs.moveNext()) {
        units << rs.field(QStringLiteral("U")).toMoney().toSql();
        EXPECT_TRUE(rs.field(QStringLiteral("D")).isInteger());
    }
    EXPECT_EQ(units, (QStringList{"3", "7.5", "0"}));
}

TEST_P(DbLayer, nestedTransactionsCountAndRollbackUndoesEverything)
{
    conn->beginTrans();
    conn->beginTrans();
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT @@TRANCOUNT")).toInt(), 2);
    conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (1, 'a')"));
    conn->commitTrans();
    conn->rollbackTrans();
    EXPECT_EQ(conn->transactionDepth(), 0);
    EXPECT_EQ(count(QStringLiteral("Nombres")), 0);
    EXPECT_THROW(conn->commitTrans(), Error);
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT @@SERVERNAME")).toText(), QStringLiteral("CENTRAL01"));
}

TEST_P(DbLayer, guardRollsBackOnExceptionAndJoinsAnOuterTransaction)
{
    try {
        Transaction t(conn);
        conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (1, 'a')"));
        conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (1, 'b')"));  // key violation
        t.commit();
    } catch (const Error& e) {
        EXPECT_EQ(e.category(), Error::Category::Constraint);
    }
    EXPECT_EQ(conn->transactionDepth(), 0);
    EXPECT_EQ(count(QStringLiteral("Nombres")), 0);

    conn->beginTrans();
    {
        Transaction inner(conn);
        EXPECT_FALSE(inner.owns());
        conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (2, 'c')"));
        inner.commit();
        EXPECT_THROW(inner.commit(), Error);
    }
    EXPECT_EQ(conn->transactionDepth(), 1);
    conn->rollbackTrans();
    EXPECT_EQ(count(QStringLiteral("Nombres")), 0);
}

TEST_P(DbLayer, updatableRecordsetInsertsThenAdvancesACounter)
{
    const QString sql = QStringLiteral("SELECT * FROM Contador WHERE Emp = 1 AND Alm = 7");
    {
        Recordset rs(conn, sql, CursorType::Dynamic, LockType::Pessimistic);
        EXPECT_EQ(conn->transactionDepth(), 1);  // the lock is held while the row is read
        ASSERT_TRUE(rs.eof());
        rs.addNew();
        rs.setField(QStringLiteral("Emp"), 1);
        rs.setField(QStringLiteral("Alm"), 7);
        rs.setField(QStringLiteral("Codigo"), int64_t(260700001));
        rs.update();
        EXPECT_EQ(conn->transactionDepth(), 0);
    }
    {
        Recordset rs(conn, sql, CursorType::Dynamic, LockType::Pessimistic);
        ASSERT_FALSE(rs.eof());
        const int64_t next = rs.field(QStringLiteral("Codigo")).toInt64() + 1;
        rs.setField(QStringLiteral("Codigo"), next);
        rs.update();
        rs.close();
    }
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT Codigo FROM Contador")).toInt64(), 260700002);
    EXPECT_THROW(Recordset(conn, QStringLiteral("SELECT Codigo FROM Contador"), CursorType::Dynamic,
                           LockType::Pessimistic), Error);
}

TEST_P(DbLayer, staticRecordsetCountsAndRewinds)
{
    for (int i = 1; i <= 3; ++i)
        conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (%1, 'n%1')").arg(i));
    Recordset rs(conn, QStringLiteral("SELECT TOP 2 Codigo FROM Nombres ORDER BY Codigo DESC"),
                 CursorType::Static);
    EXPECT_EQ(rs.recordCount(), 2);
    rs.moveNext();
    EXPECT_EQ(rs.field(0).toInt(), 2);
    rs.moveFirst();
    EXPECT_EQ(rs.field(QStringLiteral("codigo")).toInt(), 3);  // names ignore case
    EXPECT_THROW(rs.field(QStringLiteral("Nope")), Error);
}

TEST_P(DbLayer, commandChecksTypedParameters)
{
    Command cmd(conn, QStringLiteral("INSERT INTO Nombres (Codigo, Nombre) VALUES (?, ?)"));
    cmd.addParameter(QStringLiteral("Codigo"), db::ParamType::SmallInt, 0, 5);
    cmd.addParameter(QStringLiteral("Nombre"), db::ParamType::VarChar, 5, QStringLiteral("abc"));
    EXPECT_EQ(cmd.execute(), 1);
    EXPECT_THROW(cmd.setParameter(0, 40000), Error);
    EXPECT_THROW(cmd.setParameter(QStringLiteral("Nombre"), QStringLiteral("toolong")), Error);
    cmd.setParameter(0, 6);
    cmd.setParameter(1, QStringLiteral("x'y"));
    cmd.execute();
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT Nombre FROM Nombres WHERE Codigo = 6")).toText(),
              QStringLiteral("x'y"));
}

TEST_P(DbLayer, documentTotalFunctionsCountLinesAndUnits)
{
    conn->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores_Lineas VALUES (1, 10, 1, 4.5)"));
    conn->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores_Lineas VALUES (1, 10, 2, 3)"));
    conn->execute(QStringLiteral("INSERT INTO Pedidos_Proveedores_Lineas VALUES (1, 11, 2, 3)"));
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT dbo.fn_PedidosProvTotalLineas(1, 10)")).toInt(), 2);
    EXPECT_DOUBLE_EQ(
        conn->scalar(QStringLiteral("SELECT dbo.fn_PedidosProvTotalUnidades(1, 10)")).toDouble(), 7.5);
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT dbo.fn_PedidosProvTotalUnidades(1, 99)")).toInt(), 0);
}

TEST_P(DbLayer, serverNamesResolveToFoldersOfEmbeddedDatabases)
{
    if (GetParam() == Backend::Odbc)
        GTEST_SKIP() << "server names resolve to the native driver only";
    ServerList::set(QStringLiteral("CENTRAL"), ServerEntry{{}, 1433, dir.path()});
    conn->executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
    QFile::copy(path(), dir.filePath(QStringLiteral("Calbra.db")));
    auto central = Connection::openShared(QStringLiteral(
        "Provider=SQLOLEDB;Server=central;Database=Calbra;User Id=sa;Password=x;"));
    EXPECT_EQ(central->scalar(QStringLiteral("SELECT @@SERVERNAME")).toText(), QStringLiteral("central"));
    EXPECT_EQ(central->scalar(QStringLiteral("SELECT COUNT(*) FROM Nombres")).toInt(), 0);
    try {
        Connection::openShared(QStringLiteral(
            "Provider=SQLOLEDB;Server=CENTRAL;Database=Otra;User Id=sa;Password=x;"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.category(), Error::Category::Connection);
        EXPECT_TRUE(e.message().contains(QStringLiteral("Otra")));
    }
    ServerList::remove(QStringLiteral("CENTRAL"));
}

TEST(Connection, closedConnectionRefusesStatements)
{
    Connection c;
    EXPECT_FALSE(c.isOpen());
    EXPECT_THROW(c.execute(QStringLiteral("SELECT 1")), Error);
    EXPECT_EQ(sqlDate(Dialect::SqlServer, QDate(2026, 12, 5)), QStringLiteral("'20261205'"));
    EXPECT_EQ(sqlDate(Dialect::Sqlite, QDate(2026, 12, 5)), QStringLiteral("'2026-12-05'"));
}

TEST_P(DbLayer, anInjectedFaultFailsExactlyTheNthStatementOnEveryPath)
{
    auto& fallos = testsupport::DriverFallos::de(conn);
    fallos.fallar(testsupport::DriverFallos::Paso::Sentencia, 2);
    conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (1, 'a')"));
    EXPECT_THROW(conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (2, 'b')")), Error);
    conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (3, 'c')"));
    EXPECT_EQ(count(QStringLiteral("Nombres")), 2);
    // Shapes, scalars, recordsets and commands each count once.
    Command cmd(conn, QStringLiteral("INSERT INTO Nombres VALUES (?, ?)"));
    cmd.addParameter(QStringLiteral("c"), db::ParamType::Integer, 0, 4);
    cmd.addParameter(QStringLiteral("n"), db::ParamType::VarChar, 10, QStringLiteral("d"));
    fallos.fallar(testsupport::DriverFallos::Paso::Sentencia, 2);
    const long long antes = fallos.sentencias();
    Recordset(conn, QStringLiteral("SELECT * FROM Nombres"), CursorType::Static);
    EXPECT_THROW(cmd.execute(), Error);
    cmd.execute();
    EXPECT_EQ(count(QStringLiteral("Nombres")), 3);
    EXPECT_EQ(fallos.sentencias() - antes, 4);  // the count() itself included
}

TEST_P(DbLayer, aLockedRecordsetWhoseReadFailsLeavesNoTransactionOpen)
{
    // The counter's read takes the write lock first; when the read itself fails, nobody holds
    // the recordset to release it.
    testsupport::DriverFallos::de(conn).fallar(testsupport::DriverFallos::Paso::Sentencia, 1);
    EXPECT_THROW(Recordset(conn, QStringLiteral("SELECT * FROM Contador WHERE Emp = 1"), CursorType::Keyset,
                           LockType::Pessimistic),
                 Error);
    EXPECT_EQ(conn->transactionDepth(), 0);
    conn->execute(QStringLiteral("INSERT INTO Contador VALUES (1, 1, 5)"));
    EXPECT_EQ(Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + path())
                  ->scalar(QStringLiteral("SELECT Codigo FROM Contador")).toInt64(), 5);
}
