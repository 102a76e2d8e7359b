#include "reposic/grupos/frmRepGruposAprovDatos.h"

#include "host/Utilidades.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NumericBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kAtencion = QStringLiteral("¡ Atención !");

}  // namespace

frmRepGruposAprovDatos::frmRepGruposAprovDatos(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepGruposAprovDatos"));
    setWindowTitle(QStringLiteral("Grupos de Aprovisionamiento de Reposición "));

    txtCodigo = new ui::NumericBox(this);
    txtCodigo->setObjectName(QStringLiteral("txtCodigo"));
    // Whole codes that fit the table's small integer.
    txtCodigo->setDecimales(0);
    txtCodigo->setMaxValue(32767);
    txtNombre = new QLineEdit(this);
    txtNombre->setObjectName(QStringLiteral("txtNombre"));
    txtNombre->setMaxLength(50);
    cboTipoFichero = new QComboBox(this);
    cboTipoFichero->setObjectName(QStringLiteral("cboTipoFichero"));
    cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Código"), txtCodigo);
    campos->addRow(QStringLiteral("Nombre"), txtNombre);
    campos->addRow(QStringLiteral("Fichero propuesta"), cboTipoFichero);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(campos);
    raiz->addLayout(botones);

    cboTipoFichero->installEventFilter(this);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmRepGruposAprovDatos::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmRepGruposAprovDatos::cmdCancelar_Click);
}


void frmRepGruposAprovDatos::Form_Load()
{
    // The list position is the stored file type.
    cboTipoFichero->addItems({QStringLiteral("PDF"), QStringLiteral("EXCEL")});
    cboTipoFichero->setCurrentIndex(0);
    if (Cod_Aprov != 0) {
        txtCodigo->setValue(Cod_Aprov);
        txtNombre->setText(Nombre);
        txtCodigo->setReadOnly(true);
        cboTipoFichero->setCurrentIndex(TipoFichero == 1 ? 1 : 0);
    }
}

bool frmRepGruposAprovDatos::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboTipoFichero && event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(event)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            host::SiguienteCampo();
            return true;
        }
    }
    return FormBase::eventFilter(watched, event);
}

void frmRepGruposAprovDatos::cmdAceptar_Click()
{
    if (static_cast<int>(txtCodigo->Value()) == 0) {
        ui::MsgBox(QStringLiteral("Se esperaba código."), ui::vbInformation | ui::vbOKOnly, kAtencion);
        txtCodigo->clear();
        txtCodigo->setFocus();
        return;
    }
    if (txtNombre->text().isEmpty()) {
        ui::MsgBox(QStringLiteral("Se esperaba Nombre."), ui::vbInformation | ui::vbOKOnly, kAtencion);
        txtNombre->setFocus();
        return;
    }
    Nombre = txtNombre->text();
    Cod_Aprov = static_cast<int16_t>(txtCodigo->Value());
    TipoFichero = static_cast<int16_t>(cboTipoFichero->currentIndex());
    Aceptado = true;
    descargar();
}

void frmRepGruposAprovDatos::cmdCancelar_Click()
{
    Aceptado = false;
    descargar();
}
