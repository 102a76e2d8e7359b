#include "reposic/restos/frmRepGrabRestos.h"
#include "reposic/frame/Nombrar.h"

#include "host/Reloj.h"
#include "host/Utilidades.h"
#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorArticulo.h"
#include "platform/db/Transaction.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MaskedDateBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NumericBox.h"
#include "platform/ui/ScreenPointer.h"
#include "reposic/frame/modComun.h"
#include "reposic/frame/modMsgOp.h"
#include "reposic/restos/ConsultaRestos.h"
#include "reposic/restos/GrabacionRestos.h"
#include "reposic/restos/ImpresionRestos.h"
#include "reposic/restos/ParametroRestos.h"
#include "reposic/restos/TemporalRestos.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using db::Money;
using reposic::modComun;

namespace {

using reposic::nombrar;

const QString kAtencion = QStringLiteral("¡ Atención !");

QString dosDecimales(Money m) { return host::NumeroTexto(m, 2); }

}  // namespace

frmRepGrabRestos::frmRepGrabRestos(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepGrabRestos"));
    setWindowTitle(QStringLiteral("Grabación de Restos para Reposición"));

    // Created in tab order: Enter walks date, warehouse, article, units and concept.
    txtFecha = nombrar(new ui::MaskedDateBox(this), "txtFecha");
    txtAlmacen = nombrar(new host::SelectorAlmacen(this), "txtAlmacen");
    lblCodigo_Estimado = nombrar(new QLabel(this), "lblCodigo_Estimado");
    txtArticulo = nombrar(new host::SelectorArticulo(this), "txtArticulo");
    txtUnidades = nombrar(new ui::NumericBox(this), "txtUnidades");
    txtUnidades->setNegativos(true);
    txtConcepto = nombrar(new QLineEdit(this), "txtConcepto");
    txtConcepto->setMaxLength(50);  // the column's width: a longer text would be cut on SQL Server
    vsLineas = nombrar(new ui::FlexGrid(this), "vsLineas");
    cmdModificar = nombrar(new QPushButton(QStringLiteral("&Modificar"), this), "cmdModificar");
    cmdEliminar = nombrar(new QPushButton(QStringLiteral("&Eliminar"), this), "cmdEliminar");
    cmdAceptar = nombrar(new QPushButton(QStringLiteral("&Aceptar"), this), "cmdAceptar");
    cmdCancelar = nombrar(new QPushButton(QStringLiteral("&Cancelar"), this), "cmdCancelar");
    for (QPushButton* b : {cmdModificar, cmdEliminar, cmdAceptar, cmdCancelar}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto etiqueta = [this](const char* nombre) {
        auto* l = nombrar(new QLabel(QStringLiteral("--"), this), nombre);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(70);
        return l;
    };
    lblUxCaja = etiqueta("lblUxCaja");
    lblStock = etiqueta("lblStock");
    lblSalidasHoy = etiqueta("lblSalidasHoy");
    lblRestosHoy = etiqueta("lblRestosHoy");
    lblRestoCentral = etiqueta("lblRestoCentral");
    lblPrefacturado = etiqueta("lblPrefacturado");
    lblTotalRep = etiqueta("lblTotalRep");
    lblStockCentral = etiqueta("lblStockCentral");

    auto* cabecera = new QGridLayout;
    cabecera->addWidget(new QLabel(QStringLiteral("Fecha:"), this), 0, 0);
    cabecera->addWidget(txtFecha, 0, 1);
    cabecera->addWidget(lblCodigo_Estimado, 0, 2);
    cabecera->addWidget(new QLabel(QStringLiteral("Almacén:"), this), 1, 0);
    cabecera->addWidget(txtAlmacen, 1, 1, 1, 2);
    cabecera->addWidget(new QLabel(QStringLiteral("Artículo:"), this), 2, 0);
    cabecera->addWidget(txtArticulo, 2, 1, 1, 2);
    cabecera->addWidget(new QLabel(QStringLiteral("Unidades:"), this), 3, 0);
    cabecera->addWidget(txtUnidades, 3, 1);
    cabecera->addWidget(new QLabel(QStringLiteral("Concepto:"), this), 4, 0);
    cabecera->addWidget(txtConcepto, 4, 1, 1, 2);

    auto* panel = new QGridLayout;
    const std::pair<const char*, QLabel*> filas[] = {
        {"Unid. x Caja:", lblUxCaja},       {"Stock:", lblStock},
        {"Salidas hoy:", lblSalidasHoy},    {"Restos hoy:", lblRestosHoy},
        {"Resto Central:", lblRestoCentral}, {"Prefacturado:", lblPrefacturado},
        {"Total Reposición:", lblTotalRep}, {"Stock Central:", lblStockCentral}};
    int i = 0;
    for (const auto& [texto, l] : filas) {
        panel->addWidget(new QLabel(QString::fromUtf8(texto), this), i / 2, (i % 2) * 2);
        panel->addWidget(l, i / 2, (i % 2) * 2 + 1);
        ++i;
    }
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(cabecera, 3);
    arriba->addLayout(panel, 2);

    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdModificar);
    botones->addWidget(cmdEliminar);
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(arriba);
    raiz->addWidget(vsLineas, 1);
    raiz->addLayout(botones);
    resize(820, 520);

    connect(txtFecha, &ui::MaskedDateBox::KeyPress, this, &frmRepGrabRestos::txtFecha_KeyPress);
    connect(txtFecha, &QLineEdit::editingFinished, this, [this] {
        // The counter runs per year of the document date.
        if (cargado_)
            MostrarEstimado();
    });
    connect(txtAlmacen, &host::SelectorBase::cambio, this, [this] {
        if (cargado_)
            MostrarEstimado();
    });
    connect(txtArticulo, &host::SelectorBase::teclaPulsada, this,
            &frmRepGrabRestos::txtArticulo_KeyPress);
    connect(txtUnidades, &ui::NumericBox::KeyPress, this, [](int tecla) {
        if (tecla == 13)
            host::SiguienteCampo();
    });
    connect(txtConcepto, &QLineEdit::returnPressed, this, &frmRepGrabRestos::txtConcepto_KeyPress);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmRepGrabRestos::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmRepGrabRestos::cmdCancelar_Click);
    connect(cmdModificar, &QPushButton::clicked, this, &frmRepGrabRestos::cmdModificar_Click);
    connect(cmdEliminar, &QPushButton::clicked, this, &frmRepGrabRestos::cmdEliminar_Click);
}

void frmRepGrabRestos::showEvent(QShowEvent* event)
{
    FormBase::showEvent(event);  // runs Form_Load the first time
    cargado_ = true;
}

void frmRepGrabRestos::Form_Load()
{
    const auto empresa = modComun::empresa();
    const auto conexion = modComun::conexion();
    // The host may hand the connection closed; this screen reopens it.
    if (!conexion->isOpen() && !conexion->connectionString().isEmpty())
        conexion->open(conexion->connectionString());

    vsLineas->setRows(1);
    vsLineas->setCols(6);
    const QStringList titulos = {QStringLiteral("N."), QStringLiteral("Código"),
                                 QStringLiteral("Descripción"), QStringLiteral("Pvp"),
                                 QStringLiteral("Unidades"), QStringLiteral("Concepto")};
    for (int c = 0; c < 6; ++c) {
        vsLineas->setTextMatrix(0, c, titulos[c]);
        vsLineas->setFixedAlignment(c, ui::flexAlignCenterCenter);
    }
    vsLineas->setColWidth(0, 500);
    vsLineas->setColWidth(1, 1000);
    vsLineas->setColWidth(2, 4000);
    vsLineas->setColWidth(3, 1200);
    vsLineas->setColWidth(4, 1200);
    vsLineas->setColAlignment(1, ui::flexAlignLeftCenter);
    vsLineas->setColAlignment(3, ui::flexAlignRightCenter);
    vsLineas->setColAlignment(4, ui::flexAlignRightCenter);
    vsLineas->setColAlignment(5, ui::flexAlignLeftCenter);
    vsLineas->setFlexSelection(ui::flexSelectionByRow);

    txtAlmacen->setContexto(empresa, conexion, modComun::usuarioActual());
    txtAlmacen->setCodigo(empresa->AlmacenDefecto());
    txtAlmacen->cargar();
    txtFecha->setText(host::FechaTexto(host::Reloj::hoy()));
    txtArticulo->setContexto(empresa, conexion, modComun::usuarioActual());

    servidorCentral_ = empresa->Parametro(QStringLiteral("ServidorCentral")).toString().trimmed();
    oficinaCentral_ = ParametroActivo(*empresa, QStringLiteral("OficinaCentral"));
    central_ = std::make_unique<DatosCentralRestos>(empresa);
    central_->servidor = servidorCentral_;
    MostrarEstimado();
    txtAlmacen->setEnabled(oficinaCentral_);
    BotonesLineas(false);
    CargarTemporal();
}

int64_t frmRepGrabRestos::ObtenerCodigo(bool Reservar)
{
    const auto empresa = modComun::empresa();
    GrabacionRestos grabacion(empresa, modComun::conexion());
    return grabacion.ObtenerCodigo(txtFecha->Date(), txtAlmacen->codigo(),
                                   ParametroActivo(*empresa, QStringLiteral("OficinaCentral")),
                                   Reservar);
}

void frmRepGrabRestos::MostrarEstimado()
{
    if (!txtFecha->IsValid())
        return;
    try {
        lblCodigo_Estimado->setText(QStringLiteral("Código Estimado: ")
                                    + QStringLiteral("%1").arg(ObtenerCodigo(false), 6, 10, QLatin1Char('0')));
    } catch (const std::exception& e) {
        if (!cargado_)
            throw;  // on opening, the host hears of it as the failure of Show
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

void frmRepGrabRestos::BotonesLineas(bool activos)
{
    for (QPushButton* b : {cmdEliminar, cmdModificar, cmdAceptar})
        b->setEnabled(activos);
}

void frmRepGrabRestos::CargarTemporal()
{
    const auto empresa = modComun::empresa();
    TemporalRestos temporal(modComun::conexion(), NroPuesto);
    if (const auto cab = temporal.cabecera()) {
        txtFecha->setText(host::FechaTexto(cab->fecha));
        txtAlmacen->setCodigo(cab->almacen);
        txtAlmacen->cargar();
        MostrarEstimado();
    }
    for (const TemporalRestos::Linea& l : temporal.lineas(empresa->CodigoEmpresaArticulos()))
        AgregarFila(l.articulo, l.descripcion, ObtenerPvp(l.articulo), l.unidades, l.concepto);
    if (vsLineas->Rows() > 1) {
        BotonesLineas(true);
        txtFecha->setEnabled(false);
        txtAlmacen->setEnabled(false);
    }
}

Money frmRepGrabRestos::ObtenerPvp(int32_t articulo)
{
    try {
        return ConsultaRestos(modComun::empresa(), modComun::conexion())
            .ObtenerPvp(txtAlmacen->codigo(), articulo);
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return Money();
    }
}

void frmRepGrabRestos::AgregarFila(int32_t articulo, const QString& descripcion, Money pvp,
                                   Money unidades, const QString& concepto)
{
    // Cell by cell: a concept may hold a tab, which AddItem would take for a column break.
    const int fila = vsLineas->Rows();
    vsLineas->setRows(fila + 1);
    vsLineas->setTextMatrix(fila, 0, QString::number(fila));
    vsLineas->setTextMatrix(fila, 1, QString::number(articulo));
    vsLineas->setTextMatrix(fila, 2, descripcion);
    vsLineas->setTextMatrix(fila, 3, host::NumeroTexto(pvp, modComun::empresa()->DecimalesPvp()));
    vsLineas->setTextMatrix(fila, 4, dosDecimales(unidades));
    vsLineas->setTextMatrix(fila, 5, concepto);
    unidades_.insert(articulo, unidades);
}

int frmRepGrabRestos::FilaDeArticulo(int32_t articulo) const
{
    for (int r = 1; r < vsLineas->Rows(); ++r) {
        if (vsLineas->TextMatrix(r, 1).toLongLong() == articulo)
            return r;
    }
    return -1;
}

void frmRepGrabRestos::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F9) {
        if (cmdAceptar->isEnabled())
            cmdAceptar_Click();
        return;
    }
    if (event->key() == Qt::Key_F12) {
        if (cmdCancelar->isEnabled())
            cmdCancelar_Click();
        return;
    }
    FormBase::keyPressEvent(event);
}

void frmRepGrabRestos::txtFecha_KeyPress(int tecla)
{
    if (tecla != 13)
        return;
    if (txtAlmacen->isEnabled())
        txtAlmacen->setFocus();
    else
        txtArticulo->setFocus();
}

void frmRepGrabRestos::MostrarPanel(const QString& texto)
{
    for (QLabel* l : {lblUxCaja, lblStock, lblSalidasHoy, lblRestosHoy, lblRestoCentral,
                      lblPrefacturado, lblTotalRep, lblStockCentral})
        l->setText(texto);
}

void frmRepGrabRestos::txtArticulo_KeyPress(int tecla)
{
    if (tecla != 13)
        return;
    if (!txtArticulo->valido()) {
        txtArticulo->setFocus();
        return;
    }
    const int32_t articulo = txtArticulo->codigo();
    const int16_t almacen = txtAlmacen->codigo();
    lblUxCaja->setText(QStringLiteral("--"));
    for (QLabel* l : {lblStock, lblSalidasHoy, lblRestosHoy})
        l->setText(dosDecimales(Money()));
    Money salidas;
    try {
        const auto panel = ConsultaRestos(modComun::empresa(), modComun::conexion())
                               .panel(almacen, articulo, host::Reloj::hoy(), oficinaCentral_);
        if (panel.uxCaja)
            lblUxCaja->setText(host::NumeroTexto(*panel.uxCaja, panel.uxCaja->scaled() % 10000 ? 2 : 0));
        lblStock->setText(dosDecimales(panel.stock));
        lblSalidasHoy->setText(dosDecimales(panel.salidasHoy));
        lblRestosHoy->setText(dosDecimales(panel.restosHoy));
        salidas = panel.pendienteHoy();
    } catch (const std::exception& e) {
        // The panel only informs: the line can still be typed.
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
    DatosCentralRestos::Figuras figuras;
    if (central_ && central_->RecuperarDatosCentral(almacen, articulo, figuras)) {
        lblRestoCentral->setText(dosDecimales(figuras.restoCentral));
        lblPrefacturado->setText(dosDecimales(figuras.prefacturado));
        lblStockCentral->setText(dosDecimales(figuras.stockCentral));
        lblTotalRep->setText(dosDecimales(figuras.restoCentral + figuras.prefacturado + salidas));
    } else {
        for (QLabel* l : {lblRestoCentral, lblPrefacturado, lblTotalRep, lblStockCentral})
            l->setText(QStringLiteral("X"));
    }
    host::SiguienteCampo();
}

bool frmRepGrabRestos::ValidarLinea(Money unidades)
{
    auto aviso = [](const QString& texto) {
        ui::MsgBox(texto, ui::vbExclamation | ui::vbOKOnly, kAtencion);
    };
    if (!txtFecha->IsValid()) {
        aviso(QStringLiteral("Especifique un valor de fecha válido"));
        txtFecha->setFocus();
        return false;
    }
    if (!txtAlmacen->valido()) {
        aviso(QStringLiteral("Debe especificar el almacén"));
        txtAlmacen->setFocus();
        return false;
    }
    if (!txtArticulo->valido()) {
        aviso(QStringLiteral("Debe especificar un artículo existente"));
        txtArticulo->setFocus();
        return false;
    }
    if (unidades == Money()) {
        aviso(QStringLiteral("Especifique las unidades que desea para el resto"));
        txtUnidades->setFocus();
        return false;
    }
    if (ConsultaRestos(modComun::empresa(), modComun::conexion())
            .bloqueado(txtAlmacen->codigo(), txtArticulo->codigo())) {
        aviso(QStringLiteral("El artículo no está en el surtido del almacén."));
        txtArticulo->setFocus();
        txtArticulo->seleccionarTexto();
        return false;
    }
    return true;
}

void frmRepGrabRestos::txtConcepto_KeyPress()
{
    // The value typed, to the box's four decimals; the grid shows it with two.
    const Money unidades = Money::fromDouble(txtUnidades->Value());
    const QString concepto = txtConcepto->text();
    try {
        if (!ValidarLinea(unidades))
            return;
        TemporalRestos temporal(modComun::conexion(), NroPuesto);
        if (!modificando_) {
            const int32_t articulo = txtArticulo->codigo();
            if (FilaDeArticulo(articulo) >= 0) {
                ui::MsgBox(QStringLiteral("El artículo especificado ya existe en la lista."),
                           ui::vbInformation | ui::vbOKOnly, kAtencion);
                txtArticulo->setFocus();
                return;
            }
            const Money pvp = ObtenerPvp(articulo);
            // Stored first: a line the scratch copy lacks would silently vanish on reopening.
            temporal.insertarLinea(articulo, unidades, concepto);
            if (txtFecha->isEnabled())
                temporal.guardarCabecera(txtFecha->Date(), txtAlmacen->codigo());
            AgregarFila(articulo, txtArticulo->descripcion(), pvp, unidades, concepto);
        } else {
            // The line chosen for the change, wherever the grid's cursor went meanwhile.
            const int fila = FilaDeArticulo(articuloModificado_);
            temporal.modificarLinea(articuloModificado_, unidades, concepto);
            if (fila >= 0) {
                vsLineas->setTextMatrix(fila, 4, dosDecimales(unidades));
                vsLineas->setTextMatrix(fila, 5, concepto);
            }
            unidades_.insert(articuloModificado_, unidades);
        }
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return;
    }
    ReiniciarEntrada();
}

void frmRepGrabRestos::ReiniciarEntrada()
{
    modificando_ = false;
    articuloModificado_ = 0;
    txtArticulo->setEnabled(true);
    txtArticulo->limpiar();
    txtUnidades->setText(QString());
    txtConcepto->clear();
    BotonesLineas(vsLineas->Rows() > 1);
    txtFecha->setEnabled(false);
    txtAlmacen->setEnabled(false);
    MostrarPanel(QStringLiteral("--"));
    txtArticulo->setFocus();
}

void frmRepGrabRestos::cmdModificar_Click()
{
    const int fila = vsLineas->Row();
    if (fila < 1 || fila >= vsLineas->Rows())
        return;
    modificando_ = true;
    articuloModificado_ = static_cast<int32_t>(vsLineas->TextMatrix(fila, 1).toLongLong());
    txtArticulo->setCodigoTexto(vsLineas->TextMatrix(fila, 1));
    txtArticulo->cargar();
    txtUnidades->setValue(unidades_.value(articuloModificado_).toDouble());
    txtConcepto->setText(vsLineas->TextMatrix(fila, 5));
    txtArticulo->setEnabled(false);
    // Until the change is stored no other line may be removed or picked for change.
    cmdEliminar->setEnabled(false);
    cmdModificar->setEnabled(false);
    txtUnidades->setFocus();
}

void frmRepGrabRestos::cmdEliminar_Click()
{
    const int fila = vsLineas->Row();
    if (fila < 1 || fila >= vsLineas->Rows())
        return;
    const int32_t articulo = static_cast<int32_t>(vsLineas->TextMatrix(fila, 1).toLongLong());
    try {
        TemporalRestos(modComun::conexion(), NroPuesto).eliminarLinea(articulo);
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return;
    }
    vsLineas->RemoveItem(fila);
    unidades_.remove(articulo);
    for (int r = 1; r < vsLineas->Rows(); ++r)
        vsLineas->setTextMatrix(r, 0, QString::number(r));
    if (vsLineas->Rows() <= 1)
        BotonesLineas(false);
    txtArticulo->setFocus();
}

void frmRepGrabRestos::cmdAceptar_Click()
{
    if (ui::MsgBox(QStringLiteral("Se procederá a conformar la reposición. ¿Desea continuar?"),
                   ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, kAtencion)
        != ui::vbYes)
        return;

    QVector<GrabacionRestos::Linea> lineas;
    for (int r = 1; r < vsLineas->Rows(); ++r) {
        const auto articulo = static_cast<int32_t>(vsLineas->TextMatrix(r, 1).toLongLong());
        lineas.append({articulo, unidades_.value(articulo), vsLineas->TextMatrix(r, 5)});
    }
    int64_t codigo = 0;
    try {
        // Reserved outside the transaction: a failed recording leaves its number unused.
        codigo = ObtenerCodigo(true);
        GrabacionRestos(modComun::empresa(), modComun::conexion())
            .grabar(codigo, txtFecha->Date(), txtAlmacen->codigo(), lineas, NroPuesto);
    } catch (const std::exception& e) {
        reposic::MsgOp(false);
        ui::MsgBox(QStringLiteral("Ha ocurrido un error durante la grabación de los restos. ")
                       + QStringLiteral("\r") + QString::fromUtf8(e.what()),
                   ui::vbExclamation | ui::vbOKOnly, kAtencion);
        return;
    }

    if (ui::MsgBox(QStringLiteral("¿Desea imprimir el documento?"), ui::vbYesNo | ui::vbQuestion,
                   QStringLiteral("¡Atención!"))
        == ui::vbYes) {
        try {
            ImprimirResto(codigo);
        } catch (const std::exception& e) {
            // The document is recorded and its scratch copy gone: say only printing failed,
            // and clear the screen so the same lines cannot be recorded a second time.
            reposic::MsgOp(false);
            ui::MsgBox(QStringLiteral("El documento de restos %1 se ha grabado, pero no se ha podido"
                                      " imprimir.")
                               .arg(codigo)
                           + QStringLiteral("\r") + QString::fromUtf8(e.what()),
                       ui::vbExclamation | ui::vbOKOnly, kAtencion);
        }
    }
    try {
        ReiniciarDocumento();
    } catch (const std::exception& e) {
        // The document is recorded; only the fresh screen for the next one failed to load.
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

void frmRepGrabRestos::ImprimirResto(int64_t Codigo)
{
    ImpresionRestos::ImprimirResto(txtAlmacen->codigo(), Codigo);
}

void frmRepGrabRestos::ReiniciarDocumento()
{
    BotonesLineas(false);
    vsLineas->setRows(1);
    unidades_.clear();
    modificando_ = false;
    articuloModificado_ = 0;
    txtArticulo->setEnabled(true);
    txtFecha->setEnabled(true);
    txtFecha->setText(host::FechaTexto(host::Reloj::hoy()));
    txtAlmacen->setEnabled(true);
    txtAlmacen->setCodigo(modComun::empresa()->AlmacenDefecto());
    txtAlmacen->cargar();
    MostrarEstimado();
    txtFecha->setFocus();
}

void frmRepGrabRestos::cmdCancelar_Click()
{
    if (vsLineas->Rows() > 1
        && ui::MsgBox(QStringLiteral("¿Esta seguro que desea cancelar la grabación?"),
                      ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2,
                      QStringLiteral("Confirmar"))
            != ui::vbYes)
        return;
    try {
        ui::ScreenPointer::setHourglass(true);
        db::Transaction tx(modComun::conexion());
        TemporalRestos(modComun::conexion(), NroPuesto).borrar();
        tx.commit();
        ui::ScreenPointer::setHourglass(false);
    } catch (const std::exception& e) {
        ui::ScreenPointer::setHourglass(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return;
    }
    descargar();
}
