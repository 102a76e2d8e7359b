#pragma once

#include "reposic/frame/FormBase.h"

#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class CasacionPedidos;
namespace host {
class SelectorAlmacen;
class SelectorProveedor;
}
namespace ui {
class Anclaje;
class FlexGrid;
}

// A store checks the goods that came from a supplier: it marks pending supplier orders and the
// mini-purchases captured at reception, matches them article by article, and books the receipt
// against the orders (through the differences screen when they do not agree).
class frmChkPedMC_Main : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmChkPedMC_Main(QWidget* parent = nullptr);

    int16_t Cod_Almacen = 0;
    int32_t Cod_Proveedor = 0;

    // True when the connection had no transaction of the host's open at load.
    bool SinTransaccion = false;

    void cmdProcesar_Click();
    void cmdAnular_Click();
    void cmdDetallesPed_Click();
    void cmdDetallesMC_Click();
    void cmdFaltas_Click();

protected:

private:
    void Form_Load() override;
    void CargarDocumentos();
    void LimpiarGrids();
    void MarcarPedido();
    void MarcarMiniCompra();
    bool ProveedorUsaStockTransito(int32_t proveedor);
    void txtProv_Enter();
    CasacionPedidos casacion() const;

    QLabel* Label3;
    QLabel* lblProv;
    host::SelectorAlmacen* txtAlm;
    host::SelectorProveedor* txtProv;
    QGroupBox* fraPedidosProv;
    QGroupBox* fraMiniCompras;
    ui::FlexGrid* vsPed;
    ui::FlexGrid* vsMC;
    QCheckBox* chkMCTodos;
    QPushButton* cmdProcesar;
    QPushButton* cmdAnular;
    QPushButton* cmdDetallesPed;
    QPushButton* cmdDetallesMC;
    QPushButton* cmdFaltas;
    QPushButton* cmdSalir;
    ui::Anclaje* Anclaje;
};
