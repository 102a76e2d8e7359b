#pragma once

#include "reposic/frame/FormBase.h"

#include <cstdint>

class QPushButton;
class QTabWidget;
namespace ui {
class FlexGrid;
}

// Lists every pre-invoice of the company with the lines of the current one, and is where a
// pre-invoice ends: annulled, liquidated or confirmed into a stock transfer; it also prints one
// or opens it for editing. The list is read once and kept in step with what is done here.
class frmRepPreFacturasVisor : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepPreFacturasVisor(QWidget* parent = nullptr);

    void cmdModificar_Click();
    void cmdImprimir_Click();
    void cmdAnular_Click();
    void cmdLiquidar_Click();
    void cmdTraspasar_Click();
    void cmdSalir_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load() override;
    void CargarPrefacturas();
    void asentarPendientes();
    void avisarAsientoPendiente(const QString& error);
    void CargarDetalle();
    void quitarFilaActual();
    void estadoBotones();
    int64_t codigoActual() const;
    int16_t origenActual() const;
    int16_t destinoActual() const;

    bool cargado_ = false;
    int filaDetalle_ = -1;
    QTabWidget* SSTab;
    ui::FlexGrid* vsCab;
    ui::FlexGrid* vsDet;
    QPushButton* cmdModificar;
    QPushButton* cmdImprimir;
    QPushButton* cmdAnular;
    QPushButton* cmdLiquidar;
    QPushButton* cmdTraspasar;
    QPushButton* cmdSalir;
};
