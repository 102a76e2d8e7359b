#include "platform/db/Money.h"

#include "platform/db/Error.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace db {

namespace {

[[noreturn]] void outOfRange(const QString& text)
{
    throw Error(Error::Category::Usage,
                QStringLiteral("'%1' is out of range for an amount (at most 922337203685477.5807"
                               " either way)").arg(text));
}

}  // namespace

Money Money::fromDouble(double d)
{
    const double scaled = std::round(d * kScale);  // halves away from zero
    // 2^63 is the first double past the range; NaN fails both comparisons.
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0))
        outOfRange(QString::number(d, 'g', 17));
    return fromScaled(static_cast<int64_t>(scaled));
}

Money Money::parse(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.contains(QLatin1Char('e'), Qt::CaseInsensitive)) {
        // Exponent notation comes only from floating-point sources: read it as one.
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (!ok)
            throw Error(Error::Category::Usage, QStringLiteral("'%1' is not a number").arg(text));
        return fromDouble(d);
    }
    // Digit by digit, so every amount of the range survives exactly (a double keeps only 15
    // or 16 significant digits).
    qsizetype i = 0;
    const bool negative = i < t.size() && t[i] == QLatin1Char('-');
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        ++i;
    // Accumulated negatively: the negative range is one unit larger than the positive one.
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    int64_t acc = 0;
    int digits = 0;
    int decimals = -1;  // -1 before the point
    bool roundUp = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == QLatin1Char('.') && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (!c.isDigit() || c.unicode() > '9')
            throw Error(Error::Category::Usage, QStringLiteral("'%1' is not a number").arg(text));
        ++digits;
        const int d = c.unicode() - '0';
        if (decimals >= 4) {
            // Beyond a ten-thousandth: the first dropped digit decides, halves away from zero.
            if (decimals == 4)
                roundUp = d >= 5;
            ++decimals;
            continue;
        }
        if (acc < (kMin + d) / 10)
            outOfRange(text);
        acc = acc * 10 - d;
        if (decimals >= 0)
            ++decimals;
    }
    if (digits == 0)
        throw Error(Error::Category::Usage, QStringLiteral("'%1' is not a number").arg(text));
    for (int k = std::max(decimals, 0); k < 4; ++k) {
        if (acc < kMin / 10)
            outOfRange(text);
        acc *= 10;
    }
    if (roundUp) {
        if (acc == kMin)
            outOfRange(text);
        --acc;
    }
    if (!negative && acc == kMin)
        outOfRange(text);
    return fromScaled(negative ? acc : -acc);
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
