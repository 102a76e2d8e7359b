#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Value.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace db {

enum class CursorType { ForwardOnly, Static, Keyset, Dynamic };
enum class LockType { ReadOnly, Pessimistic, Optimistic };

// Rows of a SELECT, read by column name. A forward-only recordset streams; a static one holds
// every row. A keyset or dynamic recordset with a lock other than read-only is updatable: it
// must be a single-table "SELECT * FROM T WHERE ..." and supports addNew / setField / update.
// With a pessimistic lock and no transaction open, the recordset holds the database's write lock
// from open to close so that read-and-advance of a counter cannot interleave between workstations.
class Recordset {
public:
    Recordset(const ConnectionPtr& connection, const QString& sql,
              CursorType cursor = CursorType::ForwardOnly, LockType lock = LockType::ReadOnly);
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool eof() const;
    void moveNext();
    void moveFirst();  // static and updatable recordsets only
    long long recordCount() const;  // -1 for forward-only
    Value field(const QString& name) const;
    Value field(int index) const;
    QStringList fieldNames() const { return names_; }
    int fieldCount() const { return names_.size(); }

    void addNew();
    void setField(const QString& name, const Value& value);
    void update();
    void close();

private:
    struct Impl;
    int indexOf(const QString& name) const;
    void openUpdatable();
    void releaseLock(bool commit);

    ConnectionPtr connection_;
    QString sql_;
    CursorType cursor_;
    LockType lock_;
    QStringList names_;
    std::unique_ptr<Cursor> stream_;
    bool streamEof_ = true;
    std::vector<std::vector<Value>> rows_;
    long long position_ = 0;
    bool materialised_ = false;
    bool ownsLock_ = false;
    // Updatable state
    QString table_;
    QString where_;
    bool adding_ = false;
    std::vector<Value> pending_;
    std::vector<bool> changed_;
};

}  // namespace db
