#pragma once

#include "platform/report/DataTable.h"
#include "platform/report/RenderedDocument.h"
#include "platform/report/ReportDefinition.h"

#include <QHash>
#include <QString>

#include <functional>

namespace report {

// A subreport already laid out, drawn as one block wherever its element stands.
struct SubreportBlock {
    std::vector<RenderItem> items;  // relative to the block's top-left corner
    double height = 0;
};

// Lays a report's bands out over its rows: page header (and page footer) on every page, report
// header once, group headers and footers around the rows of each group with their sums, the
// detail per row, the report footer at the end. A band never splits across pages, and a group
// header never ends one: it moves to the next page with its first detail line.
class ReportLayout {
public:
    struct Input {
        const ReportDefinition* definition = nullptr;
        const DataTable* data = nullptr;
        QString fileName;
        std::function<QString(int)> parameterText;  // display text of parameter N
        QHash<QString, SubreportBlock> subreports;  // by lower-case file name
        bool continuous = false;  // a subreport: one page as tall as its content, no page bands
    };

    // Throws report::Error when a band names a field the data does not have.
    static RenderedDocument layout(const Input& input);
    // The subreport form of a document laid out with continuous = true.
    static SubreportBlock block(const RenderedDocument& document);
};

}  // namespace report
