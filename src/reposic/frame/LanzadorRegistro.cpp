#include "reposic/frame/LanzadorRegistro.h"

#include <QMap>

#include <utility>

namespace reposic {

namespace {

struct Entrada {
    QString nombre;  // as registered, for nombres()
    LanzadorRegistro::Fabrica fabrica;
};

// Built on first use: registrations run during static initialisation, in any order.
QMap<QString, Entrada>& entradas()
{
    static QMap<QString, Entrada> m;
    return m;
}

QString clave(const QString& nombre)
{
    return nombre.trimmed().toLower();
}

}  // namespace

void LanzadorRegistro::registrar(const QString& nombreClase, Fabrica fabrica)
{
    entradas().insert(clave(nombreClase), Entrada{nombreClase.trimmed(), std::move(fabrica)});
}

std::unique_ptr<frmclsBase> LanzadorRegistro::crear(const QString& nombreClase)
{
    const auto it = entradas().constFind(clave(nombreClase));
    if (it == entradas().constEnd() || !it->fabrica)
        return nullptr;
    return it->fabrica();
}

bool LanzadorRegistro::existe(const QString& nombreClase)
{
    return entradas().contains(clave(nombreClase));
}

QStringList LanzadorRegistro::nombres()
{
    QStringList l;
    for (const Entrada& e : std::as_const(entradas()))
        l.append(e.nombre);
    return l;
}

}  // namespace reposic
