#include "SqlConsole.h"

#include "host/demo/Schema.h"

#include "platform/db/Error.h"
#include "platform/db/Recordset.h"

SqlConsole::SqlConsole(const db::ConnectionPtr& connection, QTextStream& out, QTextStream& err)
    : connection_(connection)
    , out_(out)
    , err_(err)
{
}

QString SqlConsole::leadingKeyword(const QString& sql)
{
    int i = 0;
    const int n = sql.size();
    while (i < n) {
        if (sql.at(i).isSpace()) {
            ++i;
        } else if (sql.mid(i, 2) == QLatin1String("--")) {
            while (i < n && sql.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (sql.mid(i, 2) == QLatin1String("/*")) {
            const int end = sql.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else {
            break;
        }
    }
    if (i < n && sql.at(i) == QLatin1Char('('))
        return QStringLiteral("(");
    int j = i;
    while (j < n && (sql.at(j).isLetter() || sql.at(j) == QLatin1Char('_')))
        ++j;
    return sql.mid(i, j - i).toUpper();
}

QStringList SqlConsole::splitStatements(const QString& batch)
{
    QStringList out;
    QString current;
    const int n = batch.size();
    for (int i = 0; i < n; ++i) {
        const QChar ch = batch.at(i);
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"') || ch == QLatin1Char('[')) {
            // A quoted text or name runs to its closing mark; a doubled mark stays inside.
            const QChar close = ch == QLatin1Char('[') ? QLatin1Char(']') : ch;
            current += ch;
            for (++i; i < n; ++i) {
                current += batch.at(i);
                if (batch.at(i) == close) {
                    if (i + 1 < n && batch.at(i + 1) == close && close != QLatin1Char(']')) {
                        current += batch.at(++i);
                        continue;
                    }
                    break;
                }
            }
        } else if (batch.mid(i, 2) == QLatin1String("--")) {
            const int end = batch.indexOf(QLatin1Char('\n'), i);
            const int stop = end < 0 ? n : end;
            current += batch.mid(i, stop - i);
            i = stop - 1;
        } else if (batch.mid(i, 2) == QLatin1String("/*")) {
            const int end = batch.indexOf(QLatin1String("*/"), i + 2);
            const int stop = end < 0 ? n : end + 2;
            current += batch.mid(i, stop - i);
            i = stop - 1;
        } else if (ch == QLatin1Char(';')) {
            if (!leadingKeyword(current).isEmpty())
                out << current.trimmed();
            current.clear();
        } else {
            current += ch;
        }
    }
    if (!leadingKeyword(current).isEmpty())
        out << current.trimmed();
    return out;
}

void SqlConsole::printRows(const QString& sql)
{
    db::Recordset rs(connection_, sql);
    out_ << rs.fieldNames().join(QLatin1Char('\t')) << '\n';
    long long count = 0;
    for (; !rs.eof(); rs.moveNext()) {
        QStringList cells;
        for (int i = 0; i < rs.fieldCount(); ++i) {
            const db::Value v = rs.field(i);
            cells << (v.isNull() ? QStringLiteral("NULL") : v.toText());
        }
        out_ << cells.join(QLatin1Char('\t')) << '\n';
        ++count;
    }
    out_ << "(" << count << " rows affected)\n";
}

bool SqlConsole::runStatement(const QString& sql)
{
    static const QStringList kRowReturning
        = {QStringLiteral("SELECT"), QStringLiteral("WITH"), QStringLiteral("VALUES"),
            QStringLiteral("PRAGMA"), QStringLiteral("EXPLAIN"), QStringLiteral("(")};
    static const QStringList kCounted = {QStringLiteral("INSERT"), QStringLiteral("UPDATE"),
        QStringLiteral("DELETE"), QStringLiteral("MERGE"), QStringLiteral("REPLACE")};
    const QString keyword = leadingKeyword(sql);
    if (keyword.isEmpty())
        return true;
    try {
        if (kRowReturning.contains(keyword)) {
            printRows(sql);
        } else {
            const long long n = connection_->execute(sql);
            // Definitions change no rows; like sqlcmd, say nothing for them.
            if (kCounted.contains(keyword))
                out_ << "(" << std::max(0LL, n) << " rows affected)\n";
        }
        out_.flush();
        return true;
    } catch (const db::Error& e) {
        out_.flush();
        err_ << e.message() << '\n';
        err_.flush();
        return false;
    }
}

bool SqlConsole::runBatch(const QString& batch)
{
    // SQL Server takes a batch whole (a function body holds ';'); SQLite runs one at a time.
    if (connection_->dialect() == db::Dialect::SqlServer)
        return runStatement(batch);
    for (const QString& statement : splitStatements(batch)) {
        if (!runStatement(statement))
            return false;
    }
    return true;
}

int SqlConsole::runScript(const QString& script)
{
    for (const QString& batch : demo::splitBatches(script)) {
        if (!runBatch(batch))
            return 1;
    }
    return 0;
}

int SqlConsole::interactive(QTextStream& in)
{
    int status = 0;
    int lineNo = 1;
    QString buffer;
    const auto run = [&] {
        if (!runBatch(buffer))
            status = 1;
        buffer.clear();
        lineNo = 1;
    };
    for (;;) {
        out_ << lineNo << "> ";
        out_.flush();
        QString line;
        if (!in.readLineInto(&line)) {
            if (!buffer.trimmed().isEmpty())
                run();
            break;
        }
        const QString word = line.trimmed().toLower();
        if (word == QLatin1String("exit") || word == QLatin1String("quit"))
            break;
        if (word == QLatin1String("go")) {
            run();
            continue;
        }
        buffer += line + QLatin1Char('\n');
        ++lineNo;
    }
    out_ << '\n';
    out_.flush();
    return status;
}
