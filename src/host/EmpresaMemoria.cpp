#include "host/EmpresaMemoria.h"

#include "host/ParametroError.h"

namespace host {

namespace {

QString clave(const QString& nombre)
{
    return nombre.trimmed().toUpper();
}

}  // namespace

QString EmpresaMemoria::NombreNivel(int nivel) const
{
    return nivel >= 0 && nivel < niveles_.size() ? niveles_.at(nivel) : QString();
}

void EmpresaMemoria::setNombreNivel(int nivel, const QString& nombre)
{
    if (nivel < 0)
        return;
    while (niveles_.size() <= nivel)
        niveles_.append(QString());
    niveles_[nivel] = nombre;
}

QVariant EmpresaMemoria::Parametro(const QString& nombre) const
{
    const auto it = parametros_.constFind(clave(nombre));
    if (it == parametros_.constEnd())
        throw ParametroError(nombre);
    return *it;
}

void EmpresaMemoria::setParametro(const QString& nombre, const QVariant& valor)
{
    parametros_.insert(clave(nombre), valor);
}

void EmpresaMemoria::quitarParametro(const QString& nombre)
{
    parametros_.remove(clave(nombre));
}

bool EmpresaMemoria::tieneParametro(const QString& nombre) const
{
    return parametros_.contains(clave(nombre));
}

}  // namespace host
