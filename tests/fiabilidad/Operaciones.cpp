#include "fiabilidad/Operaciones.h"

#include "fiabilidad/Comun.h"
#include "platform/ui/MsgBoxScript.h"
#include "reposic/casacion/CasacionPedidos.h"
#include "reposic/frame/clsControlSeg.h"
#include "reposic/grupos/GruposAprovisionamiento.h"
#include "reposic/grupos/GruposReposicion.h"
#include "reposic/perecederos/GeneracionPedidosPerecederos.h"
#include "reposic/perecederos/PedidoCentral.h"
#include "reposic/prefactura/CierrePrefactura.h"
#include "reposic/prefactura/LineaPrefactura.h"
#include "reposic/visorcfg/ConfiguracionVisor.h"
#include "support/Invariantes.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace fiab {

namespace {

// Store 2 orders perishables of type 1 for every demo article; type 2 and store 3 hold orders
// the run must leave alone.
const char* const kPedidosPerecederos =
    "INSERT OR IGNORE INTO Pedidos_Central_Tipos (Codigo, Nombre, Cod_Almacen) VALUES (1, 'Frutas', 1);"
    "INSERT OR IGNORE INTO Pedidos_Central_Tipos (Codigo, Nombre, Cod_Almacen) VALUES (2, 'Carnes', 1);"
    "INSERT OR REPLACE INTO Pedidos_Central (Cod_Empresa, Cod_Almacen, Cod_Tipo, Cod_Articulo, Cantidad)"
    " SELECT 1, 2, 1, Codigo, 1 + Codigo % 7 + 0.25 FROM Articulos WHERE Cod_Empresa = 1;"
    "INSERT OR REPLACE INTO Pedidos_Central (Cod_Empresa, Cod_Almacen, Cod_Tipo, Cod_Articulo, Cantidad)"
    " SELECT 1, 2, 2, Codigo, 3 FROM Articulos WHERE Cod_Empresa = 1 AND Codigo % 4 = 0;"
    "INSERT OR REPLACE INTO Pedidos_Central (Cod_Empresa, Cod_Almacen, Cod_Tipo, Cod_Articulo, Cantidad)"
    " SELECT 1, 3, 1, Codigo, 2 FROM Articulos WHERE Cod_Empresa = 1 AND Codigo % 3 = 0;";

// Supplier 9500 of store 2 with `n` articles: three marked orders over all but the last,
// overlapping, an unmarked one, and three mini-purchases that receive some short, some over and
// the last article never ordered, so that every branch of the booking writes (receipts split
// across orders, liquidation, differences). n = 25 for the fault trials.
QString datosCasacion(int n)
{
    return QStringLiteral("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre, UsarPendRecibirPedidos)"
    " VALUES (1, 9500, 'Proveedor casación', 1);"
    "CREATE TEMP TABLE Arts AS SELECT Codigo, ROW_NUMBER() OVER (ORDER BY Codigo) AS N"
    " FROM Articulos WHERE Cod_Empresa = 1 ORDER BY Codigo LIMIT %1;"
    "INSERT INTO Pedidos_Proveedores (Cod_Empresa, Codigo, Fecha, Cod_Almacen, Cod_Proveedor, Importe)"
    " VALUES (1, 9101, '2026-12-01', 2, 9500, 10), (1, 9102, '2026-12-02', 2, 9500, 20),"
    " (1, 9103, '2026-12-03', 2, 9500, 30), (1, 9104, '2026-12-03', 2, 9500, 40);"
    "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo, Unidades)"
    " SELECT 1, 9101, N, Codigo, 10 FROM Arts WHERE N <= %2;"
    "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo, Unidades, UnidadesRcv)"
    " SELECT 1, 9102, N, Codigo, 6, 1 FROM Arts WHERE N BETWEEN %3 AND %4;"
    "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo, Unidades)"
    " SELECT 1, 9103, N, Codigo, 4 FROM Arts WHERE N BETWEEN %5 AND %6;"
    "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo, Descripcion)"
    " VALUES (1, 9103, 99, 0, 'Portes');"
    "INSERT INTO Pedidos_Proveedores_Lineas (Cod_Empresa, Codigo, Linea, Cod_Articulo, Unidades)"
    " SELECT 1, 9104, N, Codigo, 5 FROM Arts WHERE N <= 5;"
    "INSERT INTO Compras_Mini (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Fecha, Documento,"
    " Cod_Proveedor, EnviadoCheckvsPed) VALUES (1, 2026, 2, 9001, '2026-12-04', 'ALB-1', 9500, 1),"
    " (1, 2026, 2, 9002, '2026-12-04', 'ALB-2', 9500, 1), (1, 2026, 2, 9003, '2026-12-04', 'ALB-3', 9500, 1);"
    "INSERT INTO Compras_Mini_Lineas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea,"
    " Cod_Articulo, Unidades, CostoFra) SELECT 1, 2026, 2, 9001, N, Codigo, 3 + N % 9, 2.5 FROM Arts"
    " WHERE N <= %1;"
    "INSERT INTO Compras_Mini_Lineas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea,"
    " Cod_Articulo, Unidades, CostoFra) SELECT 1, 2026, 2, 9002, N, Codigo, N % 4, 1.5 FROM Arts"
    " WHERE N % 2 = 0;"
    "INSERT INTO Compras_Mini_Lineas (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea,"
    " Cod_Articulo, Unidades, CostoFra) SELECT 1, 2026, 2, 9003, N, Codigo, 1, 1 FROM Arts WHERE N <= 3;"
    "INSERT INTO Compras_Mini_Lineas_Convenio (Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea,"
    " Cod_Convenio, Importe) SELECT Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo, Linea, 1, 0.2"
    " FROM Compras_Mini_Lineas WHERE Codigo BETWEEN 9001 AND 9003;"
    "DROP TABLE Arts;")
        .arg(n).arg(n / 2).arg(n / 3).arg(5 * n / 6).arg(2 * n / 3).arg(n - 1);
}

long long contar(const db::ConnectionPtr& c, const QString& sql) { return c->scalar(sql).toInt64(); }

std::shared_ptr<host::EmpresaMemoria> empresaCasacion()
{
    auto e = empresa();
    for (const char* p : {"OficinaCentral=1", "PedProv_ModoActUndsPtes=1",
                          "RepArtProv_TipoReposicionAutomatica=1"}) {
        const QStringList kv = QString::fromLatin1(p).split(QLatin1Char('='));
        e->setParametro(kv[0], kv[1]);
    }
    return e;
}

CasacionPedidos casacion(const db::ConnectionPtr& c)
{
    CasacionPedidos run(empresaCasacion(), c);
    run.almacen = 2;
    run.proveedor = 9500;
    run.pedidos = {9102, 9101, 9103};
    run.miniCompras = {{2026, 9001}, {2026, 9002}, {2026, 9003}};
    return run;
}

QString sinDatos(int) { return {}; }

// The same rows whatever the company's size.
std::function<QString(int)> fijos(const char* script)
{
    return [script](int) { return QString::fromUtf8(script); };
}

using Con = const db::ConnectionPtr&;
using Operar = std::function<void(Con, Con)>;

Caso hacer(const char* nombre, std::function<QString(int)> datos, Operar operar,
           std::function<void(const db::ConnectionPtr&)> preparar = {})
{
    Caso c{};
    c.nombre = nombre;
    c.datos = std::move(datos);
    c.operar = std::move(operar);
    c.preparar = std::move(preparar);
    return c;
}

void comoOperacion(Operacion op, const db::ConnectionPtr& c, const db::ConnectionPtr& contable)
{
    ejecutar(op, c, contable);
}

// The first line, by article, of the store's largest pre-invoice: its article and units.
std::pair<int32_t, db::Money> primeraLinea(const db::ConnectionPtr& c, int64_t codigo)
{
    const int32_t articulo = c->scalar(QStringLiteral("SELECT MIN(Cod_Articulo) FROM Reposicion_Pref_Lineas"
                                                      " WHERE Cod_Almacen = 1 AND Codigo = %1")
                                           .arg(codigo)).toInt();
    const db::Money unidades = c->scalar(QStringLiteral("SELECT Unidades FROM Reposicion_Pref_Lineas"
                                                        " WHERE Cod_Almacen = 1 AND Codigo = %1"
                                                        " AND Cod_Articulo = %2")
                                             .arg(codigo).arg(articulo)).toMoney();
    return {articulo, unidades};
}

LineaPrefactura linea(const db::ConnectionPtr& c, int64_t codigo)
{
    LineaPrefactura l(empresa(), c);
    l.origen = 1;
    l.destino = 2;
    l.codigo = codigo;
    return l;
}

// Provisioning group 90 with a security grant and a category filter, used by no group.
const char* const kAprovisionamiento =
    "INSERT INTO Reposicion_Grp_Aprovisionamiento (Cod_Empresa, Cod_Aprov, Nombre) VALUES (1, 90, 'Bazar');"
    "INSERT INTO SGD_Aprovisionamiento_Grupos (Cod_Empresa, Cod_Grupo, Cod_Aprov)"
    " VALUES (1, 4, 90), (1, 5, 90);"
    "INSERT INTO Reposicion_Pedidos_ArtCentral_Filtro_Categorias (Cod_Empresa, Cod_Filtro, Cod_Aprov)"
    " VALUES (1, 1, 90), (1, 2, 90);";

// User 7 has a layout of five columns of type 1; the new one shows others and sorts.
const char* const kVisor =
    "INSERT INTO Reposicion_Columnas_Valores (Cod_Empresa, Cod_Campo, TipoReposicion, Cod_Usuario,"
    " Ancho, Visible, Orden, OrdenGrid, OrdenOrderBy) VALUES (1, 1, 1, 7, 80, 1, 0, 0, 0),"
    " (1, 2, 1, 7, 80, 1, 0, 1, 0), (1, 3, 1, 7, 80, 1, 1, 2, 1), (1, 4, 1, 7, 80, 1, 0, 3, 0),"
    " (1, 5, 1, 7, 80, 1, 0, 4, 0);";

// A form of 40 controls, half of them already registered with other tab positions.
const char* const kFormulario =
    "INSERT INTO SGD_Formularios (Cod_Formulario, Nombre) VALUES (31, 'frmFallos');"
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 19)"
    " INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre, Indice, TabIndex)"
    " SELECT 31, i + 1, 'txtCampo' || i, '', 50 - i FROM n;";

void registrarControles(const db::ConnectionPtr& c)
{
    QWidget form;
    form.setObjectName(QStringLiteral("frmFallos"));
    for (int i = 0; i < 40; ++i)
        (new QLineEdit(&form))->setObjectName(QStringLiteral("txtCampo%1").arg(i));
    reposic::clsControlSeg::setServidorRegistro(QStringLiteral("LOCAL"));
    ui::MsgBoxScript mensajes;
    reposic::clsControlSeg seg;
    seg.setUsuario(1);
    seg.cEmpresa(empresa());
    seg.Conexion(c);
    seg.setContentForm(&form);
    seg.SetStateAllControl();
    reposic::clsControlSeg::setServidorRegistro(QString());
    // The registration shows its failure in a box and goes on: make it the trial's error.
    for (const auto& b : mensajes.boxes()) {
        if (b.title == QLatin1String("clsControlSeg:SetStateAllControl"))
            throw std::runtime_error(b.text.toStdString());
    }
}

std::vector<Caso> construir()
{
    std::vector<Caso> v;
    auto deOperacion = [&](Operacion op, bool contadores) {
        Caso caso = hacer(nombre(op), sinDatos, [op](Con c, Con contable) {
            comoOperacion(op, c, contable);
        });
        caso.contadores = contadores;
        v.push_back(caso);
    };
    deOperacion(Operacion::Generacion, true);
    deOperacion(Operacion::Anulacion, true);
    deOperacion(Operacion::Traspaso, true);
    // A leftover number is taken, and kept, before the recording's transaction: a failed
    // recording skips it. Only there do the counters stay out of the comparison.
    deOperacion(Operacion::Restos, false);
    // Every failed attempt skipped a number, so the final document carries a later one than the
    // reference: compare its lines and units.
    v.back().huella = [](const db::ConnectionPtr& c) {
        QStringList secciones = testsupport::volcadoFilas(c, false).split(QStringLiteral("# "));
        secciones.removeIf([](const QString& t) { return t.startsWith(QLatin1String("Reposicion_Restos")); });
        return secciones.join(QStringLiteral("# "))
            + c->scalar(QStringLiteral("SELECT COUNT(*) || '/' || SUM(Unidades) || '/' || MAX(Concepto)"
                                       " FROM Reposicion_Restos_Lineas")).toText();
    };

    v.push_back(hacer("liquidacion", sinDatos, [](Con c, Con) {
        CierrePrefactura(empresa(), c).liquidar(1, prefacturaMayor(c, 2));
    }));

    v.push_back(hacer("linea", sinDatos, [](Con c, Con) {
        const int64_t codigo = prefacturaMayor(c, 2);
        const auto [articulo, unidades] = primeraLinea(c, codigo);
        linea(c, codigo).grabar(articulo, unidades, unidades + db::Money::fromInt(3), true);
    }));
    // The first line of a pre-invoice typed by hand creates its header and takes its number.
    v.push_back(hacer("lineaNueva", sinDatos, [](Con c, Con) {
        linea(c, 0).grabar(c->scalar(QStringLiteral("SELECT MIN(Codigo) FROM Articulos"
                                                    " WHERE Cod_Empresa = 1")).toInt(),
                           db::Money(), db::Money::fromInt(4), false);
    }));
    v.push_back(hacer("lineaEliminada", sinDatos, [](Con c, Con) {
        const int64_t codigo = prefacturaMayor(c, 2);
        const auto [articulo, unidades] = primeraLinea(c, codigo);
        linea(c, codigo).eliminar(articulo, unidades, true);
    }));

    Caso perecederos = hacer("perecederos", fijos(kPedidosPerecederos), [](Con c, Con) {
        GeneracionPedidosPerecederos g(empresa(), c);
        g.origen = 1;
        g.destino = 2;
        g.tipo = 1;
        if (g.generar() == 0)
            throw std::logic_error("no pre-invoice generated");
    });
    perecederos.invariantesAlFinal = false;
    perecederos.comprobar = [](const db::ConnectionPtr& c) {
        // One pre-invoice of every article ordered, the type's orders of the store gone.
        EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Pedidos_Central"
                                           " WHERE Cod_Almacen = 2 AND Cod_Tipo = 1")), 0);
        EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Reposicion_Pref_Lineas l WHERE"
                                           " l.Cod_Almacen = 1 AND l.Codigo = (SELECT MAX(Codigo)"
                                           " FROM Reposicion_Pref WHERE Cod_AlmacenD = 2) AND"
                                           " l.UnidadesGen <> 0 AND l.UnidadesResto = 0"
                                           " AND l.Unidades = l.UnidadesGen")),
                  contar(c, QStringLiteral("SELECT COUNT(*) FROM Articulos WHERE Cod_Empresa = 1")));
        EXPECT_GT(contar(c, QStringLiteral("SELECT COUNT(*) FROM Pedidos_Central")), 0);
    };
    v.push_back(perecederos);

    // A store's perishable order takes an article it did not have: an update that finds no row,
    // then the insert, each on its own.
    v.push_back(hacer("conformacion", fijos(kPedidosPerecederos), [](Con c, Con) {
        PedidoCentral(c, 1, 3, 1).anadir(c->scalar(QStringLiteral(
            "SELECT MIN(Codigo) FROM Articulos WHERE Cod_Empresa = 1 AND Codigo % 3 <> 0")).toInt(),
            db::Money::fromDouble(2.5), false);
    }));

    // The totals the screen shows are read before the user agrees; the booking only reads them,
    // so a failed booking retried on the same totals must book the same.
    auto totales = [](Con c) {
        CasacionPedidos run = casacion(c);
        run.AcumularPedidos();
        run.AcumularMiniCompras();
        if (CasacionPedidos::CalcularDiferencias())
            throw std::logic_error("the matching data has no differences");
    };
    auto aplicar = [](Con c, Con) { casacion(c).Aplicar(true, true); };
    Caso casacionPedidos = hacer("casacion", datosCasacion, aplicar, totales);
    casacionPedidos.comprobar = [](const db::ConnectionPtr& c) {
        EXPECT_GT(contar(c, QStringLiteral("SELECT COUNT(*) FROM Pedidos_Proveedores_Recepciones")), 0);
        EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Pedidos_Proveedores WHERE"
                                           " Codigo IN (9101, 9102, 9103) AND Pendiente = 1")), 0);
        EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Pedidos_Proveedores_Lineas WHERE"
                                           " Codigo = 9104 AND (UnidadesRcv <> 0 OR UnidadesLiq <> 0)")), 0);
        EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Compras_Mini WHERE CheckvsPed = 1"
                                           " AND Cod_PedidoProv = 9102")), 3);
        EXPECT_EQ(contar(c, QStringLiteral("SELECT COUNT(*) FROM Compras_Mini_Lineas_Convenio"
                                           " WHERE Codigo BETWEEN 9001 AND 9003")), 0);
    };
    v.push_back(casacionPedidos);

    v.push_back(hacer("grupoEliminado", sinDatos, [](Con c, Con) {
        reposic::GruposReposicion(empresa(), c).eliminar(static_cast<int16_t>(
            c->scalar(QStringLiteral("SELECT MIN(Cod_Grupo) FROM Reposicion_Grp_Fam"
                                     " WHERE Cod_Empresa = 1")).toInt()));
    }));
    v.push_back(hacer("aprovEliminado", fijos(kAprovisionamiento), [](Con c, Con) {
        if (!reposic::GruposAprovisionamiento(empresa(), c).eliminar(90))
            throw std::logic_error("provisioning group 90 is in use");
    }));
    v.push_back(hacer("visor", fijos(kVisor), [](Con c, Con) {
        auto e = empresa();
        e->setParametro(QStringLiteral("UsuarioActual"), QStringLiteral("7"));
        const QString asc = QStringLiteral("ASC"), desc = QStringLiteral("DESC");
        reposic::ConfiguracionVisor(e, c).grabar(1, {3, 1, 6, 7, 8, 2}, {{7, desc}, {1, asc}, {9, asc}});
    }));
    v.push_back(hacer("registroControles", fijos(kFormulario), [](Con c, Con) { registrarControles(c); }));
    return v;
}

}  // namespace

const std::vector<Caso>& casos()
{
    static const std::vector<Caso> todos = construir();
    return todos;
}

const Caso& caso(const QString& n)
{
    for (const Caso& c : casos()) {
        if (n == QLatin1String(c.nombre))
            return c;
    }
    throw std::invalid_argument("unknown operation " + n.toStdString());
}

QString plantillaDe(const Caso& caso, const QString& base, int articulos)
{
    const QString extra = caso.datos(articulos);
    if (extra.isEmpty())
        return base;
    const QString ruta = carpeta()
        + QStringLiteral("/plantilla-%1-%2.db").arg(QString::fromLatin1(caso.nombre),
                                                    QFileInfo(base).completeBaseName());
    if (QFile::exists(ruta))
        return ruta;
    copiar(base, ruta + QStringLiteral(".obra"));
    {
        auto c = abrir(ruta + QStringLiteral(".obra"));
        c->executeScript(extra);
        c->executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
    }
    QFile::rename(ruta + QStringLiteral(".obra"), ruta);
    return ruta;
}

}  // namespace fiab
