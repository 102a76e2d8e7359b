#include "platform/db/Error.h"
#include "platform/db/Money.h"
#include "platform/db/StatementShape.h"

#include <gtest/gtest.h>

using db::Money;

TEST(Money, sqlLiteralHasPointNoGroupingAndOnlyNeededDecimals)
{
    struct Case { double in; const char* out; };
    for (const Case& c : {Case{0, "0"}, Case{12, "12"}, Case{-3.5, "-3.5"}, Case{1234567.8901, "1234567.8901"},
                          Case{0.0001, "0.0001"}, Case{-0.25, "-0.25"}, Case{2.67499999, "2.675"}}) {
        EXPECT_EQ(Money::fromDouble(c.in).toSql(), QString::fromLatin1(c.out)) << c.in;
    }
}

TEST(Money, integerConversionRoundsHalvesToEven)
{
    struct Case { double in; int64_t out; };
    for (const Case& c : {Case{2.5, 2}, Case{3.5, 4}, Case{-2.5, -2}, Case{-3.5, -4}, Case{2.5001, 3},
                          Case{7.4999, 7}, Case{0.5, 0}, Case{1.5, 2}}) {
        EXPECT_EQ(Money::fromDouble(c.in).toIntBankers(), c.out) << c.in;
    }
}

TEST(Money, parsesBothDecimalSeparatorsAndRefusesGarbage)
{
    EXPECT_EQ(Money::parse(QStringLiteral("12,5")), Money::fromDouble(12.5));
    EXPECT_EQ(Money::parse(QStringLiteral(" -7.25 ")), Money::fromDouble(-7.25));
    EXPECT_THROW(Money::parse(QStringLiteral("abc")), db::Error);
    EXPECT_THROW(Money::parse(QString()), db::Error);
}

TEST(StatementShape, liftsNumbersAndTextsOfWrites)
{
    const auto s = db::StatementShape::lift(QStringLiteral(
        "UPDATE Reposicion SET Unidades = Unidades + 5.5 WHERE Cod_Empresa =1 AND Familia_1 = 'O''Neill'"));
    ASSERT_TRUE(s.cacheable);
    EXPECT_EQ(s.text, QStringLiteral(
        "UPDATE Reposicion SET Unidades = Unidades + ? WHERE Cod_Empresa =? AND Familia_1 = ?"));
    ASSERT_EQ(s.literals.size(), 3u);
    EXPECT_DOUBLE_EQ(s.literals[0].toDouble(), 5.5);
    EXPECT_EQ(s.literals[1].toInt64(), 1);
    EXPECT_EQ(s.literals[2].toText(), QStringLiteral("O'Neill"));
}

TEST(StatementShape, leavesQueriesAndPositionalClausesAlone)
{
    EXPECT_FALSE(db::StatementShape::lift(QStringLiteral("SELECT 1 FROM T")).cacheable);
    EXPECT_FALSE(db::StatementShape::lift(
        QStringLiteral("INSERT INTO T SELECT A, 1 FROM U ORDER BY 1")).cacheable);
    EXPECT_FALSE(db::StatementShape::lift(QStringLiteral("DELETE FROM T WHERE A = 'unterminated"))
                     .cacheable);
}
