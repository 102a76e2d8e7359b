#include "reposic/grupos/ErrorEnLinea.h"

namespace reposic {

QString TituloError(const QString& titulo, const std::exception& error)
{
    const auto* conLinea = dynamic_cast<const ErrorEnLinea*>(&error);
    if (conLinea && conLinea->linea() > 0)
        return QStringLiteral("[%1] ").arg(conLinea->linea()) + titulo;
    return titulo;
}

}  // namespace reposic
