#pragma once

#include "platform/db/Driver.h"

#include <QString>

#include <memory>

namespace db {

// unixODBC: SQL Server through FreeTDS in production; in tests the SQLite ODBC driver, so this
// code path runs for real. The dialect says which statements the engine behind it reads.
class OdbcDriver : public Driver {
public:
    OdbcDriver(const QString& odbcConnectionString, Dialect dialect, int loginTimeoutSeconds);
    ~OdbcDriver() override;

    Dialect dialect() const override { return dialect_; }
    long long execute(const QString& sql) override;
    void executeScript(const QString& script) override;
    std::unique_ptr<Cursor> query(const QString& sql) override;
    std::unique_ptr<PreparedStatement> prepare(const QString& sql) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    void setCommandTimeout(int seconds) override;
    void setTransactionDepth(int depth) override;

    // A lost link (SQLSTATE 08S01, 08003, 08007) fails the statement with a clear error; the
    // server rolls back what was open. The next statement outside a transaction opens a new
    // connection, once, and reports if that fails too.
    //
    // Test seam: the nth statement from now (1 = the next) finds the link lost, as when the
    // network drops: what was open is rolled back and the driver answers 08S01. The next
    // `refusedReconnects` attempts to connect again fail, as with a server still unreachable.
    void loseLinkAt(int statement, int refusedReconnects = 0);

    struct Handles;

    // Runs one statement's ODBC calls: reconnects first after a lost link, and turns a lost
    // link into the clear error. For the statements of this driver.
    template <typename F>
    auto guarded(F&& statement);
    Handles& handles() { return *h_; }
    int commandTimeout() const { return commandTimeout_; }

private:
    void connect();
    void beforeStatement();
    void reconnect();
    long long executeRaw(const QString& sql);
    void tellSession();

    std::unique_ptr<Handles> h_;
    Dialect dialect_;
    int commandTimeout_ = 30;
    QString connectionString_;
    int loginTimeout_ = 0;
    QString serverName_;
    int depth_ = 0;
    bool lost_ = false;
    int loseAt_ = 0;
    int refusedReconnects_ = 0;
};

}  // namespace db
