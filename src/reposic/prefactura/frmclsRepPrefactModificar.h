#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens pre-invoice editing for the host.
class frmclsRepPrefactModificar : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

protected:
    FormBase* crearFormulario() override;
};

}  // namespace reposic
