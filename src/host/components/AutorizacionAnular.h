#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace host {

// Asks for the supervisor's password before a document is annulled. The password is the host
// configuration's parameter "ClaveSupervisor"; a company without one cannot authorise, since an
// empty password would let anybody through. Wrong password or a cancelled prompt: refused.
// The prompt (objectName "frmAutorizacion", password box "txtClave", buttons "cmdAceptar" and
// "cmdCancelar") is shown through ui::runModal, so tests can play the supervisor.
class AutorizacionAnular {
public:
    static constexpr const char* kParametroClave = "ClaveSupervisor";

    void setConexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }
    void setEmpresa(std::shared_ptr<Empresa> empresa) { empresa_ = std::move(empresa); }
    // The window the prompt stays above; may be left empty.
    void setFormulario(QWidget* formulario) { formulario_ = formulario; }

    bool Autorizar();

private:
    QString claveConfigurada() const;

    db::ConnectionPtr conexion_;
    std::shared_ptr<Empresa> empresa_;
    QPointer<QWidget> formulario_;
};

}  // namespace host
