// A failure forced at every statement of the perishable pre-invoice generation and of the booking
// of an order matching leaves the rows exactly as they were, and the operation completes once the
// fault is past its last statement.
#include "fiabilidad/Comun.h"
#include "host/Reloj.h"
#include "platform/db/Error.h"
#include "reposic/casacion/CasacionPedidos.h"
#include "reposic/perecederos/GeneracionPedidosPerecederos.h"
#include "support/Invariantes.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <random>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace {

// Store 2 orders perishables of type 1 for every demo article; type 2 and store 3 hold orders
// the run must leave alone.
const char* const kPedidosPerecederos =
    "INSERT OR IGNORE INTO Pedidos_Central_Tipos (Codigo, Nombre, Cod_Almacen) VALUES (1, 'Frutas', 1);"
    "INSERT OR IGNORE INTO Pedidos_Central_Tipos (Codigo, Nombre, Cod_Almacen) VALUES (2, 'Carnes', 1);"
    "INSERT OR REPLACE INTO Pedidos_Central (Cod_Empresa, Cod_Almacen, Cod_Tipo, Cod_Articulo, Cantidad)"
    " SELECT 1, 2, 1, Codigo, 1 + Codigo % 7 + 0.25 FROM Articulos WHERE Cod_Empresa = 1;"
    "INSERT OR REPLACE INTO Pedidos_Central (Cod_Empresa, Cod_Almacen, Cod_Tipo, Cod_Articulo, Cantidad)"
    " SELECT 1, 2, 2, Codigo, 3 FROM Articulos WHERE Cod_Empresa = 1 AND Codigo % 4 = 0;"
    "INSERT OR REPLACE INTO Pedidos_Central (Cod_Empresa, Cod_Almacen, Cod_Tipo, Cod_Articulo, Cantidad)"
    " SELECT 1, 3, 1, Codigo, 2 FROM Articulos WHERE Cod_Empresa = 1 AND Codigo % 3 = 0;";

// Supplier 9500 of store 2 with `n` articles: three marked orders over all but the last,
// overlapping, an unmarked one, and three mini-purchases that receive some short, some over and
// the last article never ordered, so that every branch of the booking writes (receipts split
// across orders, liquidation, differences). n = 25 for the fault trials.
QString datosCasacion(int n)
{
    return QStringLiteral("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre, UsarPendRecibirPedidos)"
    " VALUES (1, 9500, 'Proveedor casación', 1);"
    "CREATE TEMP TABLE Arts AS SELECT Codigo, ROW_NUMBER() OVER (ORDER BY Codigo) AS N"
    " FROM Articulos WHERE Cod_Empresa = 1 ORDER BY Codigo LIMIT %1;"
    "INSERT INTO Pedidos_Proveedores (Cod_Empresa, Codigo, Fecha, Cod_Almacen, Cod_Proveedor, Importe)"
    " VALUES (1, 9101, '2026-12-01', 2, 9500, 10), (1, 9102, '2026-12-02', 2, 9500, 20),"
    " (1, 9103, '2026-12-03', 2, 9500, 30), (1, 9104, '2026-12-03', 2, 9500, 40);"
    "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo, Unidades)"
    " SELECT 1, 9101, N, Codigo, 10 FROM Arts WHERE N <= %2;"
    "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo, Unidades, UnidadesRcv)"
    " SELECT 1, 9102, N, Codigo, 6, 1 FROM Arts WHERE N BETWEEN %3 AND %4;"
    "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo, Unidades)"
    " SELECT 1, 9103, N, Codigo, 4 FROM Arts WHERE N BETWEEN %5 AND %6;"
    "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo, Descripcion)"
    " VALUES (1, 9103, 99, 0, 'Portes');"
    "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo, Unidades)"
    " SELECT 1, 9104, N, Codigo, 5 FROM Arts WHERE N <= 5;"
    "INSERT INTO Compras_Mini (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Fecha, Documento,"
    " Cod_Proveedor, EnviadoCheckvsPed) VALUES (1, 2026, 2, 9001, '2026-12-04', 'ALB-1', 9500, 1),"
    " (1, 2026, 2, 9002, '2026-12-04', 'ALB-2', 9500, 1), (1, 2026, 2, 9003, '2026-12-04', 'ALB-3', 9500, 1);"
    "INSERT INTO Compras_Mini_Lineas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea,"
    " Cod_Articulo, Unidades, CostoFra) SELECT 1, 2026, 2, 9001, N, Codigo, 3 + N % 9, 2.5 FROM Arts"
    " WHERE N <= %1;"
    "INSERT INTO Compras_Mini_Lineas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea,"
    " Cod_Articulo, Unidades, CostoFra) SELECT 1, 2026, 2, 9002, N, Codigo, N % 4, 1.5 FROM Arts"
    " WHERE N % 2 = 0;"
    "INSERT INTO Compras_Mini_Lineas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea,"
    " Cod_Articulo, Unidades, CostoFra) SELECT 1, 2026, 2, 9003, N, Codigo, 1, 1 FROM Arts WHERE N <= 3;"
    "INSERT INTO Compras_Mini_Lineas_Convenio (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea,"
    " Cod_Convenio, Importe) SELECT Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea, 1, 0.2"
    " FROM Compras_Mini_Lineas WHERE Codigo BETWEEN 9001 AND 9003;"
    "DROP TABLE Arts;")
        .arg(n).arg(n / 2).arg(n / 3).arg(5 * n / 6).arg(2 * n / 3).arg(n - 1);
}

// The demo company of the other fault trials plus `extra`, built once per process and name.
QString plantillaCon(const QString& base, const QString& nombre, const QString& extra)
{
    const QString ruta = fiab::carpeta()
        + QStringLiteral("/fallo-plantilla-%1-%2.db").arg(nombre, QFileInfo(base).completeBaseName());
    if (QFile::exists(ruta))
        return ruta;
    fiab::copiar(base, ruta + QStringLiteral(".obra"));
    {
        auto c = fiab::abrir(ruta + QStringLiteral(".obra"));
        c->executeScript(extra);
        c->executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
    }
    QFile::rename(ruta + QStringLiteral(".obra"), ruta);
    return ruta;
}

struct Caso {
    const char* nombre;
    std::function<QString(int articulos)> datos;
    // Whether the invariants hold after the finished run too: perishable pre-invoices carry
    // lines with no reservation behind them, as the central office sends what the store asked.
    bool invariantesAlFinal;
    std::function<void(const db::ConnectionPtr&)> preparar;  // reads done before the writes
    std::function<void(const db::ConnectionPtr&)> operar;    // the transactional writes
    // What the finished run must have written, beyond matching the reference run.
    std::function<void(const db::ConnectionPtr&)> comprobar;
};

void PrintTo(const Caso& caso, std::ostream* os) { *os << caso.nombre; }

long long contar(const db::ConnectionPtr& c, const QString& sql) { return c->scalar(sql).toInt64(); }

std::shared_ptr<host::EmpresaMemoria> empresaCasacion()
{
    auto e = fiab::empresa();
    for (const char* p : {"OficinaCentral=1", "PedProv_ModoActUndsPtes=1",
                          "RepArtProv_TipoReposicionAutomatica=1"}) {
        const QStringList kv = QString::fromLatin1(p).split(QLatin1Char('='));
        e->setParametro(kv[0], kv[1]);
    }
    return e;
}

CasacionPedidos casacion(const db::ConnectionPtr& c)
{
    CasacionPedidos run(empresaCasacion(), c);
    run.almacen = 2;
    run.proveedor = 9500;
    run.pedidos = {9102, 9101, 9103};
    run.miniCompras = {{2026, 9001}, {2026, 9002}, {2026, 9003}};
    return run;
}

Caso perecederos()
{
    return {"perecederos", [](int) { return QString::fromUtf8(kPedidosPerecederos); }, false,
            [](const db::ConnectionPtr&) {},
            [](const db::ConnectionPtr& c) {
                GeneracionPedidosPerecederos g(fiab::empresa(), c);
                g.origen = 1;
                g.destino = 2;
                g.tipo = 1;
                if (g.generar() == 0)
                    throw std::logic_error("no pre-invoice generated");
            },
            [](const db::ConnectionPtr& c) {
                // One pre-invoice of every article ordered, the type's orders of the store gone.
                EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Pedidos_Central"
                                                   " WHERE Cod_Almacen = 2 AND Cod_Tipo = 1")), 0);
                EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Reposicion_Pref_Lineas l WHERE"
                                                   " l.Cod_Almacen = 1 AND l.Codigo = (SELECT MAX(Codigo)"
                                                   " FROM Reposicion_Pref WHERE Cod_AlmacenD = 2) AND"
                                                   " l.UnidadesGen <> 0 AND l.UnidadesResto = 0"
                                                   " AND l.Unidades = l.UnidadesGen")),
                          contar(c, QStringLiteral("SELECT COUNT(*) FROM Articulos WHERE Cod_Empresa = 1")));
                EXPECT_GT(contar(c, QStringLiteral("SELECT COUNT(*) FROM Pedidos_Central")), 0);
            }};
}

Caso casacionPedidos()
{
    return {"casacion", datosCasacion, true,
            [](const db::ConnectionPtr& c) {
                // The totals the screen shows are read before the user agrees; the booking only
                // reads them, so a failed booking retried on the same totals must book the same.
                CasacionPedidos run = casacion(c);
                run.AcumularPedidos();
                run.AcumularMiniCompras();
                if (CasacionPedidos::CalcularDiferencias())
                    throw std::logic_error("the matching data has no differences");
            },
            [](const db::ConnectionPtr& c) { casacion(c).Aplicar(true, true); },
            [](const db::ConnectionPtr& c) {
                EXPECT_GT(contar(c, QStringLiteral("SELECT COUNT(*) FROM"
                                                   " Pedidos_Proveedores_Recepciones")), 0);
                EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Pedidos_Proveedores WHERE"
                                                   " Codigo IN (9101, 9102, 9103) AND Pendiente = 1")), 0);
                EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Pedidos_Proveedores_Lineas WHERE"
                                                   " Codigo = 9104 AND (UnidadesRcv <> 0 OR"
                                                   " UnidadesLiq <> 0)")), 0);
                EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Compras_Mini WHERE CheckvsPed = 1"
                                                   " AND Cod_PedidoProv = 9102")), 3);
                EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Compras_Mini_Lineas_Convenio"
                                                   " WHERE Codigo BETWEEN 9001 AND 9003")), 0);
            }};
}

Caso casoDe(const QString& nombre)
{
    for (Caso caso : {perecederos(), casacionPedidos()}) {
        if (nombre == QLatin1String(caso.nombre))
            return caso;
    }
    throw std::invalid_argument("unknown operation " + nombre.toStdString());
}

class FalloInyectadoMas : public ::testing::TestWithParam<Caso> {};

TEST_P(FalloInyectadoMas, everyStatementPositionRollsBackToTheSameRows)
{
    const Caso caso = GetParam();
    host::Reloj::Fijado reloj(fiab::kHoy);
    const QString plantilla = plantillaCon(fiab::plantilla(QStringLiteral("fallos"), 40, 2),
                                          QString::fromLatin1(caso.nombre), caso.datos(25));
    const QString dir = fiab::carpeta();
    const QString rutaRef = dir + QStringLiteral("/fallo-referencia-%1.db").arg(caso.nombre);

    QString referencia;
    long long sentencias = 0;
    {
        fiab::copiar(plantilla, rutaRef);
        auto c = fiab::abrir(rutaRef);
        caso.preparar(c);
        const long long desde = c->statementsRun();
        caso.operar(c);
        sentencias = c->statementsRun() - desde;
        referencia = testsupport::volcadoFilas(c, true);
    }
    ASSERT_GT(sentencias, 2);

    const QString ruta = dir + QStringLiteral("/fallo-%1.db").arg(caso.nombre);
    fiab::copiar(plantilla, ruta);
    auto c = fiab::abrir(ruta);
    const QString antes = testsupport::volcadoFilas(c, true);
    ASSERT_NE(antes, referencia) << "the operation changed nothing: the trial proves nothing";
    auto inv = testsupport::Invariantes::tomarBase(c);
    const long long paso = fiab::largo() || sentencias <= 400 ? 1 : sentencias / 360;
    int probadas = 0;
    for (long long k = 1; k <= sentencias; ++k) {
        if (paso > 1 && k > 20 && k < sentencias - 20 && k % paso)
            continue;
        ++probadas;
        caso.preparar(c);
        c->failStatement(static_cast<int>(k));
        bool errorDb = false;
        try {
            caso.operar(c);
        } catch (const db::Error&) {
            errorDb = true;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "position " << k << ": not a database error: " << e.what();
        }
        c->failStatement(0);
        ASSERT_TRUE(errorDb) << caso.nombre << ": the fault at statement " << k << " of " << sentencias
                             << " was not reported";
        ASSERT_EQ(c->transactionDepth(), 0) << "position " << k;
        // Counters included: a pre-invoice number taken inside the transaction goes back too.
        ASSERT_TRUE(testsupport::volcadoFilas(c, true) == antes)
            << caso.nombre << ": rows changed after a fault at statement " << k;
        const QStringList fallos = inv.comprobar(c);
        ASSERT_TRUE(fallos.isEmpty()) << "position " << k << ": "
                                      << fallos.join(QStringLiteral("; ")).toStdString();
    }
    caso.preparar(c);
    c->failStatement(static_cast<int>(sentencias + 1));
    caso.operar(c);
    c->failStatement(0);
    EXPECT_TRUE(testsupport::volcadoFilas(c, true) == referencia) << "final run differs";
    caso.comprobar(c);
    if (caso.invariantesAlFinal) {
        const QStringList fallos = inv.comprobar(c);
        EXPECT_TRUE(fallos.isEmpty()) << fallos.join(QStringLiteral("; ")).toStdString();
    }
    std::cout << "[fault] " << caso.nombre << ": " << sentencias << " statements, " << probadas
              << " fault positions, each rolled back to identical rows; " << inv.comprobaciones()
              << " invariant checks" << std::endl;
    RecordProperty("statements", static_cast<int>(sentencias));
    RecordProperty("positions", probadas);
}

INSTANTIATE_TEST_SUITE_P(Operaciones, FalloInyectadoMas, ::testing::Values(perecederos(), casacionPedidos()),
                         [](const auto& info) { return std::string(info.param.nombre); });

// ---------------------------------------------------------------- crash trials

// The child's half: opens the file, reads what the screen reads first, says so, runs the writes
// and says so again.
TEST(CaidaHijoMas, operar)
{
    const QString ruta = qEnvironmentVariable("NRVX_CAIDA_MAS_DB");
    if (ruta.isEmpty())
        GTEST_SKIP() << "run by CaidaMas";
    host::Reloj::Fijado reloj(fiab::kHoy);
    const Caso caso = casoDe(qEnvironmentVariable("NRVX_CAIDA_MAS_OP"));
    auto c = fiab::abrir(ruta);
    caso.preparar(c);
    std::cout << "listo" << std::endl;
    caso.operar(c);
    std::cout << "hecho" << std::endl;
}


// Articles of the crash company: thousands of statements per operation, so kills land inside.
constexpr int kArticulosCaida = 3000;

class CaidaMas : public ::testing::TestWithParam<Caso> {};

TEST_P(CaidaMas, killedAnywhereLeavesTheOperationWholeOrAbsent)
{
    const Caso caso = GetParam();
    const int pruebas = fiab::veces(10, 100);
    host::Reloj::Fijado reloj(fiab::kHoy);
    const QString plantilla = plantillaCon(fiab::plantillaCaida(kArticulosCaida),
                                           QString::fromLatin1(caso.nombre), caso.datos(kArticulosCaida));
    const QString dir = fiab::carpeta();
    const QString ruta = dir + QStringLiteral("/caida-mas-%1.db").arg(caso.nombre);

    QString antes, despues;
    qint64 duracion = 0;
    long long sentencias = 0;
    {
        fiab::copiar(plantilla, ruta);
        auto c = fiab::abrir(ruta);
        antes = testsupport::volcadoFilas(c, true);
        caso.preparar(c);
        const long long desde = c->statementsRun();
        QElapsedTimer t;
        t.start();
        caso.operar(c);
        duracion = t.elapsed();
        sentencias = c->statementsRun() - desde;
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

INSTANTIATE_TEST_SUITE_P(Operaciones, CaidaMas, ::testing::Values(perecederos(), casacionPedidos()),
                         [](const auto& info) { return std::string(info.param.nombre); });

}  // namespace
