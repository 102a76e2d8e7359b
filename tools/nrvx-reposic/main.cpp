// nrvx-reposic: replenishment work without the screens, for nightly runs.
//   nrvx-reposic generar -d DATABASE [--empresa N] --origen N --destino M[,M...]|todos
//                [--cantidad 25|50|75|100] [--impresora NAME | --pdf FOLDER] [--sin-faltas]
#include "GeneracionNocturna.h"
#include "Reconciliacion.h"

#include "host/EmpresaMemoria.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/Error.h"
#include "platform/db/ServerList.h"
#include "reposic/frame/modComun.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

QString carpetaAplicacion()
{
    QStringList candidatas;
    const QString entorno = qEnvironmentVariable("NRVX_APP_DIR");
    if (!entorno.isEmpty())
        candidatas << entorno;
    candidatas << QCoreApplication::applicationDirPath() + QStringLiteral("/../..")
               << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/nrvx")
               << QDir::currentPath();
    for (const QString& c : candidatas) {
        if (QFileInfo::exists(c + QStringLiteral("/rpt/Empresa.rpt")))
            return QDir(c).absolutePath();
    }
    return QDir::currentPath();
}

// A database file gets a server-list name of its own so the reports log on to the same file.
QString cadenaConexion(const QString& d)
{
    if (d.contains(QLatin1Char('=')))
        return d;
    const QFileInfo fi(d);
    db::ServerList::set(QStringLiteral("NRVXLOCAL"), db::ServerEntry{{}, 1433, fi.absolutePath()});
    return QStringLiteral("Provider=SQLite;Data Source=%1;Server=NRVXLOCAL").arg(fi.absoluteFilePath());
}

void contextoInformes(const QString& d, const QString& cadena)
{
    const db::ConnectionString cs(cadena);
    if (d.contains(QLatin1Char('='))) {
        reposic::modComun::setServidor(cs.value(QStringLiteral("Server")));
        reposic::modComun::setBaseDatos(cs.value(QStringLiteral("Database")));
        reposic::modComun::setUsuario(cs.value(QStringLiteral("User Id")));
        reposic::modComun::setPassword(cs.value(QStringLiteral("Password")));
    } else {
        reposic::modComun::setServidor(QStringLiteral("NRVXLOCAL"));
        reposic::modComun::setBaseDatos(QFileInfo(d).completeBaseName());
    }
}

int uso(const QString& motivo)
{
    std::fprintf(stderr, "nrvx-reposic: %s\nUso: nrvx-reposic generar -d BASE [--empresa N] --origen N"
                         " --destino M[,M...]|todos [--cantidad 25|50|75|100]"
                         " [--impresora NOMBRE | --pdf CARPETA] [--sin-faltas]\n",
                 qPrintable(motivo));
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && qstrcmp(argv[1], "reconciliar") == 0)
        return reconciliar(argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.addPositionalArgument(QStringLiteral("orden"), QStringLiteral("generar"));
    p.addOption({QStringLiteral("d"),
                 QStringLiteral("Base de datos o cadena de conexión; la contraseña, como "
                                "Password=@env:NOMBRE o Password=@file:RUTA, nunca en claro"),
                 QStringLiteral("base")});
    p.addOption({QStringLiteral("empresa"), QStringLiteral("Empresa"), QStringLiteral("n"), QStringLiteral("1")});
    p.addOption({QStringLiteral("origen"), QStringLiteral("Almacén origen"), QStringLiteral("n")});
    p.addOption({QStringLiteral("destino"), QStringLiteral("Almacenes destino"), QStringLiteral("lista")});
    p.addOption({QStringLiteral("cantidad"), QStringLiteral("Porcentaje"), QStringLiteral("p"), QStringLiteral("100")});
    p.addOption({QStringLiteral("impresora"), QStringLiteral("Impresora"), QStringLiteral("nombre")});
    p.addOption({QStringLiteral("pdf"), QStringLiteral("Carpeta de PDF"), QStringLiteral("carpeta")});
    p.addOption({QStringLiteral("sin-faltas"), QStringLiteral("Sin informe de faltas")});
    p.addHelpOption();
    p.process(app);

    if (p.positionalArguments() != QStringList{QStringLiteral("generar")})
        return uso(QStringLiteral("se esperaba la orden «generar»"));
    if (!p.isSet(QStringLiteral("d")) || !p.isSet(QStringLiteral("origen")) || !p.isSet(QStringLiteral("destino")))
        return uso(QStringLiteral("faltan -d, --origen o --destino"));
    if (p.isSet(QStringLiteral("impresora")) && p.isSet(QStringLiteral("pdf")))
        return uso(QStringLiteral("--impresora y --pdf no van juntos"));

    GeneracionNocturna::Opciones o;
    bool ok = false;
    o.origen = static_cast<int16_t>(p.value(QStringLiteral("origen")).toShort(&ok));
    if (!ok || o.origen <= 0)
        return uso(QStringLiteral("--origen no es un almacén"));
    const int cantidad = p.value(QStringLiteral("cantidad")).toInt(&ok);
    if (!ok || (cantidad != 25 && cantidad != 50 && cantidad != 75 && cantidad != 100))
        return uso(QStringLiteral("--cantidad admite 25, 50, 75 o 100"));
    o.porcentaje = cantidad;
    const QString destinos = p.value(QStringLiteral("destino"));
    if (destinos.compare(QStringLiteral("todos"), Qt::CaseInsensitive) != 0) {
        for (const QString& d : destinos.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const short codigo = d.trimmed().toShort(&ok);
            if (!ok || codigo <= 0)
                return uso(QStringLiteral("«%1» no es un almacén").arg(d));
            o.destinos << codigo;
        }
        if (o.destinos.isEmpty())
            return uso(QStringLiteral("--destino está vacío"));
    }
    o.impresora = p.value(QStringLiteral("impresora"));
    o.carpetaPdf = p.value(QStringLiteral("pdf"));
    o.imprimir = p.isSet(QStringLiteral("impresora")) || p.isSet(QStringLiteral("pdf"));
    o.faltas = !p.isSet(QStringLiteral("sin-faltas"));

    auto empresa = std::make_shared<host::EmpresaMemoria>();
    empresa->setCodigoEmpresa(static_cast<int16_t>(p.value(QStringLiteral("empresa")).toShort()));
    empresa->setCodigoEmpresaArticulos(empresa->CodigoEmpresa());
    empresa->setCodigoEmpresaProveedores(empresa->CodigoEmpresa());
    empresa->setRutaAplicacion(carpetaAplicacion());

    QTextStream salida(stdout);
    QTextStream errores(stderr);
    try {
        const QString cadena = cadenaConexion(p.value(QStringLiteral("d")));
        auto conexion = db::Connection::openShared(cadena);
        reposic::modComun::setEmpresa(empresa);
        reposic::modComun::setConexion(conexion);
        contextoInformes(p.value(QStringLiteral("d")), cadena);
        GeneracionNocturna run(empresa, conexion, salida, errores);
        return run.ejecutar(o) == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        errores << "nrvx-reposic: " << e.what() << Qt::endl;
        return 1;
    }
}
