#pragma once

#include <functional>

class QDialog;

namespace ui {

// Shows a dialog modally and returns its result (QDialog::Accepted / Rejected, or the code given
// to done()). Screens call this instead of QDialog::exec() so that tests can answer the dialog
// through ModalScript instead of a running event loop.
int runModal(QDialog& dialog);

using ModalHandler = std::function<void(QDialog&)>;
// Installs the hook that runModal uses instead of exec(); returns the one it replaces.
ModalHandler installModalHandler(ModalHandler handler);

}  // namespace ui
