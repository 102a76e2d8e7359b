#include "host/components/AutorizacionAnular.h"

#include "host/ClaveSupervisor.h"
#include "host/ParametroError.h"
#include "host/components/IntentosClave.h"
#include "host/components/LogOperaciones.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/RunModal.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

#include <cmath>
#include <exception>
#include <limits>

namespace host {

namespace {

const QString kAtencion = QStringLiteral("¡ Atención !");

QString hora(const QDateTime& momento)
{
    return momento.toLocalTime().toString(QStringLiteral("HH:mm"));
}

}  // namespace

int16_t AutorizacionAnular::usuarioActual() const
{
    try {
        bool ok = false;
        const double n = empresa_->Parametro(QStringLiteral("UsuarioActual")).toString().trimmed()
                             .toDouble(&ok);
        if (!ok || std::abs(n) > std::numeric_limits<int16_t>::max())
            return 0;
        return static_cast<int16_t>(std::lround(n));
    } catch (const ParametroError&) {
        return 0;
    }
}

// The refusal is recorded with who asked and from which workstation; never the key typed.
void AutorizacionAnular::registrarRechazo(int16_t usuario, int16_t operacion,
                                          const QString& motivo) const
{
    LogOperaciones log;
    log.setConexion(conexion_);
    log.setEmpresa(empresa_);
    log.Usuario = usuario;
    log.TipoDocumento = kTipoDocumentoSeguridad;
    log.Operacion = operacion;
    log.Cod_Documento = 0;
    log.Comentario = motivo + QStringLiteral("; puesto ") + QSysInfo::machineHostName();
    log.Grabar();
}

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
    if (!ClaveSupervisor::valida(clave)) {
        ui::MsgBox(QStringLiteral("La clave de supervisor configurada no es válida: no se puede "
                                  "autorizar la anulación."),
                   ui::vbExclamation | ui::vbOKOnly, kAtencion);
        return false;
    }
    try {
        const int16_t usuario = usuarioActual();
        IntentosClave intentos(conexion_, usuario);
        if (const auto hasta = intentos.bloqueadoHasta()) {
            registrarRechazo(usuario, kOperacionBloqueada,
                             QStringLiteral("Autorización rechazada: usuario bloqueado hasta las ")
                                 + hora(*hasta));
            ui::MsgBox(QStringLiteral("Demasiadas claves de supervisor incorrectas: las "
                                      "autorizaciones del usuario %1 están bloqueadas hasta las %2.")
                           .arg(usuario).arg(hora(*hasta)),
                       ui::vbExclamation | ui::vbOKOnly, kAtencion);
            return false;
        }
        QString tecleada;
        if (!pedirClave(tecleada))
            return false;
        if (!ClaveSupervisor::comprobar(clave, tecleada)) {
            const auto bloqueo = intentos.registrarFallo();
            registrarRechazo(usuario, kOperacionClaveIncorrecta,
                             QStringLiteral("Clave de supervisor incorrecta"));
            QString texto = QStringLiteral("Clave de supervisor incorrecta");
            if (bloqueo)
                texto += QStringLiteral(".\n%1 intentos fallidos: las autorizaciones del usuario "
                                        "%2 quedan bloqueadas hasta las %3.")
                             .arg(IntentosClave::kFallosMaximos).arg(usuario).arg(hora(*bloqueo));
            ui::MsgBox(texto, ui::vbExclamation | ui::vbOKOnly, kAtencion);
            return false;
        }
        intentos.registrarAcierto();
        return true;
    } catch (const std::exception& e) {
        // Without the count the lock cannot be enforced: refuse rather than let the key through.
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly, kAtencion);
        return false;
    }
}

bool AutorizacionAnular::pedirClave(QString& tecleada)
{
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
    tecleada = txtClave->text();
    return true;
}

}  // namespace host
