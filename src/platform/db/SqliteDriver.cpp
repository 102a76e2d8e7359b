#include "platform/db/SqliteDriver.h"

#include "platform/db/Error.h"
#include "platform/db/SqliteFunctions.h"

#include <QFile>
#include <QHash>

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <list>

namespace db {

namespace {

Error::Category categoryOf(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY: case SQLITE_LOCKED: return Error::Category::Busy;
    case SQLITE_CONSTRAINT: return Error::Category::Constraint;
    case SQLITE_CANTOPEN: case SQLITE_NOTADB: case SQLITE_IOERR: return Error::Category::Connection;
    case SQLITE_ERROR: return Error::Category::Syntax;
    default: return Error::Category::Other;
    }
}

[[noreturn]] void fail(sqlite3* db, int code, const QString& sql = {})
{
    const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db))
                           : QString::fromUtf8(sqlite3_errstr(code));
    Error e(categoryOf(code), msg, code);
    e.withStatement(sql);
    throw e;
}

struct StmtDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtDeleter>;

StmtPtr prepareRaw(sqlite3* db, const QString& sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v3(db, utf8.constData(), utf8.size(), SQLITE_PREPARE_PERSISTENT,
                                      &stmt, nullptr);
    if (rc != SQLITE_OK)
        fail(db, rc, sql);
    return StmtPtr(stmt);
}

void bindValue(sqlite3* db, sqlite3_stmt* stmt, int index, const Value& v)
{
    int rc;
    if (v.isNull()) {
        rc = sqlite3_bind_null(stmt, index);
    } else if (v.isInteger()) {
        rc = sqlite3_bind_int64(stmt, index, v.toInt64());
    } else if (v.isText()) {
        const QByteArray t = v.toText().toUtf8();
        rc = sqlite3_bind_text(stmt, index, t.constData(), t.size(), SQLITE_TRANSIENT);
    } else if (v.toDateTime().isValid() && !v.isText()) {
        const QByteArray t = v.toText().toUtf8();
        rc = sqlite3_bind_text(stmt, index, t.constData(), t.size(), SQLITE_TRANSIENT);
    } else {
        rc = sqlite3_bind_double(stmt, index, v.toDouble());
    }
    if (rc != SQLITE_OK)
        fail(db, rc);
}

Value columnValue(sqlite3_stmt* stmt, int i)
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER: return Value(static_cast<int64_t>(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT: return Value(sqlite3_column_double(stmt, i));
    case SQLITE_NULL: return Value();
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        return Value(QString::fromUtf8(text, sqlite3_column_bytes(stmt, i)));
    }
    }
}

// Steps a statement to its end; answers rows changed when it wrote.
long long runToEnd(sqlite3* db, sqlite3_stmt* stmt, const QString& sql)
{
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    const bool readOnly = sqlite3_stmt_readonly(stmt);
    if (rc != SQLITE_DONE) {
        sqlite3_reset(stmt);
        fail(db, rc, sql);
    }
    sqlite3_reset(stmt);
    return readOnly ? -1 : sqlite3_changes64(db);
}

class SqliteCursor : public Cursor {
public:
    SqliteCursor(sqlite3* db, StmtPtr stmt, QString sql)
        : db_(db), stmt_(std::move(stmt)), sql_(std::move(sql))
    {
        for (int i = 0, n = sqlite3_column_count(stmt_.get()); i < n; ++i)
            names_ << QString::fromUtf8(sqlite3_column_name(stmt_.get(), i));
    }
    QStringList columnNames() const override { return names_; }
    bool next() override
    {
        const int rc = sqlite3_step(stmt_.get());
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            fail(db_, rc, sql_);
        return false;
    }
    Value value(int column) const override { return columnValue(stmt_.get(), column); }

private:
    sqlite3* db_;
    StmtPtr stmt_;
    QString sql_;
    QStringList names_;
};

class SqlitePrepared : public PreparedStatement {
public:
    SqlitePrepared(sqlite3* db, const QString& sql) : db_(db), sql_(sql), stmt_(prepareRaw(db, sql)) {}
    void bind(int index, const Value& value) override
    {
        sqlite3_reset(stmt_.get());
        bindValue(db_, stmt_.get(), index + 1, value);
        bound_.insert(index + 1, value);
    }
    long long execute() override { return runToEnd(db_, stmt_.get(), sql_); }
    std::unique_ptr<Cursor> query() override
    {
        // The cursor needs a statement of its own: copy the bindings into a fresh one.
        StmtPtr copy = prepareRaw(db_, sql_);
        sqlite3_reset(stmt_.get());
        for (int i = 1, n = sqlite3_bind_parameter_count(stmt_.get()); i <= n; ++i)
            bindValue(db_, copy.get(), i, bound_.value(i));
        return std::make_unique<SqliteCursor>(db_, std::move(copy), sql_);
    }

private:
    sqlite3* db_;
    QString sql_;
    StmtPtr stmt_;
    QHash<int, Value> bound_;
};

}  // namespace

struct SqliteDriver::State {
    sqlite3* db = nullptr;
    // The collation and functions the schema and statements use; shared with the tools' extension.
    std::shared_ptr<SqliteFunctions> functions;
    // Statement-shape cache: writes whose literals differ only in value reuse one prepared
    // statement with the literals bound, so text statements cost about what prepared ones do.
    QHash<QString, std::list<std::pair<QString, StmtPtr>>::iterator> shapeIndex;
    std::list<std::pair<QString, StmtPtr>> shapes;  // most recent first
    static constexpr int kShapeCapacity = 128;

    sqlite3_stmt* cachedShape(const QString& shape)
    {
        auto it = shapeIndex.find(shape);
        if (it != shapeIndex.end()) {
            shapes.splice(shapes.begin(), shapes, it.value());
            return shapes.front().second.get();
        }
        StmtPtr stmt = prepareRaw(db, shape);
        shapes.emplace_front(shape, std::move(stmt));
        shapeIndex.insert(shape, shapes.begin());
        if (static_cast<int>(shapes.size()) > kShapeCapacity) {
            shapeIndex.remove(shapes.back().first);
            shapes.pop_back();
        }
        return shapes.front().second.get();
    }
};

namespace {

void execPlain(sqlite3* db, const char* sql)
{
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(err);
        throw Error(categoryOf(rc), msg, rc);
    }
}

}  // namespace

namespace {

// A company database holds prices, stock and the users' work: a new file is made readable by its
// owner only, whatever the umask, before SQLite opens it (its -wal and -shm files copy that mode).
void createPrivate(const QString& path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char(':')) || path.startsWith(QLatin1String("file:")))
        return;
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          0600);
    if (fd >= 0)
        ::close(fd);  // an existing file (EEXIST) keeps the mode it has
}

}  // namespace

SqliteDriver::SqliteDriver(const QString& path, const QString& serverName, bool createIfMissing,
                           int timeoutSeconds)
    : state_(std::make_unique<State>())
{
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (createIfMissing) {
        flags |= SQLITE_OPEN_CREATE;
        createPrivate(path);
    }
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &state_->db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = QStringLiteral("Cannot open database \"%1\": %2")
                                .arg(path, QString::fromUtf8(sqlite3_errstr(rc)));
        sqlite3_close(state_->db);
        state_->db = nullptr;
        throw Error(Error::Category::Connection, msg, rc);
    }
    sqlite3* db = state_->db;
    setCommandTimeout(timeoutSeconds);
    // A pre-invoice number already printed must survive a power cut: FULL, not NORMAL, in WAL.
    execPlain(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=OFF;");
    SqliteFunctions::Options options;
    options.keepStatements = true;
    const int frc = SqliteFunctions::install(db, options, &state_->functions);
    if (frc != SQLITE_OK) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        state_->db = nullptr;
        throw Error(categoryOf(frc), msg, frc);
    }
    state_->functions->setServerName(serverName);
}

SqliteDriver::~SqliteDriver()
{
    // Keeps the planner's statistics current as the company's data grows (SQLite's own advice
    // for connections that close); a failure here costs nothing but a slower plan later. The
    // analysis limit samples each index instead of reading it whole, so closing a connection
    // costs about the same on a database never analysed as on a small one.
    sqlite3_exec(state_->db, "PRAGMA analysis_limit=400; PRAGMA optimize;", nullptr, nullptr,
                 nullptr);
    state_->shapeIndex.clear();
    state_->shapes.clear();
    if (state_->functions)
        state_->functions->finalizeStatements();
    sqlite3_close_v2(state_->db);
}

long long SqliteDriver::execute(const QString& sql)
{
    StmtPtr stmt = prepareRaw(state_->db, sql);
    return runToEnd(state_->db, stmt.get(), sql);
}

long long SqliteDriver::executeShape(const QString& shape, const std::vector<Value>& literals)
{
    sqlite3* db = state_->db;
    sqlite3_stmt* stmt = state_->cachedShape(shape);
    sqlite3_reset(stmt);
    for (int i = 0; i < static_cast<int>(literals.size()); ++i)
        bindValue(db, stmt, i + 1, literals[i]);
    return runToEnd(db, stmt, shape);
}

void SqliteDriver::executeScript(const QString& script)
{
    execPlain(state_->db, script.toUtf8().constData());
}

std::unique_ptr<Cursor> SqliteDriver::query(const QString& sql)
{
    return std::make_unique<SqliteCursor>(state_->db, prepareRaw(state_->db, sql), sql);
}

std::unique_ptr<PreparedStatement> SqliteDriver::prepare(const QString& sql)
{
    return std::make_unique<SqlitePrepared>(state_->db, sql);
}

void SqliteDriver::begin()
{
    // Nothing of ours is open when a transaction begins: a transaction still open here is one
    // whose ROLLBACK failed, and its writes must not ride along with the new one's.
    if (!sqlite3_get_autocommit(state_->db))
        execPlain(state_->db, "ROLLBACK");
    execPlain(state_->db, "BEGIN IMMEDIATE");
}

void SqliteDriver::commit() { execPlain(state_->db, "COMMIT"); }

void SqliteDriver::rollback()
{
    if (!sqlite3_get_autocommit(state_->db))
        execPlain(state_->db, "ROLLBACK");
}

void SqliteDriver::setCommandTimeout(int seconds)
{
    // 0 means "wait for ever" in ADO; a day is for ever enough for a workstation.
    sqlite3_busy_timeout(state_->db, seconds <= 0 ? 86400000 : seconds * 1000);
}

void SqliteDriver::setTransactionDepth(int depth) { state_->functions->setTransactionDepth(depth); }

}  // namespace db
