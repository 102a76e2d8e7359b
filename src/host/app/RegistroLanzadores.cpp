#include "host/app/RegistroLanzadores.h"

// Each screen's launcher header goes here, and its registrar() call below.
#include "reposic/prefactura/frmclsRepPrefactCtrlFaltas.h"
#include "reposic/prefactura/frmclsRepPrefactGenerar.h"

namespace hostapp {

void registrarLanzadores()
{
    reposic::frmclsRepPrefactGenerar::registrar();
    reposic::frmclsRepPrefactCtrlFaltas::registrar();
    // Screens without launcher:
    //   registrarFormulario(QStringLiteral("frmInformeReposicionRestos"),
    //                       [] { return new reposic::frmInformeReposicionRestos; });
}

}  // namespace hostapp
