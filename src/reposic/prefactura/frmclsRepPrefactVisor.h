#pragma once

#include "reposic/frame/frmclsBase.h"

namespace reposic {

// Opens the pre-invoice viewer for the host; besides the company it receives the accounting
// company and connection that confirming a pre-invoice books on.
class frmclsRepPrefactVisor : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

    void EmpresaLedrin(std::shared_ptr<host::Empresa> empresa);
    void ConexionLedrin(db::ConnectionPtr conexion);

protected:
    FormBase* crearFormulario() override;
};

}  // namespace reposic
