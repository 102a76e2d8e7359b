#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QDate>
#include <QString>

namespace db {

// The only way user text enters a statement: between single quotes, every quote doubled.
QString sqlText(const QString& text);
// A date literal the engine reads the same whatever its language: 'YYYY-MM-DD' on SQLite,
// 'YYYYMMDD' on SQL Server.
QString sqlDate(Dialect dialect, const QDate& date);
QString sqlDate(const Connection& connection, const QDate& date);

}  // namespace db
