// The nightly generation command on a disk that fills up: the process may write files up to a
// limit only (RLIMIT_FSIZE, a full disk at any size without root), from "nothing fits" up to
// "everything fits". Each run that fails says so in its exit code and keeps nothing; once there is
// room the same command leaves the rows of a run that never failed.
#include "fiabilidad/Comun.h"
#include "host/Reloj.h"
#include "support/Invariantes.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <iostream>

#include <signal.h>
#include <sys/resource.h>

namespace {

#ifdef NRVX_REPOSIC_TOOL

struct Salida {
    int codigo = -1;
    QString errores;
};

// Runs the generation for store 3; `limite` bytes per file, 0 for no limit.
Salida generar(const QString& ruta, rlim_t limite)
{
    QProcess p;
    p.setChildProcessModifier([limite] {
        if (limite == 0)
            return;
        // Ignored, SIGXFSZ turns a write past the limit into a failing write, as a full disk does.
        ::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit r = {limite, limite};
        ::setrlimit(RLIMIT_FSIZE, &r);
    });
    p.start(QStringLiteral(NRVX_REPOSIC_TOOL),
            {QStringLiteral("generar"), QStringLiteral("-d"), ruta, QStringLiteral("--origen"), QStringLiteral("1"),
             QStringLiteral("--destino"), QStringLiteral("3")});
    Salida s;
    if (!p.waitForFinished(120000))
        return s;
    s.codigo = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    s.errores = QString::fromUtf8(p.readAllStandardError());
    return s;
}

TEST(DiscoLleno, nightlyGenerationFailsWholeAndCompletesOnceThereIsRoom)
{
    host::Reloj::Fijado reloj(fiab::kHoy);
    // One pass of 1,000 lines: far more than the free space inside the file's pages.
    const QString plantilla = fiab::plantillaCaida(1000);
    const QString dir = fiab::carpeta();

    const QString rutaRef = dir + QStringLiteral("/disco-referencia.db");
    fiab::copiar(plantilla, rutaRef);
    const Salida limpia = generar(rutaRef, 0);
    ASSERT_EQ(limpia.codigo, 0) << limpia.errores.toStdString();
    const QString referencia = testsupport::volcadoFilas(fiab::abrir(rutaRef));

    const QString ruta = dir + QStringLiteral("/disco.db");
    fiab::copiar(plantilla, ruta);
    QString antes;
    testsupport::Invariantes inv;
    {
        auto c = fiab::abrir(ruta);
        antes = testsupport::volcadoFilas(c);
        inv = testsupport::Invariantes::tomarBase(c);
    }
    ASSERT_NE(antes, referencia);

    // 64 KiB holds the shared-memory index and little else; a few hundred KiB hold the pass.
    std::vector<rlim_t> limites;
    const rlim_t kib = 1024;
    if (fiab::largo()) {
        for (rlim_t l = 64 * kib; l <= 8192 * kib; l += 8 * kib)
            limites.push_back(l);
    } else {
        limites = {64 * kib, 96 * kib, 128 * kib, 160 * kib, 192 * kib, 224 * kib, 256 * kib, 1024 * kib};
    }
    int fallidas = 0;
    bool hecho = false;
    for (rlim_t limite : limites) {
        const Salida s = generar(ruta, limite);
        auto c = fiab::abrir(ruta);
        const std::string donde = std::to_string(limite / kib) + " KiB";
        std::cout << "[disk] " << donde << ": exit " << s.codigo << std::endl;
        if (s.codigo == 0) {
            EXPECT_TRUE(testsupport::volcadoFilas(c) == referencia) << donde << ": differs from a clean run";
            hecho = true;
            break;
        }
        ++fallidas;
        EXPECT_EQ(s.codigo, 1) << donde << ": " << s.errores.toStdString();
        EXPECT_TRUE(s.errores.contains(QStringLiteral("Almacén 3")) && s.errores.contains(QStringLiteral("disk")))
            << donde << ": " << s.errores.toStdString();
        ASSERT_TRUE(testsupport::volcadoFilas(c) == antes) << donde << ": the failed run kept rows";
        const QStringList rotas = inv.comprobar(c);
        ASSERT_TRUE(rotas.isEmpty()) << donde << ": " << rotas.join(QStringLiteral("; ")).toStdString();
    }
    if (!hecho) {
        const Salida s = generar(ruta, 0);
        ASSERT_EQ(s.codigo, 0) << s.errores.toStdString();
        EXPECT_TRUE(testsupport::volcadoFilas(fiab::abrir(ruta)) == referencia);
    }
    EXPECT_GT(fallidas, 0) << "the disk never filled: the trial proves nothing";
    std::cout << "[disk] nightly generation: " << fallidas << " runs on a full disk each exited 1 and kept"
              << " nothing; " << (hecho ? "a larger limit" : "no limit") << " then matched a clean run"
              << std::endl;
    RecordProperty("failedRuns", fallidas);
}

#endif

}  // namespace
