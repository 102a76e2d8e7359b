#include "platform/ui/MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <memory>
#include <utility>

namespace ui {

namespace {

MsgBoxResponder& responder()
{
    static MsgBoxResponder r;
    return r;
}

QMessageBox::StandardButton standardButton(int answer)
{
    switch (answer) {
    case vbOK: return QMessageBox::Ok;
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon boxIcon(int icon)
{
    switch (icon) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// Whether the box can be closed without choosing a button: only where it has a Cancel or a
// single button. Escape on a Yes/No question must not answer for the user, least of all with
// the default button when that one deletes something.
bool closesWithoutChoosing(int flags)
{
    const QList<int> answers = msgBoxAnswers(flags);
    return answers.contains(vbCancel) || answers.size() == 1;
}

// The answer a box gives when it is closed without a button: Cancel where there is one,
// otherwise the only button, otherwise the default one.
int escapeAnswer(int flags)
{
    const QList<int> answers = msgBoxAnswers(flags);
    if (answers.contains(vbCancel))
        return vbCancel;
    if (answers.size() == 1)
        return answers.first();
    return msgBoxDefaultAnswer(flags);
}

// A box whose only way out is one of its buttons: Escape and the window's close do nothing.
class ButtonOnlyBox : public QMessageBox {
public:
    ButtonOnlyBox(QWidget* parent, bool closable) : QMessageBox(parent), closable_(closable)
    {
        if (!closable_)
            setWindowFlag(Qt::WindowCloseButtonHint, false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!closable_ && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (!closable_) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool closable_;
};

constexpr char kAnswerProperty[] = "msgBoxAnswer";

int showBox(const MsgBoxCall& call)
{
    std::unique_ptr<QMessageBox> box = newMsgBox(call, QApplication::activeWindow());
    box->exec();
    const QAbstractButton* clicked = box->clickedButton();
    return clicked ? clicked->property(kAnswerProperty).toInt() : escapeAnswer(call.flags);
}

}  // namespace

std::unique_ptr<QMessageBox> newMsgBox(const MsgBoxCall& call, QWidget* parent)
{
    const bool closable = closesWithoutChoosing(call.flags);
    auto box = std::make_unique<ButtonOnlyBox>(parent, closable);
    box->setIcon(boxIcon(call.icon()));
    box->setWindowTitle(call.title.isEmpty() ? QGuiApplication::applicationDisplayName()
                                             : call.title);
    QString text = call.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box->setTextFormat(Qt::PlainText);
    box->setText(text);

    for (int answer : msgBoxAnswers(call.flags)) {
        QAbstractButton* b = box->addButton(standardButton(answer));
        b->setProperty(kAnswerProperty, answer);
        if (answer == msgBoxDefaultAnswer(call.flags))
            box->setDefaultButton(qobject_cast<QPushButton*>(b));
        if (closable && answer == escapeAnswer(call.flags))
            box->setEscapeButton(b);
    }
    return box;
}

QList<int> msgBoxAnswers(int flags)
{
    switch (flags & 0x0F) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
    default: return {vbOK};
    }
}

int msgBoxDefaultAnswer(int flags)
{
    const QList<int> answers = msgBoxAnswers(flags);
    const int index = (flags & 0xF00) / vbDefaultButton2;
    return index < answers.size() ? answers.at(index) : answers.first();
}

QString msgBoxAnswerName(int answer)
{
    switch (answer) {
    case vbOK: return QStringLiteral("OK");
    case vbCancel: return QStringLiteral("Cancel");
    case vbAbort: return QStringLiteral("Abort");
    case vbRetry: return QStringLiteral("Retry");
    case vbIgnore: return QStringLiteral("Ignore");
    case vbYes: return QStringLiteral("Yes");
    case vbNo: return QStringLiteral("No");
    default: return QStringLiteral("answer %1").arg(answer);
    }
}

int MsgBox(const QString& text, int flags, const QString& title)
{
    const MsgBoxCall call{text, flags, title};
    if (responder())
        return responder()(call);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())
        || QGuiApplication::platformName() == QLatin1String("offscreen")) {
        qWarning("MsgBox without a screen to answer it (\"%s\"); answering %s",
                 qPrintable(text), qPrintable(msgBoxAnswerName(msgBoxDefaultAnswer(flags))));
        return msgBoxDefaultAnswer(flags);
    }
    return showBox(call);
}

MsgBoxResponder installMsgBoxResponder(MsgBoxResponder r)
{
    return std::exchange(responder(), std::move(r));
}

}  // namespace ui
