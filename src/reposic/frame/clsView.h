#pragma once

#include <functional>
#include <memory>

namespace report {
class Report;
}

namespace reposic {

class frmView;

// Shows a prepared report in the shared viewer. The caller opens the report, logs it on and sets
// its parameters, hands it over with setReport and calls Cargar(true, zoom); a modal Cargar
// returns when the user closes the view, with zoom holding the zoom the user left.
// Cargar throws report::Error when there is no report or it cannot be rendered (the screens'
// handlers show it); the viewer is then not left open.
class clsView {
public:
    clsView() = default;

    void setReport(std::shared_ptr<report::Report> report) { report_ = std::move(report); }
    std::shared_ptr<report::Report> Report() const { return report_; }
    bool MostrarGrupos() const { return mostrarGrupos_; }
    void setMostrarGrupos(bool mostrar) { mostrarGrupos_ = mostrar; }

    void Cargar(bool modal, int& zoom);

    // Tests: called with the loaded, shown viewer instead of running it modally; a viewer the
    // hook leaves open is closed when it returns. Answers the hook it replaces.
    using ModalHook = std::function<void(frmView&)>;
    static ModalHook setModalHook(ModalHook hook);

private:
    std::shared_ptr<report::Report> report_;
    bool mostrarGrupos_ = false;
};

}  // namespace reposic
