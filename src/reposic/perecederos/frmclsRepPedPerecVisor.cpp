#include "reposic/perecederos/frmclsRepPedPerecVisor.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/perecederos/frmRepPedPerecVisor.h"

namespace reposic {

FormBase* frmclsRepPedPerecVisor::crearFormulario() { return new frmRepPedPerecVisor; }

NRVX_REGISTRAR_LANZADOR(frmclsRepPedPerecVisor)

}  // namespace reposic
