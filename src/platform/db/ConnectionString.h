#pragma once

#include <QHash>
#include <QString>

namespace db {

// "Key=Value;Key=Value;" with keys compared without case, as ADO reads them.
class ConnectionString {
public:
    explicit ConnectionString(const QString& text);
    QString value(const QString& key, const QString& fallback = {}) const;
    bool has(const QString& key) const;

private:
    QHash<QString, QString> values_;
};

}  // namespace db
