// Several workstations (processes, each with its own connection) on one database file, running
// the module's own classes at the same time.
#include "fiabilidad/Comun.h"
#include "host/Reloj.h"
#include "platform/db/Transaction.h"
#include "reposic/data/clsAlmacen_Rep_PreF.h"
#include "reposic/restos/GrabacionRestos.h"
#include "support/Invariantes.h"

#include <QFile>
#include <QTextStream>

#include <gtest/gtest.h>

#include <iostream>
#include <set>

namespace {

const QString kOp = QStringLiteral("NRVX_CONT_OP");
const QString kDb = QStringLiteral("NRVX_CONT_DB");
const QString kArg = QStringLiteral("NRVX_CONT_ARG");
const QString kOut = QStringLiteral("NRVX_CONT_OUT");

// Articles whose leftovers the generation keeps (replenished and not blocked at the store).
const QString kArticulosRestos = QStringLiteral(
    "SELECT a.Codigo FROM Articulos a INNER JOIN Almacen_Articulos s ON s.Cod_Empresa = 1"
    " AND s.Cod_Almacen = %1 AND s.Cod_Articulo = a.Codigo WHERE a.Cod_Empresa = 1"
    " AND a.TipoRep <> 0 AND s.Bloqueo = 0 ORDER BY a.Codigo LIMIT 40");

// The child's half, one of three roles.
TEST(ContencionHijo, trabajar)
{
    const QString op = qEnvironmentVariable(kOp.toLatin1());
    if (op.isEmpty())
        GTEST_SKIP() << "run by Contencion";
    host::Reloj::Fijado reloj(fiab::kHoy);
    auto c = fiab::abrir(qEnvironmentVariable(kDb.toLatin1()));
    const int arg = qEnvironmentVariableIntValue(kArg.toLatin1());
    QFile out(qEnvironmentVariable(kOut.toLatin1()));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    QTextStream s(&out);
    if (op == QLatin1String("numerar")) {
        clsAlmacen_Rep_PreF p;
        p.cEmpresa(fiab::empresa());
        p.Conexion(c);
        p.Almacen = 7;
        for (int i = 0; i < arg; ++i) {
            if (i % 2) {
                db::Transaction t(c);
                s << p.Dev_Codigo() << '\n';
                t.commit();
            } else {
                s << p.Dev_Codigo() << '\n';
            }
        }
    } else if (op == QLatin1String("generar")) {
        for (int64_t codigo : fiab::generarTodo(c, 1, static_cast<int16_t>(arg)))
            s << codigo << '\n';
    } else if (op == QLatin1String("restos")) {
        // Several small documents, one unit of each article, while the other workstation generates.
        GrabacionRestos g(fiab::empresa(), c);
        QVector<GrabacionRestos::Linea> lineas;
        auto rs = c->driver().query(kArticulosRestos.arg(arg));
        while (rs->next())
            lineas.push_back({rs->value(0).toInt(), db::Money::fromInt(1), QStringLiteral("cont")});
        for (int d = 0; d < 8; ++d) {
            const int64_t codigo = g.ObtenerCodigo(fiab::kHoy, static_cast<int16_t>(arg), false, true);
            g.grabar(codigo, fiab::kHoy, static_cast<int16_t>(arg), lineas, 90 + d);
            s << codigo << '\n';
        }
    }
}

struct Trabajo {
    QString op;
    int arg;
};

// Starts every child at once, waits for all, and answers each one's output lines.
std::vector<QStringList> lanzar(const QString& ruta, const std::vector<Trabajo>& trabajos)
{
    std::vector<std::unique_ptr<QProcess>> hijos;
    for (size_t i = 0; i < trabajos.size(); ++i) {
        hijos.push_back(fiab::hijo(QStringLiteral("ContencionHijo.trabajar"),
                                   {{kOp, trabajos[i].op},
                                    {kDb, ruta},
                                    {kArg, QString::number(trabajos[i].arg)},
                                    {kOut, ruta + QStringLiteral(".out%1").arg(i)}}));
    }
    std::vector<QStringList> salidas;
    for (size_t i = 0; i < hijos.size(); ++i) {
        EXPECT_TRUE(hijos[i]->waitForFinished(170000));
        EXPECT_EQ(hijos[i]->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(hijos[i]->exitCode(), 0) << trabajos[i].op.toStdString() << " " << trabajos[i].arg;
        QFile f(ruta + QStringLiteral(".out%1").arg(i));
        QStringList lineas;
        if (f.open(QIODevice::ReadOnly))
            lineas = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        salidas.push_back(lineas);
    }
    return salidas;
}

TEST(Contencion, fourWorkstationsNumberingOneWarehouseGetDistinctCodes)
{
    host::Reloj::Fijado reloj(fiab::kHoy);
    const int veces = fiab::veces(250, 1000);
    const QString ruta = fiab::carpeta() + QStringLiteral("/numeracion.db");
    fiab::copiar(fiab::plantilla(QStringLiteral("contencion"), 600, 5), ruta);
    const auto salidas = lanzar(ruta, std::vector<Trabajo>(4, Trabajo{QStringLiteral("numerar"), veces}));
    std::set<long long> codigos;
    size_t emitidos = 0;
    for (const QStringList& s : salidas) {
        emitidos += s.size();
        for (const QString& l : s)
            codigos.insert(l.toLongLong());
    }
    EXPECT_EQ(emitidos, 4u * veces);
    EXPECT_EQ(codigos.size(), 4u * veces);
    EXPECT_EQ(*codigos.begin(), 260700001);
    EXPECT_EQ(*codigos.rbegin(), 260700000 + 4 * veces);
    auto c = fiab::abrir(ruta);
    EXPECT_EQ(c->scalar("SELECT Codigo FROM Contador_Reposicion_Pref WHERE Cod_Almacen = 7").toInt64(),
              260700000 + 4 * veces);
    std::cout << "[contention] 4 processes x " << veces << " numberings: " << codigos.size()
              << " distinct codes of " << emitidos << ", " << *codigos.begin() << ".." << *codigos.rbegin()
              << std::endl;
    RecordProperty("codes", static_cast<int>(codigos.size()));
}

TEST(Contencion, fourStoresGeneratedAtOnceFromOneOrigin)
{
    host::Reloj::Fijado reloj(fiab::kHoy);
    const QString ruta = fiab::carpeta() + QStringLiteral("/cuatro.db");
    fiab::copiar(fiab::plantilla(QStringLiteral("contencion"), fiab::veces(600, 3000), 5), ruta);
    testsupport::Invariantes inv;
    int64_t reservaAntes = 0, lineasAntes = 0, stockOrigen = 0;  // stockOrigen: over-reserved articles
    {
        auto c = fiab::abrir(ruta);
        inv = testsupport::Invariantes::tomarBase(c);
        reservaAntes = testsupport::sumaEscalada(c, "Reposicion_StockReservado", "Unidades", "Cod_Almacen = 1");
        lineasAntes = testsupport::sumaEscalada(c, "Reposicion_Pref_Lineas", "Unidades", "Cod_Almacen = 1");
    }
    const auto salidas = lanzar(ruta, {{QStringLiteral("generar"), 3}, {QStringLiteral("generar"), 4},
                                       {QStringLiteral("generar"), 5}, {QStringLiteral("generar"), 6}});
    auto c = fiab::abrir(ruta);
    const QStringList fallos = inv.comprobar(c);
    EXPECT_TRUE(fallos.isEmpty()) << fallos.join(QStringLiteral("; ")).toStdString();
    const int64_t reserva = testsupport::sumaEscalada(c, "Reposicion_StockReservado", "Unidades", "Cod_Almacen = 1");
    const int64_t lineas = testsupport::sumaEscalada(c, "Reposicion_Pref_Lineas", "Unidades", "Cod_Almacen = 1");
    EXPECT_EQ(reserva - reservaAntes, lineas - lineasAntes);
    // No article is promised beyond the origin's stock by the four together.
    stockOrigen = c->scalar("SELECT COUNT(*) FROM Reposicion_StockReservado r INNER JOIN Almacen_Articulos s"
                            " ON s.Cod_Empresa = r.Cod_Empresa AND s.Cod_Almacen = r.Cod_Almacen"
                            " AND s.Cod_Articulo = r.Cod_Articulo WHERE r.Cod_Almacen = 1"
                            " AND r.Unidades > s.Stock_Actual AND s.Stock_Actual > 0").toInt64();
    EXPECT_EQ(stockOrigen, 0);
    int prefacturas = 0;
    for (const QStringList& s : salidas)
        prefacturas += s.size();
    EXPECT_GT(prefacturas, 4);
    const long long porDestino = c->scalar("SELECT COUNT(DISTINCT Cod_AlmacenD) FROM Reposicion_Pref"
                                           " WHERE Cod_AlmacenD IN (3, 4, 5, 6)").toInt64();
    EXPECT_EQ(porDestino, 4);
    std::cout << "[contention] 4 processes generating stores 3-6 from warehouse 1: " << prefacturas
                << " pre-invoices, " << (lineas - lineasAntes) / 10000.0 << " units on new lines = "
                << (reserva - reservaAntes) / 10000.0 << " units newly reserved; articles reserved beyond"
                << " stock: " << stockOrigen << "; "
                << inv.comprobaciones() << " invariant checks held" << std::endl;
    RecordProperty("preinvoices", prefacturas);
}

TEST(Contencion, leftoversRecordedWhileGeneratingLoseNoUnit)
{
    host::Reloj::Fijado reloj(fiab::kHoy);
    const QString ruta = fiab::carpeta() + QStringLiteral("/restos.db");
    fiab::copiar(fiab::plantilla(QStringLiteral("contencion"), 600, 5), ruta);
    constexpr int kTienda = 4;
    QString conjunto;
    testsupport::Invariantes inv;
    int64_t pendienteAntes = 0, lineasAntes = 0;
    auto unidades = [&](const db::ConnectionPtr& c, int64_t& pendiente, int64_t& enLineas) {
        pendiente = testsupport::sumaEscalada(c, "Reposicion", "Unidades",
            QStringLiteral("Cod_Almacen = %1 AND Codigo = 0 AND Cod_Articulo IN (%2)").arg(kTienda).arg(conjunto));
        enLineas = testsupport::sumaEscalada(c, "Reposicion_Pref_Lineas l", "l.Unidades",
            QStringLiteral("l.Cod_Articulo IN (%1) AND EXISTS (SELECT 1 FROM Reposicion_Pref p WHERE"
                           " p.Cod_Almacen = l.Cod_Almacen AND p.Codigo = l.Codigo AND p.Cod_AlmacenD = %2)")
                .arg(conjunto).arg(kTienda));
    };
    int articulos = 0;
    {
        auto c = fiab::abrir(ruta);
        inv = testsupport::Invariantes::tomarBase(c);
        QStringList codigos;
        auto rs = c->driver().query(kArticulosRestos.arg(kTienda));
        while (rs->next())
            codigos << rs->value(0).toText();
        articulos = codigos.size();
        conjunto = codigos.join(QLatin1Char(','));
        unidades(c, pendienteAntes, lineasAntes);
    }
    ASSERT_GT(articulos, 10);
    const auto salidas = lanzar(ruta, {{QStringLiteral("restos"), kTienda}, {QStringLiteral("generar"), kTienda}});
    auto c = fiab::abrir(ruta);
    const QStringList fallos = inv.comprobar(c);
    EXPECT_TRUE(fallos.isEmpty()) << fallos.join(QStringLiteral("; ")).toStdString();
    int64_t pendiente = 0, enLineas = 0;
    unidades(c, pendiente, enLineas);
    const int64_t grabadas = testsupport::sumaEscalada(c, "Reposicion_Restos_Lineas", "Unidades",
                                                       QStringLiteral("Cod_Almacen = %1").arg(kTienda));
    EXPECT_EQ(grabadas, 8LL * articulos * 10000);
    // Every unit is still pending or on a pre-invoice to the store.
    EXPECT_EQ(pendiente + enLineas, pendienteAntes + lineasAntes + grabadas);
    std::cout << "[contention] leftovers (" << salidas[0].size() << " documents, " << grabadas / 10000.0
              << " units) recorded while store " << kTienda << " was generated (" << salidas[1].size()
              << " pre-invoices): before " << (pendienteAntes + lineasAntes) / 10000.0 << " + "
              << grabadas / 10000.0 << " = after " << (pendiente + enLineas) / 10000.0
              << " units pending or on lines; " << inv.comprobaciones() << " invariant checks held" << std::endl;
}

}  // namespace
