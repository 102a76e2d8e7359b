#include "reposic/perecederos/frmclsRepPrefactPedCtrl.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/perecederos/frmRepPedPerecGenPreFactura.h"

namespace reposic {

FormBase* frmclsRepPrefactPedCtrl::crearFormulario() { return new frmRepPedPerecGenPreFactura; }

NRVX_REGISTRAR_LANZADOR(frmclsRepPrefactPedCtrl)

}  // namespace reposic
