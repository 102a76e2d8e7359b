#include "reposic/frame/frmImprimir.h"

#include "platform/ui/OutputDevicePicker.h"
#include "platform/ui/PrinterPicker.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace reposic {

frmImprimir::frmImprimir(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmImprimir"));
    setWindowTitle(QStringLiteral("Imprimir"));

    cboDisp = new ui::OutputDevicePicker(this);
    cboDisp->setObjectName(QStringLiteral("cboDisp"));
    cboImpresora = new ui::PrinterPicker(this);
    cboImpresora->setObjectName(QStringLiteral("cboImpresora"));
    cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setDefault(true);
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Destino:"), cboDisp);
    campos->addRow(QStringLiteral("Impresora:"), cboImpresora);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(campos);
    raiz->addLayout(botones);

    connect(cmdAceptar, &QPushButton::clicked, this, &frmImprimir::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmImprimir::cmdCancelar_Click);

    cboImpresora->Cargar(QPrinterInfo::availablePrinterNames(),
                         QPrinterInfo::defaultPrinterName());

    cargar();
}

// Printing is the usual choice: every opening starts on it, whatever the last one chose.
void frmImprimir::cargar()
{
    cboDisp->setValue(ui::OutputDevicePicker::Impresora);
}

void frmImprimir::showEvent(QShowEvent* event)
{
    // A dialog kept by its caller loads again each time it is shown after closing.
    if (!event->spontaneous() && descargado())
        cargar();
    FormBase::showEvent(event);
}

void frmImprimir::cmdAceptar_Click()
{
    Pantalla = cboDisp->Value() == ui::OutputDevicePicker::Pantalla;
    Impresora = cboImpresora->DeviceName();
    Aceptado = true;
    accept();
}

void frmImprimir::cmdCancelar_Click()
{
    Aceptado = false;
    reject();
}

}  // namespace reposic
