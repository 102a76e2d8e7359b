#include "reposic/visorcfg/frmclsRepArtVisorCfg.h"

#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/visorcfg/frmRepArtVisorCfg.h"

namespace reposic {

FormBase* frmclsRepArtVisorCfg::crearFormulario() { return new frmRepArtVisorCfg; }

void frmclsRepArtVisorCfg::Show(int /*Modal*/, QWidget* /*OwnerForm*/)
{
    auto* form = static_cast<frmRepArtVisorCfg*>(formulario());
    form->TipoReposicion = TipoReposicion;
    // Read as the form unloads: once unloaded it is only waiting to be deleted.
    bool resultado = form->Result;
    const auto conexion = connect(form, &FormBase::Unload, this,
                                  [&resultado, form] { resultado = form->Result; });
    form->Show(1, nullptr);
    disconnect(conexion);
    Result = resultado;
}

NRVX_REGISTRAR_LANZADOR(frmclsRepArtVisorCfg)

}  // namespace reposic
