#pragma once

#include <QString>

namespace db {

// Rewrites a T-SQL statement into SQLite's dialect, touching only what SQLite lacks:
// TOP n (at any depth) becomes LIMIT n, ISNULL( becomes IFNULL(, @@SERVERNAME and @@TRANCOUNT
// become application functions, "dbo." prefixes go, and "DELETE alias FROM t alias JOIN ..."
// becomes a DELETE with a rowid sub-select. Works on tokens: string literals, quoted names and
// comments pass through untouched.
class TsqlToSqlite {
public:
    static QString translate(const QString& tsql);
};

}  // namespace db
