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

    struct Handles;

private:
    void tellSession();

    std::unique_ptr<Handles> h_;
    Dialect dialect_;
    int commandTimeout_ = 30;
    QString serverName_;
    int depth_ = 0;
};

}  // namespace db
