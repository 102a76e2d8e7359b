#include "fiabilidad/Comun.h"

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
    return db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + ruta);
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
        generarTodo(c, 1, 2);
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
        db::Recordset rs(c, QStringLiteral("SELECT Codigo FROM Articulos WHERE Cod_Empresa = 1 ORDER BY Codigo"),
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

}  // namespace fiab
