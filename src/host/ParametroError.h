#pragma once

#include <QString>

#include <stdexcept>

namespace host {

// A named parameter the host does not have. The launchers let it travel up to the host
// unchanged, so a misconfigured company fails loudly instead of running with blank values.
class ParametroError : public std::runtime_error {
public:
    explicit ParametroError(const QString& nombre)
        : std::runtime_error(QStringLiteral("No existe el parámetro '%1'").arg(nombre).toStdString()),
          nombre_(nombre)
    {
    }

    QString nombre() const { return nombre_; }

private:
    QString nombre_;
};

}  // namespace host
