#pragma once

#include "reposic/frame/FormBase.h"

#include <QString>

#include <cstdint>

class QPushButton;
namespace ui {
class Anclaje;
class FlexGrid;
}

// The articles of a matching run whose ordered and received units do not agree. The user may
// correct the difference carried to automatic replenishment, print the list, and liquidate the
// orders or cancel. It writes nothing but its own print table; the caller books the result.
class frmChkPedMC_Diferencias : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmChkPedMC_Diferencias(QWidget* parent = nullptr);

    int16_t Resultado = 0;  // 1 liquidate, 0 cancelled
    bool LlevarAReposicion = false;
    QString ListaPedidos;
    QString ListaMiniCompras;

    void cmdLiquidar_Click();
    void cmdCancelar_Click();
    void cmImprimir_Click();

    // "#############.00" as the workstation writes it: no leading zero, comma, two decimals.
    static QString FormatoDiferencia(double valor);
    // A number as typed in the difference cell ("12,5", ",50"); false when it is none.
    static bool LeerNumero(const QString& texto, double& valor);

protected:

private:
    void Form_Load() override;

    ui::FlexGrid* vsDif;
    QPushButton* cmdLiquidar;
    QPushButton* cmImprimir;
    QPushButton* cmdCancelar;
    ui::Anclaje* Anclaje;
};
