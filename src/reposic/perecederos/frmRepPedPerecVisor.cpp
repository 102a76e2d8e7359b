#include "reposic/perecederos/frmRepPedPerecVisor.h"

#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/frame/modComun.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

frmRepPedPerecVisor::frmRepPedPerecVisor(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepPedPerecVisor"));
    setWindowTitle(QStringLiteral("Visor de Pedidos Perecederos"));
    vsAlm = new ui::FlexGrid(this);
    vsAlm->setObjectName(QStringLiteral("vsAlm"));
    cmdSalir = new QPushButton(QStringLiteral("&Salir"), this);
    cmdSalir->setObjectName(QStringLiteral("cmdSalir"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdSalir);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(vsAlm, 1);
    raiz->addLayout(botones);
    resize(760, 480);
    connect(cmdSalir, &QPushButton::clicked, this, &frmRepPedPerecVisor::cmdSalir_Click);
}


void frmRepPedPerecVisor::Form_Load()
{
    vsAlm->setCols(2);
    vsAlm->setRows(1);
    vsAlm->setFixedRows(1);
    vsAlm->setTextMatrix(0, 0, QStringLiteral("Almacén"));
    vsAlm->setTextMatrix(0, 1, QStringLiteral("Almacén"));
    vsAlm->setColWidth(0, 500);
    vsAlm->setColWidth(1, 2500);
    vsAlm->setFixedAlignment(0, ui::flexAlignCenterCenter);
    vsAlm->setFixedAlignment(1, ui::flexAlignCenterCenter);
    vsAlm->setMergeCells(ui::flexMergeFixedOnly);
    vsAlm->setMergeRow(0, true);
    try {
        const QString empresa = QString::number(modComun::empresa()->CodigoEmpresa());
        db::Recordset tipos(modComun::conexion(), "SELECT Codigo, Nombre FROM Pedidos_Central_Tipos");
        for (; !tipos.eof(); tipos.moveNext()) {
            const int c = vsAlm->Cols();
            vsAlm->setCols(c + 1);
            vsAlm->setTextMatrix(0, c, tipos.field(QStringLiteral("Nombre")).toText());
            vsAlm->setColWidth(c, 1500);
            vsAlm->setColAlignment(c, ui::flexAlignCenterCenter);
            vsAlm->setFixedAlignment(c, ui::flexAlignCenterCenter);
            tipos_.push_back(static_cast<int16_t>(tipos.field(QStringLiteral("Codigo")).toInt()));
        }
        tipos.close();

        db::Recordset almacenes(modComun::conexion(),
                                "SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa =" + empresa);
        for (; !almacenes.eof(); almacenes.moveNext()) {
            const QString codigo = almacenes.field(QStringLiteral("Codigo")).toText();
            vsAlm->AddItem(codigo + '\t' + almacenes.field(QStringLiteral("Nombre")).toText());
            const int fila = vsAlm->Rows() - 1;
            for (int i = 0; i < tipos_.size(); ++i) {
                db::Recordset estado(modComun::conexion(),
                                     "SELECT TOP 1 Cerrado FROM Pedidos_Central"
                                     " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen =" + codigo
                                         + " AND Cod_Tipo =" + QString::number(tipos_[i]));
                if (estado.eof())
                    continue;
                const bool cerrado = estado.field(QStringLiteral("Cerrado")).toBool();
                vsAlm->setTextMatrix(fila, 2 + i, cerrado ? QStringLiteral("CERRADO")
                                                          : QStringLiteral("EN PROCESO"));
                vsAlm->setCellForeColor(fila, 2 + i, cerrado ? QColor(192, 0, 0) : QColor(0, 0, 192));
            }
        }
    } catch (const std::exception& e) {
        // What was built so far stays on screen.
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("¡ Atención !"));
    }
}

void frmRepPedPerecVisor::cmdSalir_Click() { descargar(); }
