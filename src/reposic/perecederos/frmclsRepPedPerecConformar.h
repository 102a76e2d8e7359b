#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens the perishable order conformation for the host.
class frmclsRepPedPerecConformar : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

protected:
    FormBase* crearFormulario() override;
};

}  // namespace reposic
