#pragma once

#include "reposic/frame/FormBase.h"

#include <cstdint>

class QLineEdit;
class QPushButton;

// Takes a replenishment group's name and, for a new group, draws its code.
class frmRepGruposDatos : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepGruposDatos(QWidget* parent = nullptr);

    QString Nombre;
    int16_t Cod_Grupo = 0;  // 0: a new group
    bool Aceptado = false;

    void cmdAceptar_Click();
    void cmdCancelar_Click();

protected:

private:
    void Form_Load() override;

    QLineEdit* txtNombre;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
};
