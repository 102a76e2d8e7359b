#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Money.h"
#include "reposic/frame/FormBase.h"

#include <cstdint>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace host {
class SelectorAlmacen;
class SelectorArticulo;
}
namespace ui {
class FlexGrid;
}

// A store makes up its perishable order of one type here, in boxes and units, and closes it.
// The order lives in the central office's database, reached through a connection of the
// screen's own; at the central office any warehouse's order can be edited, also once closed.
class frmRepPedPerecConformar : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepPedPerecConformar(QWidget* parent = nullptr);
    ~frmRepPedPerecConformar() override;

    void cboTipo_Click();
    void txtArticulo_KeyPress();
    void txtBultos_KeyPress();
    void txtUnidades_KeyPress();
    void cmdEliminar_Click();
    void cmdCerrarPedido_Click();
    void cmdImprimir_Click();
    void cmdSalir_Click();
    void CargarPedido();

    // The screen's own connection to the central office (null once unloaded).
    db::ConnectionPtr conexionCentral() const { return central_; }
    bool pedidoCerrado() const { return cerrado_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Form_Unload() override;

private:
    void Form_Load() override;
    bool abrirCentral();
    void almacenCambiado();
    int16_t tipoElegido() const;
    void habilitarEdicion(bool si);
    void descargarLuego();
    void error(const std::exception& e);

    bool cargado_ = false;
    bool oficinaCentral_ = false;
    bool cerrado_ = false;
    int16_t uxCaja_ = 0;
    db::ConnectionPtr central_;

    QComboBox* cboTipo;
    host::SelectorAlmacen* txtAlmacen;
    QGroupBox* fraDatos;
    host::SelectorArticulo* txtArticulo;
    QLineEdit* txtBultos;
    QLineEdit* txtUnidades;
    QLabel* lblUxCaja;
    ui::FlexGrid* vsP;
    QLabel* lblI;
    QPushButton* cmdEliminar;
    QPushButton* cmdCerrarPedido;
    QPushButton* cmdImprimir;
    QPushButton* cmdSalir;
};
