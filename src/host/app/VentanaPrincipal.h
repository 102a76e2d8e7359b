#pragma once

#include "host/Empresa.h"
#include "host/app/MiembrosLanzador.h"
#include "platform/db/Connection.h"

#include <QMainWindow>
#include <QString>

#include <map>
#include <memory>

class QLabel;
class QTreeWidget;

namespace reposic {
class FormBase;
class frmclsBase;
}

namespace hostapp {

// The host's main window: who it runs as, and the module's screens by subsystem. Opening a
// screen creates its launcher by class name, hands it the company and the connection and calls
// Show. The window keeps one launcher per screen for as long as it lives, since releasing a
// launcher closes its form; opening a screen again brings the same form back.
class VentanaPrincipal : public QMainWindow {
    Q_OBJECT

public:
    VentanaPrincipal(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion,
                     QWidget* parent = nullptr);
    ~VentanaPrincipal() override;

    // Opens a screen by launcher class or by the form name of a screen without launcher.
    // Answers false, after telling the user, when there is no such screen or it fails to open.
    bool abrir(const QString& clase);
    // The form a screen opened here holds now (null when closed or never opened).
    reposic::FormBase* formulario(const QString& clase) const;

private:
    void construirMenu();
    void aplicarSeguridad();
    QString descripcionContexto() const;

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
    QLabel* lblEmpresa_;
    QTreeWidget* trvPantallas_;
    std::map<QString, std::unique_ptr<reposic::frmclsBase>> lanzadores_;  // by lower-case name
    MiembrosLanzador miembros_;
};

}  // namespace hostapp
