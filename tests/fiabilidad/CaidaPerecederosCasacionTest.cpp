// Killed anywhere, the perishable pre-invoice generation and the booking of an order matching
// leave the operation whole or absent.
#include "fiabilidad/Comun.h"
#include "fiabilidad/Operaciones.h"
#include "host/Reloj.h"
#include "support/DriverFallos.h"
#include "support/Invariantes.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include <signal.h>

namespace {

// The child's half: opens the file, reads what the screen reads first, says so, runs the writes
// and says so again.
TEST(CaidaHijoMas, operar)
{
    const QString ruta = qEnvironmentVariable("NRVX_CAIDA_MAS_DB");
    if (ruta.isEmpty())
        GTEST_SKIP() << "run by CaidaMas";
    host::Reloj::Fijado reloj(fiab::kHoy);
    const fiab::Caso& caso = fiab::caso(qEnvironmentVariable("NRVX_CAIDA_MAS_OP"));
    auto c = fiab::abrir(ruta);
    if (caso.preparar)
        caso.preparar(c);
    std::cout << "listo" << std::endl;
    caso.operar(c, nullptr);
    std::cout << "hecho" << std::endl;
}


// Articles of the crash company: thousands of statements per operation, so kills land inside.
constexpr int kArticulosCaida = 3000;

class CaidaMas : public ::testing::TestWithParam<const char*> {};

TEST_P(CaidaMas, killedAnywhereLeavesTheOperationWholeOrAbsent)
{
    const fiab::Caso& caso = fiab::caso(QString::fromLatin1(GetParam()));
    const int pruebas = fiab::veces(10, 100);
    host::Reloj::Fijado reloj(fiab::kHoy);
    const QString plantilla = fiab::plantillaDe(caso, fiab::plantillaCaida(kArticulosCaida), kArticulosCaida);
    const QString dir = fiab::carpeta();
    const QString ruta = dir + QStringLiteral("/caida-mas-%1.db").arg(caso.nombre);

    QString antes, despues;
    qint64 duracion = 0;
    long long sentencias = 0;
    {
        fiab::copiar(plantilla, ruta);
        auto c = fiab::abrir(ruta);
        antes = testsupport::volcadoFilas(c, true);
        if (caso.preparar)
            caso.preparar(c);
        auto& contador = testsupport::DriverFallos::de(c);
        const long long desde = contador.sentencias();
        QElapsedTimer t;
        t.start();
        caso.operar(c, nullptr);
        duracion = t.elapsed();
        sentencias = contador.sentencias() - desde;
        despues = testsupport::volcadoFilas(c, true);
    }
    ASSERT_NE(antes, despues) << "the operation changed nothing: the trial proves nothing";
    testsupport::Invariantes base;
    {
        auto c = fiab::abrir(plantilla);
        base = testsupport::Invariantes::tomarBase(c);
    }

    std::mt19937 azar(20261207u + static_cast<unsigned>(caso.nombre[0]));
    std::uniform_int_distribution<int> espera(0, static_cast<int>(duracion + 5));
    int nada = 0, entera = 0, terminadas = 0, aMitad = 0;
    for (int i = 0; i < pruebas; ++i) {
        fiab::copiar(plantilla, ruta);
        auto p = fiab::hijo(QStringLiteral("CaidaHijoMas.operar"),
                            {{QStringLiteral("NRVX_CAIDA_MAS_DB"), ruta},
                             {QStringLiteral("NRVX_CAIDA_MAS_OP"), QString::fromLatin1(caso.nombre)}});
        ASSERT_TRUE(p->waitForStarted(10000));
        QByteArray salida;
        while (!salida.contains("listo") && p->state() == QProcess::Running) {
            p->waitForReadyRead(100);
            salida += p->readAllStandardOutput();
        }
        ASSERT_TRUE(salida.contains("listo")) << "child did not start";
        QThread::msleep(static_cast<unsigned long>(espera(azar)));
        ::kill(static_cast<pid_t>(p->processId()), SIGSTOP);
        const bool dentro = fiab::enTransaccion(ruta);
        p->kill();
        p->waitForFinished(10000);
        salida += p->readAllStandardOutput();
        terminadas += salida.contains("hecho") ? 1 : 0;
        aMitad += dentro ? 1 : 0;

        auto c = fiab::abrir(ruta);
        const QString ahora = testsupport::volcadoFilas(c, true);
        if (ahora == antes) {
            ++nada;
        } else if (ahora == despues) {
            ++entera;
        } else {
            ADD_FAILURE() << caso.nombre << " trial " << i << ": the database holds part of the operation";
        }
        // A whole perishable run leaves lines with no reservation, by design.
        if (caso.invariantesAlFinal || ahora == antes) {
            testsupport::Invariantes inv = base;
            const QStringList fallos = inv.comprobar(c);
            EXPECT_TRUE(fallos.isEmpty())
                << "trial " << i << ": " << fallos.join(QStringLiteral("; ")).toStdString();
        }
    }
    std::cout << "[crash] " << caso.nombre << ": " << pruebas << " SIGKILL trials (" << sentencias
              << " statements, operation " << duracion << " ms here), " << aMitad
              << " landed inside the write transaction, " << nada << " left nothing, " << entera
              << " left it whole (" << terminadas << " had reported completion)" << std::endl;
    RecordProperty("trials", pruebas);
    RecordProperty("statements", static_cast<int>(sentencias));
    RecordProperty("midTransaction", aMitad);
    EXPECT_EQ(nada + entera, pruebas);
    // With no kill inside the transaction the trials would say nothing about atomicity.
    EXPECT_GT(aMitad, 0);
}

INSTANTIATE_TEST_SUITE_P(Operaciones, CaidaMas, ::testing::Values("perecederos", "casacion"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
