#pragma once

#include <QString>

#include <cstdint>
#include <compare>

namespace db {

// Fixed-point amount with four decimals (int64 scaled by 10,000), the host's currency type.
// Unit quantities and prices travel as Money so sums never drift as doubles do.
class Money {
public:
    static constexpr int64_t kScale = 10000;

    constexpr Money() = default;
    static constexpr Money fromScaled(int64_t scaled) { Money m; m.v_ = scaled; return m; }
    static Money fromDouble(double d);  // nearest 1/10,000, halves away from zero
    static constexpr Money fromInt(int64_t i) { return fromScaled(i * kScale); }
    // Parses "-12.5", "12,5000"; throws db::Error(Usage) when the text is not a number.
    static Money parse(const QString& text);

    constexpr int64_t scaled() const { return v_; }
    double toDouble() const { return static_cast<double>(v_) / kScale; }
    // Conversion to a whole number rounding halves to even, as the host's integer conversion does.
    int64_t toIntBankers() const;
    // Plain SQL literal: optional minus, digits, a point and only the decimals needed.
    QString toSql() const;

    constexpr Money operator+(Money o) const { return fromScaled(v_ + o.v_); }
    constexpr Money operator-(Money o) const { return fromScaled(v_ - o.v_); }
    constexpr Money operator-() const { return fromScaled(-v_); }
    Money& operator+=(Money o) { v_ += o.v_; return *this; }
    Money& operator-=(Money o) { v_ -= o.v_; return *this; }
    Money operator*(int64_t k) const { return fromScaled(v_ * k); }
    constexpr auto operator<=>(const Money&) const = default;

private:
    int64_t v_ = 0;
};

}  // namespace db
