// The transfer's two databases: a workstation killed after the company commit, while it waits
// for the accounting database, while it books there or after. Whatever the point, the next start
// books the entry and every transfer ends with exactly one accounting entry.
//
// 3 kills in the normal run, 100 with NRVX_FIABILIDAD_LARGA=1.
#include "fiabilidad/Comun.h"
#include "host/Reloj.h"
#include "host/components/ContabilidadPendiente.h"
#include "support/Invariantes.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <iostream>
#include <random>

using fiab::Operacion;

namespace {

long long contar(const db::ConnectionPtr& c, const char* sql) { return c->scalar(QString::fromLatin1(sql)).toInt64(); }

TEST(CaidaTraspaso, killedBetweenTheTwoDatabasesIsBookedExactlyOnceAtTheNextStart)
{
    const int pruebas = fiab::veces(3, 100);
    host::Reloj::Fijado reloj(fiab::kHoy);
    const QString plantilla = fiab::plantillaCaida(3000);
    const QString contablePlantilla = fiab::plantillaContable();
    const QString dir = fiab::carpeta();
    const QString ruta = dir + QStringLiteral("/entre-bases.db");
    const QString rutaContable = dir + QStringLiteral("/entre-bases-contable.db");

    QString despues, contableDespues;
    {
        fiab::copiar(plantilla, ruta);
        fiab::copiar(contablePlantilla, rutaContable);
        auto c = fiab::abrir(ruta);
        auto contable = fiab::abrir(rutaContable);
        fiab::ejecutar(Operacion::Traspaso, c, contable);
        despues = testsupport::volcadoFilas(c, false);
        contableDespues = testsupport::volcadoFilas(contable, false);
        ASSERT_EQ(contar(contable, "SELECT COUNT(*) FROM Contabilidad_Traspasos"), 1);
    }

    std::mt19937 azar(20261207u);
    std::uniform_int_distribution<int> espera(0, 150);
    int pendientes = 0;
    for (int i = 0; i < pruebas; ++i) {
        fiab::copiar(plantilla, ruta);
        fiab::copiar(contablePlantilla, rutaContable);
        // The accounting database is busy (another workstation's transaction): the transfer
        // commits the company side and then waits for it.
        auto ocupada = fiab::abrir(rutaContable);
        ocupada->beginTrans();
        auto p = fiab::hijo(QStringLiteral("CaidaHijo.operar"),
                            {{QStringLiteral("NRVX_CAIDA_DB"), ruta},
                             {QStringLiteral("NRVX_CAIDA_CONTABLE"), rutaContable},
                             {QStringLiteral("NRVX_CAIDA_OP"), QStringLiteral("traspaso")}});
        ASSERT_TRUE(p->waitForStarted(10000));
        {
            auto lector = fiab::abrir(ruta);
            QElapsedTimer t;
            t.start();
            while (contar(lector, "SELECT COUNT(*) FROM Traspasos") == 0 && t.elapsed() < 60000)
                QThread::msleep(2);
            ASSERT_EQ(contar(lector, "SELECT COUNT(*) FROM Traspasos"), 1) << "the company side never committed";
        }
        // A third of the kills while it waits, the rest a few milliseconds after the accounting
        // database frees: inside its transaction, at its commit, or while clearing the entry.
        if (i % 3 != 0) {
            ocupada->rollbackTrans();
            QThread::msleep(static_cast<unsigned long>(espera(azar)));
        }
        p->kill();
        p->waitForFinished(10000);
        if (ocupada->transactionDepth() > 0)
            ocupada->rollbackTrans();
        ocupada.reset();

        auto c = fiab::abrir(ruta);
        auto contable = fiab::abrir(rutaContable);
        if (host::ContabilidadPendiente::pendientes(*c) > 0)
            ++pendientes;
        host::ContabilidadPendiente::asentar(c, *contable);
        EXPECT_EQ(host::ContabilidadPendiente::asentar(c, *contable), 0);
        EXPECT_EQ(contar(contable, "SELECT COUNT(*) FROM Contabilidad_Traspasos"), 1) << "trial " << i;
        EXPECT_EQ(testsupport::volcadoFilas(c, false), despues) << "trial " << i;
        EXPECT_EQ(testsupport::volcadoFilas(contable, false), contableDespues) << "trial " << i;
    }
    std::cout << "[crash] transfer between its two databases: " << pruebas << " SIGKILL trials after the"
              << " company commit, " << pendientes << " left the entry pending; after the next start every"
              << " transfer had exactly one accounting entry" << std::endl;
    EXPECT_GE(pendientes, (pruebas + 2) / 3);
}

}  // namespace
