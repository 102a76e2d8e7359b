#pragma once

#include "reposic/frame/FormBase.h"

class QComboBox;
class QPushButton;
namespace host {
class OpcionesNivel;
class SelectorAlmacen;
class SelectorRangoFamilias;
}
namespace ui {
class OutputDevicePicker;
class PrinterPicker;
}

// Prints or previews the state of replenishment of one warehouse: the pending units per article
// with their sales and leftover parts, for a range of families, grouped by the levels ticked.
// No launcher opens it: the host calls abrir().
class frmInformeReposicionRestos : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmInformeReposicionRestos(QWidget* parent = nullptr);

    // Shows the screen's default instance modelessly above `owner` (the same one while open).
    static frmInformeReposicionRestos* abrir(QWidget* owner = nullptr);

    // Passed to the report as parameter 14: only articles with leftover units.
    bool Flag = false;

    QString TextoCabecera();
    void cmdAceptar_Click();
    void cmdCancelar_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load() override;

    host::SelectorAlmacen* txtAlmacen;
    host::SelectorRangoFamilias* famFamilias;
    host::OpcionesNivel* hvVerNiveles;
    QComboBox* cboVer;
    ui::OutputDevicePicker* cboDisp;
    ui::PrinterPicker* cboImpresora;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
};
