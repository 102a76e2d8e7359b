#pragma once

#include "platform/db/Connection.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace host {

// The searchable list a picker opens with F4 or its button: a filter line over a table of codes
// and names read from the company database. The statement is rebuilt on every change of the
// filter, so a master of a hundred thousand articles is never read whole.
//
// The caller builds the statement from the filter (texts only through db::sqlText); it must
// return the columns Codigo and Nombre. A failing statement shows its message inside the dialog
// and leaves the list empty: the user can still cancel.
//
// Pickers show it through ui::runModal, so tests answer it with ui::ModalScript.
class DialogoBusqueda : public QDialog {
    Q_OBJECT

public:
    using Consulta = std::function<QString(const QString& filtro)>;

    DialogoBusqueda(const QString& titulo, db::ConnectionPtr conexion, Consulta consulta,
                    QWidget* parent = nullptr);

    // The code of the row accepted; empty until the dialog is accepted.
    QString codigo() const { return codigo_; }
    QString nombre() const { return nombre_; }

    QString filtro() const;
    void setFiltro(const QString& filtro);
    int filas() const;
    // Accepts row `fila` of the list (the current row when -1); false when there is no such row.
    bool aceptarFila(int fila = -1);

    static constexpr int kMaxFilas = 500;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recargar();

    db::ConnectionPtr conexion_;
    Consulta consulta_;
    QLineEdit* txtFiltro_;
    QTableWidget* tblLista_;
    QLabel* lblMensaje_;
    QString codigo_;
    QString nombre_;
};

}  // namespace host
