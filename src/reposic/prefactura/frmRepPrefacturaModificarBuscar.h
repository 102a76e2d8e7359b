#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "reposic/frame/FormBase.h"

#include <cstdint>
#include <memory>

class QLabel;
class QPushButton;
namespace host {
class SelectorAlmacen;
}
namespace ui {
class NumericBox;
}

// Asks for the origin warehouse and the code of the pre-invoice to open in the editing screen.
// Both results stay 0 unless the user accepts a valid pair.
class frmRepPrefacturaModificarBuscar : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepPrefacturaModificarBuscar(QWidget* parent = nullptr);

    void cEmpresa(std::shared_ptr<host::Empresa> empresa) { empresa_ = std::move(empresa); }
    void Conexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }

    int32_t Cod_Almacen = 0;
    int64_t Codigo = 0;

    void cmdAceptar_Click();
    void cmdCancelar_Click();

protected:

private:
    void Form_Load() override;

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
    QLabel* lblAlmacenO;
    host::SelectorAlmacen* txtAlmacen;
    ui::NumericBox* txtCodigo;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
};
