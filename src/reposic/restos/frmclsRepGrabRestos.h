#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens the recording of leftovers for the host.
class frmclsRepGrabRestos : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

protected:
    FormBase* crearFormulario() override;
};

}  // namespace reposic
