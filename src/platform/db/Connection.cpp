#include "platform/db/Connection.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/OdbcDriver.h"
#include "platform/db/ServerList.h"
#include "platform/db/SqliteDriver.h"
#include "platform/db/StatementShape.h"
#include "platform/db/TsqlToSqlite.h"
#include "platform/db/UnicodeLiterals.h"

#include <QDir>
#include <QFileInfo>

namespace db {

namespace {

// An embedded server keeps each database as <folder>/<name>.db: a name that could climb out of
// the folder or name a path would open a file the server list never offered.
void checkEmbeddedName(const QString& database, const QString& server)
{
    const bool plain = !database.isEmpty() && !database.contains(QLatin1Char('/'))
        && !database.contains(QLatin1Char('\\')) && !database.contains(QLatin1String(".."))
        && !database.contains(QChar(0));
    if (!plain) {
        throw Error(Error::Category::Connection,
                    QStringLiteral("El nombre de base de datos \"%1\" no es válido en el servidor "
                                   "%2: debe ser un nombre sin carpetas ni \"..\".")
                        .arg(database, server));
    }
}

// Resolves "Provider=SQLOLEDB;Server=NAME;Database=DB;..." through the server list. The ODBC
// string takes every value in braces, so a password holding ';', '=' or a brace stays one value;
// a password reference (@env:, @file:) is resolved by the ODBC driver layer.
std::unique_ptr<Driver> openServer(const ConnectionString& cs, int timeout)
{
    const QString server = cs.value(QStringLiteral("Server"), cs.value(QStringLiteral("Data Source")));
    const QString database = cs.value(QStringLiteral("Database"),
                                      cs.value(QStringLiteral("Initial Catalog")));
    const std::optional<ServerEntry> entry = ServerList::find(server);
    if (entry && entry->embedded()) {
        checkEmbeddedName(database, server);
        const QString path = QDir(entry->folder).filePath(database + QStringLiteral(".db"));
        if (!QFileInfo::exists(path)) {
            throw Error(Error::Category::Connection,
                        QStringLiteral("Cannot open database \"%1\" requested by the login. "
                                       "The login failed (server %2).").arg(database, server));
        }
        return std::make_unique<SqliteDriver>(path, server, false, timeout);
    }
    const QString host = entry ? entry->host : server;
    const int port = entry ? entry->port : 1433;
    const QString user = cs.value(QStringLiteral("User Id"), cs.value(QStringLiteral("UID")));
    const QString password = cs.value(QStringLiteral("Password"), cs.value(QStringLiteral("PWD")));
    const QString odbc = ConnectionString::buildOdbc({
        {QStringLiteral("Driver"), QStringLiteral("FreeTDS")},
        {QStringLiteral("Server"), host},
        {QStringLiteral("Port"), QString::number(port)},
        {QStringLiteral("Database"), database},
        {QStringLiteral("UID"), user},
        {QStringLiteral("PWD"), password},
        {QStringLiteral("TDS_Version"), QStringLiteral("7.4")},
        {QStringLiteral("ClientCharset"), QStringLiteral("UTF-8")},
    });
    return std::make_unique<OdbcDriver>(odbc, Dialect::SqlServer, timeout);
}

}  // namespace

Connection::Connection() = default;
Connection::~Connection() = default;

std::shared_ptr<Connection> Connection::openShared(const QString& connectionString)
{
    auto c = std::make_shared<Connection>();
    c->open(connectionString);
    return c;
}

void Connection::open(const QString& connectionString)
{
    if (driver_)
        throw Error(Error::Category::Usage, QStringLiteral("The connection is already open"));
    const ConnectionString cs(connectionString);
    const QString provider = cs.value(QStringLiteral("Provider")).toUpper();
    if (provider == QLatin1String("SQLITE")) {
        const QString path = cs.value(QStringLiteral("Data Source"));
        if (path.isEmpty())
            throw Error(Error::Category::Connection, QStringLiteral("No Data Source given"));
        serverName_ = cs.value(QStringLiteral("Server"), QStringLiteral("LOCAL"));
        driver_ = std::make_unique<SqliteDriver>(path, serverName_, true, connectionTimeout_);
    } else if (provider.startsWith(QLatin1String("SQLOLEDB")) || provider.startsWith(QLatin1String("SQLNCLI"))
               || provider.startsWith(QLatin1String("MSOLEDBSQL"))) {
        serverName_ = cs.value(QStringLiteral("Server"), cs.value(QStringLiteral("Data Source")));
        driver_ = openServer(cs, connectionTimeout_);
    } else {
        // Any other text goes to unixODBC as it stands (a DSN or a Driver= string).
        const QString driver = cs.value(QStringLiteral("Driver"));
        const Dialect d = driver.contains(QLatin1String("sqlite"), Qt::CaseInsensitive)
                              ? Dialect::Sqlite : Dialect::SqlServer;
        serverName_ = cs.value(QStringLiteral("Server"), QStringLiteral("LOCAL"));
        driver_ = std::make_unique<OdbcDriver>(connectionString, d, connectionTimeout_);
    }
    connectionString_ = connectionString;
    depth_ = 0;
    driver_->setCommandTimeout(commandTimeout_);
}

void Connection::close()
{
    driver_.reset();
    translatedShapes_.clear();
    depth_ = 0;
}

Dialect Connection::dialect() const
{
    return driver_ ? driver_->dialect() : Dialect::Sqlite;
}

void Connection::setCommandTimeout(int seconds)
{
    commandTimeout_ = seconds;
    if (driver_)
        driver_->setCommandTimeout(seconds);
}

void Connection::wrapDriver(const std::function<std::unique_ptr<Driver>(std::unique_ptr<Driver>)>& wrap)
{
    driver();
    driver_ = wrap(std::move(driver_));
    if (!driver_)
        throw Error(Error::Category::Usage, QStringLiteral("The connection lost its driver"));
}

Driver& Connection::driver()
{
    if (!driver_)
        throw Error(Error::Category::Connection,
                    QStringLiteral("Operation is not allowed when the object is closed."));
    return *driver_;
}

QString Connection::translate(const QString& sql) const
{
    return dialect() == Dialect::Sqlite ? TsqlToSqlite::translate(sql) : unicodeLiterals(sql);
}

long long Connection::executeByShape(const QString& sql)
{
    const StatementShape shape = StatementShape::lift(sql);
    if (!shape.cacheable)
        return -1;
    auto it = translatedShapes_.constFind(shape.text);
    if (it == translatedShapes_.constEnd()) {
        if (translatedShapes_.size() > 512)
            translatedShapes_.clear();
        it = translatedShapes_.insert(shape.text, translate(shape.text));
    }
    return driver_->executeShape(*it, shape.literals);
}

long long Connection::execute(const QString& sql)
{
    Driver& d = driver();
    try {
        const long long n = executeByShape(sql);
        if (n >= 0)
            return n;
        return d.execute(translate(sql));
    } catch (Error& e) {
        e.withStatement(sql);
        throw;
    }
}

void Connection::executeScript(const QString& script)
{
    driver().executeScript(script);
}

Value Connection::scalar(const QString& sql)
{
    Driver& d = driver();
    try {
        auto cursor = d.query(translate(sql));
        return cursor->next() ? cursor->value(0) : Value();
    } catch (Error& e) {
        e.withStatement(sql);
        throw;
    }
}

void Connection::beginTrans()
{
    Driver& d = driver();
    if (depth_ == 0)
        d.begin();
    d.setTransactionDepth(++depth_);
}

void Connection::commitTrans()
{
    Driver& d = driver();
    if (depth_ == 0)
        throw Error(Error::Category::Usage, QStringLiteral("No transaction is active."));
    if (depth_ > 1) {
        d.setTransactionDepth(--depth_);
        return;
    }
    try {
        d.commit();
    } catch (...) {
        // The engine may have kept the transaction open (a deferred constraint, a busy reader) or
        // dropped it already (disk full): either way nothing of it may reach the next one.
        depth_ = 0;
        d.setTransactionDepth(0);
        try {
            d.rollback();
        } catch (...) {
            // The commit's error is the one the user must see.
        }
        throw;
    }
    depth_ = 0;
    d.setTransactionDepth(0);
}

void Connection::rollbackTrans()
{
    Driver& d = driver();
    if (depth_ == 0)
        throw Error(Error::Category::Usage, QStringLiteral("No transaction is active."));
    depth_ = 0;
    d.setTransactionDepth(0);
    try {
        d.rollback();
    } catch (...) {
        // Once more, so that a passing failure does not leave the writes visible to this
        // connection's next reads; should that fail too, the next beginTrans() discards them.
        try {
            d.rollback();
        } catch (...) {
        }
        throw;
    }
}

}  // namespace db
