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
    const bool negative = v_ < 0;
    const uint64_t abs = negative ? static_cast<uint64_t>(-(v_ + 1)) + 1 : static_cast<uint64_t>(v_);
    QString out = negative ? QStringLiteral("-") : QString();
    out += QString::number(abs / kScale);
    uint64_t frac = abs % kScale;
    if (frac) {
        QString digits = QString::number(frac).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        out += QLatin1Char('.') + digits;
    }
    return out;
}

}  // namespace db
