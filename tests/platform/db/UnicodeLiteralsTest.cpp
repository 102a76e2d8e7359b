#include "platform/db/SqlText.h"
#include "platform/db/StatementShape.h"
#include "platform/db/TsqlToSqlite.h"
#include "platform/db/UnicodeLiterals.h"

#include <gtest/gtest.h>

using namespace db;

TEST(UnicodeLiterals, quotingHelperMarksTextAsUnicodeOnSqlServerOnly)
{
    const QString name = QStringLiteral("Ёлка O'Hara 日本 🍎");
    EXPECT_EQ(sqlText(Dialect::SqlServer, name), QStringLiteral("N'Ёлка O''Hara 日本 🍎'"));
    EXPECT_EQ(sqlText(Dialect::Sqlite, name), QStringLiteral("'Ёлка O''Hara 日本 🍎'"));
    EXPECT_EQ(sqlText(Dialect::SqlServer, QString()), QStringLiteral("N''"));
}

TEST(UnicodeLiterals, everyTextLiteralSentToSqlServerBecomesUnicode)
{
    struct Case { const char* in; const char* out; };
    const Case cases[] = {
        {"SELECT * FROM Familias_1 WHERE Nombre = 'Ёлка' AND Cod IN ('a', 'b')",
         "SELECT * FROM Familias_1 WHERE Nombre = N'Ёлка' AND Cod IN (N'a', N'b')"},
        // Quotes inside a literal, an empty literal, and one already marked.
        {"UPDATE T SET A = 'O''Hara', B = '', C = N'ya'", "UPDATE T SET A = N'O''Hara', B = N'', C = N'ya'"},
        {"INSERT INTO T VALUES(1,'x')", "INSERT INTO T VALUES(1,N'x')"},
        {"WHERE Nombre LIKE 'a%' + 'b'", "WHERE Nombre LIKE N'a%' + N'b'"},
        // Comments, bracketed and quoted names are not literals.
        {"SELECT [it's] FROM \"q'x\" -- it's\nWHERE A = 'v' /* 'c' */",
         "SELECT [it's] FROM \"q'x\" -- it's\nWHERE A = N'v' /* 'c' */"},
        // Column aliases written as strings, and ODBC escapes, stay as they are.
        {"SELECT SUM(U) AS 'Total', F = 'x' FROM T", "SELECT SUM(U) AS 'Total', F = N'x' FROM T"},
        {"WHERE Fecha > {d '2026-12-07'}", "WHERE Fecha > {d '2026-12-07'}"},
        // A name ending in N before a literal is not a Unicode mark.
        {"SELECT 1 WHERE COLUMN='x'", "SELECT 1 WHERE COLUMN=N'x'"},
        {"SELECT 'unterminated", "SELECT N'unterminated"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(unicodeLiterals(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(UnicodeLiterals, embeddedEngineReadsUnicodeLiteralsAsPlainText)
{
    EXPECT_EQ(TsqlToSqlite::translate(QStringLiteral("SELECT TOP 1 A FROM T WHERE N = N'Ñu' OR B = n'x'")),
              QStringLiteral("SELECT A FROM T WHERE N = 'Ñu' OR B = 'x' LIMIT 1"));
}

TEST(UnicodeLiterals, aWriteWithUnicodeLiteralsSharesTheShapeOfThePlainOne)
{
    const auto plain = StatementShape::lift(QStringLiteral("UPDATE T SET Nombre = 'Ёлка' WHERE Id = 1"));
    const auto marked = StatementShape::lift(QStringLiteral("UPDATE T SET Nombre = N'Ёлка' WHERE Id = 1"));
    ASSERT_TRUE(marked.cacheable);
    EXPECT_EQ(marked.text, plain.text);
    ASSERT_EQ(marked.literals.size(), 2u);
    EXPECT_EQ(marked.literals[0].toText(), QStringLiteral("Ёлка"));
    // A column named N is not a mark.
    EXPECT_EQ(StatementShape::lift(QStringLiteral("UPDATE T SET N = 'x'")).text,
              QStringLiteral("UPDATE T SET N = ?"));
}
