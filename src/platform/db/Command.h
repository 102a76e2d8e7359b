#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Value.h"

#include <QString>

#include <memory>
#include <vector>

namespace db {

class Recordset;

enum class ParamType { SmallInt, Integer, BigInt, VarChar, Char, Decimal, Date };

// A prepared statement with typed '?' parameters, appended in order. Texts longer than their
// declared size are refused (as the server would truncate them silently otherwise).
class Command {
public:
    Command(const ConnectionPtr& connection, const QString& sql);
    ~Command();

    void addParameter(const QString& name, ParamType type, int size, const Value& value = {});
    void setParameter(int index, const Value& value);
    void setParameter(const QString& name, const Value& value);
    int parameterCount() const { return static_cast<int>(params_.size()); }

    long long execute();  // rows affected
    std::unique_ptr<Cursor> query();

private:
    struct Param { QString name; ParamType type; int size; Value value; };
    void prepareIfNeeded();
    void bindAll();

    ConnectionPtr connection_;
    QString sql_;
    std::vector<Param> params_;
    std::unique_ptr<PreparedStatement> stmt_;
};

}  // namespace db
