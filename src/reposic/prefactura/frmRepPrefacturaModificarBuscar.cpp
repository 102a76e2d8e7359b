#include "reposic/prefactura/frmRepPrefacturaModificarBuscar.h"

#include "host/controls/SelectorAlmacen.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NumericBox.h"
#include "reposic/frame/modComun.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

frmRepPrefacturaModificarBuscar::frmRepPrefacturaModificarBuscar(QWidget* parent) : FormBase(parent)
{
    setObjectName(QStringLiteral("frmRepPrefacturaModificarBuscar"));
    setWindowTitle(QStringLiteral("Cargar Prefactura"));
    lblAlmacenO = new QLabel(QStringLiteral("Almacén"), this);
    lblAlmacenO->setObjectName(QStringLiteral("lblAlmacenO"));
    txtAlmacen = new host::SelectorAlmacen(this);
    txtAlmacen->setObjectName(QStringLiteral("txtAlmacen"));
    txtCodigo = new ui::NumericBox(this);
    txtCodigo->setObjectName(QStringLiteral("txtCodigo"));
    txtCodigo->setDecimales(0);
    cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    auto* grid = new QGridLayout;
    grid->addWidget(lblAlmacenO, 0, 0);
    grid->addWidget(txtAlmacen, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Código"), this), 1, 0);
    grid->addWidget(txtCodigo, 1, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(grid);
    raiz->addLayout(botones);

    connect(cmdAceptar, &QPushButton::clicked, this, &frmRepPrefacturaModificarBuscar::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmRepPrefacturaModificarBuscar::cmdCancelar_Click);
}


void frmRepPrefacturaModificarBuscar::Form_Load()
{
    txtAlmacen->setEmpresa(empresa_);
    txtAlmacen->setConexion(conexion_);
    txtAlmacen->setMostrarAviso(true);
    txtAlmacen->setUsuario(reposic::modComun::usuarioActual());
}

void frmRepPrefacturaModificarBuscar::cmdAceptar_Click()
{
    const QString atencion = QStringLiteral("¡ Atención !");
    if (!txtAlmacen->valido()) {
        ui::MsgBox(QStringLiteral("El almacén especificado no existe"), ui::vbOKOnly | ui::vbExclamation,
                   atencion);
        txtAlmacen->setFocus();
        return;
    }
    const double codigo = txtCodigo->Value();
    if (codigo != 0) {
        Cod_Almacen = txtAlmacen->codigo();
        Codigo = static_cast<int64_t>(codigo);
        accept();
        return;
    }
    ui::MsgBox(QStringLiteral("Especifique un código válido"), ui::vbOKOnly | ui::vbExclamation, atencion);
    txtCodigo->setFocus();
}

void frmRepPrefacturaModificarBuscar::cmdCancelar_Click() { descargar(); }
