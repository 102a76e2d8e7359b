#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens the provisioning groups for the host.
class frmclsRepGruposAprov : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

protected:
    FormBase* crearFormulario() override;
    // The screen uses neither the database login nor the module's user code.
    bool leerDatosConexion() const override { return false; }
};

}  // namespace reposic
