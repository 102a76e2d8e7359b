#include "platform/ui/MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

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

int showBox(const MsgBoxCall& call)
{
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(boxIcon(call.icon()));
    box.setWindowTitle(call.title.isEmpty() ? QGuiApplication::applicationDisplayName()
                                            : call.title);
    QString text = call.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setTextFormat(Qt::PlainText);
    box.setText(text);

    QHash<QAbstractButton*, int> answerOf;
    for (int answer : msgBoxAnswers(call.flags)) {
        QAbstractButton* b = box.addButton(standardButton(answer));
        answerOf.insert(b, answer);
        if (answer == msgBoxDefaultAnswer(call.flags))
            box.setDefaultButton(qobject_cast<QPushButton*>(b));
        if (answer == escapeAnswer(call.flags))
            box.setEscapeButton(b);
    }
    box.exec();
    return answerOf.value(box.clickedButton(), escapeAnswer(call.flags));
}

}  // namespace

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
