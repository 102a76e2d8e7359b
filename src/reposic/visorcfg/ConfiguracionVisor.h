#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QString>
#include <QVector>

#include <cstdint>
#include <memory>

namespace reposic {

// Writes one user's layout of the replenishment article viewer for one replenishment type:
// the shown columns in their order and the sort columns with their direction. Only the user's
// own rows are written; the shared default (user 0) is only ever read.
class ConfiguracionVisor {
public:
    struct Orden {
        int codCampo = 0;
        QString sentido;  // "ASC" or "DESC"
    };

    ConfiguracionVisor(std::shared_ptr<host::Empresa> empresa, db::ConnectionPtr conexion);

    // The current user as the host gives it in "UsuarioActual". It names whose rows are written,
    // so a value that is not a whole number is refused instead of being read as user 0, whose
    // rows are everyone's default.
    int32_t usuarioActual() const;

    // Replaces the user's layout of type 1 or 2 in one transaction, so a failure keeps the
    // previous layout whole; any other type writes nothing. A column shown twice keeps its later
    // position; a sort column the user had no row for is stored as shown.
    void grabar(int tipo, const QVector<int>& visibles, const QVector<Orden>& orden);

    // Forgets the column widths the viewer remembered for the user, so it sizes them itself again.
    void olvidarAnchos(int tipo);

private:
    void escribirValores(int tipo, int32_t usuario, int codCampo, int visible, int direccion,
                         int ordenGrid, int ordenOrderBy);

    std::shared_ptr<host::Empresa> empresa_;
    db::ConnectionPtr conexion_;
};

}  // namespace reposic
