#pragma once

#include "platform/db/Connection.h"

#include <QString>
#include <QStringList>

namespace demo {

// Creates every table, index (and, on SQL Server, function) of a company database on the
// connection, from the schema script of its engine built into the program. Safe to run on a
// database that already has them; an older embedded database is upgraded (VersionEsquema).
// Throws db::Error when the engine refuses a statement.
void createSchema(db::Connection& c);

// The schema script of one engine, as built into the program.
QString schemaScript(db::Dialect dialect);

// Splits a T-SQL script into its batches: the text between lines that hold only GO
// (any case, surrounding blanks allowed). Empty batches are dropped.
QStringList splitBatches(const QString& script);

}  // namespace demo
