// The accumulator's upsert as text statements through the database layer, against the floor of
// the same writes through prepared statements, on one database in one run. Prints the ratio.
#include "host/EmpresaMemoria.h"
#include "host/demo/Schema.h"
#include "platform/db/Command.h"
#include "platform/db/Transaction.h"
#include "reposic/data/clsAlmacen_Rep.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

constexpr int kWrites = 100000;
constexpr int kArticulos = 5000;  // each article is written 20 times: mostly updates, some inserts

struct Base {
    QTemporaryDir dir;
    db::ConnectionPtr conn;
    std::shared_ptr<host::EmpresaMemoria> empresa = std::make_shared<host::EmpresaMemoria>();
    Base()
    {
        conn = db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=")
                                          + dir.filePath(QStringLiteral("b.db")));
        demo::createSchema(*conn);
    }
    void vaciar() { conn->execute(QStringLiteral("DELETE FROM Reposicion")); }
};

Base& base()
{
    static Base b;
    return b;
}

void TextStatements(benchmark::State& state)
{
    Base& b = base();
    for (auto _ : state) {
        state.PauseTiming();
        b.vaciar();
        state.ResumeTiming();
        db::Transaction t(b.conn);
        clsAlmacen_Rep r;
        r.cEmpresa(b.empresa);
        r.Conexion(b.conn);
        r.Almacen = 5;
        for (int i = 0; i < kWrites; ++i) {
            r.Articulo = 1 + i % kArticulos;
            r.Unidades = db::Money::fromInt(i % 7 + 1);
            r.UnidadesVenta = db::Money::fromInt(i % 3);
            r.UnidadesResto = db::Money::fromDouble(0.5);
            r.Modificar();
        }
        t.commit();
    }
    state.SetItemsProcessed(state.iterations() * kWrites);
}

void PreparedFloor(benchmark::State& state)
{
    Base& b = base();
    for (auto _ : state) {
        state.PauseTiming();
        b.vaciar();
        state.ResumeTiming();
        db::Transaction t(b.conn);
        db::Command upd(b.conn, QStringLiteral(
            "UPDATE Reposicion SET Unidades = Unidades + ?, UnidadesVenta = UnidadesVenta + ?,"
            " UnidadesResto = UnidadesResto + ? WHERE Cod_Empresa = ? AND Cod_Almacen = ?"
            " AND Cod_Articulo = ? AND CualidadX = ? AND CualidadY = ? AND Codigo = 0"));
        db::Command ins(b.conn, QStringLiteral(
            "INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo, CualidadX,"
            " CualidadY, Unidades, UnidadesVenta, UnidadesResto) VALUES (?, ?, ?, 0, ?, ?, ?, ?, ?)"));
        for (const char* n : {"u", "uv", "ur"})
            upd.addParameter(QString::fromLatin1(n), db::ParamType::Decimal, 0);
        for (const char* n : {"e", "a", "art", "x", "y"})
            upd.addParameter(QString::fromLatin1(n), db::ParamType::Integer, 0);
        for (const char* n : {"e", "a", "art", "x", "y"})
            ins.addParameter(QString::fromLatin1(n), db::ParamType::Integer, 0);
        for (const char* n : {"u", "uv", "ur"})
            ins.addParameter(QString::fromLatin1(n), db::ParamType::Decimal, 0);
        for (int i = 0; i < kWrites; ++i) {
            const db::Value vals[8] = {db::Money::fromInt(i % 7 + 1), db::Money::fromInt(i % 3),
                                       db::Money::fromDouble(0.5), 1, 5, 1 + i % kArticulos, 0, 0};
            for (int p = 0; p < 8; ++p)
                upd.setParameter(p, vals[p]);
            if (upd.execute() == 0) {
                for (int p = 0; p < 5; ++p)
                    ins.setParameter(p, vals[3 + p]);
                for (int p = 0; p < 3; ++p)
                    ins.setParameter(5 + p, vals[p]);
                ins.execute();
            }
        }
        t.commit();
    }
    state.SetItemsProcessed(state.iterations() * kWrites);
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            times[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
};

}  // namespace

BENCHMARK(PreparedFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TextStatements)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double floor = 0, text = 0;
    for (const auto& [name, t] : reporter.times) {
        if (name.rfind("PreparedFloor", 0) == 0) floor = t;
        if (name.rfind("TextStatements", 0) == 0) text = t;
    }
    if (floor > 0 && text > 0)
        std::printf("text statements / prepared floor = %.2fx (target <= 1.50x)\n", text / floor);
    return 0;
}
