#pragma once

#include "reposic/frame/FormBase.h"

#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;
namespace ui {
class NumericBox;
}

// Code, name and proposal file type of a provisioning group; the code is fixed once it exists.
class frmRepGruposAprovDatos : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepGruposAprovDatos(QWidget* parent = nullptr);

    QString Nombre;
    int16_t Cod_Aprov = 0;  // 0: a new group
    bool Aceptado = false;
    int16_t TipoFichero = 0;  // 0 PDF, 1 Excel

    void cmdAceptar_Click();
    void cmdCancelar_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load() override;

    ui::NumericBox* txtCodigo;
    QLineEdit* txtNombre;
    QComboBox* cboTipoFichero;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
};
