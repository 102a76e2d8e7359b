#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

namespace reposic {

// The numeric value of a text as the host language reads it: leading blanks skipped, then an
// optional sign, digits and a point-decimal part; reading stops at the first other character
// ("12abc" is 12) and a text with no number is 0.
double ValorTexto(const QString& texto);

// ValorTexto rounded to a 16-bit integer, halves to even as the host's integer conversion does.
// Throws std::out_of_range outside -32768..32767: a wrapped code would silently name someone else.
int16_t EnteroCorto(const QVariant& valor);

}  // namespace reposic
