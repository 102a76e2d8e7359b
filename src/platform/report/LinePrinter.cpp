#include "platform/report/LinePrinter.h"

#include "platform/report/DocumentPrinter.h"
#include "platform/report/Error.h"

#include <algorithm>

namespace report {

namespace {

constexpr double kMargin = 10;                // millimetres
constexpr double kMonoAdvance = 0.602;        // DejaVu Sans Mono advance per em
constexpr double kLineSpacing = 1.18;         // line height per em
constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr int kMinColumns = 80;

}  // namespace

void LinePrinter::startPage()
{
    pages_.emplace_back();
    if (heading_ && !inHeading_) {
        inHeading_ = true;
        const bool saved = emphasis_;
        try {
            heading_(*this);
        } catch (...) {
            inHeading_ = false;
            throw;
        }
        emphasis_ = saved;
        inHeading_ = false;
    }
}

void LinePrinter::line(const QString& text)
{
    if (finished_)
        throw Error(QStringLiteral("El documento \"%1\" ya se ha impreso").arg(documentName_));
    if (pages_.empty())
        startPage();
    else if (!inHeading_ && pageFull())
        startPage();
    pages_.back().push_back(Line{text, emphasis_});
}

bool LinePrinter::pageFull() const
{
    return !pages_.empty() && static_cast<int>(pages_.back().size()) >= linesPerPage_;
}

void LinePrinter::newPage()
{
    startPage();
}

RenderedDocument LinePrinter::document() const
{
    RenderedDocument doc;
    int columns = kMinColumns;
    for (const Page& page : pages_) {
        for (const Line& l : page)
            columns = std::max(columns, static_cast<int>(l.text.size()));
    }
    const double width = doc.pageSize.width() - 2 * kMargin;
    const double lineHeight = (doc.pageSize.height() - 2 * kMargin) / linesPerPage_;
    const double emMm = std::min(width / (columns * kMonoAdvance), lineHeight / kLineSpacing);
    const double fontSize = emMm / kMmPerPoint;

    for (const Page& page : pages_) {
        RenderedPage out;
        for (size_t i = 0; i < page.size(); ++i) {
            RenderItem item;
            item.rect = QRectF(kMargin, kMargin + i * lineHeight, width, lineHeight);
            item.text = page[i].text;
            item.bold = page[i].emphasis;
            item.monospace = true;
            item.fontSize = fontSize;
            out.items.push_back(item);
        }
        doc.pages.push_back(std::move(out));
    }
    return doc;
}

void LinePrinter::finish()
{
    if (finished_)
        return;
    finished_ = true;
    if (pages_.empty())
        return;
    PrintTarget target;
    target.printerName = printerName_;
    target.pdfFile = outputFile_;
    target.documentName = documentName_;
    DocumentPrinter::print(document(), target);
}

}  // namespace report
