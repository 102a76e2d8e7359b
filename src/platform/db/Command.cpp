#include "platform/db/Command.h"

#include "platform/db/Error.h"

namespace db {

Command::Command(const ConnectionPtr& connection, const QString& sql)
    : connection_(connection), sql_(sql)
{
    if (!connection_)
        throw Error(Error::Category::Usage, QStringLiteral("The command has no connection"));
}

Command::~Command() = default;

void Command::addParameter(const QString& name, ParamType type, int size, const Value& value)
{
    params_.push_back({name, type, size, {}});
    setParameter(static_cast<int>(params_.size()) - 1, value);
}

void Command::setParameter(int index, const Value& value)
{
    if (index < 0 || index >= parameterCount())
        throw Error(Error::Category::Usage, QStringLiteral("Parameter %1 does not exist").arg(index));
    Param& p = params_[index];
    Value v = value;
    if (!v.isNull()) {
        switch (p.type) {
        case ParamType::SmallInt:
            if (v.toInt64() < -32768 || v.toInt64() > 32767)
                throw Error(Error::Category::Usage,
                            QStringLiteral("Parameter %1 is out of range for smallint").arg(p.name));
            v = Value(v.toInt64());
            break;
        case ParamType::Integer:
            if (v.toInt64() < INT32_MIN || v.toInt64() > INT32_MAX)
                throw Error(Error::Category::Usage,
                            QStringLiteral("Parameter %1 is out of range for int").arg(p.name));
            v = Value(v.toInt64());
            break;
        case ParamType::BigInt:
            v = Value(v.toInt64());
            break;
        case ParamType::VarChar:
        case ParamType::Char: {
            QString text = v.toText();
            if (p.size > 0 && text.size() > p.size)
                throw Error(Error::Category::Usage,
                            QStringLiteral("String data, right truncation (parameter %1)").arg(p.name));
            if (p.type == ParamType::Char && p.size > 0)
                text = text.leftJustified(p.size, QLatin1Char(' '));
            v = Value(text);
            break;
        }
        case ParamType::Decimal:
            v = Value(v.toMoney());
            break;
        case ParamType::Date:
            v = Value(v.toDateTime());
            break;
        }
    }
    p.value = v;
}

void Command::setParameter(const QString& name, const Value& value)
{
    for (int i = 0; i < parameterCount(); ++i) {
        if (params_[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            setParameter(i, value);
            return;
        }
    }
    throw Error(Error::Category::Usage, QStringLiteral("Parameter %1 does not exist").arg(name));
}

void Command::prepareIfNeeded()
{
    if (!stmt_)
        stmt_ = connection_->driver().prepare(connection_->translate(sql_));
}

void Command::bindAll()
{
    for (int i = 0; i < parameterCount(); ++i)
        stmt_->bind(i, params_[i].value);
}

long long Command::execute()
{
    try {
        prepareIfNeeded();
        bindAll();
        return stmt_->execute();
    } catch (Error& e) {
        e.withStatement(sql_);
        throw;
    }
}

std::unique_ptr<Cursor> Command::query()
{
    try {
        prepareIfNeeded();
        bindAll();
        return stmt_->query();
    } catch (Error& e) {
        e.withStatement(sql_);
        throw;
    }
}

}  // namespace db
