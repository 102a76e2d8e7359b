#include "ReportFixture.h"

#include "platform/report/Error.h"

#include <QRegularExpression>

#include <algorithm>

using report::Report;
using reporttest::ReportFixture;

namespace {

int count(const QString& text, const QString& what)
{
    return static_cast<int>(text.count(what));
}

// The lines of a page's body, without the page number at its foot.
QStringList bodyLines(Report& r, int page)
{
    QStringList lines = r.render().pageText(page).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    while (!lines.isEmpty() && lines.last().contains(QStringLiteral("Página ")))
        lines.removeLast();
    return lines;
}

}  // namespace

TEST_F(ReportFixture, rendersCompanyHeadingParametersGroupSumsAndTotal)
{
    // A quote in a text parameter reaches the statement as data, not as SQL.
    auto r = prepared(QStringLiteral("Faltas de O'Donnell"));
    const QString text = r->text();

    EXPECT_TRUE(text.contains(QStringLiteral("Supermercados Norte S.L."))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("B12345678")));
    EXPECT_FALSE(text.contains(QStringLiteral("Otra Empresa")));
    EXPECT_TRUE(text.contains(QStringLiteral("Faltas de O'Donnell")));
    EXPECT_TRUE(text.contains(QStringLiteral("Empresa 1")));

    // Per warehouse sums, grand total, count, formats and the article the catalogue lacks.
    EXPECT_TRUE(text.contains(QStringLiteral("1.000,50")));
    EXPECT_TRUE(text.contains(QStringLiteral("Total almacén:  1.234,50"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Total almacén:  10,25")));
    EXPECT_TRUE(text.contains(QStringLiteral("Total general:  1.244,75")));
    EXPECT_TRUE(text.contains(QStringLiteral("Artículos:  4")));
    EXPECT_TRUE(text.contains(QStringLiteral("SIN ARTICULO")));
    EXPECT_TRUE(text.contains(QStringLiteral("Página 1 de 1")));
    EXPECT_EQ(r->pageCount(), 1);

    // Warehouse 1's rows come under its heading, before warehouse 2's.
    const int alm1 = text.indexOf(QStringLiteral("Almacén:  1"));
    const int alm2 = text.indexOf(QStringLiteral("Almacén:  2"));
    ASSERT_GE(alm1, 0);
    ASSERT_GT(alm2, alm1);
    EXPECT_GT(text.indexOf(QStringLiteral("Aceite de oliva 5L")), alm1);
    EXPECT_LT(text.indexOf(QStringLiteral("Aceite de oliva 5L")), alm2);
}

TEST_F(ReportFixture, reRendersWhenAParameterOrTheSubreportChanges)
{
    auto r = prepared();
    EXPECT_TRUE(r->text().contains(QStringLiteral("Supermercados Norte S.L.")));
    r->subreport(QStringLiteral("empresa.rpt")).setParameter(1, 2);
    EXPECT_TRUE(r->text().contains(QStringLiteral("Otra Empresa")));
    r->setParameter(3, true);  // only positive shortages: all of them here
    r->setParameter(1, QStringLiteral("Segunda"));
    EXPECT_TRUE(r->text().contains(QStringLiteral("Segunda")));
    EXPECT_EQ(r->parameterText(3), QStringLiteral("Sí"));
}

TEST_F(ReportFixture, longReportsPaginateRepeatingTheHeading)
{
    for (int i = 1000; i < 1120; ++i)
        addShortage(3, i, QStringLiteral("1"));
    auto r = prepared();
    const int pages = r->pageCount();
    ASSERT_GE(pages, 3);
    const QString text = r->text();
    EXPECT_EQ(count(text, QStringLiteral("Supermercados Norte S.L.")), pages);
    EXPECT_EQ(count(text, QStringLiteral("\f")), pages);
    EXPECT_TRUE(text.contains(QStringLiteral("Página %1 de %1").arg(pages)));
    EXPECT_TRUE(text.contains(QStringLiteral("Total almacén:  120,00")));
    EXPECT_TRUE(text.contains(QStringLiteral("Total general:  1.364,75")));
    EXPECT_FALSE(r->pageImage(pages - 1, 120).isNull());
    EXPECT_GT(r->pageImage(0, 200).width(), r->pageImage(0, 100).width());
}

TEST_F(ReportFixture, selectionFormulaFiltersTheMainRows)
{
    auto r = prepared();
    r->setSelectionFormula(QStringLiteral("{Reposicion_Faltas.Cod_Almacen} = 2 AND "
                                          "{Reposicion_Faltas.Cod_Articulo} = 100"));
    QString text = r->text();
    EXPECT_TRUE(text.contains(QStringLiteral("Total general:  7,25"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Aceite de oliva 5L")));

    r->setSelectionFormula(QStringLiteral("{Reposicion_Faltas.Descripcion} = 'leche ENTERA 1l'"));
    text = r->text();
    EXPECT_TRUE(text.contains(QStringLiteral("Total general:  1.007,75"))) << text.toStdString();

    // A formula the engine cannot read is refused, never half applied.
    EXPECT_THROW(r->setSelectionFormula(QStringLiteral("{Reposicion_Faltas.Cod_Almacen} > 1")),
                 report::Error);
    EXPECT_THROW(r->setSelectionFormula(QStringLiteral("{Reposicion_Faltas.X} = 'a' or 1 = 1")),
                 report::Error);
    r->setSelectionFormula(QStringLiteral("{Otra.Cod_Almacen} = 1"));
    EXPECT_THROW(r->render(), report::Error);
    r->setSelectionFormula(QStringLiteral("{Reposicion_Faltas.NoExiste} = 1"));
    EXPECT_THROW(r->render(), report::Error);
}

TEST_F(ReportFixture, openingFailuresNameTheFile)
{
    const QString missing = QDir(rptDir).filePath(QStringLiteral("No Existe.rpt"));
    try {
        Report::open(missing);
        FAIL() << "a missing report must not open";
    } catch (const report::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("No se encuentra el informe: ") + missing);
    }

    write(QStringLiteral("Roto.rpt"), "<report><detail height='5'><field name='A'");
    try {
        Report::open(QDir(rptDir).filePath(QStringLiteral("Roto.rpt")));
        FAIL() << "a malformed report must not open";
    } catch (const report::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Roto.rpt")));
    }

    write(QStringLiteral("SinSub.rpt"),
          "<report><pageHeader height='10'><subreport name='Falta.rpt' x='0' y='0'/></pageHeader>"
          "</report>");
    try {
        Report::open(QDir(rptDir).filePath(QStringLiteral("SinSub.rpt")));
        FAIL() << "a missing subreport must be reported";
    } catch (const report::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Falta.rpt")));
    }
}

TEST_F(ReportFixture, screensPathsAndLogOnFindTheData)
{
    // The screens build "<RutaAplicacion>\Rpt\<file>"; the folder on disk is "rpt".
    auto r = Report::open(root.path() + QStringLiteral("\\Rpt\\PRUEBA.rpt"));
    EXPECT_EQ(r->tableNames(), (QStringList{QStringLiteral("Reposicion_Faltas"),
                                            QStringLiteral("Articulos")}));
    r->setParameter(2, 1);
    // No log-on and no connection: the report says so instead of reading nothing.
    EXPECT_THROW(r->render(), report::Error);

    r->logOnAll(logOn());
    EXPECT_EQ(r->location(QStringLiteral("Articulos")), QStringLiteral("empresa.dbo.Articulos"));
    // The subreport without a log-on of its own reads through the main report's connection.
    r->subreport(QStringLiteral("Empresa.rpt")).setParameter(1, 1);
    EXPECT_TRUE(r->text().contains(QStringLiteral("Supermercados Norte S.L.")));

    // A log-on to a database that does not exist is an error naming the report.
    r->logOnAll(report::LogOnInfo{QLatin1String(kServer), QStringLiteral("nada"), {}, {}});
    EXPECT_THROW(r->render(), report::Error);

    r->setConnection(db.connection());
    EXPECT_TRUE(r->text().contains(QStringLiteral("1.234,50")));
}

TEST_F(ReportFixture, parametersAreTypedAndPositional)
{
    auto r = prepared();
    EXPECT_EQ(r->parameterCount(), 3);
    EXPECT_THROW(r->setParameter(4, 1), report::Error);
    EXPECT_THROW(r->setParameter(2, QStringLiteral("1; DROP TABLE Empresas")), report::Error);
    r->setParameter(2, QStringLiteral(" 1 "));
    EXPECT_EQ(r->parameter(2).toLongLong(), 1);
    EXPECT_FALSE(r->parameter(3).toBool());  // declared default
    EXPECT_TRUE(r->text().contains(QStringLiteral("1.234,50")));
}

TEST_F(ReportFixture, exportsAPdfWithTheRenderedText)
{
    auto r = prepared();
    const QString pdf = root.filePath(QStringLiteral("faltas.pdf"));
    r->exportPdf(pdf);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Supermercados Norte S.L."))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1.244,75")));
}

TEST_F(ReportFixture, groupHeadingsNeverEndAPage)
{
    // A second report groups every article inside its warehouse, so a heading of each level
    // stands above every line.
    QFile prueba(QDir(rptDir).filePath(QStringLiteral("Prueba.rpt")));
    ASSERT_TRUE(prueba.open(QIODevice::ReadOnly));
    QByteArray anidado = prueba.readAll();
    anidado.replace("</group>", "</group>\n<group field=\"Cod_Articulo\"><header height=\"6\">"
                                "<text x=\"10\" y=\"0\" w=\"30\" h=\"6\">Ref.</text>"
                                "<field name=\"Cod_Articulo\" x=\"40\" y=\"0\" w=\"20\" h=\"6\"/>"
                                "</header></group>");
    write(QStringLiteral("Anidado.rpt"), anidado);

    // Warehouse 1 grows a line at a time, so warehouse 2's heading (6 mm) walks down the foot
    // of page 1 in 5 mm steps and lands in every position there, the orphaned one included.
    for (int i = 0; i < 38; ++i)
        addShortage(1, 1000 + i, QStringLiteral("1"));
    int movedWhole = 0;
    for (int i = 38; i < 48; ++i) {
        addShortage(1, 1000 + i, QStringLiteral("1"));
        for (const QString& fichero : {QStringLiteral("Prueba.rpt"), QStringLiteral("Anidado.rpt")}) {
            auto r = prepared(QStringLiteral("Faltas"), fichero);
            const QString caso = QStringLiteral("%1 with %2 lines").arg(fichero).arg(i + 3);
            ASSERT_GE(r->pageCount(), 2) << caso.toStdString();
            for (int page = 0; page < r->pageCount(); ++page) {
                const QStringList lines = bodyLines(*r, page);
                ASSERT_FALSE(lines.isEmpty()) << caso.toStdString();
                EXPECT_FALSE(lines.last().startsWith(QStringLiteral("Almacén:")))
                    << caso.toStdString() << " page " << page + 1;
                EXPECT_FALSE(lines.last().startsWith(QStringLiteral("Ref.")))
                    << caso.toStdString() << " page " << page + 1;
            }
            // The group tree sends the reader to the page the heading is really on.
            const auto& outline = r->render().outline;
            const auto second = std::find_if(outline.begin(), outline.end(), [](const auto& e) {
                return e.level == 0 && e.label == QStringLiteral("2");
            });
            ASSERT_NE(second, outline.end());
            const QStringList onItsPage = bodyLines(*r, second->page);
            EXPECT_TRUE(onItsPage.contains(QStringLiteral("Almacén:  2")))
                << caso.toStdString();
            if (second->page == 1
                && bodyLines(*r, 0).constLast().startsWith(QStringLiteral("Total almacén:")))
                ++movedWhole;
        }
    }
    EXPECT_GT(movedWhole, 0);  // warehouse 1 did close at the foot of page 1
    // Nothing is lost on the way: every line and the totals are still there.
    const QString text = prepared()->text();
    EXPECT_TRUE(text.contains(QStringLiteral("Total almacén:  1.282,50"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Artículos:  52")));
}
