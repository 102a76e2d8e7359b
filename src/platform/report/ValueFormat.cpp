#include "platform/report/ValueFormat.h"

#include <QDateTime>
#include <QVariant>

#include <cstdlib>

namespace report {

namespace {

QString groupThousands(const QString& digits)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char('.');
        out += digits.at(i);
    }
    return out;
}

}  // namespace

bool ValueFormat::isDateFormat(const QString& format)
{
    return format.contains(QLatin1String("dd")) || format.contains(QLatin1String("yy"))
        || format.contains(QLatin1String("MM"));
}

QString ValueFormat::number(db::Money value, const QString& format)
{
    const int comma = format.indexOf(QLatin1Char(','));
    int decimals = 0;
    if (comma >= 0) {
        for (int i = comma + 1; i < format.size() && (format[i] == '0' || format[i] == '#'); ++i)
            ++decimals;
    }
    const bool grouping = format.left(comma < 0 ? format.size() : comma).contains('.');
    decimals = std::min(decimals, 4);

    // Rounds the fixed-point value to the shown decimals, halves away from zero.
    int64_t scaled = value.scaled();
    const bool negative = scaled < 0;
    uint64_t magnitude = negative ? static_cast<uint64_t>(-scaled) : static_cast<uint64_t>(scaled);
    uint64_t divisor = 1;
    for (int i = decimals; i < 4; ++i)
        divisor *= 10;
    magnitude = (magnitude + divisor / 2) / divisor;
    uint64_t unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    const QString whole = QString::number(magnitude / unit);
    QString text = grouping ? groupThousands(whole) : whole;
    if (decimals > 0)
        text += QLatin1Char(',')
            + QString::number(magnitude % unit).rightJustified(decimals, QLatin1Char('0'));
    if (negative && magnitude != 0)
        text.prepend(QLatin1Char('-'));
    return text;
}

QString ValueFormat::date(const QDate& value, const QString& format)
{
    if (!value.isValid())
        return {};
    return value.toString(format.isEmpty() ? QStringLiteral("dd/MM/yyyy") : format);
}

QString ValueFormat::value(const db::Value& value, const QString& format)
{
    if (value.isNull())
        return {};
    const QVariant v = value.toVariant();
    const int type = v.typeId();
    if (type == QMetaType::QDateTime || type == QMetaType::QDate)
        return date(value.toDate(), isDateFormat(format) ? format : QString());
    if (value.isText()) {
        if (isDateFormat(format)) {
            const QDate d = QDate::fromString(value.toText().left(10), Qt::ISODate);
            if (d.isValid())
                return date(d, format);
        }
        return value.toText();
    }
    if (format.isEmpty() || isDateFormat(format))
        return value.toText();
    return number(value.toMoney(), format);
}

}  // namespace report
