#pragma once

#include <QComboBox>
#include <QStringList>

namespace ui {

// Picks one of the workstation's printers by device name. The list is handed in by whoever
// knows the printers (the print layer), so this control needs no printing library; until then,
// or when there are none, it is empty and DeviceName() is "".
class PrinterPicker : public QComboBox {
    Q_OBJECT

public:
    explicit PrinterPicker(QWidget* parent = nullptr);

    // Lists the printers and selects the default one (the first when it is not among them).
    void Cargar(const QStringList& deviceNames, const QString& defaultName);

    QString DeviceName() const { return currentText(); }
    // Selects a printer by name; false (selection unchanged) when it is not listed.
    bool setDeviceName(const QString& name);
};

}  // namespace ui
