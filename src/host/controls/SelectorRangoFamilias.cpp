#include "host/controls/SelectorRangoFamilias.h"

#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

#include <stdexcept>

namespace host {

SelectorRangoFamilias::SelectorRangoFamilias(QWidget* parent) : QWidget(parent)
{
    auto* capa = new QGridLayout(this);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(new QLabel(QStringLiteral("Desde"), this), 0, 1);
    capa->addWidget(new QLabel(QStringLiteral("Hasta"), this), 0, 2);
    for (int nivel = 0; nivel < 3; ++nivel) {
        etiquetas_[nivel] = new QLabel(nombreNivel(nivel), this);
        etiquetas_[nivel]->setObjectName(QStringLiteral("lblFamilia%1").arg(nivel + 1));
        capa->addWidget(etiquetas_[nivel], nivel + 1, 0);
        for (int lado = 0; lado < 2; ++lado) {
            auto* e = new QLineEdit(this);
            e->setObjectName(QStringLiteral("txtFamilia%1%2").arg(nivel + 1).arg(lado ? 'H' : 'D'));
            e->setValidator(new QIntValidator(kMinimo, kMaximo, e));
            e->setPlaceholderText(lado ? QString::number(kMaximo) : QString::number(kMinimo));
            e->setMaximumWidth(90);
            connect(e, &QLineEdit::textChanged, this, &SelectorRangoFamilias::cambio);
            limites_[nivel * 2 + lado] = e;
            capa->addWidget(e, nivel + 1, lado + 1);
        }
    }
}

void SelectorRangoFamilias::setEmpresa(std::shared_ptr<Empresa> empresa)
{
    empresa_ = std::move(empresa);
    for (int nivel = 0; nivel < 3; ++nivel) {
        const bool usado = !empresa_ || !empresa_->NombreNivel(nivel).isEmpty();
        etiquetas_[nivel]->setText(nombreNivel(nivel));
        etiquetas_[nivel]->setVisible(usado);
        for (int lado = 0; lado < 2; ++lado) {
            limites_[nivel * 2 + lado]->setVisible(usado);
            if (!usado)
                limites_[nivel * 2 + lado]->clear();  // an unused level never narrows the range
        }
    }
}

QString SelectorRangoFamilias::nombreNivel(int nivel) const
{
    const QString n = empresa_ ? empresa_->NombreNivel(nivel) : QString();
    return n.isEmpty() ? QStringLiteral("Familia %1").arg(nivel + 1) : n;
}

int16_t SelectorRangoFamilias::limite(int indice) const
{
    bool ok = false;
    const int v = limites_.at(indice)->text().trimmed().toInt(&ok);
    if (!ok || v < kMinimo || v > kMaximo)
        return indice % 2 ? kMaximo : kMinimo;
    return static_cast<int16_t>(v);
}

std::array<int16_t, 6> SelectorRangoFamilias::limites() const
{
    std::array<int16_t, 6> l{};
    for (int i = 0; i < 6; ++i)
        l[i] = limite(i);
    return l;
}

void SelectorRangoFamilias::setLimite(int indice, int16_t valor)
{
    if (indice < 0 || indice >= 6)
        throw std::out_of_range("SelectorRangoFamilias: límite fuera de 0..5");
    limites_[indice]->setText(QString::number(valor));
}

void SelectorRangoFamilias::reiniciar()
{
    for (QLineEdit* e : limites_)
        e->clear();
}

QString SelectorRangoFamilias::descripcion() const
{
    QStringList partes;
    for (int nivel = 0; nivel < 3; ++nivel) {
        const int16_t desde = limite(nivel * 2);
        const int16_t hasta = limite(nivel * 2 + 1);
        if (desde == kMinimo && hasta == kMaximo)
            continue;
        QString parte = nombreNivel(nivel) + QStringLiteral(": ");
        if (desde == hasta)
            parte += QString::number(desde);
        else if (hasta == kMaximo)
            parte += QStringLiteral("desde ") + QString::number(desde);
        else if (desde == kMinimo)
            parte += QStringLiteral("hasta ") + QString::number(hasta);
        else
            parte += QString::number(desde) + QStringLiteral(" a ") + QString::number(hasta);
        partes.append(parte);
    }
    return partes.isEmpty() ? QStringLiteral("Familias: TODAS") : partes.join(QStringLiteral(", "));
}

bool SelectorRangoFamilias::valido() const
{
    for (int nivel = 0; nivel < 3; ++nivel)
        if (limite(nivel * 2) > limite(nivel * 2 + 1))
            return false;
    return true;
}

}  // namespace host
