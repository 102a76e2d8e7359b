#include "PerecederosFixture.h"

#include "platform/report/LinePrinter.h"
#include "platform/report/Printers.h"
#include "reposic/perecederos/ImpresionPedidoPerecedero.h"
#include "reposic/perecederos/PedidoCentral.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

using db::Money;

namespace {

ImpresionPedidoPerecedero pedidoDe(int lineas)
{
    ImpresionPedidoPerecedero p;
    p.empresa = 1;
    p.nombreEmpresa = QStringLiteral("Distribuciones Norte S.A.");
    p.almacen = 12;
    p.nombreAlmacen = QStringLiteral("Centro");
    p.tipo = QStringLiteral("Frutas");
    p.fecha = QDate(2026, 12, 5);
    for (int i = 0; i < lineas; ++i) {
        p.lineas.push_back({QString::number(70001 + i), QStringLiteral("Manzana golden %1").arg(i), "12",
                            "1", QStringLiteral("%1,50").arg(i + 1)});
    }
    return p;
}

}  // namespace

TEST(ImpresionPedidoPerecedero, pagesOf58LinesRepeatTheHeadingWithTheirNumber)
{
    const ImpresionPedidoPerecedero pedido = pedidoDe(130);
    report::LinePrinter job;
    pedido.escribir(job);
    ASSERT_EQ(job.pages().size(), 3u);  // 49 + 49 + 32 under a 9-line heading
    EXPECT_EQ(job.pages()[0].size(), 58u);
    EXPECT_EQ(job.pages()[2].size(), 9u + 32u);
    for (int p = 0; p < 3; ++p) {
        const auto& pagina = job.pages()[p];
        EXPECT_TRUE(pagina[0].emphasis);
        EXPECT_TRUE(pagina[1].emphasis);
        EXPECT_FALSE(pagina[2].emphasis);
        EXPECT_EQ(pagina[1].text.trimmed(), QStringLiteral("PEDIDOS PERECEDERO"));
        EXPECT_TRUE(pagina[5].text.endsWith(QStringLiteral("PAG. %1").arg(p + 1))) << pagina[5].text.toStdString();
        EXPECT_EQ(pagina[5].text.size(), 83);
        EXPECT_EQ(pagina[6].text, pagina[8].text);
        EXPECT_FALSE(pagina[9].emphasis);
    }
    const QString detalle = job.pages()[0][9].text;
    EXPECT_EQ(detalle.size(), 84);
    EXPECT_EQ(detalle, QStringLiteral("   ") + QStringLiteral("70001").leftJustified(10) + ' '
                           + QStringLiteral("Manzana golden 0").leftJustified(40) + ' '
                           + QStringLiteral("12").rightJustified(5) + ' ' + QStringLiteral("1").rightJustified(7)
                           + ' ' + QStringLiteral("1,500").rightJustified(15));
}

TEST(ImpresionPedidoPerecedero, longTextsAreCutToTheirColumn)
{
    ImpresionPedidoPerecedero pedido = pedidoDe(1);
    pedido.lineas[0][1] = QString(60, QLatin1Char('x'));
    pedido.nombreAlmacen = QString(120, QLatin1Char('y'));
    report::LinePrinter job;
    pedido.escribir(job);
    EXPECT_EQ(job.pages()[0][3].text.size(), 83);
    EXPECT_EQ(job.pages()[0][9].text.size(), 84);
}

// The order of 130 lines printed for real through the CUPS test queue.
TEST(ImpresionPedidoPerecedero, reachesTheCupsQueueAsThreePagesWithEveryArticle)
{
    const auto defecto = report::Printers::defaultPrinter();
    if (!defecto || defecto->deviceName != QStringLiteral("NRVX_PDF"))
        GTEST_SKIP() << "the CUPS test queue NRVX_PDF is not the default printer (scripts/cups-start)";
    const QString carpeta = qEnvironmentVariable("NRVX_PDF_DIR", QStringLiteral("/var/spool/cups-pdf/nrvx"));
    const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
    pedidoDe(130).imprimir();

    QString pdf;
    QElapsedTimer reloj;
    reloj.start();
    while (pdf.isEmpty() && reloj.elapsed() < 60000) {
        QDirIterator it(carpeta, {QStringLiteral("*Pedido*Perecedero*.pdf")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            QFile fichero(f);
            if (QFileInfo(f).lastModified() < antes || !fichero.open(QIODevice::ReadOnly))
                continue;
            fichero.seek(std::max<qint64>(0, fichero.size() - 64));
            if (fichero.readAll().contains("%%EOF"))
                pdf = f;
        }
        if (pdf.isEmpty())
            QThread::msleep(200);
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF in " << carpeta.toStdString();
    QProcess texto;
    texto.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(texto.waitForFinished(30000));
    const QStringList paginas = QString::fromUtf8(texto.readAllStandardOutput())
                                    .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QFile::remove(pdf);
    ASSERT_EQ(paginas.size(), 3);
    for (int p = 0; p < 3; ++p) {
        EXPECT_TRUE(paginas[p].contains(QStringLiteral("PEDIDOS PERECEDERO")));
        EXPECT_TRUE(paginas[p].contains(QStringLiteral("PAG. %1").arg(p + 1)));
    }
    const QString todo = paginas.join(QLatin1Char('\n'));
    for (int i = 0; i < 130; ++i) {
        const QRegularExpression linea(QStringLiteral("%1 .* %2,500").arg(70001 + i).arg(i + 1));
        EXPECT_TRUE(todo.contains(linea)) << "article " << 70001 + i;
    }
}

class PedidoCentralTest : public PerecederosFixture {};

TEST_F(PedidoCentralTest, anArticleAddedMeanwhileByAnotherWorkstationKeepsBothQuantities)
{
    PedidoCentral nuestro(central, 1, 12, 1);
    auto otroPuesto = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=")
                                                 + carpetaCentral.filePath(QStringLiteral("Calbra.db")));
    nuestro.antesDeInsertar = [&] {
        PedidoCentral(otroPuesto, 1, 12, 1).anadir(101, Money::fromInt(5), false);
    };
    nuestro.anadir(101, Money::fromInt(7), false);
    EXPECT_EQ(enCentral("SELECT COUNT(*) FROM Pedidos_Central").toInt(), 1);
    EXPECT_EQ(enCentral("SELECT Cantidad FROM Pedidos_Central").toMoney(), Money::fromInt(12));
}

TEST_F(PedidoCentralTest, otherFailuresOfTheInsertStillReachTheScreen)
{
    central->execute("CREATE TRIGGER lleno BEFORE INSERT ON Pedidos_Central"
                     " BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
    PedidoCentral pedido(central, 1, 12, 1);
    EXPECT_THROW(pedido.anadir(101, Money::fromInt(7), false), db::Error);
}
