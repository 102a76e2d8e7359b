#include "platform/db/Recordset.h"

#include "platform/db/Error.h"
#include "platform/db/SqlText.h"

#include <QRegularExpression>

namespace db {

namespace {

Error usage(const QString& text) { return Error(Error::Category::Usage, text); }

QString literal(Dialect dialect, const Value& v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.isText())
        return sqlText(v.toText());
    if (v.isInteger())
        return QString::number(v.toInt64());
    const QDateTime dt = v.toDateTime();
    if (dt.isValid())
        return sqlDate(dialect, dt.date());
    return v.toMoney().toSql();
}

}  // namespace

Recordset::Recordset(const ConnectionPtr& connection, const QString& sql, CursorType cursor,
                     LockType lock)
    : connection_(connection), sql_(sql), cursor_(cursor), lock_(lock)
{
    if (!connection_)
        throw usage(QStringLiteral("The recordset has no connection"));
    const bool updatable = (cursor == CursorType::Dynamic || cursor == CursorType::Keyset)
        && lock != LockType::ReadOnly;
    try {
        if (updatable) {
            openUpdatable();
            return;
        }
        stream_ = connection_->driver().query(connection_->translate(sql));
        names_ = stream_->columnNames();
        if (cursor == CursorType::ForwardOnly) {
            streamEof_ = !stream_->next();
            return;
        }
        while (stream_->next()) {
            std::vector<Value> row;
            row.reserve(names_.size());
            for (int i = 0; i < names_.size(); ++i)
                row.push_back(stream_->value(i));
            rows_.push_back(std::move(row));
        }
        stream_.reset();
        materialised_ = true;
    } catch (Error& e) {
        // No destructor runs for a recordset that failed to open: the lock's transaction begun
        // for this read ends here, or the connection would stay inside it.
        if (ownsLock_) {
            try {
                releaseLock(false);
            } catch (...) {
            }
        }
        e.withStatement(sql);
        throw;
    }
}

Recordset::~Recordset()
{
    try {
        close();
    } catch (...) {
        // Closing never fails the caller; the lock goes with the transaction's rollback.
    }
}

void Recordset::openUpdatable()
{
    static const QRegularExpression shape(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+([A-Za-z_][A-Za-z0-9_.]*)\s*(?:WHERE\s+(.*))?$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = shape.match(sql_);
    if (!m.hasMatch())
        throw usage(QStringLiteral("An updatable recordset must be SELECT * FROM one table"));
    table_ = m.captured(1);
    where_ = m.captured(2).trimmed();
    // The read and the write that follows must be one unit against other workstations.
    if (lock_ == LockType::Pessimistic && connection_->transactionDepth() == 0) {
        connection_->beginTrans();
        ownsLock_ = true;
    }
    QString select = connection_->translate(sql_);
    if (lock_ == LockType::Pessimistic && connection_->dialect() == Dialect::SqlServer) {
        // SQL Server reads without holding locks; the update lock is what ADO's server cursor
        // would take, so two workstations cannot both read the same counter value.
        select = QStringLiteral("SELECT * FROM %1 WITH (UPDLOCK, HOLDLOCK)%2")
                     .arg(table_, where_.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where_);
    }
    auto cursor = connection_->driver().query(select);
    names_ = cursor->columnNames();
    while (cursor->next()) {
        std::vector<Value> row;
        for (int i = 0; i < names_.size(); ++i)
            row.push_back(cursor->value(i));
        rows_.push_back(std::move(row));
    }
    materialised_ = true;
}

bool Recordset::eof() const
{
    if (!materialised_)
        return streamEof_;
    return position_ >= static_cast<long long>(rows_.size());
}

void Recordset::moveNext()
{
    if (eof())
        throw usage(QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                   "deleted."));
    if (!materialised_) {
        streamEof_ = !stream_->next();
        return;
    }
    ++position_;
}

void Recordset::moveFirst()
{
    if (!materialised_)
        throw usage(QStringLiteral("A forward-only recordset cannot move back"));
    position_ = 0;
}

long long Recordset::recordCount() const
{
    return materialised_ ? static_cast<long long>(rows_.size()) : -1;
}

int Recordset::indexOf(const QString& name) const
{
    // Callers nearly always spell a column as the statement does: try that first, it is the
    // hot path of every loop over rows.
    for (int i = 0; i < names_.size(); ++i) {
        if (names_[i] == name)
            return i;
    }
    for (int i = 0; i < names_.size(); ++i) {
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw usage(QStringLiteral("Item cannot be found in the collection corresponding to the "
                               "requested name or ordinal. (%1)").arg(name));
}

Value Recordset::field(const QString& name) const { return field(indexOf(name)); }

Value Recordset::field(int index) const
{
    if (index < 0 || index >= names_.size())
        throw usage(QStringLiteral("Field index out of range"));
    if (adding_ || !pending_.empty())
        return pending_[index];
    if (eof())
        throw usage(QStringLiteral("Either BOF or EOF is True, or the current record has been "
                                   "deleted."));
    if (!materialised_)
        return stream_->value(index);
    return rows_[position_][index];
}

void Recordset::addNew()
{
    if (table_.isEmpty())
        throw usage(QStringLiteral("The recordset is read-only"));
    adding_ = true;
    pending_.assign(names_.size(), Value());
    changed_.assign(names_.size(), false);
}

void Recordset::setField(const QString& name, const Value& value)
{
    if (table_.isEmpty())
        throw usage(QStringLiteral("The recordset is read-only"));
    const int i = indexOf(name);
    if (pending_.empty()) {
        if (eof())
            throw usage(QStringLiteral("No current record to change"));
        pending_ = rows_[position_];
        changed_.assign(names_.size(), false);
    }
    pending_[i] = value;
    changed_[i] = true;
}

void Recordset::update()
{
    if (pending_.empty())
        return;
    const Dialect d = connection_->dialect();
    QString sql;
    if (adding_) {
        QStringList cols, vals;
        for (int i = 0; i < names_.size(); ++i) {
            if (!changed_[i])
                continue;
            cols << names_[i];
            vals << literal(d, pending_[i]);
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(table_, cols.join(QStringLiteral(", ")), vals.join(QStringLiteral(", ")));
    } else {
        QStringList sets, keys;
        const std::vector<Value>& original = rows_[position_];
        for (int i = 0; i < names_.size(); ++i) {
            if (changed_[i])
                sets << names_[i] + QStringLiteral(" = ") + literal(d, pending_[i]);
            if (!original[i].isNull())
                keys << names_[i] + QStringLiteral(" = ") + literal(d, original[i]);
        }
        if (!where_.isEmpty())
            keys.prepend(QLatin1Char('(') + where_ + QLatin1Char(')'));
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                  .arg(table_, sets.join(QStringLiteral(", ")), keys.join(QStringLiteral(" AND ")));
    }
    const long long n = connection_->execute(sql);
    if (n == 0)
        throw Error(Error::Category::Other,
                    QStringLiteral("Row cannot be located for updating. Some values may have been "
                                   "changed since it was last read."));
    if (adding_) {
        rows_.push_back(pending_);
        position_ = static_cast<long long>(rows_.size()) - 1;
    } else {
        rows_[position_] = pending_;
    }
    adding_ = false;
    pending_.clear();
    changed_.clear();
    if (ownsLock_)
        releaseLock(true);
}

void Recordset::releaseLock(bool commit)
{
    ownsLock_ = false;
    if (commit)
        connection_->commitTrans();
    else if (connection_->transactionDepth() > 0)
        connection_->rollbackTrans();
}

void Recordset::close()
{
    stream_.reset();
    streamEof_ = true;
    adding_ = false;
    pending_.clear();
    if (ownsLock_)
        releaseLock(false);
}

}  // namespace db
