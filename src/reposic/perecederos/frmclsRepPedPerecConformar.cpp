#include "reposic/perecederos/frmclsRepPedPerecConformar.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/perecederos/frmRepPedPerecConformar.h"

namespace reposic {

FormBase* frmclsRepPedPerecConformar::crearFormulario() { return new frmRepPedPerecConformar; }

NRVX_REGISTRAR_LANZADOR(frmclsRepPedPerecConformar)

}  // namespace reposic
