// Faults at every step of each writing operation: a statement, BEGIN, COMMIT, a ROLLBACK that
// fails after a statement did, and a disk full at every size from "nothing fits" to "everything
// fits", both as a database that may not grow and as a journal that cannot be written. Each leaves the rows exactly as they were with the invariants intact, and the same
// operation on the same connection, once the fault is gone, leaves the rows of a run that never
// failed.
#include "fiabilidad/Comun.h"
#include "fiabilidad/Operaciones.h"
#include "host/Reloj.h"
#include "support/DriverFallos.h"
#include "support/Invariantes.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <optional>

#include <signal.h>
#include <sys/resource.h>

using Paso = testsupport::DriverFallos::Paso;

namespace {

enum class Modo { Sentencias, Pasos, Disco, Diario };

const char* nombreModo(Modo m)
{
    switch (m) {
    case Modo::Sentencias: return "sentencias";
    case Modo::Pasos: return "pasos";
    case Modo::Disco: return "disco";
    case Modo::Diario: return "diario";
    }
    return "";
}

// While it lives the process writes no file past `bytes` (RLIMIT_FSIZE). SIGXFSZ ignored turns
// such a write into a failing one, as on a full disk: SQLite's journal gets no new frame, and the
// COMMIT that writes them fails in the engine itself.
class LimiteFicheros {
public:
    explicit LimiteFicheros(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &anterior_);
        senal_ = ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit r = anterior_;
        r.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &r);
    }
    ~LimiteFicheros()
    {
        ::setrlimit(RLIMIT_FSIZE, &anterior_);
        ::signal(SIGXFSZ, senal_);
    }
    LimiteFicheros(const LimiteFicheros&) = delete;
    LimiteFicheros& operator=(const LimiteFicheros&) = delete;

private:
    struct rlimit anterior_ = {};
    sighandler_t senal_ = SIG_DFL;
};

long long tamano(const QString& ruta) { return QFileInfo(ruta).size(); }

// One operation on its own copy of the company, watched through a second connection that sees
// only what is committed.
class Ensayo {
public:
    Ensayo(const fiab::Caso& caso, int articulos)
        : caso_(caso),
          plantilla_(fiab::plantillaDe(caso, fiab::plantilla(QStringLiteral("fallos"), articulos, 2), 25)),
          dir_(fiab::carpeta())
    {
    }

    // A clean run on a copy of its own: what every retry must end in, and how many steps and
    // pages it takes.
    void medir()
    {
        const QString ruta = dir_ + QStringLiteral("/referencia-%1.db").arg(caso_.nombre);
        fiab::copiar(plantilla_, ruta);
        fiab::copiar(fiab::plantillaContable(), rutaContable());
        auto c = fiab::abrir(ruta);
        auto& f = testsupport::DriverFallos::de(c);
        compactar(f);
        if (caso_.preparar)
            caso_.preparar(c);
        const long long s = f.sentencias(), b = f.cuenta(Paso::Begin), k = f.cuenta(Paso::Commit);
        const long long paginasAntes = f.paginas(), diarioAntes = tamano(ruta + QStringLiteral("-wal"));
        caso_.operar(c, fiab::abrir(rutaContable()));
        diario = tamano(ruta + QStringLiteral("-wal")) - diarioAntes;
        // Statements after the last commit only read (the next number's estimate, the rights
        // applied to a form): a fault there finds the work kept, as it should.
        sentencias = (f.cuenta(Paso::Commit) > k ? f.sentenciasAlCommit() : f.sentencias()) - s;
        begins = f.cuenta(Paso::Begin) - b;
        commits = f.cuenta(Paso::Commit) - k;
        paginasTras = f.paginas();
        crecimiento = paginasTras - paginasAntes;
        referencia_ = huella(c);
    }

    // A fresh copy of the company, as it was before any trial.
    void abrir()
    {
        ruta = dir_ + QStringLiteral("/fallo-%1.db").arg(caso_.nombre);
        c.reset();
        testigo_.reset();
        fiab::copiar(plantilla_, ruta);
        fiab::copiar(fiab::plantillaContable(), rutaContable());
        c = fiab::abrir(ruta);
        contable_ = fiab::abrir(rutaContable());
        testigo_ = fiab::abrir(ruta);
        fallos = &testsupport::DriverFallos::de(c);
        compactar(*fallos);
        antes_ = testsupport::volcadoFilas(testigo_, caso_.contadores);
        contableAntes_ = testsupport::volcadoFilas(contable_, true);
        inv_ = testsupport::Invariantes::tomarBase(testigo_);
        EXPECT_NE(antes_, referencia_) << caso_.nombre << " changed nothing: the trial proves nothing";
    }

    // Runs the operation with the fault `armar` sets after the reads that come before it;
    // answers the error it raised, if any.
    std::optional<QString> intentar(const std::function<void()>& armar = {})
    {
        ++intentos_;
        if (caso_.preparar)
            caso_.preparar(c);
        if (armar)
            armar();
        try {
            caso_.operar(c, contable_);
        } catch (const std::exception& e) {
            fallos->desarmar();
            limite.reset();
            return QString::fromUtf8(e.what());
        }
        fallos->desarmar();
        limite.reset();
        return std::nullopt;
    }

    // After a failed run: the error reached the caller with the engine's text, nothing was kept,
    // and no transaction is left open for the next one to join.
    void intacto(const std::optional<QString>& error, const QString& textoEsperado, const std::string& donde)
    {
        ASSERT_TRUE(error.has_value()) << donde << ": the fault was not reported";
        EXPECT_TRUE(error->contains(textoEsperado, Qt::CaseInsensitive))
            << donde << ": the error lost the engine's text: " << error->toStdString();
        ASSERT_EQ(c->transactionDepth(), 0) << donde;
        ASSERT_EQ(contable_->transactionDepth(), 0) << donde;
        ASSERT_TRUE(testsupport::volcadoFilas(testigo_, caso_.contadores) == antes_)
            << donde << ": rows changed";
        ASSERT_TRUE(testsupport::volcadoFilas(contable_, true) == contableAntes_) << donde;
        const QStringList rotas = inv_.comprobar(testigo_);
        ASSERT_TRUE(rotas.isEmpty()) << donde << ": " << rotas.join(QStringLiteral("; ")).toStdString();
    }

    // A run that completed must have written what the clean run wrote.
    void completo(const std::string& donde)
    {
        EXPECT_TRUE(huella(testigo_) == referencia_) << donde << ": the run differs from a clean one";
        if (caso_.comprobar)
            caso_.comprobar(testigo_);
        if (caso_.invariantesAlFinal) {
            const QStringList rotas = inv_.comprobar(testigo_);
            EXPECT_TRUE(rotas.isEmpty()) << donde << ": " << rotas.join(QStringLiteral("; ")).toStdString();
        }
    }

    // Once the fault is gone the same connection completes the operation.
    void reintentar(const std::string& donde)
    {
        const auto error = intentar();
        ASSERT_FALSE(error.has_value()) << donde << ": " << error->toStdString();
        completo(donde);
    }

    void informar(Modo modo) const
    {
        std::cout << "[fault] " << caso_.nombre << " (" << nombreModo(modo) << "): " << sentencias
                  << " statements, " << begins << " BEGIN, " << commits << " COMMIT, " << crecimiento
                  << " pages and " << diario << " journal bytes more; " << intentos_
                  << " runs, each failed one rolled back to identical rows; " << inv_.comprobaciones()
                  << " invariant checks" << std::endl;
    }

    db::ConnectionPtr c;
    QString ruta;
    testsupport::DriverFallos* fallos = nullptr;
    std::optional<LimiteFicheros> limite;  // lifted as soon as the run ends
    // Steps of a clean run; pages the file grew by and bytes its journal grew by.
    long long sentencias = 0, begins = 0, commits = 0, paginasTras = 0, crecimiento = 0, diario = 0;

private:
    // Without free pages or free space to spare, so that new rows need new pages and a full
    // disk meets them; the rows stay as they are.
    static void compactar(testsupport::DriverFallos& f)
    {
        f.interior().executeScript(QStringLiteral("VACUUM;"));
    }
    QString rutaContable() const
    {
        return dir_ + QStringLiteral("/fallo-contable-%1.db").arg(caso_.nombre);
    }
    QString huella(const db::ConnectionPtr& conexion) const
    {
        return caso_.huella ? caso_.huella(conexion) : testsupport::volcadoFilas(conexion, caso_.contadores);
    }

    const fiab::Caso& caso_;
    QString plantilla_, dir_;
    db::ConnectionPtr contable_, testigo_;
    QString antes_, contableAntes_, referencia_;
    testsupport::Invariantes inv_;
    int intentos_ = 0;
};

const QString kInyectado = QStringLiteral("Injected fault");
const QString kLleno = QStringLiteral("full");

struct Combinacion {
    const char* caso;
    Modo modo;
};

std::string nombreDe(const Combinacion& c) { return std::string(c.caso) + "_" + nombreModo(c.modo); }
void PrintTo(const Combinacion& c, std::ostream* os) { *os << nombreDe(c); }

class Fallo : public ::testing::TestWithParam<Combinacion> {};

TEST_P(Fallo, rollsBackWholeAndTheSameConnectionCompletesAfterwards)
{
    const fiab::Caso& caso = fiab::caso(QString::fromLatin1(GetParam().caso));
    const Modo modo = GetParam().modo;
    host::Reloj::Fijado reloj(fiab::kHoy);
    // The disk trials want operations that write more than the free space inside the pages.
    Ensayo e(caso, modo == Modo::Disco ? 400 : 40);
    e.medir();
    ASSERT_GT(e.sentencias, 0);
    e.abrir();
    auto donde = [&](const char* que, long long n) {
        return std::string(caso.nombre) + " " + que + " " + std::to_string(n);
    };

    switch (modo) {
    case Modo::Sentencias: {
        // Every position while the operation is small; past 300 the short form samples evenly
        // and always keeps the first and last 15.
        const long long n = e.sentencias;
        const long long paso = fiab::largo() || n <= 300 ? 1 : n / 150;
        for (long long k = 1; k <= n; ++k) {
            if (paso > 1 && k > 15 && k < n - 15 && k % paso)
                continue;
            e.intacto(e.intentar([&] { e.fallos->fallar(Paso::Sentencia, k); }), kInyectado,
                      donde("statement", k));
            if (testing::Test::HasFatalFailure())
                return;
        }
        e.reintentar("after the statement faults");
        break;
    }
    case Modo::Pasos: {
        for (long long k = 1; k <= e.begins; ++k) {
            e.intacto(e.intentar([&] { e.fallos->fallar(Paso::Begin, k); }), kInyectado, donde("BEGIN", k));
            if (testing::Test::HasFatalFailure())
                return;
        }
        for (long long k = 1; k <= e.commits; ++k) {
            e.intacto(e.intentar([&] { e.fallos->fallar(Paso::Commit, k); }), kInyectado, donde("COMMIT", k));
            if (testing::Test::HasFatalFailure())
                return;
        }
        // The ROLLBACK that follows a failed statement fails too: the transaction stays open in
        // the engine until the connection's next one discards it.
        for (long long k : {1LL, (e.sentencias + 1) / 2, e.sentencias}) {
            const auto error = e.intentar([&] {
                e.fallos->fallar(Paso::Sentencia, k);
                e.fallos->fallar(Paso::Rollback, 1);
            });
            e.intacto(error, kInyectado, donde("ROLLBACK after statement", k));
            if (testing::Test::HasFatalFailure())
                return;
        }
        e.reintentar("after the BEGIN, COMMIT and ROLLBACK faults");
        break;
    }
    case Modo::Disco: {
        // From the size the file has (nothing more fits) up to the size a clean run reaches.
        const long long desde = e.fallos->paginas(), hasta = std::max(desde, e.paginasTras);
        const long long cuantos = fiab::largo() ? hasta - desde + 1 : 5;
        bool hecho = false;
        int fallidos = 0;
        for (long long i = 0; i < cuantos && !hecho; ++i) {
            const long long limite = cuantos == 1 ? hasta : desde + (hasta - desde) * i / (cuantos - 1);
            const auto error = e.intentar([&] { e.fallos->limitarPaginas(limite); });
            e.fallos->liberarDisco();
            if (error) {
                ++fallidos;
                e.intacto(error, kLleno, donde("disk full at page", limite));
                if (testing::Test::HasFatalFailure())
                    return;
            } else {
                e.completo(donde("disk large enough at page", limite));
                hecho = true;
            }
        }
        if (!hecho)
            e.reintentar("once the disk has room again");
        // An operation that needs new pages must have met a full disk at least once.
        if (e.crecimiento > 0) {
            EXPECT_GT(fallidos, 0) << caso.nombre << " grows by " << e.crecimiento << " pages";
        }
        break;
    }
    case Modo::Diario: {
        // From the journal as it is (not one frame more fits) up to what a clean run writes; the
        // long form steps one frame (a page and its header) at a time.
        const long long desde = tamano(e.ruta + QStringLiteral("-wal")), marco = 4096 + 24;
        const long long cuantos = fiab::largo() ? e.diario / marco + 2 : 5;
        bool hecho = false;
        int fallidos = 0;
        for (long long i = 0; i < cuantos && !hecho; ++i) {
            const long long limite = fiab::largo() ? desde + i * marco : desde + e.diario * i / (cuantos - 1);
            const auto error = e.intentar([&] { e.limite.emplace(static_cast<rlim_t>(limite)); });
            if (error) {
                ++fallidos;
                e.intacto(error, QStringLiteral("disk"), donde("journal full at byte", limite));
                if (testing::Test::HasFatalFailure())
                    return;
            } else {
                e.completo(donde("journal large enough at byte", limite));
                hecho = true;
            }
        }
        if (!hecho)
            e.reintentar("once the journal has room again");
        if (e.commits > 0) {
            EXPECT_GT(fallidos, 0) << caso.nombre << ": the full journal never stopped a commit";
        }
        break;
    }
    }
    e.informar(modo);
}

std::vector<Combinacion> combinaciones()
{
    std::vector<Combinacion> v;
    for (const fiab::Caso& caso : fiab::casos()) {
        for (Modo m : {Modo::Sentencias, Modo::Pasos, Modo::Disco, Modo::Diario}) {
            // The transfer's accounting half commits to a second journal that fills as well; its
            // recovery is the replay's business, not this trial's.
            if (m == Modo::Diario && QLatin1String(caso.nombre) == QLatin1String("traspaso"))
                continue;
            v.push_back({caso.nombre, m});
        }
    }
    return v;
}

INSTANTIATE_TEST_SUITE_P(Operaciones, Fallo, ::testing::ValuesIn(combinaciones()), [](const auto& info) {
    return nombreDe(info.param);
});

}  // namespace
