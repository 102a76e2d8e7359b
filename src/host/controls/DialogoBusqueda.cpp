#include "host/controls/DialogoBusqueda.h"

#include "platform/db/Recordset.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace host {

DialogoBusqueda::DialogoBusqueda(const QString& titulo, db::ConnectionPtr conexion,
                                 Consulta consulta, QWidget* parent)
    : QDialog(parent), conexion_(std::move(conexion)), consulta_(std::move(consulta))
{
    setObjectName(QStringLiteral("frmBuscar"));
    setWindowTitle(titulo);
    resize(520, 420);

    txtFiltro_ = new QLineEdit(this);
    txtFiltro_->setObjectName(QStringLiteral("txtFiltro"));
    txtFiltro_->setPlaceholderText(QStringLiteral("Buscar por código o nombre"));
    txtFiltro_->installEventFilter(this);

    tblLista_ = new QTableWidget(0, 2, this);
    tblLista_->setObjectName(QStringLiteral("tblLista"));
    tblLista_->setHorizontalHeaderLabels({QStringLiteral("Código"), QStringLiteral("Nombre")});
    tblLista_->horizontalHeader()->setStretchLastSection(true);
    tblLista_->verticalHeader()->hide();
    tblLista_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblLista_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblLista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblLista_->installEventFilter(this);

    lblMensaje_ = new QLabel(this);
    lblMensaje_->setObjectName(QStringLiteral("lblMensaje"));
    lblMensaje_->setWordWrap(true);

    auto* botones = new QDialogButtonBox(this);
    QPushButton* aceptar = botones->addButton(QStringLiteral("&Aceptar"),
                                              QDialogButtonBox::AcceptRole);
    aceptar->setObjectName(QStringLiteral("cmdAceptar"));
    aceptar->setAutoDefault(false);
    QPushButton* cancelar = botones->addButton(QStringLiteral("&Cancelar"),
                                               QDialogButtonBox::RejectRole);
    cancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cancelar->setAutoDefault(false);

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(txtFiltro_);
    capa->addWidget(tblLista_);
    capa->addWidget(lblMensaje_);
    capa->addWidget(botones);

    connect(txtFiltro_, &QLineEdit::textChanged, this, [this] { recargar(); });
    connect(tblLista_, &QTableWidget::cellDoubleClicked, this, [this](int fila, int) {
        aceptarFila(fila);
    });
    connect(aceptar, &QPushButton::clicked, this, [this] { aceptarFila(); });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);

    recargar();
}

QString DialogoBusqueda::filtro() const
{
    return txtFiltro_->text();
}

void DialogoBusqueda::setFiltro(const QString& filtro)
{
    txtFiltro_->setText(filtro);
}

int DialogoBusqueda::filas() const
{
    return tblLista_->rowCount();
}

bool DialogoBusqueda::aceptarFila(int fila)
{
    if (fila < 0)
        fila = tblLista_->currentRow();
    if (fila < 0 && tblLista_->rowCount() == 1)
        fila = 0;  // a filter that leaves one row has chosen it
    if (fila < 0 || fila >= tblLista_->rowCount())
        return false;
    codigo_ = tblLista_->item(fila, 0)->text();
    nombre_ = tblLista_->item(fila, 1)->text();
    accept();
    return true;
}

void DialogoBusqueda::recargar()
{
    tblLista_->setRowCount(0);
    lblMensaje_->clear();
    if (!conexion_ || !consulta_)
        return;
    try {
        db::Recordset rs(conexion_, consulta_(txtFiltro_->text().trimmed()));
        int fila = 0;
        for (; !rs.eof() && fila < kMaxFilas; rs.moveNext(), ++fila) {
            tblLista_->insertRow(fila);
            const QString codigo = rs.field(QStringLiteral("Codigo")).toText();
            const QString nombre = rs.field(QStringLiteral("Nombre")).toText();
            tblLista_->setItem(fila, 0, new QTableWidgetItem(codigo));
            tblLista_->setItem(fila, 1, new QTableWidgetItem(nombre));
        }
        if (fila == kMaxFilas)
            lblMensaje_->setText(QStringLiteral("Se muestran los %1 primeros; afine la búsqueda.")
                                     .arg(kMaxFilas));
    } catch (const db::Error& e) {
        tblLista_->setRowCount(0);
        lblMensaje_->setText(e.message());
    }
    if (tblLista_->rowCount() > 0)
        tblLista_->selectRow(0);
}

bool DialogoBusqueda::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            aceptarFila();
            return true;
        }
        // Up and down in the filter line move through the list without leaving the line.
        if (watched == txtFiltro_ && (k->key() == Qt::Key_Down || k->key() == Qt::Key_Up)) {
            const int fila = tblLista_->currentRow() + (k->key() == Qt::Key_Down ? 1 : -1);
            if (fila >= 0 && fila < tblLista_->rowCount())
                tblLista_->selectRow(fila);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace host
