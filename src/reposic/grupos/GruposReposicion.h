#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <memory>

namespace reposic {

// Reads and writes the replenishment groups of a provisioning group. Failures come out as
// ErrorEnLinea, so the screens can name the failing line.
class GruposReposicion {
public:
    struct Grupo {
        int16_t codigo = 0;
        QString nombre;
    };

    // Codes from here on are kept for groups created outside this screen.
    static constexpr int16_t kCodigoLimite = 3000;

    GruposReposicion(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);

    QVector<Grupo> grupos(int16_t aprov) const;
    // True when the company already has a group with that code, or the provisioning group one
    // with that name.
    bool existe(int16_t aprov, int16_t codigo, const QString& nombre) const;
    // Next code: codes are drawn company-wide, across provisioning groups, below kCodigoLimite.
    int16_t siguienteCodigo() const;
    void agregar(int16_t aprov, int16_t codigo, const QString& nombre);
    void renombrar(int16_t codigo, const QString& nombre);

    // Why the group may not be deleted (the message for the user), empty when nothing refers
    // to it. Programmings, multi-filter programmings, orders and filters are looked at in turn.
    QString impedimentoEliminar(int16_t codigo) const;
    // The group and its families and brands go together or not at all.
    void eliminar(int16_t codigo);

private:
    QString empresa() const;

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};

}  // namespace reposic
