#include "RestosFixture.h"

#include "host/controls/OpcionesNivel.h"
#include "host/controls/SelectorRangoFamilias.h"
#include "platform/report/DocumentPrinter.h"
#include "platform/report/Printers.h"
#include "platform/ui/OutputDevicePicker.h"
#include "platform/ui/PrinterPicker.h"
#include "reposic/frame/clsView.h"
#include "reposic/frame/frmView.h"
#include "reposic/restos/frmInformeReposicionRestos.h"
#include "reposic/restos/frmRepGrabRestos.h"
#include "reposic/restos/frmRepVisorRestos.h"

#include <QComboBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

namespace {

class VisorRestos : public RestosFixture {
protected:
    VisorRestos()
    {
        semilla.almacen(4, QStringLiteral("Tienda Sur"));
        semilla.pendiente(1, 101, 9, 9, 0).pendiente(3, 101, 6, 4, 2).pendiente(4, 101, 1, 0, 1);
    }
    std::unique_ptr<frmRepVisorRestos> abrirVisor()
    {
        auto f = std::make_unique<frmRepVisorRestos>();
        f->show();
        auto* art = hijo<host::SelectorArticulo>(f.get(), QStringLiteral("txtArticulo"));
        art->setTexto(QStringLiteral("101"));
        QTest::keyClick(art->lineaTexto(), Qt::Key_Return);
        return f;
    }
    QStringList figuras(QWidget* f, int r)
    {
        auto* g = hijo<ui::FlexGrid>(f, QStringLiteral("vsArt"));
        return {g->TextMatrix(r, 0), g->TextMatrix(r, 2), g->TextMatrix(r, 3), g->TextMatrix(r, 4)};
    }
};

}  // namespace

TEST_F(VisorRestos, aStoreSeesOnlyItsOwnWarehouseAndTheCentralOfficeEveryOne)
{
    auto f = abrirVisor();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Visor de Restos"));
    EXPECT_EQ(hijo<ui::FlexGrid>(f.get(), QStringLiteral("vsArt"))->Rows(), 4);
    EXPECT_EQ(figuras(f.get(), 1), (QStringList{"1", "", "", ""}));
    EXPECT_EQ(figuras(f.get(), 2), (QStringList{"3", "6,00", "4,00", "2,00"}));
    EXPECT_EQ(figuras(f.get(), 3), (QStringList{"4", "", "", ""}));

    sitio(true);
    auto g = abrirVisor();
    EXPECT_EQ(figuras(g.get(), 1), (QStringList{"1", "9,00", "9,00", "0,00"}));
    EXPECT_EQ(figuras(g.get(), 3), (QStringList{"4", "1,00", "0,00", "1,00"}));
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
}

TEST_F(VisorRestos, withCentralReplenishmentTheFiguresComeFromTheCentralServer)
{
    auto central = centralDb();
    central->execute("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 3, 'T3'), (1, 8, 'T8')");
    central->execute("INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo, Unidades,"
                     " UnidadesVenta, UnidadesResto) VALUES (1, 3, 101, 0, 20, 15, 5), (1, 8, 101, 0, 3, 3, 0)");
    empresa_->setParametro(QStringLiteral("ReposicionTipo"), "1");
    sitio(true, QStringLiteral("CENTRAL"));
    auto f = abrirVisor();
    EXPECT_EQ(figuras(f.get(), 2), (QStringList{"3", "20,00", "15,00", "5,00"}));
    EXPECT_EQ(figuras(f.get(), 1), (QStringList{"1", "", "", ""}));  // pending only locally
    EXPECT_EQ(hijo<ui::FlexGrid>(f.get(), QStringLiteral("vsArt"))->Rows(), 4);  // 8 is not ours

    sitio(true, QStringLiteral("CAIDO"));
    auto g = abrirVisor();
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().text, QStringLiteral("No se ha podido conectar con el servidor: CAIDO"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    EXPECT_EQ(figuras(g.get(), 2), (QStringList{"3", "", "", ""}));
}

namespace {

class InformeRestos : public RestosFixture {
protected:
    InformeRestos()
    {
        conn()->execute("INSERT INTO Empresas (Codigo, Nombre) VALUES (1, 'Distribuciones Norte S.A.')");
        conn()->execute("UPDATE Articulos SET Familia_1 = 10 WHERE Codigo IN (101, 102)");
        conn()->execute("UPDATE Articulos SET Familia_1 = 20 WHERE Codigo = 103");
        conn()->execute("INSERT INTO Familias_1 (Cod_Empresa, Codigo, Nombre) VALUES (1, 10, 'Lácteos'),"
                        " (1, 20, 'Limpieza')");
        semilla.pendiente(3, 101, 6, 4, 2).pendiente(3, 102, -2, 0, -2).pendiente(3, 103, 5, 5, 0)
            .pendiente(1, 101, 99, 99, 0);
        empresa_->setNombreNivel(0, QStringLiteral("Sección"));
    }
    std::unique_ptr<frmInformeReposicionRestos> abrirInforme()
    {
        auto f = std::make_unique<frmInformeReposicionRestos>();
        f->show();
        return f;
    }
    QString imprimir(frmInformeReposicionRestos* f)
    {
        hijo<ui::OutputDevicePicker>(f, QStringLiteral("cboDisp"))->setValue(1);
        const int antes = impresos.size();
        pulsar(f, QStringLiteral("cmdAceptar"));
        EXPECT_EQ(impresos.size(), antes + 1) << mensajes.texts().join('\n').toStdString();
        return impresos.isEmpty() ? QString() : impresos.last().texto;
    }
};

}  // namespace

TEST_F(InformeRestos, printsThePendingUnitsOfTheWarehouseFilteredAsChosen)
{
    auto f = abrirInforme();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Informe de Estado de la Reposición"));
    auto* ver = hijo<QComboBox>(f.get(), QStringLiteral("cboVer"));
    EXPECT_EQ(ver->currentText(), QStringLiteral("Todos"));
    auto* niveles = hijo<host::OpcionesNivel>(f.get(), QStringLiteral("hvVerNiveles"));
    EXPECT_EQ(niveles->caption(1), QStringLiteral("Sección"));
    EXPECT_TRUE(niveles->caption(2).isEmpty());
    EXPECT_EQ(niveles->texto(3), QStringLiteral("1,2"));
    EXPECT_TRUE(niveles->marcado(1));
    EXPECT_FALSE(niveles->marcado(2));
    EXPECT_TRUE(f->TextoCabecera().startsWith(QStringLiteral("Almacén: 3 - Tienda Norte  ")));
    EXPECT_TRUE(f->TextoCabecera().endsWith(QStringLiteral("  Ver: Todos")));

    QString texto = imprimir(f.get());
    EXPECT_TRUE(texto.contains(QStringLiteral("Lácteos")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Artículo 102")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Artículo 103")));
    EXPECT_FALSE(texto.contains(QStringLiteral("99,00")));  // another warehouse

    ver->setCurrentIndex(1);  // "Negativos"
    texto = imprimir(f.get());
    EXPECT_TRUE(texto.contains(QStringLiteral("Artículo 102")));
    EXPECT_FALSE(texto.contains(QStringLiteral("Artículo 101")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Ver: Negativos")));

    ver->setCurrentIndex(3);
    hijo<host::SelectorRangoFamilias>(f.get(), QStringLiteral("famFamilias"))->setLimite(0, 20);
    texto = imprimir(f.get());
    EXPECT_TRUE(texto.contains(QStringLiteral("Artículo 103")));
    EXPECT_FALSE(texto.contains(QStringLiteral("Artículo 101")));
}

TEST_F(InformeRestos, theScreenDevicePreviewsAndAMissingReportIsReported)
{
    auto f = abrirInforme();
    int vistas = 0;
    const auto anterior = reposic::clsView::setModalHook([&](reposic::frmView&) { ++vistas; });
    hijo<ui::OutputDevicePicker>(f.get(), QStringLiteral("cboDisp"))->setValue(0);
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    EXPECT_EQ(vistas, 1);
    EXPECT_TRUE(impresos.isEmpty());

    empresa_->setRutaAplicacion(QStringLiteral("/no/existe"));
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    reposic::clsView::setModalHook(anterior);
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    EXPECT_FALSE(f->descargado());
}

TEST_F(InformeRestos, theHostOpensTheReportThroughItsDefaultInstance)
{
    auto* f = frmInformeReposicionRestos::abrir();
    EXPECT_EQ(frmInformeReposicionRestos::abrir(), f);
    EXPECT_TRUE(f->isVisible());
    f->descargar();
    EXPECT_FALSE(reposic::FormBase::hayPorDefecto<frmInformeReposicionRestos>());
}

namespace {

// cups-pdf turns blanks of the job title into other characters in the file name.
QString soloLetras(QString s)
{
    s.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")));
    return s;
}

// Real print jobs through the CUPS test queue, read back with pdftotext.
QString pdfCon(const QString& marca)
{
    const QString carpeta = qEnvironmentVariable("NRVX_PDF_DIR", QStringLiteral("/var/spool/cups-pdf/nrvx"));
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < 60000) {
        QDirIterator it(carpeta, {QStringLiteral("*.pdf")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString fichero = it.next();
            if (!soloLetras(QFileInfo(fichero).fileName()).contains(soloLetras(marca)))
                continue;
            QFile pdf(fichero);
            if (pdf.open(QIODevice::ReadOnly) && pdf.size() > 0) {
                pdf.seek(pdf.size() - std::min<qint64>(pdf.size(), 64));
                if (pdf.readAll().contains("%%EOF")) {
                    QProcess p;
                    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), fichero, QStringLiteral("-")});
                    p.waitForFinished(30000);
                    QFile::remove(fichero);
                    return QString::fromUtf8(p.readAllStandardOutput());
                }
            }
        }
        QThread::msleep(200);
    }
    return {};
}

}  // namespace

TEST_F(InformeRestos, bothReportsReachTheCupsQueue)
{
    const auto defecto = report::Printers::defaultPrinter();
    if (!defecto || defecto->deviceName != QStringLiteral("NRVX_PDF"))
        GTEST_SKIP() << "the CUPS queue NRVX_PDF is not the default printer: run scripts/cups-start";
    const auto spool = report::DocumentPrinter::setSpool({});

    // A warehouse no other test run uses, so the document number names this run's file.
    const int almacen = 200 + static_cast<int>(QCoreApplication::applicationPid() % 700);
    semilla.almacen(almacen, QStringLiteral("Tienda CUPS")).stock(almacen, 101, 1);
    empresa_->setAlmacenDefecto(static_cast<int16_t>(almacen));
    {
        auto f = abrir();
        linea(f.get(), "101", "4", QStringLiteral("impreso"));
        mensajes.answer({ui::vbYes, ui::vbYes});
        pulsar(f.get(), QStringLiteral("cmdAceptar"));
    }
    const QString codigo = QStringLiteral("26") + QString::number(almacen) + QStringLiteral("0001");
    const QString documento = pdfCon(QStringLiteral("Restos ") + codigo);
    EXPECT_TRUE(documento.contains(codigo)) << documento.toStdString();
    EXPECT_TRUE(documento.contains(QStringLiteral("impreso")));

    auto g = abrirInforme();
    hijo<ui::OutputDevicePicker>(g.get(), QStringLiteral("cboDisp"))->setValue(1);
    hijo<ui::PrinterPicker>(g.get(), QStringLiteral("cboImpresora"))->setDeviceName(QStringLiteral("NRVX_PDF"));
    pulsar(g.get(), QStringLiteral("cmdAceptar"));
    const QString estado = pdfCon(QStringLiteral("Reposicion Restos %1").arg(almacen));
    EXPECT_TRUE(estado.contains(QStringLiteral("Tienda CUPS"))) << estado.toStdString();
    EXPECT_TRUE(estado.contains(QStringLiteral("4,00")));
    report::DocumentPrinter::setSpool(spool);
    EXPECT_TRUE(mensajes.problems().isEmpty()) << mensajes.problems().join('\n').toStdString();
}

TEST_F(InformeRestos, bothReportsReadTheArticleMasterWhereTheCompanyKeepsIt)
{
    // The company's record says its articles and their families are kept under company 4.
    conn()->execute("UPDATE Empresas SET Cod_EmpresaArticulos = 4");
    conn()->execute("UPDATE Articulos SET Cod_Empresa = 4");
    conn()->execute("UPDATE Articulos_Tarifas SET Cod_Empresa = 4");
    conn()->execute("UPDATE Familias_1 SET Cod_Empresa = 4");
    empresa_->setCodigoEmpresaArticulos(4);

    {
        auto f = abrir();
        linea(f.get(), "101", "4", QStringLiteral("Rotura"));
        mensajes.answer({ui::vbYes, ui::vbYes});
        pulsar(f.get(), QStringLiteral("cmdAceptar"));
    }
    ASSERT_FALSE(impresos.isEmpty()) << mensajes.texts().join('\n').toStdString();
    EXPECT_TRUE(impresos.last().texto.contains(QStringLiteral("Artículo 101")))
        << impresos.last().texto.toStdString();

    const QString estado = imprimir(abrirInforme().get());
    EXPECT_TRUE(estado.contains(QStringLiteral("Artículo 103"))) << estado.toStdString();
    EXPECT_TRUE(estado.contains(QStringLiteral("Lácteos")));
}
