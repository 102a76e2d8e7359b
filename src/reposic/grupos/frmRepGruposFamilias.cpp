#include "reposic/grupos/frmRepGruposFamilias.h"

#include "host/Utilidades.h"
#include "host/controls/SelectorFamilia.h"
#include "host/controls/SelectorMarca.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/modComun.h"
#include "reposic/grupos/ElementosGrupo.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

namespace {

const QString kAtencion = QStringLiteral("¡ Atención !");

QPushButton* boton(QWidget* padre, const QString& texto, const char* nombre)
{
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setAutoDefault(false);
    return b;
}

QString celda(int32_t codigo, const QString& nombre)
{
    return codigo == 0 ? QString() : QString::number(codigo) + QStringLiteral(" - ") + nombre;
}

// The code a cell starts with ("12 - Frutas" is 12; an empty cell 0).
int32_t codigoDeCelda(const QString& texto)
{
    return static_cast<int32_t>(reposic::ValorTexto(texto));
}

}  // namespace

frmRepGruposFamilias::frmRepGruposFamilias(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepGruposFamilias"));
    setWindowTitle(QStringLiteral("Grupos para Reposición"));
    resize(900, 460);

    auto* filtros = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        lblTFamilia[i] = new QLabel(this);
        lblTFamilia[i]->setObjectName(QStringLiteral("lblTFamilia"));
        lblTFamilia[i]->setProperty("Index", i);
        lblTFamilia[i]->setVisible(false);
        txtFamilia[i] = new host::SelectorFamilia(this);
        txtFamilia[i]->setObjectName(QStringLiteral("txtFamilia"));
        txtFamilia[i]->setProperty("Index", i);
        txtFamilia[i]->setVisible(false);
        filtros->addWidget(lblTFamilia[i], i, 0);
        filtros->addWidget(txtFamilia[i], i, 1);
        connect(txtFamilia[i], &host::SelectorBase::activando, this,
                [this, i] { txtFamilia_Activando(i); });
        connect(txtFamilia[i], &host::SelectorBase::cambio, this, [this, i] { txtFamilia_Cambio(i); });
        connect(txtFamilia[i], &host::SelectorBase::teclaPulsada, this,
                [this, i](int tecla) { txtFamilia_KeyPress(i, tecla); });
    }
    lblMarca = new QLabel(QStringLiteral("Marca"), this);
    lblMarca->setObjectName(QStringLiteral("lblMarca"));
    txtMarca = new host::SelectorMarca(this);
    txtMarca->setObjectName(QStringLiteral("txtMarca"));
    filtros->addWidget(lblMarca, 3, 0);
    filtros->addWidget(txtMarca, 3, 1);

    vsFam = new ui::FlexGrid(this);
    vsFam->setObjectName(QStringLiteral("vsFam"));
    vsFam->setFlexSelection(ui::flexSelectionByRow);
    cmdEliminar = boton(this, QStringLiteral("&Eliminar"), "cmdEliminar");
    cmdOrganizar = boton(this, QStringLiteral("&Organizar"), "cmdOrganizar");
    cmdSalir = boton(this, QStringLiteral("&Salir"), "cmdSalir");

    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdEliminar);
    botones->addWidget(cmdOrganizar);
    botones->addStretch();
    botones->addWidget(cmdSalir);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(filtros);
    raiz->addWidget(vsFam, 1);
    raiz->addLayout(botones);

    connect(txtMarca, &host::SelectorBase::teclaPulsada, this,
            &frmRepGruposFamilias::txtMarca_KeyPress);
    connect(vsFam, &ui::FlexGrid::RowColChange, this, &frmRepGruposFamilias::LimpiarFiltros);
    connect(cmdEliminar, &QPushButton::clicked, this, &frmRepGruposFamilias::cmdEliminar_Click);
    connect(cmdOrganizar, &QPushButton::clicked, this, &frmRepGruposFamilias::cmdOrganizar_Click);
    connect(cmdSalir, &QPushButton::clicked, this, &frmRepGruposFamilias::cmdSalir_Click);
}


void frmRepGruposFamilias::Form_Load()
{
    try {
        const auto empresa = modComun::empresa();
        setWindowTitle(windowTitle() + QStringLiteral("    [") + QString::number(Cod_Grupo)
                       + QStringLiteral(" - ") + Nombre + QStringLiteral("]"));
        // Only the levels the company names are offered.
        for (int i = 0; i < 3; ++i) {
            const QString nivel = empresa->NombreNivel(i);
            if (nivel.isEmpty())
                continue;
            lblTFamilia[i]->setText(nivel);
            lblTFamilia[i]->setVisible(true);
            txtFamilia[i]->setVisible(true);
        }
        txtMarca->setConexion(modComun::conexion());
        txtMarca->setMostrarAviso(true);
        for (int i = 0; i < 3; ++i) {
            txtFamilia[i]->setConexion(modComun::conexion());
            txtFamilia[i]->setEmpresa(empresa);
            txtFamilia[i]->setNivel(static_cast<int16_t>(i + 1));
        }

        vsFam->setRows(1);
        vsFam->setCols(4);
        for (int c = 0; c < 3; ++c) {
            vsFam->setColWidth(c, 2800);
            vsFam->setTextMatrix(0, c, empresa->NombreNivel(c));
        }
        vsFam->setTextMatrix(0, 3, QStringLiteral("Marca"));
        for (int c = 0; c < 4; ++c)
            vsFam->setFixedAlignment(c, ui::flexAlignCenterCenter);
        CargarFamilias();
        LimpiarFiltros();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

void frmRepGruposFamilias::CargarFamilias()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        reposic::ElementosGrupo elementos(modComun::empresa(), modComun::conexion(), Cod_Grupo);
        const auto filas = elementos.elementos();
        vsFam->setRows(1);
        vsFam->setRedraw(false);
        for (const auto& e : filas) {
            agregarFila({e.familia[0], e.familia[1], e.familia[2], e.marca},
                        {e.nombreFamilia[0], e.nombreFamilia[1], e.nombreFamilia[2], e.nombreMarca});
        }
        vsFam->setRedraw(true);
        if (vsFam->Rows() > 1)
            vsFam->setRow(1);
        QApplication::restoreOverrideCursor();
    } catch (const std::exception&) {
        vsFam->setRedraw(true);
        QApplication::restoreOverrideCursor();
        ui::MsgBox(QStringLiteral("Ha ocurrido un error en la carga."),
                   ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

void frmRepGruposFamilias::agregarFila(const std::array<int32_t, 4>& codigos,
                                       const std::array<QString, 4>& nombres)
{
    QStringList celdas;
    for (int c = 0; c < 4; ++c)
        celdas << celda(codigos[c], nombres[c]);
    vsFam->AddRow(celdas);
}

void frmRepGruposFamilias::AgregarElemento()
{
    // The lower levels read their families under the upper codes as they stand now.
    txtFamilia_Activando(1);
    txtFamilia_Activando(2);
    const int32_t f1 = txtFamilia[0]->codigo();
    const int32_t f2 = txtFamilia[1]->codigo();
    const int32_t f3 = txtFamilia[2]->codigo();
    const int32_t marca = txtMarca->codigo();

    // A lower family level only means something under the levels above it.
    QString mensaje;
    if (f1 == 0 && f2 != 0) {
        mensaje = QStringLiteral("No puede dejar en blanco ") + lblTFamilia[0]->text()
            + QStringLiteral(" habiendo especificado ") + lblTFamilia[1]->text() + QStringLiteral(".");
        txtFamilia[0]->setFocus();
    } else if (f3 != 0 && (f1 == 0 || f2 == 0)) {
        mensaje = QStringLiteral("No puede dejar en blanco ") + lblTFamilia[0]->text()
            + QStringLiteral(" o ") + lblTFamilia[1]->text()
            + QStringLiteral(" habiendo especificado ") + lblTFamilia[2]->text() + QStringLiteral(".");
        txtFamilia[f1 == 0 ? 0 : 1]->setFocus();
    } else if (f1 == 0 && f2 == 0 && f3 == 0 && marca == 0) {
        return;
    }
    if (!mensaje.isEmpty()) {
        ui::MsgBox(mensaje, ui::vbExclamation | ui::vbOKOnly, QStringLiteral("Validando ..."));
        return;
    }

    try {
        reposic::ElementosGrupo elementos(modComun::empresa(), modComun::conexion(), Cod_Grupo);
        reposic::ElementosGrupo::Elemento e;
        e.familia = {f1, f2, f3};
        e.marca = marca;
        elementos.agregar(e);
        agregarFila({f1, f2, f3, marca}, {txtFamilia[0]->nombre(), txtFamilia[1]->nombre(),
                                          txtFamilia[2]->nombre(), txtMarca->nombre()});
        vsFam->setRow(vsFam->Rows() - 1);
        LimpiarFiltros();
        txtFamilia[0]->setFocus();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmRepGruposFamilias:AgregarElemento"));
    }
}

void frmRepGruposFamilias::LimpiarFiltros()
{
    for (host::SelectorFamilia* f : txtFamilia) {
        f->setDisponible(true);
        f->reiniciar();
    }
    cmdEliminar->setEnabled(vsFam->Rows() > 1);
    txtMarca->setCodigo(0);
}

void frmRepGruposFamilias::cmdEliminar_Click()
{
    const int fila = vsFam->Row();
    if (vsFam->Rows() <= vsFam->FixedRows() || fila < vsFam->FixedRows())
        return;
    if (ui::MsgBox(QStringLiteral("¿Desea eliminar el elemento actual?"),
                   ui::vbYesNo | ui::vbQuestion, kAtencion) != ui::vbYes)
        return;
    try {
        reposic::ElementosGrupo elementos(modComun::empresa(), modComun::conexion(), Cod_Grupo);
        reposic::ElementosGrupo::Elemento e;
        for (int c = 0; c < 3; ++c)
            e.familia[c] = codigoDeCelda(vsFam->TextMatrix(fila, c));
        e.marca = codigoDeCelda(vsFam->TextMatrix(fila, 3));
        elementos.eliminar(e);
        LimpiarFiltros();
        vsFam->RemoveItem(fila);
        txtFamilia[0]->setFocus();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmRepGruposFamilias:cmdEliminar_Click"));
    }
}

void frmRepGruposFamilias::cmdOrganizar_Click() { CargarFamilias(); }

void frmRepGruposFamilias::cmdSalir_Click() { descargar(); }

void frmRepGruposFamilias::txtFamilia_Activando(int index)
{
    // Each level offers only the families under the ones chosen above it.
    txtFamilia[index]->setNivel(static_cast<int16_t>(index + 1));
    if (index >= 1)
        txtFamilia[index]->setFamilia1(txtFamilia[0]->codigo());
    if (index == 2)
        txtFamilia[index]->setFamilia2(txtFamilia[1]->codigo());
}

void frmRepGruposFamilias::txtFamilia_Cambio(int index)
{
    // A lower family chosen under the old upper one means nothing under the new one.
    for (int j = index + 1; j < 3; ++j)
        txtFamilia[j]->setCodigo(0);
}

void frmRepGruposFamilias::txtFamilia_KeyPress(int index, int tecla)
{
    if (tecla != 13)
        return;
    if (index < 2 && !txtFamilia[index + 1]->isHidden())
        txtFamilia[index + 1]->setFocus();
    else
        host::SiguienteCampo();
}

void frmRepGruposFamilias::txtMarca_KeyPress(int tecla)
{
    if (tecla == 13)
        AgregarElemento();
}

void frmRepGruposFamilias::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        descargar();
        return;
    }
    FormBase::keyPressEvent(event);
}
