#include "reposic/casacion/frmChkPedMC_Detalles.h"

#include "platform/db/Recordset.h"
#include "platform/ui/Anclaje.h"
#include "platform/ui/FlexGrid.h"
#include "reposic/frame/modComun.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

namespace {

QString num(int64_t v) { return QString::number(v); }
QString cantidad(db::Money m) { return m.toSql().replace(QLatin1Char('.'), QLatin1Char(',')); }

}  // namespace

frmChkPedMC_Detalles::frmChkPedMC_Detalles(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmChkPedMC_Detalles"));
    setWindowTitle(QStringLiteral("Detalles"));
    vsArt = new ui::FlexGrid(this);
    vsArt->setObjectName(QStringLiteral("vsArt"));
    cmdSalir = new QPushButton(QStringLiteral("&Salir"), this);
    cmdSalir->setObjectName(QStringLiteral("cmdSalir"));
    Anclaje = new ui::Anclaje(this);
    Anclaje->setObjectName(QStringLiteral("Anclaje"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdSalir);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(vsArt, 1);
    raiz->addLayout(botones);
    resize(700, 400);
    connect(cmdSalir, &QPushButton::clicked, this, &FormBase::descargar);
}


void frmChkPedMC_Detalles::Form_Load()
{
    vsArt->setRows(1);
    vsArt->setCols(5);
    const char* const titulos[] = {"Articulo", "Articulo", "Unidades", "Recibidas", "Pendientes"};
    const int alineaciones[] = {ui::flexAlignRightCenter, ui::flexAlignLeftCenter, ui::flexAlignRightCenter,
                                ui::flexAlignRightCenter, ui::flexAlignRightCenter};
    const int anchosPedido[] = {1200, 5000, 1000, 1000, -1};
    const int anchosMini[] = {1200, 7000, -1, -1, -1};
    for (int c = 0; c < 5; ++c) {
        vsArt->setTextMatrix(0, c, QString::fromLatin1(titulos[c]));
        vsArt->setColAlignment(c, alineaciones[c]);
        const int ancho = EsPedido ? anchosPedido[c] : anchosMini[c];
        if (ancho > 0)
            vsArt->setColWidth(c, ancho);
        vsArt->setFixedAlignment(c, ui::flexAlignCenterCenter);
    }
    vsArt->setColHidden(3, !EsPedido);
    vsArt->setColHidden(4, !EsPedido);
    Anclaje->AgregarColumna(vsArt, 1, 100);

    const auto empresa = modComun::empresa();
    const QString articulos = num(empresa->CodigoEmpresaArticulos());
    const QString codigoEmpresa = num(empresa->CodigoEmpresa());
    QString sql;
    if (EsPedido) {
        sql = "SELECT a.Cod_Articulo, b.Descripcion, a.Unidades, a.UnidadesRcv"
              " FROM Pedidos_Proveedores_Lineas a INNER JOIN Articulos b"
              " ON b.Cod_Empresa =" + articulos + " AND a.Cod_Articulo = b.Codigo"
              " WHERE a.Cod_Empresa =" + codigoEmpresa + " AND a.Codigo =" + num(Codigo)
              + " AND a.Cod_Articulo > 0 ORDER BY a.Cod_Articulo";
    } else {
        sql = "SELECT a.Cod_Articulo, b.Descripcion, a.Unidades"
              " FROM Compras_Mini_Lineas a INNER JOIN Articulos b"
              " ON b.Cod_Empresa =" + articulos + " AND a.Cod_Articulo = b.Codigo"
              " WHERE a.Cod_Empresa =" + codigoEmpresa + " AND a.Cod_Ejercicio =" + num(Cod_Ejercicio)
              + " AND a.Cod_Almacen =" + num(Cod_Almacen) + " AND a.Codigo =" + num(Codigo)
              + " AND a.Cod_Articulo > 0 ORDER BY a.Cod_Articulo";
    }
    db::Recordset rs(modComun::conexion(), sql);
    for (; !rs.eof(); rs.moveNext()) {
        vsArt->AddItem(QString());
        const int fila = vsArt->Rows() - 1;
        const db::Money unidades = rs.field(QStringLiteral("Unidades")).toMoney();
        vsArt->setTextMatrix(fila, 0, rs.field(QStringLiteral("Cod_Articulo")).toText());
        vsArt->setTextMatrix(fila, 1, rs.field(QStringLiteral("Descripcion")).toText());
        vsArt->setTextMatrix(fila, 2, cantidad(unidades));
        if (EsPedido) {
            const db::Money recibidas = rs.field(QStringLiteral("UnidadesRcv")).toMoney();
            vsArt->setTextMatrix(fila, 3, cantidad(recibidas));
            vsArt->setTextMatrix(fila, 4, cantidad(unidades - recibidas));
        }
    }
}
