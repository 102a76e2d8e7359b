#include "reposic/prefactura/frmclsRepPrefactGenerar.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/prefactura/frmRepPrefacturaGenerar.h"

namespace reposic {

FormBase* frmclsRepPrefactGenerar::crearFormulario() { return new frmRepPrefacturaGenerar; }

NRVX_REGISTRAR_LANZADOR(frmclsRepPrefactGenerar)

}  // namespace reposic
