#include "reposic/frame/TrasPintar.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace reposic {

TrasPintar::TrasPintar(QWidget* w, std::function<void()> accion)
    : QObject(w), accion_(std::move(accion))
{
    w->installEventFilter(this);
}

void TrasPintar::programar(QWidget* w, std::function<void()> accion)
{
    new TrasPintar(w, std::move(accion));
}

bool TrasPintar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Queued behind this paint, so the widget is on screen before the action runs.
        QTimer::singleShot(0, watched, std::move(accion_));
        deleteLater();
    }
    return false;
}

}  // namespace reposic
