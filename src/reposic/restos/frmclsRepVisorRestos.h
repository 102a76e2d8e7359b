#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens the leftovers viewer for the host.
class frmclsRepVisorRestos : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

protected:
    FormBase* crearFormulario() override;
};

}  // namespace reposic
