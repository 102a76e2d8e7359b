#pragma once

#include "platform/db/Money.h"
#include "reposic/frame/FormBase.h"
#include "reposic/restos/DatosCentralRestos.h"

#include <QHash>

#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
namespace host {
class SelectorAlmacen;
class SelectorArticulo;
}
namespace ui {
class FlexGrid;
class MaskedDateBox;
class NumericBox;
}

// Records a leftovers document of one warehouse and date: the units a store still needs, which
// go to its pending replenishment. While it is typed the document also lives in scratch tables,
// so one neither recorded nor cancelled comes back at the next opening. Each article entered
// shows a panel of what is known about its replenishment here and at the central office.
class frmRepGrabRestos : public reposic::FormBase {
    Q_OBJECT
public:
    // Every workstation shares one pending document.
    static constexpr int32_t NroPuesto = 0;

    explicit frmRepGrabRestos(QWidget* parent = nullptr);

    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void cmdModificar_Click();
    void cmdEliminar_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load() override;
    int64_t ObtenerCodigo(bool Reservar);
    void CargarTemporal();
    void ImprimirResto(int64_t Codigo);
    db::Money ObtenerPvp(int32_t articulo);
    void MostrarEstimado();

    void txtFecha_KeyPress(int tecla);
    void txtArticulo_KeyPress(int tecla);
    void txtConcepto_KeyPress();
    bool ValidarLinea(db::Money unidades);
    void AgregarFila(int32_t articulo, const QString& descripcion, db::Money pvp, db::Money unidades,
                     const QString& concepto);
    int FilaDeArticulo(int32_t articulo) const;
    void ReiniciarEntrada();
    void ReiniciarDocumento();
    void MostrarPanel(const QString& texto);
    void BotonesLineas(bool activos);

    bool cargado_ = false;
    bool modificando_ = false;
    int32_t articuloModificado_ = 0;
    bool oficinaCentral_ = false;
    QString servidorCentral_;
    std::unique_ptr<DatosCentralRestos> central_;
    // Units as typed, by article: the grid shows them rounded to two decimals.
    QHash<int32_t, db::Money> unidades_;

    ui::MaskedDateBox* txtFecha;
    host::SelectorAlmacen* txtAlmacen;
    QLabel* lblCodigo_Estimado;
    host::SelectorArticulo* txtArticulo;
    ui::NumericBox* txtUnidades;
    QLineEdit* txtConcepto;
    QLabel* lblUxCaja;
    QLabel* lblStock;
    QLabel* lblSalidasHoy;
    QLabel* lblRestosHoy;
    QLabel* lblRestoCentral;
    QLabel* lblPrefacturado;
    QLabel* lblTotalRep;
    QLabel* lblStockCentral;
    ui::FlexGrid* vsLineas;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
    QPushButton* cmdModificar;
    QPushButton* cmdEliminar;
};
