#include "host/app/VentanaPrincipal.h"

#include "host/app/CatalogoPantallas.h"
#include "host/app/RegistroLanzadores.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/Recordset.h"
#include "platform/ui/MsgBox.h"
#include "reposic/frame/FormBase.h"
#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/clsControlSeg.h"
#include "reposic/frame/frmclsBase.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <exception>

namespace hostapp {

namespace {

// A screen without launcher gets one made by the host, so it receives its context exactly as
// the module's launchers hand it.
class LanzadorFormulario : public reposic::frmclsBase {
public:
    explicit LanzadorFormulario(FabricaFormulario fabrica) : fabrica_(std::move(fabrica)) {}

protected:
    reposic::FormBase* crearFormulario() override { return fabrica_(); }

private:
    FabricaFormulario fabrica_;
};

constexpr int kRolClase = Qt::UserRole + 1;

}  // namespace

VentanaPrincipal::VentanaPrincipal(std::shared_ptr<host::Empresa> empresa,
                                   db::ConnectionPtr conexion, QWidget* parent)
    : QMainWindow(parent),
      empresa_(std::move(empresa)),
      conexion_(std::move(conexion)),
      miembros_(empresa_, conexion_)
{
    setObjectName(QStringLiteral("frmHost"));
    setWindowTitle(QStringLiteral("NRVXReposic - ") + empresa_->NombreEmpresa());
    resize(820, 560);

    auto* central = new QWidget(this);
    lblEmpresa_ = new QLabel(descripcionContexto(), central);
    lblEmpresa_->setObjectName(QStringLiteral("lblEmpresa"));
    lblEmpresa_->setTextFormat(Qt::PlainText);

    trvPantallas_ = new QTreeWidget(central);
    trvPantallas_->setObjectName(QStringLiteral("trvPantallas"));
    trvPantallas_->setColumnCount(2);
    trvPantallas_->setHeaderLabels({QStringLiteral("Pantalla"), QStringLiteral("Clase")});
    trvPantallas_->header()->setSectionResizeMode(0, QHeaderView::Stretch);

    auto* capa = new QVBoxLayout(central);
    capa->addWidget(lblEmpresa_);
    capa->addWidget(trvPantallas_, 1);
    setCentralWidget(central);

    construirMenu();
    aplicarSeguridad();
    connect(trvPantallas_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString clase = item->data(0, kRolClase).toString();
        if (!clase.isEmpty())
            abrir(clase);
    });
    statusBar()->showMessage(db::ConnectionString::redacted(conexion_->connectionString()));
}

VentanaPrincipal::~VentanaPrincipal()
{
    // Launchers unload their forms; do it while the window, their owner, still exists.
    lanzadores_.clear();
}

QString VentanaPrincipal::descripcionContexto() const
{
    QString usuario = QStringLiteral("?");
    QString almacen = QString::number(empresa_->AlmacenDefecto());
    try {
        usuario = empresa_->Parametro(QStringLiteral("UsuarioActual")).toString();
        const int16_t codigoUsuario = reposic::EnteroCorto(usuario);
        const QString nombreUsuario = conexion_->scalar(
            QStringLiteral("SELECT Nombre FROM Usuarios WHERE Codigo = ")
            + QString::number(codigoUsuario)).toText();
        if (!nombreUsuario.isEmpty())
            usuario += QStringLiteral(" - ") + nombreUsuario;
        const QString nombreAlmacen = conexion_->scalar(
            QStringLiteral("SELECT Nombre FROM Almacenes WHERE Cod_Empresa = ")
            + QString::number(empresa_->CodigoEmpresa()) + QStringLiteral(" AND Codigo = ")
            + almacen).toText();
        if (!nombreAlmacen.isEmpty())
            almacen += QStringLiteral(" - ") + nombreAlmacen;
    } catch (const std::exception&) {
        // The names are a courtesy; the codes alone still say who the program runs as.
    }
    return QStringLiteral("Empresa: %1 - %2    Usuario: %3    Almacén: %4")
        .arg(empresa_->CodigoEmpresa())
        .arg(empresa_->NombreEmpresa(), usuario, almacen);
}

void VentanaPrincipal::construirMenu()
{
    QMenu* menuPantallas = menuBar()->addMenu(QStringLiteral("&Pantallas"));
    menuPantallas->setObjectName(QStringLiteral("mnuPantallas"));
    mnuPantallas_ = menuPantallas;
    const QList<EntradaPantalla> entradas = CatalogoPantallas::registradas();

    auto* raiz = new QTreeWidgetItem(trvPantallas_, {QStringLiteral("Reposición")});
    for (const QString& grupo : CatalogoPantallas::grupos()) {
        QTreeWidgetItem* nodo = nullptr;
        QMenu* submenu = nullptr;
        for (const EntradaPantalla& e : entradas) {
            if (e.grupo != grupo)
                continue;
            if (!nodo) {
                nodo = new QTreeWidgetItem(raiz, {grupo});
                submenu = menuPantallas->addMenu(grupo);
                // Each submenu and entry is a control of this window, so rights reach them.
                submenu->setObjectName(QStringLiteral("mnu") + grupo);
            }
            auto* hoja = new QTreeWidgetItem(nodo, {e.titulo, e.clase});
            hoja->setData(0, kRolClase, e.clase);
            const QString clase = e.clase;
            QAction* entrada = submenu->addAction(e.titulo, this, [this, clase] { abrir(clase); });
            entrada->setObjectName(clase);
            entradas_[clase.toLower()] = entrada;
            hojas_[clase.toLower()] = hoja;
        }
    }
    if (entradas.isEmpty()) {
        new QTreeWidgetItem(raiz, {QStringLiteral("(no hay pantallas registradas)")});
        menuPantallas->addAction(QStringLiteral("(no hay pantallas registradas)"))
            ->setEnabled(false);
    }
    trvPantallas_->expandAll();
    menuPantallas->addSeparator();
    menuPantallas->addAction(QStringLiteral("&Salir"), this, &QWidget::close)
        ->setObjectName(QStringLiteral("mnuSalir"));
}

// The host's own window is registered in the security tables and restricted by the user's groups,
// so an administrator can see control-level security at work on it.
void VentanaPrincipal::aplicarSeguridad()
{
    try {
        if (empresa_->Parametro(QStringLiteral("ServidorRegistroSeguridad")).isValid()) {
            reposic::clsControlSeg::setServidorRegistro(
                empresa_->Parametro(QStringLiteral("ServidorRegistroSeguridad")).toString());
        }
    } catch (const std::exception&) {
        // No such parameter: the window is registered nowhere; rights still apply.
    }
    try {
        auto* seg = new reposic::clsControlSeg(this);
        seg->setUsuario(reposic::EnteroCorto(empresa_->Parametro(QStringLiteral("UsuarioActual"))));
        seg->cEmpresa(empresa_);
        seg->Conexion(conexion_);
        seg->setContentForm(this);
        seg->SetStateAllControl();
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbOKOnly | ui::vbCritical,
                   QStringLiteral("¡ Atención !"));
    }
    // The tree lists the same screens as the menu: a screen closed in the menu is closed here.
    for (const auto& [clase, hoja] : hojas_)
        hoja->setDisabled(!puedeAbrir(clase));
}

bool VentanaPrincipal::puedeAbrir(const QString& clase) const
{
    const auto it = entradas_.find(clase.trimmed().toLower());
    if (it == entradas_.end())
        return true;
    const QAction* entrada = it->second;
    if (!entrada->isEnabled() || !entrada->isVisible())
        return false;
    for (QObject* o = entrada->parent(); o; o = o->parent()) {
        const auto* menu = qobject_cast<const QMenu*>(o);
        if (!menu)
            break;
        if (!menu->isEnabled() || !menu->menuAction()->isEnabled()
            || !menu->menuAction()->isVisible())
            return false;
    }
    return true;
}

bool VentanaPrincipal::abrir(const QString& clase)
{
    const QString clave = clase.trimmed().toLower();
    if (!puedeAbrir(clase)) {
        ui::MsgBox(QStringLiteral("No tiene permiso para abrir la pantalla ") + clase.trimmed()
                       + QLatin1Char('.'),
                   ui::vbOKOnly | ui::vbExclamation, QStringLiteral("¡ Atención !"));
        return false;
    }
    try {
        auto it = lanzadores_.find(clave);
        if (it == lanzadores_.end()) {
            std::unique_ptr<reposic::frmclsBase> lanzador = reposic::LanzadorRegistro::crear(clase);
            if (!lanzador) {
                if (FabricaFormulario fabrica = fabricaFormulario(clase))
                    lanzador = std::make_unique<LanzadorFormulario>(std::move(fabrica));
            }
            if (!lanzador) {
                ui::MsgBox(QStringLiteral("No hay ninguna pantalla registrada con el nombre ")
                               + clase + QLatin1Char('.'),
                           ui::vbOKOnly | ui::vbExclamation, QStringLiteral("¡ Atención !"));
                return false;
            }
            it = lanzadores_.emplace(clave, std::move(lanzador)).first;
        }
        reposic::frmclsBase& lanzador = *it->second;
        // The context is handed on every opening: another screen may have overwritten it.
        lanzador.EmpresaNorvex(empresa_);
        lanzador.ConexionNorvex(conexion_);
        miembros_.pasar(lanzador);
        lanzador.Show(CatalogoPantallas::entrada(clase).modal ? 1 : 0, this);
        return true;
    } catch (const std::exception& e) {
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbOKOnly | ui::vbCritical,
                   QStringLiteral("¡ Atención !"));
        return false;
    }
}

reposic::FormBase* VentanaPrincipal::formulario(const QString& clase) const
{
    const auto it = lanzadores_.find(clase.trimmed().toLower());
    return it == lanzadores_.end() ? nullptr : it->second->frmS();
}

}  // namespace hostapp
