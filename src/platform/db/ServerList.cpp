#include "platform/db/ServerList.h"

#include <QFile>
#include <QMutex>
#include <QTextStream>

namespace db {

namespace {

struct Registry {
    QMutex mutex;
    QHash<QString, ServerEntry> entries;  // keyed by upper-case name: server names ignore case
};

Registry& registry()
{
    static Registry r;
    return r;
}

}  // namespace

void ServerList::set(const QString& name, const ServerEntry& entry)
{
    QMutexLocker lock(&registry().mutex);
    registry().entries.insert(name.trimmed().toUpper(), entry);
}

void ServerList::remove(const QString& name)
{
    QMutexLocker lock(&registry().mutex);
    registry().entries.remove(name.trimmed().toUpper());
}

void ServerList::clear()
{
    QMutexLocker lock(&registry().mutex);
    registry().entries.clear();
}

std::optional<ServerEntry> ServerList::find(const QString& name)
{
    QMutexLocker lock(&registry().mutex);
    auto it = registry().entries.constFind(name.trimmed().toUpper());
    if (it == registry().entries.constEnd())
        return std::nullopt;
    return *it;
}

void ServerList::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString name = line.left(eq).trimmed();
        const QString target = line.mid(eq + 1).trimmed();
        ServerEntry entry;
        if (target.startsWith(QStringLiteral("folder:"))) {
            entry.folder = target.mid(7).trimmed();
        } else {
            const int colon = target.lastIndexOf(QLatin1Char(':'));
            entry.host = colon > 0 ? target.left(colon) : target;
            if (colon > 0)
                entry.port = target.mid(colon + 1).toInt();
        }
        set(name, entry);
    }
}

void ServerList::loadFromEnvironment()
{
    const QString path = qEnvironmentVariable("NRVX_DB_SERVERS");
    if (!path.isEmpty())
        loadFile(path);
}

}  // namespace db
