#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace host {

// Asks for the supervisor's password before a document is annulled. The password is the host
// configuration's parameter "ClaveSupervisor", in clear or hashed (see ClaveSupervisor); a
// company without one cannot authorise, since an empty password would let anybody through.
// Wrong password or a cancelled prompt: refused. Three wrong passwords from one user within 15
// minutes refuse that user for 15 minutes (IntentosClave); every refusal is written to the
// operation log (document type 90) with the user and the workstation, never the key typed.
// The prompt (objectName "frmAutorizacion", password box "txtClave", buttons "cmdAceptar" and
// "cmdCancelar") is shown through ui::runModal, so tests can play the supervisor.
class AutorizacionAnular {
public:
    static constexpr const char* kParametroClave = "ClaveSupervisor";
    static constexpr int16_t kTipoDocumentoSeguridad = 90;
    static constexpr int16_t kOperacionClaveIncorrecta = 1;
    static constexpr int16_t kOperacionBloqueada = 2;

    void setConexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }
    void setEmpresa(std::shared_ptr<Empresa> empresa) { empresa_ = std::move(empresa); }
    // The window the prompt stays above; may be left empty.
    void setFormulario(QWidget* formulario) { formulario_ = formulario; }

    bool Autorizar();

private:
    QString claveConfigurada() const;
    int16_t usuarioActual() const;
    bool pedirClave(QString& tecleada);
    void registrarRechazo(int16_t usuario, int16_t operacion, const QString& motivo) const;

    db::ConnectionPtr conexion_;
    std::shared_ptr<Empresa> empresa_;
    QPointer<QWidget> formulario_;
};

}  // namespace host
