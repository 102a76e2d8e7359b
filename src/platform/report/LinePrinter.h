#pragma once

#include "platform/report/RenderedDocument.h"

#include <QString>

#include <functional>
#include <vector>

namespace report {

// Plain-text printing, line by line, as order printouts are made: pages of a fixed number of
// lines in a monospaced font, an emphasis (bold) switch, page numbers, and a heading that is
// printed again at the top of each new page. Nothing reaches the printer until finish().
//
// With a heading set, it is printed before the first line of every page, so a caller writes only
// its detail lines; a line written on a full page starts the next page by itself. Callers that
// print their heading themselves leave it unset and use pageFull() / newPage().
// finish() throws report::Error when the printer cannot take the job.
class LinePrinter {
public:
    struct Line {
        QString text;
        bool emphasis = false;
    };
    using Page = std::vector<Line>;

    LinePrinter() = default;

    void setDocumentName(const QString& name) { documentName_ = name; }
    QString documentName() const { return documentName_; }
    // Empty prints on the workstation's default printer.
    void setPrinterName(const QString& name) { printerName_ = name; }
    QString printerName() const { return printerName_; }
    // Writes a PDF file instead of printing (tests, and "print to file").
    void setOutputFile(const QString& pdfPath) { outputFile_ = pdfPath; }
    void setLinesPerPage(int lines) { linesPerPage_ = lines < 1 ? 1 : lines; }
    int linesPerPage() const { return linesPerPage_; }
    void setHeading(std::function<void(LinePrinter&)> heading) { heading_ = std::move(heading); }

    void setEmphasis(bool on) { emphasis_ = on; }
    bool emphasis() const { return emphasis_; }

    void line(const QString& text = QString());
    bool pageFull() const;
    void newPage();
    int pageNumber() const { return pages_.empty() ? 1 : static_cast<int>(pages_.size()); }
    void finish();

    const std::vector<Page>& pages() const { return pages_; }
    // The pages laid out as they are printed.
    RenderedDocument document() const;

private:
    void startPage();

    QString documentName_;
    QString printerName_;
    QString outputFile_;
    int linesPerPage_ = 60;
    bool emphasis_ = false;
    bool inHeading_ = false;
    bool finished_ = false;
    std::function<void(LinePrinter&)> heading_;
    std::vector<Page> pages_;
};

}  // namespace report
