#include "reposic/restos/frmclsRepGrabRestos.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/restos/frmRepGrabRestos.h"

namespace reposic {

FormBase* frmclsRepGrabRestos::crearFormulario() { return new frmRepGrabRestos; }

NRVX_REGISTRAR_LANZADOR(frmclsRepGrabRestos)

}  // namespace reposic
