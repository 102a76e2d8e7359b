-- Leftovers: numbering, scratch document, line entry panel, recording, viewer.
-- Values: company 1 (also the article-master company), warehouse 12, workstation 0, article 1001,
-- document 26120001, tariffs 1 and 2, today 2026-12-05.
SELECT * FROM Contador_Reposicion_Restos WHERE Cod_Empresa =1 AND Cod_Ejercicio =2026 AND Cod_Almacen =12
GO
INSERT INTO Temp_Reposicion_Restos_Lineas (NroPuesto, Cod_Articulo, Unidades, Concepto) VALUES (0, 1001, 6, 'Rotura')
GO
INSERT INTO Temp_Reposicion_Restos (NroPuesto, Fecha, Cod_Almacen) VALUES (0, '2026-12-05', 12)
GO
UPDATE Temp_Reposicion_Restos_Lineas SET Unidades =-4.5, Concepto ='Caducado en cámara' WHERE NroPuesto =0 AND Cod_Articulo =1001
GO
SELECT * FROM Temp_Reposicion_Restos WHERE NroPuesto =0
GO
SELECT a.*, b.Descripcion FROM Temp_Reposicion_Restos_Lineas a  INNER JOIN Articulos b ON b.Cod_Empresa =1 AND a.Cod_Articulo = b.Codigo WHERE NroPuesto =0
GO
SELECT UxCaja FROM Articulos WHERE Cod_Empresa =1 AND Codigo =1001
GO
SELECT Stock_Actual FROM Almacen_Articulos WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo =1001
GO
SELECT Cantidad FROM Articulos_Ventas_Dia WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Fecha ='2026-12-05' AND Cod_Articulo =1001
GO
SELECT ISNULL(SUM(Unidades), 0) AS Unidades FROM Traspasos_Lineas a INNER JOIN Traspasos b ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Ejercicio = b.Cod_Ejercicio AND a.Cod_Almacen = b.Alm_Origen AND a.Codigo = b.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =12 AND a.Cod_Ejercicio =2026 AND a.Cod_Articulo =1001 AND b.Fecha ='2026-12-05'
GO
SELECT ISNULL(SUM(a.Unidades), 0) AS Unidades FROM Reposicion_Restos_Lineas a INNER JOIN Reposicion_Restos b ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Cod_Almacen AND a.Codigo = b.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =12 AND b.Fecha ='2026-12-05' AND a.Cod_Articulo =1001
GO
-- Central office figures (the same tables, read on the central connection).
SELECT Unidades FROM Reposicion WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo =1001 AND Codigo =0
GO
SELECT ISNULL(SUM(a.Unidades), 0) AS Unidades FROM Reposicion_Pref_Lineas a INNER JOIN Reposicion_Pref b ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Cod_Almacen AND a.Codigo = b.Codigo WHERE a.Cod_Empresa =1 AND b.Cod_AlmacenD =12 AND a.Cod_Articulo =1001
GO
SELECT a.Stock_Actual FROM Almacen_Articulos a INNER JOIN Empresas e ON a.Cod_Empresa = e.Codigo AND a.Cod_Almacen = e.Almacen_PD WHERE a.Cod_Empresa =1 AND a.Cod_Articulo =1001
GO
SELECT Tarifa, TarifaProm FROM Almacenes WHERE Cod_Empresa =1 AND Codigo =12
GO
SELECT Pvp FROM Articulos_Tarifas WHERE Cod_Empresa =1 AND Cod_Tarifa =1 AND Cod_Articulo =1001
GO
SELECT Pvp FROM Articulos_Tarifas WHERE Cod_Empresa =1 AND Cod_Tarifa =2 AND Cod_Articulo =1001
GO
SELECT Bloqueo FROM Almacen_Articulos WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo =1001
GO
DELETE FROM Temp_Reposicion_Restos_Lineas WHERE NroPuesto =0 AND Cod_Articulo =1001
GO
-- Recording the document.
INSERT INTO Reposicion_Restos (Cod_Empresa, Cod_Almacen, Codigo, Fecha,  Enviado) VALUES (1, 12, 26120001, '2026-12-05', 0)
GO
INSERT INTO Reposicion_Restos_Lineas (Cod_Empresa, Cod_Almacen, Codigo, Cod_Articulo, Unidades, Concepto) VALUES (1, 12, 26120001, 1001, 6, 'Rotura')
GO
DELETE FROM Temp_Reposicion_Restos WHERE NroPuesto =0
GO
DELETE FROM Temp_Reposicion_Restos_Lineas WHERE NroPuesto =0
GO
-- Leftovers viewer.
SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa =1
GO
SELECT a.Cod_Almacen, a.Unidades, a.UnidadesVenta, a.UnidadesResto, b.Nombre FROM Reposicion a INNER JOIN Almacenes b ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Articulo =1001 AND a.Codigo=0
GO
SELECT a.Cod_Almacen, a.Unidades, a.UnidadesVenta, a.UnidadesResto, b.Nombre FROM Reposicion a INNER JOIN Almacenes b ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Articulo =1001 AND a.Codigo=0 AND a.Cod_Almacen =12
