-- Perishable orders: pre-invoice generation, listing, viewer and conformation.
-- Values: company 1 (also the article-master company), ordering warehouse 12, order type 2,
-- article 1001.
SELECT Codigo, Nombre, Cod_Almacen FROM Pedidos_Central_Tipos
GO
SELECT Cod_Articulo, Cantidad FROM Pedidos_Central WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Tipo =2
GO
DELETE FROM Pedidos_Central WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Tipo =2
GO
SELECT Codigo, Nombre FROM Pedidos_Central_Tipos
GO
SELECT DISTINCT Cod_Almacen FROM Pedidos_Central WHERE Cod_Empresa =1 AND Cod_Almacen BETWEEN 1 AND 99 AND Cod_Tipo =2
GO
SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa =1
GO
SELECT TOP 1 Cerrado FROM Pedidos_Central WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Tipo =2
GO
SELECT Codigo, Nombre FROM Pedidos_Central_Tipos WHERE Codigo > 0
GO
SELECT a.Cod_Articulo, a.Cantidad, a.Cerrado, b.Descripcion, b.UxCaja FROM Pedidos_Central a INNER JOIN Articulos b ON b.Cod_Empresa =1 AND a.Cod_Articulo = b.Codigo WHERE a.Cod_Empresa =1 AND a.Cod_Almacen =12 AND a.Cod_Tipo =2 ORDER BY b.Familia_1, b.Familia_2, b.Familia_3
GO
SELECT UxCaja FROM Articulos WHERE Cod_Empresa =1 AND Codigo =1001
GO
UPDATE Pedidos_Central SET Cantidad = Cantidad + 24 WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo =1001 AND Cod_Tipo =2
GO
INSERT INTO Pedidos_Central (Cod_Empresa, Cod_Almacen, Cod_Articulo, Cod_Tipo, Cantidad, Cerrado) VALUES (1, 12, 1001, 2, 24, 0)
GO
UPDATE Pedidos_Central SET Cerrado = 1 WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Tipo =2
GO
DELETE FROM Pedidos_Central WHERE Cod_Empresa =1 AND Cod_Almacen =12 AND Cod_Articulo =1001 AND Cod_Tipo =2
