#include "reposic/visorcfg/frmRepArtVisorCfg.h"
#include "reposic/frame/Nombrar.h"

#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/frame/modComun.h"
#include "reposic/visorcfg/ConfiguracionVisor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

namespace {

using reposic::nombrar;

const QString kAtencion = QStringLiteral("¡ Atención !");
const QString kAsc = QStringLiteral("ASC");
const QString kDesc = QStringLiteral("DESC");

// The entry the user has selected, or -1 (a current row that is not selected does not count).
int seleccionada(const QListWidget* lista)
{
    const QListWidgetItem* item = lista->currentItem();
    return item && item->isSelected() ? lista->currentRow() : -1;
}

void seleccionar(QListWidget* lista, int fila)
{
    lista->setCurrentRow(fila, QItemSelectionModel::ClearAndSelect);
}

void quitarSeleccion(QListWidget* lista)
{
    lista->clearSelection();
    lista->setCurrentRow(-1);
}

QListWidgetItem* copia(const QListWidgetItem* origen)
{
    auto* item = new QListWidgetItem(origen->text());
    item->setData(Qt::UserRole, origen->data(Qt::UserRole));
    return item;
}

reposic::ConfiguracionVisor configuracion()
{
    return reposic::ConfiguracionVisor(modComun::empresa(), modComun::conexion());
}

}  // namespace

frmRepArtVisorCfg::frmRepArtVisorCfg(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepArtVisorCfg"));
    setWindowTitle(QStringLiteral("Configurador Visor de Pedidos"));

    lstOrg = nombrar(new QListWidget(this), "lstOrg");
    lstDst = nombrar(new QListWidget(this), "lstDst");
    vsOrden = nombrar(new ui::FlexGrid(this), "vsOrden");
    Label1 = nombrar(new QLabel(QStringLiteral("Ordenar por"), this), "Label1");
    cmdAgregar = nombrar(new QPushButton(QStringLiteral(">"), this), "cmdAgregar");
    cmdEliminar = nombrar(new QPushButton(QStringLiteral("<"), this), "cmdEliminar");
    cmdSubir = nombrar(new QPushButton(QStringLiteral("Subir"), this), "cmdSubir");
    cmdBajar = nombrar(new QPushButton(QStringLiteral("Bajar"), this), "cmdBajar");
    cmdAgregarOrden = nombrar(new QPushButton(QStringLiteral("Añadir"), this), "cmdAgregarOrden");
    cmdEliminarOrden = nombrar(new QPushButton(QStringLiteral("Quitar"), this), "cmdEliminarOrden");
    cmdSubirOrden = nombrar(new QPushButton(QStringLiteral("Subir"), this), "cmdSubirOrden");
    cmdBajarOrden = nombrar(new QPushButton(QStringLiteral("Bajar"), this), "cmdBajarOrden");
    cmdAscDesc = nombrar(new QPushButton(QStringLiteral("ASC / DESC"), this), "cmdAscDesc");
    cmdAncho = nombrar(new QPushButton(QStringLiteral("Restaurar anchos"), this), "cmdAncho");
    cmdAceptar = nombrar(new QPushButton(QStringLiteral("&Aceptar"), this), "cmdAceptar");
    cmdCancelar = nombrar(new QPushButton(QStringLiteral("&Cancelar"), this), "cmdCancelar");

    auto* columnas = new QGridLayout;
    columnas->addWidget(new QLabel(QStringLiteral("Columnas disponibles"), this), 0, 0);
    columnas->addWidget(new QLabel(QStringLiteral("Columnas visibles"), this), 0, 2);
    columnas->addWidget(lstOrg, 1, 0);
    auto* mover = new QVBoxLayout;
    mover->addStretch();
    mover->addWidget(cmdAgregar);
    mover->addWidget(cmdEliminar);
    mover->addStretch();
    columnas->addLayout(mover, 1, 1);
    columnas->addWidget(lstDst, 1, 2);
    auto* subirBajar = new QVBoxLayout;
    subirBajar->addStretch();
    subirBajar->addWidget(cmdSubir);
    subirBajar->addWidget(cmdBajar);
    subirBajar->addStretch();
    columnas->addLayout(subirBajar, 1, 3);

    auto* orden = new QGridLayout;
    orden->addWidget(Label1, 0, 0);
    orden->addWidget(vsOrden, 1, 0);
    auto* botonesOrden = new QVBoxLayout;
    for (QPushButton* b : {cmdAgregarOrden, cmdEliminarOrden, cmdSubirOrden, cmdBajarOrden,
                           cmdAscDesc})
        botonesOrden->addWidget(b);
    botonesOrden->addStretch();
    orden->addLayout(botonesOrden, 1, 1);

    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdAncho);
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);

    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(columnas);
    raiz->addLayout(orden);
    raiz->addLayout(botones);

    const std::pair<QPushButton*, void (frmRepArtVisorCfg::*)()> acciones[] = {
        {cmdAgregar, &frmRepArtVisorCfg::cmdAgregar_Click},
        {cmdEliminar, &frmRepArtVisorCfg::cmdEliminar_Click},
        {cmdSubir, &frmRepArtVisorCfg::cmdSubir_Click},
        {cmdBajar, &frmRepArtVisorCfg::cmdBajar_Click},
        {cmdAgregarOrden, &frmRepArtVisorCfg::cmdAgregarOrden_Click},
        {cmdEliminarOrden, &frmRepArtVisorCfg::cmdEliminarOrden_Click},
        {cmdSubirOrden, &frmRepArtVisorCfg::cmdSubirOrden_Click},
        {cmdBajarOrden, &frmRepArtVisorCfg::cmdBajarOrden_Click},
        {cmdAscDesc, &frmRepArtVisorCfg::cmdAscDesc_Click},
        {cmdAncho, &frmRepArtVisorCfg::cmdAncho_Click},
        {cmdAceptar, &frmRepArtVisorCfg::cmdAceptar_Click},
        {cmdCancelar, &frmRepArtVisorCfg::cmdCancelar_Click},
    };
    for (const auto& [boton, accion] : acciones)
        connect(boton, &QPushButton::clicked, this, accion);
    cmdAceptar->setDefault(false);
    cmdAceptar->setAutoDefault(false);
}


void frmRepArtVisorCfg::protegido(const char* procedimiento, const std::function<void()>& accion)
{
    try {
        accion();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmRepArtVisorCfg:") + QString::fromLatin1(procedimiento));
    }
}

void frmRepArtVisorCfg::Form_Load()
{
    protegido("Form_Load", [this] {
        const int empresa = modComun::empresa()->CodigoEmpresa();
        const int32_t usuario = configuracion().usuarioActual();
        const int tipo = TipoReposicion;

        lstOrg->clear();
        lstDst->clear();
        Id_Campo = QStringList{QString()};
        {
            db::Recordset rs(modComun::conexion(),
                             QStringLiteral("SELECT Id_Campo, Cod_Campo, Descripcion"
                                            " FROM Reposicion_Columnas"
                                            " WHERE Cod_Empresa =%1"
                                            " ORDER BY Descripcion ASC").arg(empresa));
            for (; !rs.eof(); rs.moveNext()) {
                auto* item = new QListWidgetItem(rs.field(QStringLiteral("Descripcion")).toText());
                item->setData(Qt::UserRole, rs.field(QStringLiteral("Cod_Campo")).toInt());
                lstOrg->addItem(item);
                Id_Campo.append(rs.field(QStringLiteral("Id_Campo")).toText());
            }
        }
        if (lstOrg->count() > 0)
            seleccionar(lstOrg, 0);

        // The user's own layout, else the shared default, else the catalogue's default columns.
        const QString visibles = QStringLiteral(
            " FROM Reposicion_Columnas col"
            " INNER JOIN Reposicion_Columnas_Valores val"
            " ON val.Cod_Empresa = col.Cod_Empresa AND val.Cod_Campo = col.Cod_Campo"
            " WHERE col.Cod_Empresa =%1"
            " AND val.Visible = 1"
            " AND val.TipoReposicion = %2").arg(empresa).arg(tipo);
        int anadidas = mostrarColumnas(QStringLiteral("SELECT col.Id_Campo ") + visibles
                                       + QStringLiteral(" AND val.Cod_Usuario =%1"
                                                        " ORDER BY val.OrdenGrid").arg(usuario));
        if (anadidas == 0) {
            anadidas = mostrarColumnas(QStringLiteral("SELECT col.Id_Campo") + visibles
                                       + QStringLiteral(" AND val.Cod_Usuario = 0"
                                                        " ORDER BY val.OrdenGrid"));
        }
        if (anadidas == 0) {
            QString sql = QStringLiteral("SELECT Id_Campo  FROM Reposicion_Columnas"
                                         " WHERE Cod_Empresa =%1").arg(empresa);
            if (tipo == 1)
                sql += QStringLiteral(" AND ArtCen_DF = 1");
            else if (tipo == 2)
                sql += QStringLiteral(" AND ArtProv_DF = 1");
            mostrarColumnas(sql);
        }

        vsOrden->setCols(3);
        vsOrden->setRows(1);
        vsOrden->setFixedRows(1);
        vsOrden->setFlexSelection(ui::flexSelectionByRow);
        vsOrden->setColWidth(1, 3000);
        vsOrden->setColWidth(2, 1000);
        vsOrden->setTextMatrix(0, 1, QStringLiteral("Campo"));
        vsOrden->setTextMatrix(0, 2, QStringLiteral("Orden"));
        vsOrden->setColAlignment(1, ui::flexAlignLeftCenter);
        vsOrden->setColAlignment(2, ui::flexAlignCenterCenter);
        vsOrden->setColHidden(0, true);
        for (int c = 0; c < 3; ++c)
            vsOrden->setFixedAlignment(c, ui::flexAlignCenterCenter);

        const QString orden = QStringLiteral(
            "SELECT val.Cod_Campo, rep.Descripcion, val.Orden"
            " FROM Reposicion_Columnas_Valores val"
            " INNER JOIN Reposicion_Columnas rep"
            " ON rep.Cod_Empresa = val.Cod_Empresa AND rep.Cod_Campo = val.Cod_Campo"
            " WHERE val.Cod_Empresa =%1"
            " AND val.TipoReposicion =%2").arg(empresa).arg(tipo);
        const QString cola = QStringLiteral(" AND val.Orden IN (1,2)"
                                            " ORDER BY val.OrdenOrderBy");
        for (const QString& usuarioSql : {QStringLiteral(" AND val.Cod_Usuario =%1").arg(usuario),
                                          QStringLiteral(" AND val.Cod_Usuario = 0")}) {
            db::Recordset rs(modComun::conexion(), orden + usuarioSql + cola);
            for (; !rs.eof(); rs.moveNext()) {
                vsOrden->AddItem(rs.field(QStringLiteral("Cod_Campo")).toText() + QLatin1Char('\t')
                                 + rs.field(QStringLiteral("Descripcion")).toText()
                                 + QLatin1Char('\t')
                                 + (rs.field(QStringLiteral("Orden")).toInt() == 1 ? kAsc : kDesc));
            }
            if (vsOrden->Rows() > 1)
                break;
        }
        if (vsOrden->Rows() > 1)
            vsOrden->setRow(1);
    });
}

int frmRepArtVisorCfg::mostrarColumnas(const QString& sql)
{
    int anadidas = 0;
    db::Recordset rs(modComun::conexion(), sql);
    for (; !rs.eof(); rs.moveNext()) {
        // A column no longer in the catalogue is left out.
        const int i = Id_Campo.indexOf(rs.field(QStringLiteral("Id_Campo")).toText(), 1);
        if (i < 1)
            continue;
        lstDst->addItem(copia(lstOrg->item(i - 1)));
        ++anadidas;
    }
    return anadidas;
}

void frmRepArtVisorCfg::cmdAgregar_Click()
{
    protegido("cmdAgregar_Click", [this] {
        const int i = seleccionada(lstOrg);
        if (i < 0)
            return;
        lstDst->addItem(copia(lstOrg->item(i)));
        if (i < lstOrg->count() - 1)
            seleccionar(lstOrg, i + 1);
    });
}

void frmRepArtVisorCfg::cmdEliminar_Click()
{
    protegido("cmdEliminar_Click", [this] {
        const int i = seleccionada(lstDst);
        if (i < 0)
            return;
        delete lstDst->takeItem(i);
        quitarSeleccion(lstOrg);
        if (i > 0)
            seleccionar(lstDst, i - 1);
        else
            quitarSeleccion(lstDst);
    });
}

void frmRepArtVisorCfg::moverEntrada(int desde, int hasta)
{
    QListWidgetItem* item = lstDst->takeItem(desde);
    lstDst->insertItem(hasta, item);
    seleccionar(lstDst, hasta);
}

void frmRepArtVisorCfg::cmdSubir_Click()
{
    protegido("cmdSubir_Click", [this] {
        const int i = seleccionada(lstDst);
        if (i > 0)
            moverEntrada(i, i - 1);
    });
}

void frmRepArtVisorCfg::cmdBajar_Click()
{
    protegido("cmdBajar_Click", [this] {
        const int i = seleccionada(lstDst);
        if (i >= 0 && i < lstDst->count() - 1)
            moverEntrada(i, i + 1);
    });
}

void frmRepArtVisorCfg::cmdAgregarOrden_Click()
{
    protegido("cmdAgregarOrden_Click", [this] {
        const int i = seleccionada(lstOrg);
        if (i < 0)
            return;
        const QListWidgetItem* item = lstOrg->item(i);
        const QString codigo = QString::number(item->data(Qt::UserRole).toInt());
        for (int r = 1; r < vsOrden->Rows(); ++r) {
            if (vsOrden->TextMatrix(r, 0) == codigo)
                return;
        }
        vsOrden->AddItem(codigo + QLatin1Char('\t') + item->text() + QLatin1Char('\t') + kAsc);
        const int nueva = vsOrden->Rows() - 1;
        vsOrden->setRow(nueva);
        if (QTableWidgetItem* celda = vsOrden->item(nueva, 1))
            vsOrden->scrollToItem(celda);
        if (i < lstOrg->count() - 1)
            seleccionar(lstOrg, i + 1);
    });
}

void frmRepArtVisorCfg::cmdEliminarOrden_Click()
{
    protegido("cmdEliminarOrden_Click", [this] {
        const int r = vsOrden->Row();
        if (r < 1)
            return;
        vsOrden->RemoveItem(r);
        quitarSeleccion(lstOrg);
        vsOrden->setRow(r - 1);
    });
}

// A heading row is never moved: only data rows change places.
void frmRepArtVisorCfg::cmdSubirOrden_Click()
{
    protegido("cmdSubirOrden_Click", [this] {
        const int r = vsOrden->Row();
        if (vsOrden->Rows() <= 1 || r <= 1)
            return;
        MoverFilasGrid(r, r - 1);
        vsOrden->setRow(r - 1);
    });
}

void frmRepArtVisorCfg::cmdBajarOrden_Click()
{
    protegido("cmdBajarOrden_Click", [this] {
        const int r = vsOrden->Row();
        if (vsOrden->Rows() <= 1 || r < 1 || r >= vsOrden->Rows() - 1)
            return;
        MoverFilasGrid(r, r + 1);
        vsOrden->setRow(r + 1);
    });
}

void frmRepArtVisorCfg::MoverFilasGrid(int a, int b)
{
    protegido("MoverFilasGrid", [this, a, b] {
        QString aparte[3];
        for (int c = 0; c < 3; ++c)
            aparte[c] = vsOrden->TextMatrix(b, c);
        for (int c = 0; c < 3; ++c) {
            vsOrden->setTextMatrix(b, c, vsOrden->TextMatrix(a, c));
            vsOrden->setTextMatrix(a, c, aparte[c]);
        }
    });
}

void frmRepArtVisorCfg::cmdAscDesc_Click()
{
    protegido("cmdAscDesc_Click", [this] {
        const int r = vsOrden->Row();
        if (r < 1)
            return;
        vsOrden->setTextMatrix(r, 2, vsOrden->TextMatrix(r, 2) == kAsc ? kDesc : kAsc);
    });
}

void frmRepArtVisorCfg::cmdAncho_Click()
{
    protegido("cmdAncho_Click", [this] {
        configuracion().olvidarAnchos(TipoReposicion);
        ui::MsgBox(QStringLiteral("Operación realizada con éxito"),
                   ui::vbOKOnly | ui::vbInformation, kAtencion);
    });
}

void frmRepArtVisorCfg::cmdAceptar_Click()
{
    protegido("cmdAceptar_Click", [this] {
        QVector<int> visibles;
        for (int i = 0; i < lstDst->count(); ++i)
            visibles.append(lstDst->item(i)->data(Qt::UserRole).toInt());

        // The viewer cannot work without the bar code, the article and the units to order.
        const std::pair<int, const char*> obligatorias[] = {
            {1, "El EAN es obligatorio. Debe incluirlo"},
            {3, "El código de artículo es obligatorio. Debe incluirlo"},
            {7, "Las unidades/cajas a pedir es obligatorio. Debe incluirlo"},
        };
        for (const auto& [codigo, mensaje] : obligatorias) {
            if (!visibles.contains(codigo)) {
                ui::MsgBox(QString::fromUtf8(mensaje), ui::vbOKOnly | ui::vbExclamation,
                           kAtencion);
                return;
            }
        }

        QVector<reposic::ConfiguracionVisor::Orden> orden;
        for (int r = 1; r < vsOrden->Rows(); ++r)
            orden.append({vsOrden->TextMatrix(r, 0).toInt(), vsOrden->TextMatrix(r, 2)});

        configuracion().grabar(TipoReposicion, visibles, orden);
        Result = true;
        descargar();
    });
}

void frmRepArtVisorCfg::cmdCancelar_Click()
{
    Result = false;
    descargar();
}
