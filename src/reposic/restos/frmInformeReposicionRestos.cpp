#include "reposic/restos/frmInformeReposicionRestos.h"
#include "reposic/frame/Nombrar.h"

#include "host/Utilidades.h"
#include "host/controls/OpcionesNivel.h"
#include "host/controls/SelectorAlmacen.h"
#include "host/controls/SelectorRangoFamilias.h"
#include "platform/report/Printers.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/OutputDevicePicker.h"
#include "platform/ui/PrinterPicker.h"
#include "reposic/frame/Informes.h"
#include "reposic/frame/clsView.h"
#include "reposic/frame/modComun.h"
#include "reposic/frame/modMsgOp.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

namespace {

using reposic::nombrar;

}  // namespace

frmInformeReposicionRestos::frmInformeReposicionRestos(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmInformeReposicionRestos"));
    setWindowTitle(QStringLiteral("Informe de Estado de la Reposición"));
    txtAlmacen = nombrar(new host::SelectorAlmacen(this), "txtAlmacen");
    famFamilias = nombrar(new host::SelectorRangoFamilias(this), "famFamilias");
    hvVerNiveles = nombrar(new host::OpcionesNivel(this), "hvVerNiveles");
    cboVer = nombrar(new QComboBox(this), "cboVer");
    cboDisp = nombrar(new ui::OutputDevicePicker(this), "cboDisp");
    cboImpresora = nombrar(new ui::PrinterPicker(this), "cboImpresora");
    cmdAceptar = nombrar(new QPushButton(QStringLiteral("&Aceptar"), this), "cmdAceptar");
    cmdCancelar = nombrar(new QPushButton(QStringLiteral("&Cancelar"), this), "cmdCancelar");

    auto* grid = new QGridLayout;
    int fila = 0;
    grid->addWidget(new QLabel(QStringLiteral("Almacén:"), this), fila, 0);
    grid->addWidget(txtAlmacen, fila++, 1);
    grid->addWidget(famFamilias, fila++, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Niveles:"), this), fila, 0);
    grid->addWidget(hvVerNiveles, fila++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ver:"), this), fila, 0);
    grid->addWidget(cboVer, fila++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Dispositivo:"), this), fila, 0);
    grid->addWidget(cboDisp, fila++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Impresora:"), this), fila, 0);
    grid->addWidget(cboImpresora, fila++, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(grid);
    raiz->addLayout(botones);

    cboVer->installEventFilter(this);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmInformeReposicionRestos::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmInformeReposicionRestos::cmdCancelar_Click);
}

frmInformeReposicionRestos* frmInformeReposicionRestos::abrir(QWidget* owner)
{
    auto* f = porDefecto<frmInformeReposicionRestos>();
    f->Show(0, owner);
    return f;
}


void frmInformeReposicionRestos::Form_Load()
{
    const auto empresa = modComun::empresa();
    txtAlmacen->setContexto(empresa, modComun::conexion(), modComun::usuarioActual());
    txtAlmacen->setCodigo(empresa->AlmacenDefecto());
    txtAlmacen->cargar();
    famFamilias->setConexion(modComun::conexion());
    famFamilias->setEmpresa(empresa);

    cboVer->clear();
    cboVer->addItems({QStringLiteral("Positivos/Negativos"), QStringLiteral("Negativos"),
                      QStringLiteral("Positivos"), QStringLiteral("Todos")});
    cboVer->setCurrentIndex(3);

    for (int i = 0; i <= 3; ++i) {
        const QString nombre = empresa->NombreNivel(i);
        if (!nombre.isEmpty())
            hvVerNiveles->setCaption(i + 1, nombre);
    }
    hvVerNiveles->setTexto(2, QStringLiteral("1"));
    hvVerNiveles->setTexto(3, QStringLiteral("1,2"));
    for (int o = 1; o <= host::OpcionesNivel::kOpciones; ++o)
        hvVerNiveles->setMarcado(o, o == 1);

    reposic::Informes::cargarImpresoras(*cboImpresora);
}

bool frmInformeReposicionRestos::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboVer && event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(event)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            host::SiguienteCampo();
            return true;
        }
    }
    return FormBase::eventFilter(watched, event);
}

QString frmInformeReposicionRestos::TextoCabecera()
{
    return QStringLiteral("Almacén: ") + QString::number(txtAlmacen->codigo()) + QStringLiteral(" - ")
        + txtAlmacen->nombre() + QStringLiteral("  ") + famFamilias->descripcion()
        + QStringLiteral("  ") + QStringLiteral("Ver: ") + cboVer->currentText();
}

void frmInformeReposicionRestos::cmdAceptar_Click()
{
    try {
        reposic::MsgOp(true, QStringLiteral("Realizando operación, espere por favor..."));
        auto informe = reposic::Informes::abrir(QStringLiteral("Reposicion Restos.rpt"));
        informe->setParameter(1, TextoCabecera());
        for (int o = 1; o <= 3; ++o)
            informe->setParameter(o + 1, hvVerNiveles->marcado(o));
        informe->setParameter(5, static_cast<int>(modComun::empresa()->CodigoEmpresa()));
        informe->setParameter(6, static_cast<int>(txtAlmacen->codigo()));
        const auto limites = famFamilias->limites();
        for (int i = 0; i < 6; ++i)
            informe->setParameter(7 + i, static_cast<int>(limites[i]));
        informe->setParameter(13, cboVer->currentIndex());
        informe->setParameter(14, Flag ? 1 : 0);
        informe->setParameter(15, 0);
        reposic::Informes::subinformeEmpresa(*informe);
        reposic::Informes::dirigirAImpresora(*informe, cboImpresora->DeviceName());
        informe->setDocumentName(QStringLiteral("Reposicion Restos %1").arg(txtAlmacen->codigo()));
        if (cboDisp->Value() > 0) {
            informe->printOut(1);
            reposic::MsgOp(false);
        } else {
            reposic::clsView vista;
            vista.setReport(informe);
            reposic::MsgOp(false);
            int zoom = 120;
            vista.Cargar(true, zoom);
        }
    } catch (const std::exception& e) {
        reposic::MsgOp(false);
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("¡ Atención !"));
    }
}

void frmInformeReposicionRestos::cmdCancelar_Click() { descargar(); }
