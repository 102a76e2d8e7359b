#include "platform/report/DocumentPrinter.h"

#include "platform/report/Error.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace report {

namespace {

DocumentPrinter::Spool& spool()
{
    static DocumentPrinter::Spool s;
    return s;
}

}  // namespace

DocumentPrinter::Spool DocumentPrinter::setSpool(Spool s)
{
    std::swap(spool(), s);
    return s;
}

void DocumentPrinter::print(const RenderedDocument& document, const PrintTarget& target)
{
    if (target.pdfFile.isEmpty() && spool()) {
        spool()(document, target);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!target.pdfFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target.pdfFile);
    } else {
        QString name = target.printerName;
        if (name.isEmpty())
            name = QPrinterInfo::defaultPrinterName();
        if (name.isEmpty())
            throw Error(QStringLiteral("No hay ninguna impresora predeterminada para imprimir \"%1\"")
                            .arg(target.documentName));
        if (QPrinterInfo::printerInfo(name).isNull())
            throw Error(QStringLiteral("No se encuentra la impresora %1").arg(name));
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(name);
    }
    printer.setCopyCount(std::max(1, target.copies));
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      document.landscape ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
    print(document, printer, target.documentName);
}

void DocumentPrinter::print(const RenderedDocument& document, QPrinter& printer,
                            const QString& documentName)
{
    if (!printer.isValid())
        throw Error(QStringLiteral("La impresora %1 no está disponible").arg(printer.printerName()));
    printer.setDocName(documentName);
    printer.setFullPage(true);
    printer.setPageOrientation(document.landscape ? QPageLayout::Landscape
                                                  : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error(QStringLiteral("No se puede imprimir \"%1\" en %2")
                        .arg(documentName,
                             printer.outputFileName().isEmpty() ? printer.printerName()
                                                                : printer.outputFileName()));
    const double pixelsPerMm = printer.resolution() / 25.4;
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            throw Error(QStringLiteral("La impresora rechazó la página %1 de \"%2\"")
                            .arg(i + 1)
                            .arg(documentName));
        }
        document.paint(painter, i, pixelsPerMm);
    }
    if (!painter.end())
        throw Error(QStringLiteral("No se pudo terminar la impresión de \"%1\"").arg(documentName));
}

}  // namespace report
