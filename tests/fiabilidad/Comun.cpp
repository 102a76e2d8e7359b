#include "fiabilidad/Comun.h"

#include "support/TestDatabase.h"

#include "host/Reloj.h"
#include "host/components/Traspaso.h"
#include "host/demo/DemoData.h"
#include "host/demo/Schema.h"
#include "platform/db/Recordset.h"
#include "reposic/prefactura/CierrePrefactura.h"
#include "reposic/prefactura/GeneracionPrefactura.h"
#include "reposic/prefactura/TraspasoPrefactura.h"
#include "reposic/restos/GrabacionRestos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

namespace fiab {

bool largo() { return qEnvironmentVariableIntValue("NRVX_FIABILIDAD_LARGA") == 1; }
int veces(int corto, int enLargo) { return largo() ? enLargo : corto; }

std::shared_ptr<host::EmpresaMemoria> empresa()
{
    auto e = std::make_shared<host::EmpresaMemoria>();
    e->setNombreEmpresa(QStringLiteral("Demo"));
    return e;
}

QString carpeta()
{
    static const QString raiz = [] {
        const QString r = qEnvironmentVariable("NRVX_TEST_TMP", QDir::tempPath());
        QDir().mkpath(r);
        return r;
    }();
    static QTemporaryDir dir(raiz + QStringLiteral("/nrvx-fiab-XXXXXX"));
    // NRVX_FIABILIDAD_CONSERVAR=1 keeps the files of a run for a look afterwards.
    dir.setAutoRemove(qEnvironmentVariableIntValue("NRVX_FIABILIDAD_CONSERVAR") != 1);
    if (!dir.isValid())
        throw std::runtime_error("cannot create a temporary folder under " + raiz.toStdString());
    return dir.path();
}

db::ConnectionPtr abrir(const QString& ruta)
{
    return db::Connection::openShared(testsupport::connectionStringFor(ruta));
}

void copiar(const QString& desde, const QString& hasta)
{
    for (const char* s : {"", "-wal", "-shm", "-journal"})
        QFile::remove(hasta + QLatin1String(s));
    if (!QFile::copy(desde, hasta))
        throw std::runtime_error("cannot copy " + desde.toStdString());
}

namespace {

void cerrar(db::ConnectionPtr& c)
{
    c->executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
    c.reset();
}

}  // namespace

QString plantilla(const QString& nombreBase, int articulos, int tiendas)
{
    const QString ruta = carpeta() + QStringLiteral("/%1-%2-%3.db").arg(nombreBase).arg(articulos).arg(tiendas);
    if (QFile::exists(ruta))
        return ruta;
    // Not a scoped fixing: it would free the caller's fixed clock on the way out.
    host::Reloj::fijar(kHoy);
    const QString obra = ruta + QStringLiteral(".obra");
    {
        auto c = abrir(obra);
        demo::createSchema(*c);
        demo::DemoOptions o;
        o.articles = articulos;
        o.stores = tiendas;
        o.today = kHoy;
        demo::generateDemo(*c, o);
        // The demo's random pending rows may leave store 2 with little or nothing at this size:
        // give it a dozen articles pending, in stock at the central, so its pre-invoices have
        // lines for the operations to work on.
        c->executeScript(QStringLiteral(
            "INSERT OR IGNORE INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo)"
            " SELECT 1, 2, Codigo FROM Articulos WHERE Cod_Empresa = 1 AND TipoRep = 1"
            " AND UxCaja > 0 ORDER BY Codigo LIMIT 12;"
            "INSERT OR IGNORE INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo,"
            " Unidades, UnidadesVenta, UnidadesResto)"
            " SELECT 1, 2, a.Codigo, 0, a.UxCaja * (2 + a.Codigo % 3), a.UxCaja, 0"
            " FROM Articulos a INNER JOIN Almacen_Articulos s ON s.Cod_Empresa = 1"
            " AND s.Cod_Almacen = 2 AND s.Cod_Articulo = a.Codigo AND s.Bloqueo = 0"
            " WHERE a.Cod_Empresa = 1 AND a.TipoRep = 1 AND a.UxCaja > 0"
            " ORDER BY a.Codigo LIMIT 12;"
            "UPDATE Almacen_Articulos SET Stock_Actual = Stock_Actual + 1000"
            " WHERE Cod_Empresa = 1 AND Cod_Almacen = 1 AND Cod_Articulo IN"
            " (SELECT Cod_Articulo FROM Reposicion WHERE Cod_Empresa = 1 AND Cod_Almacen = 2);"));
        generarTodo(c, 1, 2);
        cerrar(c);
    }
    QFile::rename(obra, ruta);
    return ruta;
}

QString plantillaCaida(int articulos)
{
    const QString ruta = carpeta() + QStringLiteral("/caida-%1.db").arg(articulos);
    if (QFile::exists(ruta))
        return ruta;
    host::Reloj::fijar(kHoy);
    const QString obra = ruta + QStringLiteral(".obra");
    {
        auto c = abrir(obra);
        demo::createSchema(*c);
        demo::DemoOptions o;
        o.articles = articulos;
        o.stores = 3;
        o.today = kHoy;
        demo::generateDemo(*c, o);
        // Without family groups the pass of no group takes every article; every store carries
        // every article, a few boxes pending, and the central holds enough for all of them.
        c->executeScript(QStringLiteral(
            "DELETE FROM Reposicion_Grp_Fam WHERE Cod_Empresa = 1;"
            "INSERT OR IGNORE INTO Almacen_Articulos (Cod_Empresa, Cod_Almacen, Cod_Articulo)"
            " SELECT 1, s.Codigo, a.Codigo FROM Articulos a, Almacenes s"
            " WHERE a.Cod_Empresa = 1 AND s.Cod_Empresa = 1 AND s.Codigo IN (2, 3);"
            "UPDATE Almacen_Articulos SET Stock_Actual = Stock_Actual + 1000000"
            " WHERE Cod_Empresa = 1 AND Cod_Almacen = 1;"
            "INSERT OR REPLACE INTO Reposicion (Cod_Empresa, Cod_Almacen, Cod_Articulo, Codigo,"
            " Unidades, UnidadesVenta, UnidadesResto)"
            " SELECT 1, s.Cod_Almacen, a.Codigo, 0, a.UxCaja * (2 + a.Codigo % 3), a.UxCaja, 0"
            " FROM Articulos a INNER JOIN Almacen_Articulos s ON s.Cod_Empresa = 1"
            " AND s.Cod_Articulo = a.Codigo AND s.Cod_Almacen IN (2, 3)"
            " WHERE a.Cod_Empresa = 1 AND a.TipoRep = 1 AND a.UxCaja > 0;"));
        GeneracionPrefactura pase(empresa(), c);
        pase.origen = 1;
        pase.destino = 2;
        pase.generar(0);
        cerrar(c);
    }
    QFile::rename(obra, ruta);
    return ruta;
}

QString plantillaContable()
{
    const QString ruta = carpeta() + QStringLiteral("/contable.db");
    if (QFile::exists(ruta))
        return ruta;
    auto c = abrir(ruta + QStringLiteral(".obra"));
    demo::createSchema(*c);
    host::Traspaso::prepararContabilidad(*c);
    cerrar(c);
    QFile::rename(ruta + QStringLiteral(".obra"), ruta);
    return ruta;
}

std::vector<int64_t> generarTodo(const db::ConnectionPtr& c, int16_t origen, int16_t destino)
{
    GeneracionPrefactura pase(empresa(), c);
    pase.origen = origen;
    pase.destino = destino;
    std::vector<int64_t> codigos;
    QVector<int16_t> grupos = pase.grupos();
    grupos.push_back(0);
    for (int16_t g : grupos) {
        if (const int64_t codigo = pase.generar(g))
            codigos.push_back(codigo);
    }
    return codigos;
}

int64_t prefacturaMayor(const db::ConnectionPtr& c, int16_t destino)
{
    return c->scalar(QStringLiteral("SELECT l.Codigo FROM Reposicion_Pref_Lineas l INNER JOIN"
                                    " Reposicion_Pref p ON p.Cod_Empresa = l.Cod_Empresa AND"
                                    " p.Cod_Almacen = l.Cod_Almacen AND p.Codigo = l.Codigo"
                                    " WHERE p.Cod_AlmacenD = %1 GROUP BY l.Codigo"
                                    " ORDER BY COUNT(*) DESC, l.Codigo")
                         .arg(destino))
        .toInt64();
}

const char* nombre(Operacion op)
{
    switch (op) {
    case Operacion::Generacion: return "generacion";
    case Operacion::Anulacion: return "anulacion";
    case Operacion::Traspaso: return "traspaso";
    case Operacion::Restos: return "restos";
    }
    return "";
}

Operacion operacion(const QString& n)
{
    for (Operacion op : {Operacion::Generacion, Operacion::Anulacion, Operacion::Traspaso, Operacion::Restos}) {
        if (n == QLatin1String(nombre(op)))
            return op;
    }
    throw std::invalid_argument("unknown operation " + n.toStdString());
}

void ejecutar(Operacion op, const db::ConnectionPtr& c, const db::ConnectionPtr& contable)
{
    auto emp = empresa();
    switch (op) {
    case Operacion::Generacion: {
        // The pass of the articles of no group, the one that also turns what is left into
        // leftovers: the most statements of any pass.
        GeneracionPrefactura pase(emp, c);
        pase.origen = 1;
        pase.destino = 3;
        pase.generar(0);
        break;
    }
    case Operacion::Anulacion:
        CierrePrefactura(emp, c).anular(1, 2, prefacturaMayor(c, 2));
        break;
    case Operacion::Traspaso: {
        TraspasoPrefactura t(emp, c, empresa(), contable);
        t.usuario = 1;
        t.traspasar(1, 2, prefacturaMayor(c, 2));
        break;
    }
    case Operacion::Restos: {
        GrabacionRestos g(emp, c);
        QVector<GrabacionRestos::Linea> lineas;
        db::Recordset rs(c, QStringLiteral("SELECT TOP %1 Codigo FROM Articulos WHERE Cod_Empresa = 1"
                                           " ORDER BY Codigo").arg(kLineasRestos),
                         db::CursorType::Static);
        for (int i = 0; !rs.eof(); rs.moveNext(), ++i)
            lineas.push_back({rs.field(0).toInt(), db::Money::fromInt(1 + i % 5), QStringLiteral("Rotura %1").arg(i)});
        rs.close();
        const int64_t codigo = g.ObtenerCodigo(kHoy, kTiendaRestos, false, true);
        g.grabar(codigo, kHoy, kTiendaRestos, lineas, kPuesto);
        break;
    }
    }
}

std::unique_ptr<QProcess> hijo(const QString& filtro, const QMap<QString, QString>& entorno,
                               bool reenviarSalida)
{
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (auto it = entorno.begin(); it != entorno.end(); ++it)
        env.insert(it.key(), it.value());
    p->setProcessEnvironment(env);
    if (reenviarSalida)
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QCoreApplication::applicationFilePath(),
             {QStringLiteral("--gtest_filter=") + filtro, QStringLiteral("--gtest_brief=1")});
    return p;
}

bool enTransaccion(const QString& ruta)
{
    const int fd = ::open(QFile::encodeName(ruta + QStringLiteral("-shm")).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    struct flock l = {};
    l.l_type = F_WRLCK;
    l.l_whence = SEEK_SET;
    l.l_start = 120;  // (22 + 8) * 4: the write lock of SQLite's unix shared memory
    l.l_len = 1;
    const bool bloqueado = ::fcntl(fd, F_GETLK, &l) == 0 && l.l_type != F_UNLCK;
    ::close(fd);
    return bloqueado;
}

QStringList corpusHostil()
{
    return {
        QString(),
        QStringLiteral("'"),
        QStringLiteral("''"),
        QStringLiteral("'''"),
        QStringLiteral("O'Donnell"),
        QStringLiteral("'; DROP TABLE Reposicion; --"),
        QStringLiteral("\"; DROP TABLE Reposicion_Pref; --"),
        QStringLiteral("x' OR '1'='1"),
        QStringLiteral("1); DELETE FROM Reposicion_StockReservado; --"),
        QStringLiteral("/* comentario */ SELECT 1"),
        QStringLiteral("%"),
        QStringLiteral("_"),
        QStringLiteral("50% _descuento_ [a-z] [^x]"),
        QStringLiteral("\\"),
        QStringLiteral("\\' escapado"),
        QStringLiteral("?"),
        QStringLiteral(":param @var $1"),
        QStringLiteral(";"),
        QStringLiteral("GO"),
        QStringLiteral("\nGO\n"),
        QStringLiteral("línea 1\r\nlínea 2"),
        QStringLiteral("tab\there"),
        QString::fromUtf8("\x01\x02\x1b[31mrojo\x7f"),
        QStringLiteral("   espacios   "),
        QStringLiteral("Ñandú pingüino àéîõü ç"),
        QStringLiteral("Заказ магазина"),
        QStringLiteral("倉庫の補充"),
        QStringLiteral("طلب المتجر"),
        QStringLiteral("עברית"),
        QString::fromUtf8("emoji \xF0\x9F\x93\xA6\xF0\x9F\x9A\x9A"),
        QString::fromUtf8("\xE2\x80\xAE invertido \xE2\x80\xAC"),
        QString::fromUtf8("zero\xE2\x80\x8Bwidth"),
        QStringLiteral("N'unicode'"),
        QStringLiteral("CHAR(39)+CHAR(39)"),
        QStringLiteral("<script>alert(1)</script>"),
        QStringLiteral("%s %n %x"),
        QString(255, QLatin1Char('x')),
        QString(4000, QLatin1Char('\'')),
    };
}

}  // namespace fiab
