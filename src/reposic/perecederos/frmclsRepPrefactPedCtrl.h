#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens the pre-invoices from perishable orders for the host.
class frmclsRepPrefactPedCtrl : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

protected:
    FormBase* crearFormulario() override;
};

}  // namespace reposic
