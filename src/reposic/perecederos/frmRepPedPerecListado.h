#pragma once

#include "reposic/frame/FormBase.h"

#include <QVector>

#include <cstdint>

class QComboBox;
class QLabel;
class QPushButton;
namespace host {
class SelectorAlmacen;
}
namespace ui {
class OutputDevicePicker;
class PrinterPicker;
}

// Prints the waiting perishable orders of one type, one printout per warehouse of a range that
// has any, and closes once they are sent.
class frmRepPedPerecListado : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepPedPerecListado(QWidget* parent = nullptr);

    void cmdAceptar_Click();
    void cmdCancelar_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load() override;
    void cargar();

    QVector<int16_t> almacenes_;  // warehouses of the last run, in the order to print
    QComboBox* cboTipo;
    QLabel* lblAlmacenO;
    host::SelectorAlmacen* txtAlmacenI;
    QLabel* lblAlmacenD;
    host::SelectorAlmacen* txtAlmacenF;
    ui::PrinterPicker* cboImpresora;
    ui::OutputDevicePicker* cboDisp;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
};
