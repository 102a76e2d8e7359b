#include "platform/db/Value.h"

#include <cmath>

namespace db {

namespace {

QDateTime parseDateText(const QString& s)
{
    const QString t = s.trimmed();
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
