#pragma once

#include "platform/db/Money.h"
#include "platform/db/Value.h"

#include <QDate>
#include <QString>

namespace report {

// Display formats of report fields, always Spanish whatever the workstation's locale, as the
// printed documents are: "#.##0,00" groups thousands with "." and shows two decimals after ",";
// "0" shows whole numbers; date formats are Qt's ("dd/MM/yyyy", the default for dates).
class ValueFormat {
public:
    ValueFormat() = delete;

    static QString number(db::Money value, const QString& format);
    static QString date(const QDate& value, const QString& format);
    // A field as the report shows it: dates and numbers through the format, texts unchanged.
    static QString value(const db::Value& value, const QString& format);
    static bool isDateFormat(const QString& format);
};

}  // namespace report
