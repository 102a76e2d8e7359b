#include "platform/ui/NumericBox.h"

#include <QKeyEvent>
#include <QValidator>

#include <cmath>

namespace ui {

namespace {

// Turns points into commas as they are typed or pasted, then holds the text to the box's rules.
class NumericValidator : public QValidator {
public:
    explicit NumericValidator(NumericBox* box) : QValidator(box), box_(box) {}

    State validate(QString& input, int&) const override
    {
        input.replace(QLatin1Char('.'), QLatin1Char(','));
        return box_->acepta(input) ? Acceptable : Invalid;
    }

private:
    NumericBox* box_;
};

}  // namespace

NumericBox::NumericBox(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new NumericValidator(this));
}

bool NumericBox::acepta(const QString& text) const
{
    int start = 0;
    if (text.startsWith(QLatin1Char('-'))) {
        if (!negativos_)
            return false;
        start = 1;
    }
    int commas = 0;
    int decimals = 0;
    for (int i = start; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == u',') {
            if (++commas > 1 || decimales_ == 0)
                return false;
        } else if (!ch.isDigit()) {
            return false;
        } else if (commas > 0 && ++decimals > decimales_) {
            return false;
        }
    }
    if (max_ > 0) {
        QString t = text;
        t.replace(QLatin1Char(','), QLatin1Char('.'));
        if (t.toDouble() > max_)
            return false;
    }
    return true;
}

double NumericBox::Value() const
{
    QString t = text();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);  // "12," is 12 while the decimals are still to be typed
    return t.toDouble();  // "" and "-" read 0
}

void NumericBox::setValue(double value)
{
    QString t = QString::number(value, 'f', decimales_);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0')))
            t.chop(1);
        if (t.endsWith(QLatin1Char('.')))
            t.chop(1);
    }
    if (t == QLatin1String("-0"))
        t = QStringLiteral("0");
    setText(t);
}

void NumericBox::setText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    QLineEdit::setText(acepta(t) ? t : QString());
}

void NumericBox::setDecimales(int n)
{
    decimales_ = std::max(n, 0);
}

void NumericBox::setNegativos(bool allow)
{
    negativos_ = allow;
}

void NumericBox::setMaxValue(double max)
{
    max_ = max;
}

void NumericBox::keyPressEvent(QKeyEvent* event)
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
