#pragma once

#include "platform/db/Command.h"

#include <QString>

#include <initializer_list>

namespace demo {

// One prepared INSERT reused for every row of a table, for loading thousands of rows quickly.
// Errors of the engine (a duplicate key, a text too long) throw db::Error.
class BulkInsert {
public:
    struct Column {
        const char* name;
        db::ParamType type;
        int size = 0;
    };

    BulkInsert(const db::ConnectionPtr& connection, const QString& table,
        std::initializer_list<Column> columns);

    // Values in the order of the columns.
    void add(std::initializer_list<db::Value> values);
    long long rows() const { return rows_; }

private:
    static QString statement(const QString& table, std::initializer_list<Column> columns);

    db::Command command_;
    long long rows_ = 0;
};

}  // namespace demo
