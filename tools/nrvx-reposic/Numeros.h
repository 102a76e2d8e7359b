#pragma once

#include "Rechazo.h"

#include <QString>

#include <cstdint>

// A warehouse or company code typed on the command line: a whole number from 1 to 32767, as
// the SMALLINT codes of the database; anything else is wrong use, never silently 0.
inline int16_t codigoPositivo(const QString& texto, const QString& que)
{
    bool ok = false;
    const int v = texto.trimmed().toInt(&ok);
    if (!ok || v <= 0 || v > 32767)
        throw Rechazo::malUso(QStringLiteral("%1 «%2» no es un código válido").arg(que, texto));
    return static_cast<int16_t>(v);
}
