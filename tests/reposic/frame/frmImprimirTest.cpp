#include "platform/ui/ModalScript.h"
#include "platform/ui/OutputDevicePicker.h"
#include "platform/ui/PrinterPicker.h"
#include "reposic/frame/frmImprimir.h"

#include <QPrinterInfo>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace reposic;

namespace {

ui::OutputDevicePicker* disp(QDialog& d)
{
    return d.findChild<ui::OutputDevicePicker*>("cboDisp");
}

ui::PrinterPicker* impresoras(QDialog& d)
{
    return d.findChild<ui::PrinterPicker*>("cboImpresora");
}

void pulsar(QDialog& d, const char* boton)
{
    d.findChild<QPushButton*>(boton)->click();
}

}  // namespace

TEST(frmImprimir, loadsWithThePrinterDeviceAndTheWorkstationsPrinters)
{
    frmImprimir f;
    EXPECT_EQ(f.windowTitle(), "Imprimir");
    ASSERT_TRUE(disp(f) && impresoras(f));
    EXPECT_EQ(disp(f)->Value(), 1);
    const QStringList nombres = QPrinterInfo::availablePrinterNames();
    ASSERT_EQ(impresoras(f)->count(), nombres.size());
    if (nombres.contains(QPrinterInfo::defaultPrinterName())) {
        EXPECT_EQ(impresoras(f)->DeviceName(), QPrinterInfo::defaultPrinterName());
    }
    EXPECT_FALSE(f.Aceptado);
}

TEST(frmImprimir, acceptingStoresTheChoicesAndCancellingOrClosingDoesNot)
{
    ui::ModalScript script;
    script
        .then([](QDialog& d) {
            disp(d)->setValue(0);
            impresoras(d)->Cargar({"Almacen", "Oficina"}, "Almacen");
            impresoras(d)->setDeviceName("Oficina");
            pulsar(d, "cmdAceptar");
        })
        .then([](QDialog& d) { pulsar(d, "cmdCancelar"); })
        .then([](QDialog& d) { d.close(); });

    frmImprimir f;
    EXPECT_EQ(ui::runModal(f), QDialog::Accepted);
    EXPECT_TRUE(f.Aceptado);
    EXPECT_TRUE(f.Pantalla);
    EXPECT_EQ(f.Impresora, "Oficina");

    // Shown again and cancelled: the earlier acceptance does not survive.
    EXPECT_EQ(ui::runModal(f), QDialog::Rejected);
    EXPECT_FALSE(f.Aceptado);

    frmImprimir cerrado;
    ui::runModal(cerrado);
    EXPECT_FALSE(cerrado.Aceptado);
    EXPECT_FALSE(cerrado.Pantalla);
    EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join('\n').toStdString();
}

TEST(frmImprimir, printingKeepsTheScreenFlagOff)
{
    ui::ModalScript script([](QDialog& d) { pulsar(d, "cmdAceptar"); });
    frmImprimir f;
    ui::runModal(f);
    EXPECT_TRUE(f.Aceptado);
    EXPECT_FALSE(f.Pantalla);
    EXPECT_EQ(f.Impresora, impresoras(f)->DeviceName());
}

TEST(frmImprimir, aDialogShownAgainOpensOnThePrinterWhateverWasChosenBefore)
{
    int alAbrir = -1;
    ui::ModalScript script;
    script
        .then([](QDialog& d) {
            disp(d)->setValue(0);
            pulsar(d, "cmdAceptar");
        })
        .then([&](QDialog& d) {
            alAbrir = disp(d)->Value();
            pulsar(d, "cmdAceptar");
        });
    frmImprimir f;
    ui::runModal(f);
    EXPECT_TRUE(f.Pantalla);
    ui::runModal(f);
    EXPECT_EQ(alAbrir, 1);
    EXPECT_FALSE(f.Pantalla);
    EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join('\n').toStdString();
}
