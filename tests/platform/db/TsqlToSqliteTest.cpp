#include "platform/db/TsqlToSqlite.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

struct Case {
    const char* name;
    const char* tsql;
    const char* sqlite;
};

QString tr(const char* sql)
{
    return db::TsqlToSqlite::translate(QString::fromUtf8(sql));
}

void expectCases(const std::initializer_list<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(tr(c.tsql).toStdString(), std::string(c.sqlite)) << c.name;
}

TEST(TsqlToSqlite, topBecomesLimitAtTheEndOfItsOwnSelect)
{
    expectCases({
        {"top level", "SELECT TOP 1 * FROM Reposicion_Grp WHERE Cod_Empresa = 1",
         "SELECT * FROM Reposicion_Grp WHERE Cod_Empresa = 1 LIMIT 1"},
        {"parenthesised count", "SELECT TOP (5) Codigo FROM Almacenes",
         "SELECT Codigo FROM Almacenes LIMIT 5"},
        {"no blank after the count", "SELECT TOP(2)* FROM Almacenes",
         "SELECT * FROM Almacenes LIMIT 2"},
        {"distinct", "SELECT DISTINCT TOP 3 Cod_Almacen FROM Pedidos_Central ORDER BY Cod_Almacen",
         "SELECT DISTINCT Cod_Almacen FROM Pedidos_Central ORDER BY Cod_Almacen LIMIT 3"},
        {"lower case", "select top 1 Cerrado from Pedidos_Central",
         "select Cerrado from Pedidos_Central LIMIT 1"},
        {"before a trailing comment and semicolon",
         "SELECT TOP 1 Codigo FROM Almacenes -- the first\n;",
         "SELECT Codigo FROM Almacenes LIMIT 1 -- the first\n;"},
        // The shortages screen: the three latest closed orders, newest first, inside IN (...).
        {"sub-select after its ORDER BY",
         "SELECT a.Codigo FROM Pedidos_Proveedores a WHERE a.Codigo IN (SELECT TOP 3 Codigo "
         "FROM Pedidos_Proveedores WHERE Pendiente = 0 ORDER BY Fecha DESC, Codigo DESC) "
         "AND b.UnidadesLiq > 0 ORDER BY a.Fecha",
         "SELECT a.Codigo FROM Pedidos_Proveedores a WHERE a.Codigo IN (SELECT Codigo "
         "FROM Pedidos_Proveedores WHERE Pendiente = 0 ORDER BY Fecha DESC, Codigo DESC LIMIT 3) "
         "AND b.UnidadesLiq > 0 ORDER BY a.Fecha"},
        {"function parens inside the select do not close it",
         "SELECT TOP 1 ISNULL(MAX(Cod_Grupo), 0) FROM Reposicion_Grp WHERE (Cod_Grupo < 3000)",
         "SELECT IFNULL(MAX(Cod_Grupo), 0) FROM Reposicion_Grp WHERE (Cod_Grupo < 3000) LIMIT 1"},
        {"outer and inner both limited",
         "SELECT TOP 2 a FROM t WHERE b IN (SELECT TOP 1 b FROM u ORDER BY c) ORDER BY a",
         "SELECT a FROM t WHERE b IN (SELECT b FROM u ORDER BY c LIMIT 1) ORDER BY a LIMIT 2"},
        {"each statement of a batch keeps its own limit",
         "SELECT TOP 1 a FROM t; SELECT b FROM u",
         "SELECT a FROM t LIMIT 1; SELECT b FROM u"},
        {"first select of a union limited alone",
         "SELECT TOP 1 a FROM t ORDER BY a UNION ALL SELECT b FROM u",
         "SELECT * FROM (SELECT a FROM t ORDER BY a LIMIT 1) UNION ALL SELECT b FROM u"},
        {"PERCENT has no LIMIT form and is left alone", "SELECT TOP 10 PERCENT a FROM t",
         "SELECT TOP 10 PERCENT a FROM t"},
    });
}

TEST(TsqlToSqlite, functionsVariablesAndSchemaPrefixes)
{
    expectCases({
        {"isnull", "SELECT ISNULL(d.Unidades, 0) AS Stock_Reservado, isnull (x,'') FROM d",
         "SELECT IFNULL(d.Unidades, 0) AS Stock_Reservado, ifnull (x,'') FROM d"},
        {"isnull as a column name stays", "SELECT IsNull FROM t", "SELECT IsNull FROM t"},
        {"server name", "SELECT ISNULL(@@SERVERNAME, '')", "SELECT IFNULL(nrvx_servername(), '')"},
        {"transaction count", "SELECT @@TRANCOUNT", "SELECT nrvx_trancount()"},
        {"other globals", "SELECT @@VERSION, @@rowcount",
         "SELECT nrvx_var('VERSION'), nrvx_var('rowcount')"},
        {"scalar functions",
         "SELECT dbo.fn_PedidosProvTotalLineas(Cod_Empresa, Codigo) AS Lineas FROM P",
         "SELECT fn_PedidosProvTotalLineas(Cod_Empresa, Codigo) AS Lineas FROM P"},
        {"database and schema",
         "SELECT * FROM Calbra.dbo.Almacenes a JOIN [Calbra].[dbo].[Empresas] e",
         "SELECT * FROM Almacenes a JOIN [Empresas] e"},
        {"a column called dbo stays", "SELECT t.dbo FROM t", "SELECT t.dbo FROM t"},
    });
}

TEST(TsqlToSqlite, deleteWithJoinBecomesRowidSubselect)
{
    expectCases({
        {"alias",
         "DELETE cg FROM SGD_Controles_Grupos cg INNER JOIN SGD_Controles c ON "
         "cg.Cod_Formulario=c.Cod_Formulario AND cg.Cod_Control=c.Cod_Control WHERE c.TabIndex=-1",
         "DELETE FROM SGD_Controles_Grupos WHERE rowid IN (SELECT cg.rowid FROM "
         "SGD_Controles_Grupos cg INNER JOIN SGD_Controles c ON "
         "cg.Cod_Formulario=c.Cod_Formulario AND cg.Cod_Control=c.Cod_Control "
         "WHERE c.TabIndex=-1)"},
        {"table named twice",
         "DELETE Reposicion FROM dbo.Reposicion INNER JOIN Articulos b ON b.Codigo = Cod_Articulo "
         "WHERE b.TipoRep = 0;",
         "DELETE FROM Reposicion WHERE rowid IN (SELECT Reposicion.rowid FROM Reposicion "
         "INNER JOIN Articulos b ON b.Codigo = Cod_Articulo WHERE b.TipoRep = 0);"},
        {"target is the joined table",
         "DELETE l FROM Reposicion_Pref p INNER JOIN Reposicion_Pref_Lineas AS l "
         "ON l.Codigo = p.Codigo",
         "DELETE FROM Reposicion_Pref_Lineas WHERE rowid IN (SELECT l.rowid FROM Reposicion_Pref p "
         "INNER JOIN Reposicion_Pref_Lineas AS l ON l.Codigo = p.Codigo)"},
        {"plain delete untouched", "DELETE FROM Reposicion WHERE Codigo = 0",
         "DELETE FROM Reposicion WHERE Codigo = 0"},
    });
}

TEST(TsqlToSqlite, literalsQuotedNamesAndCommentsPassUntouched)
{
    expectCases({
        {"strings with doubled quotes",
         "INSERT INTO G (Nombre) VALUES ('O''Neill TOP 1 ISNULL( dbo.x @@SERVERNAME')",
         "INSERT INTO G (Nombre) VALUES ('O''Neill TOP 1 ISNULL( dbo.x @@SERVERNAME')"},
        {"comments", "SELECT a -- TOP 1 ISNULL(\nFROM t /* dbo.x DELETE c FROM */",
         "SELECT a -- TOP 1 ISNULL(\nFROM t /* dbo.x DELETE c FROM */"},
        {"quoted names", "SELECT [ISNULL], \"TOP\" FROM [dbo]",
         "SELECT [ISNULL], \"TOP\" FROM [dbo]"},
        {"unterminated string", "SELECT 'TOP 1", "SELECT 'TOP 1"},
        {"accented names and spacing kept",
         "SELECT  Descripción\r\n  FROM\tArtículos   WHERE Nombre = 'Ñandú'",
         "SELECT  Descripción\r\n  FROM\tArtículos   WHERE Nombre = 'Ñandú'"},
    });
}

TEST(TsqlToSqlite, computedQuantitiesAreRoundedToFourDecimalsAsTheyAreWritten)
{
    expectCases({
        {"the accumulator",
         "UPDATE Reposicion SET Unidades = Unidades + 0.1, UnidadesVenta = UnidadesVenta + 0,"
         " UnidadesResto = UnidadesResto + -0.3 WHERE Cod_Empresa =1 AND Cod_Articulo =7",
         "UPDATE Reposicion SET Unidades = ROUND(Unidades + 0.1, 4), UnidadesVenta = ROUND(UnidadesVenta + 0, 4),"
         " UnidadesResto = ROUND(UnidadesResto + -0.3, 4) WHERE Cod_Empresa =1 AND Cod_Articulo =7"},
        {"a shape with parameters, lower case",
         "update Reposicion_StockReservado set Unidades = Unidades - ? where Cod_Articulo = ?",
         "update Reposicion_StockReservado set Unidades = round(Unidades - ?, 4) where Cod_Articulo = ?"},
        {"qualified target, sub-select and FROM",
         "UPDATE l SET l.UnidadesLiq = (SELECT SUM(x.Unidades) FROM X x), Pendiente = 0 FROM T l",
         "UPDATE l SET l.UnidadesLiq = ROUND((SELECT SUM(x.Unidades) FROM X x), 4), Pendiente = 0 FROM T l"},
        {"plain values are already exact",
         "UPDATE Reposicion SET UnidadesResto = Unidades, UnidadesVenta = 0, Unidades = -2.5,"
         " Cantidad = ?, Stock_Actual = a.Stock_Actual WHERE Codigo = 0",
         "UPDATE Reposicion SET UnidadesResto = Unidades, UnidadesVenta = 0, Unidades = -2.5,"
         " Cantidad = ?, Stock_Actual = a.Stock_Actual WHERE Codigo = 0"},
        {"other columns and other statements untouched",
         "UPDATE Articulos SET Mod_Ficha = Mod_Ficha + 1 WHERE Unidades = Unidades + 1;"
         " SELECT Unidades + 1 FROM Reposicion",
         "UPDATE Articulos SET Mod_Ficha = Mod_Ficha + 1 WHERE Unidades = Unidades + 1;"
         " SELECT Unidades + 1 FROM Reposicion"},
        {"a CASE is computed",
         "UPDATE T SET Cantidad = CASE WHEN Cantidad > 1 THEN Cantidad - 1 ELSE 0 END",
         "UPDATE T SET Cantidad = ROUND(CASE WHEN Cantidad > 1 THEN Cantidad - 1 ELSE 0 END, 4)"},
    });
}

}  // namespace
