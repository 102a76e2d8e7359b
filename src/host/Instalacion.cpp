#include "host/Instalacion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef NRVX_CONFIGURED_APP_DIR
#define NRVX_CONFIGURED_APP_DIR ""
#endif
#ifndef NRVX_VERSION
#define NRVX_VERSION "0"
#endif

namespace host {

bool Instalacion::tieneInformes(const QString& carpeta)
{
    if (carpeta.isEmpty())
        return false;
    const QDir d(carpeta);
    return d.exists(QStringLiteral("rpt")) || d.exists(QStringLiteral("Rpt"));
}

QString Instalacion::carpetaAplicacion()
{
    const QString entorno = qEnvironmentVariable("NRVX_APP_DIR");
    QString instalada;
    if (QCoreApplication::instance())
        instalada = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                    + QStringLiteral("/../share/nrvx"));
    const QString configurada = QStringLiteral(NRVX_CONFIGURED_APP_DIR);
    for (const QString& c : {entorno, instalada, configurada}) {
        if (tieneInformes(c))
            return QDir(c).absolutePath();
    }
    if (!entorno.isEmpty())
        return QDir(entorno).absolutePath();
    return instalada.isEmpty() ? QDir::currentPath() : instalada;
}

QString Instalacion::version()
{
    return QStringLiteral(NRVX_VERSION);
}

QString Instalacion::lineaVersion(const QString& programa)
{
    return programa + QLatin1Char(' ') + version();
}

}  // namespace host
