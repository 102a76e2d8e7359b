#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens pre-invoice generation for the host.
class frmclsRepPrefactGenerar : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

protected:
    FormBase* crearFormulario() override;
};

}  // namespace reposic
