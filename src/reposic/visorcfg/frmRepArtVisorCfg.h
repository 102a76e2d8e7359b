#pragma once

#include "reposic/frame/FormBase.h"

#include <QStringList>

#include <cstdint>
#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
namespace ui {
class FlexGrid;
}

// Lets the current user choose which columns the replenishment article viewer shows, in which
// order, and by which columns and directions it sorts, for one replenishment type. Nothing is
// written until the user accepts, except forgetting the remembered column widths.
class frmRepArtVisorCfg : public reposic::FormBase {
    Q_OBJECT
public:
    explicit frmRepArtVisorCfg(QWidget* parent = nullptr);

    uint8_t TipoReposicion = 0;
    bool Result = false;

    void cmdAgregar_Click();
    void cmdEliminar_Click();
    void cmdSubir_Click();
    void cmdBajar_Click();
    void cmdAgregarOrden_Click();
    void cmdEliminarOrden_Click();
    void cmdSubirOrden_Click();
    void cmdBajarOrden_Click();
    void cmdAscDesc_Click();
    void cmdAncho_Click();
    void cmdAceptar_Click();
    void cmdCancelar_Click();

protected:

private:
    void Form_Load() override;
    void MoverFilasGrid(int a, int b);
    // Runs one handler; an error is shown in a box titled with the handler's name and the
    // screen stays as it was.
    void protegido(const char* procedimiento, const std::function<void()>& accion);
    // Adds to lstDst the catalogue entry of each Id_Campo read by the statement, in its order.
    int mostrarColumnas(const QString& sql);
    void moverEntrada(int desde, int hasta);

    // Id_Campo of lstOrg's entry i at index i + 1 (index 0 unused).
    QStringList Id_Campo;

    QListWidget* lstOrg;
    QListWidget* lstDst;
    ui::FlexGrid* vsOrden;
    QLabel* Label1;
    QPushButton* cmdAgregar;
    QPushButton* cmdEliminar;
    QPushButton* cmdSubir;
    QPushButton* cmdBajar;
    QPushButton* cmdAgregarOrden;
    QPushButton* cmdEliminarOrden;
    QPushButton* cmdSubirOrden;
    QPushButton* cmdBajarOrden;
    QPushButton* cmdAscDesc;
    QPushButton* cmdAncho;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
};
