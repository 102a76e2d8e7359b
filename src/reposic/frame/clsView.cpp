#include "reposic/frame/clsView.h"

#include "platform/report/Error.h"
#include "platform/report/Report.h"
#include "platform/ui/RunModal.h"
#include "reposic/frame/frmView.h"

#include <QPointer>

namespace reposic {

namespace {

clsView::ModalHook& modalHook()
{
    static clsView::ModalHook hook;
    return hook;
}

}  // namespace

clsView::ModalHook clsView::setModalHook(ModalHook hook)
{
    ModalHook previous = std::move(modalHook());
    modalHook() = std::move(hook);
    return previous;
}

void clsView::Cargar(bool modal, int& zoom)
{
    if (!report_)
        throw report::Error(QStringLiteral("No hay ningún informe que mostrar"));

    QPointer<frmView> form = FormBase::porDefecto<frmView>();
    form->setReport(report_);
    form->setMostrarGrupos(mostrarGrupos_);
    form->setZoom(zoom);
    try {
        form->Cargar();
    } catch (...) {
        form->descargar();
        throw;
    }

    if (!modal) {
        form->Show(0);
        return;
    }
    // The zoom is read as the view unloads: by then the shared instance is on its way out.
    const auto connection = QObject::connect(form, &FormBase::Unload, form,
                                             [&zoom, f = form.data()] { zoom = f->zoom(); });
    if (modalHook()) {
        form->show();
        modalHook()(*form);
        if (form && !form->descargado())
            form->descargar();
    } else {
        ui::runModal(*form);
    }
    if (form)
        QObject::disconnect(connection);
}

}  // namespace reposic
