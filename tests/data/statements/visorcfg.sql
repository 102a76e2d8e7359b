-- Article viewer configuration: catalogue, shown and sort columns, saving per user and type.
-- Values: company 1, user 3, replenishment type 1.
SELECT Id_Campo, Cod_Campo, Descripcion FROM Reposicion_Columnas WHERE Cod_Empresa =1 ORDER BY Descripcion ASC
GO
SELECT col.Id_Campo  FROM Reposicion_Columnas col INNER JOIN Reposicion_Columnas_Valores val ON val.Cod_Empresa = col.Cod_Empresa AND val.Cod_Campo = col.Cod_Campo WHERE col.Cod_Empresa =1 AND val.Visible = 1 AND val.TipoReposicion = 1 AND val.Cod_Usuario =3 ORDER BY val.OrdenGrid
GO
SELECT col.Id_Campo FROM Reposicion_Columnas col INNER JOIN Reposicion_Columnas_Valores val ON val.Cod_Empresa = col.Cod_Empresa AND val.Cod_Campo = col.Cod_Campo WHERE col.Cod_Empresa =1 AND val.Visible = 1 AND val.TipoReposicion = 1 AND val.Cod_Usuario = 0 ORDER BY val.OrdenGrid
GO
SELECT Id_Campo  FROM Reposicion_Columnas WHERE Cod_Empresa =1 AND ArtCen_DF = 1
GO
SELECT Id_Campo  FROM Reposicion_Columnas WHERE Cod_Empresa =1 AND ArtProv_DF = 1
GO
SELECT Id_Campo  FROM Reposicion_Columnas WHERE Cod_Empresa =1
GO
SELECT val.Cod_Campo, rep.Descripcion, val.Orden FROM Reposicion_Columnas_Valores val INNER JOIN Reposicion_Columnas rep ON rep.Cod_Empresa = val.Cod_Empresa AND rep.Cod_Campo = val.Cod_Campo WHERE val.Cod_Empresa =1 AND val.TipoReposicion =1 AND val.Cod_Usuario =3 AND val.Orden IN (1,2) ORDER BY val.OrdenOrderBy
GO
SELECT val.Cod_Campo, rep.Descripcion, val.Orden FROM Reposicion_Columnas_Valores val INNER JOIN Reposicion_Columnas rep ON rep.Cod_Empresa = val.Cod_Empresa AND rep.Cod_Campo = val.Cod_Campo WHERE val.Cod_Empresa =1 AND val.TipoReposicion =1 AND val.Cod_Usuario = 0 AND val.Orden IN (1,2) ORDER BY val.OrdenOrderBy
GO
UPDATE Reposicion_Columnas_Valores SET Ancho = 0 WHERE Cod_Empresa =1 AND TipoReposicion = 1 AND Cod_Usuario =3
GO
UPDATE Reposicion_Columnas_Valores SET Visible = 0 ,Orden = 0 ,OrdenGrid = 0 ,OrdenOrderBy = 0 WHERE Cod_Empresa =1 AND TipoReposicion = 1 AND Cod_Usuario =3
GO
UPDATE Reposicion_Columnas_Valores SET Visible = 1 ,OrdenGrid =0 WHERE Cod_Empresa =1 AND Cod_Campo =1 AND TipoReposicion = 1 AND Cod_Usuario =3
GO
INSERT INTO Reposicion_Columnas_Valores(Cod_Empresa, Cod_Campo, TipoReposicion, Cod_Usuario, Ancho, Visible, Orden, OrdenGrid, OrdenOrderBy) VALUES(1, 1, 1, 3, 0, 1, 0, 0, 0)
GO
UPDATE Reposicion_Columnas_Valores SET Orden =2 ,OrdenOrderBy =1 WHERE Cod_Empresa =1 AND Cod_Campo =3 AND TipoReposicion = 1 AND Cod_Usuario =3
GO
-- A sort column that is not shown is stored as shown.
INSERT INTO Reposicion_Columnas_Valores(Cod_Empresa, Cod_Campo, TipoReposicion, Cod_Usuario, Ancho, Visible, Orden, OrdenGrid, OrdenOrderBy) VALUES(1, 3, 1, 3, 0, 1, 2, 0, 1)
