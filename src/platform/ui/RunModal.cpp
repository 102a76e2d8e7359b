#include "platform/ui/RunModal.h"

#include <QDialog>

#include <utility>

namespace ui {

namespace {

ModalHandler& handler()
{
    static ModalHandler h;
    return h;
}

}  // namespace

int runModal(QDialog& dialog)
{
    if (!handler())
        return dialog.exec();

    // The handler drives a shown dialog; the result is caught from finished() because the
    // handler may delete a dialog that deletes itself on close.
    int result = QDialog::Rejected;
    const auto c = QObject::connect(&dialog, &QDialog::finished, [&result](int r) { result = r; });
    dialog.setResult(QDialog::Rejected);
    handler()(dialog);
    QObject::disconnect(c);
    return result;
}

ModalHandler installModalHandler(ModalHandler h)
{
    return std::exchange(handler(), std::move(h));
}

}  // namespace ui
