#include "ReportFixture.h"

#include "platform/report/Error.h"
#include "platform/report/LinePrinter.h"
#include "platform/report/Printers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QThread>

using reporttest::ReportFixture;

namespace {

const QString kQueue = QStringLiteral("NRVX_PDF");

// Where scripts/cups-start makes the cups-pdf queue write.
QString cupsPdfFolder()
{
    return qEnvironmentVariable("NRVX_PDF_DIR", QStringLiteral("/var/spool/cups-pdf/nrvx"));
}

// cups-pdf names the file after the job title; waits until a finished PDF with the token shows.
QString waitForPdf(const QString& token, int timeoutMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QDirIterator it(cupsPdfFolder(), {QStringLiteral("*.pdf")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            if (!QFileInfo(file).fileName().contains(token))
                continue;
            QFile f(file);
            if (f.open(QIODevice::ReadOnly) && f.size() > 0) {
                f.seek(f.size() - std::min<qint64>(f.size(), 64));
                if (f.readAll().contains("%%EOF"))
                    return file;
            }
        }
        QThread::msleep(200);
    }
    return {};
}

QString uniqueToken(const char* what)
{
    return QStringLiteral("nrvx_%1_%2_%3")
        .arg(QLatin1String(what))
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

}  // namespace

TEST_F(ReportFixture, printsThroughTheCupsPdfQueue)
{
    if (!report::Printers::find(kQueue))
        GTEST_SKIP() << "no CUPS queue NRVX_PDF: run scripts/cups-start as root first";

    auto r = prepared(QStringLiteral("Faltas por CUPS"));
    EXPECT_FALSE(r->selectPrinter({}, QStringLiteral("NO_EXISTE_IMPRESORA"), {}));
    EXPECT_NE(r->printer().deviceName, QStringLiteral("NO_EXISTE_IMPRESORA"));
    ASSERT_TRUE(r->selectPrinter(QStringLiteral("CUPS-PDF"), kQueue, QStringLiteral("cups-pdf:/")));
    EXPECT_EQ(r->printer().deviceName, kQueue);
    r->setPrintOption(1, 1);
    EXPECT_EQ(r->printOption(1), 1);

    const QString token = uniqueToken("informe");
    r->setDocumentName(token);
    r->printOut(1);

    const QString pdf = waitForPdf(token);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF with " << token.toStdString() << " in "
                                << cupsPdfFolder().toStdString();
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Supermercados Norte S.L."))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Faltas por CUPS")));
    EXPECT_TRUE(text.contains(QStringLiteral("Empresa 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("1.244,75")));
    QFile::remove(pdf);
}

TEST_F(ReportFixture, printersListTheQueuesAndRefuseUnknownOnes)
{
    const auto printers = report::Printers::list();
    for (const auto& p : printers)
        EXPECT_EQ(report::Printers::find(p.deviceName), p);
    EXPECT_FALSE(report::Printers::find(QStringLiteral("NO_EXISTE_IMPRESORA")));

    report::LinePrinter job;
    job.setPrinterName(QStringLiteral("NO_EXISTE_IMPRESORA"));
    job.line(QStringLiteral("x"));
    EXPECT_THROW(job.finish(), report::Error);
}

namespace {

// Heading of three lines with the page number, as the order printout has.
void heading(report::LinePrinter& p)
{
    p.setEmphasis(true);
    p.line();
    p.line(QStringLiteral("   PEDIDOS PERECEDERO"));
    p.setEmphasis(false);
    p.line(QStringLiteral("   PAG. %1").arg(p.pageNumber()));
}

}  // namespace

TEST(LinePrinter, startsANewPageWithTheHeadingAfterNLines)
{
    report::LinePrinter p;
    p.setDocumentName(QStringLiteral("Pedido Perecedero"));
    p.setLinesPerPage(10);
    p.setHeading(heading);
    for (int i = 1; i <= 15; ++i)
        p.line(QStringLiteral("   detalle %1").arg(i));

    ASSERT_EQ(p.pages().size(), 3u);  // 7 + 7 + 1 details under a 3-line heading
    for (size_t i = 0; i < p.pages().size(); ++i) {
        const auto& page = p.pages()[i];
        ASSERT_GE(page.size(), 4u);
        EXPECT_LE(page.size(), 10u);
        EXPECT_TRUE(page[0].emphasis);
        EXPECT_TRUE(page[1].emphasis);
        EXPECT_EQ(page[1].text, QStringLiteral("   PEDIDOS PERECEDERO"));
        EXPECT_EQ(page[2].text, QStringLiteral("   PAG. %1").arg(i + 1));
        EXPECT_FALSE(page[2].emphasis);
        EXPECT_FALSE(page[3].emphasis);
    }
    EXPECT_EQ(p.pages()[1][3].text, QStringLiteral("   detalle 8"));
    EXPECT_EQ(p.pages()[2][3].text, QStringLiteral("   detalle 15"));
    EXPECT_EQ(p.pageNumber(), 3);
}

TEST(LinePrinter, callerDrivenPagesMatchTheOrderPrintoutAndReachThePdf)
{
    // The screen prints its own heading and asks whether the page is full, line by line.
    QTemporaryDir dir;
    report::LinePrinter p;
    p.setDocumentName(QStringLiteral("Pedido Perecedero"));
    p.setLinesPerPage(58);
    p.setOutputFile(dir.filePath(QStringLiteral("pedido.pdf")));
    heading(p);
    for (int i = 1; i <= 120; ++i) {
        if (p.pageFull()) {
            p.newPage();
            heading(p);
        }
        p.line(QStringLiteral("   %1 ARTICULO %2").arg(i, 10).arg(i).leftJustified(84));
    }
    EXPECT_FALSE(p.pageFull());
    p.finish();

    ASSERT_EQ(p.pages().size(), 3u);  // 55 + 55 + 10 details
    EXPECT_EQ(p.pages()[0].size(), 58u);
    EXPECT_EQ(p.pages()[2].size(), 13u);

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), dir.filePath(QStringLiteral("pedido.pdf")),
                     QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 3);
    EXPECT_TRUE(pages[2].contains(QStringLiteral("PAG. 3"))) << pages[2].toStdString();
    EXPECT_TRUE(pages[2].contains(QStringLiteral("PEDIDOS PERECEDERO")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("ARTICULO 110")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("ARTICULO 111")));
}

TEST_F(ReportFixture, lineJobsPrintOnTheCupsQueue)
{
    if (!report::Printers::find(kQueue))
        GTEST_SKIP() << "no CUPS queue NRVX_PDF: run scripts/cups-start as root first";
    const QString token = uniqueToken("lineas");
    report::LinePrinter p;
    p.setDocumentName(token);
    p.setPrinterName(kQueue);
    p.setLinesPerPage(58);
    p.line(QStringLiteral("   EMPRESA : 1 - Supermercados Norte S.L."));
    p.finish();
    const QString pdf = waitForPdf(token);
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("EMPRESA : 1 - Supermercados Norte S.L.")));
    QFile::remove(pdf);
}
