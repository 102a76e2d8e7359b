#pragma once

#include "reposic/frame/FormBase.h"

#include <QVector>

#include <cstdint>

class QPushButton;
namespace ui {
class FlexGrid;
}

// At a glance, for every warehouse and perishable order type, whether an order is still being
// made up ("EN PROCESO") or closed and waiting for the central office ("CERRADO").
class frmRepPedPerecVisor : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepPedPerecVisor(QWidget* parent = nullptr);

    void cmdSalir_Click();

protected:

private:
    void Form_Load() override;

    QVector<int16_t> tipos_;  // type code of each column from the third on
    ui::FlexGrid* vsAlm;
    QPushButton* cmdSalir;
};
