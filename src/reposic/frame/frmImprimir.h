#pragma once

#include "reposic/frame/FormBase.h"

#include <QString>

class QPushButton;

namespace ui {
class OutputDevicePicker;
class PrinterPicker;
}

namespace reposic {

// Asks where a report goes: on screen or to one of the workstation's printers. The caller
// shows it modally (ui::runModal) and reads the three values afterwards; closing the window
// counts as cancelling.
class frmImprimir : public FormBase {
    Q_OBJECT

public:
    explicit frmImprimir(QWidget* parent = nullptr);

    // Filled by cmdAceptar; Aceptado stays false after cmdCancelar or closing the window.
    bool Pantalla = false;
    QString Impresora;
    bool Aceptado = false;

    ui::OutputDevicePicker* cboDisp = nullptr;
    ui::PrinterPicker* cboImpresora = nullptr;
    QPushButton* cmdAceptar = nullptr;
    QPushButton* cmdCancelar = nullptr;

    void cmdAceptar_Click();
    void cmdCancelar_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void cargar();
};

}  // namespace reposic
