#pragma once

#include "platform/db/Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <variant>

namespace db {

// One field of a recordset: null, integer, decimal, text or date, read by the caller with the
// conversion it needs. Conversions of a null give 0 / "" / an invalid date, as the host's do.
class Value {
public:
    Value() = default;
    Value(int64_t i) : v_(i) {}
    Value(int i) : v_(static_cast<int64_t>(i)) {}
    Value(double d) : v_(d) {}
    Value(Money m) : v_(m) {}
    Value(const QString& s) : v_(s) {}
    Value(const char* s) : v_(QString::fromUtf8(s)) {}
    Value(const QDate& d) : v_(QDateTime(d, QTime(0, 0))) {}
    Value(const QDateTime& d) : v_(d) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isInteger() const { return std::holds_alternative<int64_t>(v_); }
    bool isText() const { return std::holds_alternative<QString>(v_); }

    int toInt() const { return static_cast<int>(toInt64()); }
    int64_t toInt64() const;
    double toDouble() const;
    Money toMoney() const;
    bool toBool() const { return toInt64() != 0; }
    QString toText() const;
    QDate toDate() const;
    QDateTime toDateTime() const;
    QVariant toVariant() const;
    static Value fromVariant(const QVariant& v);

    bool operator==(const Value& o) const { return v_ == o.v_; }

private:
    std::variant<std::monostate, int64_t, double, Money, QString, QDateTime> v_;
};

}  // namespace db
