#include "platform/ui/ScreenPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui {

namespace {
bool pushed = false;
}

void ScreenPointer::setHourglass(bool on)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (on && !pushed) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        pushed = true;
    } else if (!on && pushed) {
        const QCursor* top = QGuiApplication::overrideCursor();
        if (top && top->shape() == Qt::WaitCursor)
            QGuiApplication::restoreOverrideCursor();
        pushed = false;
    }
}

bool ScreenPointer::hourglass()
{
    return pushed;
}

}  // namespace ui
