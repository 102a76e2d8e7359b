#include "host/FicheroPrivado.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <stdexcept>

#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace {

[[noreturn]] void fallo(const QString& texto)
{
    throw std::runtime_error(texto.toStdString());
}

}  // namespace

void FicheroPrivado::escribir(const QString& ruta, const QByteArray& datos)
{
    const QFileInfo destino(ruta);
    // QTemporaryFile creates its file 0600 on its own, before a byte is written.
    QTemporaryFile temporal(destino.absoluteDir().filePath(destino.fileName()
                                                           + QStringLiteral(".XXXXXX")));
    if (!temporal.open() || temporal.write(datos) != datos.size() || !temporal.flush())
        fallo(QStringLiteral("No se puede escribir %1: %2").arg(ruta, temporal.errorString()));
    ::fchmod(temporal.handle(), S_IRUSR | S_IWUSR);
    ::fsync(temporal.handle());
    temporal.close();
    if (std::rename(QFile::encodeName(temporal.fileName()).constData(),
                    QFile::encodeName(destino.absoluteFilePath()).constData()) != 0)
        fallo(QStringLiteral("No se puede escribir %1").arg(ruta));
    temporal.setAutoRemove(false);
}

bool FicheroPrivado::crearCarpeta(const QString& ruta)
{
    const QString absoluta = QDir::cleanPath(QFileInfo(ruta).absoluteFilePath());
    if (QFileInfo(absoluta).isDir())
        return true;
    const QString padre = QFileInfo(absoluta).path();
    if (padre != absoluta && !crearCarpeta(padre))
        return false;
    // mkdir only takes bits away from the mode asked for, so 0700 stays 0700 at any umask.
    return ::mkdir(QFile::encodeName(absoluta).constData(), S_IRWXU) == 0
        || QFileInfo(absoluta).isDir();
}

bool FicheroPrivado::escribiblePorOtros(const QString& ruta)
{
    struct stat st {};
    if (::stat(QFile::encodeName(ruta).constData(), &st) != 0)
        return false;
    return (st.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

}  // namespace host
