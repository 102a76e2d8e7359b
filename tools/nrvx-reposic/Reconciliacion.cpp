#include "Reconciliacion.h"

#include "host/components/ContabilidadPendiente.h"
#include "platform/db/Connection.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <exception>

namespace {

int uso(const QString& motivo)
{
    std::fprintf(stderr, "nrvx-reposic: %s\nUso: nrvx-reposic reconciliar -d BASE [--contable BASE]\n",
                 qPrintable(motivo));
    return 2;
}

bool esCadena(const QString& base) { return base.contains(QLatin1Char('=')); }

QString cadena(const QString& base)
{
    return esCadena(base) ? base
                          : QStringLiteral("Provider=SQLite;Data Source=") + QFileInfo(base).absoluteFilePath();
}

}  // namespace

int reconciliar(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.addPositionalArgument(QStringLiteral("orden"), QStringLiteral("reconciliar"));
    p.addOption({QStringLiteral("d"), QStringLiteral("Base de datos de la empresa o cadena de conexión"),
                 QStringLiteral("base")});
    p.addOption({QStringLiteral("contable"), QStringLiteral("Base de datos de contabilidad"),
                 QStringLiteral("base")});
    p.addHelpOption();
    p.process(app);

    if (p.positionalArguments() != QStringList{QStringLiteral("reconciliar")})
        return uso(QStringLiteral("se esperaba la orden «reconciliar»"));
    const QString base = p.value(QStringLiteral("d"));
    if (base.isEmpty())
        return uso(QStringLiteral("falta -d"));
    QString contable = p.value(QStringLiteral("contable"));
    if (contable.isEmpty()) {
        if (esCadena(base))
            return uso(QStringLiteral("con una cadena de conexión hace falta --contable"));
        contable = QFileInfo(base).absoluteDir().filePath(QStringLiteral("Contabilidad.db"));
    }
    for (const QString& b : {base, contable}) {
        if (!esCadena(b) && !QFileInfo::exists(b))
            return uso(QStringLiteral("no existe la base de datos %1").arg(b));
    }
    try {
        auto empresa = db::Connection::openShared(cadena(base));
        auto conexionContable = db::Connection::openShared(cadena(contable));
        const int n = host::ContabilidadPendiente::asentar(empresa, *conexionContable);
        std::printf("%d asientos contables pendientes anotados\n", n);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nrvx-reposic: %s\n", e.what());
        return 1;
    }
}
