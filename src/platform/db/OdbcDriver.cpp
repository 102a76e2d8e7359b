#include "platform/db/OdbcDriver.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/Error.h"
#include "platform/db/PasswordReference.h"
#include "platform/db/SqlText.h"

#include <sql.h>
#include <sqlext.h>

#include <QDateTime>
#include <QStringList>

#include <optional>
#include <vector>

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC's wide characters are UTF-16");

namespace db {

struct OdbcDriver::Handles {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
};

namespace {

Error::Category categoryOfState(const QString& state, int native)
{
    // The SQLite ODBC driver reports every engine error as HY000 with SQLite's own code.
    if (state == QLatin1String("HY000")) {
        switch (native) {
        case 19: return Error::Category::Constraint;  // SQLITE_CONSTRAINT
        case 5: case 6: return Error::Category::Busy;  // SQLITE_BUSY, SQLITE_LOCKED
        default: break;
        }
    }
    if (state.startsWith(QLatin1String("08")) || state == QLatin1String("28000"))
        return Error::Category::Connection;
    if (state.startsWith(QLatin1String("23")))
        return Error::Category::Constraint;
    if (state.startsWith(QLatin1String("42")))
        return Error::Category::Syntax;
    if (state == QLatin1String("HYT00") || state == QLatin1String("HYT01"))
        return Error::Category::Timeout;
    if (state == QLatin1String("40001"))
        return Error::Category::Busy;
    return Error::Category::Other;
}

[[noreturn]] void fail(SQLSMALLINT type, SQLHANDLE handle, const QString& context = {})
{
    QStringList messages;
    QString firstState;
    SQLINTEGER firstNative = 0;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLCHAR state[6] = {0};
        SQLCHAR text[1024] = {0};
        SQLINTEGER native = 0;
        SQLSMALLINT len = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagRec(type, handle, i, state, &native, text, sizeof text, &len)))
            break;
        if (firstState.isEmpty()) {
            firstState = QString::fromLatin1(reinterpret_cast<char*>(state));
            firstNative = native;
        }
        messages << QString::fromUtf8(reinterpret_cast<char*>(text));
    }
    if (messages.isEmpty())
        messages << (context.isEmpty() ? QStringLiteral("ODBC call failed") : context);
    throw Error(categoryOfState(firstState, firstNative), messages.join(QLatin1Char('\n')), firstNative,
                firstState);
}

void check(SQLRETURN rc, SQLSMALLINT type, SQLHANDLE handle, const QString& context = {})
{
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
        fail(type, handle, context);
}

struct Stmt {
    SQLHSTMT h = SQL_NULL_HSTMT;
    explicit Stmt(SQLHDBC dbc, int timeout)
    {
        check(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &h), SQL_HANDLE_DBC, dbc);
        SQLSetStmtAttr(h, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(intptr_t(timeout)), 0);
    }
    ~Stmt() { SQLFreeHandle(SQL_HANDLE_STMT, h); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
};

// A Value holds an amount when it compares equal to itself taken as one (a double does not).
bool holdsMoney(const Value& v)
{
    if (v.isNull() || v.isInteger() || v.isText())
        return false;
    try {
        return Value(v.toMoney()) == v;
    } catch (const Error&) {
        return false;  // a double beyond any amount
    }
}

// The statements of a script, cut at each ';' outside quotes and comments, with the comments
// left out: a schema's comments may hold a ';' or an apostrophe, and the SQLite ODBC driver
// scans for quotes without knowing comments.
QStringList splitStatements(const QString& script)
{
    QStringList out;
    QString current;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script[i];
        if (c == QLatin1Char('-') && i + 1 < n && script[i + 1] == QLatin1Char('-')) {
            const qsizetype eol = script.indexOf(QLatin1Char('\n'), i);
            i = (eol < 0 ? n : eol) - 1;
            current += QLatin1Char(' ');
        } else if (c == QLatin1Char('/') && i + 1 < n && script[i + 1] == QLatin1Char('*')) {
            const qsizetype close = script.indexOf(QLatin1String("*/"), i + 2);
            i = close < 0 ? n : close + 1;
            current += QLatin1Char(' ');
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            const qsizetype end = script.indexOf(close, i + 1);  // a doubled quote reopens at once
            const qsizetype last = end < 0 ? n - 1 : end;
            current += QStringView(script).mid(i, last - i + 1);
            i = last;
        } else if (c == QLatin1Char(';')) {
            out << current;
            current.clear();
        } else {
            current += c;
        }
    }
    out << current;
    return out;
}

long long rowCount(SQLHSTMT h)
{
    SQLLEN n = 0;
    SQLRowCount(h, &n);
    return n;
}

bool isNumericType(SQLSMALLINT type)
{
    switch (type) {
    case SQL_SMALLINT: case SQL_INTEGER: case SQL_TINYINT: case SQL_BIGINT: case SQL_BIT:
    case SQL_FLOAT: case SQL_REAL: case SQL_DOUBLE: case SQL_DECIMAL: case SQL_NUMERIC:
        return true;
    default:
        return false;
    }
}

// A number read as text from an engine whose columns have no fixed type: whole numbers as
// integers, others as the exact decimal or floating value, as the native driver reads them.
Value numberFromText(const QString& text, SQLSMALLINT type)
{
    bool ok = false;
    const qlonglong whole = text.toLongLong(&ok);
    if (ok)
        return Value(static_cast<int64_t>(whole));
    if (type == SQL_DECIMAL || type == SQL_NUMERIC)
        return Value(Money::parse(text));
    const double d = text.toDouble(&ok);
    return ok ? Value(d) : Value(text);
}

class OdbcCursor : public Cursor {
public:
    // dynamicTypes: the engine (SQLite) types each value, not each column, and the ODBC driver
    // describes a computed column by its first value: a column that began with 3 may hold 7.5.
    OdbcCursor(std::unique_ptr<Stmt> stmt, bool dynamicTypes)
        : stmt_(std::move(stmt)), dynamicTypes_(dynamicTypes)
    {
        SQLSMALLINT cols = 0;
        SQLNumResultCols(stmt_->h, &cols);
        for (SQLSMALLINT i = 1; i <= cols; ++i) {
            SQLCHAR name[256] = {0};
            SQLSMALLINT len = 0, type = 0, digits = 0, nullable = 0;
            SQLULEN size = 0;
            SQLDescribeCol(stmt_->h, i, name, sizeof name, &len, &type, &size, &digits, &nullable);
            names_ << QString::fromUtf8(reinterpret_cast<char*>(name));
            types_.push_back(type);
        }
        row_.resize(cols);
    }
    QStringList columnNames() const override { return names_; }
    bool next() override
    {
        const SQLRETURN rc = SQLFetch(stmt_->h);
        if (rc == SQL_NO_DATA)
            return false;
        check(rc, SQL_HANDLE_STMT, stmt_->h);
        for (int i = 0; i < static_cast<int>(row_.size()); ++i)
            row_[i] = read(i);
        return true;
    }
    Value value(int column) const override { return row_.at(column); }

private:
    Value read(int i)
    {
        const SQLUSMALLINT col = static_cast<SQLUSMALLINT>(i + 1);
        const SQLSMALLINT type = types_[i];
        SQLLEN ind = 0;
        if (dynamicTypes_ && isNumericType(type)) {
            const std::optional<QString> text = readText(col);
            return text ? numberFromText(*text, type) : Value();
        }
        switch (type) {
        case SQL_SMALLINT: case SQL_INTEGER: case SQL_TINYINT: case SQL_BIGINT: case SQL_BIT: {
            SQLBIGINT v = 0;
            check(SQLGetData(stmt_->h, col, SQL_C_SBIGINT, &v, 0, &ind), SQL_HANDLE_STMT, stmt_->h);
            return ind == SQL_NULL_DATA ? Value() : Value(static_cast<int64_t>(v));
        }
        case SQL_FLOAT: case SQL_REAL: case SQL_DOUBLE: {
            double v = 0;
            check(SQLGetData(stmt_->h, col, SQL_C_DOUBLE, &v, 0, &ind), SQL_HANDLE_STMT, stmt_->h);
            return ind == SQL_NULL_DATA ? Value() : Value(v);
        }
        case SQL_WCHAR: case SQL_WVARCHAR: case SQL_WLONGVARCHAR:
            return readWide(col);
        default:
            break;
        }
        // Everything else travels as text (decimals keep their exact digits that way).
        const std::optional<QString> text = readText(col);
        if (!text)
            return Value();
        if (type == SQL_DECIMAL || type == SQL_NUMERIC)
            return Value(Money::parse(*text));
        return Value(*text);
    }

    // The column as UTF-8 text; nothing for NULL.
    std::optional<QString> readText(SQLUSMALLINT col)
    {
        QByteArray out;
        char buf[4096];
        SQLLEN ind = 0;
        for (;;) {
            const SQLRETURN rc = SQLGetData(stmt_->h, col, SQL_C_CHAR, buf, sizeof buf, &ind);
            if (rc == SQL_NO_DATA)
                break;
            check(rc, SQL_HANDLE_STMT, stmt_->h);
            if (ind == SQL_NULL_DATA)
                return std::nullopt;
            const qsizetype got = (ind == SQL_NO_TOTAL || ind >= static_cast<SQLLEN>(sizeof buf))
                                      ? qsizetype(sizeof buf - 1) : qsizetype(ind);
            out.append(buf, got);
            if (rc == SQL_SUCCESS)
                break;
        }
        return QString::fromUtf8(out);
    }

    // Unicode columns read as UTF-16, whatever character set the client library converts to.
    Value readWide(SQLUSMALLINT col)
    {
        QString out;
        char16_t buf[2048];
        SQLLEN ind = 0;
        for (;;) {
            const SQLRETURN rc = SQLGetData(stmt_->h, col, SQL_C_WCHAR, buf, sizeof buf, &ind);
            if (rc == SQL_NO_DATA)
                break;
            check(rc, SQL_HANDLE_STMT, stmt_->h);
            if (ind == SQL_NULL_DATA)
                return Value();
            const qsizetype room = qsizetype(sizeof buf / sizeof(char16_t)) - 1;
            const qsizetype got = (ind == SQL_NO_TOTAL || ind / qsizetype(sizeof(char16_t)) > room)
                                      ? room : qsizetype(ind / sizeof(char16_t));
            out.append(QStringView(buf, got));
            if (rc == SQL_SUCCESS)
                break;
        }
        return Value(out);
    }

    std::unique_ptr<Stmt> stmt_;
    bool dynamicTypes_;
    QStringList names_;
    std::vector<SQLSMALLINT> types_;
    std::vector<Value> row_;
};

bool isLostLink(const QString& state)
{
    return state == QLatin1String("08S01") || state == QLatin1String("08003")
           || state == QLatin1String("08007");
}

const char* const kLinkLost = "The connection to the server was lost; the operation was not done"
                              " and the server undoes what it had begun.";

}  // namespace

template <typename F>
auto OdbcDriver::guarded(F&& statement)
{
    try {
        beforeStatement();
        return statement();
    } catch (const Error& e) {
        if (!isLostLink(e.sqlState()))
            throw;
        lost_ = true;
        throw Error(Error::Category::Connection,
                    QString::fromLatin1(kLinkLost) + QLatin1Char('\n') + e.message(),
                    e.nativeCode(), e.sqlState());
    }
}

namespace {

class OdbcPrepared : public PreparedStatement {
public:
    OdbcPrepared(OdbcDriver& driver, const QString& sql, Dialect dialect)
        : driver_(driver), sql_(sql), dialect_(dialect)
    {
    }
    void bind(int index, const Value& value) override
    {
        if (index >= static_cast<int>(values_.size()))
            values_.resize(index + 1);
        values_[index] = value;
    }
    long long execute() override
    {
        return driver_.guarded([this] { return rowCount(run()->h); });
    }
    std::unique_ptr<Cursor> query() override
    {
        return driver_.guarded([this]() -> std::unique_ptr<Cursor> {
            return std::make_unique<OdbcCursor>(run(), dialect_ == Dialect::Sqlite);
        });
    }

private:
    // Binds every value and runs; buffers live until the call returns. Amounts travel as exact
    // decimal text, never as a double; text as UTF-16, so no code page stands in the way.
    std::unique_ptr<Stmt> run()
    {
        auto stmt = std::make_unique<Stmt>(driver_.handles().dbc, driver_.commandTimeout());
        const QByteArray sql = sql_.toUtf8();
        check(SQLPrepare(stmt->h, (SQLCHAR*)sql.constData(), SQL_NTS), SQL_HANDLE_STMT, stmt->h);
        std::vector<QByteArray> texts(values_.size());
        std::vector<QString> wide(values_.size());
        std::vector<SQLBIGINT> ints(values_.size());
        std::vector<SQLLEN> inds(values_.size());
        for (size_t i = 0; i < values_.size(); ++i) {
            const Value& v = values_[i];
            const SQLUSMALLINT n = static_cast<SQLUSMALLINT>(i + 1);
            SQLRETURN rc;
            if (v.isNull()) {
                inds[i] = SQL_NULL_DATA;
                rc = SQLBindParameter(stmt->h, n, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0,
                                      nullptr, 0, &inds[i]);
            } else if (v.isInteger()) {
                ints[i] = v.toInt64();
                rc = SQLBindParameter(stmt->h, n, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0,
                                      &ints[i], 0, nullptr);
            } else if (v.isText()) {
                wide[i] = v.toText();
                inds[i] = SQLLEN(wide[i].size() * sizeof(char16_t));
                rc = SQLBindParameter(stmt->h, n, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR,
                                      std::max<SQLULEN>(1, wide[i].size()), 0,
                                      wide[i].data(), inds[i], &inds[i]);
            } else if (holdsMoney(v)) {
                texts[i] = v.toMoney().toSql().toLatin1();
                inds[i] = texts[i].size();
                rc = SQLBindParameter(stmt->h, n, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_DECIMAL, 19, 4,
                                      texts[i].data(), texts[i].size(), &inds[i]);
            } else {
                texts[i] = plainText(v).toUtf8();
                inds[i] = texts[i].size();
                rc = SQLBindParameter(stmt->h, n, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                      std::max<SQLULEN>(1, texts[i].size()), 0,
                                      texts[i].data(), texts[i].size(), &inds[i]);
            }
            check(rc, SQL_HANDLE_STMT, stmt->h);
        }
        check(SQLExecute(stmt->h), SQL_HANDLE_STMT, stmt->h);
        return stmt;
    }

    // Dates as SQL Server reads them whatever the login's language ('2026-12-07' is read as
    // the 12th of July under a day-month language); other values as their plain text.
    QString plainText(const Value& v) const
    {
        const QDateTime d = v.toDateTime();
        if (dialect_ == Dialect::SqlServer && d.isValid()) {
            return d.time() == QTime(0, 0) ? d.toString(QStringLiteral("yyyyMMdd"))
                                           : d.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
        }
        return v.toText();
    }

    OdbcDriver& driver_;
    QString sql_;
    Dialect dialect_;
    std::vector<Value> values_;
};

}  // namespace

OdbcDriver::OdbcDriver(const QString& odbcConnectionString, Dialect dialect, int loginTimeoutSeconds)
    : h_(std::make_unique<Handles>()), dialect_(dialect), connectionString_(odbcConnectionString),
      loginTimeout_(loginTimeoutSeconds)
{
    // Before any handle exists: a reference that cannot be resolved leaves nothing to free.
    // The resolved string is kept for reconnecting after a lost link.
    connectionString_ = PasswordReference::resolveOdbc(odbcConnectionString);
    check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &h_->env), SQL_HANDLE_ENV, h_->env,
          QStringLiteral("Cannot start ODBC"));
    SQLSetEnvAttr(h_->env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    try {
        connect();
    } catch (const Error&) {
        SQLFreeHandle(SQL_HANDLE_ENV, h_->env);
        throw;
    }
    serverName_ = ConnectionString(odbcConnectionString).value(QStringLiteral("Server"),
                                                               QStringLiteral("LOCAL"));
    tellSession();
}

// Opens the connection on a new handle; on failure nothing is left allocated but the environment.
void OdbcDriver::connect()
{
    check(SQLAllocHandle(SQL_HANDLE_DBC, h_->env, &h_->dbc), SQL_HANDLE_ENV, h_->env);
    if (loginTimeout_ > 0) {
        SQLSetConnectAttr(h_->dbc, SQL_ATTR_LOGIN_TIMEOUT,
                          reinterpret_cast<SQLPOINTER>(intptr_t(loginTimeout_)), 0);
        SQLSetConnectAttr(h_->dbc, SQL_ATTR_CONNECTION_TIMEOUT,
                          reinterpret_cast<SQLPOINTER>(intptr_t(loginTimeout_)), 0);
    }
    const QByteArray cs = connectionString_.toUtf8();
    SQLCHAR out[1024];
    SQLSMALLINT outLen = 0;
    const SQLRETURN rc = SQLDriverConnect(h_->dbc, nullptr, (SQLCHAR*)cs.constData(), SQL_NTS, out,
                                          sizeof out, &outLen, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        try {
            fail(SQL_HANDLE_DBC, h_->dbc, QStringLiteral("Cannot connect"));
        } catch (Error& e) {
            SQLFreeHandle(SQL_HANDLE_DBC, h_->dbc);
            h_->dbc = SQL_NULL_HDBC;
            // A driver that echoes the log-on must not show the password to the user.
            QString message = e.message();
            for (const QString& password : PasswordReference::passwordsIn(connectionString_))
                if (password.size() >= 3)
                    message.replace(password, QStringLiteral("****"));
            throw Error(Error::Category::Connection, message, e.nativeCode(), e.sqlState());
        }
    }
}

void OdbcDriver::beforeStatement()
{
    if (lost_) {
        // A transaction cut by the lost link is gone on the server: going on in a new connection
        // would commit its second half alone. The caller rolls back first.
        if (depth_ > 0)
            throw Error(Error::Category::Connection, QString::fromLatin1(kLinkLost));
        reconnect();
    }
    if (loseAt_ > 0 && --loseAt_ == 0) {
        SQLEndTran(SQL_HANDLE_DBC, h_->dbc, SQL_ROLLBACK);
        SQLDisconnect(h_->dbc);
        throw Error(Error::Category::Connection, QStringLiteral("Communication link failure"), 0,
                    QStringLiteral("08S01"));
    }
}

void OdbcDriver::reconnect()
{
    if (h_->dbc != SQL_NULL_HDBC) {
        SQLDisconnect(h_->dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, h_->dbc);
        h_->dbc = SQL_NULL_HDBC;
    }
    try {
        if (refusedReconnects_ > 0) {
            --refusedReconnects_;
            throw Error(Error::Category::Connection, QStringLiteral("The server does not answer"),
                        0, QStringLiteral("08001"));
        }
        connect();
    } catch (const Error& e) {
        throw Error(Error::Category::Connection,
                    QStringLiteral("The connection to the server was lost and could not be opened"
                                   " again.\n") + e.message(), e.nativeCode(), e.sqlState());
    }
    lost_ = false;
    tellSession();
}

void OdbcDriver::loseLinkAt(int statement, int refusedReconnects)
{
    loseAt_ = statement;
    refusedReconnects_ = refusedReconnects;
}

OdbcDriver::~OdbcDriver()
{
    if (h_->dbc != SQL_NULL_HDBC) {
        SQLDisconnect(h_->dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, h_->dbc);
    }
    SQLFreeHandle(SQL_HANDLE_ENV, h_->env);
}

long long OdbcDriver::execute(const QString& sql)
{
    return guarded([&] { return executeRaw(sql); });
}

long long OdbcDriver::executeRaw(const QString& sql)
{
    Stmt stmt(h_->dbc, commandTimeout_);
    const QByteArray text = sql.toUtf8();
    check(SQLExecDirect(stmt.h, (SQLCHAR*)text.constData(), SQL_NTS), SQL_HANDLE_STMT, stmt.h);
    return rowCount(stmt.h);
}

void OdbcDriver::executeScript(const QString& script)
{
    // Scripts for SQL Server separate batches with GO lines; others end statements with ';'.
    QStringList batches;
    QString current;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        if (line.trimmed().compare(QLatin1String("GO"), Qt::CaseInsensitive) == 0) {
            batches << current;
            current.clear();
        } else {
            current += line + QLatin1Char('\n');
        }
    }
    batches << current;
    for (const QString& batch : batches) {
        const QStringList statements = dialect_ == Dialect::Sqlite ? splitStatements(batch)
                                                                   : QStringList{batch};
        for (const QString& s : statements) {
            if (!s.trimmed().isEmpty())
                execute(s);
        }
    }
}

std::unique_ptr<Cursor> OdbcDriver::query(const QString& sql)
{
    return guarded([&]() -> std::unique_ptr<Cursor> {
        auto stmt = std::make_unique<Stmt>(h_->dbc, commandTimeout_);
        const QByteArray text = sql.toUtf8();
        check(SQLExecDirect(stmt->h, (SQLCHAR*)text.constData(), SQL_NTS), SQL_HANDLE_STMT, stmt->h);
        return std::make_unique<OdbcCursor>(std::move(stmt), dialect_ == Dialect::Sqlite);
    });
}

std::unique_ptr<PreparedStatement> OdbcDriver::prepare(const QString& sql)
{
    return std::make_unique<OdbcPrepared>(*this, sql, dialect_);
}

void OdbcDriver::begin()
{
    if (lost_ && depth_ == 0)
        reconnect();  // a transaction begins on a live connection
    // Autocommit still off means a ROLLBACK that failed left the old transaction open: end it
    // first, or its writes would be committed with the new transaction's.
    SQLULEN autocommit = SQL_AUTOCOMMIT_ON;
    if (SQL_SUCCEEDED(SQLGetConnectAttr(h_->dbc, SQL_ATTR_AUTOCOMMIT, &autocommit, 0, nullptr))
        && autocommit == SQL_AUTOCOMMIT_OFF) {
        check(SQLEndTran(SQL_HANDLE_DBC, h_->dbc, SQL_ROLLBACK), SQL_HANDLE_DBC, h_->dbc);
    }
    check(SQLSetConnectAttr(h_->dbc, SQL_ATTR_AUTOCOMMIT,
                            reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
          SQL_HANDLE_DBC, h_->dbc);
}

void OdbcDriver::commit()
{
    if (lost_)
        throw Error(Error::Category::Connection, QString::fromLatin1(kLinkLost));
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, h_->dbc, SQL_COMMIT);
    if (!SQL_SUCCEEDED(rc)) {
        // Read the server's reason before the rollback replaces the diagnostics, then undo what
        // the refused commit left open: turning autocommit back on would commit it instead.
        try {
            check(rc, SQL_HANDLE_DBC, h_->dbc, QStringLiteral("COMMIT failed"));
        } catch (...) {
            try {
                rollback();
            } catch (...) {
                // The commit's error is the one to report.
            }
            throw;
        }
    }
    SQLSetConnectAttr(h_->dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
}

void OdbcDriver::rollback()
{
    // A lost link took the transaction with it: the server has undone it, and the next
    // statement opens a new connection.
    if (lost_)
        return;
    // Autocommit goes back on only once the rollback succeeded: switching it on with the
    // transaction still open would commit the very writes being undone.
    check(SQLEndTran(SQL_HANDLE_DBC, h_->dbc, SQL_ROLLBACK), SQL_HANDLE_DBC, h_->dbc);
    SQLSetConnectAttr(h_->dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
}

void OdbcDriver::setCommandTimeout(int seconds) { commandTimeout_ = seconds; }

void OdbcDriver::setTransactionDepth(int depth)
{
    depth_ = depth;
    tellSession();
}

// An SQLite engine behind ODBC answers @@SERVERNAME and @@TRANCOUNT through our extension
// (loaded with the driver's LoadExt= option), which learns them from here. Without the
// extension only the statements that ask for them fail, so a refusal here is not an error.
void OdbcDriver::tellSession()
{
    if (dialect_ != Dialect::Sqlite)
        return;
    try {
        executeRaw(QStringLiteral("SELECT nrvx_set_session(%1, %2)").arg(sqlText(serverName_)).arg(depth_));
    } catch (const Error&) {
    }
}

}  // namespace db
