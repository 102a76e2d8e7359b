#include "reposic/casacion/frmChkPedMC_Faltas.h"

#include "host/Utilidades.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Anclaje.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/frame/modComun.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

namespace {

QString num(int64_t v) { return QString::number(v); }
QString cantidad(db::Money m) { return m.toSql().replace(QLatin1Char('.'), QLatin1Char(',')); }

}  // namespace

frmChkPedMC_Faltas::frmChkPedMC_Faltas(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmChkPedMC_Faltas"));
    setWindowTitle(QStringLiteral("Faltas 3 últimos pedidos"));
    vsLin = new ui::FlexGrid(this);
    vsLin->setObjectName(QStringLiteral("vsLin"));
    cmdSalir = new QPushButton(QStringLiteral("&Salir"), this);
    cmdSalir->setObjectName(QStringLiteral("cmdSalir"));
    Anclaje = new ui::Anclaje(this);
    Anclaje->setObjectName(QStringLiteral("Anclaje"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdSalir);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(vsLin, 1);
    raiz->addLayout(botones);
    resize(760, 400);
    connect(cmdSalir, &QPushButton::clicked, this, &FormBase::descargar);
}


void frmChkPedMC_Faltas::Form_Load()
{
    try {
        vsLin->setRows(1);
        vsLin->setCols(6);
        const char* const titulos[] = {"Pedido", "Fecha", "Artículo", "Artículo", "Und.Pedidas",
                                       "Und.Faltas"};
        const int anchos[] = {900, 1000, 1200, 4800, 1200, 1200};
        const int alineaciones[] = {ui::flexAlignCenterCenter, ui::flexAlignCenterCenter,
                                    ui::flexAlignGeneral, ui::flexAlignGeneral,
                                    ui::flexAlignRightCenter, ui::flexAlignRightCenter};
        for (int c = 0; c < 6; ++c) {
            vsLin->setTextMatrix(0, c, QString::fromUtf8(titulos[c]));
            vsLin->setColWidth(c, anchos[c]);
            vsLin->setColAlignment(c, alineaciones[c]);
            vsLin->setFixedAlignment(c, ui::flexAlignCenterCenter);
        }
        Anclaje->AgregarColumna(vsLin, 3, 100);

        const auto empresa = modComun::empresa();
        const QString codigoEmpresa = num(empresa->CodigoEmpresa());
        const QString alm = num(Cod_Almacen);
        const QString prov = num(Cod_Proveedor);
        db::Recordset rs(modComun::conexion(),
                         "SELECT a.Codigo, a.Fecha, b.Cod_Articulo, b.Unidades, b.UnidadesLiq, c.Descripcion"
                         " FROM Pedidos_Proveedores a"
                         " INNER JOIN Pedidos_Proveedores_Lineas b"
                         " ON a.Cod_Empresa = b.Cod_Empresa AND a.Codigo = b.Codigo"
                         " INNER JOIN Articulos c"
                         " ON c.Cod_Empresa =" + num(empresa->CodigoEmpresaArticulos())
                             + " AND b.Cod_Articulo = c.Codigo"
                               " WHERE a.Cod_Empresa =" + codigoEmpresa + " AND a.Cod_Almacen =" + alm
                             + " AND a.Cod_Proveedor =" + prov
                             + " AND a.Codigo IN (SELECT TOP 3 Codigo FROM Pedidos_Proveedores"
                               " WHERE Cod_Empresa =" + codigoEmpresa + " AND Cod_Almacen =" + alm
                             + " AND Cod_Proveedor =" + prov + " AND Pendiente = 0"
                             + " ORDER BY Fecha DESC, Codigo DESC)"
                               " AND b.UnidadesLiq > 0"
                               " ORDER BY a.Fecha, a.Codigo, c.Descripcion");
        int64_t anterior = 0;
        for (; !rs.eof(); rs.moveNext()) {
            const int64_t codigo = rs.field(QStringLiteral("Codigo")).toInt64();
            vsLin->AddItem(QString());
            const int fila = vsLin->Rows() - 1;
            if (codigo != anterior) {
                vsLin->setTextMatrix(fila, 0, num(codigo));
                vsLin->setTextMatrix(fila, 1, host::FechaTexto(rs.field(QStringLiteral("Fecha")).toDate()));
            }
            vsLin->setTextMatrix(fila, 2, rs.field(QStringLiteral("Cod_Articulo")).toText());
            vsLin->setTextMatrix(fila, 3, rs.field(QStringLiteral("Descripcion")).toText());
            vsLin->setTextMatrix(fila, 4, cantidad(rs.field(QStringLiteral("Unidades")).toMoney()));
            vsLin->setTextMatrix(fila, 5, cantidad(rs.field(QStringLiteral("UnidadesLiq")).toMoney()));
            anterior = codigo;
        }
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmChkPedMC_Faltas:Form_Load"));
    }
}
