#include "platform/ui/OutputDevicePicker.h"

namespace ui {

OutputDevicePicker::OutputDevicePicker(QWidget* parent) : QComboBox(parent)
{
    addItem(QStringLiteral("Pantalla"));
    addItem(QStringLiteral("Impresora"));
    setCurrentIndex(Pantalla);
}

void OutputDevicePicker::setValue(int value)
{
    if (value >= 0 && value < count())
        setCurrentIndex(value);
}

}  // namespace ui
