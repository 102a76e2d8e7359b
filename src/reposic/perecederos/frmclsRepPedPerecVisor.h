#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens the perishable order viewer for the host.
class frmclsRepPedPerecVisor : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

protected:
    FormBase* crearFormulario() override;
};

}  // namespace reposic
