#include "platform/db/Recordset.h"
#include "reposic/prefactura/GeneracionPrefactura.h"
#include "reposic/prefactura/RepartoProporcional.h"
#include "reposic/prefactura/ReglaEnvio.h"
#include "support/DatosFixture.h"
#include "support/Semilla.h"

#include <QSet>

#include <algorithm>
#include <random>

using db::Money;

namespace {

Money u(double v) { return Money::fromDouble(v); }

}  // namespace

// --- The shares alone -------------------------------------------------------------------------

TEST(RepartoProporcional, scarceStockGoesInProportionWholeBoxesFirstThenLooseUnits)
{
    RepartoProporcional r;
    for (int16_t t : {12, 13, 14, 15})
        r.solicitar(t, 1, u(100), 0);
    r.stockLibre(1, u(200));
    // Box of 12, shares of 12.5 each: one box each, the unit left to the lower store code.
    r.solicitar(13, 2, u(24), 12);
    r.solicitar(12, 2, u(24), 12);
    r.stockLibre(2, u(25));
    // Shares below one box (6.67 and 3.33) still get units, the larger fraction first.
    r.solicitar(12, 3, u(12), 12);
    r.solicitar(13, 3, u(24), 12);
    r.stockLibre(3, u(10));
    // Enough for everyone: no cap at all.
    r.solicitar(12, 4, u(5), 0);
    r.solicitar(13, 4, u(5), 0);
    r.stockLibre(4, u(10));

    const auto topes = r.repartir();
    for (int16_t t : {12, 13, 14, 15})
        EXPECT_EQ(topes[t].value(1), u(50)) << t;
    EXPECT_EQ(topes[12].value(2), u(13));
    EXPECT_EQ(topes[13].value(2), u(12));
    EXPECT_EQ(topes[12].value(3), u(3));
    EXPECT_EQ(topes[13].value(3), u(7));
    EXPECT_FALSE(topes[12].contains(4));
    EXPECT_FALSE(topes[13].contains(4));
}

TEST(RepartoProporcional, noStockNegativeStockFractionsAndHugeFiguresStayExact)
{
    RepartoProporcional r;
    r.solicitar(12, 1, u(10), 0);
    r.solicitar(13, 1, u(10), 6);  // an article never given a free stock has none
    r.solicitar(12, 2, u(10), 0);
    r.stockLibre(2, u(-5));  // reserved beyond the stock
    r.solicitar(12, 3, u(0.5), 0);
    r.solicitar(13, 3, u(0.5), 0);
    r.solicitar(14, 3, u(0.5), 0);
    r.stockLibre(3, u(0.75));
    // request x free stock is far beyond 64 bits in scaled units
    r.solicitar(12, 4, u(9e9), 0);
    r.solicitar(13, 4, u(3e9), 0);
    r.stockLibre(4, u(6e9 + 1));

    const auto topes = r.repartir();
    EXPECT_EQ(topes[12].value(1, u(-1)), Money());
    EXPECT_EQ(topes[13].value(1, u(-1)), Money());
    EXPECT_EQ(topes[12].value(2, u(-1)), Money());
    // 0.25 each is less than a unit: everything goes loose, never beyond a request.
    EXPECT_EQ(topes[12].value(3) + topes[13].value(3) + topes[14].value(3), u(0.75));
    EXPECT_EQ(topes[12].value(3), u(0.5));
    EXPECT_EQ(topes[13].value(3), u(0.25));
    // Shares 4.5e9 + 0.75 and 1.5e9 + 0.25: the unit left goes to the larger fraction.
    EXPECT_EQ(topes[12].value(4), u(4.5e9 + 1));
    EXPECT_EQ(topes[13].value(4), u(1.5e9));
}

// --- Through the generation passes --------------------------------------------------------

namespace {

constexpr int kCentral = 1;

// One random run: stores with their box thresholds, articles with boxes, families and the
// origin's stock, and what each store has pending.
struct Escenario {
    struct Articulo {
        int codigo = 0;
        double caja = 0;
        double fraccion = 0;
        int familia = 0;
        int tipoRep = 1;
        double stock = 0;
        double reservado = 0;
    };
    struct Pendiente {
        int tienda = 0;
        int articulo = 0;
        double unidades = 0;
        int bloqueo = 0;
    };
    QVector<int16_t> tiendas;  // in the order the run serves them
    QHash<int16_t, int> umbral;
    QVector<int> gruposFamilia;
    QVector<Articulo> articulos;
    QVector<Pendiente> pendientes;
    int porcentaje = 100;
};

Escenario sortear(std::mt19937& rng)
{
    auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
    Escenario s;
    QVector<int16_t> codigos;
    for (int16_t c = 2; c <= 20; ++c)
        codigos << c;
    std::shuffle(codigos.begin(), codigos.end(), rng);
    s.tiendas = codigos.mid(0, entre(2, 5));
    static const int kUmbrales[] = {0, 0, 25, 50, 75, 100};
    for (int16_t t : s.tiendas)
        s.umbral[t] = kUmbrales[entre(0, 5)];
    for (int g = 0, n = entre(0, 2); g < n; ++g)
        s.gruposFamilia << g + 1;
    static const int kPorcentajes[] = {25, 50, 75, 100, 100, 100};
    s.porcentaje = kPorcentajes[entre(0, 5)];
    // A third of the runs have stock for everyone; the others range from none to plenty.
    const bool holgado = entre(0, 2) == 0;
    static const double kCajas[] = {0, 1, 6, 12, 24};
    for (int a = 0, n = entre(2, 7); a < n; ++a) {
        Escenario::Articulo art;
        art.codigo = 100 + a;
        art.caja = kCajas[entre(0, 4)];
        art.fraccion = entre(0, 4) == 0 ? 4 : 0;
        art.familia = entre(0, 3);
        art.tipoRep = entre(0, 15) == 0 ? 0 : 1;
        double pedido = 0;
        for (int16_t t : s.tiendas) {
            if (entre(0, 4) == 0)
                continue;
            const double unidades = entre(1, 60) + (entre(0, 5) == 0 ? 0.5 : 0);
            s.pendientes.push_back({t, art.codigo, unidades, entre(0, 20) == 0 ? 1 : 0});
            pedido += unidades;
        }
        art.stock = holgado ? 3 * pedido + 100 : entre(0, static_cast<int>(pedido) + 30) + (entre(0, 4) == 0 ? 0.25 : 0);
        art.reservado = entre(0, 3) == 0 ? std::min(art.stock, static_cast<double>(entre(0, 20))) : 0;
        s.articulos << art;
    }
    return s;
}

using Clave = QPair<int16_t, int>;  // store, article

class RepartoGeneracion : public testsupport::DatosFixture {
protected:
    RepartoGeneracion()
    {
        // Hundreds of runs commit thousands of passes: durability is not what is tested here.
        conn()->execute(QStringLiteral("PRAGMA synchronous=OFF"));
    }

    void sembrar(const Escenario& s)
    {
        for (const char* t : {"Almacenes", "Articulos", "Almacen_Articulos", "Reposicion", "Reposicion_Pref",
                              "Reposicion_Pref_Lineas", "Reposicion_StockReservado", "Reposicion_Faltas",
                              "Reposicion_Grp", "Reposicion_Grp_Fam", "Contador_Reposicion_Pref"})
            conn()->execute(QStringLiteral("DELETE FROM ") + QString::fromLatin1(t));
        testsupport::Semilla semilla(conn());
        semilla.almacen(kCentral, QStringLiteral("Central"));
        for (int16_t t : s.tiendas)
            semilla.almacen(t, QStringLiteral("Tienda %1").arg(t), s.umbral[t]);
        for (int g : s.gruposFamilia)
            semilla.grupo(g, QStringLiteral("Grupo %1").arg(g), g);
        for (const auto& a : s.articulos) {
            semilla.articulo(a.codigo, a.caja, a.fraccion, a.tipoRep, a.familia).stock(kCentral, a.codigo, a.stock);
            if (a.reservado > 0)
                semilla.reservado(kCentral, a.codigo, a.reservado);
        }
        for (const auto& p : s.pendientes)
            semilla.stock(p.tienda, p.articulo, 0, p.bloqueo).pendiente(p.tienda, p.articulo, p.unidades, p.unidades, 0);
    }

    GeneracionPrefactura pase(int16_t tienda, int porcentaje)
    {
        GeneracionPrefactura g(empresa_, conn());
        g.origen = kCentral;
        g.destino = tienda;
        g.porcentaje = porcentaje;
        return g;
    }

    // What the nightly run does: every group's pass and group 0's, store after store.
    void correr(const QVector<int16_t>& tiendas, int porcentaje, bool proporcional)
    {
        QHash<int16_t, RepartoProporcional::Topes> topes;
        if (proporcional) {
            RepartoProporcional reparto;
            for (int16_t t : tiendas)
                pase(t, porcentaje).solicitar(reparto);
            topes = reparto.repartir();
        }
        for (int16_t t : tiendas) {
            auto g = pase(t, porcentaje);
            if (proporcional)
                g.limitar(topes.value(t));
            for (int16_t grupo : g.grupos())
                g.generar(grupo);
            g.generar(0);
        }
    }

    QHash<Clave, Money> porTiendaYArticulo(const QString& sql)
    {
        QHash<Clave, Money> m;
        for (db::Recordset rs(conn(), sql); !rs.eof(); rs.moveNext())
            m[{static_cast<int16_t>(rs.field(0).toInt()), rs.field(1).toInt()}] += rs.field(2).toMoney();
        return m;
    }
    QHash<Clave, Money> enviadas()
    {
        return porTiendaYArticulo(QStringLiteral(
            "SELECT p.Cod_AlmacenD, l.Cod_Articulo, l.Unidades FROM Reposicion_Pref_Lineas l"
            " JOIN Reposicion_Pref p ON p.Cod_Almacen = l.Cod_Almacen AND p.Codigo = l.Codigo"));
    }
    QHash<Clave, Money> faltas()
    {
        return porTiendaYArticulo(QStringLiteral("SELECT Cod_Almacen, Cod_Articulo, Unidades FROM Reposicion_Faltas"));
    }
    Money reservado(int articulo)
    {
        return scalar(QStringLiteral("SELECT IFNULL(SUM(Unidades), 0) FROM Reposicion_StockReservado"
                                     " WHERE Cod_Almacen = 1 AND Cod_Articulo = %1").arg(articulo)).toMoney();
    }

    // Every row of the tables a run writes, as text, sorted.
    QStringList tablas()
    {
        QStringList filas;
        for (const char* t : {"Reposicion", "Reposicion_Pref", "Reposicion_Pref_Lineas",
                              "Reposicion_StockReservado", "Reposicion_Faltas", "Contador_Reposicion_Pref"}) {
            for (db::Recordset rs(conn(), QStringLiteral("SELECT * FROM ") + QString::fromLatin1(t)); !rs.eof();
                 rs.moveNext()) {
                QString fila = QString::fromLatin1(t);
                for (int i = 0; i < rs.fieldCount(); ++i)
                    fila += QLatin1Char('|') + rs.field(i).toText();
                filas << fila;
            }
        }
        filas.sort();
        return filas;
    }
};

// What the store would receive with unlimited stock, worked out from the scenario itself.
QHash<Clave, Money> pedidos(const Escenario& s, const QHash<int, int16_t>& cajas)
{
    QHash<Clave, Money> m;
    QHash<int, const Escenario::Articulo*> articulos;
    for (const auto& a : s.articulos)
        articulos[a.codigo] = &a;
    for (const auto& p : s.pendientes) {
        const auto* a = articulos[p.articulo];
        if (p.bloqueo || a->tipoRep == 0)
            continue;
        EntradaEnvio e;
        e.unidades = aplicarCantidad(u(p.unidades), s.porcentaje);
        e.caja = cajas[p.articulo];
        e.umbral = static_cast<int16_t>(s.umbral[p.tienda]);
        m[{p.tienda, p.articulo}] = solicitudEnvio(e);
    }
    return m;
}

}  // namespace

TEST_F(RepartoGeneracion, fourStoresAskingDoubleTheStockAreServedInTurnOrHalfEach)
{
    Escenario s;
    s.tiendas = {12, 13, 14, 15};
    s.articulos = {{101, 1, 0, 0, 1, 200, 0}};
    for (int16_t t : s.tiendas)
        s.pendientes.push_back({t, 101, 100, 0});

    sembrar(s);
    correr(s.tiendas, 100, false);
    auto env = enviadas();
    auto fal = faltas();
    EXPECT_EQ(env.value({12, 101}), u(100));
    EXPECT_EQ(env.value({13, 101}), u(100));
    EXPECT_EQ(env.value({14, 101}), Money());
    EXPECT_EQ(env.value({15, 101}), Money());
    EXPECT_EQ(fal.value({15, 101}), u(100));

    sembrar(s);
    correr(s.tiendas, 100, true);
    env = enviadas();
    fal = faltas();
    for (int16_t t : s.tiendas) {
        EXPECT_EQ(env.value({t, 101}), u(50)) << t;
        EXPECT_EQ(fal.value({t, 101}), u(50)) << t;
        EXPECT_EQ(scalar(QStringLiteral("SELECT Unidades FROM Reposicion WHERE Cod_Almacen = %1").arg(t)).toMoney(), u(50));
    }
    EXPECT_EQ(reservado(101), u(200));
    EXPECT_EQ(count("Reposicion_Pref"), 4);
}

TEST_F(RepartoGeneracion, aFailedPassGivesItsSharesBackForTheNextPass)
{
    testsupport::Semilla semilla(conn());
    semilla.almacen(kCentral, QStringLiteral("Central")).almacen(12, QStringLiteral("Centro"));
    semilla.articulo(101).stock(kCentral, 101, 30).stock(12, 101, 0).pendiente(12, 101, 40, 40, 0);
    auto g = pase(12, 100);
    g.limitar({{101, u(30)}});
    conn()->execute("CREATE TRIGGER fallo BEFORE INSERT ON Reposicion_Pref_Lineas"
                    " BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
    EXPECT_ANY_THROW(g.generar(0));
    conn()->execute("DROP TRIGGER fallo");
    g.generar(0);
    EXPECT_EQ(enviadas().value({12, 101}), u(30));
    EXPECT_EQ(faltas().value({12, 101}), u(10));
}

TEST_F(RepartoGeneracion, randomRunsKeepTheBooksAndShareFairly)
{
    std::mt19937 rng(20261207);
    int escasas = 0;
    int holgadas = 0;
    for (int corrida = 0; corrida < 200; ++corrida) {
        const Escenario s = sortear(rng);
        SCOPED_TRACE(corrida);
        QHash<int, int16_t> cajas;
        for (const auto& a : s.articulos)
            cajas[a.codigo] = static_cast<int16_t>(a.fraccion > 0 ? a.fraccion : a.caja);
        const QHash<Clave, Money> pedido = pedidos(s, cajas);

        // Per article: free stock, total asked, and whether it falls short.
        QHash<int, Money> libre;
        QHash<int, Money> total;
        for (const auto& a : s.articulos)
            libre[a.codigo] = std::max(u(a.stock) - u(a.reservado), Money());
        for (auto it = pedido.cbegin(); it != pedido.cend(); ++it)
            total[it.key().second] += it.value();
        QSet<int> escasos;
        for (auto it = total.cbegin(); it != total.cend(); ++it) {
            if (libre[it.key()] < it.value())
                escasos << it.key();
        }

        sembrar(s);
        correr(s.tiendas, s.porcentaje, false);
        const QStringList orden = tablas();
        const QHash<Clave, Money> envOrden = enviadas();
        const QHash<Clave, Money> falOrden = faltas();

        sembrar(s);
        correr(s.tiendas, s.porcentaje, true);
        const QHash<Clave, Money> env = enviadas();
        const QHash<Clave, Money> fal = faltas();

        for (auto it = pedido.cbegin(); it != pedido.cend(); ++it) {
            const auto [tienda, articulo] = it.key();
            SCOPED_TRACE(QStringLiteral("tienda %1, artículo %2").arg(tienda).arg(articulo).toStdString());
            EXPECT_EQ(env.value(it.key()) + fal.value(it.key()), it.value());
            if (!escasos.contains(articulo)) {
                EXPECT_EQ(env.value(it.key()), envOrden.value(it.key()));
                EXPECT_EQ(fal.value(it.key()), falOrden.value(it.key()));
                continue;
            }
            // |sent - request x free / total| < box, in exact scaled integers.
            const int16_t caja = s.umbral[tienda] != 0 && cajas[articulo] != 0 ? cajas[articulo] : 1;
            const __int128 desvio = static_cast<__int128>(env.value(it.key()).scaled()) * total[articulo].scaled()
                                    - static_cast<__int128>(it.value().scaled()) * libre[articulo].scaled();
            const __int128 limite = static_cast<__int128>(caja) * Money::kScale * total[articulo].scaled();
            EXPECT_TRUE(desvio < limite && -desvio < limite)
                << "sent " << env.value(it.key()).toDouble() << " of " << it.value().toDouble();
        }
        for (const auto& a : s.articulos) {
            EXPECT_LE(reservado(a.codigo) - u(a.reservado), libre[a.codigo]) << a.codigo;
            if (escasos.contains(a.codigo)) {
                // Scarce stock is not left idle: what one store was not given went to another.
                EXPECT_EQ(reservado(a.codigo) - u(a.reservado), libre[a.codigo]) << a.codigo;
            }
        }
        if (escasos.isEmpty()) {
            ++holgadas;
            EXPECT_EQ(tablas(), orden);
        } else {
            ++escasas;
        }
        if (HasFailure())
            break;
    }
    // The draw must exercise both sides.
    EXPECT_GT(escasas, 50);
    EXPECT_GT(holgadas, 30);
}
