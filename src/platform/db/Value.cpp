#include "platform/db/Value.h"

#include <cmath>

namespace db {

namespace {

// The digits of t[from, from + n), or -1 when any is not a digit.
int digitsAt(const QString& t, int from, int n)
{
    int v = 0;
    for (int i = from; i < from + n; ++i) {
        const char16_t ch = t.at(i).unicode();
        if (ch < u'0' || ch > u'9')
            return -1;
        v = v * 10 + (ch - u'0');
    }
    return v;
}

// The shapes the embedded database stores, read without the general parser: a list of 10,000
// documents reads its dates in a few milliseconds instead of most of a second. Anything else,
// or a local time the clock skips, is left to the general parser.
QDateTime parseIsoText(const QString& t)
{
    const int n = int(t.size());
    if ((n != 10 && n != 19 && n != 23) || t.at(4) != u'-' || t.at(7) != u'-')
        return {};
    const int year = digitsAt(t, 0, 4);
    const QDate date(year, digitsAt(t, 5, 2), digitsAt(t, 8, 2));
    // -1 is a valid year to QDate: a sign where a digit should be must not read as one.
    if (year < 0 || !date.isValid())
        return {};
    QTime time(0, 0);
    if (n > 10) {
        if ((t.at(10) != u' ' && t.at(10) != u'T') || t.at(13) != u':' || t.at(16) != u':')
            return {};
        if (n == 23 && (t.at(19) != u'.' || t.at(10) != u' '))
            return {};
        time = QTime(digitsAt(t, 11, 2), digitsAt(t, 14, 2), digitsAt(t, 17, 2),
                     n == 23 ? digitsAt(t, 20, 3) : 0);
        if (!time.isValid())
            return {};
    }
    const QDateTime d(date, time);
    return d.isValid() && d.time() == time ? d : QDateTime();
}

QDateTime parseDateText(const QString& s)
{
    const QString t = s.trimmed();
    if (const QDateTime d = parseIsoText(t); d.isValid())
        return d;
    for (const char* fmt : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss",
                            "yyyy-MM-dd", "yyyyMMdd", "dd/MM/yyyy", "dd/MM/yyyy HH:mm:ss"}) {
        const QDateTime d = QDateTime::fromString(t, QString::fromLatin1(fmt));
        if (d.isValid())
            return d;
    }
    return {};
}

}  // namespace

int64_t Value::toInt64() const
{
    if (auto p = std::get_if<int64_t>(&v_)) return *p;
    if (auto p = std::get_if<double>(&v_)) return static_cast<int64_t>(std::llround(*p));
    if (auto p = std::get_if<Money>(&v_)) return p->toIntBankers();
    if (auto p = std::get_if<QString>(&v_)) {
        bool ok = false;
        const qlonglong i = p->trimmed().toLongLong(&ok);
        if (ok) return i;
        const double d = p->trimmed().toDouble(&ok);
        return ok ? static_cast<int64_t>(std::llround(d)) : 0;
    }
    return 0;
}

double Value::toDouble() const
{
    if (auto p = std::get_if<int64_t>(&v_)) return static_cast<double>(*p);
    if (auto p = std::get_if<double>(&v_)) return *p;
    if (auto p = std::get_if<Money>(&v_)) return p->toDouble();
    if (auto p = std::get_if<QString>(&v_)) return p->trimmed().toDouble();
    return 0.0;
}

Money Value::toMoney() const
{
    if (auto p = std::get_if<int64_t>(&v_)) return Money::fromInt(*p);
    if (auto p = std::get_if<Money>(&v_)) return *p;
    return Money::fromDouble(toDouble());
}

QString Value::toText() const
{
    if (auto p = std::get_if<int64_t>(&v_)) return QString::number(*p);
    if (auto p = std::get_if<double>(&v_)) return QString::number(*p, 'g', 15);
    if (auto p = std::get_if<Money>(&v_)) return p->toSql();
    if (auto p = std::get_if<QString>(&v_)) return *p;
    if (auto p = std::get_if<QDateTime>(&v_)) {
        return p->time() == QTime(0, 0) ? p->date().toString(Qt::ISODate)
                                        : p->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    return {};
}

QDateTime Value::toDateTime() const
{
    if (auto p = std::get_if<QDateTime>(&v_)) return *p;
    if (auto p = std::get_if<QString>(&v_)) return parseDateText(*p);
    return {};
}

QDate Value::toDate() const { return toDateTime().date(); }

QVariant Value::toVariant() const
{
    if (auto p = std::get_if<int64_t>(&v_)) return QVariant::fromValue<qlonglong>(*p);
    if (auto p = std::get_if<double>(&v_)) return *p;
    if (auto p = std::get_if<Money>(&v_)) return p->toDouble();
    if (auto p = std::get_if<QString>(&v_)) return *p;
    if (auto p = std::get_if<QDateTime>(&v_)) return *p;
    return {};
}

Value Value::fromVariant(const QVariant& v)
{
    if (!v.isValid() || v.isNull()) return {};
    switch (v.metaType().id()) {
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short:
    case QMetaType::UInt: case QMetaType::ULongLong: case QMetaType::UShort:
    case QMetaType::Bool: case QMetaType::Char: case QMetaType::UChar:
        return Value(static_cast<int64_t>(v.toLongLong()));
    case QMetaType::Double: case QMetaType::Float:
        return Value(v.toDouble());
    case QMetaType::QDate:
        return Value(v.toDate());
    case QMetaType::QDateTime:
        return Value(v.toDateTime());
    default:
        return Value(v.toString());
    }
}

}  // namespace db
