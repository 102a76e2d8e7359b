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

// At the central office: the waiting perishable orders of one type and one store become one
// pre-invoice from the type's supplying warehouse, printed at once; store after store.
class frmRepPedPerecGenPreFactura : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepPedPerecGenPreFactura(QWidget* parent = nullptr);

    void cboTipo_Click();
    void cmdAceptar_Click();
    void cmdCancelar_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load() override;
    void cargar();
    int64_t GenerarPrefacturaPedidos();
    void ImprimirPrefactura(int16_t origen, int64_t codigo);

    QVector<int16_t> almacenesTipo_;  // supplying warehouse of each entry of cboTipo
    QComboBox* cboTipo;
    QLabel* lblAlmacenO;
    host::SelectorAlmacen* txtAlmacenO;
    QLabel* lblAlmacenD;
    host::SelectorAlmacen* txtAlmacenD;
    ui::OutputDevicePicker* cboDisp;
    ui::PrinterPicker* cboImpresora;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
};
