#include "ReportFixture.h"

#include "platform/report/Error.h"
#include "platform/ui/ScreenPointer.h"
#include "reposic/frame/clsView.h"
#include "reposic/frame/frmView.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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
        EXPECT_EQ(v.zoom(), 120);
        EXPECT_TRUE(v.text().contains(QStringLiteral("Supermercados Norte S.L.")));
        ASSERT_GE(v.pageCount(), 3);
        EXPECT_EQ(v.currentPage(), 0);
        const QImage first = v.pageImage();
        EXPECT_NEAR(first.width(), 210.0 / 25.4 * 96 * 1.2, 2);

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
