// The company databases in the standard SQLite tools: Debian's sqlite3 shell and Python's
// sqlite3 module, with and without our extension, against what our own driver answers.

#include "platform/db/Connection.h"
#include "platform/db/Error.h"
#include "platform/db/Money.h"
#include "platform/db/Recordset.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct ToolRun {
    int status = -1;
    QStringList lines;  // standard output, one row a line
    QString err;
};

ToolRun runProgram(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted())
        return {-1, {}, QStringLiteral("cannot start ") + program};
    p.closeWriteChannel();
    p.waitForFinished(120000);
    ToolRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The shell as an administrator runs it: `sqlite3 -cmd ".load .../nrvx_sqlite" file "sql"`.
ToolRun shell(const QString& database, const QString& sql, bool withExtension = true)
{
    QStringList args{QStringLiteral("-batch"), QStringLiteral("-bail")};
    if (withExtension)
        args << QStringLiteral("-cmd") << QStringLiteral(".load ") + QStringLiteral(NRVX_SQLITE_EXTENSION);
    args << database << sql;
    return runProgram(QStringLiteral(NRVX_SQLITE_SHELL), args);
}

QStringList driverRows(const db::ConnectionPtr& conn, const QString& sql)
{
    QStringList rows;
    db::Recordset rs(conn, sql);
    while (!rs.eof()) {
        QStringList fields;
        for (int i = 0; i < rs.fieldCount(); ++i)
            fields << rs.field(i).toText();
        rows << fields.join(QLatin1Char('|'));
        rs.moveNext();
    }
    return rows;
}

db::ConnectionPtr openDriver(const QString& path)
{
    return db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + path);
}

// One demo company, made by the console as an administrator would, shared by the suite.
class SqliteTools : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const QString base = qEnvironmentVariable("NRVX_TEST_TMP", QDir::tempPath());
        QDir().mkpath(base);
        dir_ = new QTemporaryDir(base + QStringLiteral("/sqlite-tools-XXXXXX"));
        const ToolRun demo = runProgram(QStringLiteral(NRVX_SQL_TOOL),
            {QStringLiteral("-d"), demoPath(), QStringLiteral("--demo"), QStringLiteral("--articles"),
             QStringLiteral("400"), QStringLiteral("--stores"), QStringLiteral("4")});
        demoMade_ = demo.status == 0;
        if (!demoMade_)
            qWarning("nrvx-sql --demo failed: %s", qPrintable(demo.err));
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(demoMade_) << "the demo company could not be made"; }

    static QString demoPath() { return dir_->filePath(QStringLiteral("Calbra.db")); }
    static QString path(const QString& name) { return dir_->filePath(name); }

    static inline QTemporaryDir* dir_ = nullptr;
    static inline bool demoMade_ = false;
};

}  // namespace

TEST_F(SqliteTools, withoutTheExtensionTheFirstErrorNamesTheCollation)
{
    for (const char* sql : {"PRAGMA integrity_check;", "SELECT Nombre FROM Almacenes ORDER BY Nombre;"}) {
        const ToolRun r = shell(demoPath(), QString::fromLatin1(sql), false);
        EXPECT_NE(r.status, 0) << sql;
        const QString first = r.err.section(QLatin1Char('\n'), 0, 0);
        EXPECT_TRUE(first.contains(QLatin1String("no such collation sequence: ES_CI_AS")))
            << sql << ": " << r.err.toStdString();
    }
}

TEST_F(SqliteTools, demoDatabaseIsIntactAndReadsAsTheDriverReadsIt)
{
    const ToolRun check = shell(demoPath(), QStringLiteral("PRAGMA integrity_check;"));
    EXPECT_EQ(check.status, 0) << check.err.toStdString();
    EXPECT_EQ(check.lines, QStringList{QStringLiteral("ok")});

    // Case folds, accents count: the family looked up as typed in lower case.
    const ToolRun frutas = shell(demoPath(),
        QStringLiteral("SELECT Nombre FROM Familias_2 WHERE Nombre = 'frutas';"));
    EXPECT_EQ(frutas.lines, QStringList{QStringLiteral("Frutas")}) << frutas.err.toStdString();
    const ToolRun accent = shell(demoPath(),
        QStringLiteral("SELECT COUNT(*) FROM Familias_2 WHERE Nombre IN ('carniceria', 'CARNICERÍA');"));
    EXPECT_EQ(accent.lines, QStringList{QStringLiteral("1")});

    // The demo's real names, sorted by the shell and by the driver, row for row.
    const QString sql = QStringLiteral(
        "SELECT Descripcion FROM Articulos ORDER BY Descripcion, Cod_Empresa, Codigo");
    const ToolRun sorted = shell(demoPath(), sql + QLatin1Char(';'));
    const QStringList expected = driverRows(openDriver(demoPath()), sql);
    ASSERT_GT(expected.size(), 100);
    EXPECT_EQ(sorted.lines, expected);
}

TEST_F(SqliteTools, namesSortInSpanishOrderAsTheDriverSortsThem)
{
    const QString file = path(QStringLiteral("nombres.db"));
    const QStringList names{
        QStringLiteral("Zumo"), QStringLiteral("ñandú"), QStringLiteral("Nube"), QStringLiteral("nuez"),
        QStringLiteral("Ñu"), QStringLiteral("oso"), QStringLiteral("árbol"), QStringLiteral("Arbol"),
        QStringLiteral("abeto"), QStringLiteral("Ábaco"), QStringLiteral("cafe"), QStringLiteral("café"),
        QStringLiteral("CAFETERA"), QStringLiteral("Ñoño"), QStringLiteral("nylon"), QStringLiteral("PERA"),
        QStringLiteral("pera"), QStringLiteral("Élite"), QStringLiteral("elefante"), QStringLiteral("über"),
        QStringLiteral("uva"), QStringLiteral("chorizo"), QStringLiteral("Czar")};
    {
        auto conn = openDriver(file);
        conn->execute(QStringLiteral(
            "CREATE TABLE Nombres (Codigo INTEGER PRIMARY KEY, Nombre VARCHAR(50) COLLATE ES_CI_AS)"));
        int code = 0;
        for (const QString& n : names)
            conn->execute(QStringLiteral("INSERT INTO Nombres VALUES (%1, '%2')").arg(++code).arg(n));
    }
    const QString sql = QStringLiteral("SELECT Nombre FROM Nombres ORDER BY Nombre, Codigo");
    const QStringList byDriver = driverRows(openDriver(file), sql);
    const ToolRun byShell = shell(file, sql + QLatin1Char(';'));
    EXPECT_EQ(byShell.lines, byDriver) << byShell.err.toStdString();

    // Spanish order, not byte order: ñ between n and o, accents and capitals among their letters.
    const auto at = [&](const char* n) { return byShell.lines.indexOf(QString::fromUtf8(n)); };
    EXPECT_LT(at("nylon"), at("ñandú"));
    EXPECT_LT(at("Ñoño"), at("oso"));
    EXPECT_LT(at("Ábaco"), at("abeto"));
    EXPECT_LT(at("Élite"), at("uva"));
    EXPECT_EQ(byShell.lines.value(names.size() - 1), QStringLiteral("Zumo"));
}

TEST_F(SqliteTools, writesThroughTheShellKeepTheDriversIndexesValid)
{
    // An index written through the extension must be in the order the driver reads, and back.
    const QString file = path(QStringLiteral("unicos.db"));
    openDriver(file)->execute(QStringLiteral(
        "CREATE TABLE Marcas (Codigo INTEGER PRIMARY KEY, Nombre VARCHAR(50) COLLATE ES_CI_AS UNIQUE)"));
    const ToolRun insert = shell(file, QStringLiteral(
        "INSERT INTO Marcas VALUES (1, 'Ñora'), (2, 'nata'), (3, 'Óleo'), (4, 'oliva'), (5, 'Frutas');"));
    ASSERT_EQ(insert.status, 0) << insert.err.toStdString();
    const ToolRun duplicate = shell(file, QStringLiteral("INSERT INTO Marcas VALUES (6, 'FRUTAS');"));
    EXPECT_NE(duplicate.status, 0);
    EXPECT_TRUE(duplicate.err.contains(QLatin1String("UNIQUE constraint failed")))
        << duplicate.err.toStdString();

    auto conn = openDriver(file);
    EXPECT_EQ(conn->scalar(QStringLiteral("PRAGMA integrity_check")).toText(), QStringLiteral("ok"));
    EXPECT_EQ(conn->scalar(QStringLiteral("SELECT Codigo FROM Marcas WHERE Nombre = 'ñora'")).toInt(), 1);
    EXPECT_THROW(conn->execute(QStringLiteral("INSERT INTO Marcas VALUES (7, 'NATA')")), db::Error);
}

TEST_F(SqliteTools, documentTotalsComputeAsInTheDriver)
{
    const QString orders = QStringLiteral(
        "SELECT Cod_Empresa, Codigo, fn_PedidosProvTotalLineas(Cod_Empresa, Codigo),"
        " fn_PedidosProvTotalUnidades(Cod_Empresa, Codigo) FROM Pedidos_Proveedores"
        " ORDER BY Cod_Empresa, Codigo");
    const QString minis = QStringLiteral(
        "SELECT Codigo, fn_ComprasMiniTotalLineas(Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo),"
        " fn_ComprasMiniTotalUnidades(Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo)"
        " FROM Compras_Mini ORDER BY Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo");
    auto conn = openDriver(demoPath());
    // The module writes dbo.fn_...; the shell reads them without the schema prefix.
    const QStringList expectedOrders = driverRows(conn, QString(orders).replace(
        QLatin1String(" fn_"), QLatin1String(" dbo.fn_")));
    const QStringList expectedMinis = driverRows(conn, minis);
    ASSERT_FALSE(expectedOrders.isEmpty());

    const auto sameNumbers = [](const QStringList& shellRows, const QStringList& driver) {
        ASSERT_EQ(shellRows.size(), driver.size());
        bool anyUnits = false;
        for (int i = 0; i < driver.size(); ++i) {
            const QStringList a = shellRows[i].split(QLatin1Char('|'));
            const QStringList b = driver[i].split(QLatin1Char('|'));
            ASSERT_EQ(a.size(), b.size()) << shellRows[i].toStdString();
            for (int f = 0; f < a.size(); ++f)
                EXPECT_EQ(db::Money::parse(a[f]), db::Money::parse(b[f]))
                    << shellRows[i].toStdString() << " / " << driver[i].toStdString();
            anyUnits = anyUnits || db::Money::parse(a.last()) != db::Money();
        }
        EXPECT_TRUE(driver.isEmpty() || anyUnits) << "no document with units to compare";
    };
    const ToolRun shellOrders = shell(demoPath(), orders + QLatin1Char(';'));
    EXPECT_EQ(shellOrders.status, 0) << shellOrders.err.toStdString();
    sameNumbers(shellOrders.lines, expectedOrders);
    const ToolRun shellMinis = shell(demoPath(), minis + QLatin1Char(';'));
    EXPECT_EQ(shellMinis.status, 0) << shellMinis.err.toStdString();
    sameNumbers(shellMinis.lines, expectedMinis);
}

TEST_F(SqliteTools, pythonLoadsTheExtension)
{
    const QString python = QStringLiteral(NRVX_PYTHON3);
    if (python.isEmpty() || !QFile::exists(python))
        GTEST_SKIP() << "no python3 with the sqlite3 module";
    const char* script =
        "import sqlite3, sys\n"
        "c = sqlite3.connect(sys.argv[1])\n"
        "if not hasattr(c, 'enable_load_extension'): sys.exit(77)\n"
        "c.enable_load_extension(True)\n"
        "c.load_extension(sys.argv[2])\n"
        "print(c.execute('PRAGMA integrity_check').fetchone()[0])\n"
        "print(c.execute(\"SELECT Nombre FROM Familias_2 WHERE Nombre = 'frutas'\").fetchone()[0])\n"
        "print(c.execute('SELECT nrvx_trancount()').fetchone()[0])\n"
        "c.close()\n";
    const ToolRun r = runProgram(python, {QStringLiteral("-c"), QString::fromLatin1(script), demoPath(),
                                      QStringLiteral(NRVX_SQLITE_EXTENSION)});
    if (r.status == 77)
        GTEST_SKIP() << "this python3 was built without loadable SQLite extensions";
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines, (QStringList{QStringLiteral("ok"), QStringLiteral("Frutas"), QStringLiteral("0")}));
}
