#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"
#include "reposic/frame/FormBase.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QWidget;

namespace reposic {

// What every launcher the host creates does: takes the company and the connection into the
// host context, creates its form on Show, forgets it when the form unloads and unloads it when
// the launcher itself is released. A launcher adds only its form's factory and its extra members:
//
//   class frmclsRepPrefactGenerar : public frmclsBase {
//   public:
//       static void registrar();   // see LanzadorRegistro.h
//   protected:
//       FormBase* crearFormulario() override { return new frmRepPrefacturaGenerar; }
//   };
//
// Nothing is caught here: a failing company call or form load reaches the host as the failure
// of the call it made.
class frmclsBase : public QObject {
    Q_OBJECT

public:
    frmclsBase();
    ~frmclsBase() override;
    frmclsBase(const frmclsBase&) = delete;
    frmclsBase& operator=(const frmclsBase&) = delete;

    // Stores the company, then (unless the screen needs none of them) reads the database login
    // and the current user from its parameters; a missing parameter throws host::ParametroError.
    virtual void EmpresaNorvex(std::shared_ptr<host::Empresa> empresa);
    virtual void ConexionNorvex(db::ConnectionPtr conexion);
    // Modal 0 modeless, 1 modal; OwnerForm may be null.
    virtual void Show(int Modal, QWidget* OwnerForm);

    // The form held, or null (after its unload, or before the first Show).
    FormBase* frmS() const { return frmS_.data(); }

protected:
    // Creates a new instance of the launcher's form (no parent: Show gives it its owner).
    virtual FormBase* crearFormulario() = 0;
    // Hands the launcher's extra members to the form before it is shown.
    virtual void pasarMiembros(FormBase& form) {}
    // False for the screens that use neither the database login nor the module's user code.
    virtual bool leerDatosConexion() const { return true; }

    // The held form, created if there is none (for launchers that show their form their own way).
    FormBase* formulario();

    void frmS_Unload();

private:
    QPointer<FormBase> frmS_;
};

}  // namespace reposic
