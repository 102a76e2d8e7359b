#include "platform/ui/MaskedDateBox.h"

#include <QKeyEvent>
#include <QRegularExpression>

namespace ui {

MaskedDateBox::MaskedDateBox(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(QStringLiteral("99/99/9999;_"));
}

QString MaskedDateBox::Text() const
{
    const QString shown = displayText();
    for (QChar ch : shown) {
        if (ch.isDigit())
            return shown;
    }
    return QString();
}

void MaskedDateBox::setText(const QString& text)
{
    static const QRegularExpression form(QStringLiteral(R"(^\d{2}/\d{2}/\d{4}$)"));
    QLineEdit::setText(form.match(text.trimmed()).hasMatch() ? text.trimmed() : QString());
}

QDate MaskedDateBox::Date() const
{
    return QDate::fromString(displayText(), QStringLiteral("dd/MM/yyyy"));
}

void MaskedDateBox::setDate(const QDate& date)
{
    setText(date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString());
}

void MaskedDateBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit KeyPress(13);
        event->accept();
        return;
    }
    if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
    QLineEdit::keyPressEvent(event);
}

}  // namespace ui
