#pragma once

#include "reposic/frame/FormBase.h"

#include <cstdint>

class QComboBox;
class QPushButton;

// Asks for the provisioning group to work in, among those the user's security groups allow.
// Cod_Aprov stays 0 when there is none to choose or the dialog is closed without choosing.
class frmPedirAprovisionamiento : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmPedirAprovisionamiento(QWidget* parent = nullptr);

    int16_t Cod_Aprov = 0;
    QString Nombre;

    void cmdAceptar_Click();

protected:

private:
    void Form_Load() override;

    QComboBox* cboAprovisionamiento;
    QPushButton* cmdAceptar;
};
