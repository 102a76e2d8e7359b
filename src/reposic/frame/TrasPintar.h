#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace reposic {

// Runs an action from the event loop once a widget has been painted for the first time: a
// screen shows itself before it loads what would keep it away for long.
class TrasPintar : public QObject {
public:
    // Owned by the widget; gone once the action has been queued.
    static void programar(QWidget* w, std::function<void()> accion);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TrasPintar(QWidget* w, std::function<void()> accion);

    std::function<void()> accion_;
};

}  // namespace reposic
