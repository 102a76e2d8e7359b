#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace reposic {

// Restricts the controls of a form by the rights the current user's security groups hold
// (SGD_Controles_Grupos), and keeps the security tables in step with the form's real controls so
// that an administrator can grant rights on each of them.
//
//   clsControlSeg seg;
//   seg.setUsuario(usuario); seg.cEmpresa(empresa); seg.Conexion(conexion);
//   seg.setContentForm(form);   // once its controls exist
//   seg.SetStateAllControl();
//
// Registration only runs when the connection's server is the installation's registration server
// (setServidorRegistro, given by the host's configuration): the other servers never rewrite the
// shared tables. Any failure is shown in one box and stops the application of rights.
//
// What counts as a control: every named widget of the form (objectName, not Qt's own "qt_..."),
// looked for inside plain containers (group boxes, frames, tab and stacked pages) but not inside
// other controls. A member of a control array carries its number in the dynamic property "Index".
// Tab order: a "TabIndex" property when the widget has one, else its place in the form's focus
// chain; a widget that never takes focus gets the number of controls. A widget with an
// "AccessLevel" property receives the permission there and applies it itself.
// The menus of the form's menu bar are controls too, as the menus of a form always were: each
// named menu and each named entry in it (QAction), so a right can close a whole menu or one entry.
// On a menu or an entry, 0 shows it and 1 or 2 disable it.
class clsControlSeg : public QObject {
    Q_OBJECT

public:
    explicit clsControlSeg(QObject* parent = nullptr);
    ~clsControlSeg() override;

    int32_t Usuario() const { return usuario_; }
    void setUsuario(int32_t v) { usuario_ = v; }
    void cEmpresa(std::shared_ptr<host::Empresa> Emp) { empresa_ = std::move(Emp); }
    void Conexion(db::ConnectionPtr pconexion) { conexion_ = std::move(pconexion); }
    QWidget* ContentForm() const { return form_.data(); }
    // A different form is registered anew and gets its own dictionary of controls.
    void setContentForm(QWidget* vData);

    void SetStateAllControl();
    // 0 visible, 1 read-only (greyed), 2 disabled and flat; any other value changes nothing.
    // Ctrl is a widget, a menu or a menu entry.
    void setControlState(QObject* Ctrl, int state);

    // The server (as @@SERVERNAME answers it, case ignored) on which forms are registered.
    // Empty: registration runs nowhere.
    static void setServidorRegistro(const QString& servidor);
    static QString servidorRegistro();

    struct Control {
        QObject* widget = nullptr;  // a QWidget, or a QAction for a menu entry
        QString nombre;
        QString indice;  // the "Index" property as text, empty outside a control array
        int tabIndex = 0;
    };
    // The form's controls in the form's order, as registration writes them.
    static QList<Control> controlesDe(QWidget* form);

signals:
    void AfterSetStateAllControls();
    void AfterSetStateControl(QObject* Ctrl, int state);

private:
    void registrar();
    void aplicarPermisos();
    const QHash<QString, QPointer<QObject>>& diccionario();
    bool noProcesarPermisos() const;

    int32_t usuario_ = 0;
    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
    QPointer<QWidget> form_;
    QHash<QString, QPointer<QObject>> controles_;
    bool diccionarioHecho_ = false;
    bool registrado_ = false;
};

}  // namespace reposic
