-- Replenishment groups, their families and brands, provisioning groups.
-- Values: company 1 (also the article-master company), user 3, provisioning group 2, group 4.
SELECT TOP 1 Cod_Grupo FROM SGD_Aprovisionamiento_Grupos ag INNER JOIN SGD_Usuarios_Grupos ug ON ag.Cod_Grupo = ug.CodGrupo WHERE ag.Cod_Empresa =1 AND ug.CodUsuario =3
GO
SELECT Cod_Aprov, Nombre FROM Reposicion_Grp_Aprovisionamiento WHERE Cod_Empresa =1 ORDER BY Cod_Aprov
GO
-- A user whose security groups are tied to provisioning groups sees only those.
SELECT Cod_Aprov, Nombre FROM Reposicion_Grp_Aprovisionamiento WHERE Cod_Empresa =1 AND Cod_Aprov IN (SELECT DISTINCT ag.Cod_Aprov FROM SGD_Aprovisionamiento_Grupos ag INNER JOIN SGD_Usuarios_Grupos ug ON ag.Cod_Grupo = ug.CodGrupo WHERE ag.Cod_Empresa =1 AND ug.CodUsuario =3) ORDER BY Cod_Aprov
GO
SELECT * FROM Reposicion_Grp_Aprovisionamiento WHERE Cod_Empresa=1 ORDER BY Cod_Aprov
GO
SELECT TOP 1 * FROM Reposicion_Grp_Aprovisionamiento WHERE Cod_Empresa = 1 AND (Cod_Aprov = 2 OR Nombre = 'Perecederos' )
GO
INSERT INTO Reposicion_Grp_Aprovisionamiento (Cod_Empresa, Cod_Aprov, Nombre, TipoFichero_Propuesta) VALUES (1, 2, 'Perecederos',0)
GO
UPDATE Reposicion_Grp_Aprovisionamiento SET Nombre = 'Perecederos d''O Grove', TipoFichero_Propuesta =1 WHERE Cod_Empresa = 1 AND Cod_Aprov = 2
GO
SELECT grp.Cod_Grupo, grp.Nombre FROM Reposicion_Grp grp WHERE grp.Cod_Empresa=1 AND grp.Cod_Aprov =2 ORDER BY grp.Cod_Grupo
GO
SELECT ISNULL(MAX(Cod_Grupo),0) AS CodigoMax FROM Reposicion_Grp grp WHERE grp.Cod_Empresa =1 AND Cod_Grupo < 3000
GO
SELECT TOP 1 * FROM Reposicion_Grp WHERE Cod_Empresa = 1 AND Cod_Aprov =2 AND (Cod_Grupo = 4 OR Nombre = 'Frutas' )
GO
INSERT INTO Reposicion_Grp (Cod_Empresa, Cod_Grupo, Nombre, Cod_Aprov) VALUES (1, 4, 'Frutas', 2)
GO
UPDATE Reposicion_Grp SET Nombre = 'Frutas y verduras' WHERE Cod_Empresa = 1 AND Cod_Grupo = 4
GO
SELECT a.Familia_1, a.Familia_2, a.Familia_3, a.Cod_Marca, ISNULL(f1.Nombre,'') AS Nomb_Fam1, ISNULL(f2.Nombre,'') AS Nomb_Fam2,  ISNULL(f3.Nombre,'') AS Nomb_Fam3, ISNULL(m.Nombre, '') AS Nomb_Marca FROM Reposicion_Grp_Fam a LEFT JOIN Familias_1 f1 ON f1.Cod_Empresa=1 AND f1.Codigo=a.Familia_1  LEFT JOIN Familias_2 f2 ON f2.Cod_Empresa=1 AND f2.Familia_1=a.Familia_1 AND f2.Codigo=a.Familia_2  LEFT JOIN Familias_3 f3 ON f3.Cod_Empresa=1 AND f3.Familia_1=a.Familia_1 AND f3.Familia_2=a.Familia_2 AND f3.Codigo=a.Familia_3  LEFT JOIN Marcas m ON m.Codigo=a.Cod_Marca WHERE a.Cod_Empresa=1 AND a.Cod_Grupo=4 ORDER BY a.Familia_1, a.Familia_2, a.Familia_3
GO
INSERT INTO Reposicion_Grp_Fam (Cod_Empresa, Cod_Grupo, Familia_1, Familia_2, Familia_3, Cod_Marca) VALUES (1, 4, 3, 1, 0, 0)
GO
DELETE FROM Reposicion_Grp_Fam WHERE Cod_Empresa =1 AND Cod_Grupo =4 AND Familia_1 =3 AND Familia_2 =1 AND Familia_3 =0 AND Cod_Marca =0
GO
-- Deletion check of a group, one table after another.
SELECT TOP 1 * FROM Reposicion_Pedidos_ArtCentral_ProgPedidos WHERE Cod_Empresa =1 AND Cod_Grupo =4
GO
SELECT TOP 1 * FROM Reposicion_Pedidos_ArtCentral_ProgPedidosM WHERE Cod_Empresa =1 AND Cod_Grupo =4
GO
SELECT TOP 1 * FROM Reposicion_Pedidos_ArtCentral WHERE Cod_Empresa =1 AND Cod_GrupoRep =4
GO
SELECT TOP 1 * FROM Reposicion_Pedidos_ArtCentral_Filtro WHERE Cod_Empresa =1 AND Cod_Grupo_Reposicion =4
GO
DELETE FROM Reposicion_Grp WHERE Cod_Empresa =1 AND Cod_Grupo = 4
GO
DELETE FROM Reposicion_Grp_Fam WHERE Cod_Empresa =1 AND Cod_Grupo = 4
GO
-- Deletion of a provisioning group.
SELECT TOP 1 * FROM Reposicion_Grp WHERE Cod_Empresa =1 AND Cod_Aprov =2
GO
DELETE FROM Reposicion_Grp_Aprovisionamiento WHERE Cod_Empresa =1 AND Cod_Aprov = 2
GO
DELETE FROM SGD_Aprovisionamiento_Grupos WHERE Cod_Empresa =1 AND Cod_Aprov = 2
GO
DELETE FROM Reposicion_Grp WHERE Cod_Empresa =1 AND Cod_Aprov = 2
GO
DELETE FROM Reposicion_Pedidos_ArtCentral_Filtro_Categorias WHERE Cod_Empresa =1 AND Cod_Aprov = 2
