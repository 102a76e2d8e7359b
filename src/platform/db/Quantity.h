#pragma once

#include "platform/db/Money.h"

#include <QStringView>

namespace db {

// Unit quantities on the embedded engine. A NUMERIC column stores a whole quantity as an integer
// and any other as a double; every computed quantity is rounded to four decimals as it is
// written (TsqlToSqlite), so the double is always the one nearest to a four-decimal number and
// sums, comparisons and "= 0" answer as the server's DECIMAL(19,4) does. A double holds every
// number of 15 significant digits exactly, which bounds a quantity to +-99,999,999,999.9999:
// the schema's CHECK refuses more rather than store an approximation.
class Quantity {
public:
    static constexpr Money kMax = Money::fromScaled(999'999'999'999'999);
    static constexpr Money kMin = Money::fromScaled(-999'999'999'999'999);

    // Whether a column of that name holds unit quantities (any table).
    static bool isColumn(QStringView name);
};

}  // namespace db
