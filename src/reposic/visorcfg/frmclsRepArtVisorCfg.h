#pragma once

#include "reposic/frame/frmclsBase.h"

#include <cstdint>

namespace reposic {

// Opens the article viewer configuration for the host. The host sets TipoReposicion, calls Show
// (always modal, whatever it asks) and then reads Result: true when the user accepted.
class frmclsRepArtVisorCfg : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

    uint8_t TipoReposicion = 0;
    bool Result = false;

    // Modal and OwnerForm are ignored: the host waits for the answer in Result.
    void Show(int Modal, QWidget* OwnerForm) override;

protected:
    FormBase* crearFormulario() override;
    // The screen reads the user from the company object itself and uses no database login.
    bool leerDatosConexion() const override { return false; }
};

}  // namespace reposic
