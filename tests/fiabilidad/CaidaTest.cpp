// Crash consistency: a workstation killed (SIGKILL) at a random point of a generation pass, an
// annulment, a transfer or a leftover recording leaves a database that opens, keeps every
// invariant, and holds the operation whole or not at all (the transfer once the next start has
// booked its pending accounting entry).
//
// Long forms (100 kills per operation, more contention and fault positions):
//   NRVX_FIABILIDAD_LARGA=1 QT_QPA_PLATFORM=offscreen build/tests/test_fiabilidad
// The normal test run uses the short forms (10 kills per operation).
#include "fiabilidad/Comun.h"
#include "host/Reloj.h"
#include "host/components/ContabilidadPendiente.h"
#include "support/Invariantes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

using fiab::Operacion;

namespace {

// The child's half: opens the files, says so, runs the operation and says so again.
TEST(CaidaHijo, operar)
{
    const QString ruta = qEnvironmentVariable("NRVX_CAIDA_DB");
    if (ruta.isEmpty())
        GTEST_SKIP() << "run by Caida";
    host::Reloj::Fijado reloj(fiab::kHoy);
    auto c = fiab::abrir(ruta);
    auto contable = fiab::abrir(qEnvironmentVariable("NRVX_CAIDA_CONTABLE"));
    std::cout << "listo" << std::endl;
    fiab::ejecutar(fiab::operacion(qEnvironmentVariable("NRVX_CAIDA_OP")), c, contable);
    std::cout << "hecho" << std::endl;
}

// Keeps the three row dumps of a failed trial for a look with diff.
QString guardar(const QString& dir, Operacion op, int i, const QString& antes, const QString& despues,
                const QString& ahora)
{
    const QString base = dir + QStringLiteral("/caida-%1-%2").arg(fiab::nombre(op)).arg(i);
    for (const auto& [sufijo, texto] : {std::pair{".antes", &antes}, {".despues", &despues}, {".ahora", &ahora}}) {
        QFile f(base + QLatin1String(sufijo));
        if (f.open(QIODevice::WriteOnly))
            f.write(texto->toUtf8());
    }
    return base;
}


// Articles of the crash company: a few thousand lines per generation, annulment and transfer.
constexpr int kArticulosCaida = 3000;

class Caida : public ::testing::TestWithParam<Operacion> {};

TEST_P(Caida, killedAnywhereLeavesTheOperationWholeOrAbsent)
{
    const Operacion op = GetParam();
    const int pruebas = fiab::veces(10, 100);
    host::Reloj::Fijado reloj(fiab::kHoy);
    const QString plantilla = fiab::plantillaCaida(kArticulosCaida);
    const QString contablePlantilla = fiab::plantillaContable();
    const QString dir = fiab::carpeta();
    const QString ruta = dir + QStringLiteral("/caida-%1.db").arg(fiab::nombre(op));
    const QString rutaContable = dir + QStringLiteral("/caida-contable-%1.db").arg(fiab::nombre(op));

    // The two acceptable outcomes, from the same operation run here to the end.
    QString antes, despues, contableAntes, contableDespues;
    qint64 duracion = 0;
    long long lineas = 0;
    {
        fiab::copiar(plantilla, ruta);
        fiab::copiar(contablePlantilla, rutaContable);
        auto c = fiab::abrir(ruta);
        auto contable = fiab::abrir(rutaContable);
        antes = testsupport::volcadoFilas(c, false);
        contableAntes = testsupport::volcadoFilas(contable, false);
        lineas = op == Operacion::Generacion || op == Operacion::Restos
                     ? 0
                     : c->scalar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_Pref_Lineas WHERE"
                                                " Codigo = %1").arg(fiab::prefacturaMayor(c, 2))).toInt64();
        QElapsedTimer t;
        t.start();
        fiab::ejecutar(op, c, contable);
        duracion = t.elapsed();
        if (op == Operacion::Generacion) {
            lineas = c->scalar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_Pref_Lineas l INNER JOIN"
                                              " Reposicion_Pref p ON p.Codigo = l.Codigo AND"
                                              " p.Cod_Almacen = l.Cod_Almacen WHERE p.Cod_AlmacenD = 3"))
                         .toInt64();
        } else if (op == Operacion::Restos) {
            lineas = c->scalar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_Restos_Lineas")).toInt64();
        }
        despues = testsupport::volcadoFilas(c, false);
        contableDespues = testsupport::volcadoFilas(contable, false);
    }
    ASSERT_NE(antes, despues) << "the operation changed nothing: the trial proves nothing";
    testsupport::Invariantes base;
    {
        auto c = fiab::abrir(plantilla);
        base = testsupport::Invariantes::tomarBase(c);
    }

    std::mt19937 azar(20261205u + static_cast<unsigned>(op));
    // Children take a few milliseconds longer than the run here, so a few kills still land past
    // the end: "whole" outcomes that show a finished operation stays finished.
    std::uniform_int_distribution<int> espera(0, static_cast<int>(duracion + 5));
    int nada = 0, entera = 0, terminadas = 0, aMitad = 0, enCommit = 0, descuadreContable = 0, recuperadas = 0;
    for (int i = 0; i < pruebas; ++i) {
        fiab::copiar(plantilla, ruta);
        fiab::copiar(contablePlantilla, rutaContable);
        auto p = fiab::hijo(QStringLiteral("CaidaHijo.operar"),
                            {{QStringLiteral("NRVX_CAIDA_DB"), ruta},
                             {QStringLiteral("NRVX_CAIDA_CONTABLE"), rutaContable},
                             {QStringLiteral("NRVX_CAIDA_OP"), QString::fromLatin1(fiab::nombre(op))}});
        ASSERT_TRUE(p->waitForStarted(10000));
        QByteArray salida;
        while (!salida.contains("listo") && p->state() == QProcess::Running) {
            p->waitForReadyRead(100);
            salida += p->readAllStandardOutput();
        }
        ASSERT_TRUE(salida.contains("listo")) << "child did not start";
        QThread::msleep(static_cast<unsigned long>(espera(azar)));
        // Frozen first, so that what the probe sees is where the kill lands.
        ::kill(static_cast<pid_t>(p->processId()), SIGSTOP);
        const bool dentro = fiab::enTransaccion(ruta) || fiab::enTransaccion(rutaContable);
        p->kill();
        p->waitForFinished(10000);
        salida += p->readAllStandardOutput();
        if (salida.contains("hecho"))
            ++terminadas;
        if (dentro)
            ++aMitad;

        auto c = fiab::abrir(ruta);
        auto contable = fiab::abrir(rutaContable);
        // What the next start does: book the accounting entries a stop left pending.
        if (op == Operacion::Traspaso && host::ContabilidadPendiente::pendientes(*c) > 0) {
            ++recuperadas;
            host::ContabilidadPendiente::asentar(c, *contable);
        }
        testsupport::Invariantes inv = base;
        const QStringList fallos = inv.comprobar(c);
        EXPECT_TRUE(fallos.isEmpty()) << "trial " << i << ": " << fallos.join(QStringLiteral("; ")).toStdString();
        const QString ahora = testsupport::volcadoFilas(c, false);
        const QString contableAhora = testsupport::volcadoFilas(contable, false);
        if (dentro && ahora == despues && op != Operacion::Traspaso)
            ++enCommit;
        if (ahora == antes) {
            ++nada;
            // Nothing on the company side must mean nothing booked either.
            EXPECT_TRUE(contableAhora == contableAntes) << "trial " << i << ": accounting booked alone";
        } else if (ahora == despues) {
            ++entera;
            if (contableAhora != contableDespues) {
                ++descuadreContable;
                guardar(dir, op, i, contableAntes, contableDespues, contableAhora);
            }
        } else {
            ADD_FAILURE() << fiab::nombre(op) << " trial " << i << ": the database holds part of the operation"
                          << " (rows left in " << guardar(dir, op, i, antes, despues, ahora).toStdString() << ")";
        }
    }
    std::cout << "[crash] " << fiab::nombre(op) << ": " << pruebas << " SIGKILL trials (" << lineas
              << " lines, operation " << duracion << " ms here), " << aMitad << " landed inside the write transaction ("
              << enCommit << " of them while committing), " << nada << " left nothing, " << entera
              << " left it whole (" << terminadas << " had reported completion), invariants held after"
              << " every kill;"
              << " accounting entries booked at the next start: " << recuperadas
              << ", transfers without their entry after it: " << descuadreContable << std::endl;
    RecordProperty("trials", pruebas);
    RecordProperty("nothing", nada);
    RecordProperty("whole", entera);
    RecordProperty("midTransaction", aMitad);
    // Sized so that the operation's own transaction takes most of its time: most kills must
    // find it open, or the trials say little about atomicity.
    EXPECT_GE(aMitad * 10, pruebas * 3) << "too few kills inside the transaction";
    EXPECT_EQ(nada + entera, pruebas);
    // The transfer commits the company side and then the accounting side; a kill between the two
    // leaves the entry pending, and the next start books it.
    EXPECT_EQ(descuadreContable, 0);
    RecordProperty("accountingLost", descuadreContable);
    RecordProperty("accountingRecovered", recuperadas);
}

INSTANTIATE_TEST_SUITE_P(Operaciones, Caida,
                         ::testing::Values(Operacion::Generacion, Operacion::Anulacion, Operacion::Traspaso,
                                           Operacion::Restos),
                         [](const auto& info) { return std::string(fiab::nombre(info.param)); });

}  // namespace
