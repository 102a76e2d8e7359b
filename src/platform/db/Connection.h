#pragma once

#include "platform/db/Driver.h"
#include "platform/db/Error.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>

namespace db {

class Recordset;

// An open connection to one company database, ADO-shaped. Screens share it by shared_ptr, as
// the host hands its connection "by reference". Every call throws db::Error on failure.
//
// Connection strings:
//   "Provider=SQLite;Data Source=/path/file.db"           embedded database
//   "Provider=SQLOLEDB;Server=NAME;Database=DB;User Id=..;Password=..;"  resolved through
//   ServerList: NAME is either a SQL Server (host:port, through FreeTDS) or a folder of embedded
//   databases (<folder>/<DB>.db).
//   "Driver=...;..." or "DSN=..." go to unixODBC unchanged.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    static std::shared_ptr<Connection> create() { return std::make_shared<Connection>(); }
    static std::shared_ptr<Connection> openShared(const QString& connectionString);

    void open(const QString& connectionString);
    void close();
    bool isOpen() const { return driver_ != nullptr; }
    QString connectionString() const { return connectionString_; }
    QString serverName() const { return serverName_; }
    Dialect dialect() const;

    // Seconds; 0 waits for ever. The connection time-out applies to the next open().
    void setConnectionTimeout(int seconds) { connectionTimeout_ = seconds; }
    int connectionTimeout() const { return connectionTimeout_; }
    void setCommandTimeout(int seconds);
    int commandTimeout() const { return commandTimeout_; }

    // Runs a statement that returns no rows; answers the rows it affected.
    long long execute(const QString& sql);
    // Runs a script of statements (schema files); ';'-separated, in the engine's own dialect.
    void executeScript(const QString& script);
    // Runs a statement and answers its first row's first column (null when no rows).
    Value scalar(const QString& sql);

    // ADO transactions: nested calls only count, the outermost begins and commits; a rollback at
    // any depth undoes everything, as SQL Server's ROLLBACK does. A COMMIT the engine refuses
    // rolls back what is left and ends the transaction before the driver's error is raised, so
    // the next beginTrans() starts afresh instead of joining a transaction that no longer exists.
    void beginTrans();
    void commitTrans();
    void rollbackTrans();
    int transactionDepth() const { return depth_; }

    // Puts a driver around the engine's own: `wrap` receives the open driver and answers the
    // one the connection uses from then on. Test suites need it to count statements and to fail
    // chosen steps through the same paths the engines take; a seam here keeps such members off
    // this class. Throws db::Error when the connection is closed.
    void wrapDriver(const std::function<std::unique_ptr<Driver>(std::unique_ptr<Driver>)>& wrap);

    // The statement in the engine's own dialect (T-SQL passes unchanged to SQL Server).
    QString translate(const QString& sql) const;

    Driver& driver();

private:
    long long executeByShape(const QString& sql);

    std::unique_ptr<Driver> driver_;
    // T-SQL shape -> the engine's shape, so each shape of write is translated once.
    QHash<QString, QString> translatedShapes_;
    QString connectionString_;
    QString serverName_;
    int connectionTimeout_ = 15;
    int commandTimeout_ = 30;
    int depth_ = 0;
};

using ConnectionPtr = std::shared_ptr<Connection>;

}  // namespace db
