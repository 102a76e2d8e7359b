#pragma once

#include <QDate>
#include <QLineEdit>

namespace ui {

// The date entry of the screens: a line edit with the mask "##/##/####" (day, month, year).
// Text() is "dd/mm/yyyy" once complete, "" while nothing is typed, and the partial text with
// '_' in the gaps otherwise. Date() is the date typed, invalid for a partial or impossible date
// ("31/02/2026"); IsValid() says which. Enter is reported through KeyPress(13) and goes no
// further, so it never presses a dialog's default button behind the screen's back.
class MaskedDateBox : public QLineEdit {
    Q_OBJECT

public:
    explicit MaskedDateBox(QWidget* parent = nullptr);

    QString Text() const;
    // Accepts "dd/mm/yyyy", or "" to empty the box; anything else empties it.
    void setText(const QString& text);
    QDate Date() const;
    void setDate(const QDate& date);
    bool IsValid() const { return Date().isValid(); }

signals:
    // A character typed (its code), 13 for Enter, before the box handles it.
    void KeyPress(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace ui
