#pragma once

#include <QComboBox>

namespace ui {

// Where a report goes: 0 "Pantalla" (preview on screen), 1 "Impresora" (straight to the printer).
// Screens treat any value above 0 as printing.
class OutputDevicePicker : public QComboBox {
    Q_OBJECT

public:
    static constexpr int Pantalla = 0;
    static constexpr int Impresora = 1;

    explicit OutputDevicePicker(QWidget* parent = nullptr);

    int Value() const { return currentIndex(); }
    void setValue(int value);  // out of range: left as it was
};

}  // namespace ui
