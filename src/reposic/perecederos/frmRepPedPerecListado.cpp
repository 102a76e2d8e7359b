#include "reposic/perecederos/frmRepPedPerecListado.h"
#include "reposic/frame/Nombrar.h"

#include "host/Utilidades.h"
#include "host/controls/SelectorAlmacen.h"
#include "platform/db/Recordset.h"
#include "platform/report/Printers.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/OutputDevicePicker.h"
#include "platform/ui/PrinterPicker.h"
#include "platform/ui/ScreenPointer.h"
#include "reposic/frame/Informes.h"
#include "reposic/frame/modComun.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

namespace {

using reposic::nombrar;

const QString kAtencion = QStringLiteral("¡ Atención !");

}  // namespace

frmRepPedPerecListado::frmRepPedPerecListado(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepPedPerecListado"));
    setWindowTitle(QStringLiteral("Listado de Pedidos Perecederos"));

    cboTipo = nombrar(new QComboBox(this), "cboTipo");
    lblAlmacenO = nombrar(new QLabel(QStringLiteral("Desde almacén"), this), "lblAlmacenO");
    txtAlmacenI = nombrar(new host::SelectorAlmacen(this), "txtAlmacenI");
    lblAlmacenD = nombrar(new QLabel(QStringLiteral("Hasta almacén"), this), "lblAlmacenD");
    txtAlmacenF = nombrar(new host::SelectorAlmacen(this), "txtAlmacenF");
    cboImpresora = nombrar(new ui::PrinterPicker(this), "cboImpresora");
    cboDisp = nombrar(new ui::OutputDevicePicker(this), "cboDisp");
    cmdAceptar = nombrar(new QPushButton(QStringLiteral("&Aceptar"), this), "cmdAceptar");
    cmdCancelar = nombrar(new QPushButton(QStringLiteral("&Cancelar"), this), "cmdCancelar");

    auto* grid = new QGridLayout;
    int fila = 0;
    grid->addWidget(new QLabel(QStringLiteral("Tipo de pedido"), this), fila, 0);
    grid->addWidget(cboTipo, fila++, 1);
    grid->addWidget(lblAlmacenO, fila, 0);
    grid->addWidget(txtAlmacenI, fila++, 1);
    grid->addWidget(lblAlmacenD, fila, 0);
    grid->addWidget(txtAlmacenF, fila++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Impresora"), this), fila, 0);
    grid->addWidget(cboImpresora, fila++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Salida"), this), fila, 0);
    grid->addWidget(cboDisp, fila++, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(grid);
    raiz->addLayout(botones);

    cboTipo->installEventFilter(this);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmRepPedPerecListado::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmRepPedPerecListado::cmdCancelar_Click);
}

void frmRepPedPerecListado::Form_Load()
{
    try {
        cargar();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

void frmRepPedPerecListado::cargar()
{
    const auto empresa = modComun::empresa();
    for (host::SelectorAlmacen* s : {txtAlmacenI, txtAlmacenF})
        s->setContexto(empresa, modComun::conexion(), modComun::usuarioActual());
    cboDisp->setValue(ui::OutputDevicePicker::Impresora);
    reposic::Informes::cargarImpresoras(*cboImpresora);

    db::Recordset rs(modComun::conexion(), "SELECT Codigo, Nombre FROM Pedidos_Central_Tipos");
    for (; !rs.eof(); rs.moveNext())
        cboTipo->addItem(rs.field(QStringLiteral("Nombre")).toText(),
                         rs.field(QStringLiteral("Codigo")).toInt());
    cmdAceptar->setEnabled(cboTipo->count() > 0);
    if (cboTipo->count() > 0)
        cboTipo->setCurrentIndex(0);
}

bool frmRepPedPerecListado::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboTipo && event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(event)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            host::SiguienteCampo();
            return true;
        }
    }
    return FormBase::eventFilter(watched, event);
}

void frmRepPedPerecListado::cmdAceptar_Click()
{
    try {
        const auto empresa = modComun::empresa();
        const int tipo = cboTipo->currentData().toInt();
        almacenes_.clear();
        {
            db::Recordset rs(modComun::conexion(),
                             "SELECT DISTINCT Cod_Almacen FROM Pedidos_Central"
                             " WHERE Cod_Empresa =" + QString::number(empresa->CodigoEmpresa())
                                 + " AND Cod_Almacen BETWEEN " + QString::number(txtAlmacenI->codigo())
                                 + " AND " + QString::number(txtAlmacenF->codigo())
                                 + " AND Cod_Tipo =" + QString::number(tipo));
            for (; !rs.eof(); rs.moveNext())
                almacenes_.push_back(static_cast<int16_t>(rs.field(QStringLiteral("Cod_Almacen")).toInt()));
        }
        if (almacenes_.isEmpty()) {
            ui::MsgBox(QStringLiteral("No se han encontrado datos para imprimir en el intervalo señalado"),
                       ui::vbExclamation | ui::vbOKOnly, kAtencion);
            return;
        }
        ui::ScreenPointer::setHourglass(true);
        auto informe = reposic::Informes::abrir(QStringLiteral("Reposicion Pedidos Central.rpt"));
        informe->setParameter(1, QStringLiteral("Tipo: ") + cboTipo->currentText());
        informe->setParameter(2, static_cast<int>(empresa->CodigoEmpresa()));
        informe->setParameter(4, tipo);
        reposic::Informes::subinformeEmpresa(*informe);
        reposic::Informes::dirigirAImpresora(*informe, cboImpresora->DeviceName());
        for (int16_t almacen : almacenes_) {
            informe->setParameter(3, static_cast<int>(almacen));
            informe->setDocumentName(QStringLiteral("Pedidos Central %1").arg(almacen));
            informe->printOut(1);
        }
        ui::ScreenPointer::setHourglass(false);
        descargar();
    } catch (const std::exception& e) {
        ui::ScreenPointer::setHourglass(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

void frmRepPedPerecListado::cmdCancelar_Click() { descargar(); }
