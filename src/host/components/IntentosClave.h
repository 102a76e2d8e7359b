#pragma once

#include "platform/db/Connection.h"

#include <QDateTime>

#include <cstdint>
#include <optional>

namespace host {

// Wrong supervisor keys of one user, kept in the company database (Seguridad_IntentosClave) so
// that every dialog and every workstation sees the same count: three wrong keys within 15
// minutes refuse that user's authorisations for the next 15 minutes. A right key clears the count.
// Each call runs in its own transaction, or joins the caller's when one is open.
class IntentosClave {
public:
    static constexpr int kFallosMaximos = 3;
    static constexpr qint64 kVentanaSegundos = 15 * 60;
    static constexpr qint64 kBloqueoSegundos = 15 * 60;

    IntentosClave(db::ConnectionPtr conexion, int16_t usuario);

    // The moment until which the user's authorisations are refused, when it is still ahead.
    std::optional<QDateTime> bloqueadoHasta() const;
    // Counts a wrong key; answers the end of the lock when this one has locked the user.
    std::optional<QDateTime> registrarFallo();
    void registrarAcierto();

private:
    db::ConnectionPtr conexion_;
    int16_t usuario_;
};

}  // namespace host
