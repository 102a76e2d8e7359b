#include "reposic/frame/modMsgOp.h"

#include "platform/ui/ScreenPointer.h"
#include "reposic/frame/frmMsg.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace reposic {

namespace {

void centrar(QWidget& w)
{
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    const QRect zona = pantalla->availableGeometry();
    w.move(zona.center() - QPoint(w.width() / 2, w.height() / 2));
}

}  // namespace

void MsgOp(bool mostrar, const QString& mensaje)
{
    try {
        if (mostrar) {
            ui::ScreenPointer::setHourglass(true);
            frmMsg* f = frmMsg::instancia();
            f->Mensaje = mensaje.isEmpty()
                             ? QStringLiteral("Realizando operación, espere por favor...")
                             : mensaje;
            f->RefreshMsg();
            centrar(*f);
            f->show();
            f->raise();
            f->repaint();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        } else {
            ui::ScreenPointer::setHourglass(false);
            if (frmMsg::existe())
                frmMsg::instancia()->hide();
        }
    } catch (...) {
    }
}

}  // namespace reposic
