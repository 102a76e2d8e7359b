#include "platform/db/Money.h"

#include "platform/db/Error.h"

#include <cmath>

namespace db {

Money Money::fromDouble(double d)
{
    return fromScaled(static_cast<int64_t>(std::llround(d * kScale)));
}

Money Money::parse(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || t.isEmpty())
        throw Error(Error::Category::Usage, QStringLiteral("'%1' is not a number").arg(text));
    return fromDouble(d);
}

int64_t Money::toIntBankers() const
{
    const int64_t whole = v_ / kScale;
    const int64_t rest = v_ % kScale;  // same sign as v_
    const int64_t half = kScale / 2;
    if (rest > half || (rest == half && (whole % 2 != 0)))
        return whole + 1;
    if (rest < -half || (rest == -half && (whole % 2 != 0)))
        return whole - 1;
    return whole;
}

QString Money::toSql() const
{
    // Written into every quantity of every statement: format by hand, without locale lookups.
    char buf[32];
    char* end = buf + sizeof buf;
    char* p = end;
    const bool negative = v_ < 0;
    uint64_t abs = negative ? static_cast<uint64_t>(-(v_ + 1)) + 1 : static_cast<uint64_t>(v_);
    uint64_t frac = abs % kScale;
    uint64_t whole = abs / kScale;
    if (frac) {
        int digits = 4;
        while (frac % 10 == 0) {
            frac /= 10;
            --digits;
        }
        for (int k = 0; k < digits; ++k) {
            *--p = static_cast<char>('0' + frac % 10);
            frac /= 10;
        }
        *--p = '.';
    }
    do {
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole);
    if (negative)
        *--p = '-';
    return QString::fromLatin1(p, end - p);
}

}  // namespace db
