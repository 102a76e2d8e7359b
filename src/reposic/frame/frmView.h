#pragma once

#include "reposic/frame/FormBase.h"

#include <QImage>

#include <memory>

class QComboBox;
class QLabel;
class QScrollArea;
class QToolButton;
class QTreeWidget;

namespace report {
class Report;
}

namespace reposic {

// The report viewer: the pages of a prepared report as images, with page navigation, zoom,
// printing and export to PDF, and the group tree when asked for. One shared instance
// (FormBase::porDefecto<frmView>()), filled and shown by clsView; closing the view unloads it.
class frmView : public FormBase {
    Q_OBJECT

public:
    explicit frmView(QWidget* parent = nullptr);
    ~frmView() override;

    void setReport(std::shared_ptr<report::Report> report);
    std::shared_ptr<report::Report> report() const { return report_; }
    void setMostrarGrupos(bool mostrar);
    bool mostrarGrupos() const { return mostrarGrupos_; }
    void setZoom(int zoom);
    int zoom() const { return zoom_; }

    // Renders the report and shows its first page with its full width: the window grows to the
    // page within the available screen, and where the screen is too narrow the zoom shrinks to
    // the window instead. A report that cannot be read throws report::Error and leaves the view
    // empty.
    void Cargar();

    int pageCount() const;
    int currentPage() const { return page_; }  // 0-based
    void showPage(int page);
    QImage pageImage() const;  // the page shown, at the current zoom
    QString text() const;      // the text of the whole report, for tests and searches

    // Toolbar actions, also callable directly.
    void imprimir();
    void exportarPdf(const QString& path);

    // Keyboard paging: PageDown shows the rest of a page taller than the window, then the next
    // page from its top; PageUp goes back the same way; Home and End go to the first and the
    // last page.
    void paginaSiguiente();
    void paginaAnterior();

protected:
    // Activation puts the normal pointer back: the caller's wait cursor must not outlive the
    // moment the report is on screen.
    bool event(QEvent* e) override;

private:
    void refresh();
    void ajustarAlAnchoDePagina();
    void mostrarDesde(int page, bool alPie);
    void exportarPdfPreguntando();
    void fillGroupTree();

    std::shared_ptr<report::Report> report_;
    bool mostrarGrupos_ = false;
    int zoom_ = 120;
    int page_ = 0;
    bool cargado_ = false;  // pages are drawn only once the report rendered in Cargar

    QScrollArea* crvRep_ = nullptr;
    QLabel* pagina_ = nullptr;
    QLabel* pctLogo_ = nullptr;
    QLabel* lblPagina_ = nullptr;
    QComboBox* cboZoom_ = nullptr;
    QTreeWidget* tvGrupos_ = nullptr;
    QToolButton* cmdPrimera_ = nullptr;
    QToolButton* cmdAnterior_ = nullptr;
    QToolButton* cmdSiguiente_ = nullptr;
    QToolButton* cmdUltima_ = nullptr;
};

}  // namespace reposic
