#pragma once

#include "reposic/frame/FormBase.h"

class QCheckBox;
class QPushButton;
namespace host {
class SelectorAlmacen;
class SelectorProveedor;
}
namespace ui {
class OutputDevicePicker;
class PrinterPicker;
}

// Prints or previews what generation could not send: the shortages of one store or all, for a
// range of suppliers, optionally grouped by supplier.
class frmRepPrefacturaControlFaltas : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepPrefacturaControlFaltas(QWidget* parent = nullptr);

    QString DevCriterio();
    void cmdAceptar_Click();
    void cmdCancelar_Click();

protected:

private:
    void Form_Load() override;

    host::SelectorAlmacen* txtAlmacen;
    host::SelectorProveedor* txtProveedorI;
    host::SelectorProveedor* txtProveedorF;
    QCheckBox* chkAgruparProv;
    ui::OutputDevicePicker* cboDisp;
    ui::PrinterPicker* cboImpresora;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
};
