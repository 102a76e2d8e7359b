#include "platform/db/Error.h"

namespace db {

Error::Error(Category category, const QString& message, int nativeCode, const QString& sqlState)
    : std::runtime_error(message.toStdString()),
      category_(category),
      nativeCode_(nativeCode),
      sqlState_(sqlState) {}

Error& Error::withStatement(const QString& sql)
{
    statement_ = sql;
    return *this;
}

}  // namespace db
