#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace reposic {
class FormBase;
}

namespace hostapp {

// Registers every launcher of the module, and the screens the host opens without one. The
// launchers live in static libraries whose self-registration the linker drops unless the
// program names them, so this is the one place that does. Safe to call more than once.
void registrarLanzadores();

// Screens the module offers without a launcher, opened by the host itself by form name.
using FabricaFormulario = std::function<reposic::FormBase*()>;
void registrarFormulario(const QString& nombreFormulario, FabricaFormulario fabrica);
QStringList formulariosSinLanzador();
// Null when no form of that name (case ignored) is registered.
FabricaFormulario fabricaFormulario(const QString& nombreFormulario);

}  // namespace hostapp
