#include "host/demo/DemoData.h"

#include "support/TestDatabase.h"

#include "platform/db/Error.h"
#include "platform/db/Recordset.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

namespace {

using testsupport::TestDatabase;

const QDate kToday(2026, 12, 5);

demo::DemoOptions small(unsigned seed = 7)
{
    demo::DemoOptions o;
    o.seed = seed;
    o.articles = 400;
    o.stores = 4;
    o.today = kToday;
    return o;
}

// Digest of every row of the tables the demo fills with random data, in key order.
QByteArray checksum(const db::ConnectionPtr& c)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const char* const queries[] = {
        "SELECT * FROM Articulos ORDER BY Cod_Empresa, Codigo",
        "SELECT * FROM Almacen_Articulos ORDER BY Cod_Empresa, Cod_Almacen, Cod_Articulo",
        "SELECT * FROM Reposicion ORDER BY Cod_Empresa, Cod_Almacen, Cod_Articulo",
        "SELECT * FROM Articulos_CBarras ORDER BY Cod_Barras",
        "SELECT * FROM Pedidos_Proveedores_Lineas ORDER BY Codigo, Linea",
        "SELECT * FROM Compras_Mini ORDER BY Codigo",
    };
    for (const char* q : queries) {
        db::Recordset rs(c, QString::fromLatin1(q));
        for (; !rs.eof(); rs.moveNext()) {
            for (int i = 0; i < rs.fieldCount(); ++i)
                hash.addData((rs.field(i).toText() + QLatin1Char('|')).toUtf8());
            hash.addData("\n");
        }
    }
    return hash.result();
}

class DemoCompany : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        db_ = std::make_unique<TestDatabase>();
        demo::generateDemo(*db_->connection(), small());
    }
    static void TearDownTestSuite() { db_.reset(); }

    static long long count(const QString& sql) { return db_->connection()->scalar(sql).toInt64(); }

    static std::unique_ptr<TestDatabase> db_;
};

std::unique_ptr<TestDatabase> DemoCompany::db_;

TEST(DemoData, sameSeedGivesTheSameCompanyAndAnotherSeedAnother)
{
    TestDatabase a, b, other;
    demo::generateDemo(*a.connection(), small(3));
    demo::generateDemo(*b.connection(), small(3));
    demo::generateDemo(*other.connection(), small(4));
    EXPECT_EQ(checksum(a.connection()), checksum(b.connection()));
    EXPECT_NE(checksum(a.connection()), checksum(other.connection()));
}

TEST(DemoData, refusesACompanyThatExistsAndLeavesItUntouched)
{
    TestDatabase db;
    const auto c = db.connection();
    demo::generateDemo(*c, small());
    const QByteArray before = checksum(c);
    try {
        demo::generateDemo(*c, small(9));
        ADD_FAILURE() << "a second demo was written over the first";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.category(), db::Error::Category::Usage);
    }
    EXPECT_EQ(checksum(c), before);
    EXPECT_EQ(c->transactionDepth(), 0);

    demo::DemoOptions none = small();
    none.articles = 0;
    TestDatabase empty;
    EXPECT_THROW(demo::generateDemo(*empty.connection(), none), db::Error);
}

TEST_F(DemoCompany, everyReferenceLeadsToAnExistingRow)
{
    // Orphans of each kind; each must be 0.
    const char* const orphans[] = {
        "SELECT COUNT(*) FROM Reposicion r WHERE NOT EXISTS (SELECT 1 FROM Articulos a"
        " WHERE a.Cod_Empresa = 1 AND a.Codigo = r.Cod_Articulo)",
        "SELECT COUNT(*) FROM Reposicion r WHERE NOT EXISTS (SELECT 1 FROM Almacen_Articulos e"
        " WHERE e.Cod_Empresa = r.Cod_Empresa AND e.Cod_Almacen = r.Cod_Almacen"
        " AND e.Cod_Articulo = r.Cod_Articulo)",
        "SELECT COUNT(*) FROM Almacen_Articulos x WHERE NOT EXISTS (SELECT 1 FROM Almacenes a"
        " WHERE a.Cod_Empresa = x.Cod_Empresa AND a.Codigo = x.Cod_Almacen)",
        "SELECT COUNT(*) FROM Articulos a WHERE NOT EXISTS (SELECT 1 FROM Almacen_Articulos x"
        " WHERE x.Cod_Empresa = 1 AND x.Cod_Almacen = 1 AND x.Cod_Articulo = a.Codigo)",
        "SELECT COUNT(*) FROM Articulos a WHERE NOT EXISTS (SELECT 1 FROM Familias_3 f"
        " WHERE f.Cod_Empresa = a.Cod_Empresa AND f.Familia_1 = a.Familia_1"
        " AND f.Familia_2 = a.Familia_2 AND f.Codigo = a.Familia_3)",
        "SELECT COUNT(*) FROM Articulos a WHERE NOT EXISTS (SELECT 1 FROM Marcas m"
        " WHERE m.Codigo = a.Marca) OR NOT EXISTS (SELECT 1 FROM Proveedores p"
        " WHERE p.Cod_Empresa = 1 AND p.Codigo = a.Cod_Proveedor)",
        "SELECT COUNT(*) FROM Reposicion_Grp g WHERE NOT EXISTS (SELECT 1"
        " FROM Reposicion_Grp_Aprovisionamiento p WHERE p.Cod_Empresa = g.Cod_Empresa"
        " AND p.Cod_Aprov = g.Cod_Aprov)",
        "SELECT COUNT(*) FROM Reposicion_Grp_Fam f WHERE f.Familia_1 > 0 AND NOT EXISTS"
        " (SELECT 1 FROM Familias_1 x WHERE x.Cod_Empresa = 1 AND x.Codigo = f.Familia_1)",
        "SELECT COUNT(*) FROM Pedidos_Central_Tipos t WHERE NOT EXISTS (SELECT 1 FROM Almacenes a"
        " WHERE a.Cod_Empresa = 1 AND a.Codigo = t.Cod_Almacen)",
        "SELECT COUNT(*) FROM Pedidos_Proveedores_Lineas l WHERE l.Cod_Articulo > 0 AND NOT EXISTS"
        " (SELECT 1 FROM Articulos a WHERE a.Cod_Empresa = 1 AND a.Codigo = l.Cod_Articulo)",
        "SELECT COUNT(*) FROM Compras_Mini_Lineas l WHERE NOT EXISTS (SELECT 1 FROM Articulos a"
        " WHERE a.Cod_Empresa = 1 AND a.Codigo = l.Cod_Articulo)",
        "SELECT COUNT(*) FROM Empresas e WHERE NOT EXISTS (SELECT 1 FROM Almacenes a"
        " WHERE a.Cod_Empresa = e.Codigo AND a.Codigo = e.Almacen_PD)",
    };
    for (const char* q : orphans)
        EXPECT_EQ(count(QString::fromLatin1(q)), 0) << q;

    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Almacenes WHERE Cod_Empresa = 1")), 5);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Articulos")), 400);
    for (int store = 2; store <= 5; ++store) {
        EXPECT_GT(
            count(QStringLiteral("SELECT COUNT(*) FROM Almacen_Articulos WHERE Cod_Almacen = %1")
                      .arg(store)),
            0);
        EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Reposicion WHERE Codigo = 0"
                                       " AND Cod_Almacen = %1")
                            .arg(store)),
            0);
    }
}

TEST_F(DemoCompany, quantitiesAreConsistent)
{
    // Pending units split into sales and leftovers; reservations never exceed the stock.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Reposicion WHERE Unidades <= 0"
                                   " OR Unidades <> UnidadesVenta + UnidadesResto")),
        0);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Reposicion WHERE UnidadesResto > 0")), 0);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Reposicion_StockReservado")), 0);
    EXPECT_EQ(count(QStringLiteral(
                  "SELECT COUNT(*) FROM Reposicion_StockReservado r JOIN Almacen_Articulos a"
                  " ON a.Cod_Empresa = r.Cod_Empresa AND a.Cod_Almacen = r.Cod_Almacen"
                  " AND a.Cod_Articulo = r.Cod_Articulo WHERE r.Unidades > a.Stock_Actual")),
        0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Articulos WHERE UxCaja <= 0"
                                   " OR UxFraccion <= 0 OR UxFraccion > UxCaja")),
        0);
    // Order lines never receive more than was ordered.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Pedidos_Proveedores_Lineas"
                                   " WHERE UnidadesRcv + UnidadesLiq > Unidades")),
        0);
}

TEST_F(DemoCompany, everyArticleHasOneValidMainBarCode)
{
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Articulos a WHERE (SELECT COUNT(*)"
                                   " FROM Articulos_CBarras c WHERE c.Cod_Articulo = a.Codigo"
                                   " AND c.Principal = 1) <> 1")),
        0);
    EXPECT_GT(
        count(QStringLiteral("SELECT COUNT(*) FROM Articulos_CBarras WHERE Principal = 0")), 0);
    db::Recordset rs(db_->connection(), QStringLiteral("SELECT Cod_Barras FROM Articulos_CBarras"));
    int checked = 0;
    for (; !rs.eof(); rs.moveNext(), ++checked) {
        const QString code = rs.field(0).toText();
        ASSERT_TRUE(code.size() == 13 || code.size() == 14) << code.toStdString();
        int sum = 0;
        for (int i = 0; i < code.size(); ++i)
            sum += code.at(i).digitValue() * (((code.size() - i) % 2 == 0) ? 3 : 1);
        EXPECT_EQ(sum % 10, 0) << "bad check digit in " << code.toStdString();
    }
    EXPECT_GT(checked, 400);
}

TEST_F(DemoCompany, matchingStoreHasAnExactAndADifferingMiniPurchase)
{
    // Per-article difference between order 1 (or 2) and mini-purchase 1 (or 2).
    const QString diff = QStringLiteral(
        "SELECT COUNT(*) FROM (SELECT Cod_Articulo, SUM(u) AS d FROM ("
        " SELECT Cod_Articulo, Unidades - UnidadesRcv AS u FROM Pedidos_Proveedores_Lineas"
        "  WHERE Cod_Empresa = 1 AND Codigo = %1 AND Cod_Articulo > 0"
        " UNION ALL SELECT Cod_Articulo, -Unidades FROM Compras_Mini_Lineas"
        "  WHERE Cod_Empresa = 1 AND Cod_Almacen = 2 AND Codigo = %1) x"
        " GROUP BY Cod_Articulo) y WHERE d <> 0");
    EXPECT_EQ(count(diff.arg(1)), 0);
    EXPECT_EQ(count(diff.arg(2)), 2);
    // The list the matching screen shows: three pending orders of supplier 1 at store 2.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Pedidos_Proveedores WHERE Cod_Empresa = 1"
                                   " AND Cod_Almacen = 2 AND Cod_Proveedor = 1 AND Pendiente = 1")),
        3);
    EXPECT_GT(count(QStringLiteral("SELECT COUNT(*) FROM Pedidos_Proveedores_Lineas"
                                   " WHERE UnidadesLiq > 0")),
        0);
}

TEST_F(DemoCompany, locationsHaveTheEightCharactersTheScreensSplit)
{
    // Aisle (three), shelf (two), position (three): "A0102003" shows as "A01-02-003".
    db::Recordset rs(db_->connection(),
        QStringLiteral("SELECT Cod_Almacen, Ubicacion FROM Almacen_Articulos WHERE Ubicacion <> ''"));
    const QRegularExpression forma(QStringLiteral("^[A-Z][0-9]{7}$"));
    int checked = 0;
    for (; !rs.eof(); rs.moveNext(), ++checked) {
        const QString ubicacion = rs.field(1).toText();
        EXPECT_TRUE(forma.match(ubicacion).hasMatch()) << ubicacion.toStdString();
    }
    EXPECT_GT(checked, 400);
}

TEST_F(DemoCompany, theHostsUserHasOneProvisioningGroupAndTheStoreManagerTwo)
{
    const QString aprov = QStringLiteral(
        "SELECT COUNT(DISTINCT ag.Cod_Aprov) FROM SGD_Aprovisionamiento_Grupos ag"
        " INNER JOIN SGD_Usuarios_Grupos ug ON ag.Cod_Grupo = ug.CodGrupo"
        " WHERE ag.Cod_Empresa = 1 AND ug.CodUsuario = %1");
    EXPECT_EQ(count(aprov.arg(1)), 1);
    EXPECT_EQ(count(aprov.arg(2)), 2);
}

TEST_F(DemoCompany, theCentralWarehouseHasOrdersToMatchToo)
{
    const QString pendientes = QStringLiteral(
        "SELECT COUNT(*) FROM Pedidos_Proveedores WHERE Cod_Empresa = 1 AND Cod_Almacen = %1"
        " AND Cod_Proveedor = 1 AND Pendiente = 1");
    EXPECT_EQ(count(pendientes.arg(1)), 3);
    EXPECT_EQ(count(pendientes.arg(2)), 3);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Compras_Mini WHERE Cod_Almacen = 1"
                                   " AND CheckvsPed = 0")),
        2);
    // The mini-purchase matched long ago names an order of its own warehouse.
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM Compras_Mini m INNER JOIN"
                                   " Pedidos_Proveedores p ON p.Cod_Empresa = m.Cod_Empresa"
                                   " AND p.Codigo = m.Cod_PedidoProv WHERE m.CheckvsPed = 1"
                                   " AND p.Cod_Almacen = m.Cod_Almacen")),
        2);
}

// The statements of the screens, with sample values, must find every table and column.
TEST_F(DemoCompany, screenStatementsRunOnTheDemoCompany)
{
    const char* const statements[] = {
        "SELECT a.Cod_Articulo, a.Unidades, a.UnidadesVenta, a.UnidadesResto, b.UxCaja,"
        " b.UxFraccion, c.Stock_Actual, ISNULL(d.Unidades, 0) AS Stock_Reservado FROM Reposicion a"
        " INNER JOIN Articulos b ON a.Cod_Articulo = b.Codigo AND b.Cod_Empresa =1"
        " INNER JOIN Almacen_Articulos c ON a.Cod_Empresa = c.Cod_Empresa AND c.Cod_Almacen =1"
        " AND a.Cod_Articulo = c.Cod_Articulo INNER JOIN Almacen_Articulos e"
        " ON a.Cod_Empresa = e.Cod_Empresa AND a.Cod_Almacen = e.Cod_Almacen"
        " AND a.Cod_Articulo = e.Cod_Articulo LEFT JOIN Reposicion_StockReservado d"
        " ON a.Cod_Empresa = d.Cod_Empresa AND d.Cod_Almacen =1 AND a.Cod_Articulo = d.Cod_Articulo"
        " WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =2 AND a.Codigo = 0 AND a.Unidades > 0"
        " AND b.TipoRep = 1 AND e.Bloqueo = 0 AND ((b.Familia_1 = 1))",
        "SELECT a.Cod_Articulo, a.Unidades, b.Descripcion, b.UxCaja,"
        " ISNULL(c.Cod_Barras, '') AS EAN, aa.Ubicacion, aa.Stock_Actual"
        " FROM Reposicion_Pref_Lineas a INNER JOIN Articulos b ON b.Cod_Empresa = 1"
        " AND a.Cod_Articulo = b.Codigo INNER JOIN Almacen_Articulos aa"
        " ON a.Cod_Empresa = aa.Cod_Empresa AND a.Cod_Almacen = aa.Cod_Almacen"
        " AND a.Cod_Articulo = aa.Cod_Articulo LEFT JOIN Articulos_CBarras c"
        " ON c.Cod_Empresa = 1 AND a.Cod_Articulo = c.Cod_Articulo AND c.Principal = 1"
        " WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =1 AND a.Codigo =2600100001"
        " ORDER BY aa.Ubicacion, b.Familia_1, b.Familia_2, b.Familia_3",
        "SELECT a.Codigo, a.Fecha, a.Cod_Almacen, a.Cod_AlmacenD, b.Nombre AS NombAlmacen,"
        " c.Nombre as NombAlmacenD FROM Reposicion_Pref a INNER JOIN Almacenes b"
        " ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Codigo INNER JOIN Almacenes c"
        " ON a.Cod_Empresa = c.Cod_Empresa AND a.Cod_AlmacenD = c.Codigo WHERE a.Cod_Empresa =1"
        " ORDER BY a.Codigo",
        "SELECT ISNULL(SUM(Unidades), 0) AS Unidades FROM Traspasos_Lineas a INNER JOIN Traspasos b"
        " ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Ejercicio = b.Cod_Ejercicio"
        " AND a.Cod_Almacen = b.Alm_Origen AND a.Codigo = b.Codigo WHERE a.Cod_Empresa =1"
        " AND a.Cod_Almacen =2 AND a.Cod_Ejercicio =2026 AND a.Cod_Articulo =10001"
        " AND b.Fecha ='2026-12-05'",
        "SELECT a.Stock_Actual FROM Almacen_Articulos a INNER JOIN Empresas e"
        " ON a.Cod_Empresa = e.Codigo AND a.Cod_Almacen = e.Almacen_PD WHERE a.Cod_Empresa =1"
        " AND a.Cod_Articulo =10001",
        "SELECT Cantidad FROM Articulos_Ventas_Dia WHERE Cod_Empresa =1 AND Cod_Almacen =2"
        " AND Fecha ='2026-12-05' AND Cod_Articulo =10001",
        "SELECT a.*, b.Descripcion FROM Temp_Reposicion_Restos_Lineas a INNER JOIN Articulos b"
        " ON b.Cod_Empresa =1 AND a.Cod_Articulo = b.Codigo WHERE NroPuesto =0",
        "SELECT a.Familia_1, a.Familia_2, a.Familia_3, a.Cod_Marca, ISNULL(f1.Nombre,'') AS"
        " Nomb_Fam1, ISNULL(f2.Nombre,'') AS Nomb_Fam2, ISNULL(f3.Nombre,'') AS Nomb_Fam3,"
        " ISNULL(m.Nombre, '') AS Nomb_Marca FROM Reposicion_Grp_Fam a LEFT JOIN Familias_1 f1"
        " ON f1.Cod_Empresa=1 AND f1.Codigo=a.Familia_1 LEFT JOIN Familias_2 f2"
        " ON f2.Cod_Empresa=1 AND f2.Familia_1=a.Familia_1 AND f2.Codigo=a.Familia_2"
        " LEFT JOIN Familias_3 f3 ON f3.Cod_Empresa=1 AND f3.Familia_1=a.Familia_1"
        " AND f3.Familia_2=a.Familia_2 AND f3.Codigo=a.Familia_3 LEFT JOIN Marcas m"
        " ON m.Codigo=a.Cod_Marca WHERE a.Cod_Empresa=1 AND a.Cod_Grupo=2"
        " ORDER BY a.Familia_1, a.Familia_2, a.Familia_3",
        "SELECT TOP 1 Cod_Grupo FROM SGD_Aprovisionamiento_Grupos ag INNER JOIN SGD_Usuarios_Grupos"
        " ug ON ag.Cod_Grupo = ug.CodGrupo WHERE ag.Cod_Empresa =1 AND ug.CodUsuario =1",
        "SELECT TOP 1 * FROM Reposicion_Pedidos_ArtCentral_ProgPedidosM WHERE Cod_Empresa =1"
        " AND Cod_Grupo =1",
        "SELECT TOP 1 * FROM Reposicion_Pedidos_ArtCentral_Filtro WHERE Cod_Empresa =1"
        " AND Cod_Grupo_Reposicion =1",
        "SELECT a.Cod_Articulo, a.Cantidad, a.Cerrado, b.Descripcion, b.UxCaja FROM Pedidos_Central"
        " a INNER JOIN Articulos b ON b.Cod_Empresa =1 AND a.Cod_Articulo = b.Codigo"
        " WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =2 AND a.Cod_Tipo =1"
        " ORDER BY b.Familia_1, b.Familia_2, b.Familia_3",
        "SELECT Codigo, Fecha, Importe, LineasRecibidas,"
        " dbo.fn_PedidosProvTotalLineas(Cod_Empresa, Codigo) AS Lineas,"
        " dbo.fn_PedidosProvTotalUnidades(Cod_Empresa, Codigo) AS Unidades FROM Pedidos_Proveedores"
        " WHERE Cod_Empresa =1 AND Cod_Almacen =2 AND Cod_Proveedor =1 AND Pendiente = 1",
        "SELECT Codigo, Fecha, Documento, Cod_Ejercicio, CheckvsPed,"
        " dbo.fn_ComprasMiniTotalLineas(Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo) AS Lineas,"
        " dbo.fn_ComprasMiniTotalUnidades(Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo)"
        " AS Unidades FROM Compras_Mini WHERE Cod_Empresa =1 AND Cod_Almacen =2 AND Cod_Proveedor "
        "=1",
        "SELECT p.UsarPendRecibirPedidos, a.CfgStockTransito FROM Proveedores p INNER JOIN"
        " Almacenes a ON a.Cod_Empresa =1 AND a.Codigo =2 WHERE p.Cod_Empresa =1 AND p.Codigo =1",
        "SELECT a.Codigo, a.Fecha, b.Cod_Articulo, b.Unidades, b.UnidadesLiq, c.Descripcion"
        " FROM Pedidos_Proveedores a INNER JOIN Pedidos_Proveedores_Lineas b"
        " ON a.Cod_Empresa = b.Cod_Empresa AND a.Codigo = b.Codigo INNER JOIN Articulos c"
        " ON c.Cod_Empresa =1 AND b.Cod_Articulo = c.Codigo WHERE a.Cod_Empresa =1"
        " AND a.Cod_Almacen =2 AND a.Cod_Proveedor =1 AND a.Codigo IN (SELECT TOP 3 Codigo"
        " FROM Pedidos_Proveedores WHERE Cod_Empresa =1 AND Cod_Almacen =2 AND Cod_Proveedor =1"
        " AND Pendiente = 0 ORDER BY Fecha DESC, Codigo DESC) AND b.UnidadesLiq > 0"
        " ORDER BY a.Fecha, a.Codigo, c.Descripcion",
        "SELECT val.Cod_Campo, rep.Descripcion, val.Orden FROM Reposicion_Columnas_Valores val"
        " INNER JOIN Reposicion_Columnas rep ON rep.Cod_Empresa = val.Cod_Empresa"
        " AND rep.Cod_Campo = val.Cod_Campo WHERE val.Cod_Empresa =1 AND val.TipoReposicion =1"
        " AND val.Cod_Usuario =1 AND val.Orden IN (1,2) ORDER BY val.OrdenOrderBy",
    };
    for (const char* sql : statements) {
        try {
            db::Recordset rs(db_->connection(), QString::fromUtf8(sql));
        } catch (const db::Error& e) {
            ADD_FAILURE() << e.what() << "\n  in: " << sql;
        }
    }
    // The screen's numbers agree with the documents the demo wrote.
    db::Recordset mc(db_->connection(), QString::fromUtf8(statements[13]));
    ASSERT_FALSE(mc.eof());
    EXPECT_GT(mc.field(QStringLiteral("Lineas")).toInt(), 0);
    EXPECT_GT(mc.field(QStringLiteral("Unidades")).toDouble(), 0);
}

}  // namespace
