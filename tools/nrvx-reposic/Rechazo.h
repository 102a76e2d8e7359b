#pragma once

#include "host/CodigoSalida.h"

#include <QString>

#include <stdexcept>

// A run that stops before doing anything: wrong use (exit 2) or a refusal (exit 3). The message
// is one line saying what and why; whoever catches it prints it and exits with the code.
class Rechazo : public std::runtime_error {
public:
    Rechazo(host::CodigoSalida codigo, const QString& mensaje)
        : std::runtime_error(mensaje.toStdString()), codigo_(codigo)
    {
    }
    host::CodigoSalida codigo() const { return codigo_; }
    QString mensaje() const { return QString::fromStdString(what()); }

    static Rechazo malUso(const QString& m) { return Rechazo(host::kMalUso, m); }
    static Rechazo rechazado(const QString& m) { return Rechazo(host::kRechazado, m); }

private:
    host::CodigoSalida codigo_;
};
