#include "reposic/prefactura/frmRepPreFacturasVisor.h"
#include "reposic/frame/Nombrar.h"

#include "host/Utilidades.h"
#include "host/components/ContabilidadPendiente.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/modComun.h"
#include "reposic/prefactura/CierrePrefactura.h"
#include "reposic/prefactura/TraspasoPrefactura.h"
#include "reposic/prefactura/frmRepPrefacturaGenerar.h"
#include "reposic/prefactura/frmRepPrefacturaModificar.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using db::Money;
using reposic::modComun;

namespace {

using reposic::nombrar;

const QString kAtencion = QStringLiteral("¡ Atención !");

void mostrarError(const std::exception& e)
{
    ui::MsgBox(QString::fromUtf8(e.what()), ui::vbOKOnly | ui::vbCritical, kAtencion);
}

bool confirmar(const QString& texto, const QString& titulo)
{
    return ui::MsgBox(texto, ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, titulo) == ui::vbYes;
}

}  // namespace

frmRepPreFacturasVisor::frmRepPreFacturasVisor(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepPreFacturasVisor"));
    setWindowTitle(QStringLiteral("PreFacturas Pendientes de Traspaso"));

    SSTab = nombrar(new QTabWidget(this), "SSTab");
    auto* pagina = new QWidget(SSTab);
    SSTab->addTab(pagina, QStringLiteral("Prefacturas"));
    vsCab = nombrar(new ui::FlexGrid(pagina), "vsCab");
    vsDet = nombrar(new ui::FlexGrid(pagina), "vsDet");
    vsCab->setFlexSelection(ui::flexSelectionByRow);
    cmdModificar = nombrar(new QPushButton(QStringLiteral("&Modificar"), pagina), "cmdModificar");
    cmdImprimir = nombrar(new QPushButton(QStringLiteral("&Imprimir"), pagina), "cmdImprimir");
    cmdAnular = nombrar(new QPushButton(QStringLiteral("&Anular"), pagina), "cmdAnular");
    cmdLiquidar = nombrar(new QPushButton(QStringLiteral("&Liquidar"), pagina), "cmdLiquidar");
    cmdTraspasar = nombrar(new QPushButton(QStringLiteral("&Traspasar"), pagina), "cmdTraspasar");
    cmdSalir = nombrar(new QPushButton(QStringLiteral("&Salir"), pagina), "cmdSalir");

    auto* botones = new QHBoxLayout;
    for (QPushButton* b : {cmdModificar, cmdImprimir, cmdAnular, cmdLiquidar, cmdTraspasar}) {
        b->setAutoDefault(false);
        botones->addWidget(b);
    }
    botones->addStretch();
    cmdSalir->setAutoDefault(false);
    botones->addWidget(cmdSalir);
    auto* cuerpo = new QVBoxLayout(pagina);
    cuerpo->addWidget(vsCab, 3);
    cuerpo->addWidget(vsDet, 2);
    cuerpo->addLayout(botones);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(SSTab);
    resize(900, 600);

    // Liquidation stays available throughout; it does nothing without a pre-invoice row.
    cmdLiquidar->setEnabled(true);
    estadoBotones();

    connect(cmdModificar, &QPushButton::clicked, this, &frmRepPreFacturasVisor::cmdModificar_Click);
    connect(cmdImprimir, &QPushButton::clicked, this, &frmRepPreFacturasVisor::cmdImprimir_Click);
    connect(cmdAnular, &QPushButton::clicked, this, &frmRepPreFacturasVisor::cmdAnular_Click);
    connect(cmdLiquidar, &QPushButton::clicked, this, &frmRepPreFacturasVisor::cmdLiquidar_Click);
    connect(cmdTraspasar, &QPushButton::clicked, this, &frmRepPreFacturasVisor::cmdTraspasar_Click);
    connect(cmdSalir, &QPushButton::clicked, this, &frmRepPreFacturasVisor::cmdSalir_Click);
    connect(vsCab, &ui::FlexGrid::RowColChange, this, [this] {
        if (cargado_ && vsCab->Row() >= 1 && vsCab->Row() != filaDetalle_)
            CargarDetalle();
    });
}

void frmRepPreFacturasVisor::showEvent(QShowEvent* event)
{
    FormBase::showEvent(event);  // runs Form_Load the first time
    cargado_ = true;
}

void frmRepPreFacturasVisor::Form_Load()
{
    vsCab->setRows(1);
    vsCab->setCols(6);
    const QStringList cab = {QStringLiteral("Código"), QStringLiteral("Fecha"),
                             QStringLiteral("Almacén Origen"), QStringLiteral("Almacén Origen"),
                             QStringLiteral("Almacén Destino"), QStringLiteral("Almacén Destino")};
    for (int c = 0; c < 6; ++c)
        vsCab->setTextMatrix(0, c, cab[c]);
    vsCab->setMergeCells(ui::flexMergeFixedOnly);
    vsCab->setMergeRow(0, true);
    vsCab->setColAlignment(1, ui::flexAlignCenterCenter);
    const int anchosCab[] = {1000, 1000, 700, 3000, 700, 2500};
    for (int c = 0; c < 6; ++c) {
        vsCab->setColWidth(c, anchosCab[c]);
        vsCab->setCellAlignment(0, c, ui::flexAlignCenterCenter);
    }

    vsDet->setRows(1);
    vsDet->setCols(6);
    const QStringList det = {QStringLiteral("Código"), QStringLiteral("Descripción"), QStringLiteral("EAN"),
                             QStringLiteral("Cajas"), QStringLiteral("UxC"), QStringLiteral("Unidades")};
    for (int c = 0; c < 6; ++c)
        vsDet->setTextMatrix(0, c, det[c]);
    vsDet->setColAlignment(2, ui::flexAlignLeftCenter);
    const int anchosDet[] = {1000, 4500, 1800, 700, 700};
    for (int c = 0; c < 5; ++c)
        vsDet->setColWidth(c, anchosDet[c]);
    for (int c = 0; c < 6; ++c)
        vsDet->setCellAlignment(0, c, ui::flexAlignCenterCenter);

    asentarPendientes();
    CargarPrefacturas();
}

// Transfers whose accounting entry a stop or a failure left unbooked are booked on opening.
void frmRepPreFacturasVisor::asentarPendientes()
{
    const db::ConnectionPtr contable = modComun::conexionLedrin();
    if (!contable || !contable->isOpen())
        return;
    try {
        host::ContabilidadPendiente::asentar(modComun::conexion(), *contable);
    } catch (const std::exception& e) {
        avisarAsientoPendiente(QString::fromUtf8(e.what()));
    }
}

void frmRepPreFacturasVisor::avisarAsientoPendiente(const QString& error)
{
    ui::MsgBox(error + QStringLiteral("\n\nEl asiento contable del traspaso queda pendiente y se anotará"
                                      " la próxima vez que se abra esta pantalla."),
               ui::vbOKOnly | ui::vbCritical, kAtencion);
}

int64_t frmRepPreFacturasVisor::codigoActual() const
{
    return static_cast<int64_t>(reposic::ValorTexto(vsCab->TextMatrix(vsCab->Row(), 0)));
}
int16_t frmRepPreFacturasVisor::origenActual() const
{
    return reposic::EnteroCorto(vsCab->TextMatrix(vsCab->Row(), 2));
}
int16_t frmRepPreFacturasVisor::destinoActual() const
{
    return reposic::EnteroCorto(vsCab->TextMatrix(vsCab->Row(), 4));
}

void frmRepPreFacturasVisor::estadoBotones()
{
    const bool hay = vsCab->Rows() > 1;
    for (QPushButton* b : {cmdAnular, cmdImprimir, cmdModificar, cmdTraspasar})
        b->setEnabled(hay);
}

void frmRepPreFacturasVisor::CargarPrefacturas()
{
    try {
        db::Recordset rs(modComun::conexion(),
            "SELECT a.Codigo, a.Fecha, a.Cod_Almacen, a.Cod_AlmacenD,"
            " b.Nombre AS NombAlmacen, c.Nombre as NombAlmacenD"
            " FROM Reposicion_Pref a "
            " INNER JOIN Almacenes b"
            " ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Codigo"
            " INNER JOIN Almacenes c"
            " ON a.Cod_Empresa = c.Cod_Empresa AND a.Cod_AlmacenD = c.Codigo"
            " WHERE a.Cod_Empresa =" + QString::number(modComun::empresa()->CodigoEmpresa())
            + " ORDER BY a.Codigo");
        for (; !rs.eof(); rs.moveNext()) {
            vsCab->AddRow(QStringList{rs.field(QStringLiteral("Codigo")).toText(),
                                       host::FechaTexto(rs.field(QStringLiteral("Fecha")).toDate()),
                                       rs.field(QStringLiteral("Cod_Almacen")).toText(),
                                       rs.field(QStringLiteral("NombAlmacen")).toText(),
                                       rs.field(QStringLiteral("Cod_AlmacenD")).toText(),
                                       rs.field(QStringLiteral("NombAlmacenD")).toText()});
        }
        rs.close();
        if (vsCab->Rows() >= 2) {
            vsCab->setRow(1);
            CargarDetalle();
        }
    } catch (const std::exception& e) {
        mostrarError(e);
    }
    estadoBotones();
}

void frmRepPreFacturasVisor::CargarDetalle()
{
    vsDet->setRows(1);
    vsDet->setRedraw(false);
    filaDetalle_ = vsCab->Row();
    try {
        const QString empresaArt = QString::number(modComun::empresa()->CodigoEmpresaArticulos());
        db::Recordset rs(modComun::conexion(),
            "SELECT a.Cod_Articulo, a.Unidades, b.Descripcion, b.UxCaja,"
            " ISNULL(c.Cod_Barras, '') AS EAN"
            " FROM Reposicion_Pref_Lineas a "
            " INNER JOIN Articulos b"
            " ON b.Cod_Empresa = " + empresaArt + " AND a.Cod_Articulo = b.Codigo"
            " INNER JOIN Almacen_Articulos aa"
            " ON a.Cod_Empresa = aa.Cod_Empresa AND a.Cod_Almacen = aa.Cod_Almacen"
            " AND a.Cod_Articulo = aa.Cod_Articulo"
            " LEFT JOIN Articulos_CBarras c"
            " ON c.Cod_Empresa = " + empresaArt + " AND a.Cod_Articulo = c.Cod_Articulo AND c.Principal = 1"
            " WHERE a.Cod_Empresa =" + QString::number(modComun::empresa()->CodigoEmpresa())
            + " AND a.Cod_Almacen =" + QString::number(origenActual())
            + " AND a.Codigo =" + QString::number(codigoActual())
            + " ORDER BY aa.Ubicacion, b.Familia_1, b.Familia_2, b.Familia_3");
        for (; !rs.eof(); rs.moveNext()) {
            const Money unidades = rs.field(QStringLiteral("Unidades")).toMoney();
            const Money uxCaja = rs.field(QStringLiteral("UxCaja")).toMoney();
            const int64_t cajas = uxCaja == Money() ? 0 : unidades.scaled() / uxCaja.scaled();
            vsDet->AddRow(QStringList{rs.field(QStringLiteral("Cod_Articulo")).toText(),
                                       rs.field(QStringLiteral("Descripcion")).toText(),
                                       rs.field(QStringLiteral("EAN")).toText(), QString::number(cajas),
                                       uxCaja.toSql(), unidades.toSql()});
        }
    } catch (const std::exception& e) {
        mostrarError(e);
    }
    vsDet->setRedraw(true);
}

void frmRepPreFacturasVisor::quitarFilaActual()
{
    vsCab->RemoveItem(vsCab->Row());
    estadoBotones();
    // With no row left the lines of the pre-invoice just removed stay on view.
    if (vsCab->Rows() > 1)
        CargarDetalle();
}

void frmRepPreFacturasVisor::cmdAnular_Click()
{
    if (vsCab->Row() < 1)
        return;
    if (!confirmar(QStringLiteral("¿Está seguro que desea eliminar la Prefactura actual?\n"
                                  "Esta operación SI AFECTA a los RESTOS."),
                   QStringLiteral("Confirmar operación")))
        return;
    try {
        CierrePrefactura cierre(modComun::empresa(), modComun::conexion());
        cierre.anular(origenActual(), destinoActual(), codigoActual());
        quitarFilaActual();
    } catch (const std::exception& e) {
        mostrarError(e);
    }
}

void frmRepPreFacturasVisor::cmdLiquidar_Click()
{
    if (vsCab->Row() < 1)
        return;
    if (!confirmar(QStringLiteral("¿Está seguro que desea liquidar la prefactura actual?\n"
                                  "Esta operación NO AFECTA a los RESTOS."),
                   kAtencion))
        return;
    if (!confirmar(QStringLiteral("Se procederá a ELIMINAR LA PREFACTURA actual. ¿Está seguro?"), kAtencion))
        return;
    try {
        CierrePrefactura cierre(modComun::empresa(), modComun::conexion());
        cierre.liquidar(origenActual(), codigoActual());
        quitarFilaActual();
    } catch (const std::exception& e) {
        mostrarError(e);
    }
}

void frmRepPreFacturasVisor::cmdImprimir_Click()
{
    if (vsCab->Row() < 1)
        return;
    auto* impresion = FormBase::porDefecto<frmRepPrefacturaGenerar>();
    impresion->Cod_Almacen = origenActual();
    impresion->Cod_AlmacenD = destinoActual();
    impresion->Codigo = codigoActual();
    impresion->Show(0);
}

void frmRepPreFacturasVisor::cmdModificar_Click()
{
    if (vsCab->Row() < 1)
        return;
    auto* edicion = FormBase::porDefecto<frmRepPrefacturaModificar>();
    edicion->AbrirPrefactura(origenActual(), codigoActual());
    edicion->Show(0);
    descargar();
}

void frmRepPreFacturasVisor::cmdTraspasar_Click()
{
    if (vsCab->Row() < 1)
        return;
    // Refused before asking: without the accounting side the transfer could not be booked.
    if (!modComun::conexionLedrin()) {
        ui::MsgBox(QStringLiteral("No se ha recibido la conexión de contabilidad: la prefactura no se"
                                  " puede traspasar."),
                   ui::vbOKOnly | ui::vbExclamation, kAtencion);
        return;
    }
    if (!confirmar(QStringLiteral("¿Está seguro que desea confirmar la prefactura actual?"), kAtencion))
        return;
    TraspasoPrefactura traspaso(modComun::empresa(), modComun::conexion(), modComun::empresaLedrin(),
                                modComun::conexionLedrin());
    traspaso.usuario = modComun::usuarioActual();
    TraspasoPrefactura::Documento documento;
    try {
        documento = traspaso.traspasar(origenActual(), destinoActual(), codigoActual());
    } catch (const std::exception& e) {
        mostrarError(e);
        return;
    }
    // Committed: the row goes whatever happens to the booking or the printout.
    vsCab->RemoveItem(vsCab->Row());
    if (!documento.errorContable.isEmpty())
        avisarAsientoPendiente(documento.errorContable);
    try {
        traspaso.imprimir(documento);
    } catch (const std::exception& e) {
        mostrarError(e);
    }
    estadoBotones();
    if (vsCab->Rows() > 1)
        CargarDetalle();
}

void frmRepPreFacturasVisor::cmdSalir_Click() { descargar(); }
