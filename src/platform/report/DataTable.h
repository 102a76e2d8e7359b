#pragma once

#include "platform/db/Value.h"

#include <QStringList>

#include <vector>

namespace report {

// The rows a report's statement returned, held for layout (reports are read whole: their groups
// need the sums before the footers are drawn).
struct DataTable {
    QStringList columns;
    std::vector<std::vector<db::Value>> rows;

    int column(const QString& name) const
    {
        for (int i = 0; i < columns.size(); ++i) {
            if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }
};

}  // namespace report
