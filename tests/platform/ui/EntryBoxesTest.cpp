#include "support/QtPrint.h"

#include "platform/ui/MaskedDateBox.h"
#include "platform/ui/NumericBox.h"
#include "platform/ui/OutputDevicePicker.h"
#include "platform/ui/PrinterPicker.h"

#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace ui;

TEST(MaskedDateBox, readsCompleteDatesAndFlagsImpossibleOnes)
{
    MaskedDateBox f;
    EXPECT_EQ(f.Text(), "");
    EXPECT_FALSE(f.IsValid());

    f.setText("05/12/2026");
    EXPECT_EQ(f.Text(), "05/12/2026");
    EXPECT_EQ(f.Date(), QDate(2026, 12, 5));

    f.clear();
    QTest::keyClicks(&f, "3102");
    EXPECT_EQ(f.Text(), "31/02/____");
    QTest::keyClicks(&f, "2026");
    EXPECT_EQ(f.Text(), "31/02/2026");
    EXPECT_FALSE(f.IsValid());

    f.setText("mañana");  // not a date in the box's form: empty rather than half-filled
    EXPECT_EQ(f.Text(), "");
    f.setDate(QDate(2027, 1, 9));
    EXPECT_EQ(f.Text(), "09/01/2027");
}

TEST(NumericBox, acceptsOneDecimalCommaAndTurnsPointsIntoIt)
{
    NumericBox n;
    QTest::keyClicks(&n, "12.5.3a");
    EXPECT_EQ(n.Text(), "12,53");
    EXPECT_DOUBLE_EQ(n.Value(), 12.53);

    n.clear();
    QTest::keyClicks(&n, "-7");
    EXPECT_EQ(n.Text(), "7");  // no negatives unless allowed
    n.setNegativos(true);
    n.clear();
    QTest::keyClicks(&n, "-7,25");
    EXPECT_DOUBLE_EQ(n.Value(), -7.25);

    n.setDecimales(0);
    n.setMaxValue(9999);
    n.clear();
    QTest::keyClicks(&n, "99999,5");
    EXPECT_EQ(n.Text(), "9999");

    n.setDecimales(2);
    n.setText("12,");  // a comma typed with no decimals yet still reads as the whole number
    EXPECT_DOUBLE_EQ(n.Value(), 12);
    n.setText("12abc");  // pasted or set text that breaks the rules empties the box
    EXPECT_EQ(n.Text(), "");
    EXPECT_DOUBLE_EQ(n.Value(), 0);
    n.setValue(-0.0);
    EXPECT_EQ(n.Text(), "0");
    n.setValue(3.5);
    EXPECT_EQ(n.Text(), "3,5");
}

TEST(EntryBoxes, enterIsReportedAndNeverPressesTheDialogsDefaultButton)
{
    QDialog d;
    auto* numero = new NumericBox(&d);
    auto* fecha = new MaskedDateBox(&d);
    auto* aceptar = new QPushButton("Aceptar", &d);
    aceptar->setDefault(true);
    auto* l = new QVBoxLayout(&d);
    l->addWidget(numero);
    l->addWidget(fecha);
    l->addWidget(aceptar);
    QSignalSpy pulsado(aceptar, &QPushButton::clicked);
    QSignalSpy teclasNumero(numero, &NumericBox::KeyPress);
    QSignalSpy teclasFecha(fecha, &MaskedDateBox::KeyPress);
    d.show();

    QTest::keyClick(numero, Qt::Key_Return);
    QTest::keyClick(fecha, Qt::Key_Enter);
    EXPECT_EQ(pulsado.count(), 0);
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(teclasNumero.count(), 1);
    EXPECT_EQ(teclasNumero.at(0).at(0).toInt(), 13);
    ASSERT_EQ(teclasFecha.count(), 1);
    EXPECT_EQ(teclasFecha.at(0).at(0).toInt(), 13);
}

TEST(Pickers, deviceValuesAndPrinterSelection)
{
    OutputDevicePicker disp;
    EXPECT_EQ(disp.itemText(0), "Pantalla");
    EXPECT_EQ(disp.itemText(1), "Impresora");
    disp.setValue(1);
    disp.setValue(7);  // no such device: unchanged
    EXPECT_EQ(disp.Value(), 1);

    PrinterPicker imp;
    EXPECT_EQ(imp.DeviceName(), "");
    imp.Cargar({"PDF", "Almacen", "Oficina"}, "Almacen");
    EXPECT_EQ(imp.DeviceName(), "Almacen");
    imp.Cargar({"PDF", "Oficina"}, "Almacen");  // default printer gone: the first one
    EXPECT_EQ(imp.DeviceName(), "PDF");
    EXPECT_FALSE(imp.setDeviceName("oficina"));
    EXPECT_TRUE(imp.setDeviceName("Oficina"));
    EXPECT_EQ(imp.DeviceName(), "Oficina");
}
