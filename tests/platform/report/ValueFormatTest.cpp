#include "platform/report/ValueFormat.h"

#include <gtest/gtest.h>

using report::ValueFormat;

TEST(ValueFormat, numbersInSpanishFormats)
{
    struct Case {
        const char* value;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"1234.5", "#.##0,00", "1.234,50"},      {"1234567.891", "#.##0,00", "1.234.567,89"},
        {"999.995", "#.##0,00", "1.000,00"},     {"-1234.5", "#.##0,00", "-1.234,50"},
        {"-0.004", "#.##0,00", "0,00"},          {"0", "#.##0,00", "0,00"},
        {"1234.5", "0", "1235"},                 {"1234.5678", "0,000", "1234,568"},
        {"123", "#.##0", "123"},                 {"12.3456", "#.##0,0000", "12,3456"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ValueFormat::number(db::Money::parse(QString::fromLatin1(c.value)),
                                      QString::fromLatin1(c.format)),
                  QString::fromLatin1(c.expected))
            << c.value << " " << c.format;
    }
}

TEST(ValueFormat, fieldsByTheirKind)
{
    EXPECT_EQ(ValueFormat::value(db::Value(QDate(2026, 12, 5)), QString()),
              QStringLiteral("05/12/2026"));
    EXPECT_EQ(ValueFormat::value(db::Value(QStringLiteral("2026-12-05")),
                                 QStringLiteral("dd/MM/yyyy")),
              QStringLiteral("05/12/2026"));
    EXPECT_EQ(ValueFormat::value(db::Value(7.25), QStringLiteral("#.##0,00")),
              QStringLiteral("7,25"));
    EXPECT_EQ(ValueFormat::value(db::Value(QStringLiteral("Texto")), QStringLiteral("#.##0,00")),
              QStringLiteral("Texto"));
    EXPECT_EQ(ValueFormat::value(db::Value(), QStringLiteral("#.##0,00")), QString());
}
