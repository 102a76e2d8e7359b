#include "reposic/restos/frmclsRepVisorRestos.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/restos/frmRepVisorRestos.h"

namespace reposic {

FormBase* frmclsRepVisorRestos::crearFormulario() { return new frmRepVisorRestos; }

NRVX_REGISTRAR_LANZADOR(frmclsRepVisorRestos)

}  // namespace reposic
