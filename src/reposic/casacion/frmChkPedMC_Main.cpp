#include "reposic/casacion/frmChkPedMC_Main.h"
#include "reposic/frame/Nombrar.h"

#include "host/Utilidades.h"
#include "host/components/AutorizacionAnular.h"
#include "host/components/LogOperaciones.h"
#include "host/components/PedidoProveedor.h"
#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorProveedor.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"
#include "platform/ui/Anclaje.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/casacion/CasacionPedidos.h"
#include "reposic/casacion/frmChkPedMC_Detalles.h"
#include "reposic/casacion/frmChkPedMC_Diferencias.h"
#include "reposic/casacion/frmChkPedMC_Faltas.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/modComun.h"
#include "reposic/frame/modMsgOp.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
#include <optional>

using reposic::modComun;

namespace {

using reposic::nombrar;

const QString kAtencion = QStringLiteral("¡ Atención !");
// A mini-purchase already matched with an order: shown in this colour and not markable.
const QColor kCasada(255, 192, 192);

QString num(int64_t v) { return QString::number(v); }

void columna(ui::FlexGrid* g, int col, const QString& titulo, int ancho, int alineacion)
{
    g->setTextMatrix(0, col, titulo);
    if (ancho > 0)
        g->setColWidth(col, ancho);
    if (alineacion >= 0)
        g->setColAlignment(col, alineacion);
    g->setFixedAlignment(col, ui::flexAlignCenterCenter);
}

// Marks carry "X"; any other text in the mark column counts as marked too, as it always has.
bool marcada(const ui::FlexGrid* g, int fila, int col) { return !g->TextMatrix(fila, col).isEmpty(); }

}  // namespace

frmChkPedMC_Main::frmChkPedMC_Main(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmChkPedMC_Main"));
    setWindowTitle(QStringLiteral("Control de Recepción de Pedidos"));

    Label3 = nombrar(new QLabel(QStringLiteral("Almacén"), this), "Label3");
    txtAlm = nombrar(new host::SelectorAlmacen(this), "txtAlm");
    lblProv = nombrar(new QLabel(QStringLiteral("Proveedor"), this), "lblProv");
    txtProv = nombrar(new host::SelectorProveedor(this), "txtProv");
    fraPedidosProv = nombrar(new QGroupBox(QStringLiteral("Pedidos de Proveedor"), this), "fraPedidosProv");
    fraMiniCompras = nombrar(new QGroupBox(QStringLiteral("Mini-Compras"), this), "fraMiniCompras");
    vsPed = nombrar(new ui::FlexGrid(fraPedidosProv), "vsPed");
    vsMC = nombrar(new ui::FlexGrid(fraMiniCompras), "vsMC");
    chkMCTodos = nombrar(new QCheckBox(QStringLiteral("Mostrar también las ya casadas"), fraMiniCompras),
                         "chkMCTodos");
    cmdProcesar = nombrar(new QPushButton(QStringLiteral("&Procesar"), this), "cmdProcesar");
    cmdAnular = nombrar(new QPushButton(QStringLiteral("&Anular pedido"), this), "cmdAnular");
    cmdDetallesPed = nombrar(new QPushButton(QStringLiteral("Detalle &pedido"), this), "cmdDetallesPed");
    cmdDetallesMC = nombrar(new QPushButton(QStringLiteral("Detalle &mini-compra"), this), "cmdDetallesMC");
    cmdFaltas = nombrar(new QPushButton(QStringLiteral("&Faltas"), this), "cmdFaltas");
    cmdSalir = nombrar(new QPushButton(QStringLiteral("&Salir"), this), "cmdSalir");
    Anclaje = nombrar(new ui::Anclaje(this), "Anclaje");

    auto* cabecera = new QGridLayout;
    cabecera->addWidget(Label3, 0, 0);
    cabecera->addWidget(txtAlm, 0, 1);
    cabecera->addWidget(lblProv, 1, 0);
    cabecera->addWidget(txtProv, 1, 1);
    auto* izq = new QVBoxLayout(fraPedidosProv);
    izq->addWidget(vsPed);
    auto* der = new QVBoxLayout(fraMiniCompras);
    der->addWidget(vsMC);
    der->addWidget(chkMCTodos);
    auto* grids = new QHBoxLayout;
    grids->addWidget(fraPedidosProv);
    grids->addWidget(fraMiniCompras);
    auto* botones = new QHBoxLayout;
    for (QPushButton* b : {cmdProcesar, cmdAnular, cmdDetallesPed, cmdDetallesMC, cmdFaltas})
        botones->addWidget(b);
    botones->addStretch();
    botones->addWidget(cmdSalir);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(cabecera);
    raiz->addLayout(grids, 1);
    raiz->addLayout(botones);
    resize(1000, 560);

    for (ui::FlexGrid* g : {vsPed, vsMC}) {
        g->setFlexSelection(ui::flexSelectionByRow);
        g->setEditableCol(-1);
    }
    connect(vsPed, &ui::FlexGrid::Click, this, &frmChkPedMC_Main::MarcarPedido);
    connect(vsMC, &ui::FlexGrid::Click, this, &frmChkPedMC_Main::MarcarMiniCompra);
    connect(vsPed, &ui::FlexGrid::KeyPress, this, [this](int tecla) {
        if (tecla == 32)
            MarcarPedido();
    });
    connect(vsMC, &ui::FlexGrid::KeyPress, this, [this](int tecla) {
        if (tecla == 32)
            MarcarMiniCompra();
    });
    connect(txtAlm, &host::SelectorBase::cambio, this, &frmChkPedMC_Main::LimpiarGrids);
    connect(txtProv, &host::SelectorBase::cambio, this, &frmChkPedMC_Main::LimpiarGrids);
    connect(txtAlm, &host::SelectorBase::teclaPulsada, this, [this](int tecla) {
        if (tecla == 13) {
            txtProv->setFocus();
            CargarDocumentos();
        }
    });
    connect(txtProv, &host::SelectorBase::teclaPulsada, this, [this](int tecla) {
        if (tecla == 13)
            txtProv_Enter();
    });
    connect(chkMCTodos, &QCheckBox::toggled, this, &frmChkPedMC_Main::CargarDocumentos);
    connect(cmdProcesar, &QPushButton::clicked, this, &frmChkPedMC_Main::cmdProcesar_Click);
    connect(cmdAnular, &QPushButton::clicked, this, &frmChkPedMC_Main::cmdAnular_Click);
    connect(cmdDetallesPed, &QPushButton::clicked, this, &frmChkPedMC_Main::cmdDetallesPed_Click);
    connect(cmdDetallesMC, &QPushButton::clicked, this, &frmChkPedMC_Main::cmdDetallesMC_Click);
    connect(cmdFaltas, &QPushButton::clicked, this, &frmChkPedMC_Main::cmdFaltas_Click);
    connect(cmdSalir, &QPushButton::clicked, this, &FormBase::descargar);
}


void frmChkPedMC_Main::Form_Load()
{
    vsPed->setCols(7);
    vsPed->setRows(1);
    columna(vsPed, 0, {}, 300, ui::flexAlignCenterCenter);
    columna(vsPed, 1, QStringLiteral("Código"), 1000, ui::flexAlignRightCenter);
    columna(vsPed, 2, QStringLiteral("Fecha"), 1200, ui::flexAlignCenterCenter);
    columna(vsPed, 3, QStringLiteral("Importe"), 1300, ui::flexAlignRightCenter);
    columna(vsPed, 4, QStringLiteral("Lineas"), 700, ui::flexAlignRightCenter);
    columna(vsPed, 5, QStringLiteral("Unidades"), 800, ui::flexAlignRightCenter);
    columna(vsPed, 6, {}, -1, ui::flexAlignRightCenter);
    vsPed->setColHidden(6, true);

    vsMC->setCols(7);
    vsMC->setRows(1);
    columna(vsMC, 0, {}, -1, -1);
    vsMC->setColHidden(0, true);
    columna(vsMC, 1, {}, 300, ui::flexAlignCenterCenter);
    columna(vsMC, 2, QStringLiteral("Código"), 1000, ui::flexAlignCenterCenter);
    columna(vsMC, 3, QStringLiteral("Fecha"), 1200, ui::flexAlignCenterCenter);
    columna(vsMC, 4, QStringLiteral("Documento"), 1000, ui::flexAlignCenterCenter);
    columna(vsMC, 5, QStringLiteral("Lineas"), 700, ui::flexAlignRightCenter);
    columna(vsMC, 6, QStringLiteral("Unidades"), 800, ui::flexAlignRightCenter);

    Anclaje->AgregarColumna(vsPed, 3, 50);
    Anclaje->AgregarColumna(vsPed, 5, 50);
    Anclaje->AgregarColumna(vsMC, 4, 50);
    Anclaje->AgregarColumna(vsMC, 6, 50);

    const auto empresa = modComun::empresa();
    const auto conexion = modComun::conexion();
    txtProv->setContexto(empresa, conexion, modComun::usuarioActual());
    txtProv->setMostrarAviso(true);
    if (Cod_Proveedor > 0) {
        txtProv->setCodigo(Cod_Proveedor);
        txtProv->refrescar();
    }
    txtAlm->setContexto(empresa, conexion, modComun::usuarioActual());
    txtAlm->setMostrarAviso(true);
    txtAlm->setCodigo(Cod_Almacen > 0 ? Cod_Almacen : empresa->AlmacenDefecto());
    txtAlm->refrescar();
    txtAlm->setEnabled(empresa->Parametro(QStringLiteral("OficinaCentral")).toBool());

    if (Cod_Almacen > 0)
        CargarDocumentos();

    db::Recordset rs(conexion, QStringLiteral("SELECT @@TRANCOUNT"));
    if (!rs.eof())
        SinTransaccion = rs.field(0).toInt64() == 0;
    rs.close();
}

void frmChkPedMC_Main::LimpiarGrids()
{
    vsPed->setRows(1);
    vsMC->setRows(1);
}

void frmChkPedMC_Main::CargarDocumentos()
{
    try {
        LimpiarGrids();
        const int32_t proveedor = txtProv->codigo();
        const int16_t almacen = txtAlm->codigo();
        if (proveedor == 0 || almacen == 0)
            return;
        reposic::MsgOp(true, QStringLiteral("Realizando operación, espere por favor..."));
        const auto conexion = modComun::conexion();
        const QString empresa = num(modComun::empresa()->CodigoEmpresa());

        vsPed->setRows(1);
        vsPed->setRedraw(false);
        {
            db::Recordset rs(conexion,
                             "SELECT Codigo, Fecha, Importe, LineasRecibidas,"
                             " dbo.fn_PedidosProvTotalLineas(Cod_Empresa, Codigo) AS Lineas,"
                             " dbo.fn_PedidosProvTotalUnidades(Cod_Empresa, Codigo) AS Unidades"
                             " FROM Pedidos_Proveedores"
                             " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen =" + num(almacen)
                                 + " AND Cod_Proveedor =" + num(proveedor) + " AND Pendiente = 1");
            for (; !rs.eof(); rs.moveNext()) {
                vsPed->AddRow(QStringList{
                    QString(), rs.field(QStringLiteral("Codigo")).toText(),
                    host::FechaTexto(rs.field(QStringLiteral("Fecha")).toDate()),
                    host::NumeroTexto(rs.field(QStringLiteral("Importe")).toMoney(), 2),
                    num(rs.field(QStringLiteral("Lineas")).toInt64()),
                    host::NumeroTexto(rs.field(QStringLiteral("Unidades")).toMoney(), 2),
                    num(rs.field(QStringLiteral("LineasRecibidas")).toInt64())});
            }
        }
        vsPed->setRedraw(true);

        vsMC->setRows(1);
        vsMC->setRedraw(false);
        {
            db::Recordset rs(conexion,
                             "SELECT Codigo, Fecha, Documento, Cod_Ejercicio, CheckvsPed,"
                             " dbo.fn_ComprasMiniTotalLineas(Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo)"
                             " AS Lineas,"
                             " dbo.fn_ComprasMiniTotalUnidades(Cod_Empresa, Cod_Ejercicio, Cod_Almacen, Codigo)"
                             " AS Unidades"
                             " FROM Compras_Mini"
                             " WHERE Cod_Empresa =" + empresa + " AND Cod_Almacen =" + num(almacen)
                                 + " AND Cod_Proveedor =" + num(proveedor));
            for (; !rs.eof(); rs.moveNext()) {
                const bool casada = rs.field(QStringLiteral("CheckvsPed")).toBool();
                if (casada && !chkMCTodos->isChecked())
                    continue;
                // A tab inside a supplier's document number would shift the cells after it.
                QString documento = rs.field(QStringLiteral("Documento")).toText();
                documento.replace(QLatin1Char('\t'), QLatin1Char(' '));
                vsMC->AddRow(QStringList{
                    num(rs.field(QStringLiteral("Cod_Ejercicio")).toInt64()), QString(),
                    rs.field(QStringLiteral("Codigo")).toText(),
                    host::FechaTexto(rs.field(QStringLiteral("Fecha")).toDate()), documento,
                    num(rs.field(QStringLiteral("Lineas")).toInt64()),
                    host::NumeroTexto(rs.field(QStringLiteral("Unidades")).toMoney(), 2)});
                if (casada) {
                    const int fila = vsMC->Rows() - 1;
                    vsMC->setCellBackColor(fila, 0, fila, vsMC->Cols() - 1, kCasada);
                }
            }
        }
        vsMC->setRedraw(true);
        reposic::MsgOp(false);
    } catch (const std::exception& e) {
        vsPed->setRedraw(true);
        vsMC->setRedraw(true);
        reposic::MsgOp(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmChkPedMC_Main:CargarDatosProveedor"));
    }
}

void frmChkPedMC_Main::MarcarPedido()
{
    const int fila = vsPed->Row();
    if (fila < vsPed->FixedRows())
        return;
    vsPed->setTextMatrix(fila, 0, marcada(vsPed, fila, 0) ? QString() : QStringLiteral("X"));
}

void frmChkPedMC_Main::MarcarMiniCompra()
{
    const int fila = vsMC->Row();
    if (fila < vsMC->FixedRows())
        return;
    if (vsMC->CellBackColor(fila, 1) == kCasada)
        return;
    vsMC->setTextMatrix(fila, 1, marcada(vsMC, fila, 1) ? QString() : QStringLiteral("X"));
}

CasacionPedidos frmChkPedMC_Main::casacion() const
{
    CasacionPedidos c(modComun::empresa(), modComun::conexion());
    c.almacen = txtAlm->codigo();
    c.proveedor = txtProv->codigo();
    for (int fila = vsPed->FixedRows(); fila < vsPed->Rows(); ++fila) {
        if (marcada(vsPed, fila, 0))
            c.pedidos.push_back(static_cast<int32_t>(reposic::ValorTexto(vsPed->TextMatrix(fila, 1))));
    }
    for (int fila = vsMC->FixedRows(); fila < vsMC->Rows(); ++fila) {
        if (marcada(vsMC, fila, 1)) {
            c.miniCompras.push_back(
                {static_cast<int16_t>(reposic::ValorTexto(vsMC->TextMatrix(fila, 0))),
                 static_cast<int32_t>(reposic::ValorTexto(vsMC->TextMatrix(fila, 2)))});
        }
    }
    return c;
}

void frmChkPedMC_Main::cmdProcesar_Click()
{
    const QString titulo = QStringLiteral("frmChkPedMC_Main:cmdProcesar_Click");
    std::unique_ptr<frmChkPedMC_Diferencias> diferencias;
    try {
        CasacionPedidos run = casacion();
        if (run.pedidos.isEmpty()) {
            ui::MsgBox(QStringLiteral("Seleccione al menos un pedido de proveedor"),
                       ui::vbOKOnly | ui::vbInformation, kAtencion);
            return;
        }
        run.AcumularPedidos();
        if (run.miniCompras.isEmpty()) {
            ui::MsgBox(QStringLiteral("Seleccione al menos una mini-compra"),
                       ui::vbOKOnly | ui::vbInformation, kAtencion);
            return;
        }
        run.AcumularMiniCompras();

        if (CasacionPedidos::CalcularDiferencias()) {
            const double modo = reposic::ValorTexto(
                modComun::empresa()->Parametro(QStringLiteral("PedProv_ModoActUndsPtes")).toString());
            if (modo == 0) {
                ui::MsgBox(QStringLiteral("Los artículos coinciden al 100%"),
                           ui::vbYesNo | ui::vbQuestion, QStringLiteral("Pedido correcto"));
                return;
            }
            if (ui::MsgBox(QStringLiteral("Los artículos coinciden al 100%\r\n¿Actualizamos pedido(s)?"),
                           ui::vbYesNo | ui::vbQuestion, QStringLiteral("Pedido correcto"))
                != ui::vbYes)
                return;
            run.Aplicar(false, SinTransaccion);
            ui::MsgBox(QStringLiteral("Operación terminada con éxito"), ui::vbOKOnly | ui::vbInformation,
                       kAtencion);
            CargarDocumentos();
            return;
        }

        diferencias = std::make_unique<frmChkPedMC_Diferencias>();
        diferencias->ListaPedidos = CasacionPedidos::lista(run.pedidos);
        QStringList miniCompras;
        for (const auto& mc : run.miniCompras)
            miniCompras << num(mc.codigo);
        diferencias->ListaMiniCompras = miniCompras.join(QStringLiteral(", "));
        diferencias->Show(1, this);
        reposic::MsgOp(true, QStringLiteral("Realizando operación, espere por favor..."));
        if (diferencias->Resultado == 1) {
            run.Aplicar(diferencias->LlevarAReposicion, SinTransaccion);
            reposic::MsgOp(false);
            ui::MsgBox(QStringLiteral("Operación terminada con éxito"), ui::vbOKOnly | ui::vbInformation,
                       kAtencion);
            CargarDocumentos();
        }
        diferencias.reset();
        reposic::MsgOp(false);
    } catch (const std::exception& e) {
        // Aplicar has already undone its own transaction on the way out.
        diferencias.reset();
        reposic::MsgOp(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, titulo);
    }
}

void frmChkPedMC_Main::cmdAnular_Click()
{
    const int fila = vsPed->Row();
    if (fila < vsPed->FixedRows())
        return;
    try {
        if (ui::MsgBox(QStringLiteral("¿Desea eliminar el pedido seleccionado?"),
                       ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2,
                       QStringLiteral("Confirmar operación"))
            != ui::vbYes)
            return;
        const auto empresa = modComun::empresa();
        const auto conexion = modComun::conexion();
        if (empresa->Parametro(QStringLiteral("PedProv_AnularAutenticar")).toBool()) {
            host::AutorizacionAnular autorizacion;
            autorizacion.setConexion(conexion);
            autorizacion.setEmpresa(empresa);
            autorizacion.setFormulario(nullptr);
            if (!autorizacion.Autorizar())
                return;
        }
        const auto codigo = static_cast<int32_t>(reposic::ValorTexto(vsPed->TextMatrix(fila, 1)));
        reposic::MsgOp(true, QStringLiteral("Realizando operación, espere por favor..."));
        {
            std::optional<db::Transaction> transaccion;
            if (SinTransaccion)
                transaccion.emplace(*conexion);
            host::PedidoProveedor pedido;
            pedido.setEmpresa(empresa);
            pedido.setConexion(conexion);
            pedido.Cargar(codigo);
            pedido.Anular();

            host::LogOperaciones log;
            log.setConexion(conexion);
            log.setEmpresa(empresa);
            log.Usuario = modComun::usuarioActual();
            log.TipoDocumento = 13;
            log.Operacion = 3;
            log.Cod_Documento = codigo;
            log.Comentario = QString();
            log.Grabar();
            if (transaccion)
                transaccion->commit();
        }
        reposic::MsgOp(false);
        CargarDocumentos();
    } catch (const std::exception& e) {
        // The transaction guard has rolled back what this operation began.
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmChkPedMC_Main:cmdAnular_Click"));
        reposic::MsgOp(false);
    }
}

void frmChkPedMC_Main::cmdDetallesPed_Click()
{
    const int fila = vsPed->Row();
    if (fila < vsPed->FixedRows())
        return;
    frmChkPedMC_Detalles detalles;
    detalles.Cod_Almacen = txtAlm->codigo();
    detalles.EsPedido = true;
    detalles.Codigo = static_cast<int32_t>(reposic::ValorTexto(vsPed->TextMatrix(fila, 1)));
    detalles.Show(1, this);
}

void frmChkPedMC_Main::cmdDetallesMC_Click()
{
    const int fila = vsMC->Row();
    if (fila < vsMC->FixedRows())
        return;
    frmChkPedMC_Detalles detalles;
    detalles.Cod_Almacen = txtAlm->codigo();
    detalles.EsPedido = false;
    detalles.Cod_Ejercicio = static_cast<int16_t>(reposic::ValorTexto(vsMC->TextMatrix(fila, 0)));
    detalles.Codigo = static_cast<int32_t>(reposic::ValorTexto(vsMC->TextMatrix(fila, 2)));
    detalles.Show(1, this);
}

void frmChkPedMC_Main::cmdFaltas_Click()
{
    if (!txtAlm->valido()) {
        ui::MsgBox(QStringLiteral("Especifique el almacén"), ui::vbOKOnly | ui::vbExclamation, kAtencion);
        txtAlm->setFocus();
        return;
    }
    if (!txtProv->valido()) {
        ui::MsgBox(QStringLiteral("Especifique el proveedor"), ui::vbOKOnly | ui::vbExclamation, kAtencion);
        txtProv->setFocus();
        return;
    }
    auto* faltas = FormBase::porDefecto<frmChkPedMC_Faltas>();
    faltas->Cod_Almacen = txtAlm->codigo();
    faltas->Cod_Proveedor = txtProv->codigo();
    faltas->Show(1, this);
}

bool frmChkPedMC_Main::ProveedorUsaStockTransito(int32_t proveedor)
{
    const auto empresa = modComun::empresa();
    db::Recordset rs(modComun::conexion(),
                     "SELECT p.UsarPendRecibirPedidos, a.CfgStockTransito"
                     " FROM Proveedores p"
                     " INNER JOIN Almacenes a"
                     " ON a.Cod_Empresa =" + num(empresa->CodigoEmpresa()) + " AND a.Codigo ="
                         + num(txtAlm->codigo()) + " WHERE p.Cod_Empresa ="
                         + num(empresa->CodigoEmpresaProveedores()) + " AND p.Codigo =" + num(proveedor));
    if (rs.eof())
        return false;
    const int64_t cfg = rs.field(QStringLiteral("CfgStockTransito")).toInt64();
    return cfg == 1 || (cfg == 2 && rs.field(QStringLiteral("UsarPendRecibirPedidos")).toBool());
}

void frmChkPedMC_Main::txtProv_Enter()
{
    bool usa = false;
    try {
        usa = ProveedorUsaStockTransito(txtProv->codigo());
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return;
    }
    if (usa) {
        CargarDocumentos();
        return;
    }
    ui::MsgBox(QStringLiteral("El proveedor especificado no usa stock en tránsito"),
               ui::vbOKOnly | ui::vbExclamation, kAtencion);
    txtProv->reiniciar();
}
