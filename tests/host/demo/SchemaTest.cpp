#include "host/demo/Schema.h"

#include "support/TestDatabase.h"

#include "platform/db/Error.h"
#include "platform/db/Recordset.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

using testsupport::TestDatabase;

// Table -> column names, read from the CREATE TABLE statements of a schema script.
QMap<QString, QSet<QString>> tablesOf(const QString& script)
{
    static const QRegularExpression table(
        QStringLiteral("CREATE TABLE (?:IF NOT EXISTS )?(?:dbo\\.)?(\\w+) \\(([^;]*)\\);"));
    static const QRegularExpression column(QStringLiteral("^\\s*(\\w+)\\s+[A-Z]"));
    QMap<QString, QSet<QString>> out;
    for (const auto& m : table.globalMatch(script)) {
        QSet<QString>& cols = out[m.captured(1)];
        for (const QString& line : m.captured(2).split(QLatin1Char('\n'))) {
            const auto c = column.match(line);
            if (c.hasMatch() && c.captured(1) != QLatin1String("PRIMARY"))
                cols.insert(c.captured(1));
        }
    }
    return out;
}

long long countOf(const db::ConnectionPtr& c, const QString& sql)
{
    return c->scalar(sql).toInt64();
}

TEST(Schema, createsEveryTableAndCanRunAgain)
{
    TestDatabase db;  // already ran createSchema once
    const auto c = db.connection();
    c->execute(QStringLiteral("INSERT INTO Marcas (Codigo, Nombre) VALUES (1, 'Brisa')"));
    EXPECT_NO_THROW(demo::createSchema(*c));
    EXPECT_EQ(countOf(c, QStringLiteral("SELECT COUNT(*) FROM Marcas")), 1);

    const auto expected = tablesOf(demo::schemaScript(db::Dialect::Sqlite));
    EXPECT_GE(expected.size(), 50);
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        db::Recordset rs(
            c, QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(it.key()));
        QSet<QString> actual;
        for (; !rs.eof(); rs.moveNext())
            actual.insert(rs.field(0).toText());
        EXPECT_EQ(actual, it.value()) << it.key().toStdString();
    }
}

TEST(Schema, bothEnginesDeclareTheSameTablesAndColumns)
{
    const auto sqlite = tablesOf(demo::schemaScript(db::Dialect::Sqlite));
    const auto mssql = tablesOf(demo::schemaScript(db::Dialect::SqlServer));
    EXPECT_EQ(QSet<QString>(sqlite.keyBegin(), sqlite.keyEnd()),
        QSet<QString>(mssql.keyBegin(), mssql.keyEnd()));
    for (auto it = sqlite.begin(); it != sqlite.end(); ++it)
        EXPECT_EQ(it.value(), mssql.value(it.key())) << it.key().toStdString();

    const QString script = demo::schemaScript(db::Dialect::SqlServer);
    for (const char* fn : {"fn_PedidosProvTotalLineas(@Emp", "fn_PedidosProvTotalUnidades(@Emp",
             "fn_ComprasMiniTotalLineas(@Emp", "fn_ComprasMiniTotalUnidades(@Emp"})
        EXPECT_TRUE(script.contains(QStringLiteral("FUNCTION dbo.") + QLatin1String(fn))) << fn;
    // A function must open its own batch on SQL Server.
    for (const QString& batch : demo::splitBatches(script)) {
        if (batch.contains(QLatin1String("CREATE OR ALTER FUNCTION"))) {
            EXPECT_TRUE(batch.trimmed().startsWith(QLatin1String("CREATE OR ALTER FUNCTION"))
                || batch.trimmed().startsWith(QLatin1String("--")));
        }
    }
}

TEST(Schema, textColumnsCompareWithTheCompanyCollation)
{
    // Dates are ISO text and sort as they are; every other text column folds case.
    static const QRegularExpression textColumn(
        QStringLiteral("^\\s*(\\w+)\\s+(VARCHAR\\(\\d+\\)|CHAR\\(\\d+\\)|TEXT)(.*)$"),
        QRegularExpression::MultilineOption);
    const QString script = demo::schemaScript(db::Dialect::Sqlite);
    int checked = 0;
    for (const auto& m : textColumn.globalMatch(script)) {
        const QString name = m.captured(1);
        if (m.captured(2) == QLatin1String("TEXT")) {
            EXPECT_TRUE(name.startsWith(QLatin1String("Fecha"))) << name.toStdString();
            continue;
        }
        EXPECT_TRUE(m.captured(3).contains(QLatin1String("COLLATE ES_CI_AS")))
            << name.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 30);
}

TEST(Schema, spanishCollationOnEqualityOrderAndKeys)
{
    TestDatabase db;
    const auto c = db.connection();
    c->execute(QStringLiteral("INSERT INTO Familias_1 (Cod_Empresa, Codigo, Nombre) VALUES"
                              " (1, 1, 'Frutas'), (1, 2, 'Lácteos'), (1, 3, 'Ñoras'),"
                              " (1, 4, 'Nueces'), (1, 5, 'Orégano')"));
    EXPECT_EQ(
        countOf(c, QStringLiteral("SELECT COUNT(*) FROM Familias_1 WHERE Nombre = 'frutas'")), 1);
    EXPECT_EQ(
        countOf(c, QStringLiteral("SELECT COUNT(*) FROM Familias_1 WHERE Nombre = 'LÁCTEOS'")), 1);
    EXPECT_EQ(
        countOf(c, QStringLiteral("SELECT COUNT(*) FROM Familias_1 WHERE Nombre = 'ñoras'")), 1);
    // Accent-sensitive: a name without its accent is another name.
    EXPECT_EQ(
        countOf(c, QStringLiteral("SELECT COUNT(*) FROM Familias_1 WHERE Nombre = 'Lacteos'")), 0);

    db::Recordset rs(
        c, QStringLiteral("SELECT Codigo FROM Familias_1 WHERE Codigo > 2 ORDER BY Nombre"));
    QList<int> order;
    for (; !rs.eof(); rs.moveNext())
        order << rs.field(0).toInt();
    EXPECT_EQ(order, (QList<int> {4, 3, 5}));  // Nueces, Ñoras, Orégano

    // A text key differing only in case is the same key.
    c->execute(
        QStringLiteral("INSERT INTO Articulos_CBarras (Cod_Empresa, Cod_Barras, Cod_Articulo,"
                       " Principal) VALUES (1, 'ab-1', 1, 1)"));
    EXPECT_THROW(c->execute(QStringLiteral("INSERT INTO Articulos_CBarras (Cod_Empresa, Cod_Barras,"
                                           " Cod_Articulo, Principal) VALUES (1, 'AB-1', 2, 1)")),
        db::Error);
}

TEST(Schema, keysGuardNumberedDocumentsAndMainBarCodes)
{
    TestDatabase db;
    const auto c = db.connection();
    // A ten-digit pre-invoice code (year, three-digit warehouse, sequence) keeps every digit.
    const QString pref = QStringLiteral(
        "INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Cod_AlmacenD,"
        " Pendiente, Observaciones) VALUES (1, 125, 2612500001, '2026-12-05', %1, 1, '')");
    c->execute(pref.arg(2));
    EXPECT_EQ(
        c->scalar(QStringLiteral("SELECT Codigo FROM Reposicion_Pref")).toInt64(), 2612500001LL);
    try {
        c->execute(pref.arg(3));
        ADD_FAILURE() << "a second pre-invoice with the same number was stored";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.category(), db::Error::Category::Constraint);
    }
    const QString restos
        = QStringLiteral("INSERT INTO Reposicion_Restos (Cod_Empresa, Cod_Almacen,"
                         " Codigo, Fecha, Enviado) VALUES (1, 2, 260250001, '%1', 0)");
    c->execute(restos.arg(QStringLiteral("2026-12-05")));
    EXPECT_THROW(c->execute(restos.arg(QStringLiteral("2026-12-06"))), db::Error);

    // A second main bar code would show every line of the article twice in the editors.
    const QString ean = QStringLiteral("INSERT INTO Articulos_CBarras (Cod_Empresa, Cod_Barras,"
                                       " Cod_Articulo, Principal) VALUES (1, '%1', 7, %2)");
    c->execute(ean.arg(QStringLiteral("8400000000071")).arg(1));
    c->execute(ean.arg(QStringLiteral("18400000000078")).arg(0));
    EXPECT_THROW(c->execute(ean.arg(QStringLiteral("8400000000099")).arg(1)), db::Error);
}

TEST(Schema, splitBatchesCutsOnlyAtLinesHoldingGo)
{
    const QString script = QStringLiteral("SELECT 1\nGO\r\nSELECT 'GO'\n  go  \n\nGO\n"
                                          "SELECT 2 -- GO\nSELECT 3\nGOTO\n");
    const QStringList batches = demo::splitBatches(script);
    ASSERT_EQ(batches.size(), 3);
    EXPECT_EQ(batches[0].trimmed(), QStringLiteral("SELECT 1"));
    EXPECT_EQ(batches[1].trimmed(), QStringLiteral("SELECT 'GO'"));
    EXPECT_TRUE(batches[2].contains(QLatin1String("GOTO")));
}

}  // namespace

TEST(Schema, sqlServerKeepsEveryTextColumnInUnicode)
{
    // VARCHAR would turn text outside the server's code page (Cyrillic, Japanese, emoji) into '?'.
    static const QRegularExpression column(
        QStringLiteral("^\\s*(\\w+)\\s+(\\w*(?:CHAR|TEXT)\\w*)(?:\\((\\w+)\\))?(.*)$"),
        QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
    const QString script = demo::schemaScript(db::Dialect::SqlServer);
    int checked = 0;
    for (const auto& m : column.globalMatch(script)) {
        const QString type = m.captured(2).toUpper();
        EXPECT_TRUE(type == QLatin1String("NVARCHAR") || type == QLatin1String("NCHAR"))
            << m.captured(1).toStdString() << " " << type.toStdString();
        EXPECT_FALSE(m.captured(4).contains(QRegularExpression(QStringLiteral("DEFAULT\\s+'"))))
            << m.captured(1).toStdString() << ": a non-Unicode default";
        ++checked;
    }
    // Every column that holds text on the embedded engine holds it here too.
    EXPECT_EQ(checked, demo::schemaScript(db::Dialect::Sqlite).count(QLatin1String("COLLATE ES_CI_AS")));
    EXPECT_GT(checked, 30);
}
