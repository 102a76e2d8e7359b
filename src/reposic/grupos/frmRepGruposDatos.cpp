#include "reposic/grupos/frmRepGruposDatos.h"

#include "platform/ui/MsgBox.h"
#include "reposic/frame/modComun.h"
#include "reposic/grupos/ErrorEnLinea.h"
#include "reposic/grupos/GruposReposicion.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

frmRepGruposDatos::frmRepGruposDatos(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepGruposDatos"));
    setWindowTitle(QStringLiteral("Grupos para Reposición"));

    txtNombre = new QLineEdit(this);
    txtNombre->setObjectName(QStringLiteral("txtNombre"));
    txtNombre->setMaxLength(50);
    cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Nombre"), txtNombre);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(campos);
    raiz->addLayout(botones);

    connect(cmdAceptar, &QPushButton::clicked, this, &frmRepGruposDatos::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmRepGruposDatos::cmdCancelar_Click);
}


void frmRepGruposDatos::Form_Load()
{
    if (Cod_Grupo != 0)
        txtNombre->setText(Nombre);
}

void frmRepGruposDatos::cmdAceptar_Click()
{
    if (txtNombre->text().isEmpty()) {
        ui::MsgBox(QStringLiteral("Se esperaba Nombre."), ui::vbInformation | ui::vbOKOnly,
                   QStringLiteral("¡ Atención !"));
        txtNombre->setFocus();
        return;
    }
    try {
        if (Cod_Grupo == 0) {
            reposic::GruposReposicion grupos(modComun::empresa(), modComun::conexion());
            Cod_Grupo = grupos.siguienteCodigo();
        }
        Nombre = txtNombre->text();
        Aceptado = true;
        descargar();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   reposic::TituloError(QStringLiteral("frmRepGruposDatos:cmdAceptar_Click"), e));
    }
}

void frmRepGruposDatos::cmdCancelar_Click() { descargar(); }
