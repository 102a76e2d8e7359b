#pragma once

#include "platform/db/Money.h"
#include "reposic/data/clsAlmacen_Rep_PreF.h"
#include "reposic/frame/FormBase.h"

#include <cstdint>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
namespace host {
class SelectorAlmacen;
class SelectorArticulo;
}
namespace ui {
class FlexGrid;
class MaskedDateBox;
class NumericBox;
}

// Opens one pre-invoice to change its lines (each change written at once), write its
// observations and print it, annul it whole, or starts a new one by hand: the first line typed
// creates its header. The viewer opens its default instance on a given pre-invoice.
class frmRepPrefacturaModificar : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepPrefacturaModificar(QWidget* parent = nullptr);

    // The pre-invoice to open, set by the caller before showing; 0 opens an empty screen.
    int16_t Cod_Almacen = 0;
    int64_t Codigo = 0;

    // Names the pre-invoice to show; when the screen is already open it shows it at once.
    void AbrirPrefactura(int16_t origen, int64_t codigo);

    void cmdNuevo_Click();
    void cmdBuscar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();
    void cmdAnular_Click();
    void cmdAceptar_Click();
    void cmdSalir_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void Form_Unload() override;

private:
    void Form_Load() override;
    void cargar();
    void cargarPrefacturaPedida();
    void limpiarPanel();
    bool Form_KeyDown(int tecla);
    void CargarLineas();
    void mostrarPrefactura(int16_t origen, int64_t codigo, const QDate& fecha, int16_t destino);
    void estadoBotones(bool conLineas);
    void botonesDeLineas(bool conLineas);
    template <class F>
    void protegido(F&& accion);
    bool cargada_ = false;
    void limpiarPantalla();

    // Line entry, driven by Enter.
    void txtArticulo_KeyPress();
    void txtBultos_KeyPress();
    void txtUnidades_KeyPress();
    void chkRestos_KeyPress();
    std::optional<int> BuscarLinea();
    bool ValidarSurtido();
    bool CargarStock(int32_t articulo);
    void GrabarLinea();
    void EliminarLinea(bool aRestos);
    void LimpiarLinea();
    QString textoBultos(int bultos) const;
    int bultos() const;

    // Mirrors the pre-invoice shown.
    clsAlmacen_Rep_PreF cabecera_;
    // The article being entered.
    int16_t uxCaja_ = 0;
    db::Money stockOrigen_;
    db::Money stockReservado_;

    QTabWidget* SSTab;
    ui::NumericBox* txtCodigo;
    ui::MaskedDateBox* txtFecha;
    QLabel* lblAlmacenO;
    host::SelectorAlmacen* txtAlmacenO;
    QLabel* lblAlmacenD;
    host::SelectorAlmacen* txtAlmacenD;
    QLineEdit* txtObserv;
    ui::FlexGrid* vsLineas;
    QGroupBox* fraLin;
    host::SelectorArticulo* txtArticulo;
    ui::NumericBox* txtBultos;
    ui::NumericBox* txtUnidades;
    QCheckBox* chkRestos;
    QLabel* lblInf_Bultos;
    QLabel* lblInf_Stock;
    QLabel* lblInf_StockD;
    QPushButton* cmdNuevo;
    QPushButton* cmdBuscar;
    QPushButton* cmdModificar;
    QPushButton* cmdEliminar;
    QPushButton* cmdAnular;
    QPushButton* cmdAceptar;
    QPushButton* cmdSalir;
};
