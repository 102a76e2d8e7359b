#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace reposic {

// The wait message that long operations put up (see MsgOp): an icon and one bold line, as wide
// as the line needs. One shared instance for the whole module; it never takes the focus from
// the screen that shows it, and it cannot be closed by the user, only hidden by MsgOp.
class frmMsg : public QDialog {
    Q_OBJECT

public:
    // The shared instance, created on first use.
    static frmMsg* instancia();
    // Whether the shared instance was ever created (hiding needs none).
    static bool existe();

    // The text RefreshMsg shows; an empty one keeps the label's current caption.
    QString Mensaje;

    // Puts Mensaje on lblMsg, repaints it and fits the width to the text.
    void RefreshMsg();

    QLabel* lblMsg = nullptr;
    QLabel* Image1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    frmMsg();
};

}  // namespace reposic
