#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QDate>
#include <QString>

namespace db {

// The only way user text enters a statement: between single quotes, every quote doubled.
// On SQL Server the literal is Unicode (N'...'); the connection marks any plain literal it sends
// there the same way, so text outside the server's code page is never lost.
QString sqlText(const QString& text);
QString sqlText(Dialect dialect, const QString& text);
QString sqlText(const Connection& connection, const QString& text);
// A date literal the engine reads the same whatever its language: 'YYYY-MM-DD' on SQLite,
// 'YYYYMMDD' on SQL Server.
QString sqlDate(Dialect dialect, const QDate& date);
QString sqlDate(const Connection& connection, const QDate& date);

}  // namespace db
