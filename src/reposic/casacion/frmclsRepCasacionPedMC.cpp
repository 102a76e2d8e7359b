#include "reposic/casacion/frmclsRepCasacionPedMC.h"

#include "reposic/casacion/frmChkPedMC_Main.h"
#include "reposic/frame/LanzadorRegistro.h"

namespace reposic {

FormBase* frmclsRepCasacionPedMC::crearFormulario() { return new frmChkPedMC_Main; }

void frmclsRepCasacionPedMC::pasarMiembros(FormBase& form)
{
    auto& f = static_cast<frmChkPedMC_Main&>(form);
    f.Cod_Almacen = Cod_Almacen;
    f.Cod_Proveedor = Cod_Proveedor;
}

NRVX_REGISTRAR_LANZADOR(frmclsRepCasacionPedMC)

}  // namespace reposic
