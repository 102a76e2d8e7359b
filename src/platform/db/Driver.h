#pragma once

#include "platform/db/Value.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace db {

enum class Dialect { SqlServer, Sqlite };

// Rows of one statement, read forward once. Owned by whoever opened it.
class Cursor {
public:
    virtual ~Cursor() = default;
    virtual QStringList columnNames() const = 0;
    virtual bool next() = 0;  // false past the last row
    virtual Value value(int column) const = 0;
};

// A statement prepared once and run with '?' parameters bound by position (0-based).
class PreparedStatement {
public:
    virtual ~PreparedStatement() = default;
    virtual void bind(int index, const Value& value) = 0;
    virtual long long execute() = 0;  // rows affected
    virtual std::unique_ptr<Cursor> query() = 0;
};

// What one engine must offer the Connection. Statements reach a driver already in its dialect.
class Driver {
public:
    virtual ~Driver() = default;
    virtual Dialect dialect() const = 0;
    virtual long long execute(const QString& sql) = 0;
    // Runs a statement whose literals were lifted into '?' parameters (see StatementShape), so an
    // engine can prepare each shape once. Answers -1 when it has no such path (the caller then
    // runs the original text).
    virtual long long executeShape(const QString& shape, const std::vector<Value>& literals)
    {
        (void)shape;
        (void)literals;
        return -1;
    }
    // Runs several statements of a script (a schema file) in one call.
    virtual void executeScript(const QString& script) = 0;
    virtual std::unique_ptr<Cursor> query(const QString& sql) = 0;
    virtual std::unique_ptr<PreparedStatement> prepare(const QString& sql) = 0;
    // Takes the write lock at once (SQLite BEGIN IMMEDIATE) so that a read-then-write sequence
    // of one workstation cannot interleave with another's.
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual void setCommandTimeout(int seconds) = 0;
    // Tells the driver how deep the caller's transaction is, for @@TRANCOUNT.
    virtual void setTransactionDepth(int depth) { (void)depth; }
};

}  // namespace db
