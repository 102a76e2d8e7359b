#pragma once

#include "reposic/frame/frmclsBase.h"

#include <cstdint>

namespace reposic {

// Opens order matching for the host, on the warehouse and supplier it names (0: none).
class frmclsRepCasacionPedMC : public frmclsBase {
    Q_OBJECT
public:
    static void registrar();

    int16_t Cod_Almacen = 0;
    int32_t Cod_Proveedor = 0;

protected:
    FormBase* crearFormulario() override;
    void pasarMiembros(FormBase& form) override;
};

}  // namespace reposic
