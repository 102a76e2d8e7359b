#include "reposic/restos/frmRepVisorRestos.h"

#include "host/Utilidades.h"
#include "host/controls/SelectorArticulo.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/modComun.h"
#include "reposic/restos/ConexionCentral.h"
#include "reposic/restos/ParametroRestos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

namespace {
const QString kAtencion = QStringLiteral("¡ Atención !");
}

frmRepVisorRestos::frmRepVisorRestos(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepVisorRestos"));
    setWindowTitle(QStringLiteral("Visor de Restos"));
    Label1 = new QLabel(QStringLiteral("Artículo:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtArticulo = new host::SelectorArticulo(this);
    txtArticulo->setObjectName(QStringLiteral("txtArticulo"));
    vsArt = new ui::FlexGrid(this);
    vsArt->setObjectName(QStringLiteral("vsArt"));
    cmdSalir = new QPushButton(QStringLiteral("&Salir"), this);
    cmdSalir->setObjectName(QStringLiteral("cmdSalir"));
    cmdSalir->setAutoDefault(false);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(Label1);
    arriba->addWidget(txtArticulo, 1);
    auto* abajo = new QHBoxLayout;
    abajo->addStretch();
    abajo->addWidget(cmdSalir);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(arriba);
    raiz->addWidget(vsArt, 1);
    raiz->addLayout(abajo);
    resize(520, 420);

    connect(txtArticulo, &host::SelectorBase::teclaPulsada, this,
            &frmRepVisorRestos::txtArticulo_KeyPress);
    connect(cmdSalir, &QPushButton::clicked, this, &frmRepVisorRestos::cmdSalir_Click);
}


void frmRepVisorRestos::Form_Load()
{
    const auto empresa = modComun::empresa();
    vsArt->setRows(1);
    vsArt->setCols(5);
    const QStringList titulos = {QStringLiteral("Almacén"), QStringLiteral("Almacén"),
                                 QStringLiteral("Unidades"), QStringLiteral("x Ventas"),
                                 QStringLiteral("x Restos")};
    const int anchos[] = {500, 3000, 1000, 1000, 1000};
    for (int c = 0; c < 5; ++c) {
        vsArt->setTextMatrix(0, c, titulos[c]);
        vsArt->setColWidth(c, anchos[c]);
        vsArt->setFixedAlignment(c, ui::flexAlignCenterCenter);
    }
    vsArt->setMergeCells(ui::flexMergeFixedOnly);
    vsArt->setMergeRow(0, true);

    txtArticulo->setContexto(empresa, modComun::conexion(), modComun::usuarioActual());
    if (reposic::ValorTexto(empresa->Parametro(QStringLiteral("ReposicionTipo")).toString()) == 1.0)
        servidorCentral_ = empresa->Parametro(QStringLiteral("ServidorCentral")).toString().trimmed();
    oficinaCentral_ = ParametroActivo(*empresa, QStringLiteral("OficinaCentral"));

    db::Recordset rs(modComun::conexion(), QStringLiteral("SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa =")
                                               + QString::number(empresa->CodigoEmpresa()));
    for (; !rs.eof(); rs.moveNext()) {
        const int fila = vsArt->Rows();
        vsArt->setRows(fila + 1);
        vsArt->setTextMatrix(fila, 0, rs.field(QStringLiteral("Codigo")).toText());
        vsArt->setTextMatrix(fila, 1, rs.field(QStringLiteral("Nombre")).toText());
    }
}

void frmRepVisorRestos::txtArticulo_KeyPress(int tecla)
{
    if (tecla != 13)
        return;
    MostrarRestos();
    txtArticulo->seleccionarTexto();
}

void frmRepVisorRestos::MostrarRestos()
{
    for (int r = 1; r < vsArt->Rows(); ++r) {
        for (int c = 2; c <= 4; ++c)
            vsArt->setTextMatrix(r, c, QString());
    }
    const auto empresa = modComun::empresa();
    try {
        auto conexion = ConexionCentral::crear();
        QString cadena;
        if (servidorCentral_.isEmpty()) {
            cadena = empresa->Parametro(QStringLiteral("ConnectionString")).toString();
        } else {
            if (!host::ServidorAccesible(servidorCentral_, ConexionCentral::kPuerto)) {
                ui::MsgBox(QStringLiteral("No se ha podido conectar con el servidor: ") + servidorCentral_,
                           ui::vbExclamation | ui::vbOKOnly, kAtencion);
                return;
            }
            cadena = ConexionCentral::cadena(servidorCentral_);
        }
        conexion->open(cadena);
        QString sql = QStringLiteral("SELECT a.Cod_Almacen, a.Unidades, a.UnidadesVenta, a.UnidadesResto,"
                                     " b.Nombre FROM Reposicion a INNER JOIN Almacenes b"
                                     " ON a.Cod_Empresa = b.Cod_Empresa AND a.Cod_Almacen = b.Codigo"
                                     " WHERE a.Cod_Empresa =")
            + QString::number(empresa->CodigoEmpresa()) + QStringLiteral(" AND a.Cod_Articulo =")
            + QString::number(txtArticulo->codigo()) + QStringLiteral(" AND a.Codigo=0");
        if (!oficinaCentral_)
            sql += QStringLiteral(" AND a.Cod_Almacen =") + QString::number(empresa->AlmacenDefecto());
        db::Recordset rs(conexion, sql);
        for (; !rs.eof(); rs.moveNext()) {
            const QString almacen = QString::number(rs.field(QStringLiteral("Cod_Almacen")).toInt());
            for (int r = 1; r < vsArt->Rows(); ++r) {
                if (vsArt->TextMatrix(r, 0) != almacen)
                    continue;
                vsArt->setTextMatrix(r, 2, host::NumeroTexto(rs.field(QStringLiteral("Unidades")).toMoney(), 2));
                vsArt->setTextMatrix(r, 3,
                                     host::NumeroTexto(rs.field(QStringLiteral("UnidadesVenta")).toMoney(), 2));
                vsArt->setTextMatrix(r, 4,
                                     host::NumeroTexto(rs.field(QStringLiteral("UnidadesResto")).toMoney(), 2));
            }
        }
        rs.close();
        conexion->close();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

void frmRepVisorRestos::cmdSalir_Click() { descargar(); }
