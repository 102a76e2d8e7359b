#pragma once

#include <QString>

#include <stdexcept>
#include <string>

namespace db {

// The one exception the database layer throws. what() is the driver's own message, which is
// the "error's description" the screens put in their message boxes.
class Error : public std::runtime_error {
public:
    enum class Category { Connection, Constraint, Syntax, Busy, Timeout, Usage, Other };

    Error(Category category, const QString& message, int nativeCode = 0,
          const QString& sqlState = {});

    Category category() const { return category_; }
    int nativeCode() const { return nativeCode_; }
    QString sqlState() const { return sqlState_; }
    QString message() const { return QString::fromStdString(what()); }
    QString statement() const { return statement_; }

    // Names the statement that failed, for logs; the user-facing text stays the driver's.
    Error& withStatement(const QString& sql);

private:
    Category category_;
    int nativeCode_;
    QString sqlState_;
    QString statement_;
};

}  // namespace db
