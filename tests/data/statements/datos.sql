-- Replenishment data classes: accumulator, shortages, reserved stock, pre-invoice header and lines.
-- Values: company 1, origin 5, destination 12, article 1001, pre-invoice 260500001.
UPDATE Reposicion SET Unidades = Unidades + 5, UnidadesVenta = UnidadesVenta + 5, UnidadesResto = UnidadesResto + 0 WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo =1001 AND CualidadX =0 AND CualidadY =0 AND Codigo = 0
GO
INSERT INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo, CualidadX, CualidadY, Unidades, UnidadesVenta, UnidadesResto) VALUES (1, 12, 1001, 0, 0, 0, 5, 5, 0)
GO
-- Units taken off the pending row are written as negative amounts.
UPDATE Reposicion SET Unidades = Unidades + -2.5, UnidadesVenta = UnidadesVenta + -2.5, UnidadesResto = UnidadesResto + 0 WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo =1001 AND CualidadX =0 AND CualidadY =0 AND Codigo = 0
GO
UPDATE Reposicion_Faltas SET Unidades = Unidades + 24 WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo =1001
GO
INSERT INTO Reposicion_Faltas (Cod_Empresa, Cod_Almacen, Cod_Articulo, Unidades) VALUES (1, 12, 1001, 24)
GO
UPDATE Reposicion_StockReservado SET Unidades = Unidades + 36 WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Cod_Articulo =1001
GO
INSERT INTO Reposicion_StockReservado (Cod_Empresa, Cod_Almacen, Cod_Articulo, Unidades) VALUES (1, 5, 1001, 36)
GO
SELECT * FROM Contador_Reposicion_Pref WHERE Cod_Empresa =1 AND Cod_Ejercicio =2026 AND Cod_Almacen =5
GO
INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Cod_AlmacenD, Pendiente, Observaciones) VALUES (1, 5, 260500001, '2026-12-05', 12, 1, '')
GO
-- A three-digit warehouse gives a ten-digit code.
INSERT INTO Reposicion_Pref (Cod_Empresa, Cod_Almacen, Codigo, Fecha, Cod_AlmacenD, Pendiente, Observaciones) VALUES (1, 123, 2612300001, '2026-12-05', 12, 1, 'Pedido de O''Donnell')
GO
UPDATE Reposicion_Pref SET Observaciones ='Entregar por la mañana' WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001
GO
INSERT INTO Reposicion_Pref_Lineas (Cod_Empresa, Cod_Almacen, Codigo, Cod_Articulo, Unidades, UnidadesVenta, UnidadesResto, UnidadesGen) VALUES (1, 5, 260500001, 1001, 36, 30, 6, 36)
GO
UPDATE Reposicion_Pref_Lineas SET Unidades =30, UnidadesVenta =30, UnidadesResto =0, UnidadesGen =30 WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001 AND Cod_Articulo =1001
GO
SELECT * FROM Reposicion_Pref_Lineas WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001 AND Cod_Articulo =1001
GO
SELECT Cod_Articulo FROM Reposicion_Pref_Lineas WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001
GO
DELETE FROM Reposicion_Pref_Lineas WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001 AND Cod_Articulo =1001
GO
DELETE FROM Reposicion_Pref_Lineas WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001
GO
DELETE FROM Reposicion_Pref WHERE Cod_Empresa =1 AND Cod_Almacen =5 AND Codigo =260500001
