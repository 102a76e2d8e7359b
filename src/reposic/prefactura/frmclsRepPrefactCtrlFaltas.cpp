#include "reposic/prefactura/frmclsRepPrefactCtrlFaltas.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/prefactura/frmRepPrefacturaControlFaltas.h"

namespace reposic {

FormBase* frmclsRepPrefactCtrlFaltas::crearFormulario() { return new frmRepPrefacturaControlFaltas; }

NRVX_REGISTRAR_LANZADOR(frmclsRepPrefactCtrlFaltas)

}  // namespace reposic
