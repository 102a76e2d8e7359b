#include "host/components/Traspaso.h"
#include "host/components/ContabilidadPendiente.h"
#include "host/components/TraspasoSalida.h"
#include "platform/db/Transaction.h"
#include "platform/report/Printers.h"
#include "support/DatosFixture.h"
#include "support/Semilla.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

using db::Money;

namespace {

// Warehouse 1 sends to 12; the accounting side is a database of its own.
class DocumentoTraspaso : public testsupport::DatosFixture {
protected:
    DocumentoTraspaso()
    {
        testsupport::Semilla s(conn());
        s.almacen(1, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"));
        s.articulo(101, 12).stock(1, 101, 100).reservado(1, 101, 41);
        s.articulo(102).stock(1, 102, 10);
    }

    host::Traspaso documento()
    {
        host::Traspaso t;
        t.setEmpresa(empresa_);
        t.setEmpresaContable(empresa_);
        t.setConexion(conn());
        t.setConexionContable(contable_.connection());
        t.Fecha = QDate(2026, 12, 5);
        t.AlmacenOrigen = 1;
        t.AlmacenDestino = 12;
        t.Observaciones = QStringLiteral("Para l'Hospitalet");
        return t;
    }
    Money stock(int almacen, int art)
    {
        return scalar(QStringLiteral("SELECT Stock_Actual FROM Almacen_Articulos WHERE Cod_Almacen = %1"
                                     " AND Cod_Articulo = %2").arg(almacen).arg(art)).toMoney();
    }

    testsupport::TestDatabase contable_;
};

}  // namespace

TEST_F(DocumentoTraspaso, numbersPerOriginAndYearAndOnlyAdvancesWhenReserving)
{
    auto t = documento();
    EXPECT_EQ(t.Numerar(false), 1);
    EXPECT_EQ(t.Numerar(true), 1);
    EXPECT_EQ(t.Numerar(true), 2);
    t.AlmacenOrigen = 12;
    EXPECT_EQ(t.Numerar(true), 1);
    t.AlmacenOrigen = 1;
    t.Fecha = QDate(2027, 1, 2);
    EXPECT_EQ(t.Numerar(true), 1);
}

TEST_F(DocumentoTraspaso, savingWritesTheDocumentMovesStockAndBooksItsValue)
{
    auto t = documento();
    t.Codigo = t.Numerar(true);
    t.Lineas()->Add(101, QString(), 1, Money::fromInt(12), 3, Money::fromInt(41), Money(), Money::fromDouble(1.5));
    t.Lineas()->Add(102, QStringLiteral("Suelto"), 2, Money(), 0, Money::fromInt(4), Money(), Money::fromInt(2));
    t.Lineas()->Item(1).Lotes = std::make_shared<host::TraspasoLineaLotes>();
    EXPECT_THROW(t.Lineas()->Add(103, QString(), 2, Money(), 0, Money(), Money(), Money()), std::invalid_argument);

    const auto [importe, lineas] = t.Guardar();
    EXPECT_EQ(importe, Money::fromDouble(69.5));
    EXPECT_EQ(lineas, 2);
    EXPECT_EQ(scalar("SELECT Observaciones FROM Traspasos WHERE Codigo = 1 AND Cod_Ejercicio = 2026").toText(),
              QStringLiteral("Para l'Hospitalet"));
    EXPECT_EQ(scalar("SELECT Descripcion FROM Traspasos_Lineas WHERE Linea = 1").toText(),
              QStringLiteral("Artículo 101"));
    EXPECT_EQ(scalar("SELECT Cajas FROM Traspasos_Lineas WHERE Linea = 1").toInt(), 3);
    EXPECT_EQ(stock(1, 101), Money::fromInt(59));
    EXPECT_EQ(stock(12, 101), Money::fromInt(41));  // the destination row is created
    EXPECT_EQ(stock(1, 102), Money::fromInt(6));
    EXPECT_EQ(scalar("SELECT Unidades FROM Reposicion_StockReservado WHERE Cod_Articulo = 101").toMoney(), Money());
    EXPECT_TRUE(t.Lineas()->Item(1).Lotes->rellenado);
    // The entry waits with the document until the company side has committed.
    EXPECT_EQ(scalar("SELECT Importe FROM Traspasos_Contabilidad_Pendiente WHERE Codigo = 1").toMoney(),
              Money::fromDouble(69.5));
    EXPECT_EQ(t.Asentar(), 1);
    EXPECT_EQ(contable_.connection()->scalar("SELECT Importe FROM Contabilidad_Traspasos WHERE Codigo = 1")
                  .toMoney(), Money::fromDouble(69.5));
    EXPECT_EQ(count("Traspasos_Contabilidad_Pendiente"), 0);
    EXPECT_EQ(t.Asentar(), 0);
}

// A stop after the accounting commit leaves the entry in both databases; a stop before it, or
// an accounting database that refuses, leaves it only pending. Replaying books each transfer
// exactly once and empties the pending table.
TEST_F(DocumentoTraspaso, replayingPendingEntriesBooksEachTransferExactlyOnce)
{
    auto contable = contable_.connection();
    for (int i = 0; i < 3; ++i) {
        db::Transaction tr(conn());
        auto t = documento();
        t.Codigo = t.Numerar(true);
        t.Lineas()->Add(102, QString(), 1, Money(), 0, Money::fromInt(1), Money(), Money::fromDouble(0.1));
        t.Guardar();
        tr.commit();
    }
    // The first was booked and then the program stopped before clearing it.
    EXPECT_EQ(host::ContabilidadPendiente::asentar(conn(), *contable,
                                                   host::ContabilidadPendiente::Asiento{1, 2026, 1, 1}), 1);
    conn()->execute(QStringLiteral("INSERT INTO Traspasos_Contabilidad_Pendiente SELECT 1, 2026, 1, 1, 1,"
                                   " '2026-12-05', 12, 0.1"));
    // The accounting database refuses new entries for a while: the one it already holds is
    // cleared, the other two wait.
    contable->execute(QStringLiteral("CREATE TRIGGER cerrada BEFORE INSERT ON Contabilidad_Traspasos"
                                     " BEGIN SELECT RAISE(ABORT, 'contabilidad cerrada'); END"));
    EXPECT_THROW(host::ContabilidadPendiente::asentar(conn(), *contable), db::Error);
    EXPECT_EQ(contable->transactionDepth(), 0);
    EXPECT_EQ(host::ContabilidadPendiente::pendientes(*conn()), 2);

    contable->execute(QStringLiteral("DROP TRIGGER cerrada"));
    EXPECT_EQ(host::ContabilidadPendiente::asentar(conn(), *contable), 2);
    EXPECT_EQ(host::ContabilidadPendiente::asentar(conn(), *contable), 0);
    EXPECT_EQ(contable->scalar(QStringLiteral("SELECT COUNT(*) FROM Contabilidad_Traspasos")).toInt(), 3);
    EXPECT_EQ(contable->scalar(QStringLiteral("SELECT COUNT(DISTINCT Codigo) FROM Contabilidad_Traspasos"
                                              " WHERE Importe = 0.1 AND Alm_Destino = 12")).toInt(), 3);
    EXPECT_EQ(host::ContabilidadPendiente::pendientes(*conn()), 0);
}

TEST_F(DocumentoTraspaso, refusesADocumentItCannotSave)
{
    auto t = documento();
    EXPECT_THROW(t.Guardar(), std::invalid_argument);  // not numbered
    t.Codigo = 1;
    t.AlmacenDestino = 1;
    EXPECT_THROW(t.Guardar(), std::invalid_argument);
    t.AlmacenDestino = 12;
    t.setConexionContable(nullptr);
    EXPECT_THROW(t.Guardar(), std::invalid_argument);
    EXPECT_EQ(count("Traspasos"), 0);
}

namespace {

QString esperarPdf(const QString& marca)
{
    const QString carpeta = qEnvironmentVariable("NRVX_PDF_DIR", QStringLiteral("/var/spool/cups-pdf/nrvx"));
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < 60000) {
        QDirIterator it(carpeta, {QStringLiteral("*.pdf")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString fichero = it.next();
            if (!QFileInfo(fichero).fileName().contains(marca))
                continue;
            QFile f(fichero);
            if (f.open(QIODevice::ReadOnly) && f.size() > 0) {
                f.seek(f.size() - std::min<qint64>(f.size(), 64));
                if (f.readAll().contains("%%EOF"))
                    return fichero;
            }
        }
        QThread::msleep(200);
    }
    return {};
}

}  // namespace

TEST_F(DocumentoTraspaso, theOutputPrintsTheSavedDocumentOnTheDefaultPrinter)
{
    const auto defecto = report::Printers::defaultPrinter();
    if (!defecto || defecto->deviceName != QStringLiteral("NRVX_PDF"))
        GTEST_SKIP() << "the CUPS queue NRVX_PDF is not the default printer: run scripts/cups-start";
    empresa_->setRutaAplicacion(QStringLiteral(NRVX_SOURCE_DIR));
    // A number of its own, so the PDF of this run is found among earlier ones.
    const int origen = static_cast<int>(QCoreApplication::applicationPid() % 30000) + 100;
    testsupport::Semilla(conn()).almacen(origen, QStringLiteral("Origen prueba")).stock(origen, 101, 50);
    auto t = documento();
    t.AlmacenOrigen = static_cast<int16_t>(origen);
    t.Codigo = 100000000 + QDateTime::currentMSecsSinceEpoch() % 800000000;
    t.Lineas()->Add(101, QString(), 1, Money::fromInt(12), 2, Money::fromInt(24), Money(), Money::fromDouble(1.25));
    t.Guardar();

    host::TraspasoSalida salida;
    salida.setConexion(conn());
    salida.setEmpresa(empresa_);
    salida.AlmacenOrigen = t.AlmacenOrigen;
    salida.Fecha = t.Fecha;
    salida.Codigo = t.Codigo;
    ASSERT_TRUE(salida.Ejecutar(1));

    const QString marca = QString::number(t.Codigo);
    const QString pdf = esperarPdf(marca);
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF named like " << marca.toStdString();
    QProcess texto;
    texto.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    texto.waitForFinished(30000);
    const QString contenido = QString::fromUtf8(texto.readAllStandardOutput());
    EXPECT_TRUE(contenido.contains(QStringLiteral("Origen prueba"))) << contenido.toStdString();
    EXPECT_TRUE(contenido.contains(QStringLiteral("30,00"))) << contenido.toStdString();
    QFile::remove(pdf);

    salida.Codigo = t.Codigo + 1;  // never saved: nothing to print
    EXPECT_FALSE(salida.Ejecutar(1));
}

TEST_F(DocumentoTraspaso, aLargeStoresDocumentKeepsLineNumbersBeyondSixteenBits)
{
    auto t = documento();
    t.Codigo = t.Numerar(true);
    constexpr int kLineas = 33000;
    for (int linea = 1; linea <= kLineas; ++linea)
        t.Lineas()->Add(102, QStringLiteral("Suelto"), linea, Money(), 0, Money::fromInt(1), Money(), Money());
    EXPECT_EQ(t.Lineas()->Item(kLineas).Linea, kLineas);
    db::Transaction transaccion(conn());  // as the transfer saves it
    const auto [importe, lineas] = t.Guardar();
    transaccion.commit();
    EXPECT_EQ(lineas, kLineas);
    EXPECT_EQ(scalar("SELECT MAX(Linea) FROM Traspasos_Lineas").toInt(), kLineas);
}
