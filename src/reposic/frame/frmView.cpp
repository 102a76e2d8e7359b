#include "reposic/frame/frmView.h"

#include "platform/report/DocumentPrinter.h"
#include "platform/report/Report.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/RunModal.h"
#include "platform/ui/ScreenPointer.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>

namespace reposic {

namespace {

constexpr int kMinZoom = 25;
constexpr int kMaxZoom = 400;
// Room left around the window for the title bar and borders the window manager adds.
constexpr int kMarcoAncho = 16;
constexpr int kMarcoAlto = 48;

// Width in pixels of a page `mm` wide at `zoom`, as the page images are drawn (96 dpi at 100%).
int anchoPagina(double mm, int zoom)
{
    return static_cast<int>(std::ceil(mm * 96.0 / 25.4 * zoom / 100.0));
}

QToolButton* boton(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

}  // namespace

frmView::frmView(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(QStringLiteral("NRVX - Visor de Reportes"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    resize(900, 700);

    auto* barra = new QHBoxLayout;
    cmdPrimera_ = boton(this, "cmdPrimera", QStringLiteral("|<"), QStringLiteral("Primera página"));
    cmdAnterior_ = boton(this, "cmdAnterior", QStringLiteral("<"), QStringLiteral("Página anterior"));
    lblPagina_ = new QLabel(this);
    lblPagina_->setObjectName(QStringLiteral("lblPagina"));
    cmdSiguiente_ = boton(this, "cmdSiguiente", QStringLiteral(">"),
                          QStringLiteral("Página siguiente"));
    cmdUltima_ = boton(this, "cmdUltima", QStringLiteral(">|"), QStringLiteral("Última página"));
    cboZoom_ = new QComboBox(this);
    cboZoom_->setObjectName(QStringLiteral("cboZoom"));
    cboZoom_->setEditable(true);
    for (int z : {50, 75, 100, 120, 150, 200, 300})
        cboZoom_->addItem(QStringLiteral("%1%").arg(z), z);
    auto* cmdImprimir = boton(this, "cmdImprimir", QStringLiteral("Imprimir"),
                              QStringLiteral("Imprimir el informe"));
    auto* cmdExportar = boton(this, "cmdExportar", QStringLiteral("PDF"),
                              QStringLiteral("Exportar el informe a PDF"));
    pctLogo_ = new QLabel(QStringLiteral("NRVX"), this);
    pctLogo_->setObjectName(QStringLiteral("pctLogo"));
    QFont logo = pctLogo_->font();
    logo.setBold(true);
    pctLogo_->setFont(logo);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdPrimera_, cmdAnterior_, lblPagina_,
                                                      cmdSiguiente_, cmdUltima_, cboZoom_,
                                                      cmdImprimir, cmdExportar})
        barra->addWidget(w);
    barra->addStretch();
    barra->addWidget(pctLogo_);

    tvGrupos_ = new QTreeWidget(this);
    tvGrupos_->setObjectName(QStringLiteral("tvGrupos"));
    tvGrupos_->setHeaderHidden(true);
    tvGrupos_->hide();

    crvRep_ = new QScrollArea(this);
    crvRep_->setObjectName(QStringLiteral("crvRep"));
    crvRep_->setAlignment(Qt::AlignHCenter);
    crvRep_->setBackgroundRole(QPalette::Dark);
    pagina_ = new QLabel;
    pagina_->setObjectName(QStringLiteral("lblImagen"));
    crvRep_->setWidget(pagina_);

    auto* split = new QSplitter(this);
    split->addWidget(tvGrupos_);
    split->addWidget(crvRep_);
    split->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(barra);
    layout->addWidget(split, 1);

    connect(cmdPrimera_, &QToolButton::clicked, this, [this] { showPage(0); });
    connect(cmdAnterior_, &QToolButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(cmdSiguiente_, &QToolButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(cmdUltima_, &QToolButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(cmdImprimir, &QToolButton::clicked, this, &frmView::imprimir);
    connect(cmdExportar, &QToolButton::clicked, this, &frmView::exportarPdfPreguntando);
    connect(cboZoom_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        bool ok = false;
        const int z = cboZoom_->currentText().remove(QLatin1Char('%')).trimmed().toInt(&ok);
        setZoom(ok ? z : zoom_);
    });
    connect(cboZoom_, &QComboBox::activated, this,
            [this](int index) { setZoom(cboZoom_->itemData(index).toInt()); });
    connect(tvGrupos_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item, int) { showPage(item->data(0, Qt::UserRole).toInt()); });
    connect(tvGrupos_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item, int) { showPage(item->data(0, Qt::UserRole).toInt()); });

    // Window-wide, so the keys page the report wherever the focus is; the zoom box keeps Home
    // and End for its own text while it is being edited.
    const auto tecla = [this](QKeySequence key, auto accion) {
        auto* atajo = new QShortcut(key, this);
        atajo->setContext(Qt::WindowShortcut);
        connect(atajo, &QShortcut::activated, this, accion);
    };
    tecla(QKeySequence(Qt::Key_PageDown), [this] { paginaSiguiente(); });
    tecla(QKeySequence(Qt::Key_PageUp), [this] { paginaAnterior(); });
    tecla(QKeySequence(Qt::Key_Home), [this] { mostrarDesde(0, false); });
    tecla(QKeySequence(Qt::Key_End), [this] { mostrarDesde(pageCount() - 1, false); });
    crvRep_->setFocusPolicy(Qt::StrongFocus);
}

frmView::~frmView() = default;

bool frmView::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        ui::ScreenPointer::setHourglass(false);
    return FormBase::event(e);
}

void frmView::setReport(std::shared_ptr<report::Report> report)
{
    report_ = std::move(report);
    page_ = 0;
    cargado_ = false;
}

void frmView::setMostrarGrupos(bool mostrar)
{
    mostrarGrupos_ = mostrar;
    tvGrupos_->setVisible(mostrar);
}

void frmView::setZoom(int zoom)
{
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    cboZoom_->setEditText(QStringLiteral("%1%").arg(zoom_));
    refresh();
}

void frmView::Cargar()
{
    page_ = 0;
    cargado_ = false;
    pagina_->clear();
    if (!report_)
        return;
    report_->render();
    cargado_ = true;
    fillGroupTree();
    ajustarAlAnchoDePagina();
    refresh();
    crvRep_->setFocus();
}

void frmView::ajustarAlAnchoDePagina()
{
    const double anchoMm = report_->render().pageSize.width();
    const double altoMm = report_->render().pageSize.height();
    ensurePolished();
    // What the window spends around the page: margins, toolbar, group tree, the frame and the
    // vertical scroll bar that a page taller than the window brings. Counted from the parts,
    // since a window not yet shown has not laid them out.
    QLayout* capa = layout();
    const QMargins margen = capa->contentsMargins();
    const int marco = 2 * crvRep_->frameWidth();
    const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, crvRep_);
    int extraAncho = margen.left() + margen.right() + marco + barra + 2;
    if (mostrarGrupos_)
        extraAncho += tvGrupos_->sizeHint().width() + 6;
    const int extraAlto = margen.top() + margen.bottom() + capa->itemAt(0)->sizeHint().height()
                          + capa->spacing() + marco;

    const QScreen* pantalla = screen();
    const QRect disponible = pantalla ? pantalla->availableGeometry() : QRect(0, 0, 1024, 768);
    const int anchoMax = std::max(disponible.width() - kMarcoAncho, minimumSizeHint().width());
    const int altoMax = std::max(disponible.height() - kMarcoAlto, minimumSizeHint().height());

    int ancho = anchoPagina(anchoMm, zoom_) + extraAncho;
    if (ancho > anchoMax) {
        // The screen cannot hold the page at this zoom: the zoom comes down to the window.
        int zoom = zoom_;
        while (zoom > kMinZoom && anchoPagina(anchoMm, zoom) + extraAncho > anchoMax)
            --zoom;
        zoom_ = zoom;
        cboZoom_->setEditText(QStringLiteral("%1%").arg(zoom_));
        ancho = anchoMax;
    }
    ancho = std::max(ancho, minimumSizeHint().width());
    const int alto = std::min(altoMax, anchoPagina(altoMm, zoom_) + extraAlto);
    resize(ancho, std::max(alto, minimumSizeHint().height()));
    if (!isVisible()) {
        // Centred in the available area, so the window manager has no reason to push it off.
        move(disponible.center() - QPoint(ancho / 2, (alto + kMarcoAlto) / 2));
    }
}

int frmView::pageCount() const
{
    return report_ && cargado_ ? report_->render().pageCount() : 0;
}

void frmView::showPage(int page)
{
    page_ = std::clamp(page, 0, std::max(0, pageCount() - 1));
    refresh();
}

void frmView::paginaSiguiente()
{
    QScrollBar* v = crvRep_->verticalScrollBar();
    if (v->value() < v->maximum())
        v->triggerAction(QAbstractSlider::SliderPageStepAdd);
    else if (page_ + 1 < pageCount())
        mostrarDesde(page_ + 1, false);
}

void frmView::paginaAnterior()
{
    QScrollBar* v = crvRep_->verticalScrollBar();
    if (v->value() > v->minimum())
        v->triggerAction(QAbstractSlider::SliderPageStepSub);
    else if (page_ > 0)
        mostrarDesde(page_ - 1, true);
}

// Shows a page from its top, or from its foot when paging backwards into it.
void frmView::mostrarDesde(int page, bool alPie)
{
    showPage(page);
    QScrollBar* v = crvRep_->verticalScrollBar();
    v->setValue(alPie ? v->maximum() : v->minimum());
}

QImage frmView::pageImage() const
{
    if (pageCount() == 0)
        return {};
    return report_->pageImage(page_, zoom_);
}

QString frmView::text() const
{
    return report_ && cargado_ ? report_->text() : QString();
}

void frmView::refresh()
{
    const int pages = pageCount();
    lblPagina_->setText(pages == 0 ? QString()
                                   : QStringLiteral("Página %1 de %2").arg(page_ + 1).arg(pages));
    cmdPrimera_->setEnabled(page_ > 0);
    cmdAnterior_->setEnabled(page_ > 0);
    cmdSiguiente_->setEnabled(page_ + 1 < pages);
    cmdUltima_->setEnabled(page_ + 1 < pages);
    if (pages == 0) {
        pagina_->clear();
        return;
    }
    pagina_->setPixmap(QPixmap::fromImage(pageImage()));
    pagina_->adjustSize();
}

void frmView::fillGroupTree()
{
    tvGrupos_->clear();
    if (!report_)
        return;
    std::vector<QTreeWidgetItem*> parents;
    for (const report::OutlineEntry& entry : report_->render().outline) {
        parents.resize(entry.level);
        QTreeWidgetItem* item = parents.empty() || !parents.back()
                                    ? new QTreeWidgetItem(tvGrupos_)
                                    : new QTreeWidgetItem(parents.back());
        item->setText(0, entry.label);
        item->setData(0, Qt::UserRole, entry.page);
        parents.push_back(item);
    }
}

void frmView::imprimir()
{
    if (!report_)
        return;
    try {
        QPrinter printer(QPrinter::HighResolution);
        if (!report_->printer().deviceName.isEmpty())
            printer.setPrinterName(report_->printer().deviceName);
        QPrintDialog dialog(&printer, this);
        if (ui::runModal(dialog) != QDialog::Accepted)
            return;
        report::DocumentPrinter::print(report_->render(), printer, report_->documentName());
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical, QStringLiteral("¡ Atención !"));
    }
}

void frmView::exportarPdf(const QString& path)
{
    if (report_)
        report_->exportPdf(path);
}

void frmView::exportarPdfPreguntando()
{
    if (!report_)
        return;
    QFileDialog dialog(this, QStringLiteral("Exportar a PDF"), QString(),
                       QStringLiteral("Documentos PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(report_->documentName() + QStringLiteral(".pdf"));
    if (ui::runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    try {
        exportarPdf(dialog.selectedFiles().constFirst());
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical, QStringLiteral("¡ Atención !"));
    }
}

}  // namespace reposic
