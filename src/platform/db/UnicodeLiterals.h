#pragma once

#include <QString>

namespace db {

// Marks every text literal of a T-SQL statement as Unicode (N'...'), so SQL Server keeps text
// outside its code page (Cyrillic, Japanese, Arabic, emoji) instead of turning it into '?'.
// Strings inside comments and identifiers are left alone, as are literals already marked, column
// aliases written as strings (AS 'Total') and ODBC escapes ({d '2026-12-07'}).
QString unicodeLiterals(const QString& tsql);

}  // namespace db
