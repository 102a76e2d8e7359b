#include "reposic/grupos/frmPedirAprovisionamiento.h"

#include "platform/ui/MsgBox.h"
#include "reposic/frame/modComun.h"
#include "reposic/grupos/GruposAprovisionamiento.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using reposic::modComun;

frmPedirAprovisionamiento::frmPedirAprovisionamiento(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmPedirAprovisionamiento"));
    setWindowTitle(QStringLiteral("Elegir Grupo de Aprovisionamiento"));

    cboAprovisionamiento = new QComboBox(this);
    cboAprovisionamiento->setObjectName(QStringLiteral("cboAprovisionamiento"));
    cboAprovisionamiento->setMinimumWidth(260);
    cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(cboAprovisionamiento);
    raiz->addLayout(botones);

    connect(cmdAceptar, &QPushButton::clicked, this, &frmPedirAprovisionamiento::cmdAceptar_Click);
}


void frmPedirAprovisionamiento::Form_Load()
{
    try {
        const auto empresa = modComun::empresa();
        reposic::GruposAprovisionamiento aprov(empresa, modComun::conexion());
        const auto lista =
            aprov.permitidos(reposic::GruposAprovisionamiento::usuarioActual(*empresa));
        for (const auto& a : lista)
            cboAprovisionamiento->addItem(a.nombre, QVariant(static_cast<int>(a.codigo)));
        if (cboAprovisionamiento->count() > 0)
            cboAprovisionamiento->setCurrentIndex(0);
    } catch (const std::exception& e) {
        // An empty list then answers no group, which the caller treats as none chosen.
        ui::MsgBox(QString::fromUtf8(e.what()), ui::vbCritical | ui::vbOKOnly,
                   QStringLiteral("frmPedirAprovisionamiento:Form_Load"));
    }
}

void frmPedirAprovisionamiento::cmdAceptar_Click()
{
    // With nothing to choose the answer is "no provisioning group", never a stale entry.
    const int i = cboAprovisionamiento->currentIndex();
    Cod_Aprov = i >= 0 ? static_cast<int16_t>(cboAprovisionamiento->itemData(i).toInt()) : 0;
    Nombre = i >= 0 ? cboAprovisionamiento->currentText() : QString();
    descargar();
}
