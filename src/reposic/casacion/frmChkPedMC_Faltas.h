#pragma once

#include "reposic/frame/FormBase.h"

#include <cstdint>

class QPushButton;
namespace ui {
class Anclaje;
class FlexGrid;
}

// What a supplier failed to deliver lately: the liquidated lines of the last three closed
// orders of a warehouse and supplier, oldest order first. Read only.
class frmChkPedMC_Faltas : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmChkPedMC_Faltas(QWidget* parent = nullptr);

    int16_t Cod_Almacen = 0;
    int32_t Cod_Proveedor = 0;

protected:

private:
    void Form_Load() override;

    ui::FlexGrid* vsLin;
    QPushButton* cmdSalir;
    ui::Anclaje* Anclaje;
};
