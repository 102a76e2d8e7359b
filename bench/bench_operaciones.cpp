// Annulment, transfer and leftover recording through the module's own classes (text
// statements, row by row) against a floor that does the same writes with prepared, set-based
// statements, on copies of the same database in the same run. Prints the ratio and the peak
// resident memory of the process after each size.
#include "host/EmpresaMemoria.h"
#include "host/Reloj.h"
#include "host/components/Traspaso.h"
#include "host/demo/Schema.h"
#include "platform/db/Command.h"
#include "platform/db/Transaction.h"
#include "reposic/prefactura/CierrePrefactura.h"
#include "reposic/prefactura/TraspasoPrefactura.h"
#include "reposic/restos/GrabacionRestos.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <map>

namespace {

constexpr int64_t kPrefactura = 260100001;
const QDate kHoy(2026, 12, 5);

QTemporaryDir& carpeta()
{
    static QTemporaryDir d;
    return d;
}

db::ConnectionPtr abrir(const QString& ruta)
{
    return db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + ruta);
}

// Central 1 and store 12, n articles with stock at both, a pending row each at the store and
// one open pre-invoice from 1 to 12 with a line per article, its units reserved at the origin.
QString plantilla(int articulos)
{
    const QString ruta = carpeta().filePath(QStringLiteral("operaciones-%1.db").arg(articulos));
    if (QFile::exists(ruta))
        return ruta;
    auto c = abrir(ruta);
    demo::createSchema(*c);
    db::Transaction t(c);
    c->execute(QStringLiteral("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Central'),"
                              " (1, 12, 'Tienda')"));
    c->execute(QStringLiteral("INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Cod_AlmacenD,"
                              " Pendiente, Observaciones) VALUES (1, 1, %1, '2026-12-05', 12, 1, 'banco')")
                   .arg(kPrefactura));
    auto prep = [&](const QString& sql, int params) {
        auto cmd = std::make_unique<db::Command>(c, sql);
        for (int i = 0; i < params; ++i)
            cmd->addParameter(QString::number(i), db::ParamType::Integer, 0);
        return cmd;
    };
    auto art = prep(QStringLiteral("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion, UxCaja, TipoRep, Familia_1)"
                                   " VALUES (1, ?, 'Articulo', 6, 1, ?)"), 2);
    auto stock = prep(QStringLiteral("INSERT INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo,"
                                     " Stock_Actual, PU_Compra, Bloqueo) VALUES (1, ?, ?, ?, 2, ?)"), 4);
    auto pend = prep(QStringLiteral("INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo,"
                                    " Unidades, UnidadesVenta, UnidadesResto) VALUES (1, 12, ?, 0, ?, ?, 0)"), 3);
    auto linea = prep(QStringLiteral("INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen, Codigo,"
                                     " Cod_Articulo, Unidades, UnidadesVenta, UnidadesResto, UnidadesGen)"
                                     " VALUES (1, 1, %1, ?, ?, ?, 0, ?)").arg(kPrefactura), 4);
    auto reserva = prep(QStringLiteral("INSERT INTO Reposicion_StockReservado (Cod_Empresa, Cod_Almacen,"
                                       " Cod_Articulo, Unidades) VALUES (1, 1, ?, ?)"), 2);
    for (int a = 1; a <= articulos; ++a) {
        const int u = 1 + a % 9;
        art->setParameter(0, a);
        art->setParameter(1, a % 13);
        art->execute();
        for (int alm : {1, 12}) {
            stock->setParameter(0, alm);
            stock->setParameter(1, a);
            stock->setParameter(2, alm == 1 ? 500 : 3);
            stock->setParameter(3, alm == 12 && a % 10 == 0 ? 1 : 0);
            stock->execute();
        }
        pend->setParameter(0, a);
        pend->setParameter(1, 2 + a % 5);
        pend->setParameter(2, 2 + a % 5);
        pend->execute();
        for (int i = 0; i < 4; ++i)
            linea->setParameter(i, i == 0 ? a : u);
        linea->execute();
        reserva->setParameter(0, a);
        reserva->setParameter(1, u);
        reserva->execute();
    }
    art.reset();
    stock.reset();
    pend.reset();
    linea.reset();
    reserva.reset();
    t.commit();
    c->executeScript(QStringLiteral("ANALYZE; PRAGMA wal_checkpoint(TRUNCATE);"));
    return ruta;
}

QString plantillaContable()
{
    const QString ruta = carpeta().filePath(QStringLiteral("contable.db"));
    if (!QFile::exists(ruta)) {
        auto c = abrir(ruta);
        demo::createSchema(*c);
        host::Traspaso::prepararContabilidad(*c);
        c->executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
    }
    return ruta;
}

db::ConnectionPtr copia(const QString& origen, const QString& nombre)
{
    const QString ruta = carpeta().filePath(nombre);
    for (const char* s : {"", "-wal", "-shm"})
        QFile::remove(ruta + QLatin1String(s));
    QFile::copy(origen, ruta);
    return abrir(ruta);
}

std::unique_ptr<db::Command> preparar(const db::ConnectionPtr& c, const QString& sql, int params = 0)
{
    auto cmd = std::make_unique<db::Command>(c, sql);
    for (int i = 0; i < params; ++i)
        cmd->addParameter(QString::number(i), db::ParamType::Decimal, 0);
    return cmd;
}

std::map<std::string, long> picos;

void anotarPico(benchmark::State& state, const char* nombre)
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    picos[std::string(nombre) + "/" + std::to_string(state.range(0))] = u.ru_maxrss;
    state.counters["peakKiB"] = static_cast<double>(u.ru_maxrss);
}

// ---------------------------------------------------------------- annulment
void AnulacionModulo(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto empresa = std::make_shared<host::EmpresaMemoria>();
    for (auto _ : state) {
        state.PauseTiming();
        auto c = copia(plantilla(n), QStringLiteral("trabajo.db"));
        state.ResumeTiming();
        CierrePrefactura(empresa, c).anular(1, 12, kPrefactura);
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
    anotarPico(state, "AnulacionModulo");
}

void AnulacionSuelo(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto c = copia(plantilla(n), QStringLiteral("trabajo.db"));
        state.ResumeTiming();
        db::Transaction t(c);
        auto sube = preparar(c, QStringLiteral(
            "INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo, CualidadX, CualidadY,"
            " Unidades, UnidadesVenta, UnidadesResto) SELECT 1, 12, Cod_Articulo, 0, 0, 0, Unidades, 0, Unidades"
            " FROM Reposicion_Pref_Lineas WHERE Cod_Empresa = 1 AND Cod_Almacen = 1 AND Codigo = ? AND true"
            " ON CONFLICT DO UPDATE SET Unidades = Unidades + excluded.Unidades,"
            " UnidadesResto = UnidadesResto + excluded.UnidadesResto"), 1);
        sube->setParameter(0, kPrefactura);
        sube->execute();
        auto libera = preparar(c, QStringLiteral(
            "UPDATE Reposicion_StockReservado SET Unidades = Unidades - (SELECT l.Unidades FROM"
            " Reposicion_Pref_Lineas l WHERE l.Cod_Empresa = 1 AND l.Cod_Almacen = 1 AND l.Codigo = ?"
            " AND l.Cod_Articulo = Reposicion_StockReservado.Cod_Articulo) WHERE Cod_Empresa = 1 AND"
            " Cod_Almacen = 1 AND Cod_Articulo IN (SELECT Cod_Articulo FROM Reposicion_Pref_Lineas"
            " WHERE Cod_Empresa = 1 AND Cod_Almacen = 1 AND Codigo = ?)"), 2);
        libera->setParameter(0, kPrefactura);
        libera->setParameter(1, kPrefactura);
        libera->execute();
        for (const char* tabla : {"Reposicion_Pref_Lineas", "Reposicion_Pref"}) {
            auto borra = preparar(c, QStringLiteral("DELETE FROM %1 WHERE Cod_Empresa = 1 AND Cod_Almacen = 1"
                                                    " AND Codigo = ?").arg(QLatin1String(tabla)), 1);
            borra->setParameter(0, kPrefactura);
            borra->execute();
        }
        t.commit();
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
    anotarPico(state, "AnulacionSuelo");
}

// ---------------------------------------------------------------- transfer
void TraspasoModulo(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto empresa = std::make_shared<host::EmpresaMemoria>();
    for (auto _ : state) {
        state.PauseTiming();
        auto c = copia(plantilla(n), QStringLiteral("trabajo.db"));
        auto contable = copia(plantillaContable(), QStringLiteral("trabajo-contable.db"));
        state.ResumeTiming();
        TraspasoPrefactura t(empresa, c, empresa, contable);
        t.usuario = 1;
        try {
            t.traspasar(1, 12, kPrefactura);
        } catch (const std::exception& e) {
            // Line numbers are 16-bit: past 32,767 lines the document cannot be written.
            state.SkipWithError(e.what());
            break;
        }
        state.PauseTiming();
        c.reset();
        contable.reset();
        state.ResumeTiming();
    }
    anotarPico(state, "TraspasoModulo");
}

void TraspasoSuelo(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto c = copia(plantilla(n), QStringLiteral("trabajo.db"));
        auto contable = copia(plantillaContable(), QStringLiteral("trabajo-contable.db"));
        state.ResumeTiming();
        db::Transaction t(c);
        db::Transaction tc(contable);
        const QString lineas = QStringLiteral("SELECT Cod_Articulo FROM Reposicion_Pref_Lineas WHERE"
                                              " Cod_Empresa = 1 AND Cod_Almacen = 1 AND Codigo = %1").arg(kPrefactura);
        const char* sentencias[] = {
            "INSERT INTO Contador_Traspasos (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo) VALUES (1, 2026, 1, 1)"
            " ON CONFLICT DO UPDATE SET Codigo = Codigo + 1",
            "INSERT INTO Traspasos (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo, Fecha, Alm_Destino, Cod_Usuario,"
            " Observaciones, Importe, Recibido) SELECT 1, 2026, 1, 1, '2026-12-05', 12, 1, Observaciones,"
            " (SELECT SUM(l.Unidades * s.PU_Compra) FROM Reposicion_Pref_Lineas l JOIN Almacen_Articulos s ON"
            " s.Cod_Empresa = 1 AND s.Cod_Almacen = 1 AND s.Cod_Articulo = l.Cod_Articulo WHERE l.Codigo = %1),"
            " 0 FROM Reposicion_Pref WHERE Cod_Empresa = 1 AND Cod_Almacen = 1 AND Codigo = %1",
            "INSERT INTO Traspasos_Lineas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea, Cod_Articulo,"
            " Descripcion, UxCaja, Cajas, Unidades, Costo) SELECT 1, 2026, 1, 1, ROW_NUMBER() OVER (ORDER BY"
            " c.Familia_1, c.Familia_2, c.Familia_3), a.Cod_Articulo, c.Descripcion, c.UxCaja, CAST(a.Unidades /"
            " c.UxCaja AS INTEGER), a.Unidades, b.PU_Compra FROM Reposicion_Pref_Lineas a JOIN Almacen_Articulos b"
            " ON b.Cod_Empresa = 1 AND b.Cod_Almacen = 1 AND b.Cod_Articulo = a.Cod_Articulo JOIN Articulos c ON"
            " c.Cod_Empresa = 1 AND c.Codigo = a.Cod_Articulo WHERE a.Cod_Empresa = 1 AND a.Cod_Almacen = 1"
            " AND a.Codigo = %1",
            "UPDATE Almacen_Articulos SET Stock_Actual = Stock_Actual - (SELECT l.Unidades FROM"
            " Reposicion_Pref_Lineas l WHERE l.Codigo = %1 AND l.Cod_Articulo = Almacen_Articulos.Cod_Articulo)"
            " WHERE Cod_Empresa = 1 AND Cod_Almacen = 1 AND Cod_Articulo IN (%2)",
            "UPDATE Almacen_Articulos SET Stock_Actual = Stock_Actual + (SELECT l.Unidades FROM"
            " Reposicion_Pref_Lineas l WHERE l.Codigo = %1 AND l.Cod_Articulo = Almacen_Articulos.Cod_Articulo)"
            " WHERE Cod_Empresa = 1 AND Cod_Almacen = 12 AND Cod_Articulo IN (%2)",
            "UPDATE Reposicion_StockReservado SET Unidades = Unidades - (SELECT l.Unidades FROM"
            " Reposicion_Pref_Lineas l WHERE l.Codigo = %1 AND l.Cod_Articulo ="
            " Reposicion_StockReservado.Cod_Articulo) WHERE Cod_Empresa = 1 AND Cod_Almacen = 1"
            " AND Cod_Articulo IN (%2)",
            "UPDATE Articulos SET Mod_Ficha = 1 WHERE Cod_Empresa = 1 AND Codigo IN (%2) AND Codigo IN"
            " (SELECT Cod_Articulo FROM Almacen_Articulos WHERE Cod_Empresa = 1 AND Cod_Almacen = 12 AND Bloqueo = 1)",
            "UPDATE Almacen_Articulos SET Bloqueo = 0 WHERE Cod_Empresa = 1 AND Cod_Almacen = 12 AND Bloqueo = 1"
            " AND Cod_Articulo IN (%2)",
            "DELETE FROM Reposicion_Pref WHERE Cod_Empresa = 1 AND Cod_Almacen = 1 AND Codigo = %1",
            "DELETE FROM Reposicion_Pref_Lineas WHERE Cod_Empresa = 1 AND Cod_Almacen = 1 AND Codigo = %1",
        };
        for (const char* s : sentencias)
            preparar(c, QString::fromLatin1(s)
                            .replace(QStringLiteral("%1"), QString::number(kPrefactura))
                            .replace(QStringLiteral("%2"), lineas))->execute();
        // One accounting entry for the document, as the module books.
        preparar(contable, QStringLiteral("INSERT INTO Contabilidad_Traspasos SELECT * FROM Contabilidad_Traspasos"
                                          " WHERE 0"))->execute();
        t.commit();
        tc.commit();
        state.PauseTiming();
        c.reset();
        contable.reset();
        state.ResumeTiming();
    }
    anotarPico(state, "TraspasoSuelo");
}

// ---------------------------------------------------------------- leftover recording
QVector<GrabacionRestos::Linea> lineasRestos(int n)
{
    QVector<GrabacionRestos::Linea> l;
    l.reserve(n);
    for (int a = 1; a <= n; ++a)
        l.push_back({a, db::Money::fromInt(1 + a % 4), QStringLiteral("Rotura")});
    return l;
}

void RestosModulo(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto empresa = std::make_shared<host::EmpresaMemoria>();
    const auto lineas = lineasRestos(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto c = copia(plantilla(n), QStringLiteral("trabajo.db"));
        state.ResumeTiming();
        GrabacionRestos g(empresa, c);
        g.grabar(g.ObtenerCodigo(kHoy, 12, false, true), kHoy, 12, lineas, 7);
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
    anotarPico(state, "RestosModulo");
}

void RestosSuelo(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const auto lineas = lineasRestos(n);
    for (auto _ : state) {
        state.PauseTiming();
        auto c = copia(plantilla(n), QStringLiteral("trabajo.db"));
        state.ResumeTiming();
        db::Transaction t(c);
        preparar(c, QStringLiteral("INSERT INTO Contador_Reposicion_Restos (Cod_Empresa, Cod_Ejercicio, Cod_Almacen,"
                                   " Codigo) VALUES (1, 2026, 12, 26120001)"))->execute();
        preparar(c, QStringLiteral("INSERT INTO Reposicion_Restos (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Enviado)"
                                   " VALUES (1, 12, 26120001, '2026-12-05', 0)"))->execute();
        auto linea = preparar(c, QStringLiteral("INSERT INTO Reposicion_Restos_Lineas (Cod_Empresa, Cod_Almacen,"
                                                " Codigo, Cod_Articulo, Unidades, Concepto) VALUES (1, 12, 26120001,"
                                                " ?, ?, ?)"), 3);
        auto suma = preparar(c, QStringLiteral("INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo,"
                                               " Unidades, UnidadesVenta, UnidadesResto) VALUES (1, 12, ?, 0, ?, 0, ?)"
                                               " ON CONFLICT DO UPDATE SET Unidades = Unidades + excluded.Unidades,"
                                               " UnidadesResto = UnidadesResto + excluded.UnidadesResto"), 3);
        for (const auto& l : lineas) {
            linea->setParameter(0, l.articulo);
            linea->setParameter(1, l.unidades);
            linea->setParameter(2, l.concepto);
            linea->execute();
            suma->setParameter(0, l.articulo);
            suma->setParameter(1, l.unidades);
            suma->setParameter(2, l.unidades);
            suma->execute();
        }
        preparar(c, QStringLiteral("DELETE FROM Temp_Reposicion_Restos_Lineas WHERE NroPuesto = 7"))->execute();
        preparar(c, QStringLiteral("DELETE FROM Temp_Reposicion_Restos WHERE NroPuesto = 7"))->execute();
        t.commit();
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
    anotarPico(state, "RestosSuelo");
}

class Informe : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> tiempos;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            tiempos[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
};

}  // namespace

#define NRVX_TAMANOS ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1)
BENCHMARK(AnulacionSuelo) NRVX_TAMANOS;
BENCHMARK(AnulacionModulo) NRVX_TAMANOS;
BENCHMARK(TraspasoSuelo) NRVX_TAMANOS;
BENCHMARK(TraspasoModulo) NRVX_TAMANOS;
BENCHMARK(RestosSuelo) NRVX_TAMANOS;
BENCHMARK(RestosModulo) NRVX_TAMANOS;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    host::Reloj::fijar(kHoy);
    benchmark::Initialize(&argc, argv);
    Informe informe;
    benchmark::RunSpecifiedBenchmarks(&informe);
    for (const char* op : {"Anulacion", "Traspaso", "Restos"}) {
        for (int n : {1000, 10000, 100000}) {
            const std::string sufijo = "/" + std::to_string(n) + "/iterations:1";
            const double suelo = informe.tiempos[std::string(op) + "Suelo" + sufijo];
            const double modulo = informe.tiempos[std::string(op) + "Modulo" + sufijo];
            const long pico = picos[std::string(op) + "Modulo/" + std::to_string(n)];
            if (suelo > 0 && modulo > 0) {
                std::printf("%-9s %6d articles: module %8.1f ms, floor %8.1f ms, ratio %5.2fx, peak RSS %ld MiB\n",
                            op, n, modulo, suelo, modulo / suelo, pico / 1024);
            }
        }
    }
    return 0;
}
