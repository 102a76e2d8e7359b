#pragma once

#include "reposic/frame/frmclsBase.h"

#include <cstdint>

namespace reposic {

// Opens the replenishment groups of a provisioning group for the host.
class frmclsRepGrupos : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

    // The provisioning group whose groups are shown; 0 lets the screen settle it.
    int16_t Cod_Aprov = 0;

protected:
    FormBase* crearFormulario() override;
    void pasarMiembros(FormBase& form) override;
};

}  // namespace reposic
