#pragma once

#include <QString>

namespace db {

// Rewrites a T-SQL statement into SQLite's dialect, touching only what SQLite lacks:
// TOP n (at any depth) becomes LIMIT n, ISNULL( becomes IFNULL(, @@SERVERNAME and @@TRANCOUNT
// become application functions, "dbo." prefixes go, and "DELETE alias FROM t alias JOIN ..."
// becomes a DELETE with a rowid sub-select. A computed value assigned to a unit quantity column
// ("SET Unidades = Unidades + 0.1") is rounded to the four decimals a quantity holds. Works on tokens: string literals, quoted names and
// comments pass through untouched.
class TsqlToSqlite {
public:
    static QString translate(const QString& tsql);
};

}  // namespace db
