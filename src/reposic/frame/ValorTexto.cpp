#include "reposic/frame/ValorTexto.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace reposic {

double ValorTexto(const QString& texto)
{
    int i = 0;
    const int n = static_cast<int>(texto.size());
    while (i < n && texto.at(i).isSpace())
        ++i;
    QString numero;
    if (i < n && (texto.at(i) == QLatin1Char('-') || texto.at(i) == QLatin1Char('+')))
        numero += texto.at(i++);
    bool digitos = false;
    bool punto = false;
    for (; i < n; ++i) {
        const QChar c = texto.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digitos = true;
            numero += c;
        } else if (c == QLatin1Char('.') && !punto) {
            punto = true;
            numero += c;
        } else {
            break;
        }
    }
    if (!digitos)
        return 0.0;
    return numero.toDouble();
}

int16_t EnteroCorto(const QVariant& valor)
{
    const double d = std::nearbyint(ValorTexto(valor.toString()));
    if (d < std::numeric_limits<int16_t>::min() || d > std::numeric_limits<int16_t>::max())
        throw std::out_of_range(
            QStringLiteral("Desbordamiento: '%1' no cabe en un entero")
                .arg(valor.toString())
                .toStdString());
    return static_cast<int16_t>(d);
}

}  // namespace reposic
