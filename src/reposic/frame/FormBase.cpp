#include "reposic/frame/FormBase.h"

#include "platform/ui/RunModal.h"

#include <QCloseEvent>
#include <QShowEvent>

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
    }
    QDialog::showEvent(event);
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
