#pragma once

#include <functional>

#include "platform/report/RenderedDocument.h"

#include <QString>

class QPrinter;

namespace report {

// Where a laid-out document goes: a printer queue by name (empty for the workstation's
// default), or a PDF file when pdfFile is set.
struct PrintTarget {
    QString printerName;
    QString pdfFile;
    QString documentName;  // the job's title in the queue
    int copies = 1;
};

// Sends a RenderedDocument through QPrinter without any dialog. Throws report::Error when there
// is no such printer, no default printer, or the device refuses to start the job; a job that
// the queue accepted is the print system's from then on.
class DocumentPrinter {
public:
    DocumentPrinter() = delete;
    static void print(const RenderedDocument& document, const PrintTarget& target);

    // Tests and batch runs: jobs for a printer go to this spool instead of the print system
    // (PDF exports are not affected). Answers the spool it replaces; an empty one restores
    // printing.
    using Spool = std::function<void(const RenderedDocument&, const PrintTarget&)>;
    static Spool setSpool(Spool spool);
    // Paints every page on a printer the caller has set up (a print dialog's choice).
    static void print(const RenderedDocument& document, QPrinter& printer,
                      const QString& documentName);
};

}  // namespace report
