-- NRVXReposic company database, embedded engine (SQLite).
-- Run in one call; every statement is guarded, so the script can run again on a database that
-- already has the tables (it adds what is missing, it does not alter what is there).
-- Text columns use ES_CI_AS (registered by the driver): case-insensitive, accent-sensitive,
-- Spanish order, so look-ups by name answer as on the company's SQL Server.
-- Dates are TEXT 'YYYY-MM-DD' (binary order is date order). Quantities and prices are NUMERIC:
-- whole values are stored as integers, others as doubles that always hold the nearest double to
-- a number of four decimals (every computed quantity is rounded as it is written), so sums and
-- comparisons answer as DECIMAL(19,4) does. A double keeps 15 significant digits exactly, so a
-- unit quantity holds up to 99,999,999,999.9999 in either direction: the CHECK refuses more
-- rather than store an approximation.
-- The schema's version is PRAGMA user_version; the programs upgrade an older database in place.

-- ---------------------------------------------------------------- host master tables
CREATE TABLE IF NOT EXISTS Empresas (
  Codigo        SMALLINT NOT NULL PRIMARY KEY,
  Nombre        VARCHAR(100) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  CIF           VARCHAR(20) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Direccion     VARCHAR(100) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Poblacion     VARCHAR(60) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Telefono      VARCHAR(20) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Cod_EmpresaArticulos   SMALLINT NOT NULL DEFAULT 0,
  Cod_EmpresaProveedores SMALLINT NOT NULL DEFAULT 0,
  Almacen_PD    SMALLINT NOT NULL DEFAULT 0
);

CREATE TABLE IF NOT EXISTS Usuarios (
  Codigo        SMALLINT NOT NULL PRIMARY KEY,
  Nombre        VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Cod_Almacen   SMALLINT NOT NULL DEFAULT 0
);

CREATE TABLE IF NOT EXISTS Almacenes (
  Cod_Empresa        SMALLINT NOT NULL,
  Codigo             SMALLINT NOT NULL,
  Nombre             VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Direccion          VARCHAR(100) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Poblacion          VARCHAR(60) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  RepPorcentajeCajas NUMERIC NOT NULL DEFAULT 0,
  Tarifa             SMALLINT NOT NULL DEFAULT 0,
  TarifaProm         SMALLINT NOT NULL DEFAULT 0,
  CfgStockTransito   SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);

CREATE TABLE IF NOT EXISTS Familias_1 (
  Cod_Empresa SMALLINT NOT NULL,
  Codigo      INTEGER NOT NULL,
  Nombre      VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  PRIMARY KEY (Cod_Empresa, Codigo)
);

CREATE TABLE IF NOT EXISTS Familias_2 (
  Cod_Empresa SMALLINT NOT NULL,
  Familia_1   INTEGER NOT NULL,
  Codigo      INTEGER NOT NULL,
  Nombre      VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  PRIMARY KEY (Cod_Empresa, Familia_1, Codigo)
);

CREATE TABLE IF NOT EXISTS Familias_3 (
  Cod_Empresa SMALLINT NOT NULL,
  Familia_1   INTEGER NOT NULL,
  Familia_2   INTEGER NOT NULL,
  Codigo      INTEGER NOT NULL,
  Nombre      VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  PRIMARY KEY (Cod_Empresa, Familia_1, Familia_2, Codigo)
);

-- Brands are shared by every company of the installation.
CREATE TABLE IF NOT EXISTS Marcas (
  Codigo INTEGER NOT NULL PRIMARY KEY,
  Nombre VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT ''
);

CREATE TABLE IF NOT EXISTS Proveedores (
  Cod_Empresa            SMALLINT NOT NULL,
  Codigo                 INTEGER NOT NULL,
  Nombre                 VARCHAR(100) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  CIF                    VARCHAR(20) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  UsarPendRecibirPedidos SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);

CREATE TABLE IF NOT EXISTS Articulos (
  Cod_Empresa   SMALLINT NOT NULL,
  Codigo        INTEGER NOT NULL,
  Descripcion   VARCHAR(100) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  UxCaja        NUMERIC NOT NULL DEFAULT 0,
  UxFraccion    NUMERIC NOT NULL DEFAULT 0,
  TipoRep       SMALLINT NOT NULL DEFAULT 0,
  Familia_1     INTEGER NOT NULL DEFAULT 0,
  Familia_2     INTEGER NOT NULL DEFAULT 0,
  Familia_3     INTEGER NOT NULL DEFAULT 0,
  Marca         INTEGER NOT NULL DEFAULT 0,
  Cod_Proveedor INTEGER NOT NULL DEFAULT 0,
  Mod_Ficha     SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
CREATE INDEX IF NOT EXISTS IX_Articulos_Familias
  ON Articulos (Cod_Empresa, Familia_1, Familia_2, Familia_3);
CREATE INDEX IF NOT EXISTS IX_Articulos_Proveedor ON Articulos (Cod_Empresa, Cod_Proveedor);
-- Every generation pass clears the pending rows of articles that are not replenishable.
CREATE INDEX IF NOT EXISTS IX_Articulos_TipoRep ON Articulos (Cod_Empresa, TipoRep, Codigo);

CREATE TABLE IF NOT EXISTS Articulos_CBarras (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Barras   VARCHAR(20) COLLATE ES_CI_AS NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Principal    SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Barras)
);
CREATE INDEX IF NOT EXISTS IX_Articulos_CBarras_Articulo
  ON Articulos_CBarras (Cod_Empresa, Cod_Articulo);
-- The screens LEFT JOIN the main bar code: a second main code would duplicate their lines.
CREATE UNIQUE INDEX IF NOT EXISTS UX_Articulos_CBarras_Principal
  ON Articulos_CBarras (Cod_Empresa, Cod_Articulo) WHERE Principal = 1;

CREATE TABLE IF NOT EXISTS Articulos_Tarifas (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Tarifa   SMALLINT NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Pvp          NUMERIC NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Tarifa, Cod_Articulo)
);

CREATE TABLE IF NOT EXISTS Almacen_Articulos (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Stock_Actual NUMERIC NOT NULL DEFAULT 0
               CHECK (Stock_Actual BETWEEN -99999999999.9999 AND 99999999999.9999),
  Bloqueo      SMALLINT NOT NULL DEFAULT 0,
  Ubicacion    VARCHAR(20) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  PU_Compra    NUMERIC NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Articulo)
);
CREATE INDEX IF NOT EXISTS IX_Almacen_Articulos_Articulo
  ON Almacen_Articulos (Cod_Empresa, Cod_Articulo);
-- Every generation pass drops the pending rows of the articles blocked at the store.
CREATE INDEX IF NOT EXISTS IX_Almacen_Articulos_Bloqueo
  ON Almacen_Articulos (Cod_Empresa, Cod_Almacen, Bloqueo, Cod_Articulo);

CREATE TABLE IF NOT EXISTS Articulos_Ventas_Dia (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Fecha        TEXT NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Cantidad     NUMERIC NOT NULL DEFAULT 0
               CHECK (Cantidad BETWEEN -99999999999.9999 AND 99999999999.9999),
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Fecha, Cod_Articulo)
);

-- ---------------------------------------------------------------- host documents
-- Stock transfers, numbered per company, year and origin warehouse.
CREATE TABLE IF NOT EXISTS Contador_Traspasos (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen)
);

CREATE TABLE IF NOT EXISTS Traspasos (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Alm_Origen    SMALLINT NOT NULL,
  Codigo        INTEGER NOT NULL,
  Fecha         TEXT NOT NULL,
  Alm_Destino   SMALLINT NOT NULL DEFAULT 0,
  Cod_Usuario   SMALLINT NOT NULL DEFAULT 0,
  Observaciones VARCHAR(255) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Importe       NUMERIC NOT NULL DEFAULT 0,
  Recibido      SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo)
);
CREATE INDEX IF NOT EXISTS IX_Traspasos_Fecha ON Traspasos (Cod_Empresa, Alm_Origen, Fecha);

-- Cod_Almacen of a line is the origin warehouse of its document.
CREATE TABLE IF NOT EXISTS Traspasos_Lineas (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        INTEGER NOT NULL,
  Linea         INTEGER NOT NULL,
  Cod_Articulo  INTEGER NOT NULL,
  Descripcion   VARCHAR(100) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  UxCaja        NUMERIC NOT NULL DEFAULT 0,
  Cajas         INTEGER NOT NULL DEFAULT 0,
  Unidades      NUMERIC NOT NULL DEFAULT 0
                CHECK (Unidades BETWEEN -99999999999.9999 AND 99999999999.9999),
  Costo         NUMERIC NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea)
);
CREATE INDEX IF NOT EXISTS IX_Traspasos_Lineas_Articulo
  ON Traspasos_Lineas (Cod_Empresa, Cod_Almacen, Cod_Ejercicio, Cod_Articulo);

-- The accounting entry of a transfer, written with the transfer and removed once the accounting
-- database holds it: the two databases commit one after the other, and a stop between the two
-- leaves the entry here to be booked at the next start.
CREATE TABLE IF NOT EXISTS Traspasos_Contabilidad_Pendiente (
  Cod_Empresa         SMALLINT NOT NULL,
  Cod_Ejercicio       SMALLINT NOT NULL,
  Alm_Origen          SMALLINT NOT NULL,
  Codigo              INTEGER NOT NULL,
  Cod_EmpresaContable SMALLINT NOT NULL,
  Fecha               TEXT NOT NULL,
  Alm_Destino         SMALLINT NOT NULL,
  Importe             NUMERIC NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Alm_Origen, Codigo)
);

CREATE TABLE IF NOT EXISTS Pedidos_Proveedores (
  Cod_Empresa     SMALLINT NOT NULL,
  Codigo          INTEGER NOT NULL,
  Fecha           TEXT NOT NULL,
  Cod_Almacen     SMALLINT NOT NULL,
  Cod_Proveedor   INTEGER NOT NULL,
  Importe         NUMERIC NOT NULL DEFAULT 0,
  LineasRecibidas INTEGER NOT NULL DEFAULT 0,
  Pendiente       SMALLINT NOT NULL DEFAULT 1,
  Anulado         SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
CREATE INDEX IF NOT EXISTS IX_Pedidos_Proveedores_Proveedor
  ON Pedidos_Proveedores (Cod_Empresa, Cod_Almacen, Cod_Proveedor, Pendiente);

-- Lines with Cod_Articulo 0 are text-only lines of the order.
CREATE TABLE IF NOT EXISTS Pedidos_Proveedores_Lineas (
  Cod_Empresa  SMALLINT NOT NULL,
  Codigo       INTEGER NOT NULL,
  Linea        SMALLINT NOT NULL,
  Cod_Articulo INTEGER NOT NULL DEFAULT 0,
  Descripcion  VARCHAR(100) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Unidades     NUMERIC NOT NULL DEFAULT 0
               CHECK (Unidades BETWEEN -99999999999.9999 AND 99999999999.9999),
  UnidadesRcv   NUMERIC NOT NULL DEFAULT 0
                CHECK (UnidadesRcv BETWEEN -99999999999.9999 AND 99999999999.9999),
  UnidadesLiq   NUMERIC NOT NULL DEFAULT 0
                CHECK (UnidadesLiq BETWEEN -99999999999.9999 AND 99999999999.9999),
  Precio       NUMERIC NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo, Linea)
);
CREATE INDEX IF NOT EXISTS IX_Pedidos_Proveedores_Lineas_Articulo
  ON Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Cod_Articulo);

-- Each booking of received units on an order line, so a receipt can be traced and undone.
CREATE TABLE IF NOT EXISTS Pedidos_Proveedores_Recepciones (
  Id           INTEGER PRIMARY KEY,
  Cod_Empresa  SMALLINT NOT NULL,
  Codigo       INTEGER NOT NULL,
  Linea        SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Fecha        TEXT NOT NULL,
  Unidades     NUMERIC NOT NULL DEFAULT 0
               CHECK (Unidades BETWEEN -99999999999.9999 AND 99999999999.9999)
);
CREATE INDEX IF NOT EXISTS IX_Pedidos_Proveedores_Recepciones_Pedido
  ON Pedidos_Proveedores_Recepciones (Cod_Empresa, Codigo, Linea);

-- Mini-purchases: goods receipts captured at a store, numbered per year and warehouse.
CREATE TABLE IF NOT EXISTS Compras_Mini (
  Cod_Empresa       SMALLINT NOT NULL,
  Cod_Ejercicio     SMALLINT NOT NULL,
  Cod_Almacen       SMALLINT NOT NULL,
  Codigo            INTEGER NOT NULL,
  Fecha             TEXT NOT NULL,
  Documento         VARCHAR(20) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Cod_Proveedor     INTEGER NOT NULL,
  CheckvsPed        SMALLINT NOT NULL DEFAULT 0,
  EnviadoCheckvsPed SMALLINT NOT NULL DEFAULT 0,
  Cod_PedidoProv    INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo)
);
CREATE INDEX IF NOT EXISTS IX_Compras_Mini_Proveedor
  ON Compras_Mini (Cod_Empresa, Cod_Almacen, Cod_Proveedor);

CREATE TABLE IF NOT EXISTS Compras_Mini_Lineas (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        INTEGER NOT NULL,
  Linea         SMALLINT NOT NULL,
  Cod_Articulo  INTEGER NOT NULL DEFAULT 0,
  Unidades      NUMERIC NOT NULL DEFAULT 0
                CHECK (Unidades BETWEEN -99999999999.9999 AND 99999999999.9999),
  Precio        NUMERIC NOT NULL DEFAULT 0,
  CostoFra      NUMERIC NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea)
);

CREATE TABLE IF NOT EXISTS Compras_Mini_Lineas_Convenio (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        INTEGER NOT NULL,
  Linea         SMALLINT NOT NULL,
  Cod_Convenio  INTEGER NOT NULL DEFAULT 0,
  Importe       NUMERIC NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea, Cod_Convenio)
);

-- The host's operation log (who did what to which document).
CREATE TABLE IF NOT EXISTS Log_Operaciones (
  Id            INTEGER PRIMARY KEY,
  Cod_Empresa   SMALLINT NOT NULL,
  Fecha         TEXT NOT NULL,
  Hora          VARCHAR(8) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Cod_Usuario   SMALLINT NOT NULL DEFAULT 0,
  TipoDocumento SMALLINT NOT NULL DEFAULT 0,
  Operacion     SMALLINT NOT NULL DEFAULT 0,
  Cod_Documento INTEGER NOT NULL DEFAULT 0,
  Comentario    VARCHAR(255) COLLATE ES_CI_AS NOT NULL DEFAULT ''
);
CREATE INDEX IF NOT EXISTS IX_Log_Operaciones_Documento
  ON Log_Operaciones (Cod_Empresa, TipoDocumento, Cod_Documento);

-- ---------------------------------------------------------------- security
CREATE TABLE IF NOT EXISTS SGD_Formularios (
  Cod_Formulario INTEGER NOT NULL PRIMARY KEY,
  Nombre         VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT ''
);
CREATE INDEX IF NOT EXISTS IX_SGD_Formularios_Nombre ON SGD_Formularios (Nombre);

CREATE TABLE IF NOT EXISTS SGD_Controles (
  Cod_Formulario INTEGER NOT NULL,
  Cod_Control    INTEGER NOT NULL,
  Nombre         VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Indice         CHAR(2) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  TabIndex       SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Formulario, Cod_Control)
);
CREATE INDEX IF NOT EXISTS IX_SGD_Controles_Nombre
  ON SGD_Controles (Cod_Formulario, Nombre, Indice);

CREATE TABLE IF NOT EXISTS SGD_Controles_Grupos (
  Cod_Formulario INTEGER NOT NULL,
  Cod_Control    INTEGER NOT NULL,
  Cod_Grupo      INTEGER NOT NULL,
  Permiso        SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Formulario, Cod_Control, Cod_Grupo)
);

CREATE TABLE IF NOT EXISTS SGD_Usuarios_Grupos (
  CodGrupo   INTEGER NOT NULL,
  CodUsuario INTEGER NOT NULL,
  PRIMARY KEY (CodGrupo, CodUsuario)
);
CREATE INDEX IF NOT EXISTS IX_SGD_Usuarios_Grupos_Usuario ON SGD_Usuarios_Grupos (CodUsuario);

CREATE TABLE IF NOT EXISTS SGD_Aprovisionamiento_Grupos (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Grupo   INTEGER NOT NULL,
  Cod_Aprov   SMALLINT NOT NULL,
  PRIMARY KEY (Cod_Empresa, Cod_Grupo, Cod_Aprov)
);

-- ---------------------------------------------------------------- replenishment
-- Codigo 0 is the open accumulator of one article, destination and variant pair.
CREATE TABLE IF NOT EXISTS Reposicion (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Cod_Articulo  INTEGER NOT NULL,
  Codigo        INTEGER NOT NULL DEFAULT 0,
  CualidadX     INTEGER NOT NULL DEFAULT 0,
  CualidadY     INTEGER NOT NULL DEFAULT 0,
  Unidades      NUMERIC NOT NULL DEFAULT 0
                CHECK (Unidades BETWEEN -99999999999.9999 AND 99999999999.9999),
  UnidadesVenta  NUMERIC NOT NULL DEFAULT 0
                 CHECK (UnidadesVenta BETWEEN -99999999999.9999 AND 99999999999.9999),
  UnidadesResto  NUMERIC NOT NULL DEFAULT 0
                 CHECK (UnidadesResto BETWEEN -99999999999.9999 AND 99999999999.9999),
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo, CualidadX, CualidadY)
);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Almacen_Codigo
  ON Reposicion (Cod_Empresa, Cod_Almacen, Codigo);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Articulo ON Reposicion (Cod_Empresa, Cod_Articulo, Codigo);

CREATE TABLE IF NOT EXISTS Reposicion_Faltas (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Unidades     NUMERIC NOT NULL DEFAULT 0
               CHECK (Unidades BETWEEN -99999999999.9999 AND 99999999999.9999),
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Articulo)
);

CREATE TABLE IF NOT EXISTS Reposicion_StockReservado (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Unidades     NUMERIC NOT NULL DEFAULT 0
               CHECK (Unidades BETWEEN -99999999999.9999 AND 99999999999.9999),
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Articulo)
);

-- Pre-invoice codes carry year and warehouse in their digits: 64-bit.
CREATE TABLE IF NOT EXISTS Contador_Reposicion_Pref (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        BIGINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen)
);

CREATE TABLE IF NOT EXISTS Reposicion_Pref (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        BIGINT NOT NULL,
  Fecha         TEXT NOT NULL,
  Cod_AlmacenD  SMALLINT NOT NULL,
  Pendiente     SMALLINT NOT NULL DEFAULT 1,
  Observaciones VARCHAR(255) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo)
);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Pref_Destino
  ON Reposicion_Pref (Cod_Empresa, Cod_AlmacenD);

CREATE TABLE IF NOT EXISTS Reposicion_Pref_Lineas (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        BIGINT NOT NULL,
  Cod_Articulo  INTEGER NOT NULL,
  Unidades      NUMERIC NOT NULL DEFAULT 0
                CHECK (Unidades BETWEEN -99999999999.9999 AND 99999999999.9999),
  UnidadesVenta  NUMERIC NOT NULL DEFAULT 0
                 CHECK (UnidadesVenta BETWEEN -99999999999.9999 AND 99999999999.9999),
  UnidadesResto  NUMERIC NOT NULL DEFAULT 0
                 CHECK (UnidadesResto BETWEEN -99999999999.9999 AND 99999999999.9999),
  UnidadesGen    NUMERIC NOT NULL DEFAULT 0
                 CHECK (UnidadesGen BETWEEN -99999999999.9999 AND 99999999999.9999),
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo, Cod_Articulo)
);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Pref_Lineas_Articulo
  ON Reposicion_Pref_Lineas (Cod_Empresa, Cod_Articulo);

CREATE TABLE IF NOT EXISTS Reposicion_Grp_Aprovisionamiento (
  Cod_Empresa           SMALLINT NOT NULL,
  Cod_Aprov             SMALLINT NOT NULL,
  Nombre                VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  TipoFichero_Propuesta SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Aprov)
);

CREATE TABLE IF NOT EXISTS Reposicion_Grp (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Grupo   SMALLINT NOT NULL,
  Nombre      VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Cod_Aprov   SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Grupo)
);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Grp_Aprov ON Reposicion_Grp (Cod_Empresa, Cod_Aprov);

-- One row per family/brand element of a group; an element stored twice means nothing more.
CREATE TABLE IF NOT EXISTS Reposicion_Grp_Fam (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Grupo   SMALLINT NOT NULL,
  Familia_1   INTEGER NOT NULL DEFAULT 0,
  Familia_2   INTEGER NOT NULL DEFAULT 0,
  Familia_3   INTEGER NOT NULL DEFAULT 0,
  Cod_Marca   INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Grupo, Familia_1, Familia_2, Familia_3, Cod_Marca)
);

CREATE TABLE IF NOT EXISTS Contador_Reposicion_Restos (
  Cod_Empresa   SMALLINT NOT NULL,
  Cod_Ejercicio SMALLINT NOT NULL,
  Cod_Almacen   SMALLINT NOT NULL,
  Codigo        INTEGER NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Ejercicio, Cod_Almacen)
);

CREATE TABLE IF NOT EXISTS Reposicion_Restos (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Almacen SMALLINT NOT NULL,
  Codigo      INTEGER NOT NULL,
  Fecha       TEXT NOT NULL,
  Enviado     SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo)
);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Restos_Fecha
  ON Reposicion_Restos (Cod_Empresa, Cod_Almacen, Fecha);

CREATE TABLE IF NOT EXISTS Reposicion_Restos_Lineas (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Codigo       INTEGER NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Unidades     NUMERIC NOT NULL DEFAULT 0
               CHECK (Unidades BETWEEN -99999999999.9999 AND 99999999999.9999),
  Concepto     VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo, Cod_Articulo)
);

-- Scratch document of the leftover screen. Keyed by a row id: the screen may store the
-- header of a workstation again after restoring it, and reads the first one.
CREATE TABLE IF NOT EXISTS Temp_Reposicion_Restos (
  Id          INTEGER PRIMARY KEY,
  NroPuesto   INTEGER NOT NULL,
  Fecha       TEXT NOT NULL,
  Cod_Almacen SMALLINT NOT NULL
);
CREATE INDEX IF NOT EXISTS IX_Temp_Reposicion_Restos_Puesto ON Temp_Reposicion_Restos (NroPuesto);

CREATE TABLE IF NOT EXISTS Temp_Reposicion_Restos_Lineas (
  NroPuesto    INTEGER NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Unidades     NUMERIC NOT NULL DEFAULT 0
               CHECK (Unidades BETWEEN -99999999999.9999 AND 99999999999.9999),
  Concepto     VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  PRIMARY KEY (NroPuesto, Cod_Articulo)
);

CREATE TABLE IF NOT EXISTS Reposicion_Columnas (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Campo   INTEGER NOT NULL,
  Id_Campo    VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Descripcion VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  ArtCen_DF   SMALLINT NOT NULL DEFAULT 0,
  ArtProv_DF  SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Campo)
);

-- Cod_Usuario 0 holds the shared default layout.
CREATE TABLE IF NOT EXISTS Reposicion_Columnas_Valores (
  Cod_Empresa    SMALLINT NOT NULL,
  Cod_Campo      INTEGER NOT NULL,
  TipoReposicion SMALLINT NOT NULL,
  Cod_Usuario    INTEGER NOT NULL,
  Ancho          INTEGER NOT NULL DEFAULT 0,
  Visible        SMALLINT NOT NULL DEFAULT 0,
  Orden          SMALLINT NOT NULL DEFAULT 0,
  OrdenGrid      SMALLINT NOT NULL DEFAULT 0,
  OrdenOrderBy   SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Campo, TipoReposicion, Cod_Usuario)
);

-- Central-office ordering tables that refer to replenishment groups.
CREATE TABLE IF NOT EXISTS Reposicion_Pedidos_ArtCentral (
  Cod_Empresa  SMALLINT NOT NULL,
  Codigo       INTEGER NOT NULL,
  Fecha        TEXT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL DEFAULT 0,
  Cod_GrupoRep SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Pedidos_ArtCentral_Grupo
  ON Reposicion_Pedidos_ArtCentral (Cod_Empresa, Cod_GrupoRep);

CREATE TABLE IF NOT EXISTS Reposicion_Pedidos_ArtCentral_ProgPedidos (
  Cod_Empresa SMALLINT NOT NULL,
  Codigo      INTEGER NOT NULL,
  Cod_Grupo   SMALLINT NOT NULL DEFAULT 0,
  Cod_Almacen SMALLINT NOT NULL DEFAULT 0,
  DiaSemana   SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Pedidos_ArtCentral_ProgPedidos_Grupo
  ON Reposicion_Pedidos_ArtCentral_ProgPedidos (Cod_Empresa, Cod_Grupo);

CREATE TABLE IF NOT EXISTS Reposicion_Pedidos_ArtCentral_ProgPedidosM (
  Cod_Empresa SMALLINT NOT NULL,
  Codigo      INTEGER NOT NULL,
  Cod_Grupo   SMALLINT NOT NULL DEFAULT 0,
  Cod_Almacen SMALLINT NOT NULL DEFAULT 0,
  DiaSemana   SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Pedidos_ArtCentral_ProgPedidosM_Grupo
  ON Reposicion_Pedidos_ArtCentral_ProgPedidosM (Cod_Empresa, Cod_Grupo);

CREATE TABLE IF NOT EXISTS Reposicion_Pedidos_ArtCentral_Filtro (
  Cod_Empresa          SMALLINT NOT NULL,
  Codigo               INTEGER NOT NULL,
  Nombre               VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Cod_Grupo_Reposicion SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Codigo)
);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Pedidos_ArtCentral_Filtro_Grupo
  ON Reposicion_Pedidos_ArtCentral_Filtro (Cod_Empresa, Cod_Grupo_Reposicion);

CREATE TABLE IF NOT EXISTS Reposicion_Pedidos_ArtCentral_Filtro_Categorias (
  Cod_Empresa SMALLINT NOT NULL,
  Cod_Filtro  INTEGER NOT NULL,
  Cod_Aprov   SMALLINT NOT NULL,
  PRIMARY KEY (Cod_Empresa, Cod_Filtro, Cod_Aprov)
);
CREATE INDEX IF NOT EXISTS IX_Reposicion_Pedidos_ArtCentral_Filtro_Categorias_Aprov
  ON Reposicion_Pedidos_ArtCentral_Filtro_Categorias (Cod_Empresa, Cod_Aprov);

-- ---------------------------------------------------------------- perishable orders
-- Order types are shared by every company; each is supplied from one warehouse.
CREATE TABLE IF NOT EXISTS Pedidos_Central_Tipos (
  Codigo      SMALLINT NOT NULL PRIMARY KEY,
  Nombre      VARCHAR(50) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  Cod_Almacen SMALLINT NOT NULL DEFAULT 0
);

CREATE TABLE IF NOT EXISTS Pedidos_Central (
  Cod_Empresa  SMALLINT NOT NULL,
  Cod_Almacen  SMALLINT NOT NULL,
  Cod_Tipo     SMALLINT NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Cantidad     NUMERIC NOT NULL DEFAULT 0
               CHECK (Cantidad BETWEEN -99999999999.9999 AND 99999999999.9999),
  Cerrado      SMALLINT NOT NULL DEFAULT 0,
  PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Tipo, Cod_Articulo)
);

-- ---------------------------------------------------------------- print scratch
CREATE TABLE IF NOT EXISTS Temp_ChkPedidos (
  Puesto       VARCHAR(100) COLLATE ES_CI_AS NOT NULL,
  Cod_Articulo INTEGER NOT NULL,
  Descripcion  VARCHAR(100) COLLATE ES_CI_AS NOT NULL DEFAULT '',
  UnidadesPed  NUMERIC NOT NULL DEFAULT 0
               CHECK (UnidadesPed BETWEEN -99999999999.9999 AND 99999999999.9999),
  UnidadesMC    NUMERIC NOT NULL DEFAULT 0
                CHECK (UnidadesMC BETWEEN -99999999999.9999 AND 99999999999.9999),
  PRIMARY KEY (Puesto, Cod_Articulo)
);

-- ---------------------------------------------------------------- supervisor key attempts
-- Wrong supervisor keys per user, shared by every workstation: three within 15 minutes refuse
-- that user's authorisations for the next 15. Times are seconds since 1970-01-01 UTC.
CREATE TABLE IF NOT EXISTS Seguridad_IntentosClave (
  Cod_Usuario    SMALLINT NOT NULL PRIMARY KEY,
  Fallos         SMALLINT NOT NULL DEFAULT 0,
  PrimerFallo    BIGINT NOT NULL DEFAULT 0,
  BloqueadoHasta BIGINT NOT NULL DEFAULT 0
);
