#include "platform/ui/PrinterPicker.h"

namespace ui {

PrinterPicker::PrinterPicker(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
}

void PrinterPicker::Cargar(const QStringList& deviceNames, const QString& defaultName)
{
    clear();
    addItems(deviceNames);
    if (!setDeviceName(defaultName) && count() > 0)
        setCurrentIndex(0);
}

bool PrinterPicker::setDeviceName(const QString& name)
{
    const int i = findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (i < 0)
        return false;
    setCurrentIndex(i);
    return true;
}

}  // namespace ui
