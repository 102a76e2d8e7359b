#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace db {

// Where a server name of a connection string lives, as FreeTDS resolves names through its own
// configuration: either a SQL Server at host:port or a folder of embedded databases.
struct ServerEntry {
    QString host;    // SQL Server host (empty for embedded)
    int port = 1433;
    QString folder;  // folder of <Database>.db files (empty for SQL Server)
    bool embedded() const { return !folder.isEmpty(); }
};

// Process-wide list; tests set it directly, the program loads the file named by NRVX_DB_SERVERS
// (lines "NAME = host:port" or "NAME = folder:/path").
class ServerList {
public:
    static void set(const QString& name, const ServerEntry& entry);
    static void remove(const QString& name);
    static void clear();
    static void loadFile(const QString& path);
    static void loadFromEnvironment();
    static std::optional<ServerEntry> find(const QString& name);
};

}  // namespace db
