#include "host/controls/OpcionesNivel.h"

#include <QCheckBox>
#include <QHBoxLayout>

#include <stdexcept>

namespace host {

OpcionesNivel::OpcionesNivel(QWidget* parent) : QWidget(parent)
{
    auto* capa = new QHBoxLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kOpciones; ++i) {
        auto* c = new QCheckBox(this);
        c->setObjectName(QStringLiteral("chkNivel%1").arg(i + 1));
        c->setProperty("Index", i + 1);
        c->setVisible(false);
        connect(c, &QCheckBox::toggled, this, [this, i] { emit cambio(i + 1); });
        casillas_[i] = c;
        capa->addWidget(c);
    }
    capa->addStretch(1);
}

QCheckBox* OpcionesNivel::opcion(int numero) const
{
    if (numero < 1 || numero > kOpciones)
        throw std::out_of_range("OpcionesNivel: las opciones van de 1 a 5");
    return casillas_[numero - 1];
}

QString OpcionesNivel::caption(int numero) const
{
    return opcion(numero)->text();
}

void OpcionesNivel::setCaption(int numero, const QString& caption)
{
    QCheckBox* c = opcion(numero);
    c->setText(caption);
    c->setVisible(!caption.isEmpty());
}

QString OpcionesNivel::texto(int numero) const
{
    opcion(numero);
    return textos_[numero - 1];
}

void OpcionesNivel::setTexto(int numero, const QString& texto)
{
    opcion(numero);
    textos_[numero - 1] = texto;
}

bool OpcionesNivel::marcado(int numero) const
{
    return opcion(numero)->isChecked();
}

void OpcionesNivel::setMarcado(int numero, bool marcado)
{
    opcion(numero)->setChecked(marcado);
}

}  // namespace host
