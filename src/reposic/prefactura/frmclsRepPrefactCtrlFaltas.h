#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens the shortage control report screen for the host.
class frmclsRepPrefactCtrlFaltas : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

protected:
    FormBase* crearFormulario() override;
};

}  // namespace reposic
