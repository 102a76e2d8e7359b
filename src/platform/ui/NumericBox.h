#pragma once

#include <QLineEdit>

namespace ui {

// The numeric entry of the screens: digits, at most one decimal comma (a typed point becomes a
// comma, so the numeric keypad works), a leading minus only when negatives are allowed, and
// nothing that would take the value above MaxValue. Pasted text is held to the same rules.
// Value() reads the text as a number ("" and "-" are 0). Enter is reported through KeyPress(13)
// and goes no further, so it never presses a dialog's default button behind the screen's back.
class NumericBox : public QLineEdit {
    Q_OBJECT

public:
    explicit NumericBox(QWidget* parent = nullptr);

    double Value() const;
    // Shows the number with a comma and as many decimals as it needs (no grouping).
    void setValue(double value);
    QString Text() const { return text(); }
    void setText(const QString& text);  // text the rules refuse empties the box

    int Decimales() const { return decimales_; }
    void setDecimales(int n);  // 0: whole numbers only
    bool Negativos() const { return negativos_; }
    void setNegativos(bool allow);
    double MaxValue() const { return max_; }
    void setMaxValue(double max);  // 0: no limit

    // Whether a text follows the box's rules (with points already turned into commas).
    bool acepta(const QString& text) const;

signals:
    // A character typed (its code), 13 for Enter, before the box handles it.
    void KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int decimales_ = 4;
    bool negativos_ = false;
    double max_ = 0;
};

}  // namespace ui
