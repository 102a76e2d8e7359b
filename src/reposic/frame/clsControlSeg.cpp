#include "reposic/frame/clsControlSeg.h"

#include "host/ParametroError.h"
#include "platform/db/Command.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"
#include "platform/ui/MsgBox.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>

#include <stdexcept>

namespace reposic {

namespace {

QString& servidorConfigurado()
{
    static QString servidor;
    return servidor;
}

bool esNombreDeControl(const QString& nombre)
{
    return !nombre.isEmpty() && !nombre.startsWith(QLatin1String("qt_"));
}

// Widgets that only hold other controls: their contents are controls of the form too. Any other
// named widget is one control, whatever widgets it is built from.
bool esContenedor(const QWidget* w)
{
    const QMetaObject* mo = w->metaObject();
    return mo == &QWidget::staticMetaObject || mo == &QFrame::staticMetaObject
        || qobject_cast<const QGroupBox*>(w) || qobject_cast<const QTabWidget*>(w)
        || qobject_cast<const QStackedWidget*>(w) || qobject_cast<const QScrollArea*>(w)
        || qobject_cast<const QSplitter*>(w);
}

// A menu's named submenus and entries, in the order the menu shows them.
void recogerMenu(const QList<QAction*>& acciones, QList<QObject*>& salida)
{
    for (QAction* a : acciones) {
        if (QMenu* sub = a->menu()) {
            if (esNombreDeControl(sub->objectName()))
                salida.append(sub);
            recogerMenu(sub->actions(), salida);
        } else if (esNombreDeControl(a->objectName())) {
            salida.append(a);
        }
    }
}

void recoger(QWidget* padre, QList<QObject*>& salida)
{
    for (QObject* o : padre->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow())
            continue;
        if (auto* barra = qobject_cast<QMenuBar*>(w)) {
            recogerMenu(barra->actions(), salida);
            continue;
        }
        const bool nombrado = esNombreDeControl(w->objectName());
        if (nombrado)
            salida.append(w);
        if (!nombrado || esContenedor(w))
            recoger(w, salida);
    }
}

QString indiceDe(const QObject* w)
{
    const QVariant indice = w->property("Index");
    return indice.isValid() ? QString::number(indice.toInt()) : QString();
}

QString clave(const QString& nombre, const QString& indice)
{
    // Control names are looked up whatever their case, as the security tables compare them.
    return nombre.trimmed().toLower() + QLatin1Char('!') + indice.trimmed();
}

bool leerBooleano(const QVariant& v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const QString texto = v.toString().trimmed();
    if (texto.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
        || texto.compare(QLatin1String("verdadero"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const double n = texto.toDouble(&ok);
    return ok && n != 0;
}

// A menu or one of its entries: shown, or closed to the user.
void aplicarAMenu(QObject* c, int state)
{
    QAction* accion = qobject_cast<QAction*>(c);
    auto* menu = qobject_cast<QMenu*>(c);
    if (menu)
        accion = menu->menuAction();
    if (state == 0) {
        accion->setVisible(true);
    } else if (state == 1 || state == 2) {
        accion->setEnabled(false);
        if (menu)
            menu->setEnabled(false);
    }
}

void aplicarEnGris(QWidget* c)
{
    const QColor gris = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    QPalette p = c->palette();
    for (QPalette::ColorRole rol : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(rol, gris);
    c->setPalette(p);
    // Read-only where the control can be; otherwise it cannot be used at all.
    if (c->property("Locked").isValid())
        c->setProperty("Locked", true);
    else if (c->metaObject()->indexOfProperty("readOnly") >= 0)
        c->setProperty("readOnly", true);
    else
        c->setEnabled(false);
}

void aplicarDeshabilitado(QWidget* c)
{
    c->setEnabled(false);
    if (auto* e = qobject_cast<QLineEdit*>(c))
        e->setFrame(false);
    else if (auto* s = qobject_cast<QAbstractSpinBox*>(c))
        s->setFrame(false);
    else if (auto* b = qobject_cast<QComboBox*>(c))
        b->setFrame(false);
    else if (auto* f = qobject_cast<QFrame*>(c))
        f->setFrameShape(QFrame::NoFrame);
    if (QWidget* contenedor = c->parentWidget()) {
        const QColor fondo = contenedor->palette().color(contenedor->backgroundRole());
        QPalette p = c->palette();
        for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            for (QPalette::ColorRole rol : {QPalette::Window, QPalette::Base, QPalette::Button})
                p.setColor(g, rol, fondo);
        c->setPalette(p);
        c->setAutoFillBackground(true);
    }
}

}  // namespace

clsControlSeg::clsControlSeg(QObject* parent) : QObject(parent)
{
}

clsControlSeg::~clsControlSeg() = default;

void clsControlSeg::setServidorRegistro(const QString& servidor)
{
    servidorConfigurado() = servidor.trimmed();
}

QString clsControlSeg::servidorRegistro()
{
    return servidorConfigurado();
}

void clsControlSeg::setContentForm(QWidget* vData)
{
    if (vData == form_.data())
        return;
    form_ = vData;
    controles_.clear();
    diccionarioHecho_ = false;
    registrado_ = false;
}

QList<clsControlSeg::Control> clsControlSeg::controlesDe(QWidget* form)
{
    QList<QObject*> widgets;
    if (form)
        recoger(form, widgets);

    // Tab order: the focus chain, each control counted once at its first focusable widget.
    QHash<QObject*, int> orden;
    int posicion = 0;
    int vueltas = 0;
    for (QWidget* w = form ? form->nextInFocusChain() : nullptr; w && w != form;
         w = w->nextInFocusChain()) {
        if (++vueltas > 100000)
            break;
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        for (QWidget* a = w; a && a != form; a = a->parentWidget()) {
            if (widgets.contains(a)) {
                if (!orden.contains(a))
                    orden.insert(a, posicion++);
                break;
            }
        }
    }

    QList<Control> salida;
    salida.reserve(widgets.size());
    for (QObject* w : widgets) {
        Control c;
        c.widget = w;
        c.nombre = w->objectName();
        c.indice = indiceDe(w);
        const QVariant tab = w->property("TabIndex");
        c.tabIndex = tab.isValid() ? tab.toInt() : orden.value(w, int(widgets.size()));
        salida.append(c);
    }
    return salida;
}

const QHash<QString, QPointer<QObject>>& clsControlSeg::diccionario()
{
    if (!diccionarioHecho_) {
        for (const Control& c : controlesDe(form_.data())) {
            const QString k = clave(c.nombre, c.indice);
            if (!controles_.contains(k))
                controles_.insert(k, c.widget);
        }
        diccionarioHecho_ = true;
    }
    return controles_;
}

void clsControlSeg::SetStateAllControl()
{
    try {
        if (!conexion_)
            throw std::logic_error("clsControlSeg: no se ha asignado la conexión");
        if (!empresa_)
            throw std::logic_error("clsControlSeg: no se ha asignado la empresa");
        if (!form_)
            throw std::logic_error("clsControlSeg: no se ha asignado el formulario");
        if (!registrado_) {
            registrar();
            registrado_ = true;
        }
        if (noProcesarPermisos())
            return;
        aplicarPermisos();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("clsControlSeg:SetStateAllControl"));
        return;
    }
    emit AfterSetStateAllControls();
}

bool clsControlSeg::noProcesarPermisos() const
{
    // A host without the parameter simply applies the rights.
    try {
        return leerBooleano(empresa_->Parametro(QStringLiteral("NoProcesarPermisosControles")));
    } catch (const host::ParametroError&) {
        return false;
    }
}

void clsControlSeg::registrar()
{
    const QString servidor =
        conexion_->scalar(QStringLiteral("SELECT ISNULL(@@SERVERNAME, '')")).toText();
    const QString configurado = servidorRegistro();
    if (configurado.isEmpty() || servidor.trimmed().toUpper() != configurado.toUpper())
        return;

    const QString nombreForm = form_->objectName();
    if (nombreForm.isEmpty())
        throw std::logic_error("clsControlSeg: el formulario no tiene nombre");

    // One transaction: a registration cut short would leave this form's controls marked as
    // missing, and the next registration of any form would delete the rights granted on them.
    db::Transaction tx(conexion_);

    int32_t codigo = 0;
    {
        db::Recordset rs(conexion_, QStringLiteral("SELECT cod_Formulario  FROM SGD_Formularios"
                                                   " WHERE Nombre =")
                                        + db::sqlText(nombreForm));
        if (!rs.eof())
            codigo = rs.field(0).toInt();
    }
    if (codigo == 0) {
        codigo = conexion_->scalar(QStringLiteral(
                     "SELECT Max(Cod_Formulario) AS codigo FROM SGD_Formularios")).toInt() + 1;
        conexion_->execute(QStringLiteral("INSERT INTO SGD_Formularios (Cod_Formulario, Nombre)"
                                          " VALUES (%1,").arg(codigo)
                           + db::sqlText(nombreForm) + QStringLiteral(")"));
    }
    conexion_->execute(
        QStringLiteral("UPDATE SGD_Controles SET TabIndex=-1 WHERE Cod_Formulario=%1").arg(codigo));
    int siguiente = conexion_->scalar(QStringLiteral(
        "SELECT ISNULL(Max(Cod_Control),0) FROM SGD_Controles WHERE Cod_Formulario = %1")
                                          .arg(codigo)).toInt() + 1;

    db::Command actualizar(conexion_,
                           QStringLiteral("UPDATE SGD_Controles SET TabIndex=? "
                                          "WHERE Cod_Formulario=? AND Nombre=? AND Indice=?"));
    actualizar.addParameter(QStringLiteral("TabIndex"), db::ParamType::SmallInt, 0);
    actualizar.addParameter(QStringLiteral("Cod_Formulario"), db::ParamType::Integer, 0);
    actualizar.addParameter(QStringLiteral("Nombre"), db::ParamType::VarChar, 50);
    actualizar.addParameter(QStringLiteral("Indice"), db::ParamType::Char, 2);
    db::Command insertar(conexion_, QStringLiteral("INSERT INTO SGD_Controles (Cod_Formulario, "
                                                   "Cod_Control, Nombre, Indice,TabIndex) "
                                                   "VALUES (?,?,?,?,?)"));
    insertar.addParameter(QStringLiteral("Cod_Formulario"), db::ParamType::Integer, 0);
    insertar.addParameter(QStringLiteral("Cod_Control"), db::ParamType::SmallInt, 0);
    insertar.addParameter(QStringLiteral("Nombre"), db::ParamType::VarChar, 50);
    insertar.addParameter(QStringLiteral("Indice"), db::ParamType::Char, 2);
    insertar.addParameter(QStringLiteral("TabIndex"), db::ParamType::SmallInt, 0);

    for (const Control& c : controlesDe(form_.data())) {
        actualizar.setParameter(0, c.tabIndex);
        actualizar.setParameter(1, codigo);
        actualizar.setParameter(2, c.nombre);
        actualizar.setParameter(3, c.indice);
        if (actualizar.execute() == 0) {
            insertar.setParameter(0, codigo);
            insertar.setParameter(1, siguiente);
            insertar.setParameter(2, c.nombre);
            insertar.setParameter(3, c.indice);
            insertar.setParameter(4, c.tabIndex);
            insertar.execute();
            ++siguiente;
        }
    }

    conexion_->execute(QStringLiteral(
        "DELETE cg FROM SGD_Controles_Grupos cg INNER JOIN SGD_Controles c"
        " ON cg.Cod_Formulario=c.Cod_Formulario AND cg.Cod_Control=c.Cod_Control"
        " WHERE c.TabIndex=-1"));
    conexion_->execute(QStringLiteral("DELETE FROM SGD_Controles WHERE TabIndex=-1"));
    tx.commit();
}

void clsControlSeg::aplicarPermisos()
{
    const auto& dic = diccionario();
    db::Recordset rs(conexion_,
        QStringLiteral("SELECT gc.Cod_Grupo, f.Nombre AS Formulario, c.Nombre AS Control,"
                       " c.Indice, gc.Permiso"
                       " FROM SGD_Controles_Grupos gc"
                       " INNER JOIN SGD_Formularios f"
                       " ON gc.Cod_Formulario = f.Cod_Formulario "
                       " INNER JOIN SGD_Controles c"
                       " ON gc.Cod_Formulario = c.Cod_Formulario AND gc.Cod_Control = c.Cod_Control"
                       " WHERE f.Nombre = ")
            + db::sqlText(form_->objectName())
            + QStringLiteral(" AND (gc.Cod_Grupo = 0 OR gc.Cod_Grupo IN (SELECT CodGrupo FROM"
                             " SGD_Usuarios_Grupos WHERE CodUsuario = %1))"
                             " ORDER BY c.Nombre, gc.Permiso ASC").arg(usuario_));
    for (; !rs.eof(); rs.moveNext()) {
        const QString nombre = rs.field(QStringLiteral("Control")).toText().trimmed();
        const QString indice = rs.field(QStringLiteral("Indice")).toText().trimmed();
        const auto it = dic.constFind(clave(nombre, indice));
        if (it == dic.constEnd() || it.value().isNull()) {
            throw std::runtime_error(
                QStringLiteral("El control '%1%2' no existe en el formulario %3")
                    .arg(nombre, indice.isEmpty() ? QString() : QStringLiteral("(%1)").arg(indice),
                         form_->objectName())
                    .toStdString());
        }
        QObject* control = it.value().data();
        if (control->objectName() == nombre)
            setControlState(control, rs.field(QStringLiteral("Permiso")).toInt());
    }
}

void clsControlSeg::setControlState(QObject* Ctrl, int state)
{
    if (!Ctrl)
        return;
    // A control that knows how to restrict itself is only told the level.
    if (Ctrl->property("AccessLevel").isValid()) {
        Ctrl->setProperty("AccessLevel", state);
        return;
    }
    if (qobject_cast<QAction*>(Ctrl) || qobject_cast<QMenu*>(Ctrl)) {
        aplicarAMenu(Ctrl, state);
        emit AfterSetStateControl(Ctrl, state);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(Ctrl);
    if (!widget)
        return;
    switch (state) {
    case 0:
        widget->setVisible(true);
        break;
    case 1:
        aplicarEnGris(widget);
        break;
    case 2:
        aplicarDeshabilitado(widget);
        break;
    default:
        break;
    }
    emit AfterSetStateControl(Ctrl, state);
}

}  // namespace reposic
