-- NRVXReposic company database, Microsoft SQL Server.
-- Batches are separated by GO lines; every batch is guarded so the script can run again on a
-- database that already has some of the tables. Text columns are Unicode (NVARCHAR, NCHAR), so
-- names in any script survive whatever the server's code page, and are declared case-insensitive
-- and accent-sensitive (Modern_Spanish_CI_AS) whatever the database's default collation, so
-- look-ups by name answer the same as on the embedded engine. Quantities and prices are DECIMAL(19,4).

-- ---------------------------------------------------------------- host master tables
IF OBJECT_ID(N'dbo.Empresas', N'U') IS NULL
CREATE TABLE dbo.Empresas (
  Codigo        SMALLINT NOT NULL PRIMARY KEY,
  Nombre        NVARCHAR(100) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  CIF           NVARCHAR(20) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Direccion     NVARCHAR(100) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Poblacion     NVARCHAR(60) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Telefono      NVARCHAR(20) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Cod_EmpresaArticulos   SMALLINT NOT NULL DEFAULT 0,
  Cod_EmpresaProveedores SMALLINT NOT NULL DEFAULT 0,
  Almacen_PD    SMALLINT NOT NULL DEFAULT 0
);
GO

IF OBJECT_ID(N'dbo.Usuarios', N'U') IS NULL
CREATE TABLE dbo.Usuarios (
  Codigo        SMALLINT NOT NULL PRIMARY KEY,
  Nombre        NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Cod_Almacen   SMALLINT NOT NULL DEFAULT 0
);
GO

IF OBJECT_ID(N'dbo.Almacenes', N'U') IS NULL
CREATE TABLE dbo.Almacenes (
  Cod_Empresa        SMALLINT NOT NULL,
  Codigo             SMALLINT NOT NULL,
  Nombre             NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Direccion          NVARCHAR(100) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Poblacion          NVARCHAR(60) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  RepPorcentajeCajas DECIMAL(19,4) NOT NULL DEFAULT 0,
  Tarifa             SMALLINT NOT NULL DEFAULT 0,
  TarifaProm         SMALLINT NOT NULL DEFAULT 0,
  CfgStockTransito   SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
GO

IF OBJECT_ID(N'dbo.Familias_1', N'U') IS NULL
CREATE TABLE dbo.Familias_1 (
  Cod_Empresa SMALLINT NOT NULL,
  Codigo      INT NOT NULL,
  Nombre      NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  PRIMARY KEY (Cod_Empresa, Codigo)
);
GO

IF OBJECT_ID(N'dbo.Familias_2', N'U') IS NULL
CREATE TABLE dbo.Familias_2 (
  Cod_Empresa SMALLINT NOT NULL,
  Familia_1   INT NOT NULL,
  Codigo      INT NOT NULL,
  Nombre      NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  PRIMARY KEY (Cod_Empresa, Familia_1, Codigo)
);
GO

IF OBJECT_ID(N'dbo.Familias_3', N'U') IS NULL
CREATE TABLE dbo.Familias_3 (
  Cod_Empresa SMALLINT NOT NULL,
  Familia_1   INT NOT NULL,
  Familia_2   INT NOT NULL,
  Codigo      INT NOT NULL,
  Nombre      NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  PRIMARY KEY (Cod_Empresa, Familia_1, Familia_2, Codigo)
);
GO

-- Brands are shared by every company of the installation.
IF OBJECT_ID(N'dbo.Marcas', N'U') IS NULL
CREATE TABLE dbo.Marcas (
  Codigo INT NOT NULL PRIMARY KEY,
  Nombre NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N''
);
GO

IF OBJECT_ID(N'dbo.Proveedores', N'U') IS NULL
CREATE TABLE dbo.Proveedores (
  Cod_Empresa            SMALLINT NOT NULL,
  Codigo                 INT NOT NULL,
  Nombre                 NVARCHAR(100) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  CIF                    NVARCHAR(20) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  UsarPendRecibirPedidos BIT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
GO

IF OBJECT_ID(N'dbo.Articulos', N'U') IS NULL
CREATE TABLE dbo.Articulos (
  Cod_Empresa   SMALLINT NOT NULL,
  Codigo        INT NOT NULL,
  Descripcion   NVARCHAR(100) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  UxCaja        DECIMAL(19,4) NOT NULL DEFAULT 0,
  UxFraccion    DECIMAL(19,4) NOT NULL DEFAULT 0,
  TipoRep       SMALLINT NOT NULL DEFAULT 0,
  Familia_1     INT NOT NULL DEFAULT 0,
  Familia_2     INT NOT NULL DEFAULT 0,
  Familia_3     INT NOT NULL DEFAULT 0,
  Marca         INT NOT NULL DEFAULT 0,
  Cod_Proveedor INT NOT NULL DEFAULT 0,
  Mod_Ficha     BIT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Articulos_Familias'
                 AND object_id = OBJECT_ID(N'dbo.Articulos'))
  CREATE INDEX IX_Articulos_Familias
    ON dbo.Articulos (Cod_Empresa, Familia_1, Familia_2, Familia_3);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Articulos_Proveedor'
                 AND object_id = OBJECT_ID(N'dbo.Articulos'))
  CREATE INDEX IX_Articulos_Proveedor ON dbo.Articulos (Cod_Empresa, Cod_Proveedor);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Articulos_TipoRep'
                 AND object_id = OBJECT_ID(N'dbo.Articulos'))
  CREATE INDEX IX_Articulos_TipoRep ON dbo.Articulos (Cod_Empresa, TipoRep, Codigo);
GO

IF OBJECT_ID(N'dbo.Articulos_CBarras', N'U') IS NULL
CREATE TABLE dbo.Articulos_CBarras (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Barras   NVARCHAR(20) COLLATE Modern_Spanish_CI_AS NOT NULL,
  Cod_Articulo INT NOT NULL,
  Principal    BIT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Barras)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Articulos_CBarras_Articulo'
                 AND object_id = OBJECT_ID(N'dbo.Articulos_CBarras'))
  CREATE INDEX IX_Articulos_CBarras_Articulo ON dbo.Articulos_CBarras (Cod_Empresa, Cod_Articulo);
GO

-- The screens LEFT JOIN the main bar code: a second main code would duplicate their lines.
IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'UX_Articulos_CBarras_Principal'
                 AND object_id = OBJECT_ID(N'dbo.Articulos_CBarras'))
  CREATE UNIQUE INDEX UX_Articulos_CBarras_Principal
    ON dbo.Articulos_CBarras (Cod_Empresa, Cod_Articulo) WHERE Principal = 1;
GO

IF OBJECT_ID(N'dbo.Articulos_Tarifas', N'U') IS NULL
CREATE TABLE dbo.Articulos_Tarifas (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Tarifa   SMALLINT NOT NULL,
  Cod_Articulo INT NOT NULL,
  Pvp          DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Tarifa, Cod_Articulo)
);
GO

IF OBJECT_ID(N'dbo.Almacen_Articulos', N'U') IS NULL
CREATE TABLE dbo.Almacen_Articulos (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_Articulo INT NOT NULL,
  Stock_Actual DECIMAL(19,4) NOT NULL DEFAULT 0,
  Bloqueo      BIT NOT NULL DEFAULT 0,
  Ubicacion    NVARCHAR(20) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  PU_Compra    DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Articulo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Almacen_Articulos_Articulo'
                 AND object_id = OBJECT_ID(N'dbo.Almacen_Articulos'))
  CREATE INDEX IX_Almacen_Articulos_Articulo ON dbo.Almacen_Articulos (Cod_Empresa, Cod_Articulo);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Almacen_Articulos_Bloqueo'
                 AND object_id = OBJECT_ID(N'dbo.Almacen_Articulos'))
  CREATE INDEX IX_Almacen_Articulos_Bloqueo
    ON dbo.Almacen_Articulos (Cod_Empresa, Cod_Almacen, Bloqueo, Cod_Articulo);
GO

IF OBJECT_ID(N'dbo.Articulos_Ventas_Dia', N'U') IS NULL
CREATE TABLE dbo.Articulos_Ventas_Dia (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Fecha        DATETIME NOT NULL,
  Cod_Articulo INT NOT NULL,
  Cantidad     DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Fecha, Cod_Articulo)
);
GO

-- ---------------------------------------------------------------- host documents
-- Stock transfers, numbered per company, year and origin warehouse.
IF OBJECT_ID(N'dbo.Contador_Traspasos', N'U') IS NULL
CREATE TABLE dbo.Contador_Traspasos (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        INT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen)
);
GO

IF OBJECT_ID(N'dbo.Traspasos', N'U') IS NULL
CREATE TABLE dbo.Traspasos (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Alm_Origen    SMALLINT NOT NULL,
  Codigo        INT NOT NULL,
  Fecha         DATETIME NOT NULL,
  Alm_Destino   SMALLINT NOT NULL DEFAULT 0,
  Cod_Usuario   SMALLINT NOT NULL DEFAULT 0,
  Observaciones NVARCHAR(255) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Importe       DECIMAL(19,4) NOT NULL DEFAULT 0,
  Recibido      BIT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Traspasos_Fecha'
                 AND object_id = OBJECT_ID(N'dbo.Traspasos'))
  CREATE INDEX IX_Traspasos_Fecha ON dbo.Traspasos (Cod_Empresa, Alm_Origen, Fecha);
GO

-- Cod_Almacen of a line is the origin warehouse of its document.
IF OBJECT_ID(N'dbo.Traspasos_Lineas', N'U') IS NULL
CREATE TABLE dbo.Traspasos_Lineas (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        INT NOT NULL,
  Linea         INT NOT NULL,
  Cod_Articulo  INT NOT NULL,
  Descripcion   NVARCHAR(100) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  UxCaja        DECIMAL(19,4) NOT NULL DEFAULT 0,
  Cajas         INT NOT NULL DEFAULT 0,
  Unidades      DECIMAL(19,4) NOT NULL DEFAULT 0,
  Costo         DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Traspasos_Lineas_Articulo'
                 AND object_id = OBJECT_ID(N'dbo.Traspasos_Lineas'))
  CREATE INDEX IX_Traspasos_Lineas_Articulo
    ON dbo.Traspasos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Ejercicio, Cod_Articulo);
GO

-- The accounting entry of a transfer, written with the transfer and removed once the accounting
-- database holds it: the two databases commit one after the other, and a stop between the two
-- leaves the entry here to be booked at the next start.
IF OBJECT_ID(N'dbo.Traspasos_Contabilidad_Pendiente', N'U') IS NULL
CREATE TABLE dbo.Traspasos_Contabilidad_Pendiente (
  Cod_Empresa         SMALLINT NOT NULL,
  Cod_Ejercicio       SMALLINT NOT NULL,
  Alm_Origen          SMALLINT NOT NULL,
  Codigo              INT NOT NULL,
  Cod_EmpresaContable SMALLINT NOT NULL,
  Fecha               DATETIME NOT NULL,
  Alm_Destino         SMALLINT NOT NULL,
  Importe             DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo)
);
GO

IF OBJECT_ID(N'dbo.Pedidos_Proveedores', N'U') IS NULL
CREATE TABLE dbo.Pedidos_Proveedores (
  Cod_Empresa     SMALLINT NOT NULL,
  Codigo          INT NOT NULL,
  Fecha           DATETIME NOT NULL,
  Cod_Almacen     SMALLINT NOT NULL,
  Cod_Proveedor   INT NOT NULL,
  Importe         DECIMAL(19,4) NOT NULL DEFAULT 0,
  LineasRecibidas INT NOT NULL DEFAULT 0,
  Pendiente       BIT NOT NULL DEFAULT 1,
  Anulado         BIT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Pedidos_Proveedores_Proveedor'
                 AND object_id = OBJECT_ID(N'dbo.Pedidos_Proveedores'))
  CREATE INDEX IX_Pedidos_Proveedores_Proveedor
    ON dbo.Pedidos_Proveedores (Cod_Empresa, Cod_Almacen, Cod_Proveedor, Pendiente);
GO

-- Lines with Cod_Articulo 0 are text-only lines of the order.
IF OBJECT_ID(N'dbo.Pedidos_Proveedores_Lineas', N'U') IS NULL
CREATE TABLE dbo.Pedidos_Proveedores_Lineas (
  Cod_Empresa  SMALLINT NOT NULL,
  Codigo       INT NOT NULL,
  Linea        SMALLINT NOT NULL,
  Cod_Articulo INT NOT NULL DEFAULT 0,
  Descripcion  NVARCHAR(100) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Unidades     DECIMAL(19,4) NOT NULL DEFAULT 0,
  UnidadesRcv  DECIMAL(19,4) NOT NULL DEFAULT 0,
  UnidadesLiq  DECIMAL(19,4) NOT NULL DEFAULT 0,
  Precio       DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo, Linea)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Pedidos_Proveedores_Lineas_Articulo'
                 AND object_id = OBJECT_ID(N'dbo.Pedidos_Proveedores_Lineas'))
  CREATE INDEX IX_Pedidos_Proveedores_Lineas_Articulo
    ON dbo.Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Cod_Articulo);
GO

-- Each booking of received units on an order line, so a receipt can be traced and undone.
IF OBJECT_ID(N'dbo.Pedidos_Proveedores_Recepciones', N'U') IS NULL
CREATE TABLE dbo.Pedidos_Proveedores_Recepciones (
  Id           INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  Cod_Empresa  SMALLINT NOT NULL,
  Codigo       INT NOT NULL,
  Linea        SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_Articulo INT NOT NULL,
  Fecha        DATETIME NOT NULL,
  Unidades     DECIMAL(19,4) NOT NULL DEFAULT 0
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Pedidos_Proveedores_Recepciones_Pedido'
                 AND object_id = OBJECT_ID(N'dbo.Pedidos_Proveedores_Recepciones'))
  CREATE INDEX IX_Pedidos_Proveedores_Recepciones_Pedido
    ON dbo.Pedidos_Proveedores_Recepciones (Cod_Empresa, Codigo, Linea);
GO

-- Mini-purchases: goods receipts captured at a store, numbered per year and warehouse.
IF OBJECT_ID(N'dbo.Compras_Mini', N'U') IS NULL
CREATE TABLE dbo.Compras_Mini (
  Cod_Empresa       SMALLINT NOT NULL,
  Cod_Ejercicio     SMALLINT NOT NULL,
  Cod_Almacen       SMALLINT NOT NULL,
  Codigo            INT NOT NULL,
  Fecha             DATETIME NOT NULL,
  Documento         NVARCHAR(20) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Cod_Proveedor     INT NOT NULL,
  CheckvsPed        BIT NOT NULL DEFAULT 0,
  EnviadoCheckvsPed BIT NOT NULL DEFAULT 0,
  Cod_PedidoProv    INT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Compras_Mini_Proveedor'
                 AND object_id = OBJECT_ID(N'dbo.Compras_Mini'))
  CREATE INDEX IX_Compras_Mini_Proveedor
    ON dbo.Compras_Mini (Cod_Empresa, Cod_Almacen, Cod_Proveedor);
GO

IF OBJECT_ID(N'dbo.Compras_Mini_Lineas', N'U') IS NULL
CREATE TABLE dbo.Compras_Mini_Lineas (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        INT NOT NULL,
  Linea         SMALLINT NOT NULL,
  Cod_Articulo  INT NOT NULL DEFAULT 0,
  Unidades      DECIMAL(19,4) NOT NULL DEFAULT 0,
  Precio        DECIMAL(19,4) NOT NULL DEFAULT 0,
  CostoFra      DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea)
);
GO

IF OBJECT_ID(N'dbo.Compras_Mini_Lineas_Convenio', N'U') IS NULL
CREATE TABLE dbo.Compras_Mini_Lineas_Convenio (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        INT NOT NULL,
  Linea         SMALLINT NOT NULL,
  Cod_Convenio  INT NOT NULL DEFAULT 0,
  Importe       DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea, Cod_Convenio)
);
GO

-- The host's operation log (who did what to which document).
IF OBJECT_ID(N'dbo.Log_Operaciones', N'U') IS NULL
CREATE TABLE dbo.Log_Operaciones (
  Id            INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  Cod_Empresa   SMALLINT NOT NULL,
  Fecha         DATETIME NOT NULL,
  Hora          NVARCHAR(8) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Cod_Usuario   SMALLINT NOT NULL DEFAULT 0,
  TipoDocumento SMALLINT NOT NULL DEFAULT 0,
  Operacion     SMALLINT NOT NULL DEFAULT 0,
  Cod_Documento INT NOT NULL DEFAULT 0,
  Comentario    NVARCHAR(255) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N''
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Log_Operaciones_Documento'
                 AND object_id = OBJECT_ID(N'dbo.Log_Operaciones'))
  CREATE INDEX IX_Log_Operaciones_Documento
    ON dbo.Log_Operaciones (Cod_Empresa, TipoDocumento, Cod_Documento);
GO

-- ---------------------------------------------------------------- security
IF OBJECT_ID(N'dbo.SGD_Formularios', N'U') IS NULL
CREATE TABLE dbo.SGD_Formularios (
  Cod_Formulario INT NOT NULL PRIMARY KEY,
  Nombre         NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N''
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_SGD_Formularios_Nombre'
                 AND object_id = OBJECT_ID(N'dbo.SGD_Formularios'))
  CREATE INDEX IX_SGD_Formularios_Nombre ON dbo.SGD_Formularios (Nombre);
GO

IF OBJECT_ID(N'dbo.SGD_Controles', N'U') IS NULL
CREATE TABLE dbo.SGD_Controles (
  Cod_Formulario INT NOT NULL,
  Cod_Control    INT NOT NULL,
  Nombre         NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Indice         NCHAR(2) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  TabIndex       SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Formulario, Cod_Control)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_SGD_Controles_Nombre'
                 AND object_id = OBJECT_ID(N'dbo.SGD_Controles'))
  CREATE INDEX IX_SGD_Controles_Nombre ON dbo.SGD_Controles (Cod_Formulario, Nombre, Indice);
GO

IF OBJECT_ID(N'dbo.SGD_Controles_Grupos', N'U') IS NULL
CREATE TABLE dbo.SGD_Controles_Grupos (
  Cod_Formulario INT NOT NULL,
  Cod_Control    INT NOT NULL,
  Cod_Grupo      INT NOT NULL,
  Permiso        SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Formulario, Cod_Control, Cod_Grupo)
);
GO

IF OBJECT_ID(N'dbo.SGD_Usuarios_Grupos', N'U') IS NULL
CREATE TABLE dbo.SGD_Usuarios_Grupos (
  CodGrupo   INT NOT NULL,
  CodUsuario INT NOT NULL,
  PRIMARY KEY (CodGrupo, CodUsuario)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_SGD_Usuarios_Grupos_Usuario'
                 AND object_id = OBJECT_ID(N'dbo.SGD_Usuarios_Grupos'))
  CREATE INDEX IX_SGD_Usuarios_Grupos_Usuario ON dbo.SGD_Usuarios_Grupos (CodUsuario);
GO

IF OBJECT_ID(N'dbo.SGD_Aprovisionamiento_Grupos', N'U') IS NULL
CREATE TABLE dbo.SGD_Aprovisionamiento_Grupos (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Grupo   INT NOT NULL,
  Cod_Aprov   SMALLINT NOT NULL,
  PRIMARY KEY (Cod_Empresa, Cod_Grupo, Cod_Aprov)
);
GO

-- ---------------------------------------------------------------- replenishment
-- Codigo 0 is the open accumulator of one article, destination and variant pair.
IF OBJECT_ID(N'dbo.Reposicion', N'U') IS NULL
CREATE TABLE dbo.Reposicion (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Cod_Articulo  INT NOT NULL,
  Codigo        INT NOT NULL DEFAULT 0,
  CualidadX     INT NOT NULL DEFAULT 0,
  CualidadY     INT NOT NULL DEFAULT 0,
  Unidades      DECIMAL(19,4) NOT NULL DEFAULT 0,
  UnidadesVenta DECIMAL(19,4) NOT NULL DEFAULT 0,
  UnidadesResto DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo, CualidadX, CualidadY)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Almacen_Codigo'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion'))
  CREATE INDEX IX_Reposicion_Almacen_Codigo ON dbo.Reposicion (Cod_Empresa, Cod_Almacen, Codigo);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Articulo'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion'))
  CREATE INDEX IX_Reposicion_Articulo ON dbo.Reposicion (Cod_Empresa, Cod_Articulo, Codigo);
GO

IF OBJECT_ID(N'dbo.Reposicion_Faltas', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Faltas (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_Articulo INT NOT NULL,
  Unidades     DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Articulo)
);
GO

IF OBJECT_ID(N'dbo.Reposicion_StockReservado', N'U') IS NULL
CREATE TABLE dbo.Reposicion_StockReservado (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_Articulo INT NOT NULL,
  Unidades     DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Articulo)
);
GO

-- Pre-invoice codes carry year and warehouse in their digits: 64-bit.
IF OBJECT_ID(N'dbo.Contador_Reposicion_Pref', N'U') IS NULL
CREATE TABLE dbo.Contador_Reposicion_Pref (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        BIGINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen)
);
GO

IF OBJECT_ID(N'dbo.Reposicion_Pref', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Pref (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        BIGINT NOT NULL,
  Fecha         DATETIME NOT NULL,
  Cod_AlmacenD  SMALLINT NOT NULL,
  Pendiente     BIT NOT NULL DEFAULT 1,
  Observaciones NVARCHAR(255) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Pref_Destino'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion_Pref'))
  CREATE INDEX IX_Reposicion_Pref_Destino ON dbo.Reposicion_Pref (Cod_Empresa, Cod_AlmacenD);
GO

IF OBJECT_ID(N'dbo.Reposicion_Pref_Lineas', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Pref_Lineas (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        BIGINT NOT NULL,
  Cod_Articulo  INT NOT NULL,
  Unidades      DECIMAL(19,4) NOT NULL DEFAULT 0,
  UnidadesVenta DECIMAL(19,4) NOT NULL DEFAULT 0,
  UnidadesResto DECIMAL(19,4) NOT NULL DEFAULT 0,
  UnidadesGen   DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo, Cod_Articulo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Pref_Lineas_Articulo'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion_Pref_Lineas'))
  CREATE INDEX IX_Reposicion_Pref_Lineas_Articulo
    ON dbo.Reposicion_Pref_Lineas (Cod_Empresa, Cod_Articulo);
GO

IF OBJECT_ID(N'dbo.Reposicion_Grp_Aprovisionamiento', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Grp_Aprovisionamiento (
  Cod_Empresa           SMALLINT NOT NULL,
  Cod_Aprov             SMALLINT NOT NULL,
  Nombre                NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  TipoFichero_Propuesta SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Aprov)
);
GO

IF OBJECT_ID(N'dbo.Reposicion_Grp', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Grp (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Grupo   SMALLINT NOT NULL,
  Nombre      NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Cod_Aprov   SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Grupo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Grp_Aprov'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion_Grp'))
  CREATE INDEX IX_Reposicion_Grp_Aprov ON dbo.Reposicion_Grp (Cod_Empresa, Cod_Aprov);
GO

-- One row per family/brand element of a group; an element stored twice means nothing more.
IF OBJECT_ID(N'dbo.Reposicion_Grp_Fam', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Grp_Fam (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Grupo   SMALLINT NOT NULL,
  Familia_1   INT NOT NULL DEFAULT 0,
  Familia_2   INT NOT NULL DEFAULT 0,
  Familia_3   INT NOT NULL DEFAULT 0,
  Cod_Marca   INT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Grupo, Familia_1, Familia_2, Familia_3, Cod_Marca)
);
GO

IF OBJECT_ID(N'dbo.Contador_Reposicion_Restos', N'U') IS NULL
CREATE TABLE dbo.Contador_Reposicion_Restos (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        INT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen)
);
GO

IF OBJECT_ID(N'dbo.Reposicion_Restos', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Restos (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Almacen SMALLINT NOT NULL,
  Codigo      INT NOT NULL,
  Fecha       DATETIME NOT NULL,
  Enviado     BIT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Restos_Fecha'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion_Restos'))
  CREATE INDEX IX_Reposicion_Restos_Fecha
    ON dbo.Reposicion_Restos (Cod_Empresa, Cod_Almacen, Fecha);
GO

IF OBJECT_ID(N'dbo.Reposicion_Restos_Lineas', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Restos_Lineas (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Codigo       INT NOT NULL,
  Cod_Articulo INT NOT NULL,
  Unidades     DECIMAL(19,4) NOT NULL DEFAULT 0,
  Concepto     NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo, Cod_Articulo)
);
GO

-- Scratch document of the leftover screen. Keyed by a row id: the screen may store the
-- header of a workstation again after restoring it, and reads the first one.
IF OBJECT_ID(N'dbo.Temp_Reposicion_Restos', N'U') IS NULL
CREATE TABLE dbo.Temp_Reposicion_Restos (
  Id          INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
  NroPuesto   INT NOT NULL,
  Fecha       DATETIME NOT NULL,
  Cod_Almacen SMALLINT NOT NULL
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Temp_Reposicion_Restos_Puesto'
                 AND object_id = OBJECT_ID(N'dbo.Temp_Reposicion_Restos'))
  CREATE INDEX IX_Temp_Reposicion_Restos_Puesto ON dbo.Temp_Reposicion_Restos (NroPuesto);
GO

IF OBJECT_ID(N'dbo.Temp_Reposicion_Restos_Lineas', N'U') IS NULL
CREATE TABLE dbo.Temp_Reposicion_Restos_Lineas (
  NroPuesto    INT NOT NULL,
  Cod_Articulo INT NOT NULL,
  Unidades     DECIMAL(19,4) NOT NULL DEFAULT 0,
  Concepto     NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  PRIMARY KEY (NroPuesto, Cod_Articulo)
);
GO

IF OBJECT_ID(N'dbo.Reposicion_Columnas', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Columnas (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Campo   INT NOT NULL,
  Id_Campo    NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Descripcion NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  ArtCen_DF   BIT NOT NULL DEFAULT 0,
  ArtProv_DF  BIT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Campo)
);
GO

-- Cod_Usuario 0 holds the shared default layout.
IF OBJECT_ID(N'dbo.Reposicion_Columnas_Valores', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Columnas_Valores (
  Cod_Empresa    SMALLINT NOT NULL,
  Cod_Campo      INT NOT NULL,
  TipoReposicion SMALLINT NOT NULL,
  Cod_Usuario    INT NOT NULL,
  Ancho          INT NOT NULL DEFAULT 0,
  Visible        BIT NOT NULL DEFAULT 0,
  Orden          SMALLINT NOT NULL DEFAULT 0,
  OrdenGrid      SMALLINT NOT NULL DEFAULT 0,
  OrdenOrderBy   SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Campo, TipoReposicion, Cod_Usuario)
);
GO

-- Central-office ordering tables that refer to replenishment groups.
IF OBJECT_ID(N'dbo.Reposicion_Pedidos_ArtCentral', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Pedidos_ArtCentral (
  Cod_Empresa  SMALLINT NOT NULL,
  Codigo       INT NOT NULL,
  Fecha        DATETIME NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL DEFAULT 0,
  Cod_GrupoRep SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Pedidos_ArtCentral_Grupo'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion_Pedidos_ArtCentral'))
  CREATE INDEX IX_Reposicion_Pedidos_ArtCentral_Grupo
    ON dbo.Reposicion_Pedidos_ArtCentral (Cod_Empresa, Cod_GrupoRep);
GO

IF OBJECT_ID(N'dbo.Reposicion_Pedidos_ArtCentral_ProgPedidos', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Pedidos_ArtCentral_ProgPedidos (
  Cod_Empresa SMALLINT NOT NULL,
  Codigo      INT NOT NULL,
  Cod_Grupo   SMALLINT NOT NULL DEFAULT 0,
  Cod_Almacen SMALLINT NOT NULL DEFAULT 0,
  DiaSemana   SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Pedidos_ArtCentral_ProgPedidos_Grupo'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion_Pedidos_ArtCentral_ProgPedidos'))
  CREATE INDEX IX_Reposicion_Pedidos_ArtCentral_ProgPedidos_Grupo
    ON dbo.Reposicion_Pedidos_ArtCentral_ProgPedidos (Cod_Empresa, Cod_Grupo);
GO

IF OBJECT_ID(N'dbo.Reposicion_Pedidos_ArtCentral_ProgPedidosM', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Pedidos_ArtCentral_ProgPedidosM (
  Cod_Empresa SMALLINT NOT NULL,
  Codigo      INT NOT NULL,
  Cod_Grupo   SMALLINT NOT NULL DEFAULT 0,
  Cod_Almacen SMALLINT NOT NULL DEFAULT 0,
  DiaSemana   SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Pedidos_ArtCentral_ProgPedidosM_Grupo'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion_Pedidos_ArtCentral_ProgPedidosM'))
  CREATE INDEX IX_Reposicion_Pedidos_ArtCentral_ProgPedidosM_Grupo
    ON dbo.Reposicion_Pedidos_ArtCentral_ProgPedidosM (Cod_Empresa, Cod_Grupo);
GO

IF OBJECT_ID(N'dbo.Reposicion_Pedidos_ArtCentral_Filtro', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Pedidos_ArtCentral_Filtro (
  Cod_Empresa          SMALLINT NOT NULL,
  Codigo               INT NOT NULL,
  Nombre               NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Cod_Grupo_Reposicion SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Pedidos_ArtCentral_Filtro_Grupo'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion_Pedidos_ArtCentral_Filtro'))
  CREATE INDEX IX_Reposicion_Pedidos_ArtCentral_Filtro_Grupo
    ON dbo.Reposicion_Pedidos_ArtCentral_Filtro (Cod_Empresa, Cod_Grupo_Reposicion);
GO

IF OBJECT_ID(N'dbo.Reposicion_Pedidos_ArtCentral_Filtro_Categorias', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Pedidos_ArtCentral_Filtro_Categorias (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Filtro  INT NOT NULL,
  Cod_Aprov   SMALLINT NOT NULL,
  PRIMARY KEY (Cod_Empresa, Cod_Filtro, Cod_Aprov)
);
GO

IF NOT EXISTS (SELECT 1 FROM sys.indexes
               WHERE name = N'IX_Reposicion_Pedidos_ArtCentral_Filtro_Categorias_Aprov'
                 AND object_id = OBJECT_ID(N'dbo.Reposicion_Pedidos_ArtCentral_Filtro_Categorias'))
  CREATE INDEX IX_Reposicion_Pedidos_ArtCentral_Filtro_Categorias_Aprov
    ON dbo.Reposicion_Pedidos_ArtCentral_Filtro_Categorias (Cod_Empresa, Cod_Aprov);
GO

-- ---------------------------------------------------------------- perishable orders
-- Order types are shared by every company; each is supplied from one warehouse.
IF OBJECT_ID(N'dbo.Pedidos_Central_Tipos', N'U') IS NULL
CREATE TABLE dbo.Pedidos_Central_Tipos (
  Codigo      SMALLINT NOT NULL PRIMARY KEY,
  Nombre      NVARCHAR(50) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Cod_Almacen SMALLINT NOT NULL DEFAULT 0
);
GO

IF OBJECT_ID(N'dbo.Pedidos_Central', N'U') IS NULL
CREATE TABLE dbo.Pedidos_Central (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_Tipo     SMALLINT NOT NULL,
  Cod_Articulo INT NOT NULL,
  Cantidad     DECIMAL(19,4) NOT NULL DEFAULT 0,
  Cerrado      BIT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Tipo, Cod_Articulo)
);
GO

-- ---------------------------------------------------------------- print scratch
IF OBJECT_ID(N'dbo.Temp_ChkPedidos', N'U') IS NULL
CREATE TABLE dbo.Temp_ChkPedidos (
  Puesto       NVARCHAR(100) COLLATE Modern_Spanish_CI_AS NOT NULL,
  Cod_Articulo INT NOT NULL,
  Descripcion  NVARCHAR(100) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  UnidadesPed  DECIMAL(19,4) NOT NULL DEFAULT 0,
  UnidadesMC   DECIMAL(19,4) NOT NULL DEFAULT 0,
  PRIMARY KEY (Puesto, Cod_Articulo)
);
GO

-- ---------------------------------------------------------------- functions
-- Lines and units of one document, used by the order-matching screen inside its queries.
CREATE OR ALTER FUNCTION dbo.fn_PedidosProvTotalLineas(@Emp SMALLINT, @Cod INT)
RETURNS INT
AS
BEGIN
  RETURN (SELECT COUNT(*) FROM dbo.Pedidos_Proveedores_Lineas
          WHERE Cod_Empresa = @Emp AND Codigo = @Cod);
END
GO

CREATE OR ALTER FUNCTION dbo.fn_PedidosProvTotalUnidades(@Emp SMALLINT, @Cod INT)
RETURNS DECIMAL(19,4)
AS
BEGIN
  RETURN (SELECT ISNULL(SUM(Unidades), 0) FROM dbo.Pedidos_Proveedores_Lineas
          WHERE Cod_Empresa = @Emp AND Codigo = @Cod);
END
GO

CREATE OR ALTER FUNCTION dbo.fn_ComprasMiniTotalLineas(@Emp SMALLINT, @Eje SMALLINT,
                                                       @Alm SMALLINT, @Cod INT)
RETURNS INT
AS
BEGIN
  RETURN (SELECT COUNT(*) FROM dbo.Compras_Mini_Lineas
          WHERE Cod_Empresa = @Emp AND Cod_Ejercicio = @Eje AND Cod_Almacen = @Alm
            AND Codigo = @Cod);
END
GO

CREATE OR ALTER FUNCTION dbo.fn_ComprasMiniTotalUnidades(@Emp SMALLINT, @Eje SMALLINT,
                                                         @Alm SMALLINT, @Cod INT)
RETURNS DECIMAL(19,4)
AS
BEGIN
  RETURN (SELECT ISNULL(SUM(Unidades), 0) FROM dbo.Compras_Mini_Lineas
          WHERE Cod_Empresa = @Emp AND Cod_Ejercicio = @Eje AND Cod_Almacen = @Alm
            AND Codigo = @Cod);
END
GO

-- ---------------------------------------------------------------- nightly runs
-- One row per company and origin while a generation runs: who holds it, where, since when, and
-- the heartbeat the holder renews, so a run left by a dead process can be taken over.
IF OBJECT_ID(N'dbo.Reposicion_Bloqueo', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Bloqueo (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Usuario      NVARCHAR(64) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Equipo       NVARCHAR(64) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Pid          INT NOT NULL DEFAULT 0,
  FechaInicio  DATETIME NOT NULL,
  FechaLatido  DATETIME NOT NULL,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen)
);
GO

-- One row per run and store of the nightly generation, and one for the run as a whole
-- (Cod_AlmacenD = 0), written when the run ends.
IF OBJECT_ID(N'dbo.Reposicion_Ejecuciones', N'U') IS NULL
CREATE TABLE dbo.Reposicion_Ejecuciones (
  Id           INT IDENTITY(1,1) PRIMARY KEY,
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_AlmacenD SMALLINT NOT NULL,
  FechaInicio  DATETIME NOT NULL,
  FechaFin     DATETIME NULL,
  Opciones     NVARCHAR(255) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Usuario      NVARCHAR(64) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Equipo       NVARCHAR(64) COLLATE Modern_Spanish_CI_AS NOT NULL DEFAULT N'',
  Resultado    SMALLINT NOT NULL DEFAULT 0,
  Prefacturas  INT NOT NULL DEFAULT 0,
  Lineas       INT NOT NULL DEFAULT 0,
  Enviadas     DECIMAL(19,4) NOT NULL DEFAULT 0,
  Faltas       DECIMAL(19,4) NOT NULL DEFAULT 0
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Reposicion_Ejecuciones_Inicio')
CREATE INDEX IX_Reposicion_Ejecuciones_Inicio ON dbo.Reposicion_Ejecuciones (Cod_Empresa, FechaInicio);
GO

-- ---------------------------------------------------------------- supervisor key attempts
-- Wrong supervisor keys per user, shared by every workstation: three within 15 minutes refuse
-- that user's authorisations for the next 15. Times are seconds since 1970-01-01 UTC.
IF OBJECT_ID(N'dbo.Seguridad_IntentosClave', N'U') IS NULL
CREATE TABLE dbo.Seguridad_IntentosClave (
  Cod_Usuario    SMALLINT NOT NULL PRIMARY KEY,
  Fallos         SMALLINT NOT NULL DEFAULT 0,
  PrimerFallo    BIGINT NOT NULL DEFAULT 0,
  BloqueadoHasta BIGINT NOT NULL DEFAULT 0
);
GO
