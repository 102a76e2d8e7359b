#pragma once

#include "host/Empresa.h"
#include "host/app/MiembrosLanzador.h"
#include "platform/db/Connection.h"

#include <QMainWindow>
#include <QString>

#include <map>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

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
    // Whether the user's rights let them open the screen: its menu entry, the submenu and the
    // menu that hold it are all open to them. A name the menu does not list answers true here;
    // abrir() then tells the user there is no such screen.
    bool puedeAbrir(const QString& clase) const;
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
    QMenu* mnuPantallas_ = nullptr;
    std::map<QString, QAction*> entradas_;        // menu entry by lower-case class
    std::map<QString, QTreeWidgetItem*> hojas_;   // tree leaf by lower-case class
    std::map<QString, std::unique_ptr<reposic::frmclsBase>> lanzadores_;  // by lower-case name
    MiembrosLanzador miembros_;
};

}  // namespace hostapp
