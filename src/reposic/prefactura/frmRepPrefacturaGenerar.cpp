#include "reposic/prefactura/frmRepPrefacturaGenerar.h"
#include "reposic/frame/Nombrar.h"

#include "host/Utilidades.h"
#include "host/controls/SelectorAlmacen.h"
#include "platform/report/Printers.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/OutputDevicePicker.h"
#include "platform/ui/PrinterPicker.h"
#include "reposic/frame/Informes.h"
#include "reposic/frame/modComun.h"
#include "reposic/frame/modMsgOp.h"
#include "reposic/prefactura/GeneracionPrefactura.h"
#include "reposic/prefactura/ImpresionPrefactura.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using reposic::modComun;

namespace {

using reposic::nombrar;

const QString kAtencion = QStringLiteral("¡ Atención !");

}  // namespace

frmRepPrefacturaGenerar::frmRepPrefacturaGenerar(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepPrefacturaGenerar"));
    setWindowTitle(QStringLiteral("Generación de PreFactura"));

    lblAlmacenO = nombrar(new QLabel(QStringLiteral("Almacén Origen"), this), "lblAlmacenO");
    txtAlmacenO = nombrar(new host::SelectorAlmacen(this), "txtAlmacenO");
    lblAlmacenD = nombrar(new QLabel(QStringLiteral("Almacén Destino"), this), "lblAlmacenD");
    txtAlmacenD = nombrar(new host::SelectorAlmacen(this), "txtAlmacenD");
    cboCantidad = nombrar(new QComboBox(this), "cboCantidad");
    cboModelo = nombrar(new QComboBox(this), "cboModelo");
    chkControlStock = nombrar(new QCheckBox(QStringLiteral("Imprimir control de faltas"), this),
                              "chkControlStock");
    chkDobleLinea = nombrar(new QCheckBox(QStringLiteral("Doble línea"), this), "chkDobleLinea");
    cboImpresora = nombrar(new ui::PrinterPicker(this), "cboImpresora");
    cboDisp = nombrar(new ui::OutputDevicePicker(this), "cboDisp");
    cmdAceptar = nombrar(new QPushButton(QStringLiteral("&Aceptar"), this), "cmdAceptar");
    cmdCancelar = nombrar(new QPushButton(QStringLiteral("&Cancelar"), this), "cmdCancelar");

    auto* grid = new QGridLayout;
    int fila = 0;
    grid->addWidget(lblAlmacenO, fila, 0);
    grid->addWidget(txtAlmacenO, fila++, 1);
    grid->addWidget(lblAlmacenD, fila, 0);
    grid->addWidget(txtAlmacenD, fila++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Cantidad"), this), fila, 0);
    grid->addWidget(cboCantidad, fila++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Modelo"), this), fila, 0);
    grid->addWidget(cboModelo, fila++, 1);
    grid->addWidget(chkControlStock, fila++, 1);
    grid->addWidget(chkDobleLinea, fila++, 1);
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

    cboCantidad->installEventFilter(this);
    cboModelo->installEventFilter(this);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmRepPrefacturaGenerar::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmRepPrefacturaGenerar::cmdCancelar_Click);
}


void frmRepPrefacturaGenerar::Form_Load()
{
    const auto empresa = modComun::empresa();
    for (host::SelectorAlmacen* s : {txtAlmacenO, txtAlmacenD})
        s->setContexto(empresa, modComun::conexion(), modComun::usuarioActual());
    txtAlmacenO->setCodigo(empresa->AlmacenDefecto());
    txtAlmacenO->refrescar();

    if (Codigo > 0) {
        txtAlmacenO->setCodigo(Cod_Almacen);
        txtAlmacenD->setCodigo(Cod_AlmacenD);
        txtAlmacenO->refrescar();
        txtAlmacenD->refrescar();
        for (QWidget* w : std::initializer_list<QWidget*>{txtAlmacenO, txtAlmacenD, lblAlmacenO, lblAlmacenD})
            w->setEnabled(false);
        setWindowTitle(QStringLiteral("Imprimir PreFactura"));
    }

    reposic::Informes::cargarImpresoras(*cboImpresora);
    cboDisp->setValue(1);
    // A generation prints one document per group, so only the printer is honoured there; a
    // single pre-invoice being reprinted may be previewed on screen instead.
    cboDisp->setEnabled(Codigo > 0);
    chkControlStock->setChecked(true);

    cboCantidad->clear();
    cboCantidad->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"),
                           QStringLiteral("100%")});
    cboCantidad->setCurrentIndex(3);
    cboModelo->clear();
    cboModelo->addItems({QStringLiteral("Ubicación, Stock Origen"),
                         QStringLiteral("Stock Origen, Stock Destino")});
    cboModelo->setCurrentIndex(0);
}

bool frmRepPrefacturaGenerar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == cboCantidad || watched == cboModelo)) {
        const int tecla = static_cast<QKeyEvent*>(event)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            host::SiguienteCampo();
            return true;
        }
    }
    return FormBase::eventFilter(watched, event);
}

QString frmRepPrefacturaGenerar::DevCriterio()
{
    const int16_t codigo = txtAlmacenD->codigo();
    QString texto = codigo != 0
        ? QStringLiteral("Almacén: %1 - %2  ").arg(codigo).arg(txtAlmacenD->nombre())
        : QStringLiteral("Almacén: TODOS  ");
    return texto + QStringLiteral("Proveedor: TODOS  ");
}

int frmRepPrefacturaGenerar::porcentajeElegido() const
{
    return cboCantidad->currentText().remove(QLatin1Char('%')).toInt();
}

void frmRepPrefacturaGenerar::cmdAceptar_Click()
{
    if (txtAlmacenD->texto().trimmed().isEmpty()) {
        ui::MsgBox(QStringLiteral("Se esperaba código de almacén."), ui::vbInformation | ui::vbOKOnly,
                   kAtencion);
        txtAlmacenD->setFocus();
        return;
    }
    try {
        if (Codigo > 0) {
            ImprimirPrefactura(Cod_Almacen, Codigo);
            descargar();
            return;
        }
        reposic::MsgOp(true, QStringLiteral("Generando prefactura, espere por favor..."));
        QVector<int16_t> grupos;
        {
            GeneracionPrefactura lector(modComun::empresa(), modComun::conexion());
            grupos = lector.grupos();
        }
        for (int16_t grupo : grupos) {
            const int64_t codigo = GenerarPrefactura(grupo);
            if (codigo > 0)
                ImprimirPrefactura(txtAlmacenO->codigo(), codigo);
        }
        const int64_t ultimo = GenerarPrefactura(0);
        if (ultimo > 0)
            ImprimirPrefactura(txtAlmacenO->codigo(), ultimo);
        reposic::MsgOp(false);
        if (ultimo == 0) {
            ui::MsgBox(QStringLiteral("No hay datos para generar una prefactura"),
                       ui::vbInformation | ui::vbOKOnly, kAtencion);
        }
        txtAlmacenD->reiniciar();
        txtAlmacenD->setFocus();
    } catch (const std::exception& e) {
        // The wait message must not stay up over the error.
        reposic::MsgOp(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmRepPrefacturaGenerar:cmdAceptar_Click"));
    }
}

int64_t frmRepPrefacturaGenerar::GenerarPrefactura(int16_t grupo)
{
    try {
        GeneracionPrefactura pase(modComun::empresa(), modComun::conexion());
        pase.origen = txtAlmacenO->codigo();
        pase.destino = txtAlmacenD->codigo();
        pase.porcentaje = porcentajeElegido();
        return pase.generar(grupo);
    } catch (const std::exception& e) {
        // The pass rolled itself back; the run goes on with the next group.
        reposic::MsgOp(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        reposic::MsgOp(true, QStringLiteral("Generando prefactura, espere por favor..."));
        return 0;
    }
}

void frmRepPrefacturaGenerar::ImprimirPrefactura(int16_t origen, int64_t codigo)
{
    ImpresionPrefactura impresion;
    impresion.segundoModelo = cboModelo->currentIndex() == 1;
    impresion.dobleLinea = chkDobleLinea->isChecked();
    impresion.controlStock = chkControlStock->isChecked();
    impresion.impresora = cboImpresora->DeviceName();
    impresion.enPantalla = Codigo > 0 && cboDisp->Value() == ui::OutputDevicePicker::Pantalla;
    impresion.imprimir(origen, codigo, txtAlmacenD->codigo(), DevCriterio());
}

void frmRepPrefacturaGenerar::cmdCancelar_Click() { descargar(); }
