#include "support/TestDatabase.h"

#include "host/demo/Schema.h"

#include <QDir>

namespace testsupport {

namespace {

QString tempRoot()
{
    const QString root = qEnvironmentVariable("NRVX_TEST_TMP", QDir::tempPath());
    QDir().mkpath(root);
    return root + QStringLiteral("/nrvx-XXXXXX");
}

}  // namespace

TestDatabase::TestDatabase() : dir_(tempRoot())
{
    path_ = dir_.filePath(QStringLiteral("empresa.db"));
    connection_ = db::Connection::openShared(connectionString());
    demo::createSchema(*connection_);
}

QString connectionStringFor(const QString& path)
{
    // NRVX_TEST_DRIVER=odbc runs a suite through unixODBC and the SQLite ODBC driver, which gets
    // the company collation and functions from our extension, as a server would have them.
    if (qEnvironmentVariable("NRVX_TEST_DRIVER") == QLatin1String("odbc")) {
        return QStringLiteral("Driver=SQLite3;Database=%1;LoadExt=%2;")
            .arg(path, QStringLiteral(NRVX_SQLITE_EXTENSION));
    }
    return QStringLiteral("Provider=SQLite;Data Source=") + path;
}

QString TestDatabase::connectionString() const { return connectionStringFor(path_); }

db::ConnectionPtr TestDatabase::openAnother() const
{
    return db::Connection::openShared(connectionString());
}

}  // namespace testsupport
