#include "platform/db/ConnectionString.h"

#include <QStringList>

namespace db {

ConnectionString::ConnectionString(const QString& text)
{
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        values_.insert(part.left(eq).trimmed().toLower(), part.mid(eq + 1).trimmed());
    }
}

QString ConnectionString::value(const QString& key, const QString& fallback) const
{
    return values_.value(key.toLower(), fallback);
}

bool ConnectionString::has(const QString& key) const { return values_.contains(key.toLower()); }

}  // namespace db
