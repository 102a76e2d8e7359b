#pragma once

#include "host/Empresa.h"

#include <QString>

// How the leftover screens read the host's switches ("OficinaCentral"): the host stores them as
// text, and "1", "-1", "True" or "Verdadero" all mean on.
bool ParametroActivo(const host::Empresa& empresa, const QString& nombre);
