#include "host/controls/SelectorBase.h"

#include "host/controls/DialogoBusqueda.h"
#include "host/Utilidades.h"
#include "platform/db/SqlText.h"
#include "platform/ui/RunModal.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace host {

SelectorBase::SelectorBase(QWidget* parent) : QWidget(parent)
{
    txtCodigo_ = new QLineEdit(this);
    txtCodigo_->setObjectName(QStringLiteral("txtCodigo"));
    txtCodigo_->setMaximumWidth(110);
    txtCodigo_->installEventFilter(this);

    cmdBuscar_ = new QToolButton(this);
    cmdBuscar_->setObjectName(QStringLiteral("cmdBuscar"));
    cmdBuscar_->setText(QStringLiteral("…"));
    cmdBuscar_->setToolTip(QStringLiteral("Buscar (F4)"));
    cmdBuscar_->setFocusPolicy(Qt::NoFocus);

    lblNombre_ = new QLabel(this);
    lblNombre_->setObjectName(QStringLiteral("lblNombre"));
    lblNombre_->setMinimumWidth(120);
    lblNombre_->setTextInteractionFlags(Qt::NoTextInteraction);

    auto* capa = new QHBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->setSpacing(4);
    capa->addWidget(txtCodigo_);
    capa->addWidget(cmdBuscar_);
    capa->addWidget(lblNombre_, 1);
    setFocusProxy(txtCodigo_);

    connect(txtCodigo_, &QLineEdit::textEdited, this, [this] {
        // The name shown belongs to the previous text: clear it until the new one is looked up.
        cargado_ = false;
        lblNombre_->clear();
    });
    connect(txtCodigo_, &QLineEdit::editingFinished, this, [this] {
        if (!cargado_ || textoCargado_ != txtCodigo_->text())
            cargarDesdeUsuario();
    });
    connect(cmdBuscar_, &QToolButton::clicked, this, [this] { abrirLista(); });
}

SelectorBase::~SelectorBase() = default;

void SelectorBase::setContexto(std::shared_ptr<Empresa> empresa, db::ConnectionPtr conexion,
                               int16_t usuario)
{
    setEmpresa(std::move(empresa));
    setConexion(std::move(conexion));
    setUsuario(usuario);
}

QString SelectorBase::texto() const
{
    return txtCodigo_->text();
}

void SelectorBase::setTexto(const QString& texto)
{
    txtCodigo_->setText(texto);
    cargado_ = false;
    lblNombre_->clear();
}

bool SelectorBase::valido()
{
    asegurarCargado();
    return !codigo_.isEmpty();
}

QString SelectorBase::nombre()
{
    asegurarCargado();
    return nombre_;
}

QString SelectorBase::codigoEncontrado()
{
    asegurarCargado();
    return codigo_;
}

void SelectorBase::asegurarCargado()
{
    if (!cargado_ || textoCargado_ != txtCodigo_->text())
        cargar();
}

void SelectorBase::cargar()
{
    const QString t = txtCodigo_->text();
    ultimoError_.clear();
    std::optional<Encontrado> encontrado;
    if (!t.trimmed().isEmpty() && contextoListo()) {
        try {
            encontrado = buscar(t.trimmed());
        } catch (...) {
            // Invalid until a look-up succeeds: a stale name must not stay valid.
            aplicar(t, std::nullopt);
            throw;
        }
    }
    aplicar(t, encontrado);
}

void SelectorBase::cargarDesdeUsuario()
{
    try {
        cargar();
    } catch (const std::exception& e) {
        ultimoError_ = QString::fromUtf8(e.what());
        mostrarEstado();
    }
}

void SelectorBase::aplicar(const QString& texto, const std::optional<Encontrado>& encontrado)
{
    codigo_ = encontrado ? encontrado->codigo : QString();
    nombre_ = encontrado ? encontrado->nombre : QString();
    QString mostrado = texto;
    if (encontrado && encontrado->codigo != texto.trimmed())
        mostrado = encontrado->codigo;  // a bar code or a padded code shows as the code found
    if (mostrado != txtCodigo_->text())
        txtCodigo_->setText(mostrado);
    textoCargado_ = txtCodigo_->text();
    cargado_ = true;
    mostrarEstado();

    const QString clave = encontrado ? encontrado->codigo : texto.trimmed();
    if (clave != claveNotificada_) {
        claveNotificada_ = clave;
        emit cambio();
    }
}

void SelectorBase::mostrarEstado()
{
    if (!ultimoError_.isEmpty()) {
        lblNombre_->setStyleSheet(QStringLiteral("color: #b00020;"));
        lblNombre_->setText(ultimoError_);
        lblNombre_->setToolTip(ultimoError_);
        return;
    }
    const bool aviso =
        mostrarAviso_ && codigo_.isEmpty() && !txtCodigo_->text().trimmed().isEmpty();
    lblNombre_->setStyleSheet(aviso ? QStringLiteral("color: #b00020;") : QString());
    lblNombre_->setText(aviso ? QStringLiteral("No existe") : nombre_);
    lblNombre_->setToolTip(nombre_);
}

void SelectorBase::reiniciar()
{
    txtCodigo_->clear();
    ultimoError_.clear();
    aplicar(QString(), std::nullopt);
}

void SelectorBase::fijarCodigo(const QString& texto)
{
    txtCodigo_->setText(texto);
    cargado_ = false;
    if (texto.isEmpty() || contextoListo())
        cargar();
    else
        lblNombre_->clear();
}

void SelectorBase::seleccionarTexto()
{
    txtCodigo_->setFocus();
    txtCodigo_->selectAll();
}

void SelectorBase::abrirLista()
{
    if (!editable_ || !isEnabled())
        return;
    emit activando();
    if (!contextoListo())
        return;
    DialogoBusqueda dlg(tituloLista(), conexion_,
                        [this](const QString& filtro) { return consultaLista(filtro); }, this);
    if (ui::runModal(dlg) != QDialog::Accepted || dlg.codigo().isEmpty())
        return;
    txtCodigo_->setText(dlg.codigo());
    cargado_ = false;
    cargarDesdeUsuario();
    txtCodigo_->setFocus();
}

void SelectorBase::setEditable(bool editable)
{
    editable_ = editable;
    txtCodigo_->setReadOnly(!editable);
    cmdBuscar_->setEnabled(editable);
}

void SelectorBase::setMostrarAviso(bool mostrar)
{
    mostrarAviso_ = mostrar;
    mostrarEstado();
}

QString SelectorBase::selectLista()
{
    return QStringLiteral("SELECT TOP %1 ").arg(DialogoBusqueda::kMaxFilas);
}

QString SelectorBase::condicionFiltro(const QString& columnaCodigo, const QString& columnaNombre,
                                      const QString& filtro)
{
    if (filtro.isEmpty())
        return QString();
    return QStringLiteral(" AND (") + columnaNombre + QStringLiteral(" LIKE ")
        + db::sqlText(QLatin1Char('%') + filtro + QLatin1Char('%')) + QStringLiteral(" OR CAST(")
        + columnaCodigo + QStringLiteral(" AS VARCHAR(20)) LIKE ")
        + db::sqlText(filtro + QLatin1Char('%')) + QLatin1Char(')');
}

bool SelectorBase::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtCodigo_) {
        if (event->type() == QEvent::FocusIn) {
            emit activando();
        } else if (event->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(event);
            if (k->key() == Qt::Key_F4) {
                abrirLista();
                return true;
            }
            if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
                emit activando();
                cargarDesdeUsuario();
                emit teclaPulsada(13);
                // A screen that moved the focus itself on Enter keeps its own flow.
                if (avanzaConIntro() && QApplication::focusWidget() == txtCodigo_)
                    SiguienteCampo();
                return true;  // Enter belongs to the screen's field flow, not a default button
            }
            if (!k->text().isEmpty())
                emit teclaPulsada(k->text().at(0).unicode());
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace host
