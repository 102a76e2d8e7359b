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
#include <QScrollArea>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace reposic {

namespace {

constexpr int kMinZoom = 25;
constexpr int kMaxZoom = 400;

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
    refresh();
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
