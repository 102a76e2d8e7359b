#pragma once

#include "platform/db/Connection.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// Runs T-SQL typed by a person or read from a script on one connection and prints what it
// answers, as sqlcmd does: a result set as a header line of column names and tab-separated rows,
// then "(N rows affected)". A failing statement prints the driver's message on the error stream.
class SqlConsole {
public:
    SqlConsole(const db::ConnectionPtr& connection, QTextStream& out, QTextStream& err);

    // One statement; false when it failed (the message is already printed).
    bool runStatement(const QString& sql);
    // The statements of one batch (the text between two GO lines); stops at the first failure.
    bool runBatch(const QString& batch);
    // A script of batches separated by GO lines; stops at the first failure. Answers the exit
    // status: 0, or 1 when a statement failed.
    int runScript(const QString& script);
    // Prompts "1> ", "2> "... and runs the lines typed so far at each GO; "exit" or "quit" leaves.
    // Answers 1 when any statement failed.
    int interactive(QTextStream& in);

    // Splits a batch into statements on ';' outside strings, quoted names and comments.
    static QStringList splitStatements(const QString& batch);
    // The first word of a statement after blanks and comments, upper-cased.
    static QString leadingKeyword(const QString& sql);

private:
    void printRows(const QString& sql);

    db::ConnectionPtr connection_;
    QTextStream& out_;
    QTextStream& err_;
};
