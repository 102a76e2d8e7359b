#include "platform/db/Command.h"
#include "platform/db/Connection.h"
#include "platform/db/OdbcDriver.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>

#include <limits>

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

namespace {

ConnectionPtr openStandIn(const QTemporaryDir& dir)
{
    return Connection::openShared(QStringLiteral("Driver=SQLite3;Database=")
                                  + dir.filePath(QStringLiteral("odbc.db")));
}

}  // namespace

TEST(OdbcDriver, amountsTravelAsExactDecimalTextNeverAsDouble)
{
    QTemporaryDir dir;
    auto conn = openStandIn(dir);
    // CAST(? AS TEXT) shows the parameter as it arrived: a double would have lost the last digits.
    Command cmd(conn, QStringLiteral("SELECT CAST(? AS TEXT) AS Recibido"));
    cmd.addParameter(QStringLiteral("q"), ParamType::Decimal, 0);
    const auto max = Money::fromScaled(std::numeric_limits<int64_t>::max());
    for (const Money m : {Money::fromScaled(1), Money::fromScaled(-1), max, -max,
                          Money::fromScaled(-12345678901234567), Money()}) {
        cmd.setParameter(0, m);
        auto cursor = cmd.query();
        ASSERT_TRUE(cursor->next());
        EXPECT_EQ(cursor->value(0).toText(), m.toSql());
    }
    // An amount beyond the range is refused before anything is sent.
    try {
        cmd.setParameter(0, Value(QStringLiteral("922337203685477.5808")));
        cmd.setParameter(0, Value(1e16));
        FAIL() << "an amount beyond the range was accepted";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("out of range"))) << e.what();
    }

    // Decimal columns come back as exact amounts, and sums with negatives stay exact.
    conn->execute(QStringLiteral("CREATE TABLE L (Codigo INTEGER, Unidades DECIMAL(19,4))"));
    Command ins(conn, QStringLiteral("INSERT INTO L VALUES (?, ?)"));
    ins.addParameter(QStringLiteral("c"), ParamType::Integer, 0);
    ins.addParameter(QStringLiteral("u"), ParamType::Decimal, 0);
    int code = 0;
    for (const char* u : {"0.1", "0.2", "-0.3", "0.0001", "-7.25"}) {
        ins.setParameter(0, ++code);
        ins.setParameter(1, Money::parse(QString::fromLatin1(u)));
        ins.execute();
    }
    Recordset rs(conn, QStringLiteral("SELECT Unidades FROM L WHERE Codigo = 4"));
    EXPECT_EQ(rs.field(0).toMoney(), Money::fromScaled(1));
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT SUM(Unidades) FROM L")).toMoney(),
              Money::parse(QStringLiteral("-7.2499")));
}

TEST(OdbcDriver, textOutsideOneCodePageSurvivesTheRoundTrip)
{
    QTemporaryDir dir;
    auto conn = openStandIn(dir);
    conn->execute(QStringLiteral("CREATE TABLE M (Codigo INTEGER PRIMARY KEY, Nombre VARCHAR(50))"));
    const QStringList names{QStringLiteral("Ёлка новогодняя"), QStringLiteral("日本の梨"),
                            QStringLiteral("تمر مجدول"), QStringLiteral("Manzana 🍎 O'Neill"),
                            QStringLiteral("Ñandú"), QString()};
    Command ins(conn, QStringLiteral("INSERT INTO M VALUES (?, ?)"));
    ins.addParameter(QStringLiteral("c"), ParamType::Integer, 0);
    ins.addParameter(QStringLiteral("n"), ParamType::VarChar, 50);
    for (int i = 0; i < names.size(); ++i) {
        ins.setParameter(0, i + 1);
        ins.setParameter(1, names[i]);
        ins.execute();
    }
    Recordset rs(conn, QStringLiteral("SELECT Nombre FROM M ORDER BY Codigo"));
    QStringList back;
    for (; !rs.eof(); rs.moveNext())
        back << rs.field(0).toText();
    EXPECT_EQ(back, names);
    // Looked up by a parameter, the way a name check does.
    Command find(conn, QStringLiteral("SELECT Codigo FROM M WHERE Nombre = ?"));
    find.addParameter(QStringLiteral("n"), ParamType::VarChar, 50, names[1]);
    auto cursor = find.query();
    ASSERT_TRUE(cursor->next());
    EXPECT_EQ(cursor->value(0).toInt(), 2);
}

TEST(OdbcDriver, aLostLinkFailsTheOperationWholeAndTheNextOneConnectsAgain)
{
    QTemporaryDir dir;
    auto conn = openStandIn(dir);
    conn->executeScript(QStringLiteral("CREATE TABLE Doc (Codigo INTEGER PRIMARY KEY, Estado INTEGER);"
                                       "CREATE TABLE Lin (Doc INTEGER, Linea INTEGER, Unidades DECIMAL(19,4));"));
    auto& odbc = dynamic_cast<OdbcDriver&>(conn->driver());
    // A write operation of four statements: header, a line, a line through a command, the state.
    const auto operation = [&](int code) {
        Transaction t(conn);
        conn->execute(QStringLiteral("INSERT INTO Doc VALUES (%1, 0)").arg(code));
        conn->execute(QStringLiteral("INSERT INTO Lin VALUES (%1, 1, 2.5)").arg(code));
        Command line(conn, QStringLiteral("INSERT INTO Lin VALUES (?, ?, ?)"));
        line.addParameter(QStringLiteral("d"), ParamType::Integer, 0, code);
        line.addParameter(QStringLiteral("l"), ParamType::Integer, 0, 2);
        line.addParameter(QStringLiteral("u"), ParamType::Decimal, 0, Money::fromInt(3));
        line.execute();
        conn->execute(QStringLiteral("UPDATE Doc SET Estado = 1 WHERE Codigo = %1").arg(code));
        t.commit();
    };
    const auto rows = [&] {
        return conn->scalar(QStringLiteral("SELECT COUNT(*) FROM Doc")).toInt()
               + conn->scalar(QStringLiteral("SELECT COUNT(*) FROM Lin")).toInt();
    };

    for (int at = 1; at <= 4; ++at) {
        odbc.loseLinkAt(at);
        try {
            operation(at);
            ADD_FAILURE() << "the link lost at statement " << at << " went unnoticed";
        } catch (const Error& e) {
            EXPECT_EQ(e.category(), Error::Category::Connection);
            EXPECT_EQ(e.sqlState(), QStringLiteral("08S01"));
            EXPECT_TRUE(e.message().startsWith(QLatin1String("The connection to the server was lost")))
                << e.what();
        }
        EXPECT_EQ(conn->transactionDepth(), 0);
        EXPECT_EQ(rows(), 0) << "statement " << at << " left part of the operation behind";
    }
    operation(7);
    EXPECT_EQ(rows(), 3);

    // Inside a transaction nothing more runs on a new connection until the caller rolls back:
    // the second half would be committed without the first.
    conn->beginTrans();
    conn->execute(QStringLiteral("INSERT INTO Doc VALUES (8, 0)"));
    odbc.loseLinkAt(1);
    EXPECT_THROW(conn->execute(QStringLiteral("INSERT INTO Lin VALUES (8, 1, 1)")), Error);
    EXPECT_THROW(conn->execute(QStringLiteral("INSERT INTO Lin VALUES (8, 2, 1)")), Error);
    conn->rollbackTrans();
    EXPECT_EQ(rows(), 3);

    // A server still unreachable: the attempt to connect again is reported, and the next one made.
    odbc.loseLinkAt(1, 1);
    EXPECT_THROW(conn->execute(QStringLiteral("DELETE FROM Lin")), Error);
    try {
        rows();
        ADD_FAILURE() << "a refused reconnection went unreported";
    } catch (const Error& e) {
        EXPECT_EQ(e.category(), Error::Category::Connection);
        EXPECT_TRUE(e.message().contains(QLatin1String("could not be opened again"))) << e.what();
    }
    EXPECT_EQ(rows(), 3);
}
