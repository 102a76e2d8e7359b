#pragma once

#include "platform/db/Value.h"

#include <QString>

#include <vector>

namespace db {

// A write statement with its literals lifted out: "UPDATE T SET A = A + 5 WHERE K = 'x'" becomes
// "UPDATE T SET A = A + ? WHERE K = ?" with {5, 'x'}. Statements that differ only in values
// share one shape, so the engine prepares each shape once. Only plain INSERT/UPDATE/DELETE are
// lifted: in a query a number may be a column position (ORDER BY 1), which a parameter is not.
struct StatementShape {
    bool cacheable = false;
    QString text;
    std::vector<Value> literals;

    static StatementShape lift(const QString& sql);
};

}  // namespace db
