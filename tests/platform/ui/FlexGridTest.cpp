#include "platform/ui/Anclaje.h"
#include "platform/ui/FlexGrid.h"
#include "support/QtPrint.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace ui;

namespace {

// The pre-invoice viewer's heading: two pairs of equal headings that show as one each.
void cabeceraVisor(FlexGrid& g)
{
    g.setCols(6);
    const QStringList t{"Código", "Fecha", "Almacén Origen", "Almacén Origen", "Almacén Destino",
                        "Almacén Destino"};
    for (int c = 0; c < 6; ++c)
        g.setTextMatrix(0, c, t.at(c));
    g.setMergeCells(flexMergeFixedOnly);
    g.setMergeRow(0, true);
}

QTableView* cabeceraFija(FlexGrid& g)
{
    return g.findChild<QTableView*>(QStringLiteral("flexFixedRows"));
}

}  // namespace

TEST(FlexGrid, widthsAreTwipsAndHiddenColumnsKeepTheirWidth)
{
    FlexGrid g;
    g.setCols(3);
    EXPECT_EQ(g.ColWidth(0), 960);  // the grid's default column

    g.setColWidth(1, 1000);
    EXPECT_EQ(g.ColWidth(1), 1000);
    EXPECT_EQ(g.columnWidth(1), 67);  // 66.7 pixels rounded

    g.setColHidden(1, true);
    EXPECT_TRUE(g.ColHidden(1));
    EXPECT_EQ(g.columnWidth(1), 0);
    EXPECT_EQ(g.ColWidth(1), 1000);
    g.setColWidth(1, 1500);  // set while hidden: stays hidden, width kept for later
    EXPECT_EQ(g.columnWidth(1), 0);
    g.setColHidden(1, false);
    EXPECT_EQ(g.columnWidth(1), 100);

    g.setColWidth(1, -1);
    EXPECT_EQ(g.ColWidth(1), 960);
    EXPECT_THROW(g.ColWidth(3), std::out_of_range);
}

// Room a cell's text needs: the advance plus the delegate's margins on both sides.
static int necesita(const FlexGrid& g, const QString& texto)
{
    return g.fontMetrics().horizontalAdvance(texto) + 6;
}

TEST(FlexGrid, widthsAreMinimumsThatWidenToHeadingsAndTheFirstScreenful)
{
    FlexGrid g;
    g.setCols(4);
    for (int c = 0; c < 4; ++c)
        g.setColWidth(c, 300);  // 20 pixels: narrower than anything written below
    g.setColWidth(2, 0);        // a column the screen keeps out of sight
    g.setColWidth(3, 6000);     // wider than its text: keeps its own width
    g.setTextMatrix(0, 0, "Fich.Proveedor Propuesta");
    g.setTextMatrix(0, 2, "Oculta");
    g.setTextMatrix(0, 3, "Nombre");
    EXPECT_GE(g.columnWidth(0), necesita(g, "Fich.Proveedor Propuesta"));
    EXPECT_EQ(g.columnWidth(2), 0);
    EXPECT_EQ(g.columnWidth(3), 400);
    EXPECT_EQ(g.ColWidth(0), 300);  // what the screen set is still what it reads back

    g.AddItem("1	2601000123	x	uno");
    g.AddItem("2	07/12/2026");
    EXPECT_GE(g.columnWidth(1), necesita(g, "2601000123"));
    EXPECT_EQ(g.columnWidth(2), 0);

    // Rows past the first screenful are never measured: they do not widen anything.
    const int antes = g.columnWidth(1);
    for (int i = 0; i < FlexGrid::kFitRows; ++i)
        g.AddItem("3	1");
    g.AddItem("4	Un texto mucho más largo que cualquier código de prefactura");
    g.setTextMatrix(g.Rows() - 1, 0, "Tampoco este texto tan largo");
    EXPECT_EQ(g.columnWidth(1), antes);
    // ... but a row inserted at the top is read first, so it is.
    g.AddItem("5	260100012345678", 1);
    EXPECT_GE(g.columnWidth(1), necesita(g, "260100012345678"));

    // A column hidden and shown again, or set anew, keeps the room its text needs.
    g.setColHidden(0, true);
    EXPECT_EQ(g.columnWidth(0), 0);
    g.setColHidden(0, false);
    EXPECT_GE(g.columnWidth(0), necesita(g, "Fich.Proveedor Propuesta"));
    g.setColWidth(0, 450);
    EXPECT_GE(g.columnWidth(0), necesita(g, "Fich.Proveedor Propuesta"));

    // A larger font widens what it makes longer.
    QFont grande = g.font();
    if (grande.pointSizeF() > 0)
        grande.setPointSizeF(grande.pointSizeF() * 2);
    else
        grande.setPixelSize(grande.pixelSize() * 2);
    g.setFont(grande);
    EXPECT_GE(g.columnWidth(0), necesita(g, "Fich.Proveedor Propuesta"));
    EXPECT_GE(g.columnWidth(1), necesita(g, "260100012345678"));
}

TEST(FlexGrid, aMergedHeadingWidensItsRunNotEveryColumnOfIt)
{
    FlexGrid g;
    cabeceraVisor(g);
    for (int c = 0; c < 6; ++c)
        g.setColWidth(c, 300);
    const int par = g.columnWidth(2) + g.columnWidth(3);
    EXPECT_GE(par, necesita(g, "Almacén Origen"));
    EXPECT_LT(par, 2 * necesita(g, "Almacén Origen"));
    EXPECT_GE(g.columnWidth(4) + g.columnWidth(5), necesita(g, "Almacén Destino"));

    // Split again, each heading is its own cell and gets its own room.
    g.setMergeRow(0, false);
    EXPECT_GE(g.columnWidth(2), necesita(g, "Almacén Origen"));
    EXPECT_GE(g.columnWidth(3), necesita(g, "Almacén Origen"));
}

TEST(FlexGrid, mergesEqualHeadingsOnlyOnTheFixedRow)
{
    FlexGrid g;
    cabeceraVisor(g);
    g.AddItem("1\t05/12/2026\t3\t3\t4\t4");

    EXPECT_EQ(g.TextMatrix(0, 2), "Almacén Origen");
    EXPECT_EQ(g.columnSpan(0, 0), 1);
    EXPECT_EQ(g.columnSpan(0, 2), 2);
    EXPECT_EQ(g.columnSpan(0, 4), 2);
    EXPECT_EQ(cabeceraFija(g)->columnSpan(0, 2), 2);  // the frozen heading shows the same
    EXPECT_EQ(g.columnSpan(1, 2), 1);  // data rows are not merged

    g.setTextMatrix(0, 3, "Otro");  // a changed heading splits the pair again
    EXPECT_EQ(g.columnSpan(0, 2), 1);
    g.setMergeRow(0, false);
    EXPECT_EQ(g.columnSpan(0, 4), 1);

    g.setMergeRow(0, true);
    g.setTextMatrix(0, 0, "");
    g.setTextMatrix(0, 1, "");  // empty headings stay separate cells
    EXPECT_EQ(g.columnSpan(0, 0), 1);
}

TEST(FlexGrid, addItemSplitsTabsAndRemoveItemKeepsTheCurrentRowNumber)
{
    FlexGrid g;
    g.setCols(2);
    g.AddItem("1\tuno\tsobra");
    g.AddItem("3");
    g.AddItem("2\tdos", 2);
    ASSERT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.TextMatrix(1, 1), "uno");
    EXPECT_EQ(g.TextMatrix(2, 0), "2");
    EXPECT_EQ(g.TextMatrix(3, 0), "3");
    EXPECT_EQ(g.TextMatrix(3, 1), "");

    g.setRow(2);
    g.RemoveItem(2);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Text(), "3");
    g.RemoveItem(2);
    EXPECT_EQ(g.Row(), 1);  // clamped to the last row
    g.RemoveItem(1);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.Row(), 0);  // only the heading is left

    EXPECT_THROW(g.RemoveItem(0), std::out_of_range);
    EXPECT_THROW(g.TextMatrix(1, 0), std::out_of_range);
    EXPECT_THROW(g.setTextMatrix(0, 2, "x"), std::out_of_range);

    g.setRows(3);  // rows added by count are empty, heading kept
    EXPECT_EQ(g.TextMatrix(2, 1), "");
}

TEST(FlexGrid, cellColoursAndAlignments)
{
    FlexGrid g;
    g.setCols(3);
    g.AddItem("1\ta\t2,50");
    g.AddItem("2\tb\t3,00");
    const QColor casado(255, 192, 192);
    g.setCellBackColor(2, 0, 2, 2, casado);
    EXPECT_EQ(g.CellBackColor(2, 1), casado);
    EXPECT_FALSE(g.CellBackColor(1, 1).isValid());

    g.setRow(1);
    g.setCol(2);
    g.setCellForeColor(Qt::red);
    EXPECT_EQ(g.CellForeColor(1, 2), QColor(Qt::red));
    g.setCellBackColor(2, 1, QColor());
    EXPECT_FALSE(g.CellBackColor(2, 1).isValid());

    // General: numbers right, text left.
    EXPECT_EQ(g.displayAlignment(1, 2), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(g.displayAlignment(1, 1), Qt::AlignLeft | Qt::AlignVCenter);
    g.setColAlignment(1, flexAlignRightCenter);
    EXPECT_EQ(g.displayAlignment(2, 1), Qt::AlignRight | Qt::AlignVCenter);
    // Headings follow the column until they get their own alignment.
    EXPECT_EQ(g.CellAlignment(0, 1), flexAlignRightCenter);
    g.setCellAlignment(0, 0, 0, 2, flexAlignCenterCenter);
    EXPECT_EQ(g.CellAlignment(0, 1), flexAlignCenterCenter);
    EXPECT_EQ(g.displayAlignment(0, 1), Qt::AlignCenter);
    EXPECT_EQ(g.CellAlignment(1, 1), flexAlignRightCenter);
}

class FlexGridShown : public ::testing::Test {
protected:
    FlexGridShown()
    {
        g.setCols(3);
        g.setTextMatrix(0, 0, "Articulo");
        for (int i = 1; i <= 40; ++i)
            g.AddItem(QStringLiteral("%1\tart %1\t1").arg(i));
        g.resize(300, 200);
        g.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&g));
    }

    QPoint centro(int row, int col) const
    {
        return g.visualRect(g.model()->index(row, col)).center();
    }

    FlexGrid g;
};

TEST_F(FlexGridShown, clickAndSpaceReachTheScreenButHeadingClicksDoNot)
{
    QSignalSpy clicks(&g, &FlexGrid::Click);
    QSignalSpy cambios(&g, &FlexGrid::RowColChange);
    QSignalSpy teclas(&g, &FlexGrid::KeyPress);

    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centro(3, 1));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(cambios.count(), 1);

    QTableView* cabecera = cabeceraFija(g);
    ASSERT_TRUE(cabecera && cabecera->isVisible());
    QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(g.Row(), 3);

    QTest::keyClick(&g, Qt::Key_Space);
    ASSERT_EQ(teclas.count(), 1);
    EXPECT_EQ(teclas.at(0).at(0).toInt(), 32);

    g.setRow(3);  // same row: no change notified
    EXPECT_EQ(cambios.count(), 1);
    g.setRow(5);
    EXPECT_EQ(cambios.count(), 2);

    QTest::keyClick(&g, Qt::Key_Up);
    EXPECT_EQ(g.Row(), 4);
    g.setRow(1);
    QTest::keyClick(&g, Qt::Key_Up);  // the heading is never reached from the keyboard
    EXPECT_EQ(g.Row(), 1);
}

TEST_F(FlexGridShown, topRowRestsJustBelowTheFrozenHeading)
{
    g.setTopRow(20);
    EXPECT_EQ(g.TopRow(), 20);
    EXPECT_EQ(g.visualRect(g.model()->index(20, 0)).top(), g.rowHeight(0));
    QTableView* cabecera = cabeceraFija(g);
    EXPECT_EQ(cabecera->geometry().top(), g.viewport()->geometry().top());
    EXPECT_EQ(cabecera->height(), g.rowHeight(0));

    // Moving up onto a row hidden under the heading brings it into view below it.
    g.setRow(20);
    QTest::keyClick(&g, Qt::Key_Up);
    EXPECT_EQ(g.Row(), 19);
    EXPECT_EQ(g.TopRow(), 19);
}

TEST_F(FlexGridShown, editHooksGuardTheEditableColumn)
{
    g.setEditableCol(2);
    QStringList llamadas;
    g.onStartEdit([&](int r, int c, bool&) {
        llamadas << QStringLiteral("start %1").arg(r);
        g.setTextMatrix(r, c, "1,00");
    });
    g.onKeyPressEdit([](int, int, int& k) {
        if (k == '.')
            k = ',';
        else if (k != 8 && k != ',' && !QChar(k).isDigit())
            k = 0;
    });
    g.onValidateEdit([&](int r, int, bool& cancel) {
        llamadas << "validate " + g.EditText();
        cancel = g.EditText().isEmpty();
    });
    g.onAfterEdit([&](int r, int) {
        llamadas << QStringLiteral("after %1").arg(r);
        g.setRow(r + 1);
    });

    g.setRow(2);
    g.setCol(1);
    EXPECT_FALSE(g.EditCell());  // not the editable column
    g.setCol(2);
    ASSERT_TRUE(g.EditCell());
    QLineEdit* editor = g.EditWindow();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->selectedText(), "1,00");
    QTest::keyClicks(editor, "12.5x");
    EXPECT_EQ(editor->text(), "12,5");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits from the event loop
    EXPECT_EQ(g.EditWindow(), nullptr);
    EXPECT_EQ(g.TextMatrix(2, 2), "12,5");
    EXPECT_EQ(g.Row(), 3);  // moved by AfterEdit, once the editor had closed
    EXPECT_EQ(llamadas, QStringList({"start 2", "validate 12,5", "after 2"}));

    // Validation refusing: the old text stays and AfterEdit does not run.
    llamadas.clear();
    ASSERT_TRUE(g.EditCell());
    editor = g.EditWindow();
    ASSERT_TRUE(editor);
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.TextMatrix(3, 2), "1,00");
    EXPECT_EQ(llamadas, QStringList({"start 3", "validate "}));

    // StartEdit may refuse.
    g.onStartEdit([](int, int, bool& cancel) { cancel = true; });
    EXPECT_FALSE(g.EditCell());
}

TEST(Anclaje, sharesTheExtraWidthAndNeverShrinksBelowTheRegisteredWidth)
{
    FlexGrid g;
    g.setCols(4);
    g.setColWidth(0, 900);
    g.setColWidth(1, 1500);
    g.setColWidth(2, 1500);
    g.setColHidden(3, true);
    g.resize(500, 200);
    g.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));

    Anclaje anclaje;
    anclaje.AgregarColumna(&g, 1, 50);
    anclaje.AgregarColumna(&g, 2, 50);
    const int ancho = g.viewport()->width();
    EXPECT_EQ(g.columnWidth(0) + g.columnWidth(1) + g.columnWidth(2), ancho);
    EXPECT_LE(std::abs(g.columnWidth(1) - g.columnWidth(2)), 1);
    EXPECT_EQ(g.columnWidth(0), 60);

    g.resize(700, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.columnWidth(0) + g.columnWidth(1) + g.columnWidth(2), g.viewport()->width());

    g.resize(150, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(g.ColWidth(1), 1500);
    EXPECT_EQ(g.ColWidth(2), 1500);
}
