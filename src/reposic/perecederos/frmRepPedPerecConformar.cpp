#include "reposic/perecederos/frmRepPedPerecConformar.h"
#include "reposic/frame/Nombrar.h"

#include "host/ParametroError.h"
#include "host/Reloj.h"
#include "host/Utilidades.h"
#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorArticulo.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/modComun.h"
#include "reposic/frame/modMsgOp.h"
#include "reposic/perecederos/ImpresionPedidoPerecedero.h"
#include "reposic/perecederos/PedidoCentral.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

namespace {

using reposic::nombrar;

const QString kAtencion = QStringLiteral("¡ Atención !");
constexpr int kCodigo = 0, kDescripcion = 1, kUxC = 2, kCajas = 3, kUnidades = 4;

// Quantities are typed and shown with a decimal comma.
double numero(const QString& texto)
{
    QString t = texto.trimmed();
    if (t.contains(QLatin1Char(','))) {
        t.remove(QLatin1Char('.'));
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    return reposic::ValorTexto(t);
}

QString dosDecimales(db::Money m)
{
    return QString::number(m.toDouble(), 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString siPositivo(int64_t v) { return v > 0 ? QString::number(v) : QString(); }

bool esVerdadero(const QVariant& v)
{
    const QString t = v.toString().trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("s") || t == QLatin1String("si")
        || t == QLatin1String("sí") || t == QLatin1String("verdadero"))
        return true;
    return reposic::ValorTexto(t) != 0;
}

// A parameter the host does not have counts as not set: the screen then says what is missing.
QVariant parametro(const QString& nombre)
{
    try {
        return modComun::empresa()->Parametro(nombre);
    } catch (const host::ParametroError&) {
        return {};
    }
}

}  // namespace

frmRepPedPerecConformar::frmRepPedPerecConformar(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepPedPerecConformar"));
    setWindowTitle(QStringLiteral("Pedidos de Perecederos"));

    cboTipo = nombrar(new QComboBox(this), "cboTipo");
    txtAlmacen = nombrar(new host::SelectorAlmacen(this), "txtAlmacen");
    fraDatos = nombrar(new QGroupBox(this), "fraDatos");
    txtArticulo = nombrar(new host::SelectorArticulo(fraDatos), "txtArticulo");
    txtBultos = nombrar(new QLineEdit(fraDatos), "txtBultos");
    txtUnidades = nombrar(new QLineEdit(fraDatos), "txtUnidades");
    lblUxCaja = nombrar(new QLabel(QStringLiteral("UxCaja: "), fraDatos), "lblUxCaja");
    vsP = nombrar(new ui::FlexGrid(this), "vsP");
    lblI = nombrar(new QLabel(QStringLiteral("PEDIDO CERRADO PENDIENTE DE PROCESO EN LA CENTRAL."),
                              this), "lblI");
    cmdEliminar = nombrar(new QPushButton(QStringLiteral("&Eliminar"), this), "cmdEliminar");
    cmdCerrarPedido = nombrar(new QPushButton(QStringLiteral("&Cerrar Pedido"), this), "cmdCerrarPedido");
    cmdImprimir = nombrar(new QPushButton(QStringLiteral("&Imprimir"), this), "cmdImprimir");
    cmdSalir = nombrar(new QPushButton(QStringLiteral("&Salir"), this), "cmdSalir");
    lblI->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0); font-weight: bold;"));
    lblI->setVisible(false);

    auto* cabecera = new QGridLayout;
    cabecera->addWidget(new QLabel(QStringLiteral("Tipo"), this), 0, 0);
    cabecera->addWidget(cboTipo, 0, 1);
    cabecera->addWidget(new QLabel(QStringLiteral("Almacén"), this), 1, 0);
    cabecera->addWidget(txtAlmacen, 1, 1);
    auto* datos = new QGridLayout(fraDatos);
    datos->addWidget(new QLabel(QStringLiteral("Artículo"), fraDatos), 0, 0);
    datos->addWidget(txtArticulo, 0, 1, 1, 3);
    datos->addWidget(new QLabel(QStringLiteral("Cajas"), fraDatos), 1, 0);
    datos->addWidget(txtBultos, 1, 1);
    datos->addWidget(new QLabel(QStringLiteral("Unidades"), fraDatos), 1, 2);
    datos->addWidget(txtUnidades, 1, 3);
    datos->addWidget(lblUxCaja, 2, 0, 1, 4);
    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdEliminar);
    botones->addWidget(cmdCerrarPedido);
    botones->addWidget(cmdImprimir);
    botones->addStretch();
    botones->addWidget(cmdSalir);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(cabecera);
    raiz->addWidget(fraDatos);
    raiz->addWidget(vsP, 1);
    raiz->addWidget(lblI);
    raiz->addLayout(botones);
    resize(720, 560);

    cboTipo->installEventFilter(this);
    txtBultos->installEventFilter(this);
    txtUnidades->installEventFilter(this);
    connect(cboTipo, &QComboBox::currentIndexChanged, this, [this] { cboTipo_Click(); });
    connect(txtAlmacen, &host::SelectorBase::cambio, this, [this] { almacenCambiado(); });
    connect(txtArticulo, &host::SelectorBase::teclaPulsada, this, [this](int tecla) {
        if (tecla == 13)
            txtArticulo_KeyPress();
    });
    connect(cmdEliminar, &QPushButton::clicked, this, &frmRepPedPerecConformar::cmdEliminar_Click);
    connect(cmdCerrarPedido, &QPushButton::clicked, this,
            &frmRepPedPerecConformar::cmdCerrarPedido_Click);
    connect(cmdImprimir, &QPushButton::clicked, this, &frmRepPedPerecConformar::cmdImprimir_Click);
    connect(cmdSalir, &QPushButton::clicked, this, &frmRepPedPerecConformar::cmdSalir_Click);
}

frmRepPedPerecConformar::~frmRepPedPerecConformar() = default;


void frmRepPedPerecConformar::error(const std::exception& e)
{
    ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
}

void frmRepPedPerecConformar::descargarLuego()
{
    // Not from inside the show that is still under way: the window would be mapped afterwards.
    QMetaObject::invokeMethod(this, [this] { descargar(); }, Qt::QueuedConnection);
}

void frmRepPedPerecConformar::Form_Load()
{
    vsP->setCols(5);
    vsP->setRows(1);
    vsP->setFixedRows(1);
    const QStringList titulos{QStringLiteral("Código"), QStringLiteral("Descripción"),
                              QStringLiteral("UxC"), QStringLiteral("Cajas"), QStringLiteral("Unidades")};
    const int anchos[] = {1000, 5500, 500, 800};
    for (int c = 0; c < 5; ++c) {
        vsP->setTextMatrix(0, c, titulos[c]);
        vsP->setFixedAlignment(c, ui::flexAlignCenterCenter);
        if (c < 4)
            vsP->setColWidth(c, anchos[c]);
    }
    vsP->setFlexSelection(ui::flexSelectionByRow);

    const QString servidor = parametro(QStringLiteral("ServidorCentral")).toString().trimmed();
    oficinaCentral_ = esVerdadero(parametro(QStringLiteral("OficinaCentral")));
    if (servidor.isEmpty()) {
        ui::MsgBox(QStringLiteral("No se ha configurado el nombre o dirección IP del servidor central"),
                   ui::vbExclamation | ui::vbOKOnly, kAtencion);
        descargarLuego();
        return;
    }
    try {
        central_ = db::Connection::create();
        central_->setCommandTimeout(5);
        central_->setConnectionTimeout(5);
        // Each value quoted where it must be: a ';' or a quote in a password stays in it.
        using db::ConnectionString;
        central_->open(QStringLiteral("Provider=SQLOLEDB;Server=")
                       + ConnectionString::quoteOleDb(servidor)
                       + QStringLiteral(";Database=Calbra;User Id=")
                       + ConnectionString::quoteOleDb(modComun::usuario())
                       + QStringLiteral(";Password=")
                       + ConnectionString::quoteOleDb(modComun::password()) + QStringLiteral(";"));
    } catch (const std::exception& e) {
        // Without the central office there is no order to show or change.
        central_.reset();
        ui::MsgBox(QStringLiteral("No se ha podido conectar con el servidor central \"%1\".\r\n%2")
                       .arg(servidor, QString::fromUtf8(e.what())),
                   ui::vbCritical | ui::vbOKOnly, kAtencion);
        descargarLuego();
        return;
    }

    try {
        const auto empresa = modComun::empresa();
        txtArticulo->setContexto(empresa, modComun::conexion(), modComun::usuarioActual());
        txtAlmacen->setContexto(empresa, modComun::conexion(), modComun::usuarioActual());
        if (!oficinaCentral_) {
            txtAlmacen->setCodigo(empresa->AlmacenDefecto());
            txtAlmacen->refrescar();
            txtAlmacen->setEnabled(false);
        }
        db::Recordset rs(central_, "SELECT Codigo, Nombre FROM Pedidos_Central_Tipos WHERE Codigo > 0");
        for (; !rs.eof(); rs.moveNext())
            cboTipo->addItem(rs.field(QStringLiteral("Nombre")).toText(),
                             rs.field(QStringLiteral("Codigo")).toInt());
        rs.close();
        if (cboTipo->count() > 0)
            cboTipo->setCurrentIndex(0);
        if (cboTipo->currentIndex() >= 0 && txtAlmacen->codigo() > 0)
            CargarPedido();
    } catch (const std::exception& e) {
        error(e);
    }
    cargado_ = true;
}

int16_t frmRepPedPerecConformar::tipoElegido() const
{
    return static_cast<int16_t>(cboTipo->currentData().toInt());
}

void frmRepPedPerecConformar::cboTipo_Click()
{
    if (cboTipo->currentIndex() >= 0 && txtAlmacen->codigo() >= 1 && cargado_)
        CargarPedido();
}

void frmRepPedPerecConformar::almacenCambiado()
{
    if (cargado_ && cboTipo->currentIndex() >= 0 && txtAlmacen->valido())
        CargarPedido();
}

void frmRepPedPerecConformar::habilitarEdicion(bool si)
{
    cmdEliminar->setEnabled(si);
    cmdCerrarPedido->setEnabled(si);
    fraDatos->setEnabled(si);
}

void frmRepPedPerecConformar::CargarPedido()
{
    if (!central_)
        return;
    vsP->setRows(1);
    vsP->setRedraw(false);
    cerrado_ = false;
    try {
        const auto empresa = modComun::empresa();
        db::Recordset rs(central_,
            "SELECT a.Cod_Articulo, a.Cantidad, a.Cerrado, b.Descripcion, b.UxCaja"
            " FROM Pedidos_Central a"
            " INNER JOIN Articulos b"
            " ON b.Cod_Empresa =" + QString::number(empresa->CodigoEmpresaArticulos())
            + " AND a.Cod_Articulo = b.Codigo"
            " WHERE a.Cod_Empresa =" + QString::number(empresa->CodigoEmpresa())
            + " AND a.Cod_Almacen =" + QString::number(txtAlmacen->codigo())
            + " AND a.Cod_Tipo =" + QString::number(tipoElegido())
            + " ORDER BY b.Familia_1, b.Familia_2, b.Familia_3");
        for (; !rs.eof(); rs.moveNext()) {
            cerrado_ = rs.field(QStringLiteral("Cerrado")).toBool();
            const db::Money cantidad = rs.field(QStringLiteral("Cantidad")).toMoney();
            const int64_t uxc = rs.field(QStringLiteral("UxCaja")).toMoney().toIntBankers();
            const int64_t cajas = uxc > 0 ? cantidad.toIntBankers() / uxc : 0;
            vsP->AddItem(rs.field(QStringLiteral("Cod_Articulo")).toText() + '\t'
                         + rs.field(QStringLiteral("Descripcion")).toText() + '\t' + siPositivo(uxc)
                         + '\t' + siPositivo(cajas) + '\t' + dosDecimales(cantidad));
        }
    } catch (const std::exception& e) {
        vsP->setRedraw(true);
        error(e);
        return;
    }
    vsP->setRedraw(true);
    habilitarEdicion(true);
    if (!oficinaCentral_ && cerrado_)
        habilitarEdicion(false);
    lblI->setVisible(cerrado_);
}

bool frmRepPedPerecConformar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(event)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            if (watched == cboTipo) {
                host::SiguienteCampo();
                return true;
            }
            if (watched == txtBultos) {
                txtBultos_KeyPress();
                return true;
            }
            if (watched == txtUnidades) {
                txtUnidades_KeyPress();
                return true;
            }
        }
    }
    return FormBase::eventFilter(watched, event);
}

void frmRepPedPerecConformar::txtArticulo_KeyPress()
{
    uxCaja_ = 0;
    try {
        if (!txtArticulo->valido())
            return;
        db::Recordset rs(modComun::conexion(),
                         "SELECT UxCaja FROM Articulos WHERE Cod_Empresa ="
                             + QString::number(modComun::empresa()->CodigoEmpresaArticulos())
                             + " AND Codigo =" + QString::number(txtArticulo->codigo()));
        if (!rs.eof()) {
            uxCaja_ = static_cast<int16_t>(rs.field(QStringLiteral("UxCaja")).toMoney().toIntBankers());
            lblUxCaja->setText(QStringLiteral("UxCaja: %1").arg(uxCaja_));
        }
    } catch (const std::exception& e) {
        error(e);
        return;
    }
    if (uxCaja_ != 0)
        txtBultos->setFocus();
    else
        txtUnidades->setFocus();
}

void frmRepPedPerecConformar::txtBultos_KeyPress()
{
    const double cajas = numero(txtBultos->text());
    if (cajas > 9999) {
        txtBultos->clear();
        txtBultos->setFocus();
        return;
    }
    if (cajas > 0 && uxCaja_ > 0) {
        lblUxCaja->setText(QStringLiteral("UxCaja: %1x%2 = %3")
                               .arg(uxCaja_)
                               .arg(QString::number(cajas))
                               .arg(QString::number(cajas * uxCaja_, 'f', 0)));
        host::SiguienteCampo();
    }
}

void frmRepPedPerecConformar::txtUnidades_KeyPress()
{
    const double cajas = numero(txtBultos->text());
    if (cajas > 9999) {
        // A box count refused on its own field must not slip in through the units field.
        txtBultos->clear();
        txtBultos->setFocus();
        return;
    }
    const db::Money total = db::Money::fromDouble(cajas * uxCaja_ + numero(txtUnidades->text()));
    if (total == db::Money())
        return;
    const int64_t cajasTotal = uxCaja_ > 0 ? total.toIntBankers() / uxCaja_ : 0;
    if (!txtArticulo->valido()) {
        ui::MsgBox(QStringLiteral("Especifique un código de artículo correcto"),
                   ui::vbExclamation | ui::vbOKOnly, kAtencion);
        txtArticulo->setFocus();
        return;
    }
    const int32_t articulo = txtArticulo->codigo();
    try {
        // Stored first: the grid then never shows units the central office does not have.
        PedidoCentral pedido(central_, modComun::empresa()->CodigoEmpresa(), txtAlmacen->codigo(),
                             tipoElegido());
        pedido.anadir(articulo, total, cerrado_);
    } catch (const std::exception& e) {
        error(e);
        return;
    }
    int fila = -1;
    for (int r = vsP->FixedRows(); r < vsP->Rows(); ++r) {
        if (static_cast<int64_t>(reposic::ValorTexto(vsP->TextMatrix(r, kCodigo))) == articulo) {
            fila = r;
            break;
        }
    }
    if (fila >= 0) {
        const QString cajasTexto = vsP->TextMatrix(fila, kCajas).trimmed();
        bool esNumero = false;
        const qlonglong cajasAntes = cajasTexto.toLongLong(&esNumero);
        if (esNumero)
            vsP->setTextMatrix(fila, kCajas, QString::number(cajasAntes + cajasTotal));
        const db::Money antes = db::Money::fromDouble(numero(vsP->TextMatrix(fila, kUnidades)));
        vsP->setTextMatrix(fila, kUnidades, dosDecimales(antes + total));
    } else {
        vsP->AddItem(QString::number(articulo) + '\t' + txtArticulo->descripcion() + '\t'
                     + siPositivo(uxCaja_) + '\t' + siPositivo(cajasTotal) + '\t' + dosDecimales(total));
    }
    txtArticulo->reiniciar();
    txtBultos->clear();
    txtUnidades->clear();
    cmdEliminar->setEnabled(true);
    lblUxCaja->setText(QStringLiteral("UxCaja: "));
    uxCaja_ = 0;
    txtArticulo->lineaTexto()->setFocus();
}

void frmRepPedPerecConformar::cmdEliminar_Click()
{
    const int fila = vsP->Row();
    if (fila < vsP->FixedRows() || fila >= vsP->Rows())
        return;
    try {
        PedidoCentral pedido(central_, modComun::empresa()->CodigoEmpresa(), txtAlmacen->codigo(),
                             tipoElegido());
        pedido.eliminar(static_cast<int32_t>(reposic::ValorTexto(vsP->TextMatrix(fila, kCodigo))));
        vsP->RemoveItem(fila);
    } catch (const std::exception& e) {
        error(e);
        return;
    }
    cmdEliminar->setEnabled(vsP->Rows() > vsP->FixedRows());
    txtArticulo->lineaTexto()->setFocus();
}

void frmRepPedPerecConformar::cmdCerrarPedido_Click()
{
    if (ui::MsgBox(QStringLiteral("¿Esta seguro que desea cerrar el pedido?"),
                   ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, kAtencion) != ui::vbYes)
        return;
    try {
        PedidoCentral(central_, modComun::empresa()->CodigoEmpresa(), txtAlmacen->codigo(),
                      tipoElegido())
            .cerrar();
    } catch (const std::exception& e) {
        error(e);
        return;
    }
    if (!oficinaCentral_)
        habilitarEdicion(false);
    cerrado_ = true;
    lblI->setVisible(true);
}

void frmRepPedPerecConformar::cmdImprimir_Click()
{
    if (vsP->Rows() <= vsP->FixedRows())
        return;
    try {
        reposic::MsgOp(true, QStringLiteral("Imprimiendo pedido, espere por favor..."));
        const auto empresa = modComun::empresa();
        ImpresionPedidoPerecedero impresion;
        impresion.empresa = empresa->CodigoEmpresa();
        impresion.nombreEmpresa = empresa->NombreEmpresa();
        impresion.almacen = txtAlmacen->codigo();
        impresion.nombreAlmacen = txtAlmacen->nombre();
        impresion.tipo = cboTipo->currentText();
        impresion.fecha = host::Reloj::hoy();
        for (int r = vsP->FixedRows(); r < vsP->Rows(); ++r) {
            QStringList linea;
            for (int c = 0; c < 5; ++c)
                linea << vsP->TextMatrix(r, c);
            impresion.lineas.push_back(linea);
        }
        impresion.imprimir();
        reposic::MsgOp(false);
    } catch (const std::exception& e) {
        // The order itself is untouched; only the paper did not come out.
        reposic::MsgOp(false);
        ui::MsgBox(QStringLiteral("No se ha podido imprimir el pedido.\r\n%1").arg(QString::fromUtf8(e.what())),
                   ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

void frmRepPedPerecConformar::cmdSalir_Click() { descargar(); }

void frmRepPedPerecConformar::Form_Unload()
{
    if (central_ && central_->isOpen())
        central_->close();
    central_.reset();
}
