#include "platform/db/Quantity.h"

#include <QLatin1String>

namespace db {

bool Quantity::isColumn(QStringView name)
{
    static const char* const columns[] = {"Unidades", "UnidadesVenta", "UnidadesResto",
                                          "UnidadesGen", "UnidadesRcv", "UnidadesLiq",
                                          "UnidadesPed", "UnidadesMC", "Cantidad",
                                          "Stock_Actual"};
    for (const char* column : columns) {
        if (name.compare(QLatin1String(column), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

}  // namespace db
