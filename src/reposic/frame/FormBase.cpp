#include "reposic/frame/FormBase.h"

#include "platform/ui/FlexGrid.h"
#include "platform/ui/RunModal.h"

#include <QAbstractSpinBox>
#include <QCloseEvent>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTextEdit>

namespace reposic {

FormBase::FormBase(QWidget* parent) : QDialog(parent)
{
}

FormBase::~FormBase() = default;

QHash<std::type_index, QPointer<FormBase>>& FormBase::instanciasPorDefecto()
{
    static QHash<std::type_index, QPointer<FormBase>> instancias;
    return instancias;
}

void FormBase::Show(int Modal, QWidget* OwnerForm)
{
    if (OwnerForm && OwnerForm != parentWidget() && !isVisible())
        setParent(OwnerForm, windowFlags() | Qt::Dialog);

    if (Modal == 0) {
        show();
        raise();
        activateWindow();
        return;
    }
    // A form already open modeless is closed to the eye first: exec() only blocks other windows
    // when it is the one that shows the form.
    if (isVisible() && !isModal())
        hide();
    // Through the modal hook, so tests can play the user of a modal form without an event loop.
    ui::runModal(*this);
}

void FormBase::descargar()
{
    if (descargado_)
        return;
    close();
    if (!descargado_) {
        hide();
        marcarDescargado();
    }
}

void FormBase::done(int r)
{
    QDialog::done(r);
    marcarDescargado();
}

void FormBase::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);  // rejects a visible dialog, which unloads it through done()
    if (event->isAccepted())
        marcarDescargado();
}

void FormBase::showEvent(QShowEvent* event)
{
    // Showing again after an unload loads the form anew (a modal dialog reused on the stack).
    if (!event->spontaneous())
        descargado_ = false;
    if (!formularioCargado_) {
        formularioCargado_ = true;
        Form_Load();
        enfocarRejillaSiNoHayCampos();
    }
    ensancharParaElTitulo();
    QDialog::showEvent(event);
}

void FormBase::ensancharParaElTitulo()
{
    // Room for the window's icon and its buttons beside the caption, whatever the window manager.
    constexpr int kMarcoTitulo = 140;
    const int ancho = QFontMetrics(QApplication::font()).horizontalAdvance(windowTitle())
                      + kMarcoTitulo;
    if (width() < ancho)
        resize(ancho, height());
}

void FormBase::enfocarRejillaSiNoHayCampos()
{
    // A form that chose its first control keeps it; one that only lists rows opens on its grid,
    // so the arrow keys work at once instead of after a Tab.
    if (focusWidget())
        return;
    const auto utilizable = [this](const QWidget* w) {
        return w->isEnabled() && w->isVisibleTo(this) && w->focusPolicy() != Qt::NoFocus;
    };
    for (const QWidget* w : findChildren<QWidget*>()) {
        const bool campo = qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w)
                           || qobject_cast<const QAbstractSpinBox*>(w)
                           || qobject_cast<const QTextEdit*>(w)
                           || qobject_cast<const QPlainTextEdit*>(w);
        if (campo && utilizable(w))
            return;
    }
    for (ui::FlexGrid* rejilla : findChildren<ui::FlexGrid*>()) {
        if (utilizable(rejilla)) {
            rejilla->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void FormBase::marcarDescargado()
{
    if (descargado_)
        return;
    descargado_ = true;
    Form_Unload();
    emit Unload();

    auto& instancias = instanciasPorDefecto();
    for (auto it = instancias.begin(); it != instancias.end(); ++it) {
        if (it.value() == this) {
            instancias.erase(it);
            break;
        }
    }
    if (borrarAlDescargar_)
        deleteLater();
}

}  // namespace reposic
