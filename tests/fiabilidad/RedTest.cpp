// The central server of a store configured but unreachable, refusing, or accepting and never
// answering: the leftover panel gives up within its 5-second time-outs and answers "no figures".
#include "host/EmpresaMemoria.h"
#include "host/Utilidades.h"
#include "reposic/restos/ConexionCentral.h"
#include "reposic/restos/DatosCentralRestos.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <iostream>

namespace {

struct Caso {
    const char* nombre;
    QString servidor;
};

TEST(Red, centralServerFaultsAnswerWithinTheTimeouts)
{
    // Accepts connections (the kernel completes the handshake) and never says a word.
    QTcpServer mudo;
    QString mudoHost;
    for (int i = 0; i < 10 && mudoHost.isEmpty(); ++i) {
        const QString h = QStringLiteral("127.0.%1.%2")
                              .arg(QRandomGenerator::global()->bounded(1, 250))
                              .arg(QRandomGenerator::global()->bounded(2, 250));
        if (mudo.listen(QHostAddress(h), ConexionCentral::kPuerto))
            mudoHost = h;
    }
    std::vector<Caso> casos = {
        {"unreachable", QStringLiteral("10.255.255.1")},
        {"refusing", QStringLiteral("127.0.0.1")},
        {"unknown name", QStringLiteral("central.invalid")},
    };
    if (!mudoHost.isEmpty())
        casos.push_back({"silent", mudoHost});

    auto empresa = std::make_shared<host::EmpresaMemoria>();
    int probados = 0;
    for (const Caso& caso : casos) {
        DatosCentralRestos datos(empresa);
        datos.servidor = caso.servidor;
        DatosCentralRestos::Figuras f;
        f.stockCentral = db::Money::fromInt(7);
        QElapsedTimer t;
        t.start();
        const bool leido = datos.RecuperarDatosCentral(2, 1, f);
        const qint64 ms = t.elapsed();
        EXPECT_FALSE(leido) << caso.nombre;
        EXPECT_EQ(f.stockCentral, db::Money()) << caso.nombre;
        // Reachability check (3 s) plus the 5-second login time-out, and a second of slack.
        EXPECT_LT(ms, 9000) << caso.nombre;
        // A second article must not wait again for a connection that never opened longer.
        t.restart();
        datos.RecuperarDatosCentral(2, 2, f);
        EXPECT_LT(t.elapsed(), 9000) << caso.nombre;
        std::cout << "[network] " << caso.nombre << " central server (" << caso.servidor.toStdString()
                  << "): leftover panel gave up in " << ms << " ms, figures 0" << std::endl;
        ++probados;
    }
    if (!mudoHost.isEmpty()) {
        // The connection itself, opened straight on the silent server, is bound by its time-out.
        auto c = ConexionCentral::crear();
        QElapsedTimer t;
        t.start();
        EXPECT_ANY_THROW(c->open(ConexionCentral::cadena(mudoHost)));
        EXPECT_LT(t.elapsed(), 7000);
        std::cout << "[network] opening the central connection on the silent server failed after "
                  << t.elapsed() << " ms" << std::endl;
    }
    RecordProperty("faults", probados);
}

}  // namespace
