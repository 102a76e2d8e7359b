#pragma once

#include "reposic/frame/FormBase.h"

#include <cstdint>

class QPushButton;
namespace ui {
class Anclaje;
class FlexGrid;
}

// Lists the replenishment groups of one provisioning group; adds, renames and deletes them and
// opens a group's families and brands. Without a provisioning group from the caller it takes
// the user's only one, or asks.
class frmRepGrupos : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepGrupos(QWidget* parent = nullptr);

    int16_t Cod_Aprov = 0;

    void cmdAgregar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdPropiedades_Click();
    void cmdSalir_Click();

protected:

private:
    void Form_Load() override;
    int16_t aprovisionamientoDelUsuario();
    void CargarGrupos();
    bool ExisteGrupo(int16_t codigo, const QString& nombre);
    bool Validar_Eliminar_GrupoRep(int16_t codigo);
    bool filaDeDatos() const;
    void habilitarBotones();

    ui::FlexGrid* vsLineas;
    ui::Anclaje* Anclaje;
    QPushButton* cmdAgregar;
    QPushButton* cmdModificar;
    QPushButton* cmdEliminar;
    QPushButton* cmdPropiedades;
    QPushButton* cmdSalir;
};
