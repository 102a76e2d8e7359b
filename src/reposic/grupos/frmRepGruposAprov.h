#pragma once

#include "reposic/frame/FormBase.h"

#include <cstdint>

class QPushButton;
namespace ui {
class Anclaje;
class FlexGrid;
}

// Maintains the provisioning groups: the level above the replenishment groups, each with the
// file type its replenishment proposal is produced in.
class frmRepGruposAprov : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepGruposAprov(QWidget* parent = nullptr);

    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdSalir_Click();

protected:

private:
    void Form_Load() override;
    void Cargar();
    bool ExisteGrupoAprov(int16_t codigo, const QString& nombre);
    bool filaDeDatos() const;
    void habilitarBotones();

    ui::FlexGrid* vsLineas;
    ui::Anclaje* Anclaje;
    QPushButton* cmdAgregar;
    QPushButton* cmdModificar;
    QPushButton* cmdEliminar;
    QPushButton* cmdSalir;
};
