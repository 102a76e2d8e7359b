// Generation for one store through the module's own pass (text statements, 10 groups and
// group 0), against a floor that does the same writes with prepared statements in one pass over
// one candidate query, on copies of the same database in the same run. Prints articles per
// second and the ratio for each size. A second pair times a nightly run over 20 stores, the
// stores served in turn against scarce stock shared out in proportion.
#include "host/EmpresaMemoria.h"
#include "host/Reloj.h"
#include "host/demo/Schema.h"
#include "platform/db/Command.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "reposic/prefactura/GeneracionPrefactura.h"
#include "reposic/prefactura/RepartoProporcional.h"
#include "reposic/prefactura/ReglaEnvio.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

constexpr int kGrupos = 10;

QTemporaryDir& carpeta()
{
    static QTemporaryDir d;
    return d;
}

QString plantilla(int articulos)
{
    const QString ruta = carpeta().filePath(QStringLiteral("plantilla-%1.db").arg(articulos));
    if (QFile::exists(ruta))
        return ruta;
    auto c = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + ruta);
    demo::createSchema(*c);
    db::Transaction t(c);
    c->execute(QStringLiteral("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre, RepPorcentajeCajas)"
                              " VALUES (1, 1, 'Central', 0), (1, 12, 'Tienda', 50)"));
    for (int g = 1; g <= kGrupos; ++g) {
        c->execute(QStringLiteral("INSERT INTO Reposicion_Grp (Cod_Empresa, Cod_Grupo, Nombre) VALUES (1, %1, 'G%1')").arg(g));
        c->execute(QStringLiteral("INSERT INTO Reposicion_Grp_Fam (Cod_Empresa, Cod_Grupo, Familia_1) VALUES (1, %1, %1)").arg(g));
    }
    db::Command art(c, QStringLiteral("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion, UxCaja, TipoRep,"
                                      " Familia_1) VALUES (1, ?, 'Articulo', ?, 1, ?)"));
    db::Command stock(c, QStringLiteral("INSERT INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo,"
                                        " Stock_Actual) VALUES (1, ?, ?, ?)"));
    db::Command pend(c, QStringLiteral("INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo,"
                                       " Unidades, UnidadesVenta, UnidadesResto) VALUES (1, 12, ?, 0, ?, ?, 0)"));
    for (int i = 0; i < 3; ++i)
        art.addParameter(QString::number(i), db::ParamType::Integer, 0);
    for (int i = 0; i < 3; ++i)
        stock.addParameter(QString::number(i), db::ParamType::Integer, 0);
    for (int i = 0; i < 3; ++i)
        pend.addParameter(QString::number(i), db::ParamType::Integer, 0);
    for (int a = 1; a <= articulos; ++a) {
        art.setParameter(0, a);
        art.setParameter(1, a % 4 == 0 ? 12 : 0);
        art.setParameter(2, a % 13);  // families 11 and 12 belong to no group
        art.execute();
        stock.setParameter(0, 1);
        stock.setParameter(1, a);
        stock.setParameter(2, a % 7 == 0 ? 0 : 40);
        stock.execute();
        stock.setParameter(0, 12);
        stock.setParameter(2, 0);
        stock.execute();
        pend.setParameter(0, a);
        pend.setParameter(1, 5 + a % 30);
        pend.setParameter(2, 5 + a % 30);
        pend.execute();
    }
    t.commit();
    c->executeScript(QStringLiteral("ANALYZE; PRAGMA wal_checkpoint(TRUNCATE);"));
    return ruta;
}

db::ConnectionPtr copiaFresca(int articulos)
{
    const QString ruta = carpeta().filePath(QStringLiteral("trabajo.db"));
    QFile::remove(ruta);
    QFile::remove(ruta + QStringLiteral("-wal"));
    QFile::remove(ruta + QStringLiteral("-shm"));
    QFile::copy(plantilla(articulos), ruta);
    return db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + ruta);
}

void Modulo(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto empresa = std::make_shared<host::EmpresaMemoria>();
    for (auto _ : state) {
        state.PauseTiming();
        auto c = copiaFresca(n);
        state.ResumeTiming();
        GeneracionPrefactura pase(empresa, c);
        pase.origen = 1;
        pase.destino = 12;
        for (int16_t g : pase.grupos())
            pase.generar(g);
        pase.generar(0);
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// The check nrvx-reposic generar runs on an embedded database before its first write, on the
// same file the module's pass starts from.
void ComprobacionRapida(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto c = copiaFresca(n);
        state.ResumeTiming();
        for (db::Recordset rs(c, QStringLiteral("PRAGMA quick_check")); !rs.eof(); rs.moveNext())
            benchmark::DoNotOptimize(rs.field(0).toText());
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
}

// The same writes, prepared once, over a single candidate query without groups.
void Suelo(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto c = copiaFresca(n);
        state.ResumeTiming();
        db::Transaction t(c);
        auto prep = [&](const char* sql, int params) {
            auto cmd = std::make_unique<db::Command>(c, QString::fromLatin1(sql));
            for (int i = 0; i < params; ++i)
                cmd->addParameter(QString::number(i), db::ParamType::Decimal, 0);
            return cmd;
        };
        auto linea = prep("INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen, Codigo, Cod_Articulo,"
                          " Unidades, UnidadesVenta, UnidadesResto, UnidadesGen) VALUES (1, 1, 260100001, ?, ?, ?, ?, ?)", 5);
        auto baja = prep("UPDATE Reposicion SET Unidades = Unidades - ?, UnidadesVenta = UnidadesVenta - ?"
                         " WHERE Cod_Empresa = 1 AND Cod_Almacen = 12 AND Cod_Articulo = ? AND CualidadX = 0"
                         " AND CualidadY = 0 AND Codigo = 0", 3);
        auto reserva = prep("INSERT INTO Reposicion_StockReservado (Cod_Empresa, Cod_Almacen, Cod_Articulo, Unidades)"
                            " VALUES (1, 1, ?, ?) ON CONFLICT DO UPDATE SET Unidades = Unidades + excluded.Unidades", 2);
        auto falta = prep("INSERT INTO Reposicion_Faltas (Cod_Empresa, Cod_Almacen, Cod_Articulo, Unidades)"
                          " VALUES (1, 12, ?, ?) ON CONFLICT DO UPDATE SET Unidades = Unidades + excluded.Unidades", 2);
        c->execute(QStringLiteral("INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Cod_AlmacenD,"
                                  " Pendiente, Observaciones) VALUES (1, 1, 260100001, '2026-12-05', 12, 1, '')"));
        db::Command cand(c, QStringLiteral(
            "SELECT a.Cod_Articulo, a.Unidades, a.UnidadesVenta, a.UnidadesResto, b.UxCaja, b.UxFraccion,"
            " c.Stock_Actual, IFNULL(d.Unidades, 0) FROM Reposicion a JOIN Articulos b ON a.Cod_Articulo = b.Codigo"
            " AND b.Cod_Empresa = 1 JOIN Almacen_Articulos c ON a.Cod_Empresa = c.Cod_Empresa AND c.Cod_Almacen = 1"
            " AND a.Cod_Articulo = c.Cod_Articulo JOIN Almacen_Articulos e ON a.Cod_Empresa = e.Cod_Empresa"
            " AND a.Cod_Almacen = e.Cod_Almacen AND a.Cod_Articulo = e.Cod_Articulo LEFT JOIN Reposicion_StockReservado d"
            " ON a.Cod_Empresa = d.Cod_Empresa AND d.Cod_Almacen = 1 AND a.Cod_Articulo = d.Cod_Articulo"
            " WHERE a.Cod_Empresa = 1 AND a.Cod_Almacen = 12 AND a.Codigo = 0 AND a.Unidades > 0 AND b.TipoRep = 1"
            " AND e.Bloqueo = 0"));
        auto filas = cand.query();
        while (filas->next()) {
            EntradaEnvio e;
            e.unidades = filas->value(1).toMoney();
            e.caja = static_cast<int16_t>(filas->value(5).toInt() > 0 ? filas->value(5).toInt() : filas->value(4).toInt());
            e.umbral = 50;
            e.stock = filas->value(6).toMoney();
            e.reservado = filas->value(7).toMoney();
            const DecisionEnvio d = decidirEnvio(e);
            const db::Value art = filas->value(0);
            if (d.enviar > db::Money()) {
                for (int i = 0; i < 5; ++i)
                    linea->setParameter(i, i == 0 ? art : i == 2 ? filas->value(2) : i == 3 ? filas->value(3) : db::Value(d.enviar));
                linea->execute();
                baja->setParameter(0, d.enviar);
                baja->setParameter(1, d.enviar);
                baja->setParameter(2, art);
                baja->execute();
                reserva->setParameter(0, art);
                reserva->setParameter(1, d.enviar);
                reserva->execute();
            }
            if (d.falta > db::Money()) {
                falta->setParameter(0, art);
                falta->setParameter(1, d.falta);
                falta->execute();
            }
        }
        filas.reset();
        c->execute(QStringLiteral("DELETE FROM Reposicion WHERE Cod_Empresa = 1 AND Cod_Almacen = 12 AND Codigo = 0 AND Unidades = 0"));
        c->execute(QStringLiteral("UPDATE Reposicion SET UnidadesResto = Unidades, UnidadesVenta = 0 WHERE Cod_Empresa = 1 AND Cod_Almacen = 12"));
        t.commit();
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

constexpr int kTiendas = 20;
constexpr int kArticulosTienda = 5000;

// 20 stores asking for the same 5,000 articles; `escasos` articles in 100 are short at the origin,
// with stock for about a third of what the stores ask.
QString plantillaTiendas(int escasos)
{
    const QString ruta = carpeta().filePath(QStringLiteral("plantilla-tiendas-%1.db").arg(escasos));
    if (QFile::exists(ruta))
        return ruta;
    auto c = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + ruta);
    demo::createSchema(*c);
    db::Transaction t(c);
    c->execute(QStringLiteral("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre, RepPorcentajeCajas)"
                              " VALUES (1, 1, 'Central', 0)"));
    for (int g = 1; g <= kGrupos; ++g) {
        c->execute(QStringLiteral("INSERT INTO Reposicion_Grp (Cod_Empresa, Cod_Grupo, Nombre) VALUES (1, %1, 'G%1')").arg(g));
        c->execute(QStringLiteral("INSERT INTO Reposicion_Grp_Fam (Cod_Empresa, Cod_Grupo, Familia_1) VALUES (1, %1, %1)").arg(g));
    }
    for (int tienda = 2; tienda < 2 + kTiendas; ++tienda) {
        c->execute(QStringLiteral("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre, RepPorcentajeCajas)"
                                  " VALUES (1, %1, 'Tienda', %2)").arg(tienda).arg(tienda % 2 == 0 ? 50 : 0));
    }
    db::Command art(c, QStringLiteral("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion, UxCaja, TipoRep,"
                                      " Familia_1) VALUES (1, ?, 'Articulo', ?, 1, ?)"));
    db::Command stock(c, QStringLiteral("INSERT INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo,"
                                        " Stock_Actual) VALUES (1, ?, ?, ?)"));
    db::Command pend(c, QStringLiteral("INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo,"
                                       " Unidades, UnidadesVenta, UnidadesResto) VALUES (1, ?, ?, 0, ?, ?, 0)"));
    for (int i = 0; i < 3; ++i)
        art.addParameter(QString::number(i), db::ParamType::Integer, 0);
    for (int i = 0; i < 3; ++i)
        stock.addParameter(QString::number(i), db::ParamType::Integer, 0);
    for (int i = 0; i < 4; ++i)
        pend.addParameter(QString::number(i), db::ParamType::Integer, 0);
    for (int a = 1; a <= kArticulosTienda; ++a) {
        art.setParameter(0, a);
        art.setParameter(1, a % 4 == 0 ? 12 : 0);
        art.setParameter(2, a % 13);
        art.execute();
        stock.setParameter(0, 1);
        stock.setParameter(1, a);
        stock.setParameter(2, a % 100 < escasos ? 150 : 20 * 40);  // 20 stores ask about 400
        stock.execute();
        for (int tienda = 2; tienda < 2 + kTiendas; ++tienda) {
            stock.setParameter(0, tienda);
            stock.setParameter(2, 0);
            stock.execute();
            pend.setParameter(0, tienda);
            pend.setParameter(1, a);
            pend.setParameter(2, 5 + (a + tienda) % 30);
            pend.setParameter(3, 5 + (a + tienda) % 30);
            pend.execute();
        }
    }
    t.commit();
    c->executeScript(QStringLiteral("ANALYZE; PRAGMA wal_checkpoint(TRUNCATE);"));
    return ruta;
}

// range(0): 0 serves the stores in turn, 1 shares scarce stock out first, 2 only works out the
// shares (reading every store's requests), without generating. range(1): scarce articles in 100.
void Tiendas(benchmark::State& state)
{
    const bool proporcional = state.range(0) != 0;
    auto empresa = std::make_shared<host::EmpresaMemoria>();
    const QString ruta = carpeta().filePath(QStringLiteral("tiendas.db"));
    for (auto _ : state) {
        state.PauseTiming();
        for (const QString& f : {ruta, ruta + QStringLiteral("-wal"), ruta + QStringLiteral("-shm")})
            QFile::remove(f);
        QFile::copy(plantillaTiendas(static_cast<int>(state.range(1))), ruta);
        auto c = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + ruta);
        state.ResumeTiming();
        QHash<int16_t, RepartoProporcional::Topes> topes;
        if (proporcional) {
            RepartoProporcional reparto;
            for (int16_t tienda = 2; tienda < 2 + kTiendas; ++tienda) {
                GeneracionPrefactura pase(empresa, c);
                pase.origen = 1;
                pase.destino = tienda;
                pase.solicitar(reparto);
            }
            topes = reparto.repartir();
        }
        for (int16_t tienda = 2; tienda < 2 + kTiendas && state.range(0) != 2; ++tienda) {
            GeneracionPrefactura pase(empresa, c);
            pase.origen = 1;
            pase.destino = tienda;
            if (proporcional)
                pase.limitar(topes.value(tienda));
            for (int16_t g : pase.grupos())
                pase.generar(g);
            pase.generar(0);
        }
        state.PauseTiming();
        if (state.range(0) != 2) {
            std::fprintf(stderr, "Tiendas/%d/%d: %lld lines, %lld shortage rows\n",
                         static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                         static_cast<long long>(c->scalar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_Pref_Lineas")).toInt64()),
                         static_cast<long long>(c->scalar(QStringLiteral("SELECT COUNT(*) FROM Reposicion_Faltas")).toInt64()));
        }
        c.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kTiendas * kArticulosTienda);
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

BENCHMARK(Suelo)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Modulo)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Tiendas)->ArgsProduct({{0, 1, 2}, {10, 67}})->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(ComprobacionRapida)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    host::Reloj::fijar(QDate(2026, 12, 5));
    benchmark::Initialize(&argc, argv);
    Informe informe;
    benchmark::RunSpecifiedBenchmarks(&informe);
    for (int n : {1000, 10000, 100000}) {
        const std::string sufijo = "/" + std::to_string(n) + "/iterations:2";
        const double suelo = informe.tiempos["Suelo" + sufijo];
        const double modulo = informe.tiempos["Modulo" + sufijo];
        if (suelo > 0 && modulo > 0) {
            std::printf("%6d articles: module %.0f articles/s, floor %.0f articles/s, ratio %.2fx%s\n", n,
                        n * 1000.0 / modulo, n * 1000.0 / suelo, modulo / suelo,
                        n == 10000 ? " (target <= 2.00x)" : "");
        }
        const double comprobacion = informe.tiempos["ComprobacionRapida" + sufijo];
        if (comprobacion > 0 && modulo > 0)
            std::printf("%6d articles: quick_check %.1f ms, %.1f%% of the module's generation\n", n,
                        comprobacion, 100.0 * comprobacion / modulo);
    }
    for (int escasos : {10, 67}) {
        auto tiempo = [&](int modo) {
            return informe.tiempos["Tiendas/" + std::to_string(modo) + "/" + std::to_string(escasos) + "/iterations:2"];
        };
        if (tiempo(0) > 0 && tiempo(1) > 0) {
            std::printf("%d stores x %d articles, %d%% scarce: in turn %.0f ms, proportional %.0f ms, +%.1f%%"
                        " (target <= 20%%); working out the shares alone %.0f ms\n", kTiendas, kArticulosTienda,
                        escasos, tiempo(0), tiempo(1), (tiempo(1) / tiempo(0) - 1) * 100, tiempo(2));
        }
    }
    return 0;
}
