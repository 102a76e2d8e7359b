#pragma once

#include "platform/db/Connection.h"

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// How the tests open an embedded database file: natively, or through unixODBC and the SQLite
// ODBC driver (with our extension) when NRVX_TEST_DRIVER=odbc.
QString connectionStringFor(const QString& path);

// A fresh embedded company database with the full schema, in a folder removed at the end of
// the test. Other processes may open the same file through path().
class TestDatabase {
public:
    TestDatabase();
    const db::ConnectionPtr& connection() const { return connection_; }
    QString path() const { return path_; }
    QString folder() const { return dir_.path(); }
    QString connectionString() const;
    // A second connection to the same file, as a second workstation would hold.
    db::ConnectionPtr openAnother() const;

private:
    QTemporaryDir dir_;
    QString path_;
    db::ConnectionPtr connection_;
};

}  // namespace testsupport
