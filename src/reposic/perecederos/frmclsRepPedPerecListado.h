#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens the perishable order listing for the host.
class frmclsRepPedPerecListado : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

protected:
    FormBase* crearFormulario() override;
};

}  // namespace reposic
