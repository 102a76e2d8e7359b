#pragma once

#include "reposic/frame/FormBase.h"

#include <cstdint>

class QPushButton;
namespace ui {
class Anclaje;
class FlexGrid;
}

// The article lines of one supplier order (ordered, received, pending) or of one mini-purchase
// (units captured), opened from the matching screen. Read only.
class frmChkPedMC_Detalles : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmChkPedMC_Detalles(QWidget* parent = nullptr);

    int16_t Cod_Almacen = 0;
    bool EsPedido = true;
    int16_t Cod_Ejercicio = 0;
    int32_t Codigo = 0;

protected:

private:
    void Form_Load() override;

    ui::FlexGrid* vsArt;
    QPushButton* cmdSalir;
    ui::Anclaje* Anclaje;
};
