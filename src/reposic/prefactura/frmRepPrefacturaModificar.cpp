#include "reposic/prefactura/frmRepPrefacturaModificar.h"
#include "reposic/frame/Nombrar.h"

#include "host/Reloj.h"
#include "host/Utilidades.h"
#include "host/components/Articulo.h"
#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorArticulo.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MaskedDateBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NumericBox.h"
#include "reposic/frame/modComun.h"
#include "reposic/prefactura/CierrePrefactura.h"
#include "reposic/prefactura/LineaPrefactura.h"
#include "reposic/prefactura/frmRepPrefacturaGenerar.h"
#include "reposic/prefactura/frmRepPrefacturaModificarBuscar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using db::Money;
using reposic::modComun;

namespace {

using reposic::nombrar;

const QString kAtencion = QStringLiteral("¡ Atención !");
const QString kSurtido = QStringLiteral("El artículo no está en el surtido del almacén de destino");

// Units travel through the grid as plain numbers so they read back exactly.
QString textoUnidades(Money m) { return m.toSql(); }
Money unidadesDe(const QString& texto)
{
    return texto.trimmed().isEmpty() ? Money() : Money::parse(texto.trimmed());
}
// The numeric boxes take a decimal comma.
QString textoCaja(Money m) { return m.toSql().replace(QLatin1Char('.'), QLatin1Char(',')); }

int64_t cajasDe(Money unidades, Money uxCaja)
{
    return uxCaja == Money() ? 0 : unidades.scaled() / uxCaja.scaled();
}

}  // namespace

frmRepPrefacturaModificar::frmRepPrefacturaModificar(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepPrefacturaModificar"));
    setWindowTitle(QStringLiteral("Modificación de Prefactura Reposición"));

    SSTab = nombrar(new QTabWidget(this), "SSTab");
    auto* pagina = new QWidget(SSTab);
    SSTab->addTab(pagina, QStringLiteral("Prefactura"));

    txtCodigo = nombrar(new ui::NumericBox(pagina), "txtCodigo");
    txtCodigo->setDecimales(0);
    txtCodigo->setReadOnly(true);
    txtFecha = nombrar(new ui::MaskedDateBox(pagina), "txtFecha");
    txtFecha->setReadOnly(true);
    lblAlmacenO = nombrar(new QLabel(QStringLiteral("Almacén Origen"), pagina), "lblAlmacenO");
    txtAlmacenO = nombrar(new host::SelectorAlmacen(pagina), "txtAlmacenO");
    lblAlmacenD = nombrar(new QLabel(QStringLiteral("Almacén Destino"), pagina), "lblAlmacenD");
    txtAlmacenD = nombrar(new host::SelectorAlmacen(pagina), "txtAlmacenD");
    txtObserv = nombrar(new QLineEdit(pagina), "txtObserv");
    txtObserv->setMaxLength(255);
    vsLineas = nombrar(new ui::FlexGrid(pagina), "vsLineas");

    fraLin = nombrar(new QGroupBox(pagina), "fraLin");
    txtArticulo = nombrar(new host::SelectorArticulo(fraLin), "txtArticulo");
    txtBultos = nombrar(new ui::NumericBox(fraLin), "txtBultos");
    txtBultos->setDecimales(0);
    txtUnidades = nombrar(new ui::NumericBox(fraLin), "txtUnidades");
    chkRestos = nombrar(new QCheckBox(QStringLiteral("Restos"), fraLin), "chkRestos");
    lblInf_Bultos = nombrar(new QLabel(fraLin), "lblInf_Bultos");
    lblInf_Stock = nombrar(new QLabel(fraLin), "lblInf_Stock");
    lblInf_StockD = nombrar(new QLabel(fraLin), "lblInf_StockD");

    cmdNuevo = nombrar(new QPushButton(QStringLiteral("&Nuevo"), pagina), "cmdNuevo");
    cmdBuscar = nombrar(new QPushButton(QStringLiteral("&Buscar"), pagina), "cmdBuscar");
    cmdModificar = nombrar(new QPushButton(QStringLiteral("&Modificar"), pagina), "cmdModificar");
    cmdEliminar = nombrar(new QPushButton(QStringLiteral("&Eliminar"), pagina), "cmdEliminar");
    cmdAnular = nombrar(new QPushButton(QStringLiteral("A&nular"), pagina), "cmdAnular");
    cmdAceptar = nombrar(new QPushButton(QStringLiteral("&Aceptar (F9)"), pagina), "cmdAceptar");
    cmdSalir = nombrar(new QPushButton(QStringLiteral("&Salir"), pagina), "cmdSalir");
    for (QPushButton* b : {cmdNuevo, cmdBuscar, cmdModificar, cmdEliminar, cmdAnular, cmdAceptar, cmdSalir})
        b->setAutoDefault(false);

    auto* cab = new QGridLayout;
    cab->addWidget(new QLabel(QStringLiteral("Código"), pagina), 0, 0);
    cab->addWidget(txtCodigo, 0, 1);
    cab->addWidget(new QLabel(QStringLiteral("Fecha"), pagina), 0, 2);
    cab->addWidget(txtFecha, 0, 3);
    cab->addWidget(lblAlmacenO, 1, 0);
    cab->addWidget(txtAlmacenO, 1, 1, 1, 3);
    cab->addWidget(lblAlmacenD, 2, 0);
    cab->addWidget(txtAlmacenD, 2, 1, 1, 3);
    cab->addWidget(new QLabel(QStringLiteral("Observaciones"), pagina), 3, 0);
    cab->addWidget(txtObserv, 3, 1, 1, 3);

    auto* lin = new QGridLayout(fraLin);
    lin->addWidget(new QLabel(QStringLiteral("Artículo"), fraLin), 0, 0);
    lin->addWidget(new QLabel(QStringLiteral("Cajas"), fraLin), 0, 1);
    lin->addWidget(new QLabel(QStringLiteral("Unidades"), fraLin), 0, 2);
    lin->addWidget(txtArticulo, 1, 0);
    lin->addWidget(txtBultos, 1, 1);
    lin->addWidget(txtUnidades, 1, 2);
    lin->addWidget(chkRestos, 1, 3);
    lin->addWidget(lblInf_Bultos, 2, 0);
    lin->addWidget(lblInf_Stock, 2, 1);
    lin->addWidget(lblInf_StockD, 2, 2, 1, 2);

    auto* botones = new QHBoxLayout;
    for (QPushButton* b : {cmdNuevo, cmdBuscar, cmdModificar, cmdEliminar, cmdAnular})
        botones->addWidget(b);
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdSalir);

    auto* cuerpo = new QVBoxLayout(pagina);
    cuerpo->addLayout(cab);
    cuerpo->addWidget(vsLineas, 1);
    cuerpo->addWidget(fraLin);
    cuerpo->addLayout(botones);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(SSTab);
    resize(980, 620);

    // Until something is loaded: the empty state, warehouses not editable.
    txtAlmacenO->setEditable(false);
    txtAlmacenD->setEditable(false);
    estadoBotones(false);

    connect(cmdNuevo, &QPushButton::clicked, this, &frmRepPrefacturaModificar::cmdNuevo_Click);
    connect(cmdBuscar, &QPushButton::clicked, this, &frmRepPrefacturaModificar::cmdBuscar_Click);
    connect(cmdModificar, &QPushButton::clicked, this, &frmRepPrefacturaModificar::cmdModificar_Click);
    connect(cmdEliminar, &QPushButton::clicked, this, &frmRepPrefacturaModificar::cmdEliminar_Click);
    connect(cmdAnular, &QPushButton::clicked, this, &frmRepPrefacturaModificar::cmdAnular_Click);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmRepPrefacturaModificar::cmdAceptar_Click);
    connect(cmdSalir, &QPushButton::clicked, this, &frmRepPrefacturaModificar::cmdSalir_Click);
    connect(txtArticulo, &host::SelectorBase::cambio, this, [this] {
        if (txtArticulo->texto().trimmed().isEmpty())
            limpiarPanel();
    });
    connect(txtArticulo, &host::SelectorBase::teclaPulsada, this, [this](int tecla) {
        if (tecla == 13)
            protegido([this] { txtArticulo_KeyPress(); });
    });
    connect(txtBultos, &ui::NumericBox::KeyPress, this, [this](int tecla) {
        if (tecla == 13)
            protegido([this] { txtBultos_KeyPress(); });
    });
    connect(txtUnidades, &ui::NumericBox::KeyPress, this, [this](int tecla) {
        if (tecla == 13)
            protegido([this] { txtUnidades_KeyPress(); });
    });
}

// Handlers run from the event loop: a failure is shown where the user acted, never let through.
template <class F>
void frmRepPrefacturaModificar::protegido(F&& accion)
{
    try {
        accion();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

void frmRepPrefacturaModificar::Form_Load()
{
    protegido([this] { cargar(); });
}

void frmRepPrefacturaModificar::cargar()
{
    cargada_ = true;
    // F9 must reach the form from whichever control has the focus, and Enter on the check box
    // commits the line.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);

    const auto empresa = modComun::empresa();
    const auto conexion = modComun::conexion();
    txtArticulo->setEmpresa(empresa);
    txtArticulo->setConexion(conexion);
    txtAlmacenO->setContexto(empresa, conexion, modComun::usuarioActual());
    txtAlmacenO->setCodigo(empresa->AlmacenDefecto());
    txtAlmacenO->refrescar();
    txtAlmacenD->setContexto(empresa, conexion, modComun::usuarioActual());

    vsLineas->setRows(1);
    vsLineas->setCols(8);
    const QStringList titulos = {QStringLiteral("Código"), QStringLiteral("Descripción"),
                                 QStringLiteral("EAN"), QStringLiteral("Ubicacion"),
                                 QStringLiteral("Stock"), QStringLiteral("Cajas"),
                                 QStringLiteral("UxC"), QStringLiteral("Unidades")};
    for (int c = 0; c < titulos.size(); ++c)
        vsLineas->setTextMatrix(0, c, titulos[c]);
    vsLineas->setColAlignment(2, ui::flexAlignCenterCenter);
    vsLineas->setColAlignment(3, ui::flexAlignCenterCenter);
    const int anchos[] = {800, 4500, 1400, 1100, 1000, 600, 500, 1300};
    for (int c = 0; c < 8; ++c)
        vsLineas->setColWidth(c, anchos[c]);
    for (int c = 0; c < 8; ++c)
        vsLineas->setCellAlignment(0, c, ui::flexAlignCenterCenter);

    cabecera_.cEmpresa(empresa);
    cabecera_.Conexion(conexion);
    cargarPrefacturaPedida();
}

void frmRepPrefacturaModificar::AbrirPrefactura(int16_t origen, int64_t codigo)
{
    Cod_Almacen = origen;
    Codigo = codigo;
    // Once loaded the form does not load again when shown: a screen already open must still
    // show the pre-invoice the viewer chose, not the one it had.
    if (cargada_)
        protegido([this] { cargarPrefacturaPedida(); });
}

void frmRepPrefacturaModificar::cargarPrefacturaPedida()
{
    const auto empresa = modComun::empresa();
    const auto conexion = modComun::conexion();
    if (Codigo > 0) {
        db::Recordset rs(conexion, "SELECT Fecha, Cod_AlmacenD, Observaciones FROM Reposicion_Pref"
                                   " WHERE Cod_Empresa =" + QString::number(empresa->CodigoEmpresa())
                                       + " AND Cod_Almacen =" + QString::number(Cod_Almacen)
                                       + " AND Codigo =" + QString::number(Codigo));
        if (!rs.eof()) {
            txtObserv->setText(rs.field(QStringLiteral("Observaciones")).toText());
            const QDate fecha = rs.field(QStringLiteral("Fecha")).toDate();
            const auto destino = static_cast<int16_t>(rs.field(QStringLiteral("Cod_AlmacenD")).toInt());
            rs.close();
            mostrarPrefactura(Cod_Almacen, Codigo, fecha, destino);
        }
    }
}

void frmRepPrefacturaModificar::mostrarPrefactura(int16_t origen, int64_t codigo, const QDate& fecha,
                                                  int16_t destino)
{
    txtCodigo->setText(QString::number(codigo));
    txtFecha->setText(host::FechaTexto(fecha));
    txtAlmacenO->setCodigo(origen);
    txtAlmacenO->refrescar();
    txtAlmacenD->setCodigo(destino);
    txtAlmacenD->refrescar();
    // A pre-invoice that exists keeps its warehouses.
    txtAlmacenO->setEditable(false);
    txtAlmacenD->setEditable(false);
    cabecera_.Almacen = origen;
    cabecera_.AlmacenDestino = destino;
    cabecera_.Fecha = fecha;
    cabecera_.Codigo = codigo;
    CargarLineas();
}

void frmRepPrefacturaModificar::CargarLineas()
{
    vsLineas->setRows(1);
    vsLineas->setRedraw(false);
    try {
        const auto empresa = modComun::empresa();
        const QString empresaArt = QString::number(empresa->CodigoEmpresaArticulos());
        db::Recordset rs(modComun::conexion(),
            "SELECT a.Cod_Articulo, a.Unidades, b.Descripcion, b.UxCaja,"
            " ISNULL(c.Cod_Barras, '') AS EAN, aa.Ubicacion, aa.Stock_Actual"
            " FROM Reposicion_Pref_Lineas a "
            " INNER JOIN Articulos b"
            " ON b.Cod_Empresa = " + empresaArt + " AND a.Cod_Articulo = b.Codigo"
            " INNER JOIN Almacen_Articulos aa"
            " ON a.Cod_Empresa = aa.Cod_Empresa AND a.Cod_Almacen = aa.Cod_Almacen"
            " AND a.Cod_Articulo = aa.Cod_Articulo"
            " LEFT JOIN Articulos_CBarras c"
            " ON c.Cod_Empresa = " + empresaArt + " AND a.Cod_Articulo = c.Cod_Articulo AND c.Principal = 1"
            " WHERE a.Cod_Empresa =" + QString::number(empresa->CodigoEmpresa())
            + " AND a.Cod_Almacen =" + QString::number(txtAlmacenO->codigo())
            + " AND a.Codigo =" + QString::number(static_cast<int64_t>(txtCodigo->Value()))
            + " ORDER BY aa.Ubicacion, b.Familia_1, b.Familia_2, b.Familia_3");
        for (; !rs.eof(); rs.moveNext()) {
            const QString u = rs.field(QStringLiteral("Ubicacion")).toText();
            const Money unidades = rs.field(QStringLiteral("Unidades")).toMoney();
            const Money uxCaja = rs.field(QStringLiteral("UxCaja")).toMoney();
            QStringList celdas;
            celdas << rs.field(QStringLiteral("Cod_Articulo")).toText()
                   << rs.field(QStringLiteral("Descripcion")).toText()
                   << rs.field(QStringLiteral("EAN")).toText()
                   << u.left(3) + QLatin1Char('-') + u.mid(3, 2) + QLatin1Char('-') + u.right(3)
                   << host::NumeroTexto(rs.field(QStringLiteral("Stock_Actual")).toMoney(), 2)
                   << QString::number(cajasDe(unidades, uxCaja)) << textoUnidades(uxCaja)
                   << textoUnidades(unidades);
            vsLineas->AddRow(celdas);
        }
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbOKOnly | ui::vbCritical, kAtencion);
    }
    // Also after a failure: the buttons follow the rows that did load.
    vsLineas->setRedraw(true);
    estadoBotones(vsLineas->Rows() >= 2);
}

void frmRepPrefacturaModificar::botonesDeLineas(bool conLineas)
{
    for (QPushButton* b : {cmdEliminar, cmdModificar, cmdAceptar, cmdAnular})
        b->setEnabled(conLineas);
}

void frmRepPrefacturaModificar::estadoBotones(bool conLineas)
{
    botonesDeLineas(conLineas);
    cmdNuevo->setEnabled(!conLineas);
}

void frmRepPrefacturaModificar::limpiarPantalla()
{
    txtCodigo->setText(QString());
    txtFecha->setText(QString());
    txtObserv->clear();
    txtAlmacenO->setCodigo(0);
    txtAlmacenD->setCodigo(0);
    txtAlmacenO->setEditable(false);
    txtAlmacenD->setEditable(false);
    vsLineas->setRows(1);
    estadoBotones(false);
    cabecera_.Almacen = 0;
    cabecera_.AlmacenDestino = 0;
    cabecera_.Codigo = 0;
    cmdNuevo->setFocus();
}

void frmRepPrefacturaModificar::cmdNuevo_Click()
{
    txtAlmacenO->setEditable(true);
    txtAlmacenD->setEditable(true);
    txtAlmacenO->setFocus();
}

void frmRepPrefacturaModificar::cmdBuscar_Click()
{
    protegido([this] {
        frmRepPrefacturaModificarBuscar dialogo;
        dialogo.cEmpresa(modComun::empresa());
        dialogo.Conexion(modComun::conexion());
        dialogo.Show(1, this);
        if (dialogo.Cod_Almacen > 0) {
            db::Recordset rs(modComun::conexion(),
                             "SELECT Fecha, Cod_AlmacenD FROM Reposicion_Pref" " WHERE Cod_Empresa ="
                                 + QString::number(modComun::empresa()->CodigoEmpresa())
                                 + " AND Cod_Almacen =" + QString::number(dialogo.Cod_Almacen)
                                 + " AND Codigo =" + QString::number(dialogo.Codigo));
            if (rs.eof()) {
                ui::MsgBox(QStringLiteral("No se ha encontrado la Prefactura requerida"),
                           ui::vbOKOnly | ui::vbInformation, kAtencion);
            } else {
                const QDate fecha = rs.field(QStringLiteral("Fecha")).toDate();
                const auto destino = static_cast<int16_t>(rs.field(QStringLiteral("Cod_AlmacenD")).toInt());
                rs.close();
                mostrarPrefactura(static_cast<int16_t>(dialogo.Cod_Almacen), dialogo.Codigo, fecha,
                                  destino);
            }
        }
    });
    txtArticulo->setFocus();
}

void frmRepPrefacturaModificar::cmdAnular_Click()
{
    if (ui::MsgBox(QStringLiteral("¿Esta seguro que desea eliminar toda la Prefactura"),
                   ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, kAtencion)
        != ui::vbYes)
        return;
    try {
        CierrePrefactura cierre(modComun::empresa(), modComun::conexion());
        cierre.anular(txtAlmacenO->codigo(), txtAlmacenD->codigo(),
                      static_cast<int64_t>(txtCodigo->Value()));
    } catch (const std::exception& e) {
        // Rolled back whole: the screen keeps showing the pre-invoice as it still is.
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return;
    }
    limpiarPantalla();
}

void frmRepPrefacturaModificar::cmdAceptar_Click()
{
    try {
        cabecera_.Almacen = txtAlmacenO->codigo();
        cabecera_.AlmacenDestino = txtAlmacenD->codigo();
        cabecera_.Codigo = static_cast<int64_t>(txtCodigo->Value());
        cabecera_.Observaciones = txtObserv->text();
        cabecera_.Modificar();

        frmRepPrefacturaGenerar impresion;
        impresion.Codigo = cabecera_.Codigo;
        impresion.Cod_Almacen = cabecera_.Almacen;
        impresion.Cod_AlmacenD = cabecera_.AlmacenDestino;
        impresion.Show(1, this);
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return;
    }
    limpiarPantalla();
}

void frmRepPrefacturaModificar::cmdSalir_Click() { descargar(); }

void frmRepPrefacturaModificar::Form_Unload()
{
    cabecera_.cEmpresa(nullptr);
    cabecera_.Conexion(nullptr);
}

bool frmRepPrefacturaModificar::Form_KeyDown(int tecla)
{
    if (tecla != Qt::Key_F9)
        return false;
    if (cmdAceptar->isEnabled())
        cmdAceptar_Click();
    return true;
}

void frmRepPrefacturaModificar::keyPressEvent(QKeyEvent* event)
{
    if (Form_KeyDown(event->key()))
        return;
    FormBase::keyPressEvent(event);
}

bool frmRepPrefacturaModificar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(event)->key();
        if (Form_KeyDown(tecla))
            return true;
        if (watched == chkRestos && (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)) {
            protegido([this] { chkRestos_KeyPress(); });
            return true;
        }
    }
    return FormBase::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------- line entry

std::optional<int> frmRepPrefacturaModificar::BuscarLinea()
{
    const int32_t articulo = txtArticulo->codigo();
    for (int fila = 1; fila < vsLineas->Rows(); ++fila) {
        if (vsLineas->TextMatrix(fila, 0).trimmed().toLongLong() == articulo)
            return fila;
    }
    return std::nullopt;
}

bool frmRepPrefacturaModificar::ValidarSurtido()
{
    db::Recordset rs(modComun::conexion(),
                     "SELECT Bloqueo FROM Almacen_Articulos WHERE Cod_Empresa ="
                         + QString::number(modComun::empresa()->CodigoEmpresa()) + " AND Cod_Almacen ="
                         + QString::number(txtAlmacenD->codigo()) + " AND Cod_Articulo ="
                         + QString::number(txtArticulo->codigo()));
    return rs.eof() || !rs.field(QStringLiteral("Bloqueo")).toBool();
}

bool frmRepPrefacturaModificar::CargarStock(int32_t articulo)
{
    uxCaja_ = 0;
    stockOrigen_ = Money();
    stockReservado_ = Money();
    {
        host::Articulo ficha;
        ficha.setEmpresa(modComun::empresa());
        ficha.setConexion(modComun::conexion());
        ficha.Codigo = articulo;
        if (!ficha.Cargar())
            return false;
        uxCaja_ = static_cast<int16_t>(ficha.UxCaja().toIntBankers());
    }
    const QString clave = " WHERE Cod_Empresa =" + QString::number(modComun::empresa()->CodigoEmpresa())
        + " AND Cod_Almacen =" + QString::number(txtAlmacenO->codigo())
        + " AND Cod_Articulo =" + QString::number(articulo);
    {
        db::Recordset rs(modComun::conexion(), "SELECT Stock_Actual FROM Almacen_Articulos" + clave);
        if (!rs.eof())
            stockOrigen_ = rs.field(QStringLiteral("Stock_Actual")).toMoney();
    }
    db::Recordset rs(modComun::conexion(), "SELECT Unidades FROM Reposicion_StockReservado" + clave);
    if (!rs.eof())
        stockReservado_ = rs.field(QStringLiteral("Unidades")).toMoney();
    return true;
}

int frmRepPrefacturaModificar::bultos() const { return static_cast<int>(txtBultos->Value()); }

QString frmRepPrefacturaModificar::textoBultos(int cajas) const
{
    return QStringLiteral("UxBultos: %1x%2 = %3")
        .arg(uxCaja_)
        .arg(cajas)
        .arg(host::NumeroTexto(static_cast<double>(cajas) * uxCaja_, 0));
}

void frmRepPrefacturaModificar::limpiarPanel()
{
    // Figures of an article no longer typed would be read as those of the one typed next.
    lblInf_Bultos->clear();
    lblInf_Stock->clear();
    lblInf_StockD->clear();
}

void frmRepPrefacturaModificar::txtArticulo_KeyPress()
{
    if (!txtArticulo->valido()) {
        limpiarPanel();
        return;
    }
    if (const auto fila = BuscarLinea()) {
        vsLineas->setRow(*fila);
        vsLineas->setTopRow(*fila);
    }
    if (!ValidarSurtido())
        ui::MsgBox(kSurtido, ui::vbOKOnly | ui::vbExclamation, kAtencion);

    if (CargarStock(txtArticulo->codigo())) {
        lblInf_Bultos->setText(QStringLiteral("UxB: %1").arg(uxCaja_));
        lblInf_Stock->setText(QStringLiteral("Stock: ") + host::NumeroTexto(stockOrigen_, 2));
        lblInf_StockD->setText(QStringLiteral("Disponible: ")
                               + host::NumeroTexto(stockOrigen_ - stockReservado_, 2));
        if (uxCaja_ < 1)
            txtUnidades->setFocus();
        else
            txtBultos->setFocus();
    } else {
        limpiarPanel();
    }

    if (const auto fila = BuscarLinea()) {
        txtBultos->setText(vsLineas->TextMatrix(*fila, 5));
        const Money unidades = unidadesDe(vsLineas->TextMatrix(*fila, 7));
        if (txtBultos->Value() == 0)
            txtUnidades->setText(textoCaja(unidades));
        else if (uxCaja_ >= 1)
            txtUnidades->setText(QString::number(unidades.toIntBankers() % uxCaja_));
    }
}

void frmRepPrefacturaModificar::txtBultos_KeyPress()
{
    const double cajas = txtBultos->Value();
    if (cajas > 9999) {
        txtBultos->setText(QString());
        txtBultos->setFocus();
        return;
    }
    if (cajas > 0 && uxCaja_ == 0) {
        // The article may have got its box size since it was entered.
        host::Articulo ficha;
        ficha.setEmpresa(modComun::empresa());
        ficha.setConexion(modComun::conexion());
        ficha.Codigo = txtArticulo->codigo();
        if (ficha.Cargar()) {
            uxCaja_ = static_cast<int16_t>(ficha.UxCaja().toIntBankers());
            lblInf_Bultos->setText(textoBultos(bultos()));
            txtUnidades->setFocus();
        }
        return;
    }
    txtUnidades->setFocus();
    if (cajas > 0)
        lblInf_Bultos->setText(textoBultos(bultos()));
}

void frmRepPrefacturaModificar::txtUnidades_KeyPress()
{
    const double unidades = txtUnidades->Value();
    if (unidades > 999999) {
        txtUnidades->setText(QString());
        txtUnidades->setFocus();
        return;
    }
    if (uxCaja_ < 1) {
        chkRestos->setFocus();
        return;
    }
    if (bultos() > 0 && unidades >= uxCaja_) {
        // Loose units must be fewer than one box.
        txtUnidades->setText(QString());
        return;
    }
    txtUnidades->setValue(static_cast<double>(bultos()) * uxCaja_ + unidades);
    chkRestos->setFocus();
}

void frmRepPrefacturaModificar::chkRestos_KeyPress() { GrabarLinea(); }

void frmRepPrefacturaModificar::GrabarLinea()
{
    const Money nueva = Money::fromDouble(txtUnidades->Value());
    const bool aRestos = chkRestos->isChecked();
    if (nueva == Money()) {
        if (const auto fila = BuscarLinea()) {
            vsLineas->setRow(*fila);
            EliminarLinea(aRestos);
        }
        LimpiarLinea();
        return;
    }
    // Nothing is written for an article that does not exist: it would carry no description,
    // no stock and a reservation nobody could find.
    if (!txtArticulo->valido()) {
        ui::MsgBox(QStringLiteral("El artículo especificado no existe"), ui::vbOKOnly | ui::vbExclamation,
                   kAtencion);
        txtArticulo->setFocus();
        return;
    }
    if (!txtAlmacenO->valido() || !txtAlmacenD->valido()) {
        ui::MsgBox(QStringLiteral("Se esperaba código de almacén."), ui::vbOKOnly | ui::vbInformation,
                   kAtencion);
        (txtAlmacenO->valido() ? txtAlmacenD : txtAlmacenO)->setFocus();
        return;
    }
    if (!ValidarSurtido())
        ui::MsgBox(kSurtido, ui::vbOKOnly | ui::vbExclamation, kAtencion);

    const int32_t articulo = txtArticulo->codigo();
    const auto fila = BuscarLinea();
    const Money anterior = fila ? unidadesDe(vsLineas->TextMatrix(*fila, 7)) : Money();
    const bool nueva_prefactura = static_cast<int64_t>(txtCodigo->Value()) == 0;

    LineaPrefactura cambio(modComun::empresa(), modComun::conexion());
    cambio.origen = txtAlmacenO->codigo();
    cambio.destino = txtAlmacenD->codigo();
    cambio.codigo = static_cast<int64_t>(txtCodigo->Value());
    try {
        cambio.grabar(articulo, anterior, nueva, aRestos);
    } catch (const std::exception& e) {
        // Nothing was written: the entry stays as typed so the user can try again.
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return;
    }

    cabecera_.Almacen = cambio.origen;
    cabecera_.AlmacenDestino = cambio.destino;
    cabecera_.Codigo = cambio.codigo;
    if (nueva_prefactura) {
        cabecera_.Fecha = host::Reloj::hoy();
        txtCodigo->setText(QString::number(cambio.codigo));
        txtFecha->setText(host::FechaTexto(cabecera_.Fecha));
        txtAlmacenO->setEditable(false);
        txtAlmacenD->setEditable(false);
    } else {
        cabecera_.Fecha = txtFecha->Date();
    }

    const QString cajas = QString::number(bultos());
    if (fila) {
        vsLineas->setTextMatrix(*fila, 5, cajas);
        vsLineas->setTextMatrix(*fila, 6, QString::number(uxCaja_));
        vsLineas->setTextMatrix(*fila, 7, textoUnidades(nueva));
        vsLineas->setRow(*fila);
        vsLineas->setTopRow(*fila);
    } else {
        vsLineas->AddRow(QStringList{QString::number(articulo), txtArticulo->descripcion(), QString(),
                                      QString(), QString(), cajas, QString::number(uxCaja_),
                                      textoUnidades(nueva)});
        if (vsLineas->Rows() - 12 >= 2)
            vsLineas->setTopRow(vsLineas->Rows() - 12);
    }
    estadoBotones(true);
    LimpiarLinea();
}

void frmRepPrefacturaModificar::EliminarLinea(bool aRestos)
{
    const int fila = vsLineas->Row();
    if (fila < 1)
        return;
    LineaPrefactura cambio(modComun::empresa(), modComun::conexion());
    cambio.origen = txtAlmacenO->codigo();
    cambio.destino = txtAlmacenD->codigo();
    cambio.codigo = static_cast<int64_t>(txtCodigo->Value());
    try {
        cambio.eliminar(vsLineas->TextMatrix(fila, 0).trimmed().toInt(),
                        unidadesDe(vsLineas->TextMatrix(fila, 7)), aRestos);
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return;
    }
    vsLineas->RemoveItem(fila);
    botonesDeLineas(vsLineas->Rows() > 1);
    txtArticulo->setFocus();
}

void frmRepPrefacturaModificar::cmdEliminar_Click()
{
    if (vsLineas->Row() < 1)
        return;
    const int respuesta = ui::MsgBox(QStringLiteral("¿Llevar a RESTOS la eliminación del artículo actual?"),
                                     ui::vbYesNo | ui::vbQuestion, kAtencion);
    EliminarLinea(respuesta == ui::vbYes);
}

void frmRepPrefacturaModificar::cmdModificar_Click()
{
    const int fila = vsLineas->Row();
    if (fila < 1)
        return;
    txtArticulo->setTexto(vsLineas->TextMatrix(fila, 0));
    protegido([this] { txtArticulo_KeyPress(); });
}

void frmRepPrefacturaModificar::LimpiarLinea()
{
    txtUnidades->setText(QString());
    txtBultos->setText(QString());
    txtArticulo->setTexto(QString());
    chkRestos->setChecked(false);
    limpiarPanel();
    txtArticulo->setFocus();
}
