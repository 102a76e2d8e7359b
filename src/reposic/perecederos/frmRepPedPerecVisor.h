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
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();

    bool cargado_ = false;
    QVector<int16_t> tipos_;  // type code of each column from the third on
    ui::FlexGrid* vsAlm;
    QPushButton* cmdSalir;
};
