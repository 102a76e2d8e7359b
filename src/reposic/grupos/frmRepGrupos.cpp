#include "reposic/grupos/frmRepGrupos.h"

#include "platform/ui/Anclaje.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/modComun.h"
#include "reposic/grupos/ErrorEnLinea.h"
#include "reposic/grupos/GruposAprovisionamiento.h"
#include "reposic/grupos/GruposReposicion.h"
#include "reposic/grupos/frmPedirAprovisionamiento.h"
#include "reposic/grupos/frmRepGruposDatos.h"
#include "reposic/grupos/frmRepGruposFamilias.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using reposic::modComun;

namespace {

const QString kAtencion = QStringLiteral("¡ Atención !");
const QString kNoPermitida = QStringLiteral("¡ Operación no permitida !");

QPushButton* boton(QWidget* padre, const QString& texto, const char* nombre)
{
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setAutoDefault(false);
    return b;
}

reposic::GruposReposicion operaciones()
{
    return reposic::GruposReposicion(modComun::empresa(), modComun::conexion());
}

}  // namespace

frmRepGrupos::frmRepGrupos(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepGrupos"));
    setWindowTitle(QStringLiteral("Grupos de Reposición"));
    resize(520, 380);

    vsLineas = new ui::FlexGrid(this);
    vsLineas->setObjectName(QStringLiteral("vsLineas"));
    vsLineas->setFlexSelection(ui::flexSelectionByRow);
    Anclaje = new ui::Anclaje(this);
    Anclaje->setObjectName(QStringLiteral("Anclaje"));
    cmdAgregar = boton(this, QStringLiteral("&Agregar"), "cmdAgregar");
    cmdModificar = boton(this, QStringLiteral("&Modificar"), "cmdModificar");
    cmdEliminar = boton(this, QStringLiteral("&Eliminar"), "cmdEliminar");
    cmdPropiedades = boton(this, QStringLiteral("&Propiedades"), "cmdPropiedades");
    cmdSalir = boton(this, QStringLiteral("&Salir"), "cmdSalir");

    auto* botones = new QVBoxLayout;
    for (QPushButton* b : {cmdAgregar, cmdModificar, cmdEliminar, cmdPropiedades})
        botones->addWidget(b);
    botones->addStretch();
    botones->addWidget(cmdSalir);
    auto* raiz = new QHBoxLayout(this);
    raiz->addWidget(vsLineas, 1);
    raiz->addLayout(botones);

    connect(cmdAgregar, &QPushButton::clicked, this, &frmRepGrupos::cmdAgregar_Click);
    connect(cmdModificar, &QPushButton::clicked, this, &frmRepGrupos::cmdModificar_Click);
    connect(cmdEliminar, &QPushButton::clicked, this, &frmRepGrupos::cmdEliminar_Click);
    connect(cmdPropiedades, &QPushButton::clicked, this, &frmRepGrupos::cmdPropiedades_Click);
    connect(cmdSalir, &QPushButton::clicked, this, &frmRepGrupos::cmdSalir_Click);
}


void frmRepGrupos::Form_Load()
{
    vsLineas->setCols(2);
    vsLineas->setRows(1);
    vsLineas->setColWidth(0, 900);
    vsLineas->setColWidth(1, 4000);
    vsLineas->setTextMatrix(0, 0, QStringLiteral("Codigo"));
    vsLineas->setTextMatrix(0, 1, QStringLiteral("Nombre"));
    vsLineas->setColAlignment(0, ui::flexAlignCenterCenter);
    vsLineas->setColAlignment(1, ui::flexAlignLeftCenter);
    vsLineas->setFixedAlignment(0, ui::flexAlignCenterCenter);
    vsLineas->setFixedAlignment(1, ui::flexAlignCenterCenter);
    Anclaje->AgregarColumna(vsLineas, 1, 100);

    try {
        if (Cod_Aprov == 0)
            Cod_Aprov = aprovisionamientoDelUsuario();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmRepGrupos:Form_Load"));
        Cod_Aprov = 0;
    }

    if (Cod_Aprov != 0) {
        CargarGrupos();
        habilitarBotones();
        return;
    }
    ui::MsgBox(QStringLiteral("Código Grupo de Aprovisionamiento incorrecto"),
               ui::vbInformation | ui::vbOKOnly, kAtencion);
    // Closed once the show that loaded it has finished: a modal show cannot end inside itself.
    QTimer::singleShot(0, this, [this] { descargar(); });
}

int16_t frmRepGrupos::aprovisionamientoDelUsuario()
{
    const auto empresa = modComun::empresa();
    reposic::GruposAprovisionamiento aprov(empresa, modComun::conexion());
    const auto candidatos =
        aprov.permitidos(reposic::GruposAprovisionamiento::usuarioActual(*empresa));
    // Only a single candidate is taken without asking.
    if (candidatos.size() == 1)
        return candidatos.front().codigo;
    frmPedirAprovisionamiento pedir(this);
    pedir.Show(1, this);
    return pedir.Cod_Aprov;
}

void frmRepGrupos::CargarGrupos()
{
    vsLineas->setRows(1);
    try {
        for (const auto& g : operaciones().grupos(Cod_Aprov))
            vsLineas->AddRow({QString::number(g.codigo), g.nombre});
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
    }
}

bool frmRepGrupos::ExisteGrupo(int16_t codigo, const QString& nombre)
{
    return operaciones().existe(Cod_Aprov, codigo, nombre);
}

bool frmRepGrupos::filaDeDatos() const
{
    return vsLineas->Row() >= vsLineas->FixedRows() && vsLineas->Row() < vsLineas->Rows();
}

void frmRepGrupos::habilitarBotones()
{
    const bool hay = vsLineas->Rows() > vsLineas->FixedRows();
    cmdModificar->setEnabled(hay);
    cmdEliminar->setEnabled(hay);
}

void frmRepGrupos::cmdAgregar_Click()
{
    try {
        frmRepGruposDatos datos(this);
        datos.Cod_Grupo = 0;
        datos.Show(1, this);
        if (!datos.Aceptado)
            return;
        if (ExisteGrupo(datos.Cod_Grupo, datos.Nombre)) {
            ui::MsgBox(QStringLiteral("El grupo especificado ya existe."),
                       ui::vbExclamation | ui::vbOKOnly, kNoPermitida);
            return;
        }
        operaciones().agregar(Cod_Aprov, datos.Cod_Grupo, datos.Nombre);
        vsLineas->AddRow({QString::number(datos.Cod_Grupo), datos.Nombre});
        vsLineas->setRow(vsLineas->Rows() - 1);  // the new group is the one to work on next
        habilitarBotones();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmRepGrupos:cmdAgregar_Click"));
    }
}

void frmRepGrupos::cmdModificar_Click()
{
    if (!filaDeDatos())
        return;
    try {
        const int fila = vsLineas->Row();
        frmRepGruposDatos datos(this);
        datos.Cod_Grupo = reposic::EnteroCorto(vsLineas->TextMatrix(fila, 0));
        datos.Nombre = vsLineas->TextMatrix(fila, 1);
        datos.Show(1, this);
        if (!datos.Aceptado)
            return;
        operaciones().renombrar(datos.Cod_Grupo, datos.Nombre);
        vsLineas->setTextMatrix(fila, 1, datos.Nombre);
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmRepGrupos:cmdModificar_Click"));
    }
}

bool frmRepGrupos::Validar_Eliminar_GrupoRep(int16_t codigo)
{
    try {
        const QString motivo = operaciones().impedimentoEliminar(codigo);
        if (motivo.isEmpty())
            return false;
        ui::MsgBox(motivo, ui::vbExclamation | ui::vbOKOnly, kNoPermitida);
        return true;
    } catch (const std::exception& e) {
        // A check that could not be made must not let the deletion through unchecked.
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   reposic::TituloError(QStringLiteral("frmRepGrupos:Validar_Eliminar_GrupoRep"), e));
        return true;
    }
}

void frmRepGrupos::cmdEliminar_Click()
{
    if (!filaDeDatos())
        return;
    try {
        if (ui::MsgBox(QStringLiteral("¿Desea eliminar el grupo actual?"),
                       ui::vbYesNo | ui::vbQuestion, windowTitle()) != ui::vbYes)
            return;
        const int fila = vsLineas->Row();
        const int16_t codigo = reposic::EnteroCorto(vsLineas->TextMatrix(fila, 0));
        if (Validar_Eliminar_GrupoRep(codigo))
            return;
        operaciones().eliminar(codigo);
        vsLineas->RemoveItem(fila);
        habilitarBotones();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmAlmacen_RepGrupos:cmdEliminar_Click"));
    }
}

void frmRepGrupos::cmdPropiedades_Click()
{
    if (!filaDeDatos())
        return;
    try {
        frmRepGruposFamilias familias(this);
        familias.Cod_Grupo = reposic::EnteroCorto(vsLineas->TextMatrix(vsLineas->Row(), 0));
        familias.Nombre = vsLineas->TextMatrix(vsLineas->Row(), 1);
        familias.Show(1, this);
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmRepGrupos:cmdPropiedades_Click"));
    }
}

void frmRepGrupos::cmdSalir_Click() { descargar(); }
