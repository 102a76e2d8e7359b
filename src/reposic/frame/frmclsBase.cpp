#include "reposic/frame/frmclsBase.h"

#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/modComun.h"

#include <stdexcept>

namespace reposic {

frmclsBase::frmclsBase() = default;

frmclsBase::~frmclsBase()
{
    if (frmS_) {
        QPointer<FormBase> form = frmS_;
        frmS_ = nullptr;
        disconnect(form, nullptr, this, nullptr);
        form->descargar();
        // Later, not now: the launcher may be released from inside one of the form's own slots.
        if (form)
            form->deleteLater();
    }
}

void frmclsBase::EmpresaNorvex(std::shared_ptr<host::Empresa> empresa)
{
    modComun::setEmpresa(empresa);
    if (!leerDatosConexion())
        return;
    // The host's own call on a missing object fails; so does ours, rather than leave the
    // previous company's login in place.
    if (!empresa)
        throw std::invalid_argument("EmpresaNorvex: no se ha recibido el objeto empresa");
    modComun::setServidor(empresa->Parametro(QStringLiteral("ODBCNombre")).toString());
    modComun::setBaseDatos(empresa->Parametro(QStringLiteral("ODBCBaseDatos")).toString());
    modComun::setUsuario(empresa->Parametro(QStringLiteral("ODBCUsuario")).toString());
    modComun::setPassword(empresa->Parametro(QStringLiteral("ODBCPassword")).toString());
    modComun::setUsuarioActual(EnteroCorto(empresa->Parametro(QStringLiteral("UsuarioActual"))));
}

void frmclsBase::ConexionNorvex(db::ConnectionPtr conexion)
{
    modComun::setConexion(std::move(conexion));
}

FormBase* frmclsBase::formulario()
{
    if (!frmS_) {
        FormBase* form = crearFormulario();
        frmS_ = form;
        connect(form, &FormBase::Unload, this, [this, form] {
            if (frmS_ == form)
                frmS_Unload();
        });
    }
    return frmS_.data();
}

void frmclsBase::Show(int Modal, QWidget* OwnerForm)
{
    FormBase* form = formulario();
    pasarMiembros(*form);
    form->Show(Modal, OwnerForm);
}

void frmclsBase::frmS_Unload()
{
    QPointer<FormBase> form = frmS_;
    frmS_ = nullptr;
    // The form is still inside its own close handling (or exec()): delete it once that returns.
    if (form)
        form->deleteLater();
}

}  // namespace reposic
