#pragma once

#include "platform/db/Driver.h"

#include <QString>

#include <memory>

struct sqlite3;

namespace db {

// The embedded engine. One file per company database, shared by several workstations
// (processes): WAL journal, a busy wait, and BEGIN IMMEDIATE so writers queue at the start of
// their transaction instead of failing halfway. Registers what T-SQL statements expect of the
// server: the ES_CI_AS collation, @@SERVERNAME / @@TRANCOUNT and the document total functions.
class SqliteDriver : public Driver {
public:
    // createIfMissing: false for a server's database, which must already exist.
    SqliteDriver(const QString& path, const QString& serverName, bool createIfMissing,
                 int timeoutSeconds);
    ~SqliteDriver() override;

    Dialect dialect() const override { return Dialect::Sqlite; }
    long long execute(const QString& sql) override;
    long long executeShape(const QString& shape, const std::vector<Value>& literals) override;
    void executeScript(const QString& script) override;
    std::unique_ptr<Cursor> query(const QString& sql) override;
    std::unique_ptr<PreparedStatement> prepare(const QString& sql) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    void setCommandTimeout(int seconds) override;
    void setTransactionDepth(int depth) override;

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace db
