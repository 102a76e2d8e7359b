#include "platform/db/Error.h"
#include "platform/db/Money.h"
#include "platform/db/StatementShape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(Money, parsesEveryAmountOfTheRangeExactlyAndRefusesWhatLiesBeyond)
{
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    struct Case { const char* in; int64_t scaled; };
    for (const Case& c : {Case{"0.0001", 1}, Case{"-0.0001", -1}, Case{"922337203685477.5807", kMax},
                          Case{"-922337203685477.5807", -kMax}, Case{"+12.5", 125000},
                          Case{"1234567890123.4567", 12345678901234567}, Case{".5", 5000},
                          Case{"7.", 70000}, Case{"2.00005", 20001}, Case{"-2.00005", -20001},
                          Case{"2.000049999", 20000}, Case{"1e-4", 1}, Case{"-1.5E2", -1500000}}) {
        EXPECT_EQ(Money::parse(QString::fromLatin1(c.in)).scaled(), c.scaled) << c.in;
    }
    // What SQL Server's DECIMAL(19,4) and a currency column hold beyond Money is refused, not
    // wrapped round to a wrong amount.
    for (const char* beyond : {"922337203685477.5808", "-922337203685477.5809", "1000000000000000",
                               "922337203685477.58075", "1e16"}) {
        try {
            Money::parse(QString::fromLatin1(beyond));
            ADD_FAILURE() << beyond << " was accepted";
        } catch (const db::Error& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("out of range"))) << e.what();
        }
    }
    for (const char* garbage : {"-", ".", "1.2.3", "12a", "١٢"})
        EXPECT_THROW(Money::parse(QString::fromUtf8(garbage)), db::Error) << garbage;
    EXPECT_THROW(Money::fromDouble(1e16), db::Error);
    EXPECT_THROW(Money::fromDouble(std::nan("")), db::Error);
    EXPECT_EQ(Money::fromDouble(-2.5).scaled(), -25000);
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
