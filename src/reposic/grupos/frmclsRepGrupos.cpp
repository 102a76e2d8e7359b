#include "reposic/grupos/frmclsRepGrupos.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/grupos/frmRepGrupos.h"

namespace reposic {

FormBase* frmclsRepGrupos::crearFormulario() { return new frmRepGrupos; }

void frmclsRepGrupos::pasarMiembros(FormBase& form)
{
    static_cast<frmRepGrupos&>(form).Cod_Aprov = Cod_Aprov;
}

NRVX_REGISTRAR_LANZADOR(frmclsRepGrupos)

}  // namespace reposic
