-- Order matching: documents of a warehouse and supplier, the matching run, stamping the
-- mini-purchases, differences printout, details and shortages.
-- Values: company 1 (also the article-master and supplier-master company), warehouse 12,
-- supplier 40, orders 7001 and 7002, mini-purchase 310 of 2026, article 1001.
SELECT @@TRANCOUNT
GO
SELECT Codigo, Fecha, Importe, LineasRecibidas, dbo.fn_PedidosProvTotalLineas(Cod_Empresa, Codigo) AS Lineas, dbo.fn_PedidosProvTotalUnidades(Cod_Empresa, Codigo) AS Unidades FROM Pedidos_Proveedores WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Proveedor =40 AND Pendiente = 1
GO
SELECT Codigo, Fecha, Documento, Cod_Ejercicio, CheckvsPed, dbo.fn_ComprasMiniTotalLineas(Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo) AS Lineas, dbo.fn_ComprasMiniTotalUnidades(Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo) AS Unidades FROM Compras_Mini WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Proveedor =40
GO
SELECT b.Cod_Articulo, (b.Unidades - b.UnidadesRcv) AS Unidades FROM Pedidos_Proveedores a  INNER JOIN Pedidos_Proveedores_Lineas b ON a.Cod_Empresa = b.Cod_Empresa AND a.Codigo = b.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =12 AND a.Cod_Proveedor =40 AND a.Codigo IN (7001, 7002) AND b.Unidades <> b.UnidadesRcv
GO
SELECT b.Cod_Articulo, b.Unidades FROM Compras_Mini a  INNER JOIN Compras_Mini_Lineas b ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Ejercicio = b.Cod_Ejercicio AND a.Cod_Almacen = b.Cod_Almacen AND a.Codigo = b.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Ejercicio =2026 AND a.Cod_Almacen =12 AND a.Codigo =310
GO
UPDATE Compras_Mini SET CheckvsPed = 1, EnviadoCheckvsPed = 0, Cod_PedidoProv =7001 WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Ejercicio =2026 AND Codigo =310
GO
UPDATE Compras_Mini_Lineas SET CostoFra = 0 WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Ejercicio =2026 AND Codigo =310
GO
DELETE FROM Compras_Mini_Lineas_Convenio WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Ejercicio =2026 AND Codigo =310
GO
SELECT p.UsarPendRecibirPedidos, a.CfgStockTransito FROM Proveedores p INNER JOIN Almacenes a ON a.Cod_Empresa =1 AND a.Codigo =12 WHERE p.Cod_Empresa =1 AND p.Codigo =40
GO
-- Differences screen and its printout table.
SELECT Descripcion FROM Articulos WHERE Cod_Empresa =1 AND Codigo =1001
GO
DELETE FROM Temp_ChkPedidos WHERE Puesto ='PUESTO-07'
GO
INSERT INTO Temp_ChkPedidos (Puesto, Cod_Articulo, Descripcion, UnidadesPed, UnidadesMC) VALUES ('PUESTO-07', 1001, 'Leche entera 1L', 12, 10.5)
GO
DELETE FROM Temp_ChkPedidos WHERE Puesto ='PUESTO-07'
GO
-- Details of an order and of a mini-purchase.
SELECT a.Cod_Articulo, b.Descripcion, a.Unidades, a.UnidadesRcv FROM Pedidos_Proveedores_Lineas a INNER JOIN Articulos b ON b.Cod_Empresa =1 AND a.Cod_Articulo = b.Codigo WHERE a.Cod_Empresa =1 AND a.Codigo =7001 AND a.Cod_Articulo > 0 ORDER BY a.Cod_Articulo
GO
SELECT a.Cod_Articulo, b.Descripcion, a.Unidades FROM Compras_Mini_Lineas a INNER JOIN Articulos b ON b.Cod_Empresa =1 AND a.Cod_Articulo = b.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Ejercicio =2026 AND a.Cod_Almacen =12 AND a.Codigo =310 AND a.Cod_Articulo > 0 ORDER BY a.Cod_Articulo
GO
-- Shortages of the three latest closed orders.
SELECT a.Codigo, a.Fecha, b.Cod_Articulo, b.Unidades, b.UnidadesLiq, c.Descripcion FROM Pedidos_Proveedores a INNER JOIN Pedidos_Proveedores_Lineas b ON a.Cod_Empresa = b.Cod_Empresa AND a.Codigo = b.Codigo INNER JOIN Articulos c ON c.Cod_Empresa =1 AND b.Cod_Articulo = c.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =12 AND a.Cod_Proveedor =40 AND a.Codigo IN (SELECT TOP 3 Codigo FROM Pedidos_Proveedores WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Proveedor =40 AND Pendiente = 0 ORDER BY Fecha DESC, Codigo DESC) AND b.UnidadesLiq > 0 ORDER BY a.Fecha, a.Codigo, c.Descripcion
