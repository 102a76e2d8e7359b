#include "host/app/RegistroLanzadores.h"

#include <QMap>

#include <utility>

namespace hostapp {

namespace {

struct Formulario {
    QString nombre;
    FabricaFormulario fabrica;
};

QMap<QString, Formulario>& formularios()
{
    static QMap<QString, Formulario> m;
    return m;
}

}  // namespace

void registrarFormulario(const QString& nombreFormulario, FabricaFormulario fabrica)
{
    formularios().insert(nombreFormulario.trimmed().toLower(),
                         Formulario{nombreFormulario.trimmed(), std::move(fabrica)});
}

QStringList formulariosSinLanzador()
{
    QStringList l;
    for (const Formulario& f : std::as_const(formularios()))
        l.append(f.nombre);
    return l;
}

FabricaFormulario fabricaFormulario(const QString& nombreFormulario)
{
    return formularios().value(nombreFormulario.trimmed().toLower()).fabrica;
}

}  // namespace hostapp
