#include "platform/db/SqlText.h"

namespace db {

QString sqlText(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString sqlText(Dialect dialect, const QString& text)
{
    return dialect == Dialect::SqlServer ? QLatin1Char('N') + sqlText(text) : sqlText(text);
}

QString sqlText(const Connection& connection, const QString& text)
{
    return sqlText(connection.dialect(), text);
}

QString sqlDate(Dialect dialect, const QDate& date)
{
    const QString fmt = dialect == Dialect::Sqlite ? QStringLiteral("yyyy-MM-dd")
                                                   : QStringLiteral("yyyyMMdd");
    return QLatin1Char('\'') + date.toString(fmt) + QLatin1Char('\'');
}

QString sqlDate(const Connection& connection, const QDate& date)
{
    return sqlDate(connection.dialect(), date);
}

}  // namespace db
