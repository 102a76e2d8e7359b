#pragma once

#include "platform/ui/RunModal.h"

#include <QQueue>
#include <QString>
#include <QStringList>

namespace ui {

// A scripted user for modal dialogs, for tests. While it lives, runModal() does not start an
// event loop: it shows the dialog (so its load and show handling run), hands it to the next
// queued handler, or to the default one when the queue is empty, and returns the dialog's result.
// The handler plays the user: it sets the dialog's widgets and clicks a button, or calls
// accept(), reject() or close(). A dialog the handler leaves open is rejected and noted in
// problems(), as is a dialog shown with no handler at all.
// Scripts nest: the innermost one answers, and the previous one is back when it goes.
class ModalScript {
public:
    explicit ModalScript(ModalHandler defaultHandler = {});
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // Queues a handler for the next dialog.
    ModalScript& then(ModalHandler handler);

    // Object name (or class name when it has none) of every dialog run, in order.
    const QStringList& dialogs() const { return dialogs_; }
    int count() const { return int(dialogs_.size()); }
    QStringList problems() const;

private:
    void run(QDialog& dialog);

    ModalHandler default_;
    QQueue<ModalHandler> queue_;
    QStringList dialogs_;
    QStringList problems_;
    ModalHandler previous_;
};

}  // namespace ui
