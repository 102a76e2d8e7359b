#include "host/Reloj.h"

namespace host {

namespace {

QDateTime& momentoFijo()
{
    static QDateTime m;
    return m;
}

}  // namespace

QDate Reloj::hoy()
{
    return ahora().date();
}

QDateTime Reloj::ahora()
{
    return momentoFijo().isValid() ? momentoFijo() : QDateTime::currentDateTime();
}

void Reloj::fijar(const QDateTime& momento)
{
    momentoFijo() = momento;
}

void Reloj::liberar()
{
    momentoFijo() = QDateTime();
}

bool Reloj::fijado()
{
    return momentoFijo().isValid();
}

}  // namespace host
