#include "platform/ui/ModalScript.h"

#include <QDialog>
#include <QPointer>

namespace ui {

ModalScript::ModalScript(ModalHandler defaultHandler) : default_(std::move(defaultHandler))
{
    previous_ = installModalHandler([this](QDialog& d) { run(d); });
}

ModalScript::~ModalScript()
{
    installModalHandler(std::move(previous_));
}

ModalScript& ModalScript::then(ModalHandler handler)
{
    queue_.enqueue(std::move(handler));
    return *this;
}

QStringList ModalScript::problems() const
{
    QStringList p = problems_;
    if (!queue_.isEmpty())
        p << QStringLiteral("%1 queued dialog handler(s) never used").arg(queue_.size());
    return p;
}

void ModalScript::run(QDialog& dialog)
{
    const QString name = dialog.objectName().isEmpty()
                             ? QString::fromLatin1(dialog.metaObject()->className())
                             : dialog.objectName();
    dialogs_ << name;
    const ModalHandler handler = queue_.isEmpty() ? default_ : queue_.dequeue();

    QPointer<QDialog> guard(&dialog);
    dialog.setModal(true);
    dialog.show();
    if (handler)
        handler(dialog);
    else
        problems_ << QStringLiteral("dialog %1 shown with no handler").arg(name);

    if (guard && guard->isVisible()) {
        if (handler)
            problems_ << QStringLiteral("dialog %1 left open by its handler").arg(name);
        guard->reject();
    }
}

}  // namespace ui
