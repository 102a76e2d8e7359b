#include "host/components/AutorizacionAnular.h"

#include "host/ParametroError.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/RunModal.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace host {

namespace {

const QString kAtencion = QStringLiteral("¡ Atención !");

}  // namespace

QString AutorizacionAnular::claveConfigurada() const
{
    try {
        return empresa_->Parametro(QString::fromLatin1(kParametroClave)).toString();
    } catch (const ParametroError&) {
        return {};
    }
}

bool AutorizacionAnular::Autorizar()
{
    const QString clave = claveConfigurada();
    if (clave.isEmpty()) {
        ui::MsgBox(QStringLiteral("No hay clave de supervisor configurada: no se puede autorizar la anulación."),
                   ui::vbExclamation | ui::vbOKOnly, kAtencion);
        return false;
    }

    QDialog dialogo(formulario_);
    dialogo.setObjectName(QStringLiteral("frmAutorizacion"));
    dialogo.setWindowTitle(QStringLiteral("Autorización de supervisor"));
    auto* txtClave = new QLineEdit(&dialogo);
    txtClave->setObjectName(QStringLiteral("txtClave"));
    txtClave->setEchoMode(QLineEdit::Password);
    auto* cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), &dialogo);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setDefault(true);
    auto* cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), &dialogo);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(&dialogo);
    raiz->addWidget(new QLabel(QStringLiteral("Clave del supervisor:"), &dialogo));
    raiz->addWidget(txtClave);
    raiz->addLayout(botones);
    QObject::connect(cmdAceptar, &QPushButton::clicked, &dialogo, &QDialog::accept);
    QObject::connect(cmdCancelar, &QPushButton::clicked, &dialogo, &QDialog::reject);

    if (ui::runModal(dialogo) != QDialog::Accepted)
        return false;
    if (txtClave->text() != clave) {
        ui::MsgBox(QStringLiteral("Clave de supervisor incorrecta"), ui::vbExclamation | ui::vbOKOnly,
                   kAtencion);
        return false;
    }
    return true;
}

}  // namespace host
