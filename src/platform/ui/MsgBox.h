#pragma once

#include <QString>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace ui {

// Buttons, icon and default button of a message box, combined with |, with the values the
// screens were written against.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;
inline constexpr int vbDefaultButton4 = 768;

// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// One box as a screen asked for it.
struct MsgBoxCall {
    QString text;
    int flags = 0;
    QString title;

    int buttons() const { return flags & 0x0F; }
    int icon() const { return flags & 0xF0; }
    int defaultButton() const { return flags & 0xF00; }
};

// The answers a box's buttons give, in button order (vbYesNoCancel: Yes, No, Cancel).
QList<int> msgBoxAnswers(int flags);
// The answer of the button that Enter presses. A default-button flag beyond the last button
// (the third button of an OK/Cancel box) falls back to the first, as the box itself does.
int msgBoxDefaultAnswer(int flags);
// "Yes", "Cancel"... for messages about answers.
QString msgBoxAnswerName(int answer);

// Shows a modal message box above the active window and returns the answer (vbOK, vbYes...).
// "\r\n" in the text is shown as a line break. When a responder is installed (tests, see
// MsgBoxScript) it answers instead. On a platform with no screen (offscreen) and no responder
// nobody could ever answer, so the box is not shown: a warning is logged and the default button's
// answer returned, instead of hanging the program.
int MsgBox(const QString& text, int flags = vbOKOnly, const QString& title = {});

// The box MsgBox shows for a call, not yet shown; each button carries its answer in the
// property "msgBoxAnswer". A question without Cancel cannot be closed by Escape or the window's
// close: the user must choose.
std::unique_ptr<QMessageBox> newMsgBox(const MsgBoxCall& call, QWidget* parent = nullptr);

using MsgBoxResponder = std::function<int(const MsgBoxCall&)>;
// Installs a responder for every following box and returns the one it replaces (may be empty).
MsgBoxResponder installMsgBoxResponder(MsgBoxResponder responder);

}  // namespace ui
