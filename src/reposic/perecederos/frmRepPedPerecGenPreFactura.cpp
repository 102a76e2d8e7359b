#include "reposic/perecederos/frmRepPedPerecGenPreFactura.h"
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
#include "reposic/frame/modMsgOp.h"
#include "reposic/perecederos/GeneracionPedidosPerecederos.h"
#include "reposic/prefactura/ImpresionPrefactura.h"

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

frmRepPedPerecGenPreFactura::frmRepPedPerecGenPreFactura(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepPedPerecGenPreFactura"));
    setWindowTitle(QStringLiteral("Generar Prefacturas de Perecederos"));

    cboTipo = nombrar(new QComboBox(this), "cboTipo");
    lblAlmacenO = nombrar(new QLabel(QStringLiteral("Almacén Origen"), this), "lblAlmacenO");
    txtAlmacenO = nombrar(new host::SelectorAlmacen(this), "txtAlmacenO");
    lblAlmacenD = nombrar(new QLabel(QStringLiteral("Almacén Destino"), this), "lblAlmacenD");
    txtAlmacenD = nombrar(new host::SelectorAlmacen(this), "txtAlmacenD");
    cboDisp = nombrar(new ui::OutputDevicePicker(this), "cboDisp");
    cboImpresora = nombrar(new ui::PrinterPicker(this), "cboImpresora");
    cmdAceptar = nombrar(new QPushButton(QStringLiteral("&Aceptar"), this), "cmdAceptar");
    cmdCancelar = nombrar(new QPushButton(QStringLiteral("&Cancelar"), this), "cmdCancelar");

    auto* grid = new QGridLayout;
    int fila = 0;
    grid->addWidget(new QLabel(QStringLiteral("Tipo de pedido"), this), fila, 0);
    grid->addWidget(cboTipo, fila++, 1);
    grid->addWidget(lblAlmacenO, fila, 0);
    grid->addWidget(txtAlmacenO, fila++, 1);
    grid->addWidget(lblAlmacenD, fila, 0);
    grid->addWidget(txtAlmacenD, fila++, 1);
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
    connect(cboTipo, &QComboBox::currentIndexChanged, this, [this] { cboTipo_Click(); });
    connect(cmdAceptar, &QPushButton::clicked, this, &frmRepPedPerecGenPreFactura::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmRepPedPerecGenPreFactura::cmdCancelar_Click);
}

void frmRepPedPerecGenPreFactura::Form_Load()
{
    try {
        cargar();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

void frmRepPedPerecGenPreFactura::cargar()
{
    const auto empresa = modComun::empresa();
    for (host::SelectorAlmacen* s : {txtAlmacenO, txtAlmacenD})
        s->setContexto(empresa, modComun::conexion(), modComun::usuarioActual());
    cboDisp->setValue(ui::OutputDevicePicker::Impresora);
    reposic::Informes::cargarImpresoras(*cboImpresora);

    db::Recordset rs(modComun::conexion(), "SELECT Codigo, Nombre, Cod_Almacen FROM Pedidos_Central_Tipos");
    for (; !rs.eof(); rs.moveNext()) {
        almacenesTipo_.push_back(static_cast<int16_t>(rs.field(QStringLiteral("Cod_Almacen")).toInt()));
        QSignalBlocker bloqueo(cboTipo);
        cboTipo->addItem(rs.field(QStringLiteral("Nombre")).toText(),
                         rs.field(QStringLiteral("Codigo")).toInt());
    }
    cmdAceptar->setEnabled(cboTipo->count() > 0);
    if (cboTipo->count() > 0) {
        QSignalBlocker bloqueo(cboTipo);
        cboTipo->setCurrentIndex(0);
    }
    if (cboTipo->count() > 0)
        cboTipo_Click();
}

void frmRepPedPerecGenPreFactura::cboTipo_Click()
{
    const int i = cboTipo->currentIndex();
    if (i < 0 || i >= almacenesTipo_.size() || almacenesTipo_[i] < 1)
        return;
    try {
        txtAlmacenO->setCodigo(almacenesTipo_[i]);
        txtAlmacenO->refrescar();
    } catch (const std::exception&) {
        // The origin stays as typed; generation checks it before using it.
    }
}

bool frmRepPedPerecGenPreFactura::eventFilter(QObject* watched, QEvent* event)
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

void frmRepPedPerecGenPreFactura::cmdAceptar_Click()
{
    try {
        if (!txtAlmacenO->valido() || !txtAlmacenD->valido()) {
            ui::MsgBox(QStringLiteral("Se esperaba código de almacén."), ui::vbInformation | ui::vbOKOnly,
                       kAtencion);
            txtAlmacenD->setFocus();
            return;
        }
        reposic::MsgOp(true, QStringLiteral("Generando prefactura, espere por favor..."));
        const int64_t codigo = GenerarPrefacturaPedidos();
        if (codigo > 0) {
            try {
                ImprimirPrefactura(txtAlmacenO->codigo(), codigo);
            } catch (const std::exception& e) {
                // The pre-invoice is committed and the orders consumed: that stays, and the
                // user must know the paper is missing so as to reprint it.
                reposic::MsgOp(false);
                ui::MsgBox(QStringLiteral("Se ha generado la prefactura %1, pero no se ha podido "
                                          "imprimir.\r\n%2")
                               .arg(codigo)
                               .arg(QString::fromUtf8(e.what())),
                           ui::vbCritical | ui::vbOKOnly, kAtencion);
            }
        }
        reposic::MsgOp(false);
        ui::ScreenPointer::setHourglass(false);
        if (codigo == 0) {
            ui::MsgBox(QStringLiteral("No hay datos para generar una prefactura"),
                       ui::vbInformation | ui::vbOKOnly, kAtencion);
        }
        txtAlmacenD->reiniciar();
        txtAlmacenD->setFocus();
    } catch (const std::exception& e) {
        reposic::MsgOp(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

int64_t frmRepPedPerecGenPreFactura::GenerarPrefacturaPedidos()
{
    try {
        GeneracionPedidosPerecederos generacion(modComun::empresa(), modComun::conexion());
        generacion.origen = txtAlmacenO->codigo();
        generacion.destino = txtAlmacenD->codigo();
        generacion.tipo = static_cast<int16_t>(cboTipo->currentData().toInt());
        return generacion.generar();
    } catch (const std::exception& e) {
        // The transaction has rolled back: the orders wait and the number was not used.
        reposic::MsgOp(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return 0;
    }
}

void frmRepPedPerecGenPreFactura::ImprimirPrefactura(int16_t origen, int64_t codigo)
{
    ui::ScreenPointer::setHourglass(true);
    ImpresionPrefactura impresion;
    impresion.controlStock = false;
    impresion.impresora = cboImpresora->DeviceName();
    impresion.imprimir(origen, codigo, txtAlmacenD->codigo(), QString());
}

void frmRepPedPerecGenPreFactura::cmdCancelar_Click() { descargar(); }
