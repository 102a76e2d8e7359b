#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <memory>

namespace reposic {

// Reads and writes the provisioning groups of the company, the level above the replenishment
// groups. Failures come out as ErrorEnLinea, so the screens can name the failing line.
class GruposAprovisionamiento {
public:
    struct Aprov {
        int16_t codigo = 0;
        QString nombre;
        int16_t tipoFichero = 0;  // file of the proposal: 0 PDF, 1 Excel
    };

    GruposAprovisionamiento(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);

    QVector<Aprov> lista() const;
    // True when the company already has a provisioning group with that code or that name.
    bool existe(int16_t codigo, const QString& nombre) const;
    void agregar(const Aprov& aprov);
    // Name and file type; the code never changes.
    void modificar(const Aprov& aprov);
    bool usadoPorGrupos(int16_t codigo) const;
    // Removes the group with its security grants, replenishment groups and category filters, all
    // or nothing. Answers false, touching nothing, while a replenishment group still uses it.
    bool eliminar(int16_t codigo);

    // The provisioning groups the user may work with: those granted to his security groups, or
    // all of them when none of his security groups is tied to provisioning groups.
    QVector<Aprov> permitidos(int16_t usuario) const;

    // The current user from the company's parameters, as a number (0 when it is not one).
    static int16_t usuarioActual(const host::Empresa& empresa);

private:
    QString empresa() const;

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};

}  // namespace reposic
