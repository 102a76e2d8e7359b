#include "platform/db/Command.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace db;

// The ODBC path runs for real against the SQLite ODBC driver; SQL Server itself is not here.
TEST(OdbcDriver, runsStatementsTransactionsAndParametersThroughUnixOdbc)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("odbc.db"));
    auto conn = Connection::openShared(QStringLiteral("Driver=SQLite3;Database=") + path);
    EXPECT_EQ(conn->dialect(), Dialect::Sqlite);
    conn->execute(QStringLiteral("CREATE TABLE T (Codigo INTEGER PRIMARY KEY, Nombre TEXT, Cant NUMERIC)"));
    EXPECT_EQ(conn->execute(QStringLiteral("INSERT INTO T VALUES (1, 'uno', 2.5)")), 1);
    {
        Transaction t(conn);
        conn->execute(QStringLiteral("INSERT INTO T VALUES (2, 'dos', 1)"));
    }  // not committed: rolled back
    Command cmd(conn, QStringLiteral("INSERT INTO T VALUES (?, ?, ?)"));
    cmd.addParameter(QStringLiteral("c"), ParamType::Integer, 0, 3);
    cmd.addParameter(QStringLiteral("n"), ParamType::VarChar, 50, QStringLiteral("tr'es"));
    cmd.addParameter(QStringLiteral("q"), ParamType::Decimal, 0, Money::fromDouble(7.25));
    cmd.execute();
    Recordset rs(conn, QStringLiteral("SELECT TOP 5 Codigo, Nombre FROM T ORDER BY Codigo"),
                 CursorType::Static);
    ASSERT_EQ(rs.recordCount(), 2);
    rs.moveNext();
    EXPECT_EQ(rs.field(QStringLiteral("Codigo")).toInt(), 3);
    EXPECT_EQ(rs.field(QStringLiteral("Nombre")).toText(), QStringLiteral("tr'es"));
    EXPECT_THROW(conn->execute(QStringLiteral("INSERT INTO T VALUES (1, 'dup', 0)")), Error);
}

TEST(OdbcDriver, unreachableSqlServerFailsWithinItsConnectionTimeout)
{
    // A port that nothing listens on: bind one, then close it.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    Connection c;
    c.setConnectionTimeout(5);
    QElapsedTimer t;
    t.start();
    try {
        c.open(QStringLiteral("Driver=FreeTDS;Server=127.0.0.1;Port=%1;Database=Calbra;UID=sa;PWD=x;"
                              "TDS_Version=7.4;").arg(port));
        FAIL() << "connected to a closed port";
    } catch (const Error& e) {
        EXPECT_EQ(e.category(), Error::Category::Connection);
        EXPECT_FALSE(e.message().isEmpty());
    }
    EXPECT_LT(t.elapsed(), 8000);
    EXPECT_FALSE(c.isOpen());
}
