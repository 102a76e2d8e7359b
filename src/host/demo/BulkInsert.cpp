#include "host/demo/BulkInsert.h"

#include "platform/db/Error.h"

#include <QStringList>

namespace demo {

BulkInsert::BulkInsert(const db::ConnectionPtr& connection, const QString& table,
    std::initializer_list<Column> columns)
    : command_(connection, statement(table, columns))
{
    for (const Column& c : columns)
        command_.addParameter(QString::fromLatin1(c.name), c.type, c.size);
}

QString BulkInsert::statement(const QString& table, std::initializer_list<Column> columns)
{
    QStringList names;
    QStringList marks;
    for (const Column& c : columns) {
        names << QString::fromLatin1(c.name);
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

void BulkInsert::add(std::initializer_list<db::Value> values)
{
    if (static_cast<int>(values.size()) != command_.parameterCount())
        throw db::Error(db::Error::Category::Usage,
            QStringLiteral("%1 values given for %2 columns")
                .arg(values.size())
                .arg(command_.parameterCount()));
    int i = 0;
    for (const db::Value& v : values)
        command_.setParameter(i++, v);
    command_.execute();
    ++rows_;
}

}  // namespace demo
