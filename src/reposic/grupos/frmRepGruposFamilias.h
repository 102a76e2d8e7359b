#pragma once

#include "reposic/frame/FormBase.h"

#include <array>
#include <cstdint>

class QKeyEvent;
class QLabel;
class QPushButton;
namespace host {
class SelectorFamilia;
class SelectorMarca;
}
namespace ui {
class FlexGrid;
}

// The families and brands that make up one replenishment group: lists its elements, adds one
// from three cascading family pickers and a brand picker, deletes the current one.
class frmRepGruposFamilias : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepGruposFamilias(QWidget* parent = nullptr);

    int16_t Cod_Grupo = 0;
    QString Nombre;

    void cmdEliminar_Click();
    void cmdOrganizar_Click();
    void cmdSalir_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load() override;
    void CargarFamilias();
    void AgregarElemento();
    void LimpiarFiltros();
    void txtFamilia_Activando(int index);
    void txtFamilia_Cambio(int index);
    void txtFamilia_KeyPress(int index, int tecla);
    void txtMarca_KeyPress(int tecla);
    void agregarFila(const std::array<int32_t, 4>& codigos, const std::array<QString, 4>& nombres);

    std::array<host::SelectorFamilia*, 3> txtFamilia;
    std::array<QLabel*, 3> lblTFamilia;
    host::SelectorMarca* txtMarca;
    QLabel* lblMarca;
    ui::FlexGrid* vsFam;
    QPushButton* cmdEliminar;
    QPushButton* cmdOrganizar;
    QPushButton* cmdSalir;
};
