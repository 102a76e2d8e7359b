#include "reposic/grupos/frmRepGruposAprov.h"

#include "platform/ui/Anclaje.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/modComun.h"
#include "reposic/grupos/ErrorEnLinea.h"
#include "reposic/grupos/GruposAprovisionamiento.h"
#include "reposic/grupos/frmRepGruposAprovDatos.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::GruposAprovisionamiento;
using reposic::modComun;

namespace {

const QString kNoPermitida = QStringLiteral("¡ Operación no permitida !");

QPushButton* boton(QWidget* padre, const QString& texto, const char* nombre)
{
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setAutoDefault(false);
    return b;
}

GruposAprovisionamiento operaciones()
{
    return GruposAprovisionamiento(modComun::empresa(), modComun::conexion());
}

QString tipo(int16_t tipoFichero)
{
    return tipoFichero == 0 ? QStringLiteral("PDF") : QStringLiteral("EXCEL");
}

// Cells one by one: a name may hold a tab.
QStringList fila(const GruposAprovisionamiento::Aprov& a)
{
    return {QString::number(a.codigo), a.nombre, tipo(a.tipoFichero)};
}

void mostrarError(const std::exception& e, const char* procedimiento)
{
    ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
               reposic::TituloError(QStringLiteral("frmRepGruposAprov:")
                                        + QString::fromLatin1(procedimiento), e));
}

}  // namespace

frmRepGruposAprov::frmRepGruposAprov(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepGruposAprov"));
    setWindowTitle(QStringLiteral("Grupos de Aprovisionamiento de Reposición "));
    resize(520, 380);

    vsLineas = new ui::FlexGrid(this);
    vsLineas->setObjectName(QStringLiteral("vsLineas"));
    vsLineas->setFlexSelection(ui::flexSelectionByRow);
    Anclaje = new ui::Anclaje(this);
    Anclaje->setObjectName(QStringLiteral("Anclaje"));
    cmdAgregar = boton(this, QStringLiteral("&Agregar"), "cmdAgregar");
    cmdModificar = boton(this, QStringLiteral("&Modificar"), "cmdModificar");
    cmdEliminar = boton(this, QStringLiteral("&Eliminar"), "cmdEliminar");
    cmdSalir = boton(this, QStringLiteral("&Salir"), "cmdSalir");

    auto* botones = new QVBoxLayout;
    for (QPushButton* b : {cmdAgregar, cmdModificar, cmdEliminar})
        botones->addWidget(b);
    botones->addStretch();
    botones->addWidget(cmdSalir);
    auto* raiz = new QHBoxLayout(this);
    raiz->addWidget(vsLineas, 1);
    raiz->addLayout(botones);

    connect(cmdAgregar, &QPushButton::clicked, this, &frmRepGruposAprov::cmdAgregar_Click);
    connect(cmdModificar, &QPushButton::clicked, this, &frmRepGruposAprov::cmdModificar_Click);
    connect(cmdEliminar, &QPushButton::clicked, this, &frmRepGruposAprov::cmdEliminar_Click);
    connect(cmdSalir, &QPushButton::clicked, this, &frmRepGruposAprov::cmdSalir_Click);
}


void frmRepGruposAprov::Form_Load()
{
    vsLineas->setCols(3);
    vsLineas->setRows(1);
    vsLineas->setColWidth(0, 900);
    vsLineas->setColWidth(1, 1500);
    const char* const titulos[] = {"Codigo", "Nombre", "Fich.Propuesta"};
    const int alineaciones[] = {ui::flexAlignCenterCenter, ui::flexAlignLeftCenter,
                                ui::flexAlignCenterCenter};
    for (int c = 0; c < 3; ++c) {
        vsLineas->setTextMatrix(0, c, QString::fromLatin1(titulos[c]));
        vsLineas->setColAlignment(c, alineaciones[c]);
        vsLineas->setFixedAlignment(c, ui::flexAlignCenterCenter);
    }
    Anclaje->AgregarColumna(vsLineas, 1, 100);
    Cargar();
    habilitarBotones();
}

void frmRepGruposAprov::Cargar()
{
    vsLineas->setRows(1);
    try {
        for (const auto& a : operaciones().lista())
            vsLineas->AddRow(fila(a));
    } catch (const std::exception& e) {
        mostrarError(e, "Cargar");
    }
}

bool frmRepGruposAprov::ExisteGrupoAprov(int16_t codigo, const QString& nombre)
{
    return operaciones().existe(codigo, nombre);
}

bool frmRepGruposAprov::filaDeDatos() const
{
    return vsLineas->Row() >= vsLineas->FixedRows() && vsLineas->Row() < vsLineas->Rows();
}

void frmRepGruposAprov::habilitarBotones()
{
    const bool hay = vsLineas->Rows() > vsLineas->FixedRows();
    cmdModificar->setEnabled(hay);
    cmdEliminar->setEnabled(hay);
}

void frmRepGruposAprov::cmdAgregar_Click()
{
    try {
        frmRepGruposAprovDatos datos(this);
        datos.Cod_Aprov = 0;
        datos.Show(1, this);
        if (!datos.Aceptado)
            return;
        if (ExisteGrupoAprov(datos.Cod_Aprov, datos.Nombre)) {
            ui::MsgBox(QStringLiteral("El grupo de aprovisionamiento especificado ya existe."),
                       ui::vbExclamation | ui::vbOKOnly, kNoPermitida);
            return;
        }
        const GruposAprovisionamiento::Aprov nuevo{datos.Cod_Aprov, datos.Nombre, datos.TipoFichero};
        operaciones().agregar(nuevo);
        vsLineas->AddRow(fila(nuevo));
        vsLineas->setRow(vsLineas->Rows() - 1);
        habilitarBotones();
    } catch (const std::exception& e) {
        mostrarError(e, "cmdAgregar_Click");
    }
}

void frmRepGruposAprov::cmdModificar_Click()
{
    if (!filaDeDatos())
        return;
    try {
        const int f = vsLineas->Row();
        frmRepGruposAprovDatos datos(this);
        datos.Cod_Aprov = reposic::EnteroCorto(vsLineas->TextMatrix(f, 0));
        datos.Nombre = vsLineas->TextMatrix(f, 1);
        datos.TipoFichero = vsLineas->TextMatrix(f, 2) == QStringLiteral("PDF") ? 0 : 1;
        datos.Show(1, this);
        if (!datos.Aceptado)
            return;
        operaciones().modificar({datos.Cod_Aprov, datos.Nombre, datos.TipoFichero});
        vsLineas->setTextMatrix(f, 1, datos.Nombre);
        vsLineas->setTextMatrix(f, 2, tipo(datos.TipoFichero));
    } catch (const std::exception& e) {
        mostrarError(e, "cmdModificar_Click");
    }
}

void frmRepGruposAprov::cmdEliminar_Click()
{
    if (!filaDeDatos())
        return;
    try {
        if (ui::MsgBox(QStringLiteral("¿Desea eliminar el grupo de aprovisionamineto actual?"),
                       ui::vbYesNo | ui::vbQuestion, windowTitle()) != ui::vbYes)
            return;
        const int f = vsLineas->Row();
        if (!operaciones().eliminar(reposic::EnteroCorto(vsLineas->TextMatrix(f, 0)))) {
            ui::MsgBox(QStringLiteral("Existen Grupos de Reposición asociadas al Aprovisionamiento."),
                       ui::vbExclamation | ui::vbOKOnly, kNoPermitida);
            return;
        }
        vsLineas->RemoveItem(f);
        habilitarBotones();
    } catch (const std::exception& e) {
        mostrarError(e, "cmdEliminar_Click");
    }
}

void frmRepGruposAprov::cmdSalir_Click() { descargar(); }
