-- Pre-invoices: generation, editing, line entry, viewer and transfer.
-- Values: company 1 (also the article-master company), origin 5, destination 12, article 1001,
-- pre-invoice 260500001, group 2.
SELECT Cod_Grupo FROM Reposicion_Grp WHERE Cod_Empresa =1
GO
SELECT RepPorcentajeCajas FROM Almacenes WHERE Cod_Empresa =1 AND Codigo =12
GO
SELECT * FROM Reposicion_Grp_Fam WHERE Cod_Empresa =1 AND Cod_Grupo =2
GO
SELECT * FROM Reposicion_Grp_Fam WHERE Cod_Empresa =1
GO
-- Candidate rows of a pass whose groups have no family/brand rows.
SELECT a.Cod_Articulo, a.Unidades, a.UnidadesVenta, a.UnidadesResto, b.UxCaja, b.UxFraccion, c.Stock_Actual, ISNULL(d.Unidades, 0) AS Stock_Reservado FROM Reposicion a INNER JOIN Articulos b ON a.Cod_Articulo = b.Codigo AND b.Cod_Empresa =1 INNER JOIN Almacen_Articulos c ON a.Cod_Empresa = c.Cod_Empresa AND c.Cod_Almacen =5 AND a.Cod_Articulo = c.Cod_Articulo INNER JOIN Almacen_Articulos e ON a.Cod_Empresa = e.Cod_Empresa AND a.Cod_Almacen = e.Cod_Almacen AND a.Cod_Articulo = e.Cod_Articulo LEFT JOIN Reposicion_StockReservado d ON a.Cod_Empresa = d.Cod_Empresa AND d.Cod_Almacen =5 AND a.Cod_Articulo = d.Cod_Articulo WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =12 AND a.Codigo = 0 AND a.Unidades > 0 AND b.TipoRep = 1 AND e.Bloqueo = 0
GO
-- Candidate rows of group 2, defined by family 3/1 and by brand 7.
SELECT a.Cod_Articulo, a.Unidades, a.UnidadesVenta, a.UnidadesResto, b.UxCaja, b.UxFraccion, c.Stock_Actual, ISNULL(d.Unidades, 0) AS Stock_Reservado FROM Reposicion a INNER JOIN Articulos b ON a.Cod_Articulo = b.Codigo AND b.Cod_Empresa =1 INNER JOIN Almacen_Articulos c ON a.Cod_Empresa = c.Cod_Empresa AND c.Cod_Almacen =5 AND a.Cod_Articulo = c.Cod_Articulo INNER JOIN Almacen_Articulos e ON a.Cod_Empresa = e.Cod_Empresa AND a.Cod_Almacen = e.Cod_Almacen AND a.Cod_Articulo = e.Cod_Articulo LEFT JOIN Reposicion_StockReservado d ON a.Cod_Empresa = d.Cod_Empresa AND d.Cod_Almacen =5 AND a.Cod_Articulo = d.Cod_Articulo WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =12 AND a.Codigo = 0 AND a.Unidades > 0 AND b.TipoRep = 1 AND e.Bloqueo = 0 AND (( b.Familia_1=3 AND  b.Familia_2=1) OR ( b.Marca=7))
GO
-- Candidate rows of group 0: the articles of no group.
SELECT a.Cod_Articulo, a.Unidades, a.UnidadesVenta, a.UnidadesResto, b.UxCaja, b.UxFraccion, c.Stock_Actual, ISNULL(d.Unidades, 0) AS Stock_Reservado FROM Reposicion a INNER JOIN Articulos b ON a.Cod_Articulo = b.Codigo AND b.Cod_Empresa =1 INNER JOIN Almacen_Articulos c ON a.Cod_Empresa = c.Cod_Empresa AND c.Cod_Almacen =5 AND a.Cod_Articulo = c.Cod_Articulo INNER JOIN Almacen_Articulos e ON a.Cod_Empresa = e.Cod_Empresa AND a.Cod_Almacen = e.Cod_Almacen AND a.Cod_Articulo = e.Cod_Articulo LEFT JOIN Reposicion_StockReservado d ON a.Cod_Empresa = d.Cod_Empresa AND d.Cod_Almacen =5 AND a.Cod_Articulo = d.Cod_Articulo WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =12 AND a.Codigo = 0 AND a.Unidades > 0 AND b.TipoRep = 1 AND e.Bloqueo = 0 AND NOT (( b.Familia_1=3 AND  b.Familia_2=1) OR ( b.Marca=7))
GO
DELETE FROM Reposicion WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Codigo = 0 AND Unidades = 0
GO
DELETE FROM Reposicion WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo IN (SELECT Codigo FROM Articulos WHERE TipoRep = 0  AND Cod_Empresa=1)
GO
DELETE FROM Reposicion WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo IN (SELECT Cod_Articulo FROM Almacen_Articulos WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Bloqueo = 1)
GO
UPDATE Reposicion SET UnidadesResto = Unidades, UnidadesVenta = 0 WHERE Cod_Empresa =1 AND Cod_Almacen =12
GO
-- Editing: header, lines, search, annulment.
SELECT Fecha, Cod_AlmacenD, Observaciones FROM Reposicion_Pref WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001
GO
SELECT a.Cod_Articulo, a.Unidades, b.Descripcion, b.UxCaja, ISNULL(c.Cod_Barras, '') AS EAN, aa.Ubicacion, aa.Stock_Actual FROM Reposicion_Pref_Lineas a  INNER JOIN Articulos b ON b.Cod_Empresa = 1 AND a.Cod_Articulo = b.Codigo INNER JOIN Almacen_Articulos aa ON a.Cod_Empresa = aa.Cod_Empresa AND a.Cod_Almacen = aa.Cod_Almacen AND a.Cod_Articulo = aa.Cod_Articulo LEFT JOIN Articulos_CBarras c ON c.Cod_Empresa = 1 AND a.Cod_Articulo = c.Cod_Articulo AND c.Principal = 1 WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =5 AND a.Codigo =260500001 ORDER BY aa.Ubicacion, b.Familia_1, b.Familia_2, b.Familia_3
GO
SELECT Fecha, Cod_AlmacenD FROM Reposicion_Pref WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001
GO
SELECT Cod_Articulo, Unidades FROM Reposicion_Pref_Lineas WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001
GO
-- Line entry: assortment check, origin stock, reserved stock.
SELECT Bloqueo FROM Almacen_Articulos WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo =1001
GO
SELECT Stock_Actual FROM Almacen_Articulos WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Cod_Articulo =1001
GO
SELECT Unidades FROM Reposicion_StockReservado WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Cod_Articulo =1001
GO
-- Viewer: list and detail.
SELECT a.Codigo, a.Fecha, a.Cod_Almacen, a.Cod_AlmacenD, b.Nombre AS NombAlmacen, c.Nombre as NombAlmacenD FROM Reposicion_Pref a  INNER JOIN Almacenes b ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Codigo INNER JOIN Almacenes c ON a.Cod_Empresa = c.Cod_Empresa AND a.Cod_AlmacenD = c.Codigo WHERE a.Cod_Empresa =1 ORDER BY a.Codigo
GO
SELECT a.Cod_Articulo, a.Unidades, b.Descripcion, b.UxCaja, ISNULL(c.Cod_Barras, '') AS EAN FROM Reposicion_Pref_Lineas a  INNER JOIN Articulos b ON b.Cod_Empresa = 1 AND a.Cod_Articulo = b.Codigo INNER JOIN Almacen_Articulos aa ON a.Cod_Empresa = aa.Cod_Empresa AND a.Cod_Almacen = aa.Cod_Almacen AND a.Cod_Articulo = aa.Cod_Articulo LEFT JOIN Articulos_CBarras c ON c.Cod_Empresa = 1 AND a.Cod_Articulo = c.Cod_Articulo AND c.Principal = 1 WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =5 AND a.Codigo =260500001 ORDER BY aa.Ubicacion, b.Familia_1, b.Familia_2, b.Familia_3
GO
-- Transfer: observations, valued lines, refresh mark and unblocking at the destination.
SELECT Observaciones FROM Reposicion_Pref WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001
GO
SELECT a.Cod_Articulo, a.Unidades, ISNULL(b.PU_Compra, 0) AS Costo, c.UxCaja FROM Reposicion_Pref_Lineas a INNER JOIN Almacen_Articulos b ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Cod_Almacen AND a.Cod_Articulo = b.Cod_Articulo INNER JOIN Articulos c ON c.Cod_Empresa =1 AND a.Cod_Articulo = c.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =5 AND a.Codigo =260500001 ORDER BY c.Familia_1, c.Familia_2, c.Familia_3
GO
UPDATE Articulos SET Mod_Ficha = 1 WHERE Cod_Empresa =1 AND Codigo IN  (SELECT Cod_Articulo FROM Reposicion_Pref_Lineas WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001) AND Codigo IN  (SELECT Cod_Articulo FROM Almacen_Articulos WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Bloqueo = 1)
GO
UPDATE Almacen_Articulos SET Bloqueo = 0 WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Bloqueo = 1 AND Cod_Articulo IN  (SELECT Cod_Articulo FROM Reposicion_Pref_Lineas WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001)
