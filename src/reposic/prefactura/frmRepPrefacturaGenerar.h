#pragma once

#include "reposic/frame/FormBase.h"

#include <cstdint>

class QCheckBox;
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

// Generates the pre-invoices of one store after another from the central office, one per
// replenishment group and one for the articles of no group, and prints them. Opened with a
// pre-invoice code it only reprints that one.
class frmRepPrefacturaGenerar : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepPrefacturaGenerar(QWidget* parent = nullptr);

    int16_t Cod_Almacen = 0;
    int16_t Cod_AlmacenD = 0;
    int64_t Codigo = 0;

    QString DevCriterio();

    void cmdAceptar_Click();
    void cmdCancelar_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load() override;
    int64_t GenerarPrefactura(int16_t grupo);
    void ImprimirPrefactura(int16_t origen, int64_t codigo);
    int porcentajeElegido() const;

    QLabel* lblAlmacenO;
    host::SelectorAlmacen* txtAlmacenO;
    QLabel* lblAlmacenD;
    host::SelectorAlmacen* txtAlmacenD;
    QComboBox* cboCantidad;
    QComboBox* cboModelo;
    QCheckBox* chkControlStock;
    QCheckBox* chkDobleLinea;
    ui::PrinterPicker* cboImpresora;
    ui::OutputDevicePicker* cboDisp;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
};
