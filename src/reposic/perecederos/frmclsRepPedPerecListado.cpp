#include "reposic/perecederos/frmclsRepPedPerecListado.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/perecederos/frmRepPedPerecListado.h"

namespace reposic {

FormBase* frmclsRepPedPerecListado::crearFormulario() { return new frmRepPedPerecListado; }

NRVX_REGISTRAR_LANZADOR(frmclsRepPedPerecListado)

}  // namespace reposic
