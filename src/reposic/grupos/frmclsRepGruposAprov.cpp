#include "reposic/grupos/frmclsRepGruposAprov.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/grupos/frmRepGruposAprov.h"

namespace reposic {

FormBase* frmclsRepGruposAprov::crearFormulario() { return new frmRepGruposAprov; }

NRVX_REGISTRAR_LANZADOR(frmclsRepGruposAprov)

}  // namespace reposic
