#include "ReportFixture.h"

#include "platform/report/Error.h"
#include "platform/ui/ScreenPointer.h"
#include "reposic/frame/clsView.h"
#include "reposic/frame/frmView.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using reporttest::ReportFixture;
using reposic::clsView;
using reposic::frmView;

namespace {

// Restores the viewer's normal modal show whatever a test does.
struct HookGuard {
    explicit HookGuard(clsView::ModalHook hook) { clsView::setModalHook(std::move(hook)); }
    ~HookGuard() { clsView::setModalHook({}); }
};

}  // namespace

TEST_F(ReportFixture, viewerShowsPagesNavigatesZoomsAndUnloadsOnClose)
{
    for (int i = 1000; i < 1120; ++i)
        addShortage(3, i, QStringLiteral("1"));
    int shown = 0;
    HookGuard guard([&](frmView& v) {
        ++shown;
        EXPECT_TRUE(v.isVisible());
        EXPECT_EQ(v.windowTitle(), QStringLiteral("NRVX - Visor de Reportes"));
        // 120% does not fit the 800-pixel offscreen screen: the zoom came down to it.
        EXPECT_LT(v.zoom(), 120);
        EXPECT_TRUE(v.text().contains(QStringLiteral("Supermercados Norte S.L.")));
        ASSERT_GE(v.pageCount(), 3);
        EXPECT_EQ(v.currentPage(), 0);
        const QImage first = v.pageImage();
        EXPECT_NEAR(first.width(), 210.0 / 25.4 * 96 * v.zoom() / 100, 2);

        auto* label = v.findChild<QLabel*>(QStringLiteral("lblPagina"));
        ASSERT_TRUE(label);
        v.findChild<QToolButton*>(QStringLiteral("cmdUltima"))->click();
        EXPECT_EQ(v.currentPage(), v.pageCount() - 1);
        EXPECT_EQ(label->text(), QStringLiteral("Página %1 de %1").arg(v.pageCount()));
        EXPECT_FALSE(v.findChild<QToolButton*>(QStringLiteral("cmdSiguiente"))->isEnabled());
        v.findChild<QToolButton*>(QStringLiteral("cmdAnterior"))->click();
        EXPECT_EQ(v.currentPage(), v.pageCount() - 2);
        EXPECT_NE(v.pageImage(), first);

        // The user types a zoom; the caller gets it back after the view closes.
        auto* zoom = v.findChild<QComboBox*>(QStringLiteral("cboZoom"));
        zoom->lineEdit()->setText(QStringLiteral("75%"));
        emit zoom->lineEdit()->editingFinished();
        EXPECT_EQ(v.zoom(), 75);
        EXPECT_NEAR(v.pageImage().width(), 210.0 / 25.4 * 96 * 0.75, 2);
        v.close();
    });

    clsView view;
    view.setReport(prepared());
    int zoom = 120;
    view.Cargar(true, zoom);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(zoom, 75);
    EXPECT_FALSE(reposic::FormBase::hayPorDefecto<frmView>());
}

TEST_F(ReportFixture, viewerGroupTreeAndFailures)
{
    HookGuard guard([](frmView& v) {
        auto* tree = v.findChild<QWidget*>(QStringLiteral("tvGrupos"));
        ASSERT_TRUE(tree);
        EXPECT_TRUE(tree->isVisible());
        // A view left open by the hook is closed when Cargar returns.
    });
    clsView view;
    view.setMostrarGrupos(true);
    view.setReport(prepared());
    int zoom = 120;
    view.Cargar(true, zoom);
    EXPECT_FALSE(reposic::FormBase::hayPorDefecto<frmView>());

    // No report, or one that cannot be read: an error for the screen, and no viewer left open.
    clsView empty;
    EXPECT_THROW(empty.Cargar(true, zoom), report::Error);
    auto broken = prepared();
    broken->setSelectionFormula(QStringLiteral("{Otra.Campo} = 1"));
    view.setReport(std::move(broken));
    EXPECT_THROW(view.Cargar(true, zoom), report::Error);
    EXPECT_FALSE(reposic::FormBase::hayPorDefecto<frmView>());
}

namespace {

// Whether the whole width of the page shown fits the viewer, with nothing to scroll sideways.
void expectWholeWidth(frmView& v)
{
    auto* area = v.findChild<QScrollArea*>(QStringLiteral("crvRep"));
    ASSERT_TRUE(area);
    QApplication::processEvents();
    EXPECT_GE(area->viewport()->width(), v.pageImage().width());
    EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
    const QRect disponible = v.screen()->availableGeometry();
    EXPECT_LE(v.width(), disponible.width());
    EXPECT_LE(v.height(), disponible.height());
}

}  // namespace

TEST_F(ReportFixture, viewerOpensShowingTheWholeWidthOfThePage)
{
    // A zoom the screen can hold: the window fits the page and the zoom is kept.
    int zoomPedido = 50;
    bool visto = false;
    HookGuard guard([&](frmView& v) {
        visto = true;
        expectWholeWidth(v);
        if (zoomPedido == 50) {
            EXPECT_EQ(v.zoom(), 50);
            // Not a huge empty window around a small page either.
            EXPECT_LT(v.width(), v.pageImage().width() + 120);
        } else {
            // Too wide for the screen: the zoom comes down until the page fits the window.
            EXPECT_LT(v.zoom(), zoomPedido);
            EXPECT_EQ(v.findChild<QComboBox*>(QStringLiteral("cboZoom"))->currentText(),
                      QStringLiteral("%1%").arg(v.zoom()));
        }
    });
    clsView view;
    view.setReport(prepared());
    view.Cargar(true, zoomPedido);
    EXPECT_TRUE(visto);
    EXPECT_EQ(zoomPedido, 50);

    // The offscreen screen is 800 pixels wide: an A4 page at 120% (953 pixels) does not fit.
    ASSERT_LT(QApplication::primaryScreen()->availableGeometry().width(), 953);
    zoomPedido = 120;
    visto = false;
    view.setReport(prepared());
    int zoom = zoomPedido;
    view.Cargar(true, zoom);
    EXPECT_TRUE(visto);
    EXPECT_LT(zoom, 120);  // the caller keeps the zoom the user saw
    EXPECT_GE(zoom, 50);
}

TEST_F(ReportFixture, viewerPagesWithPageUpPageDownHomeAndEnd)
{
    for (int i = 1000; i < 1120; ++i)
        addShortage(3, i, QStringLiteral("1"));
    HookGuard guard([](frmView& v) {
        ASSERT_GE(v.pageCount(), 3);
        QApplication::setActiveWindow(&v);
        auto* area = v.findChild<QScrollArea*>(QStringLiteral("crvRep"));
        QScrollBar* barra = area->verticalScrollBar();
        EXPECT_TRUE(area->hasFocus());  // arrows scroll the page at once

        // PageDown first shows the rest of a page taller than the window, then turns it.
        const auto pulsar = [&](Qt::Key key, QWidget* donde) {
            QTest::keyClick(donde, key);
            QApplication::processEvents();
        };
        int pulsaciones = 0;
        while (v.currentPage() == 0 && pulsaciones < 20) {
            pulsar(Qt::Key_PageDown, area);
            ++pulsaciones;
        }
        EXPECT_EQ(v.currentPage(), 1);
        EXPECT_EQ(pulsaciones, barra->maximum() > 0 ? 1 + (barra->maximum() + barra->pageStep()
                                                               - 1) / barra->pageStep()
                                                    : 1);
        EXPECT_EQ(barra->value(), 0);  // the new page from its top

        // PageUp goes back into the previous page at its foot.
        pulsar(Qt::Key_PageUp, area);
        EXPECT_EQ(v.currentPage(), 0);
        EXPECT_EQ(barra->value(), barra->maximum());

        // End and Home, wherever the focus is outside the zoom box's text.
        pulsar(Qt::Key_End, v.findChild<QToolButton*>(QStringLiteral("cmdSiguiente")));
        EXPECT_EQ(v.currentPage(), v.pageCount() - 1);
        pulsar(Qt::Key_PageDown, area);
        for (int i = 0; i < 20; ++i)
            pulsar(Qt::Key_PageDown, area);
        EXPECT_EQ(v.currentPage(), v.pageCount() - 1);  // nothing after the last page
        pulsar(Qt::Key_Home, area);
        EXPECT_EQ(v.currentPage(), 0);
        EXPECT_EQ(barra->value(), 0);
        pulsar(Qt::Key_PageUp, area);
        EXPECT_EQ(v.currentPage(), 0);

        // In the zoom box Home and End still move the cursor in its text.
        auto* texto = v.findChild<QComboBox*>(QStringLiteral("cboZoom"))->lineEdit();
        texto->setFocus();
        texto->setCursorPosition(0);
        pulsar(Qt::Key_End, texto);
        EXPECT_EQ(texto->cursorPosition(), texto->text().size());
        EXPECT_EQ(v.currentPage(), 0);
    });
    clsView view;
    view.setReport(prepared());
    int zoom = 120;
    view.Cargar(true, zoom);
}

TEST_F(ReportFixture, viewerPutsTheNormalPointerBackWhenActivated)
{
    // The screen that prepared the report left the hourglass up; the viewer is what the user
    // now works with.
    bool conRelojAlMostrar = false;
    bool conRelojActivado = true;
    HookGuard guard([&](frmView& v) {
        conRelojAlMostrar = ui::ScreenPointer::hourglass();
        QApplication::setActiveWindow(&v);
        conRelojActivado = ui::ScreenPointer::hourglass();
        v.close();
    });
    ui::ScreenPointer::setHourglass(true);
    clsView view;
    view.setReport(prepared());
    int zoom = 120;
    view.Cargar(true, zoom);
    EXPECT_TRUE(conRelojAlMostrar);
    EXPECT_FALSE(conRelojActivado);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ui::ScreenPointer::setHourglass(false);
}
