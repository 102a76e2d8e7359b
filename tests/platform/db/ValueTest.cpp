#include "platform/db/Value.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// What Qt's own parser makes of the text, trying the shapes a database hands back in turn.
QDateTime porElParserGeneral(const QString& s)
{
    for (const char* fmt : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss",
                            "yyyy-MM-dd", "yyyyMMdd", "dd/MM/yyyy", "dd/MM/yyyy HH:mm:ss"}) {
        const QDateTime d = QDateTime::fromString(s.trimmed(), QString::fromLatin1(fmt));
        if (d.isValid())
            return d;
    }
    return {};
}

}  // namespace

TEST(Value, datesStoredAsTextReadAsTheGeneralParserReadsThem)
{
    const QStringList textos = {
        "2026-12-05", " 2026-12-05 ", "2024-02-29", "2026-02-29", "2026-13-01", "2026-00-10",
        "2026-12-05 10:11:12", "2026-12-05T10:11:12", "2026-12-05 10:11:12.345", "2026-12-05 23:59:59.999",
        "2026-12-05 24:00:00", "2026-12-05 10:61:00", "2026-12-05T10:11:12.345", "2026-12-05 10:11:12.5",
        "2026-1-05", "2026/12/05", "20261205", "05/12/2026", "05/12/2026 10:11:12", "0000-01-01",
        "abcd-ef-gh", "", "2026-12-05x", "+026-12-05"};
    for (const QString& t : textos) {
        const QDateTime leido = db::Value(t).toDateTime();
        EXPECT_EQ(leido, porElParserGeneral(t)) << t.toStdString();
        EXPECT_EQ(leido.isValid(), porElParserGeneral(t).isValid()) << t.toStdString();
    }
    EXPECT_EQ(db::Value(QStringLiteral("2026-12-05 10:11:12.345")).toDateTime(),
              QDateTime(QDate(2026, 12, 5), QTime(10, 11, 12, 345)));
    EXPECT_EQ(db::Value(QStringLiteral("2026-12-05")).toDate(), QDate(2026, 12, 5));
}
