#pragma once

#include "reposic/frame/FormBase.h"

class QLabel;
class QPushButton;
namespace host {
class SelectorArticulo;
}
namespace ui {
class FlexGrid;
}

// Shows, for one article, what each warehouse has pending for replenishment and how much of it
// comes from sales and from leftovers, read from the central office's database or the one the
// company's setting names. A store sees only its own warehouse.
class frmRepVisorRestos : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepVisorRestos(QWidget* parent = nullptr);

    void MostrarRestos();
    void cmdSalir_Click();

protected:

private:
    void Form_Load() override;
    void txtArticulo_KeyPress(int tecla);

    QString servidorCentral_;
    bool oficinaCentral_ = false;

    QLabel* Label1;
    host::SelectorArticulo* txtArticulo;
    ui::FlexGrid* vsArt;
    QPushButton* cmdSalir;
};
