#include "reposic/frame/modMsgOp.h"

#include "platform/ui/ScreenPointer.h"
#include "reposic/frame/frmMsg.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWindow>

namespace reposic {

namespace {

constexpr int kEsperaExposicionMs = 1000;

void centrar(QWidget& w)
{
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    const QRect zona = pantalla->availableGeometry();
    w.move(zona.center() - QPoint(w.width() / 2, w.height() / 2));
}

// On a real display the window is mapped asynchronously: until the server reports it exposed,
// painting draws nothing, and the long work that follows would leave it blank with the screen
// underneath showing through. So wait (briefly) for the exposure, then paint and flush.
void pintarAntesDeSeguir(QWidget& w)
{
    QElapsedTimer reloj;
    reloj.start();
    const auto expuesta = [&w] { return w.windowHandle() && w.windowHandle()->isExposed(); };
    while (!expuesta() && reloj.elapsed() < kEsperaExposicionMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    w.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
            pintarAntesDeSeguir(*f);
        } else {
            ui::ScreenPointer::setHourglass(false);
            if (frmMsg::existe())
                frmMsg::instancia()->hide();
        }
    } catch (...) {
    }
}

}  // namespace reposic
