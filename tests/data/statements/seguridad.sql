-- Control-level security: rights query, registration of a form and its controls.
-- Values: company 1, user 3, form code 7.
SELECT gc.Cod_Grupo, f.Nombre AS Formulario, c.Nombre AS Control, c.Indice, gc.Permiso FROM SGD_Controles_Grupos gc INNER JOIN SGD_Formularios f ON gc.Cod_Formulario = f.Cod_Formulario  INNER JOIN SGD_Controles c ON gc.Cod_Formulario = c.Cod_Formulario AND gc.Cod_Control = c.Cod_Control WHERE f.Nombre = 'frmRepGrupos' AND (gc.Cod_Grupo = 0 OR gc.Cod_Grupo IN (SELECT CodGrupo FROM SGD_Usuarios_Grupos WHERE CodUsuario = 3)) ORDER BY c.Nombre, gc.Permiso ASC
GO
SELECT ISNULL(@@SERVERNAME, '')
GO
SELECT cod_Formulario  FROM SGD_Formularios WHERE Nombre ='frmRepGrupos'
GO
SELECT Max(Cod_Formulario) AS codigo FROM SGD_Formularios
GO
INSERT INTO SGD_Formularios (Cod_Formulario, Nombre) VALUES (7,'frmRepGrupos')
GO
UPDATE SGD_Controles SET TabIndex=-1 WHERE Cod_Formulario=7
GO
SELECT ISNULL(Max(Cod_Control),0) FROM SGD_Controles WHERE Cod_Formulario = 7
GO
-- Prepared with four parameters; shown here with the values bound.
UPDATE SGD_Controles SET TabIndex=3 WHERE Cod_Formulario=7 AND Nombre='cmdAgregar' AND Indice=''
GO
-- Prepared with five parameters; shown here with the values bound.
INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre, Indice,TabIndex) VALUES (7,1,'cmdAgregar','',3)
GO
INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre, Indice,TabIndex) VALUES (7,2,'txtFamilia','1',4)
GO
DELETE cg FROM SGD_Controles_Grupos cg INNER JOIN SGD_Controles c ON cg.Cod_Formulario=c.Cod_Formulario AND cg.Cod_Control=c.Cod_Control WHERE c.TabIndex=-1
GO
DELETE FROM SGD_Controles WHERE TabIndex=-1
