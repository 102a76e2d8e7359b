#include "reposic/prefactura/frmRepPrefacturaControlFaltas.h"

#include "host/Reloj.h"
#include "host/Utilidades.h"
#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorProveedor.h"
#include "platform/report/Printers.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/OutputDevicePicker.h"
#include "platform/ui/PrinterPicker.h"
#include "platform/ui/ScreenPointer.h"
#include "reposic/frame/Informes.h"
#include "reposic/frame/clsView.h"
#include "reposic/frame/modComun.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using reposic::modComun;

frmRepPrefacturaControlFaltas::frmRepPrefacturaControlFaltas(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepPrefacturaControlFaltas"));
    setWindowTitle(QStringLiteral("Control de Faltas"));
    txtAlmacen = new host::SelectorAlmacen(this);
    txtAlmacen->setObjectName(QStringLiteral("txtAlmacen"));
    txtProveedorI = new host::SelectorProveedor(this);
    txtProveedorI->setObjectName(QStringLiteral("txtProveedorI"));
    txtProveedorF = new host::SelectorProveedor(this);
    txtProveedorF->setObjectName(QStringLiteral("txtProveedorF"));
    chkAgruparProv = new QCheckBox(QStringLiteral("Agrupar por proveedor"), this);
    chkAgruparProv->setObjectName(QStringLiteral("chkAgruparProv"));
    cboDisp = new ui::OutputDevicePicker(this);
    cboDisp->setObjectName(QStringLiteral("cboDisp"));
    cboImpresora = new ui::PrinterPicker(this);
    cboImpresora->setObjectName(QStringLiteral("cboImpresora"));
    cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Almacén"), txtAlmacen);
    form->addRow(QStringLiteral("Proveedor desde"), txtProveedorI);
    form->addRow(QStringLiteral("Proveedor hasta"), txtProveedorF);
    form->addRow(QString(), chkAgruparProv);
    form->addRow(QStringLiteral("Salida"), cboDisp);
    form->addRow(QStringLiteral("Impresora"), cboImpresora);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(form);
    raiz->addLayout(botones);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmRepPrefacturaControlFaltas::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmRepPrefacturaControlFaltas::cmdCancelar_Click);
}


void frmRepPrefacturaControlFaltas::Form_Load()
{
    txtAlmacen->setContexto(modComun::empresa(), modComun::conexion(), modComun::usuarioActual());
    txtProveedorI->setContexto(modComun::empresa(), modComun::conexion());
    txtProveedorF->setContexto(modComun::empresa(), modComun::conexion());
    reposic::Informes::cargarImpresoras(*cboImpresora);
}

QString frmRepPrefacturaControlFaltas::DevCriterio()
{
    const int16_t almacen = txtAlmacen->codigo();
    QString texto = almacen > 0 ? QStringLiteral("Almacén: %1 - %2").arg(almacen).arg(txtAlmacen->nombre())
                                : QStringLiteral("Almacén: TODOS");
    return texto + QStringLiteral("  Proveedor: %1 / %2  ").arg(txtProveedorI->codigo()).arg(txtProveedorF->codigo());
}

void frmRepPrefacturaControlFaltas::cmdAceptar_Click()
{
    try {
        auto informe = reposic::Informes::abrir(chkAgruparProv->isChecked()
                                                    ? QStringLiteral("Reposicion Faltas x Prov.rpt")
                                                    : QStringLiteral("Reposicion Faltas.rpt"));
        informe->setParameter(1, DevCriterio());
        informe->setParameter(2, static_cast<int>(modComun::empresa()->CodigoEmpresa()));
        informe->setParameter(3, static_cast<int>(txtAlmacen->codigo()));
        informe->setParameter(4, static_cast<int>(txtProveedorI->codigo()));
        informe->setParameter(5, static_cast<int>(txtProveedorF->codigo()));
        // The supplier range is read on the article master, kept under its own company.
        informe->setParameter(6, static_cast<int>(modComun::empresa()->CodigoEmpresaArticulos()));
        informe->setParameter(7, host::FechaTexto(host::Reloj::hoy()));
        reposic::Informes::subinformeEmpresa(*informe);
        reposic::Informes::dirigirAImpresora(*informe, cboImpresora->DeviceName());
        if (cboDisp->Value() <= 0) {
            reposic::clsView vista;
            vista.setReport(informe);
            int zoom = 120;
            vista.Cargar(true, zoom);
        } else {
            informe->printOut(1);
        }
        ui::ScreenPointer::setHourglass(false);
    } catch (const std::exception& e) {
        ui::ScreenPointer::setHourglass(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, QStringLiteral("¡ Atención !"));
    }
}

void frmRepPrefacturaControlFaltas::cmdCancelar_Click() { descargar(); }
