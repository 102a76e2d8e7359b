#include "Registro.h"

#include <QDateTime>

#include <cstdio>

#include <unistd.h>

namespace {

void escribir(FILE* f, const QString& linea)
{
    std::fputs(linea.toUtf8().constData(), f);
    std::fputc('\n', f);
    std::fflush(f);
}

}  // namespace

Registro::Registro(const QString& ficheroLog, bool silencioso)
    : silencioso_(silencioso), terminal_(::isatty(STDOUT_FILENO) == 1)
{
    if (ficheroLog.isEmpty())
        return;
    log_.setFileName(ficheroLog);
    log_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

Registro::~Registro()
{
    borrarProgreso();
}

QString Registro::marcaTiempo()
{
    const QDateTime ahora = QDateTime::currentDateTime();
    return ahora.toOffsetFromUtc(ahora.offsetFromUtc()).toString(Qt::ISODate);
}

void Registro::escribirLog(const QString& linea)
{
    if (!log_.isOpen())
        return;
    log_.write(linea.toUtf8() + '\n');
    log_.flush();
}

void Registro::borrarProgreso()
{
    if (!progresoVisible_)
        return;
    std::fputs("\r\033[K", stdout);
    std::fflush(stdout);
    progresoVisible_ = false;
}

void Registro::info(const QString& linea)
{
    const QString completa = marcaTiempo() + QLatin1Char(' ') + linea;
    escribirLog(completa);
    if (silencioso_)
        return;
    borrarProgreso();
    escribir(stdout, completa);
}

void Registro::error(const QString& linea)
{
    const QString completa = marcaTiempo() + QStringLiteral(" ERROR ") + linea;
    escribirLog(completa);
    borrarProgreso();
    escribir(stderr, completa);
}

void Registro::progreso(const QString& texto)
{
    if (silencioso_ || !terminal_)
        return;
    std::fputs(("\r\033[K" + texto).toUtf8().constData(), stdout);
    std::fflush(stdout);
    progresoVisible_ = true;
}
