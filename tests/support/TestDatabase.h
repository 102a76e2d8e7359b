#pragma once

#include "platform/db/Connection.h"

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

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
