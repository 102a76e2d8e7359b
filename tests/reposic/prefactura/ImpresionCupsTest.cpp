// A generated pre-invoice printed for real, through the CUPS queue that writes PDFs.
#include "platform/report/Printers.h"
#include "reposic/prefactura/GeneracionPrefactura.h"
#include "reposic/prefactura/ImpresionPrefactura.h"
#include "support/PantallaFixture.h"

#include <QDateTime>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

namespace {

QString pdfNuevoCon(const QString& trozo, const QDateTime& desde)
{
    const QString carpeta = qEnvironmentVariable("NRVX_PDF_DIR", QStringLiteral("/var/spool/cups-pdf/nrvx"));
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < 60000) {
        QDirIterator it(carpeta, {QStringLiteral("*.pdf")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            const QFileInfo fi(f);
            if (!fi.fileName().contains(trozo) || fi.lastModified() < desde)
                continue;
            QFile pdf(f);
            if (pdf.open(QIODevice::ReadOnly) && pdf.size() > 0) {
                pdf.seek(pdf.size() - std::min<qint64>(pdf.size(), 64));
                if (pdf.readAll().contains("%%EOF"))
                    return f;
            }
        }
        QThread::msleep(200);
    }
    return {};
}

class ImpresionCups : public testsupport::PantallaFixture {};

}  // namespace

TEST_F(ImpresionCups, thePrintedPreInvoiceShowsItsCodeAndEveryArticle)
{
    if (!report::Printers::find(QStringLiteral("NRVX_PDF")))
        GTEST_SKIP() << "no CUPS queue NRVX_PDF: scripts/test starts it (scripts/cups-start)";
    // A warehouse code no other test uses, so the job's name is this test's own.
    semilla.almacen(97, QStringLiteral("Central Norte")).almacen(12, QStringLiteral("Centro"));
    for (int art : {4101, 4102, 4103})
        semilla.articulo(art).stock(97, art, 50).stock(12, art, 0).pendiente(12, art, 5, 5, 0);
    GeneracionPrefactura pase(empresa_, conn());
    pase.origen = 97;
    pase.destino = 12;
    const int64_t codigo = pase.generar(0);
    ASSERT_EQ(codigo, 269700001);

    const QDateTime antes = QDateTime::currentDateTime().addSecs(-2);
    report::DocumentPrinter::setSpool({});  // this one goes to the real queue
    ImpresionPrefactura impresion;
    impresion.impresora = QStringLiteral("NRVX_PDF");
    impresion.controlStock = false;
    impresion.imprimir(97, codigo, 12, QString());

    const QString pdf = pdfNuevoCon(QStringLiteral("269700001"), antes);
    ASSERT_FALSE(pdf.isEmpty()) << "the job never reached the queue's folder";
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString texto = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(texto.contains(QStringLiteral("269700001"))) << texto.toStdString();
    for (const char* art : {"4101", "4102", "4103"})
        EXPECT_TRUE(texto.contains(QLatin1String(art))) << art;
}
