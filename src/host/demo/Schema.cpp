#include "host/demo/Schema.h"

#include "host/demo/VersionEsquema.h"
#include "platform/db/Error.h"

#include <QFile>
#include <QRegularExpression>

// The schema scripts live in a resource of this static library: the linker drops an unreferenced
// resource object, so it is registered explicitly (outside any namespace, as the macro needs).
static void registerSchemaResource()
{
    Q_INIT_RESOURCE(nrvx_schema);
}

namespace demo {

QString schemaScript(db::Dialect dialect)
{
    static const bool registered = (registerSchemaResource(), true);
    (void)registered;
    const QString path = dialect == db::Dialect::SqlServer
        ? QStringLiteral(":/sql/schema.mssql.sql")
        : QStringLiteral(":/sql/schema.sqlite.sql");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw db::Error(db::Error::Category::Usage,
            QStringLiteral("The schema script %1 is not built into the program").arg(path));
    return QString::fromUtf8(file.readAll());
}

QStringList splitBatches(const QString& script)
{
    static const QRegularExpression go(
        QStringLiteral("^\\s*GO\\s*$"), QRegularExpression::CaseInsensitiveOption);
    QStringList batches;
    QString current;
    const auto flush = [&] {
        if (!current.trimmed().isEmpty())
            batches << current;
        current.clear();
    };
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        QString l = line;
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        if (go.match(l).hasMatch()) {
            flush();
            continue;
        }
        current += l;
        current += QLatin1Char('\n');
    }
    flush();
    return batches;
}

void createSchema(db::Connection& c)
{
    if (c.dialect() == db::Dialect::Sqlite) {
        VersionEsquema::actualizar(c);
        return;
    }
    const QString script = schemaScript(c.dialect());
    // SQL Server takes one batch per call; CREATE FUNCTION must stand alone in its batch.
    for (const QString& batch : splitBatches(script))
        c.executeScript(batch);
}

}  // namespace demo
