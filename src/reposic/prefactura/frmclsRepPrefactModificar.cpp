#include "reposic/prefactura/frmclsRepPrefactModificar.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/prefactura/frmRepPrefacturaModificar.h"

namespace reposic {

FormBase* frmclsRepPrefactModificar::crearFormulario() { return new frmRepPrefacturaModificar; }

NRVX_REGISTRAR_LANZADOR(frmclsRepPrefactModificar)

}  // namespace reposic
