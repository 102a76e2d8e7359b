#include "RestosFixture.h"

#include "reposic/restos/GrabacionRestos.h"
#include "reposic/restos/frmRepGrabRestos.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using db::Money;

namespace {

class GrabRestos : public RestosFixture {
protected:
    // Records the document on screen, answering the print question with `imprimir`.
    void grabar(QWidget* f, bool imprimir)
    {
        mensajes.answer({ui::vbYes, imprimir ? ui::vbYes : ui::vbNo});
        pulsar(f, QStringLiteral("cmdAceptar"));
    }
    Money acumulado(int art, const char* campo = "Unidades")
    {
        return scalar(QStringLiteral("SELECT %1 FROM Reposicion WHERE Cod_Almacen = 3 AND Cod_Articulo = %2"
                                     " AND Codigo = 0").arg(QLatin1String(campo)).arg(art))
            .toMoney();
    }
};

}  // namespace

TEST_F(GrabRestos, numbersRunPerYearAndWarehouseAndTheEstimateNeverWrites)
{
    const QDate dia(2026, 12, 5);
    EXPECT_EQ(GrabacionRestos::PrimerCodigo(dia, 3, true), 26035001);
    EXPECT_EQ(GrabacionRestos::PrimerCodigo(dia, 3, false), 26030001);
    EXPECT_EQ(GrabacionRestos::PrimerCodigo(dia, 120, false), 261200001);  // nine digits
    EXPECT_EQ(GrabacionRestos::PrimerCodigo(QDate(2027, 1, 2), 3, false), 27030001);

    sitio(true);
    {
        auto f = abrir();
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Grabación de Restos para Reposición"));
        EXPECT_EQ(etiqueta(f.get(), "lblCodigo_Estimado"), QStringLiteral("Código Estimado: 26035001"));
        EXPECT_TRUE(hijo<QWidget>(f.get(), QStringLiteral("txtAlmacen"))->isEnabled());
        hijo<QWidget>(f.get(), QStringLiteral("txtAlmacen"))->findChild<QLineEdit*>()->setText("1");
        hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacen"))->cargar();
        EXPECT_EQ(etiqueta(f.get(), "lblCodigo_Estimado"), QStringLiteral("Código Estimado: 26015001"));
        pulsar(f.get(), QStringLiteral("cmdCancelar"));
        EXPECT_TRUE(f->descargado());
        EXPECT_EQ(mensajes.count(), 0);  // an empty grid is cancelled without asking
    }
    EXPECT_EQ(count("Contador_Reposicion_Restos"), 0);

    sitio(false);
    auto f = abrir();
    EXPECT_EQ(etiqueta(f.get(), "lblCodigo_Estimado"), QStringLiteral("Código Estimado: 26030001"));
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("txtAlmacen"))->isEnabled());
    EXPECT_EQ(count("Contador_Reposicion_Restos"), 0);
}

TEST_F(GrabRestos, recordingAddsTheUnitsAsLeftoversClearsTheScratchCopyAndResetsTheScreen)
{
    semilla.pendiente(3, 101, 5, 5, 0);
    auto f = abrir();
    linea(f.get(), "101", "2");
    linea(f.get(), "102", "-1,5", QStringLiteral("devuelto"));
    linea(f.get(), "103", "4");
    ASSERT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
    EXPECT_EQ(fila(f.get(), 2), (QStringList{"2", "102", "Artículo 102", "0,00", "-1,50", "devuelto"}));
    EXPECT_EQ(count("Temp_Reposicion_Restos_Lineas"), 3);
    EXPECT_EQ(count("Temp_Reposicion_Restos"), 1);

    grabar(f.get(), false);
    EXPECT_TRUE(mensajes.problems().isEmpty()) << mensajes.problems().join('\n').toStdString();
    ASSERT_EQ(mensajes.count(), 2);
    EXPECT_EQ(mensajes.boxes()[0].text, QStringLiteral("Se procederá a conformar la reposición. ¿Desea continuar?"));
    EXPECT_EQ(mensajes.boxes()[0].defaultButton(), ui::vbDefaultButton2);
    EXPECT_EQ(mensajes.boxes()[1].title, QStringLiteral("¡Atención!"));
    EXPECT_EQ(count("Reposicion_Restos", "Codigo = 26030001 AND Cod_Almacen = 3 AND Enviado = 0"
                                         " AND Fecha = '2026-12-05'"), 1);
    EXPECT_EQ(count("Reposicion_Restos_Lineas", "Codigo = 26030001"), 3);
    EXPECT_EQ(acumulado(101), Money::fromInt(7));
    EXPECT_EQ(acumulado(101, "UnidadesResto"), Money::fromInt(2));
    EXPECT_EQ(acumulado(101, "UnidadesVenta"), Money::fromInt(5));
    EXPECT_EQ(acumulado(102), Money::fromScaled(-15000));
    EXPECT_EQ(acumulado(103, "UnidadesResto"), Money::fromInt(4));
    EXPECT_EQ(count("Temp_Reposicion_Restos") + count("Temp_Reposicion_Restos_Lineas"), 0);
    EXPECT_TRUE(impresos.isEmpty());

    EXPECT_EQ(grid(f.get())->Rows(), 1);
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("cmdAceptar"))->isEnabled());
    EXPECT_TRUE(hijo<QWidget>(f.get(), QStringLiteral("txtFecha"))->isEnabled());
    EXPECT_TRUE(hijo<QWidget>(f.get(), QStringLiteral("txtAlmacen"))->isEnabled());
    EXPECT_EQ(etiqueta(f.get(), "lblCodigo_Estimado"), QStringLiteral("Código Estimado: 26030002"));
}

TEST_F(GrabRestos, thePrintedDocumentCarriesItsNumberAndLines)
{
    auto f = abrir();
    linea(f.get(), "101", "2", QStringLiteral("caducado"));
    linea(f.get(), "103", "1");
    grabar(f.get(), true);
    ASSERT_EQ(impresos.size(), 1) << mensajes.texts().join('\n').toStdString();
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("26030001")));
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("Artículo 101")));
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("caducado")));
    EXPECT_TRUE(impresos[0].texto.contains(QStringLiteral("Tienda Norte")));

    // A second document prints only its own lines.
    linea(f.get(), "102", "3");
    grabar(f.get(), true);
    ASSERT_EQ(impresos.size(), 2);
    EXPECT_TRUE(impresos[1].texto.contains(QStringLiteral("26030002")));
    EXPECT_FALSE(impresos[1].texto.contains(QStringLiteral("Artículo 101")));
}

TEST_F(GrabRestos, aFailedRecordingKeepsEverythingAndSkipsItsNumber)
{
    auto f = abrir();
    linea(f.get(), "101", "2");
    conn()->execute("CREATE TRIGGER fallo BEFORE INSERT ON Reposicion_Restos_Lineas"
                    " BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
    mensajes.answer(ui::vbYes);
    pulsar(f.get(), QStringLiteral("cmdAceptar"));
    ASSERT_EQ(mensajes.count(), 2);
    EXPECT_TRUE(mensajes.last().text.startsWith(
        QStringLiteral("Ha ocurrido un error durante la grabación de los restos. \r")));
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("disco lleno")));
    EXPECT_EQ(mensajes.last().icon(), ui::vbExclamation);
    EXPECT_EQ(count("Reposicion_Restos") + count("Reposicion"), 0);
    EXPECT_EQ(count("Temp_Reposicion_Restos_Lineas"), 1);
    EXPECT_EQ(grid(f.get())->Rows(), 2);

    conn()->execute("DROP TRIGGER fallo");
    mensajes.clear();
    grabar(f.get(), false);
    EXPECT_EQ(count("Reposicion_Restos", "Codigo = 26030002"), 1);  // 26030001 was spent
}

TEST_F(GrabRestos, anUnfinishedDocumentComesBackAtTheNextOpening)
{
    {
        auto f = abrir();
        linea(f.get(), "102", "1,25", QStringLiteral("merma"));
        linea(f.get(), "101", "3");
        f->close();
    }
    auto f = abrir();
    // In the order the database gives them back, numbered afresh.
    ASSERT_EQ(grid(f.get())->Rows(), 3);
    EXPECT_EQ(fila(f.get(), 1), (QStringList{"1", "101", "Artículo 101", "0,00", "3,00", "rotura"}));
    EXPECT_EQ(fila(f.get(), 2), (QStringList{"2", "102", "Artículo 102", "0,00", "1,25", "merma"}));
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("txtFecha"))->isEnabled());
    EXPECT_TRUE(hijo<QWidget>(f.get(), QStringLiteral("cmdAceptar"))->isEnabled());

    // F12 asks first; No keeps the document, Yes drops it and closes.
    mensajes.answer(ui::vbNo);
    QTest::keyClick(f.get(), Qt::Key_F12);
    EXPECT_EQ(mensajes.last().title, QStringLiteral("Confirmar"));
    EXPECT_FALSE(f->descargado());
    mensajes.answer(ui::vbYes);
    QTest::keyClick(f.get(), Qt::Key_F12);
    EXPECT_TRUE(f->descargado());
    EXPECT_EQ(count("Temp_Reposicion_Restos") + count("Temp_Reposicion_Restos_Lineas"), 0);
    EXPECT_EQ(count("Contador_Reposicion_Restos"), 0);
}

TEST_F(GrabRestos, aPendingHeaderWithoutLinesRestoresDateAndWarehouseStillEditable)
{
    sitio(true);
    conn()->execute("INSERT INTO Temp_Reposicion_Restos (NroPuesto, Fecha, Cod_Almacen)"
                    " VALUES (0, '2026-11-30', 1)");
    auto f = abrir();
    EXPECT_EQ(hijo<ui::MaskedDateBox>(f.get(), QStringLiteral("txtFecha"))->Text(), QStringLiteral("30/11/2026"));
    EXPECT_EQ(hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacen"))->codigo(), 1);
    EXPECT_TRUE(hijo<QWidget>(f.get(), QStringLiteral("txtAlmacen"))->isEnabled());
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("cmdAceptar"))->isEnabled());

    // Changing the warehouse before the first line: the document comes back with the new one.
    hijo<host::SelectorAlmacen>(f.get(), QStringLiteral("txtAlmacen"))->setCodigo(3);
    linea(f.get(), "101", "1");
    EXPECT_EQ(count("Temp_Reposicion_Restos"), 1);
    EXPECT_EQ(scalar("SELECT Cod_Almacen FROM Temp_Reposicion_Restos").toInt(), 3);
}

// Faults the screen must not have: units rounded by the grid, quotes breaking statements, and a
// printing failure inviting the same document to be recorded twice.
TEST_F(GrabRestos, recordsTheUnitsAsTypedAndTextsWithQuotes)
{
    auto f = abrir();
    linea(f.get(), "101", "1,2345", QStringLiteral("caja d'agua"));
    EXPECT_EQ(grid(f.get())->TextMatrix(1, 4), QStringLiteral("1,23"));
    mensajes.answer({ui::vbYes, ui::vbNo});
    QTest::keyClick(f.get(), Qt::Key_F9);
    EXPECT_EQ(scalar("SELECT Unidades FROM Reposicion_Restos_Lineas").toMoney(), Money::fromScaled(12345));
    EXPECT_EQ(scalar("SELECT Concepto FROM Reposicion_Restos_Lineas").toText(), QStringLiteral("caja d'agua"));
    EXPECT_EQ(scalar("SELECT UnidadesResto FROM Reposicion").toMoney(), Money::fromScaled(12345));
}

TEST_F(GrabRestos, aPrintingFailureKeepsTheDocumentSaysSoAndClearsTheScreen)
{
    auto f = abrir();
    linea(f.get(), "101", "2");
    empresa_->setRutaAplicacion(QStringLiteral("/no/existe"));
    grabar(f.get(), true);
    ASSERT_EQ(mensajes.count(), 3);
    EXPECT_TRUE(mensajes.last().text.startsWith(
        QStringLiteral("El documento de restos 26030001 se ha grabado, pero no se ha podido imprimir.")));
    EXPECT_EQ(count("Reposicion_Restos"), 1);
    EXPECT_EQ(grid(f.get())->Rows(), 1);
    EXPECT_FALSE(hijo<QWidget>(f.get(), QStringLiteral("cmdAceptar"))->isEnabled());
}

TEST_F(GrabRestos, theNextGenerationForTheStoreTakesTheRecordedLeftovers)
{
#ifndef NRVX_REPOSIC_TOOL
    GTEST_SKIP() << "nrvx-reposic is not part of this build";
#else
    if (!QFileInfo::exists(QStringLiteral(NRVX_REPOSIC_TOOL)))
        GTEST_SKIP() << "nrvx-reposic is not built";
    for (int art : {101, 102, 103})
        semilla.stock(1, art, 100);
    auto f = abrir();
    linea(f.get(), "101", "2");
    linea(f.get(), "102", "3,5");
    linea(f.get(), "103", "1");
    grabar(f.get(), false);
    ASSERT_EQ(count("Reposicion", "Cod_Almacen = 3"), 3);

    // The nightly command works only for a company the database has.
    conn()->execute(QStringLiteral("INSERT INTO Empresas (Codigo, Nombre) VALUES (1, 'Prueba')"));
    QTemporaryDir pdf;
    QProcess p;
    p.start(QStringLiteral(NRVX_REPOSIC_TOOL),
            {QStringLiteral("generar"), QStringLiteral("-d"), db_.path(), QStringLiteral("--origen"),
             QStringLiteral("1"), QStringLiteral("--destino"), QStringLiteral("3"), QStringLiteral("--pdf"),
             pdf.path(), QStringLiteral("--sin-faltas")});
    ASSERT_TRUE(p.waitForFinished(120000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(scalar("SELECT SUM(Unidades) FROM Reposicion_Pref_Lineas WHERE Cod_Articulo IN (101, 102, 103)")
                  .toMoney(),
              Money::fromScaled(65000));
    EXPECT_EQ(count("Reposicion", "Cod_Almacen = 3 AND Unidades <> 0"), 0);
#endif
}
